// Pixel buffers and drawable images (frames cut from strips).
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plat {

// Colours are packed 0xAARRGGBB with straight (not premultiplied) alpha.
inline uint32_t argb(int a, int r, int g, int b) {
    return (uint32_t(a & 255) << 24) | (uint32_t(r & 255) << 16) | (uint32_t(g & 255) << 8) | uint32_t(b & 255);
}

enum PixelFormat { PF_RGB = 0, PF_RGBA = 1 };

struct PixelBuffer {
    int width = 0;
    int height = 0;
    PixelFormat format = PF_RGBA;     // PF_RGB: alpha is always 255 and PNG saves drop it
    std::vector<uint32_t> pixels;     // row-major, width * height, ARGB

    PixelBuffer() = default;
    PixelBuffer(int w, int h, PixelFormat f = PF_RGBA, uint32_t fill = 0);

    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    // Out-of-range reads give 0 and writes are ignored.
    uint32_t readPixel(int x, int y) const;
    void writePixel(int x, int y, uint32_t argb);
};
using PixelBufferPtr = std::shared_ptr<PixelBuffer>;

// Loading, creating and resizing refuse (nullptr) a picture of more pixels than 4096 x 4096:
// a damaged header or a wrong size must not claim gigabytes.

// PNG or JPEG, chosen by content. nullptr for a missing, damaged or truncated file.
PixelBufferPtr loadPixels(const std::string& path);
// Reads no more of a PNG or JPEG file than its header, for a cheap check that it will load:
// false for a missing or empty file, a damaged header or a size that loading refuses. A
// picture cut short after its header passes; only loading finds that.
bool readImageHeader(const std::string& path, int& width, int& height);
PixelBufferPtr createPixels(int w, int h);  // 24-bit RGB, black
// Resize to whole pixels, averaging when shrinking and interpolating when enlarging; keeps
// the format and alpha. A size below 1 gives 1 (a tiny picture at a small draw scale).
PixelBufferPtr resizePixels(const PixelBuffer& src, int w, int h);
bool savePNG(const PixelBuffer& buf, const std::string& path, int level);
bool saveJPEG(const PixelBuffer& buf, const std::string& path, int quality);

class Image;
using ImagePtr = std::shared_ptr<Image>;

// A drawable image: one or more frames of equal size with a drawing handle.
class Image {
public:
    // Whole file as one frame (cellW == 0) or cut into `count` frames of cellW x cellH,
    // left to right then top to bottom, starting at cell `first`. nullptr on failure,
    // also when the strip holds fewer cells than asked for.
    static ImagePtr load(const std::string& path, int cellW = 0, int cellH = 0, int first = 0, int count = 1);
    static ImagePtr fromPixels(const PixelBuffer& buf);
    static ImagePtr create(int w, int h, int frames = 1);

    int width() const { return w_; }
    int height() const { return h_; }
    int frameCount() const { return int(frames_.size()); }

    void setHandle(float x, float y) { hx_ = x; hy_ = y; }
    void midHandle() { hx_ = w_ * 0.5f; hy_ = h_ * 0.5f; }
    float handleX() const { return hx_; }
    float handleY() const { return hy_; }

    // A copy of a frame to read and write; unlockFrame writes it back.
    PixelBufferPtr lockFrame(int frame) const;
    void unlockFrame(int frame, const PixelBuffer& buf);
    // Copies the rectangle at (x, y) of the last presented canvas picture into a frame
    // (the canvas holds that picture until the next cls); parts off the canvas are black.
    void grab(int x, int y, int frame = 0);

    const PixelBuffer& frame(int i) const { return frames_.at(size_t(i)); }
    PixelBuffer& frameMutable(int i) { return frames_.at(size_t(i)); }

private:
    int w_ = 0, h_ = 0;
    float hx_ = 0, hy_ = 0;
    std::vector<PixelBuffer> frames_;
};

}  // namespace plat
