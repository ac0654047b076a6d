#include "raster.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "platform/font.h"
#include "platform/image.h"

namespace ag {

Col rgb(int r, int g, int b, float a) { return {r / 255.0f, g / 255.0f, b / 255.0f, a}; }
Col hex(uint32_t v, float a) { return rgb(int((v >> 16) & 255), int((v >> 8) & 255), int(v & 255), a); }
Col mix(Col a, Col b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}
Col shade(Col c, float f) {
    if (f <= 1.0f) return {c.r * f, c.g * f, c.b * f, c.a};
    float t = std::min(1.0f, f - 1.0f);
    return {c.r + (1 - c.r) * t, c.g + (1 - c.g) * t, c.b + (1 - c.b) * t, c.a};
}
Col withA(Col c, float a) { return {c.r, c.g, c.b, a}; }

Xf Xf::operator*(const Xf& o) const {
    Xf r;
    r.a = a * o.a + c * o.b;
    r.b = b * o.a + d * o.b;
    r.c = a * o.c + c * o.d;
    r.d = b * o.c + d * o.d;
    r.e = a * o.e + c * o.f + e;
    r.f = b * o.e + d * o.f + f;
    return r;
}
Xf Xf::translate(float x, float y) { Xf t; t.e = x; t.f = y; return t; }
Xf Xf::scale(float sx, float sy) { Xf t; t.a = sx; t.d = sy; return t; }
Xf Xf::rotate(float deg) {
    float r = deg * PI / 180.0f, cs = std::cos(r), sn = std::sin(r);
    Xf t;
    t.a = cs; t.b = sn; t.c = -sn; t.d = cs;
    return t;
}

Shape rect(float x, float y, float w, float h) { return {{{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}}; }

Shape roundRect(float x, float y, float w, float h, float r) {
    r = std::min({r, w / 2, h / 2});
    if (r <= 0.01f) return rect(x, y, w, h);
    Contour c;
    int n = std::max(4, int(r * 1.5f));
    auto arc = [&](float cx, float cy, float a0) {
        for (int i = 0; i <= n; ++i) {
            float a = (a0 + 90.0f * i / n) * PI / 180.0f;
            c.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
        }
    };
    arc(x + w - r, y + r, -90);
    arc(x + w - r, y + h - r, 0);
    arc(x + r, y + h - r, 90);
    arc(x + r, y + r, 180);
    return {c};
}

Shape ellipse(float cx, float cy, float rx, float ry, int segs) {
    if (segs <= 0) segs = std::clamp(int((std::abs(rx) + std::abs(ry)) * 1.6f), 12, 256);
    Contour c;
    for (int i = 0; i < segs; ++i) {
        float a = 2 * PI * i / segs;
        c.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
    return {c};
}
Shape circle(float cx, float cy, float r) { return ellipse(cx, cy, r, r); }
Shape poly(std::initializer_list<V2> pts) { return {Contour(pts)}; }
Shape poly(const std::vector<V2>& pts) { return {pts}; }

Shape star(float cx, float cy, float ro, float ri, int n, float rot) {
    Contour c;
    for (int i = 0; i < 2 * n; ++i) {
        float a = (rot + 180.0f * i / n) * PI / 180.0f;
        float r = (i % 2) ? ri : ro;
        c.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return {c};
}

Shape strokeParts(const std::vector<V2>& pts, float width, bool closed) {
    Shape out;
    float hw = width / 2;
    size_t n = pts.size();
    if (n == 0) return out;
    size_t segs = closed ? n : n - 1;
    for (size_t i = 0; i < segs; ++i) {
        V2 a = pts[i], b = pts[(i + 1) % n];
        V2 d = b - a;
        float l = len(d);
        if (l < 1e-4f) continue;
        V2 nrm{-d.y / l * hw, d.x / l * hw};
        out.push_back({a + nrm, b + nrm, b - nrm, a - nrm});
    }
    // round joins, and round caps at the ends of an open line; hairlines need neither
    if (width > 1.2f)
        for (size_t i = 0; i < n; ++i) out.push_back(circle(pts[i].x, pts[i].y, hw)[0]);
    return out;
}

std::vector<V2> smooth(const std::vector<V2>& p, int perSeg, bool closed) {
    std::vector<V2> out;
    size_t n = p.size();
    if (n < 3) return p;
    auto at = [&](long i) -> V2 {
        if (closed) return p[size_t((i % long(n) + long(n)) % long(n))];
        return p[size_t(std::clamp(i, 0L, long(n) - 1))];
    };
    long segs = closed ? long(n) : long(n) - 1;
    for (long i = 0; i < segs; ++i) {
        V2 p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        for (int k = 0; k < perSeg; ++k) {
            float t = float(k) / perSeg, t2 = t * t, t3 = t2 * t;
            V2 q;
            q.x = 0.5f * (2 * p1.x + (-p0.x + p2.x) * t + (2 * p0.x - 5 * p1.x + 4 * p2.x - p3.x) * t2 +
                          (-p0.x + 3 * p1.x - 3 * p2.x + p3.x) * t3);
            q.y = 0.5f * (2 * p1.y + (-p0.y + p2.y) * t + (2 * p0.y - 5 * p1.y + 4 * p2.y - p3.y) * t2 +
                          (-p0.y + 3 * p1.y - 3 * p2.y + p3.y) * t3);
            out.push_back(q);
        }
    }
    if (!closed) out.push_back(p.back());
    return out;
}

Shape transform(const Shape& s, const Xf& x) {
    Shape o = s;
    for (auto& c : o)
        for (auto& p : c) p = x(p);
    return o;
}
Shape operator+(Shape a, const Shape& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// ---- scan conversion --------------------------------------------------------------

namespace {
struct Edge {
    float x0, y0, x1, y1;
    int dir;
};
constexpr int SUB = 8;

// Calls emit(x, y, coverage) for every pixel the shape touches inside 0..w x 0..h.
template <class Emit>
void rasterize(const Shape& s, bool evenOdd, int w, int h, Emit emit) {
    std::vector<Edge> edges;
    float minx = 1e30f, miny = 1e30f, maxx = -1e30f, maxy = -1e30f;
    for (const auto& c : s) {
        size_t n = c.size();
        if (n < 3) continue;
        for (size_t i = 0; i < n; ++i) {
            V2 a = c[i], b = c[(i + 1) % n];
            minx = std::min(minx, a.x); maxx = std::max(maxx, a.x);
            miny = std::min(miny, a.y); maxy = std::max(maxy, a.y);
            if (a.y == b.y) continue;
            if (a.y < b.y) edges.push_back({a.x, a.y, b.x, b.y, 1});
            else edges.push_back({b.x, b.y, a.x, a.y, -1});
        }
    }
    if (edges.empty()) return;
    int x0 = std::max(0, int(std::floor(minx))), x1 = std::min(w - 1, int(std::floor(maxx)));
    int y0 = std::max(0, int(std::floor(miny))), y1 = std::min(h - 1, int(std::floor(maxy)));
    if (x0 > x1 || y0 > y1) return;
    int bw = x1 - x0 + 1;
    std::vector<float> row(size_t(bw) + 2, 0.0f);
    std::vector<std::pair<float, int>> xs;
    std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });
    std::vector<const Edge*> active;
    size_t nextEdge = 0;
    const float wsub = 1.0f / SUB;
    for (int y = y0; y <= y1; ++y) {
        std::fill(row.begin(), row.end(), 0.0f);
        bool any = false;
        float rowTop = float(y), rowBot = float(y + 1);
        while (nextEdge < edges.size() && edges[nextEdge].y0 < rowBot) active.push_back(&edges[nextEdge++]);
        active.erase(std::remove_if(active.begin(), active.end(), [&](const Edge* e) { return e->y1 <= rowTop; }),
                     active.end());
        for (int sidx = 0; sidx < SUB; ++sidx) {
            float sy = y + (sidx + 0.5f) * wsub;
            xs.clear();
            for (const Edge* e : active) {
                if (sy < e->y0 || sy >= e->y1) continue;
                float t = (sy - e->y0) / (e->y1 - e->y0);
                xs.push_back({e->x0 + (e->x1 - e->x0) * t, e->dir});
            }
            if (xs.size() < 2) continue;
            std::sort(xs.begin(), xs.end(), [](auto& a, auto& b) { return a.first < b.first; });
            int wind = 0;
            for (size_t i = 0; i + 1 < xs.size(); ++i) {
                wind += evenOdd ? 1 : xs[i].second;
                bool inside = evenOdd ? (wind & 1) : (wind != 0);
                if (!inside) continue;
                float xa = std::max(xs[i].first, float(x0)), xb = std::min(xs[i + 1].first, float(x1 + 1));
                if (xb <= xa) continue;
                any = true;
                int ia = int(std::floor(xa)), ib = int(std::floor(xb));
                if (ia == ib) {
                    row[size_t(ia - x0)] += (xb - xa) * wsub;
                } else {
                    row[size_t(ia - x0)] += (ia + 1 - xa) * wsub;
                    for (int k = ia + 1; k < ib; ++k) row[size_t(k - x0)] += wsub;
                    if (ib <= x1) row[size_t(ib - x0)] += (xb - ib) * wsub;
                }
            }
        }
        if (!any) continue;
        for (int x = 0; x < bw; ++x) {
            float c = row[size_t(x)];
            if (c > 0.0005f) emit(x0 + x, y, std::min(1.0f, c));
        }
    }
}
}  // namespace

void Mask::add(const Shape& s, float alpha, bool evenOdd) {
    rasterize(s, evenOdd, w, h, [&](int x, int y, float c) {
        float& d = a[size_t(y) * w + x];
        d = std::max(d, c * alpha);
    });
}
void Mask::addStroke(const std::vector<V2>& pts, float width, float alpha, bool closed) {
    for (const auto& part : strokeParts(pts, width, closed)) add({part}, alpha);
}
void Mask::sub(const Shape& s) {
    rasterize(s, false, w, h, [&](int x, int y, float c) {
        float& d = a[size_t(y) * w + x];
        d = d * (1.0f - c);
    });
}
void Mask::mul(float f) {
    for (auto& v : a) v *= f;
}
void Mask::invert() {
    for (auto& v : a) v = 1.0f - v;
}

static void boxBlur1(std::vector<float>& v, int w, int h, int r, bool horiz) {
    if (r <= 0) return;
    std::vector<float> out(v.size());
    int n = horiz ? w : h, lines = horiz ? h : w;
    float inv = 1.0f / (2 * r + 1);
    for (int l = 0; l < lines; ++l) {
        auto idx = [&](int i) -> size_t {
            i = std::clamp(i, 0, n - 1);
            return horiz ? size_t(l) * w + i : size_t(i) * w + l;
        };
        float acc = 0;
        for (int i = -r; i <= r; ++i) acc += v[idx(i)];
        for (int i = 0; i < n; ++i) {
            out[idx(i)] = acc * inv;
            acc += v[idx(i + r + 1)] - v[idx(i - r)];
        }
    }
    v.swap(out);
}

static void blurChannel(std::vector<float>& v, int w, int h, float radius) {
    int r = std::max(1, int(std::lround(radius / 1.7f)));
    for (int pass = 0; pass < 3; ++pass) {
        boxBlur1(v, w, h, r, true);
        boxBlur1(v, w, h, r, false);
    }
}

void Mask::blur(float radius) {
    if (radius < 0.5f) return;
    blurChannel(a, w, h, radius);
}

Mask Mask::shifted(int dx, int dy) const {
    Mask m(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) m.a[size_t(y) * w + x] = at(x - dx, y - dy);
    return m;
}

// ---- image ---------------------------------------------------------------------------

Img::Img(int w_, int h_, Col c) : w(w_), h(h_), px(size_t(w_) * h_ * 4) {
    for (size_t i = 0; i < size_t(w) * h; ++i) {
        px[i * 4 + 0] = c.r * c.a;
        px[i * 4 + 1] = c.g * c.a;
        px[i * 4 + 2] = c.b * c.a;
        px[i * 4 + 3] = c.a;
    }
}

Col Img::get(int x, int y) const {
    if (x < 0 || y < 0 || x >= w || y >= h) return {0, 0, 0, 0};
    const float* p = &px[(size_t(y) * w + x) * 4];
    if (p[3] <= 1e-6f) return {0, 0, 0, 0};
    return {p[0] / p[3], p[1] / p[3], p[2] / p[3], p[3]};
}
void Img::set(int x, int y, Col c) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    float* p = &px[(size_t(y) * w + x) * 4];
    p[0] = c.r * c.a; p[1] = c.g * c.a; p[2] = c.b * c.a; p[3] = c.a;
}
void Img::blendPx(int x, int y, Col c, float cov) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    float a = std::clamp(c.a * cov, 0.0f, 1.0f);
    if (a <= 0) return;
    float* p = &px[(size_t(y) * w + x) * 4];
    float k = 1.0f - a;
    p[0] = c.r * a + p[0] * k;
    p[1] = c.g * a + p[1] * k;
    p[2] = c.b * a + p[2] * k;
    p[3] = a + p[3] * k;
}

void Img::fill(const Shape& s, Col c, bool evenOdd) {
    rasterize(s, evenOdd, w, h, [&](int x, int y, float cov) { blendPx(x, y, c, cov); });
}
void Img::fill(const Shape& s, const PaintFn& p, bool evenOdd) {
    rasterize(s, evenOdd, w, h, [&](int x, int y, float cov) { blendPx(x, y, p(x + 0.5f, y + 0.5f), cov); });
}
void Img::paint(const Mask& m, Col c, float op) {
    for (int y = 0; y < std::min(h, m.h); ++y)
        for (int x = 0; x < std::min(w, m.w); ++x) {
            float v = m.a[size_t(y) * m.w + x];
            if (v > 0.0005f) blendPx(x, y, c, v * op);
        }
}
void Img::paint(const Mask& m, const PaintFn& p, float op) {
    for (int y = 0; y < std::min(h, m.h); ++y)
        for (int x = 0; x < std::min(w, m.w); ++x) {
            float v = m.a[size_t(y) * m.w + x];
            if (v > 0.0005f) blendPx(x, y, p(x + 0.5f, y + 0.5f), v * op);
        }
}
void Img::stroke(const std::vector<V2>& pts, float width, Col c, bool closed) {
    Mask m(w, h);
    m.addStroke(pts, width, 1.0f, closed);
    paint(m, c);
}
void Img::fillAll(const PaintFn& p) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) blendPx(x, y, p(x + 0.5f, y + 0.5f), 1.0f);
}
void Img::shadow(const Shape& s, float dx, float dy, float blur, float alpha) {
    Mask m(w, h);
    m.add(transform(s, Xf::translate(dx, dy)));
    m.blur(blur);
    paint(m, Col{0, 0, 0, 1}, alpha);
}
void Img::shadow(const Mask& src, float dx, float dy, float blur, float alpha) {
    Mask m = src.shifted(int(std::lround(dx)), int(std::lround(dy)));
    m.blur(blur);
    paint(m, Col{0, 0, 0, 1}, alpha);
}

