#include "vostrel/kz_font.h"

std::shared_ptr<KZ_font> KZ_font::Load(const plat::ImagePtr& sheet, const std::vector<std::string>& glyphs) {
    auto font = std::make_shared<KZ_font>();
    font->_fontSheet = sheet;
    font->_glyphs = std::make_shared<std::map<std::string, IntegerPtr>>();
    // A glyph listed twice keeps its later frame.
    for (size_t i = 0; i < glyphs.size(); ++i) (*font->_glyphs)[glyphs[i]] = Integer::Create(int(i));
    return font;
}

plat::ImagePtr KZ_font::getImage() const { return _fontSheet; }

int KZ_font::getFrame(const std::string& glyph) const {
    if (!_glyphs) return -1;
    auto it = _glyphs->find(glyph);
    return (it == _glyphs->end() || !it->second) ? -1 : it->second->value;
}
