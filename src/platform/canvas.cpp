// The software rasteriser: images, lines, rectangles, ovals and text under the drawing state.
#include "platform/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gfx_blend.h"
#include "platform/text.h"

namespace plat {

using namespace gfx;

namespace {

constexpr float PI_F = 3.14159265358979f;

// Scale and rotation about the drawing point: dest = origin + M * local.
struct Transform {
    float c = 1, s = 0, sx = 1, sy = 1;
    bool identity = true;
    bool degenerate = false;

    explicit Transform(const DrawState& st) {
        sx = st.scaleX;
        sy = st.scaleY;
        const float turns = std::fmod(st.rotation, 360.0f);
        if (turns != 0.0f) {
            const float rad = st.rotation * PI_F / 180.0f;
            c = std::cos(rad);
            s = std::sin(rad);
        }
        identity = turns == 0.0f && sx == 1.0f && sy == 1.0f;
        degenerate = !(std::isfinite(sx) && std::isfinite(sy) && std::isfinite(st.rotation)) || sx == 0.0f || sy == 0.0f;
    }
    // Local offset to destination offset.
    void forward(float lx, float ly, float& dx, float& dy) const {
        const float x = lx * sx, y = ly * sy;
        dx = c * x - s * y;
        dy = s * x + c * y;
    }
    // Destination offset to local offset.
    void inverse(float dx, float dy, float& lx, float& ly) const {
        lx = (c * dx + s * dy) / sx;
        ly = (-s * dx + c * dy) / sy;
    }
};

// A pixel index clamped to [lo, hi] before it becomes an int: coordinates far off the
// canvas (or not a number) would not fit one.
inline int pixelIndex(double v, int lo, int hi) { return v > lo ? (v < hi ? int(v) : hi) : lo; }

// Row range [y0, y1) and column range [x0, x1) of the canvas a set of points can touch.
struct Box {
    int x0, y0, x1, y1;
    bool empty() const { return x0 >= x1 || y0 >= y1; }
};

Box boundsOf(const float* xs, const float* ys, int n, int w, int h, float pad) {
    float minX = xs[0], maxX = xs[0], minY = ys[0], maxY = ys[0];
    for (int i = 1; i < n; ++i) {
        minX = std::min(minX, xs[i]);
        maxX = std::max(maxX, xs[i]);
        minY = std::min(minY, ys[i]);
        maxY = std::max(maxY, ys[i]);
    }
    if (!(std::isfinite(minX) && std::isfinite(maxX) && std::isfinite(minY) && std::isfinite(maxY)))
        return {0, 0, 0, 0};
    Box b;
    b.x0 = pixelIndex(std::floor(minX - pad), 0, w);
    b.y0 = pixelIndex(std::floor(minY - pad), 0, h);
    b.x1 = pixelIndex(std::ceil(maxX + pad), 0, w);
    b.y1 = pixelIndex(std::ceil(maxY + pad), 0, h);
    return b;
}

// Canvas rows and columns that the box (0, 0)-(w, h), transformed and placed at (x, y), can touch.
Box transformedBounds(const Transform& tf, float x, float y, float w, float h, int cw, int ch) {
    float qx[4], qy[4];
    const float lx[4] = {0, w, 0, w}, ly[4] = {0, 0, h, h};
    for (int i = 0; i < 4; ++i) {
        float dx, dy;
        tf.forward(lx[i], ly[i], dx, dy);
        qx[i] = x + dx;
        qy[i] = y + dy;
    }
    return boundsOf(qx, qy, 4, cw, ch, 1.0f);
}

// Narrows [lo, hi] to the t where k * t + m lies in [a, b].
void clipLinear(double k, double m, double a, double b, double& lo, double& hi) {
    if (k == 0.0) {
        if (m < a || m > b) hi = lo - 1;
        return;
    }
    double t0 = (a - m) / k, t1 = (b - m) / k;
    if (t0 > t1) std::swap(t0, t1);
    lo = std::max(lo, t0);
    hi = std::min(hi, t1);
}

inline float clamp01(float v) { return v <= 0.0f ? 0.0f : v >= 1.0f ? 1.0f : v; }

// Plots shapes: the drawing colour at the drawing alpha times a coverage.
struct Painter {
    int mode;
    Tint tint;
    uint32_t full;   // premultiplied colour at full coverage
    uint32_t solid;  // the colour for the solid and mask modes