void Img::draw(const Img& src, float fx, float fy, float op) {
    int ox = int(std::lround(fx)), oy = int(std::lround(fy));
    for (int y = 0; y < src.h; ++y) {
        int ty = y + oy;
        if (ty < 0 || ty >= h) continue;
        for (int x = 0; x < src.w; ++x) {
            int tx = x + ox;
            if (tx < 0 || tx >= w) continue;
            const float* s = &src.px[(size_t(y) * src.w + x) * 4];
            float a = s[3] * op;
            if (a <= 0) continue;
            float* d = &px[(size_t(ty) * w + tx) * 4];
            float k = 1.0f - a;
            d[0] = s[0] * op + d[0] * k;
            d[1] = s[1] * op + d[1] * k;
            d[2] = s[2] * op + d[2] * k;
            d[3] = a + d[3] * k;
        }
    }
}

void Img::drawScaled(const Img& src, float x, float y, float dw, float dh, float op) {
    draw(src.resized(std::max(1, int(std::lround(dw))), std::max(1, int(std::lround(dh)))), x, y, op);
}

Mask Img::alphaMask() const {
    Mask m(w, h);
    for (size_t i = 0; i < size_t(w) * h; ++i) m.a[i] = px[i * 4 + 3];
    return m;
}

void Img::map(const std::function<Col(Col, int, int)>& f) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) set(x, y, f(get(x, y), x, y));
}

