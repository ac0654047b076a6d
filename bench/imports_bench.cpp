#include <benchmark/benchmark.h>

#include <cmath>

#include "imports/kz_animate_path.h"
#include "imports/kz_collision.h"
#include "imports/kz_spline.h"

// One drag frame on a long path: the end bead moves, the whole curve is resampled and the
// aircraft's follower takes the grown samples. Must stay far below the 33 ms frame.
static void BM_DragFrameOnLongPath(benchmark::State& state) {
    const int beads = int(state.range(0));
    auto curve = std::make_shared<KZ_spline>();
    for (int i = 0; i < beads; ++i) curve->addPoint(Vector(400 + 300 * std::cos(i * 0.3), 240 + 200 * std::sin(i * 0.3)));
    auto path = std::make_shared<KZ_path>();
    path->importArray(curve->getCurvePoints());
    auto follower = KZ_animate_path::Create(path, 1);
    follower->start();
    const int last = int(curve->getPointsArray().size()) - 1;
    int x = 0;
    for (auto _ : state) {
        curve->movePoint(last, 100 + (x++ & 63), 100);
        path->importArray(curve->getCurvePoints());
        follower->setOverrun(1);
        follower->continuePath(path);
        follower->update();
        benchmark::DoNotOptimize(follower->getPosition());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DragFrameOnLongPath)->Arg(10)->Arg(40)->Arg(120);

// The per-frame step of a follower: constant work, no allocation within a leg.
static void BM_FollowerUpdate(benchmark::State& state) {
    auto curve = std::make_shared<KZ_spline>();
    curve->setRes(60);
    for (int i = 0; i < 50; ++i) curve->addPoint(Vector(i * 100.0, (i % 2) * 100.0));
    auto path = std::make_shared<KZ_path>();
    path->importArray(curve->getCurvePoints());
    auto follower = KZ_animate_path::Create(path, 1);
    follower->setSpeed(0.4f);
    follower->start();
    for (auto _ : state) {
        follower->update();
        benchmark::DoNotOptimize(follower->getAngle());
    }
}
BENCHMARK(BM_FollowerUpdate);

// The runway threshold test, run for every path end each drag frame.
static void BM_PointInBox(benchmark::State& state) {
    const float box[8] = {105, 95, 105, 105, 95, 105, 95, 95};
    float x = 90;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Collision::PointInPoly(x, 100, box));
        x = x > 110 ? 90 : x + 0.5f;
    }
}
BENCHMARK(BM_PointInBox);
