// Image effects: the darkened grey copy the pause view shows.
#pragma once
#include "platform/image.h"
#include "imports/object.h"

class KZ_imageFX : public Object {
public:
    // A new 24-bit RGB buffer of the image's size: grey = (r + g + b) / 3, times factor
    // (0..1), truncated. The image is not changed; nullptr for a null image.
    static plat::PixelBufferPtr colorToBWImg(const plat::ImagePtr& image, float factor);
};