Img Img::crop(int x0, int y0, int cw, int ch) const {
    Img o(cw, ch);
    for (int y = 0; y < ch; ++y)
        for (int x = 0; x < cw; ++x) {
            int sx = x + x0, sy = y + y0;
            if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
            for (int k = 0; k < 4; ++k) o.px[(size_t(y) * cw + x) * 4 + k] = px[(size_t(sy) * w + sx) * 4 + k];
        }
    return o;
}

Img Img::resized(int nw, int nh) const {
    Img o(nw, nh);
    float sx = float(w) / nw, sy = float(h) / nh;
    for (int y = 0; y < nh; ++y)
        for (int x = 0; x < nw; ++x) {
            float acc[4] = {0, 0, 0, 0};
            if (sx >= 1.0f && sy >= 1.0f) {
                // area average
                float fx0 = x * sx, fx1 = fx0 + sx, fy0 = y * sy, fy1 = fy0 + sy;
                float tot = 0;
                for (int yy = int(fy0); yy < int(std::ceil(fy1)) && yy < h; ++yy) {
                    float wy = std::min(fy1, float(yy + 1)) - std::max(fy0, float(yy));
                    for (int xx = int(fx0); xx < int(std::ceil(fx1)) && xx < w; ++xx) {
                        float wx = std::min(fx1, float(xx + 1)) - std::max(fx0, float(xx));
                        float wgt = wx * wy;
                        if (wgt <= 0) continue;
                        for (int k = 0; k < 4; ++k) acc[k] += px[(size_t(yy) * w + xx) * 4 + k] * wgt;
                        tot += wgt;
                    }
                }
                if (tot > 0)
                    for (float& v : acc) v /= tot;
            } else {
                float fx = (x + 0.5f) * sx - 0.5f, fy = (y + 0.5f) * sy - 0.5f;
                int ix = int(std::floor(fx)), iy = int(std::floor(fy));
                float tx = fx - ix, ty = fy - iy;
                for (int j = 0; j < 2; ++j)
                    for (int i = 0; i < 2; ++i) {
                        int xx = std::clamp(ix + i, 0, w - 1), yy = std::clamp(iy + j, 0, h - 1);
                        float wgt = (i ? tx : 1 - tx) * (j ? ty : 1 - ty);
                        for (int k = 0; k < 4; ++k) acc[k] += px[(size_t(yy) * w + xx) * 4 + k] * wgt;
                    }
            }
            for (int k = 0; k < 4; ++k) o.px[(size_t(y) * nw + x) * 4 + k] = acc[k];
        }
    return o;
}

