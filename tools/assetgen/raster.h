// A small anti-aliased vector rasteriser for the asset generator: filled contours with
// exact horizontal and 8x vertical coverage, coverage masks, gradients, blur, noise and
// text through the platform's FreeType fonts. Everything is deterministic.
#pragma once
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace plat {
struct PixelBuffer;
class Font;
}

namespace ag {

constexpr float PI = 3.14159265358979f;

// Straight (not premultiplied) colour, channels 0..1.
struct Col {
    float r = 0, g = 0, b = 0, a = 1;
};
Col rgb(int r, int g, int b, float a = 1.0f);
Col hex(uint32_t rrggbb, float a = 1.0f);
Col mix(Col a, Col b, float t);
Col shade(Col c, float f);   // f < 1 darkens, f > 1 lightens toward white
Col withA(Col c, float a);

struct V2 {
    float x = 0, y = 0;
};
inline V2 operator+(V2 a, V2 b) { return {a.x + b.x, a.y + b.y}; }
inline V2 operator-(V2 a, V2 b) { return {a.x - b.x, a.y - b.y}; }
inline V2 operator*(V2 a, float s) { return {a.x * s, a.y * s}; }
inline float len(V2 a) { return std::sqrt(a.x * a.x + a.y * a.y); }

// Affine map: x' = a x + c y + e, y' = b x + d y + f.
struct Xf {
    float a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
    V2 operator()(V2 p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }
    Xf operator*(const Xf& o) const;  // this after o
    static Xf translate(float x, float y);
    static Xf scale(float sx, float sy);
    static Xf rotate(float deg);      // clockwise on the screen (y down)
};

using Contour = std::vector<V2>;
using Shape = std::vector<Contour>;

Shape rect(float x, float y, float w, float h);
Shape roundRect(float x, float y, float w, float h, float r);
Shape ellipse(float cx, float cy, float rx, float ry, int segs = 0);
Shape circle(float cx, float cy, float r);
Shape poly(std::initializer_list<V2> pts);
Shape poly(const std::vector<V2>& pts);
Shape star(float cx, float cy, float rOut, float rIn, int points, float rotDeg = -90);
// A stroked polyline as separate pieces (segments and round joins); fill it into a Mask
// (union), not straight into an image, or overlaps would double up.
Shape strokeParts(const std::vector<V2>& pts, float width, bool closed = false);
// A smooth Catmull-Rom curve through the points.
std::vector<V2> smooth(const std::vector<V2>& pts, int perSeg = 8, bool closed = false);
Shape transform(const Shape& s, const Xf& x);
Shape operator+(Shape a, const Shape& b);

// Coverage 0..1 per pixel over the whole image.
struct Mask {
    int w = 0, h = 0;
    std::vector<float> a;
    Mask(int w_, int h_) : w(w_), h(h_), a(size_t(w_) * h_, 0.0f) {}
    float at(int x, int y) const { return (x < 0 || y < 0 || x >= w || y >= h) ? 0.0f : a[size_t(y) * w + x]; }
    void add(const Shape& s, float alpha = 1.0f, bool evenOdd = false);   // union (max)
    void addStroke(const std::vector<V2>& pts, float width, float alpha = 1.0f, bool closed = false);
    void sub(const Shape& s);                                            // cut out
    void blur(float radius);                                             // ~gaussian (3 box passes)
    Mask shifted(int dx, int dy) const;
    void mul(float f);
    void invert();
};

using PaintFn = std::function<Col(float x, float y)>;

// An RGBA picture with premultiplied float channels.
class Img {
public:
    int w = 0, h = 0;
    std::vector<float> px;  // 4 per pixel: r g b a, premultiplied

    Img() = default;
    Img(int w_, int h_, Col fill = {0, 0, 0, 0});

    Col get(int x, int y) const;          // straight colour
    void set(int x, int y, Col c);
    void blendPx(int x, int y, Col c, float cov);   // source-over with coverage

    void fill(const Shape& s, Col c, bool evenOdd = false);
    void fill(const Shape& s, const PaintFn& p, bool evenOdd = false);
    void paint(const Mask& m, Col c, float opacity = 1.0f);
    void paint(const Mask& m, const PaintFn& p, float opacity = 1.0f);
    void stroke(const std::vector<V2>& pts, float width, Col c, bool closed = false);
    void fillAll(const PaintFn& p);       // every pixel painted over
    // Soft drop shadow of a shape.
    void shadow(const Shape& s, float dx, float dy, float blur, float alpha);
    void shadow(const Mask& m, float dx, float dy, float blur, float alpha);
    void draw(const Img& src, float x, float y, float opacity = 1.0f);  // integer-aligned after rounding
    void drawScaled(const Img& src, float x, float y, float w, float h, float opacity = 1.0f);
    Mask alphaMask() const;
    // Every pixel through a function of its straight colour and position.
    void map(const std::function<Col(Col, int, int)>& f);
    Img crop(int x, int y, int cw, int ch) const;
    Img resized(int nw, int nh) const;    // area average (down) or bilinear (up)

    void toBuffer(plat::PixelBuffer& out, bool opaque) const;
};

// Per-pixel paints.
PaintFn linear(V2 p0, Col c0, V2 p1, Col c1);
PaintFn radial(V2 c, float r, Col inner, Col outer);

// Deterministic value noise in 0..1 and its fractal sum.
float noise2(float x, float y, uint32_t seed);
float fbm(float x, float y, uint32_t seed, int octaves = 4, float gain = 0.5f);
uint32_t hash32(uint32_t x);
// Small deterministic generator for placing things.
struct Rng {
    uint32_t s;
    explicit Rng(uint32_t seed) : s(seed * 2654435761u + 12345u) {}
    uint32_t next();
    float f();                        // 0..1
    float f(float lo, float hi);
    int i(int lo, int hi);            // both ends included
};

// Text through FreeType (DejaVu fonts of the system).
enum FontFace { FACE_SANS_BOLD = 0, FACE_SANS = 1, FACE_MONO = 2, FACE_SERIF_BOLD = 3 };
std::shared_ptr<plat::Font> font(FontFace face, int px);
bool fontsAvailable();
// The font files the labels are drawn with (inputs of the generator).
std::vector<std::string> fontFiles();
float textWidth(const std::string& s, FontFace face, int px);
// Adds the glyph coverage of a text with its baseline start at (x, y).
void textMask(Mask& m, const std::string& s, FontFace face, int px, float x, float y);
// Convenience: text centred horizontally on cx with the baseline at y.
void drawText(Img& img, const std::string& s, FontFace face, int px, float x, float y, Col c,
              float shadowAlpha = 0.0f, float align = 0.0f);   // align 0 left, 0.5 centre, 1 right

}  // namespace ag
