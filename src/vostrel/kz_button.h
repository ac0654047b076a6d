// An image button: the picture is the hit area; hover lights it, disabled fades it.
#pragma once
#include <memory>

#include "platform/image.h"
#include "vostrel/kz_uielement.h"

class KZ_button : public KZ_UIelement {
public:
    static std::shared_ptr<KZ_button> Create(int x, int y, const plat::ImagePtr& image, KZ_receiver receiver,
                                             int screenId);
    void render() override;
    int _isMouseOver() override { return _inside(_x, _y, float(_width), float(_height)) ? 1 : 0; }

    plat::ImagePtr _img;
};
