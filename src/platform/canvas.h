// The drawing surface and the drawing state. All drawing is done in software into an
// ARGB pixel buffer; the window back-end only uploads the finished picture, so the
// offscreen canvas used by tests runs exactly the same drawing code.
#pragma once
#include <memory>
#include <string>

#include "platform/font.h"
#include "platform/image.h"

namespace plat {

// Blend modes, numbered as the game's framework numbers them.
enum Blend { MASKBLEND = 1, SOLIDBLEND = 2, ALPHABLEND = 3, LIGHTBLEND = 4, SHADEBLEND = 5 };

struct DrawState {
    int r = 255, g = 255, b = 255;
    float alpha = 1.0f;           // clamped to 0..1 when set
    int blend = ALPHABLEND;
    float rotation = 0.0f;        // degrees, positive turns clockwise on screen
    float scaleX = 1.0f, scaleY = 1.0f;
    float lineWidth = 1.0f;
    FontPtr font;
};

class Canvas {
public:
    explicit Canvas(int w, int h);
    int width() const;
    int height() const;

    DrawState& state();
    const DrawState& state() const;

    void clear(uint32_t argb = 0xFF000000u);
    // Images draw with their handle at (x, y), then scale, then rotation about (x, y);
    // the colour tints (multiplies) the pixels and the alpha fades them. Untransformed
    // images are copied pixel for pixel (the handle rounded to a whole pixel); scaled or
    // turned ones are sampled bilinearly inside their own frame. A missing frame draws nothing.
    void drawImage(const Image& img, float x, float y, int frame = 0);
    // Line width 1 or less: the pixels from (x1, y1) to (x2, y2), both ends included.
    // Wider: a smoothed band of that width through the pixel centres, from half a pixel
    // past the start to half a pixel past the end, so the end pixel is covered and the
    // segments of a polyline meet without overlapping; axis-aligned ones between whole
    // pixels are crisp with square ends (outlines close). Scale and rotation turn the second
    // point about the first; the width is not scaled.
    void drawLine(float x1, float y1, float x2, float y2);
    // Filled, w x h pixels from (x, y); scaled and turned about (x, y).
    void drawRect(float x, float y, float w, float h);
    // Filled ellipse inside the box, smoothed at its rim, each pixel blended once;
    // scaled and turned about (x, y).
    void drawOval(float x, float y, float w, float h);
    // Top-left origin (the baseline lies the font's ascent below y), current font, colour,
    // alpha and blend; scaled and turned about (x, y). Nothing when no font is set.
    void drawText(const std::string& utf8, float x, float y);
    // Unscaled width of the text and the font's line height; 0 without a font.
    int textWidth(const std::string& utf8) const;
    int textHeight(const std::string& utf8) const;

    PixelBuffer& pixels();
    const PixelBuffer& pixels() const;

private:
    struct Impl;
    std::shared_ptr<Impl> impl_;
};

// ---- The game's one canvas, with flat functions over it ----
Canvas& canvas();

void setColor(int r, int g, int b);
void getColor(int& r, int& g, int& b);
void setAlpha(float a);
float getAlpha();
void setBlend(int mode);
int getBlend();
void setRotation(float degrees);
float getRotation();
void setScale(float sx, float sy);
void getScale(float& sx, float& sy);
void setLineWidth(float w);
float getLineWidth();
void setImageFont(const FontPtr& font);
FontPtr getImageFont();

// Keeps the game canvas's drawing state (colour, alpha, blend, rotation, scale, line width,
// font) for a scope: whatever the code inside sets is undone when the guard goes.
//     { plat::DrawStateGuard keep; plat::setAlpha(0.5f); plat::drawImage(img, x, y); }
class DrawStateGuard {
public:
    DrawStateGuard() : saved_(canvas().state()) {}
    ~DrawStateGuard() { canvas().state() = saved_; }
    DrawStateGuard(const DrawStateGuard&) = delete;
    DrawStateGuard& operator=(const DrawStateGuard&) = delete;

private:
    DrawState saved_;
};

void cls();
void drawImage(const Image& img, float x, float y, int frame = 0);
inline void drawImage(const ImagePtr& img, float x, float y, int frame = 0) { if (img) drawImage(*img, x, y, frame); }
void drawLine(float x1, float y1, float x2, float y2);
void drawRect(float x, float y, float w, float h);
void drawOval(float x, float y, float w, float h);
void drawText(const std::string& utf8, float x, float y);
int textWidth(const std::string& utf8);
int textHeight(const std::string& utf8);

}  // namespace plat