    explicit Painter(const DrawState& st) : mode(st.blend), tint(st.r, st.g, st.b, st.alpha) {
        full = (tint.ka << 24) | (tint.kr << 16) | (tint.kg << 8) | tint.kb;
        solid = 0xFF000000u | (tint.r << 16) | (tint.g << 8) | tint.b;
    }
    bool solidMode() const { return mode == SOLIDBLEND || mode == MASKBLEND; }

    void plot(uint32_t& d, uint32_t cov) const {
        if (solidMode()) {
            if (cov >= 128) d = solid;
            return;
        }
        if (cov == 0) return;
        uint32_t s = full;
        if (cov < 255) {
            s = (div255((s >> 24) * cov) << 24) | (div255(((s >> 16) & 255) * cov) << 16) |
                (div255(((s >> 8) & 255) * cov) << 8) | div255((s & 255) * cov);
        }
        blendPremul(mode, d, s);
    }
    void plotF(uint32_t& d, float cov) const { plot(d, uint32_t(clamp01(cov) * 255.0f + 0.5f)); }

    void fillSpan(uint32_t* d, int n) const {
        if (n <= 0) return;
        if (solidMode() || (mode == ALPHABLEND && tint.ka == 255)) {
            std::fill(d, d + n, solidMode() ? solid : (full | 0xFF000000u));
            return;
        }
        switch (mode) {
        case LIGHTBLEND: for (int i = 0; i < n; ++i) blendPremul<LIGHTBLEND>(d[i], full); break;
        case SHADEBLEND: for (int i = 0; i < n; ++i) blendPremul<SHADEBLEND>(d[i], full); break;
        default: for (int i = 0; i < n; ++i) blendPremul<ALPHABLEND>(d[i], full); break;
        }
    }
};

// ---- Images ----

template <int MODE>
void blitStraight(PixelBuffer& dst, const PixelBuffer& src, int ox, int oy, const Tint& tint) {
    const int x0 = std::max(0, ox), y0 = std::max(0, oy);
    const int x1 = std::min(dst.width, ox + src.width), y1 = std::min(dst.height, oy + src.height);
    if (x0 >= x1 || y0 >= y1) return;
    const int n = x1 - x0;
    const bool copyRows = MODE == ALPHABLEND && tint.identity && src.format == PF_RGB;
    for (int y = y0; y < y1; ++y) {
        uint32_t* d = &dst.pixels[size_t(y) * dst.width + x0];
        const uint32_t* s = &src.pixels[size_t(y - oy) * src.width + (x0 - ox)];
        if (copyRows) {
            for (int i = 0; i < n; ++i) d[i] = s[i] | 0xFF000000u;
            continue;
        }
        int start = 0;
#ifdef __SSE2__
        if (MODE == ALPHABLEND && tint.identity) {
            // Opaque stretches of a picture with an alpha channel (a background) are copied
            // four pixels at a time.
            const __m128i noAlpha = _mm_set1_epi32(0x00FFFFFF), ones = _mm_set1_epi32(-1);
            while (start + 4 <= n) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + start));
                if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_or_si128(v, noAlpha), ones)) != 0xFFFF) {
                    for (const int stop = start + 4; start < stop; ++start) {
                        const uint32_t p = s[start];
                        if ((p >> 24) == 255) d[start] = p;
                        else if (p >> 24) blendPremul<ALPHABLEND>(d[start], premultiply(p));
                    }
                    continue;
                }
                _mm_storeu_si128(reinterpret_cast<__m128i*>(d + start), v);
                start += 4;
            }
        }
#endif
        for (int i = start; i < n; ++i) {
            const uint32_t p = s[i];
            if constexpr (MODE == SOLIDBLEND || MODE == MASKBLEND) {
                if (MODE == MASKBLEND && (p >> 24) < 128) continue;
                const uint32_t r = div255(((p >> 16) & 255) * tint.r), g = div255(((p >> 8) & 255) * tint.g),
                               b = div255((p & 255) * tint.b);
                d[i] = 0xFF000000u | (r << 16) | (g << 8) | b;
            } else {
                if ((p >> 24) == 0) continue;
                if (MODE == ALPHABLEND && tint.identity && (p >> 24) == 255) {
                    d[i] = p;
                    continue;
                }
                blendPremul<MODE>(d[i], tint.apply(premultiply(src.format == PF_RGB ? (p | 0xFF000000u) : p)));
            }
        }
    }
}

