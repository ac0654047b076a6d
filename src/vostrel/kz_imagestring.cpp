#include "vostrel/kz_imagestring.h"

#include "platform/canvas.h"

std::shared_ptr<KZ_imageString> KZ_imageString::Create(const KZ_fontPtr& font) {
    auto s = std::make_shared<KZ_imageString>();
    s->_font = font;
    return s;
}

int KZ_imageString::render(const std::string& text, int x, int y) {
    if (!text.empty()) plat::drawText(text, float(x), float(y));
    return 0;
}