void Img::toBuffer(plat::PixelBuffer& out, bool opaque) const {
    out = plat::PixelBuffer(w, h, opaque ? plat::PF_RGB : plat::PF_RGBA);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Col c = get(x, y);
            auto q = [](float v) { return int(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
            int a = opaque ? 255 : q(c.a);
            if (a == 0) c = {0, 0, 0, 0};
            out.pixels[size_t(y) * w + x] = plat::argb(a, q(c.r), q(c.g), q(c.b));
        }
}

PaintFn linear(V2 p0, Col c0, V2 p1, Col c1) {
    V2 d = p1 - p0;
    float l2 = d.x * d.x + d.y * d.y;
    return [=](float x, float y) {
        float t = l2 > 0 ? ((x - p0.x) * d.x + (y - p0.y) * d.y) / l2 : 0;
        return mix(c0, c1, std::clamp(t, 0.0f, 1.0f));
    };
}
PaintFn radial(V2 c, float r, Col inner, Col outer) {
    return [=](float x, float y) {
        float t = len(V2{x, y} - c) / r;
        return mix(inner, outer, std::clamp(t, 0.0f, 1.0f));
    };
}

// ---- noise --------------------------------------------------------------------------------

uint32_t hash32(uint32_t x) {
    x ^= x >> 16; x *= 0x7feb352dU;
    x ^= x >> 15; x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}
static float lattice(int x, int y, uint32_t seed) {
    uint32_t hsh = hash32(uint32_t(x) * 0x9E3779B1u ^ hash32(uint32_t(y) + seed * 0x85EBCA77u));
    return (hsh & 0xFFFFFF) / float(0xFFFFFF);
}
float noise2(float x, float y, uint32_t seed) {
    int ix = int(std::floor(x)), iy = int(std::floor(y));
    float fx = x - ix, fy = y - iy;
    float ux = fx * fx * (3 - 2 * fx), uy = fy * fy * (3 - 2 * fy);
    float a = lattice(ix, iy, seed), b = lattice(ix + 1, iy, seed);
    float c = lattice(ix, iy + 1, seed), d = lattice(ix + 1, iy + 1, seed);
    return a + (b - a) * ux + (c - a) * uy + (a - b - c + d) * ux * uy;
}
float fbm(float x, float y, uint32_t seed, int oct, float gain) {
    float sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < oct; ++i) {
        sum += noise2(x, y, seed + uint32_t(i) * 101u) * amp;
        norm += amp;
        amp *= gain;
        x *= 2.03f; y *= 2.03f;
    }
    return sum / norm;
}