// Inverse-maps every covered canvas pixel into the frame and samples it bilinearly; samples
// are clamped to the frame itself, so neighbouring cells of a strip never bleed in.
template <int MODE>
void blitTransformed(PixelBuffer& dst, const PixelBuffer& src, float px, float py, float hx, float hy,
                     const Transform& tf, const Tint& tint) {
    const int w = src.width, h = src.height;
    float cx[4], cy[4];
    const float lu[4] = {0, float(w), 0, float(w)}, lv[4] = {0, 0, float(h), float(h)};
    for (int i = 0; i < 4; ++i) {
        float dx, dy;
        tf.forward(lu[i] - hx, lv[i] - hy, dx, dy);
        cx[i] = px + dx;
        cy[i] = py + dy;
    }
    const Box box = boundsOf(cx, cy, 4, dst.width, dst.height, 1.0f);
    if (box.empty()) return;
    // u = hx + a * dx + b * dy, v = hy + c * dx + d * dy.
    const double a = double(tf.c) / tf.sx, b = double(tf.s) / tf.sx;
    const double c = -double(tf.s) / tf.sy, d = double(tf.c) / tf.sy;
    const bool rgb = src.format == PF_RGB;
    const uint32_t opaque = rgb ? 0xFF000000u : 0u;
    const int32_t maxU = (w - 1) << 16, maxV = (h - 1) << 16;
    // The frame's rim is smoothed over one canvas pixel: half a canvas pixel either side
    // of the edge, measured in frame pixels.
    const double ax = std::fabs(tf.sx), ay = std::fabs(tf.sy);
    // Bounded, so that a picture shrunk to nothing keeps its sample positions in range.
    const double ex = std::min(0.5 / ax, 1e6), ey = std::min(0.5 / ay, 1e6);
    const int64_t lowU = std::llround((ex - 0.5) * 65536.0), highU = std::llround((w - ex - 0.5) * 65536.0);
    const int64_t lowV = std::llround((ey - 0.5) * 65536.0), highV = std::llround((h - ey - 0.5) * 65536.0);
    for (int y = box.y0; y < box.y1; ++y) {
        const double dy = y + 0.5 - py;
        const double dx0 = box.x0 + 0.5 - px;
        const double u0 = hx + a * dx0 + b * dy, v0 = hy + c * dx0 + d * dy;
        double lo = 0, hi = box.x1 - box.x0 - 1;
        clipLinear(a, u0, -ex, w + ex - 1e-9, lo, hi);
        clipLinear(c, v0, -ey, h + ey - 1e-9, lo, hi);
        if (lo > hi) continue;
        const int i0 = int(std::ceil(lo)), i1 = int(std::floor(hi));
        uint32_t* row = &dst.pixels[size_t(y) * dst.width + box.x0];
        if constexpr (MODE == SOLIDBLEND || MODE == MASKBLEND) {
            for (int i = i0; i <= i1; ++i) {
                const double u = u0 + a * i, v = v0 + c * i;
                if (u < 0 || v < 0 || u >= w || v >= h) continue;
                const int iu = std::min(int(u), w - 1), iv = std::min(int(v), h - 1);
                const uint32_t p = src.pixels[size_t(iv) * w + iu];
                if (MODE == MASKBLEND && !rgb && (p >> 24) < 128) continue;
                const uint32_t r = div255(((p >> 16) & 255) * tint.r), g = div255(((p >> 8) & 255) * tint.g),
                               bb = div255((p & 255) * tint.b);
                row[i] = 0xFF000000u | (r << 16) | (g << 8) | bb;
            }
            continue;
        }
#ifdef __SSE2__
        const __m128i k = _mm_set_epi16(0, 0, 0, 0, short(tint.ka), short(tint.kr), short(tint.kg), short(tint.kb));
#endif
        // Sample positions in 16.16 fixed point, shifted so that texel centres are whole.
        const int64_t dU = std::llround(a * 65536.0), dV = std::llround(c * 65536.0);
        int64_t U = std::llround((u0 + a * i0 - 0.5) * 65536.0), V = std::llround((v0 + c * i0 - 0.5) * 65536.0);
        const uint32_t* pix = src.pixels.data();
        for (int i = i0; i <= i1; ++i, U += dU, V += dV) {
            const int32_t Uc = U < 0 ? 0 : U > maxU ? maxU : int32_t(U);
            const int32_t Vc = V < 0 ? 0 : V > maxV ? maxV : int32_t(V);
            const int iu = Uc >> 16, iv = Vc >> 16;
            const uint32_t fu = uint32_t(Uc >> 8) & 255, fv = uint32_t(Vc >> 8) & 255;
            const int du = iu < w - 1 ? 1 : 0;
            const uint32_t* r0 = pix + size_t(iv) * w + iu;
            const uint32_t* r1 = iv < h - 1 ? r0 + w : r0;
            uint32_t p00 = r0[0] | opaque, p01 = r0[du] | opaque, p10 = r1[0] | opaque, p11 = r1[du] | opaque;
            if (((p00 & p01 & p10 & p11) >> 24) != 255) {
                if (((p00 | p01 | p10 | p11) >> 24) == 0) continue;
                p00 = premultiply(p00);
                p01 = premultiply(p01);
                p10 = premultiply(p10);
                p11 = premultiply(p11);
            }
            uint32_t edge = 255;
            if (U < lowU || U > highU || V < lowV || V > highV) {
                const double uu = U / 65536.0 + 0.5, vv = V / 65536.0 + 0.5;
                const float cu = clamp01(float(std::min(uu, w - uu) * ax + 0.5));
                const float cv = clamp01(float(std::min(vv, h - vv) * ay + 0.5));
                edge = uint32_t(cu * cv * 255.0f + 0.5f);
                if (edge == 0) continue;
            }
#ifdef __SSE2__
            if constexpr (MODE == ALPHABLEND) {
                if (edge == 255) {
                    sampleTintBlendAlpha(row[i], p00, p01, p10, p11, fu, fv, k, !tint.identity);
                    continue;
                }
            }
#endif
            uint32_t s = lerp(lerp(p00, p01, fu), lerp(p10, p11, fu), fv);
            if (edge < 255) s = scale(s, edge);
            if (MODE == ALPHABLEND && tint.identity && (s >> 24) == 255) {
                row[i] = s;
                continue;
            }
            blendPremul<MODE>(row[i], tint.apply(s));
        }
    }
}

