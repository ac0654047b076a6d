// A bitmap font: a strip of glyph frames and the map from glyph text to frame number.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/image.h"
#include "vostrel/kz_integer.h"
#include "imports/object.h"

class KZ_font : public Object {
public:
    // Never returns nullptr; a null sheet (a strip that failed to load) is kept as it is.
    static std::shared_ptr<KZ_font> Load(const plat::ImagePtr& sheet, const std::vector<std::string>& glyphs);

    plat::ImagePtr getImage() const;
    // -1 for a glyph the font does not hold.
    int getFrame(const std::string& glyph) const;

protected:
    std::shared_ptr<std::map<std::string, IntegerPtr>> _glyphs;
    plat::ImagePtr _fontSheet;
};
using KZ_fontPtr = std::shared_ptr<KZ_font>;
