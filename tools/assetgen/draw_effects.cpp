// Explosion, smoke, the edge sign, the patient-lost mark, the clouds and the bitmap font.
#include <algorithm>
#include <cmath>

#include "gen.h"

namespace ag {

namespace {

float smoothstep(float a, float b, float x) {
    float t = std::clamp((x - a) / (b - a), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

// One explosion frame: a fireball that grows and burns out into a drifting smoke ball.
Img explosionFrame(int k) {
    const int S = 50;
    Img f(S, S);
    float t = k / 24.0f;                       // 0..1 over the 25 frames
    float grow = 1.0f - std::pow(1.0f - std::min(1.0f, t * 1.6f), 2.5f);
    float radius = 6.0f + 17.0f * grow;
    float heat = std::clamp(1.0f - t * 1.5f, 0.0f, 1.0f);     // fire fades out by ~2/3
    float fade = 1.0f - smoothstep(0.55f, 1.0f, t);           // the smoke thins out at the end
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            float dx = x + 0.5f - 25, dy = y + 0.5f - 25;
            float d = std::sqrt(dx * dx + dy * dy);
            float n = fbm(dx * 0.16f + k * 0.35f, dy * 0.16f - k * 0.2f, 77, 4);
            float edge = radius * (0.78f + 0.45f * n);
            float dens = 1.0f - smoothstep(edge * 0.55f, edge, d);
            if (dens <= 0.001f) continue;
            float core = 1.0f - smoothstep(0.0f, edge * 0.85f, d);
            float fire = std::clamp(heat * (0.6f + 0.9f * core) * (0.55f + 0.7f * n), 0.0f, 1.0f);
            Col smoke = mix(hex(0x2a2623), hex(0x6d6862), n);
            Col flame = fire > 0.66f ? mix(hex(0xffb42a), hex(0xfff6c8), (fire - 0.66f) / 0.34f)
                                     : mix(hex(0x9c1e0c), hex(0xff7a12), fire / 0.66f);
            Col c = mix(smoke, flame, std::clamp(fire * 1.4f, 0.0f, 1.0f));
            float a = dens * fade * (0.75f + 0.25f * heat);
            f.blendPx(x, y, c, a);
        }
    // a pale shock ring racing outward in the first frames
    if (k >= 1 && k < 8) {
        float rr = 8.0f + k * 2.6f;
        Mask ring(S, S);
        ring.add(circle(25, 25, rr + 1.2f));
        ring.sub(circle(25, 25, rr - 1.2f));
        ring.blur(0.8f);
        f.paint(ring, hex(0xfff2d0), 0.5f * (1 - k / 8.0f));
    }
    // sparks in the first frames
    if (k < 10) {
        Rng r(900 + k);
        for (int i = 0; i < 14; ++i) {
            float ang = r.f(0, 2 * PI), dist = (0.5f + r.f()) * radius * 1.05f;
            f.fill(circle(25 + std::cos(ang) * dist, 25 + std::sin(ang) * dist, 0.6f + r.f() * 0.5f),
                   Col{1.0f, 0.85f, 0.4f, 0.9f * (1 - k / 10.0f)});
        }
    }
    return f;
}

Img smokePuff() {
    Img f(28, 28);
    for (int y = 0; y < 28; ++y)
        for (int x = 0; x < 28; ++x) {
            float dx = x + 0.5f - 14, dy = y + 0.5f - 14;
            float n = fbm(x * 0.25f, y * 0.25f, 31, 3);
            float d = std::sqrt(dx * dx + dy * dy) / (11.5f + 3.0f * n);
            float a = std::clamp((1.0f - d) * 2.2f, 0.0f, 1.0f);
            a = a * a * (3 - 2 * a) * (0.7f + 0.3f * n) * 0.92f;
            // lighter on the upper left, like the clouds
            float light = std::clamp(0.5f - (dx + dy) / 40.0f + (n - 0.5f) * 0.6f, 0.0f, 1.0f);
            f.blendPx(x, y, mix(hex(0x5d5b58), hex(0xc9c6c0), light), a);
        }
    return f;
}

Img mergeSign() {
    Img f(32, 32);
    // amber ring with an arrow-less warning mark: it is never rotated
    f.fill(circle(16, 16, 15), Col{0.1f, 0.08f, 0.02f, 0.45f});
    Mask ring(32, 32);
    ring.add(circle(16, 16, 14.2f));
    ring.sub(circle(16, 16, 10.6f));
    f.paint(ring, radial({13, 11}, 18, hex(0xffe27a), hex(0xf08a12)));
    f.fill(star(16, 16, 8.2f, 8.2f, 3, -90), Col{0.0f, 0.0f, 0.0f, 0.0f});
    Shape tri = poly({{16, 7.8f}, {23.4f, 21.6f}, {8.6f, 21.6f}});
    f.fill(tri, hex(0xffcf3a));
    f.fill(roundRect(15.0f, 11.2f, 2.0f, 6.2f, 1.0f), hex(0x3a2400));
    f.fill(circle(16, 19.4f, 1.15f), hex(0x3a2400));
    return f;
}

Img deathMark() {
    Img f(20, 20);
    f.fill(circle(10, 10, 9.5f), hex(0x1a1a1a));
    f.fill(circle(10, 10, 8.2f), hex(0xc9262c));
    // a white skull: cranium, jaw, eye sockets
    f.fill(ellipse(10, 8.6f, 4.6f, 4.2f), hex(0xf6f1e8));
    f.fill(roundRect(7.2f, 10.8f, 5.6f, 3.6f, 1.2f), hex(0xf6f1e8));
    f.fill(ellipse(8.2f, 8.9f, 1.3f, 1.5f), hex(0x2a0a0a));
    f.fill(ellipse(11.8f, 8.9f, 1.3f, 1.5f), hex(0x2a0a0a));
    f.fill(poly({{10, 10.6f}, {10.7f, 11.9f}, {9.3f, 11.9f}}), hex(0x2a0a0a));
    for (float x : {8.6f, 10.0f, 11.4f}) f.fill(rect(x - 0.3f, 12.6f, 0.6f, 1.8f), hex(0x8a2a2a));
    return f;
}

// A cloud as a height field of domed puffs (their union), softened, lit from the upper left
// through its surface normal; the edge is frayed by noise.
Img cloud(int w, int h, uint32_t seed, bool storm) {
    Img f(w, h);
    Rng r(seed);
    struct Blob { float x, y, r; };
    std::vector<Blob> blobs;
    int n = storm ? 46 : 30;
    for (int i = 0; i < n; ++i) {
        float t = r.f();
        float mid = 1.0f - std::abs(t - 0.5f) * 2;                   // 1 in the middle, 0 at the ends
        float bx = w * (0.16f + 0.68f * t);
        float by = h * (0.56f - 0.16f * mid * r.f() + r.f(-0.1f, 0.12f));
        float br = std::min(w, h) * r.f(0.1f, 0.17f) * (0.65f + 0.6f * mid);
        blobs.push_back({bx, by, br});
    }
    Mask H(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float wx = x + 8 * (fbm(x * 0.05f, y * 0.05f, seed + 5, 3) - 0.5f);
            float wy = y + 8 * (fbm(x * 0.05f, y * 0.05f, seed + 9, 3) - 0.5f);
            float best = 0;
            for (auto& b : blobs) {
                float dx = wx - b.x, dy = (wy - b.y) * 1.15f;
                float q = (dx * dx + dy * dy) / (b.r * b.r);
                if (q < 1) best = std::max(best, b.r * std::sqrt(1 - q));
            }
            H.a[size_t(y) * w + x] = best;
        }
    H.blur(3.5f);
    auto at = [&](int x, int y) { return H.at(std::clamp(x, 0, w - 1), std::clamp(y, 0, h - 1)); };
    const float lx = -0.5f, ly = -0.62f, lz = 0.6f;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float hh = at(x, y);
            if (hh <= 0.05f) continue;
            float gx = (at(x + 1, y) - at(x - 1, y)) * 0.5f, gy = (at(x, y + 1) - at(x, y - 1)) * 0.5f;
            float nx = -gx, ny = -gy, nz = 1.0f;
            float nl = std::sqrt(nx * nx + ny * ny + nz * nz);
            float lambert = std::clamp((nx * lx + ny * ly + nz * lz) / nl, 0.0f, 1.0f);
            float fine = fbm(x * 0.12f, y * 0.12f, seed + 3, 3);
            float edge = smoothstep(0.0f, 9.0f, hh + 4.0f * (fine - 0.5f));
            float light = std::clamp(lambert * 1.1f - 0.12f + (fine - 0.5f) * 0.15f, 0.0f, 1.0f);
            // Clouds are drawn over the aircraft: even the storm's core lets them show through.
            Col c;
            float a;
            if (storm) {
                c = mix(hex(0x161a21), hex(0x7a8496), light);
                a = edge * 0.74f;
            } else {
                c = mix(hex(0x9aa9bd), hex(0xffffff), std::pow(light, 0.8f));
                a = edge * (0.52f + 0.2f * light);
            }
            f.blendPx(x, y, c, a);
        }
    return f;
}

// The unused bitmap font: two 30 x 30 cells with "A" and "B".
Img bitmapFont() {
    Img f(60, 30);
    drawText(f, "A", FACE_SANS_BOLD, 26, 15, 25, hex(0xffffff), 0, 0.5f);
    drawText(f, "B", FACE_SANS_BOLD, 26, 45, 25, hex(0xffffff), 0, 0.5f);
    return f;
}

}  // namespace

void genEffects() {
    std::vector<Img> frames;
    for (int k = 0; k < 25; ++k) frames.push_back(explosionFrame(k));
    saveImage("explosion.png", strip(frames));
    saveImage("smoke.png", smokePuff());
    saveImage("merge.png", mergeSign());
    saveImage("death.png", deathMark());
    saveImage("environment/cloud1.png", cloud(232, 186, 4101, true));
    saveImage("environment/cloud2.png", cloud(220, 130, 4102, false));
    saveImage("environment/cloud3.png", cloud(200, 120, 4103, false));
    saveImage("environment/cloud4.png", cloud(180, 110, 4104, false));
    saveRawPNG("fonts/font", bitmapFont());
}

}  // namespace ag
