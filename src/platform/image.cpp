// Placeholder until image loading lands.
#include "platform/image.h"
namespace plat {
PixelBuffer::PixelBuffer(int w, int h, PixelFormat f, uint32_t fill)
    : width(w), height(h), format(f), pixels(size_t(w) * size_t(h), fill) {}
uint32_t PixelBuffer::readPixel(int x, int y) const { return inside(x, y) ? pixels[size_t(y) * width + x] : 0; }
void PixelBuffer::writePixel(int x, int y, uint32_t c) { if (inside(x, y)) pixels[size_t(y) * width + x] = c; }
PixelBufferPtr loadPixels(const std::string&) { return nullptr; }
PixelBufferPtr createPixels(int w, int h) { return std::make_shared<PixelBuffer>(w, h, PF_RGB, 0xFF000000u); }
PixelBufferPtr resizePixels(const PixelBuffer&, int, int) { return nullptr; }
bool savePNG(const PixelBuffer&, const std::string&, int) { return false; }
bool saveJPEG(const PixelBuffer&, const std::string&, int) { return false; }
ImagePtr Image::load(const std::string&, int, int, int, int) { return nullptr; }
ImagePtr Image::fromPixels(const PixelBuffer& b) { auto i = std::make_shared<Image>(); i->w_ = b.width; i->h_ = b.height; i->frames_.push_back(b); return i; }
ImagePtr Image::create(int w, int h, int frames) { auto i = std::make_shared<Image>(); i->w_ = w; i->h_ = h; for (int k = 0; k < frames; ++k) i->frames_.emplace_back(w, h); return i; }
PixelBufferPtr Image::lockFrame(int f) const { return std::make_shared<PixelBuffer>(frames_.at(size_t(f))); }
void Image::unlockFrame(int f, const PixelBuffer& b) { frames_.at(size_t(f)) = b; }
void Image::grab(int, int, int) {}
}  // namespace plat