void drawBuffer(PixelBuffer& dst, const DrawState& st, const PixelBuffer& src, float x, float y, float hx, float hy) {
    if (src.width <= 0 || src.height <= 0 || src.pixels.size() != size_t(src.width) * src.height) return;
    const Transform tf(st);
    if (tf.degenerate || !std::isfinite(x) || !std::isfinite(y)) return;
    const Tint tint(st.r, st.g, st.b, st.alpha);
    if (tint.ka == 0 && st.blend != SOLIDBLEND && st.blend != MASKBLEND) return;
    if (tf.identity) {
        const float fx = std::floor(x - hx + 0.5f), fy = std::floor(y - hy + 0.5f);
        if (fx < -1e6f || fx > 1e6f || fy < -1e6f || fy > 1e6f) return;
        const int ox = int(fx), oy = int(fy);
        switch (st.blend) {
        case SOLIDBLEND: blitStraight<SOLIDBLEND>(dst, src, ox, oy, tint); break;
        case MASKBLEND: blitStraight<MASKBLEND>(dst, src, ox, oy, tint); break;
        case LIGHTBLEND: blitStraight<LIGHTBLEND>(dst, src, ox, oy, tint); break;
        case SHADEBLEND: blitStraight<SHADEBLEND>(dst, src, ox, oy, tint); break;
        default: blitStraight<ALPHABLEND>(dst, src, ox, oy, tint); break;
        }
        return;
    }
    switch (st.blend) {
    case SOLIDBLEND: blitTransformed<SOLIDBLEND>(dst, src, x, y, hx, hy, tf, tint); break;
    case MASKBLEND: blitTransformed<MASKBLEND>(dst, src, x, y, hx, hy, tf, tint); break;
    case LIGHTBLEND: blitTransformed<LIGHTBLEND>(dst, src, x, y, hx, hy, tf, tint); break;
    case SHADEBLEND: blitTransformed<SHADEBLEND>(dst, src, x, y, hx, hy, tf, tint); break;
    default: blitTransformed<ALPHABLEND>(dst, src, x, y, hx, hy, tf, tint); break;
    }
}

// ---- Lines ----

// Cuts a segment to a rectangle (Liang-Barsky); false when nothing is left.
bool clipSegment(double& x1, double& y1, double& x2, double& y2, double minX, double minY, double maxX, double maxY) {
    double t0 = 0, t1 = 1;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy}, q[4] = {x1 - minX, maxX - x1, y1 - minY, maxY - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0) t0 = std::max(t0, r);
        else t1 = std::min(t1, r);
        if (t0 > t1) return false;
    }
    const double ox = x1, oy = y1;
    x1 = ox + t0 * dx, y1 = oy + t0 * dy;
    x2 = ox + t1 * dx, y2 = oy + t1 * dy;
    return true;
}

