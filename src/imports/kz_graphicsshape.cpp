#include "imports/kz_graphicsshape.h"

#include "platform/canvas.h"

int KZ_graphicsShape::rectangle(int x, int y, int w, int h, int outline) {
    const float l = float(x), t = float(y), r = float(x + w), b = float(y + h);
    if (outline != 0) {
        plat::drawLine(l, t, r, t);
        plat::drawLine(r, t, r, b);
        plat::drawLine(r, b, l, b);
        plat::drawLine(l, b, l, t);
    } else {
        plat::drawRect(l, t, float(w), float(h));
    }
    return 0;
}