uint32_t Rng::next() {
    s ^= s << 13; s ^= s >> 17; s ^= s << 5;
    return s;
}
float Rng::f() { return (next() & 0xFFFFFF) / float(0x1000000); }
float Rng::f(float lo, float hi) { return lo + (hi - lo) * f(); }
int Rng::i(int lo, int hi) { return lo + int(next() % uint32_t(hi - lo + 1)); }

// ---- text -----------------------------------------------------------------------------------

static const char* facePath(FontFace f) {
    switch (f) {
        case FACE_SANS_BOLD: return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
        case FACE_SANS: return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
        case FACE_MONO: return "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
        case FACE_SERIF_BOLD: return "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
    }
    return "";
}

// A font keeps a glyph cache that fills on first use of a glyph, and FreeType faces are not
// safe to use from two threads at once: every use of a font goes through this one lock.
static std::recursive_mutex& fontLock() {
    static std::recursive_mutex mu;
    return mu;
}

std::shared_ptr<plat::Font> font(FontFace face, int px) {
    static std::map<std::pair<int, int>, std::shared_ptr<plat::Font>> cache;
    std::lock_guard<std::recursive_mutex> lock(fontLock());
    auto key = std::make_pair(int(face), px);
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    auto f = plat::Font::load(facePath(face), px);
    cache[key] = f;
    return f;
}