void thinLine(PixelBuffer& dst, const Painter& pt, float fx1f, float fy1f, float fx2f, float fy2f) {
    if (!(std::isfinite(fx1f) && std::isfinite(fy1f) && std::isfinite(fx2f) && std::isfinite(fy2f))) return;
    double x1 = fx1f, y1 = fy1f, x2 = fx2f, y2 = fy2f;
    // Far-off ends are cut back first, so a huge line costs no more than a long one.
    const double far = 8192;
    if (std::fabs(x1) > far || std::fabs(y1) > far || std::fabs(x2) > far || std::fabs(y2) > far) {
        if (!clipSegment(x1, y1, x2, y2, -8, -8, dst.width + 8, dst.height + 8)) return;
    }
    const double fx1 = std::floor(x1 + 0.5), fy1 = std::floor(y1 + 0.5);
    const double fx2 = std::floor(x2 + 0.5), fy2 = std::floor(y2 + 0.5);
    long long ax = (long long)fx1, ay = (long long)fy1, bx = (long long)fx2, by = (long long)fy2;
    const long long dx = std::llabs(bx - ax), dy = -std::llabs(by - ay);
    const int stepX = ax < bx ? 1 : -1, stepY = ay < by ? 1 : -1;
    long long err = dx + dy;
    for (;;) {
        if (ax >= 0 && ay >= 0 && ax < dst.width && ay < dst.height)
            pt.plot(dst.pixels[size_t(ay) * dst.width + size_t(ax)], 255);
        if (ax == bx && ay == by) break;
        const long long e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            ax += stepX;
        }
        if (e2 <= dx) {
            err += dx;
            ay += stepY;
        }
    }
}

// A wide line is the band of its width around the segment, running from half a pixel past
// the start to half a pixel past the end: the end pixel is covered, and the segments of a
// polyline meet edge to edge without drawing their joints twice.
void wideLine(PixelBuffer& dst, const Painter& pt, float x1, float y1, float x2, float y2, float width) {
    const double ax = x1 + 0.5, ay = y1 + 0.5;
    const double vx = x2 - x1, vy = y2 - y1;
    const double len = std::sqrt(vx * vx + vy * vy);
    if (!(len > 1e-6) || !std::isfinite(len)) return;
    const double ux = vx / len, uy = vy / len;
    const double hw = width * 0.5;
    // Axis-aligned lines between whole pixels come out crisp, with square ends, so that
    // rectangle outlines close at their corners.
    const bool whole = x1 == std::floor(x1) && y1 == std::floor(y1) && x2 == std::floor(x2) && y2 == std::floor(y2);
    if (whole && (vx == 0 || vy == 0)) {
        const double lox = std::min(x1, x2) + 0.5, hix = std::max(x1, x2) + 0.5;
        const double loy = std::min(y1, y2) + 0.5, hiy = std::max(y1, y2) + 0.5;
        const double bx0 = lox - hw, bx1 = hix + hw, by0 = loy - hw, by1 = hiy + hw;
        const int px0 = pixelIndex(std::floor(bx0 + 0.5), 0, dst.width), px1 = pixelIndex(std::floor(bx1 + 0.5), 0, dst.width);
        const int py0 = pixelIndex(std::floor(by0 + 0.5), 0, dst.height), py1 = pixelIndex(std::floor(by1 + 0.5), 0, dst.height);
        for (int y = py0; y < py1; ++y) pt.fillSpan(&dst.pixels[size_t(y) * dst.width + px0], px1 - px0);
        return;
    }
    const double s0 = 0.5, s1 = len + 0.5;  // along the direction, from (ax, ay)
    float qx[4], qy[4];
    const double ex[2] = {s0 - 0.5, s1 + 0.5}, ny[2] = {-(hw + 0.5), hw + 0.5};
    for (int i = 0; i < 4; ++i) {
        const double t = ex[i & 1], n = ny[i >> 1];
        qx[i] = float(ax + t * ux - n * uy);
        qy[i] = float(ay + t * uy + n * ux);
    }
    const Box box = boundsOf(qx, qy, 4, dst.width, dst.height, 1.0f);
    if (box.empty()) return;
    for (int y = box.y0; y < box.y1; ++y) {
        const double cy = y + 0.5 - ay;
        const double cx0 = box.x0 + 0.5 - ax;
        // t(i) = (cx0 + i) * ux + cy * uy, n(i) = -(cx0 + i) * uy + cy * ux
        double lo = 0, hi = box.x1 - box.x0 - 1;
        clipLinear(ux, cx0 * ux + cy * uy, s0 - 0.5, s1 + 0.5, lo, hi);
        clipLinear(-uy, -cx0 * uy + cy * ux, -(hw + 0.5), hw + 0.5, lo, hi);
        if (lo > hi) continue;
        uint32_t* row = &dst.pixels[size_t(y) * dst.width + box.x0];
        const int i0 = int(std::ceil(lo)), i1 = int(std::floor(hi));
        // Distance along and across the line, stepped one pixel at a time.
        float t = float((cx0 + i0) * ux + cy * uy), n = float(-(cx0 + i0) * uy + cy * ux);
        const float dt = float(ux), dn = float(-uy), edge = float(hw + 0.5);
        const float tEnd = float(s1 + 0.5);
        for (int i = i0; i <= i1; ++i, t += dt, n += dn) {
            const float across = clamp01(edge - std::fabs(n));
            const float along = clamp01(std::min(t, tEnd - t));
            const float cov = across * along;
            if (cov >= 1.0f) pt.plot(row[i], 255);
            else pt.plotF(row[i], cov);
        }
    }
}

