// A rectangle drawn as a 1-pixel outline or filled, in the current colour, alpha and blend.
#pragma once
#include "imports/object.h"

class KZ_graphicsShape : public Object {
public:
    // outline != 0: four lines through the corners (x, y) and (x + w, y + h), end pixels
    // included, so it covers w + 1 by h + 1 pixels. outline == 0: w by h pixels filled.
    static int rectangle(int x, int y, int w, int h, int outline);
};
