// The shared text drawer: draws with the current TrueType font of the drawing state.
#pragma once
#include <memory>
#include <string>

#include "vostrel/kz_font.h"
#include "imports/object.h"

class KZ_imageString : public Object {
public:
    static std::shared_ptr<KZ_imageString> Create(const KZ_fontPtr& font);
    // Top-left corner at (x, y), under the current colour, alpha, scale, rotation and blend.
    int render(const std::string& text, int x, int y);

protected:
    KZ_fontPtr _font;
    std::string _text;
};
using KZ_imageStringPtr = std::shared_ptr<KZ_imageString>;