// ---- Ovals ----

// Coverage of a pixel by an ellipse, from the distance of its centre to the edge.
inline float ellipseCoverage(double nx, double ny, double rx, double ry, double unit) {
    const double f = nx * nx + ny * ny;  // 1 on the edge
    const double gx = nx / rx, gy = ny / ry;
    const double g = 2.0 * std::sqrt(gx * gx + gy * gy);
    if (g < 1e-9) return f <= 1.0 ? 1.0f : 0.0f;
    return clamp01(float(0.5 - (f - 1.0) / g * unit));
}

}  // namespace

struct Canvas::Impl {
    DrawState st;
    PixelBuffer px;
};

Canvas::Canvas(int w, int h) : impl_(std::make_shared<Impl>()) { impl_->px = PixelBuffer(w, h, PF_RGB, 0xFF000000u); }
int Canvas::width() const { return impl_->px.width; }
int Canvas::height() const { return impl_->px.height; }
DrawState& Canvas::state() { return impl_->st; }
const DrawState& Canvas::state() const { return impl_->st; }
PixelBuffer& Canvas::pixels() { return impl_->px; }
const PixelBuffer& Canvas::pixels() const { return impl_->px; }

void Canvas::clear(uint32_t c) { std::fill(impl_->px.pixels.begin(), impl_->px.pixels.end(), c | 0xFF000000u); }

void Canvas::drawImage(const Image& img, float x, float y, int frame) {
    if (frame < 0 || frame >= img.frameCount()) return;
    drawBuffer(impl_->px, impl_->st, img.frame(frame), x, y, img.handleX(), img.handleY());
}

void Canvas::drawLine(float x1, float y1, float x2, float y2) {
    const DrawState& st = impl_->st;
    const Transform tf(st);
    if (!tf.identity) {
        if (tf.degenerate) return;
        float dx, dy;
        tf.forward(x2 - x1, y2 - y1, dx, dy);
        x2 = x1 + dx;
        y2 = y1 + dy;
    }
    const Painter pt(st);
    if (pt.tint.ka == 0 && !pt.solidMode()) return;
    if (!(st.lineWidth > 1.0f)) thinLine(impl_->px, pt, x1, y1, x2, y2);
    else wideLine(impl_->px, pt, x1, y1, x2, y2, std::min(st.lineWidth, 4096.0f));
}

namespace {
// A box given with a negative width or height is the same box from its other corner;
// false when any value is not finite.
bool normaliseBox(float& x, float& y, float& w, float& h) {
    if (!(std::isfinite(x) && std::isfinite(y) && std::isfinite(w) && std::isfinite(h))) return false;
    if (w < 0) { x += w; w = -w; }
    if (h < 0) { y += h; h = -h; }
    return true;
}
}  // namespace

