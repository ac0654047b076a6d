#include "imports/kz_imagefx.h"

#include <algorithm>

plat::PixelBufferPtr KZ_imageFX::colorToBWImg(const plat::ImagePtr& image, float factor) {
    if (!image || image->frameCount() < 1) return nullptr;
    auto out = std::make_shared<plat::PixelBuffer>(image->width(), image->height(), plat::PF_RGB, 0xFF000000u);
    plat::PixelBufferPtr src = image->lockFrame(0);
    for (int y = 0; y < src->height; ++y) {
        for (int x = 0; x < src->width; ++x) {
            uint32_t c = src->readPixel(x, y);
            int g = (int((c >> 16) & 255) + int((c >> 8) & 255) + int(c & 255)) / 3;
            // Kept to a byte: a factor outside 0..1 must not spill into the other channels.
            int v = std::clamp(int(float(g) * factor), 0, 255);
            out->writePixel(x, y, plat::argb(255, v, v, v));
        }
    }
    return out;
}
