// Drawing and decoding costs: one busy game frame drawn offscreen, and an 800 x 480 PNG.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "platform/canvas.h"
#include "platform/font.h"
#include "platform/image.h"

using namespace plat;

namespace {

// Something like an airport background: smooth fields with fine grain.
PixelBuffer background(PixelFormat fmt) {
    PixelBuffer b(800, 480, fmt);
    unsigned seed = 12345;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 800; ++x) {
            seed = seed * 1103515245u + 12345u;
            const int grain = int((seed >> 16) & 15);
            b.pixels[size_t(y) * 800 + x] =
                argb(255, 60 + (x / 40) % 3 * 10 + grain, 100 + y / 12 + grain, 50 + grain);
        }
    return b;
}

// An aircraft-sized sprite with a soft transparent rim.
ImagePtr sprite() {
    PixelBuffer b(70, 48, PF_RGBA);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 70; ++x) {
            const float dx = (x - 35) / 35.0f, dy = (y - 24) / 24.0f;
            const float d = dx * dx + dy * dy * 4;
            const int a = d < 0.8f ? 255 : d < 1.0f ? int((1.0f - d) * 5 * 255) : 0;
            // Shaded, not flat: every texel differs a little from its neighbours.
            b.writePixel(x, y, argb(a, 180 + (x * 7 + y * 3) % 60, 190 + (x * 5) % 50, 200 + (y * 11) % 50));
        }
    auto img = Image::fromPixels(b);
    img->midHandle();
    return img;
}

void BM_BusyFrame(benchmark::State& state) {
    Canvas c(800, 480);
    auto bg = Image::fromPixels(background(PF_RGBA));  // the airport pictures carry an alpha channel
    auto plane = sprite();
    auto font = Font::load("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", 12);
    if (!font) {
        state.SkipWithError("no font");
        return;
    }
    const std::string line = "Landings: 42  Funds: $123456 ";  // 30 glyphs
    font->textWidth(line);  // glyphs cached, as after the first frame of a game
    DrawState& st = c.state();
    st.font = font;
    for (auto _ : state) {
        c.clear();
        st = DrawState();
        st.font = font;
        c.drawImage(*bg, 0, 0);
        for (int i = 0; i < 40; ++i) {
            const float x = 40 + (i % 10) * 75.0f, y = 60 + (i / 10) * 100.0f;
            st.rotation = i * 37.0f;
            st.scaleX = st.scaleY = 0.8f + (i % 5) * 0.1f;
            st.r = (i % 3 == 0) ? 255 : 255 * (i % 3 == 2);
            st.g = (i % 3 == 2) ? 255 : 0;
            st.b = (i % 3 == 1 || i % 3 == 2) ? 255 : 0;
            c.drawImage(*plane, x, y);
        }
        st.rotation = 0, st.scaleX = st.scaleY = 1;
        st.r = 255, st.g = 255, st.b = 0, st.alpha = 0.25f, st.lineWidth = 4;
        for (int i = 0; i < 30; ++i) {
            const float a = i * 0.21f;
            c.drawLine(400, 240, 400 + 120 * std::cos(a), 240 + 120 * std::sin(a));
        }
        st.lineWidth = 1, st.alpha = 0.5f, st.r = 0, st.g = 255, st.b = 0;
        for (int i = 0; i < 20; ++i) c.drawOval(50 + i * 35.0f, 420, 8 + (i % 4) * 4, 8 + (i % 4) * 4);
        st.alpha = 1, st.r = st.g = st.b = 255;
        for (int i = 0; i < 10; ++i) c.drawText(line, 10 + (i % 2) * 400, 5 + i * 14.0f);
        benchmark::DoNotOptimize(c.pixels().pixels.data());
    }
}
BENCHMARK(BM_BusyFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_DecodePng800x480(benchmark::State& state) {
    const std::string path = "/tmp/tarn_bench_background.png";
    if (!savePNG(background(PF_RGBA), path, 5)) {
        state.SkipWithError("cannot write the test picture");
        return;
    }
    for (auto _ : state) {
        auto px = loadPixels(path);
        if (!px) {
            state.SkipWithError("decode failed");
            break;
        }
        benchmark::DoNotOptimize(px->pixels.data());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_DecodePng800x480)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