void Canvas::drawRect(float x, float y, float w, float h) {
    const DrawState& st = impl_->st;
    PixelBuffer& px = impl_->px;
    const Painter pt(st);
    if (pt.tint.ka == 0 && !pt.solidMode()) return;
    const Transform tf(st);
    if (tf.degenerate || !normaliseBox(x, y, w, h)) return;
    if (tf.identity) {
        const int x0 = pixelIndex(std::floor(x + 0.5f), 0, px.width), x1 = pixelIndex(std::floor(x + w + 0.5f), 0, px.width);
        const int y0 = pixelIndex(std::floor(y + 0.5f), 0, px.height), y1 = pixelIndex(std::floor(y + h + 0.5f), 0, px.height);
        for (int yy = y0; yy < y1; ++yy) pt.fillSpan(&px.pixels[size_t(yy) * px.width + x0], x1 - x0);
        return;
    }
    // Scaled or turned about (x, y): pixels whose centres fall inside, edges smoothed.
    const Box box = transformedBounds(tf, x, y, w, h, px.width, px.height);
    if (box.empty()) return;
    const float ux = std::fabs(tf.sx), uy = std::fabs(tf.sy);
    for (int yy = box.y0; yy < box.y1; ++yy)
        for (int xx = box.x0; xx < box.x1; ++xx) {
            float u, v;
            tf.inverse(xx + 0.5f - x, yy + 0.5f - y, u, v);
            const float cu = clamp01(std::min(u, w - u) * ux + 0.5f), cv = clamp01(std::min(v, h - v) * uy + 0.5f);
            if (cu > 0 && cv > 0) pt.plotF(px.pixels[size_t(yy) * px.width + xx], cu * cv);
        }
}

void Canvas::drawOval(float x, float y, float w, float h) {
    const DrawState& st = impl_->st;
    PixelBuffer& px = impl_->px;
    const Painter pt(st);
    if (pt.tint.ka == 0 && !pt.solidMode()) return;
    const Transform tf(st);
    if (tf.degenerate || !normaliseBox(x, y, w, h)) return;
    if (w <= 0 || h <= 0) return;
    const double rx = w * 0.5, ry = h * 0.5;
    if (tf.identity) {
        // Row by row: the inner span is filled whole, only the rim is measured; each pixel once.
        const double cx = x + rx, cy = y + ry;
        const int y0 = pixelIndex(std::floor(y), 0, px.height), y1 = pixelIndex(std::ceil(y + h), 0, px.height);
        auto halfAt = [&](double yy) {
            const double ny = (yy - cy) / ry, in = 1.0 - ny * ny;
            return in > 0 ? rx * std::sqrt(in) : 0.0;
        };
        for (int yy = y0; yy < y1; ++yy) {
            const double ny = (yy + 0.5 - cy) / ry;
            const double outer = std::max({halfAt(yy), halfAt(yy + 1.0), halfAt(std::clamp(cy, double(yy), yy + 1.0))});
            const double inner = std::min(halfAt(yy), halfAt(yy + 1.0));
            const int xa = pixelIndex(std::floor(cx - outer - 1.0), 0, px.width), xb = pixelIndex(std::ceil(cx + outer + 1.0), 0, px.width);
            // Pixels lying wholly inside the oval are filled as a span; only the rim is measured.
            const int fa = pixelIndex(std::ceil(cx - inner), xa, xb), fb = pixelIndex(std::floor(cx + inner), xa, xb);
            uint32_t* row = &px.pixels[size_t(yy) * px.width];
            for (int xx = xa; xx < xb; ++xx) {
                if (xx == fa && fb > fa) {
                    pt.fillSpan(row + fa, fb - fa);
                    xx = fb - 1;
                    continue;
                }
                pt.plotF(row[xx], ellipseCoverage((xx + 0.5 - cx) / rx, ny, rx, ry, 1.0));
            }
        }
        return;
    }
    const Box box = transformedBounds(tf, x, y, w, h, px.width, px.height);
    if (box.empty()) return;
    const double unit = std::min(std::fabs(tf.sx), std::fabs(tf.sy));
    for (int yy = box.y0; yy < box.y1; ++yy)
        for (int xx = box.x0; xx < box.x1; ++xx) {
            float u, v;
            tf.inverse(xx + 0.5f - x, yy + 0.5f - y, u, v);
            const float cov = ellipseCoverage((u - rx) / rx, (v - ry) / ry, rx, ry, unit);
            if (cov > 0) pt.plotF(px.pixels[size_t(yy) * px.width + xx], cov);
        }
}

