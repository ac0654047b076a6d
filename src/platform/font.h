// TrueType fonts through FreeType, anti-aliased, glyphs cached per font.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace plat {

struct PixelBuffer;
class Font;
using FontPtr = std::shared_ptr<Font>;

class Font {
public:
    static FontPtr load(const std::string& path, int pixelSize);  // nullptr on failure
    // A font owns its FreeType face: shared through FontPtr, never copied.
    Font() = default;
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    virtual ~Font() = default;
    virtual int pixelSize() const = 0;
    virtual int height() const = 0;                              // line height in pixels
    virtual int ascent() const = 0;
    virtual int textWidth(const std::string& utf8) const = 0;    // sum of advances
    // Coverage of one glyph: w x h bytes 0..255, placed at (left, -top) from the pen on the baseline.
    struct Glyph {
        int w = 0, h = 0, left = 0, top = 0, advance = 0;
        const uint8_t* coverage = nullptr;
    };
    virtual const Glyph& glyph(uint32_t codepoint) const = 0;
};

}  // namespace plat
