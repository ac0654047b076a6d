#include "vostrel/kz_button.h"

#include "platform/canvas.h"

std::shared_ptr<KZ_button> KZ_button::Create(int x, int y, const plat::ImagePtr& image, KZ_receiver receiver,
                                             int screenId) {
    auto b = std::make_shared<KZ_button>();
    b->_x = float(x);
    b->_y = float(y);
    b->_img = image;
    if (image) {
        b->_width = image->width();
        b->_height = image->height();
    }
    b->_receiver = receiver;
    b->_screenID = screenId;
    return b;
}

void KZ_button::render() {
    if (!_visibility || !_img) return;
    if (_enabled) {
        plat::drawImage(*_img, _x, _y, 0);
        if (_hover == 1) {
            // The highlight is the picture added onto itself.
            plat::setBlend(plat::LIGHTBLEND);
            plat::drawImage(*_img, _x, _y, 0);
            plat::setBlend(plat::ALPHABLEND);
        }
    } else {
        plat::setAlpha(0.25f);
        plat::drawImage(*_img, _x, _y, 0);
        plat::setAlpha(1.0f);
    }
}
