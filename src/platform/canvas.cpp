// Placeholder until the rasteriser lands.
#include "platform/canvas.h"
namespace plat {
struct Canvas::Impl { DrawState st; PixelBuffer px; };
Canvas::Canvas(int w, int h) : impl_(std::make_shared<Impl>()) { impl_->px = PixelBuffer(w, h); }
int Canvas::width() const { return impl_->px.width; }
int Canvas::height() const { return impl_->px.height; }
DrawState& Canvas::state() { return impl_->st; }
const DrawState& Canvas::state() const { return impl_->st; }
void Canvas::clear(uint32_t c) { for (auto& p : impl_->px.pixels) p = c; }
void Canvas::drawImage(const Image&, float, float, int) {}
void Canvas::drawLine(float, float, float, float) {}
void Canvas::drawRect(float, float, float, float) {}
void Canvas::drawOval(float, float, float, float) {}
void Canvas::drawText(const std::string&, float, float) {}
int Canvas::textWidth(const std::string&) const { return 0; }
int Canvas::textHeight(const std::string&) const { return 0; }
PixelBuffer& Canvas::pixels() { return impl_->px; }
const PixelBuffer& Canvas::pixels() const { return impl_->px; }
Canvas& canvas() { static Canvas c(800, 480); return c; }
void setColor(int r, int g, int b) { auto& s = canvas().state(); s.r = r; s.g = g; s.b = b; }
void getColor(int& r, int& g, int& b) { auto& s = canvas().state(); r = s.r; g = s.g; b = s.b; }
void setAlpha(float a) { canvas().state().alpha = a < 0 ? 0 : a > 1 ? 1 : a; }
float getAlpha() { return canvas().state().alpha; }
void setBlend(int m) { canvas().state().blend = m; }
int getBlend() { return canvas().state().blend; }
void setRotation(float d) { canvas().state().rotation = d; }
float getRotation() { return canvas().state().rotation; }
void setScale(float x, float y) { canvas().state().scaleX = x; canvas().state().scaleY = y; }
void getScale(float& x, float& y) { x = canvas().state().scaleX; y = canvas().state().scaleY; }
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