bool fontsAvailable() { return font(FACE_SANS_BOLD, 12) != nullptr; }

std::vector<std::string> fontFiles() {
    std::vector<std::string> files;
    for (FontFace f : {FACE_SANS_BOLD, FACE_SANS, FACE_MONO, FACE_SERIF_BOLD}) files.push_back(facePath(f));
    return files;
}

float textWidth(const std::string& s, FontFace face, int px) {
    std::lock_guard<std::recursive_mutex> lock(fontLock());
    auto f = font(face, px);
    if (!f) return s.size() * px * 0.6f;
    return float(f->textWidth(s));
}

void textMask(Mask& m, const std::string& s, FontFace face, int px, float x, float y) {
    std::lock_guard<std::recursive_mutex> lock(fontLock());
    auto f = font(face, px);
    if (!f) return;
    float pen = x;
    for (unsigned char ch : s) {
        const auto& g = f->glyph(ch);
        int gx = int(std::lround(pen)) + g.left, gy = int(std::lround(y)) - g.top;
        for (int j = 0; j < g.h; ++j)
            for (int i = 0; i < g.w; ++i) {
                int tx = gx + i, ty = gy + j;
                if (tx < 0 || ty < 0 || tx >= m.w || ty >= m.h) continue;
                float c = g.coverage ? g.coverage[j * g.w + i] / 255.0f : 0.0f;
                float& d = m.a[size_t(ty) * m.w + tx];
                d = std::max(d, c);
            }
        pen += g.advance;
    }
}

void drawText(Img& img, const std::string& s, FontFace face, int px, float x, float y, Col c, float shadowAlpha,
              float align) {
    float tw = textWidth(s, face, px);
    Mask m(img.w, img.h);
    textMask(m, s, face, px, x - tw * align, y);
    if (shadowAlpha > 0) img.shadow(m, 1.0f + px / 24.0f, 1.0f + px / 24.0f, 1.0f + px / 16.0f, shadowAlpha);
    img.paint(m, c);
}

}  // namespace ag