void Canvas::drawText(const std::string& utf8, float x, float y) {
    const DrawState& st = impl_->st;
    if (!st.font || utf8.empty() || !std::isfinite(x) || !std::isfinite(y)) return;
    const Font& font = *st.font;
    const std::vector<uint32_t> cps = utf8Decode(utf8);
    const Transform tf(st);
    if (tf.degenerate) return;
    if (!tf.identity) {
        // Turned or scaled text: the line is set into a white picture that goes through
        // the image path, which tints it with the colour.
        // A line longer than any canvas is cut, rather than set into a giant picture.
        const int w = std::min(font.textWidth(utf8), 8192), h = font.height();
        if (w <= 0 || h <= 0) return;
        PixelBuffer line(w, h, PF_RGBA, 0x00FFFFFFu);
        int pen = 0;
        for (uint32_t cp : cps) {
            const Font::Glyph& g = font.glyph(cp);
            for (int gy = 0; gy < g.h && g.coverage; ++gy)
                for (int gx = 0; gx < g.w; ++gx) {
                    const int lx = pen + g.left + gx, ly = font.ascent() - g.top + gy;
                    if (!line.inside(lx, ly)) continue;
                    uint32_t& p = line.pixels[size_t(ly) * w + lx];
                    const uint32_t a = std::min(255u, (p >> 24) + g.coverage[gy * g.w + gx]);
                    p = (a << 24) | 0xFFFFFFu;
                }
            pen += g.advance;
            if (pen >= w) break;
        }
        drawBuffer(impl_->px, st, line, x, y, 0, 0);
        return;
    }
    const Painter pt(st);
    if (pt.tint.ka == 0 && !pt.solidMode()) return;
    PixelBuffer& px = impl_->px;
    const float fx = std::floor(x + 0.5f), fy = std::floor(y + 0.5f);
    if (std::fabs(fx) > 1e7f || std::fabs(fy) > 1e7f) return;
    int pen = int(fx);
    const int baseline = int(fy) + font.ascent();
    for (uint32_t cp : cps) {
        const Font::Glyph& g = font.glyph(cp);
        if (g.coverage) {
            const int gx0 = pen + g.left, gy0 = baseline - g.top;
            const int ya = std::max(0, gy0), yb = std::min(px.height, gy0 + g.h);
            const int xa = std::max(0, gx0), xb = std::min(px.width, gx0 + g.w);
            for (int yy = ya; yy < yb; ++yy) {
                const uint8_t* cov = g.coverage + size_t(yy - gy0) * g.w - gx0;
                uint32_t* row = &px.pixels[size_t(yy) * px.width];
                for (int xx = xa; xx < xb; ++xx)
                    if (cov[xx]) pt.plot(row[xx], cov[xx]);
            }
        }
        pen += g.advance;
        if (pen > px.width + 1024) break;
    }
}

int Canvas::textWidth(const std::string& utf8) const {
    return impl_->st.font ? impl_->st.font->textWidth(utf8) : 0;
}

int Canvas::textHeight(const std::string&) const { return impl_->st.font ? impl_->st.font->height() : 0; }

// ---- The game's canvas ----

Canvas& canvas() {
    static Canvas c(800, 480);
    return c;
}

void setColor(int r, int g, int b) {
    auto& s = canvas().state();
    s.r = std::clamp(r, 0, 255);
    s.g = std::clamp(g, 0, 255);
    s.b = std::clamp(b, 0, 255);
}
void getColor(int& r, int& g, int& b) {
    auto& s = canvas().state();
    r = s.r;
    g = s.g;
    b = s.b;
}
// The fades step in floats and overshoot slightly (1.0000001, -0.00000007): clamped here.
void setAlpha(float a) { canvas().state().alpha = a >= 1.0f ? 1.0f : a > 0.0f ? a : 0.0f; }
float getAlpha() { return canvas().state().alpha; }
void setBlend(int m) { canvas().state().blend = m; }
int getBlend() { return canvas().state().blend; }
void setRotation(float d) { canvas().state().rotation = d; }
float getRotation() { return canvas().state().rotation; }
void setScale(float x, float y) {
    canvas().state().scaleX = x;
    canvas().state().scaleY = y;
}
void getScale(float& x, float& y) {
    x = canvas().state().scaleX;
    y = canvas().state().scaleY;
}
void setLineWidth(float w) { canvas().state().lineWidth = w; }
float getLineWidth() { return canvas().state().lineWidth; }
void setImageFont(const FontPtr& f) { canvas().state().font = f; }
FontPtr getImageFont() { return canvas().state().font; }

void cls() { canvas().clear(); }
void drawImage(const Image& i, float x, float y, int f) { canvas().drawImage(i, x, y, f); }
void drawLine(float a, float b, float c, float d) { canvas().drawLine(a, b, c, d); }
void drawRect(float x, float y, float w, float h) { canvas().drawRect(x, y, w, h); }
void drawOval(float x, float y, float w, float h) { canvas().drawOval(x, y, w, h); }
void drawText(const std::string& t, float x, float y) { canvas().drawText(t, x, y); }
int textWidth(const std::string& t) { return canvas().textWidth(t); }
int textHeight(const std::string& t) { return canvas().textHeight(t); }

}  // namespace plat
