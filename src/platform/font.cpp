// TrueType fonts through FreeType: hinted, anti-aliased glyph coverage, cached per font.
#include "platform/font.h"

#include <unordered_map>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/text.h"

namespace plat {

namespace {

// One FreeType library for the whole run; faces keep it alive through the shared pointer.
std::shared_ptr<FT_LibraryRec_> library() {
    static std::shared_ptr<FT_LibraryRec_> lib = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0) return std::shared_ptr<FT_LibraryRec_>();
        return std::shared_ptr<FT_LibraryRec_>(l, [](FT_Library p) { FT_Done_FreeType(p); });
    }();
    return lib;
}

struct FaceDone {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
// A face has one owner; it goes before the library it came from (declared after it).
using FacePtr = std::unique_ptr<FT_FaceRec_, FaceDone>;

class FtFont final : public Font {
public:
    FtFont(std::shared_ptr<FT_LibraryRec_> lib, FacePtr face, int px)
        : lib_(std::move(lib)), face_(std::move(face)), px_(px) {
        const FT_Size_Metrics& m = face_->size->metrics;
        ascent_ = int((m.ascender + 63) >> 6);
        const int descent = int((-m.descender + 63) >> 6);
        height_ = int((m.height + 63) >> 6);
        if (height_ < ascent_ + descent) height_ = ascent_ + descent;
    }

    int pixelSize() const override { return px_; }
    int height() const override { return height_; }
    int ascent() const override { return ascent_; }

    int textWidth(const std::string& utf8) const override {
        int w = 0;
        for (uint32_t cp : utf8Decode(utf8)) w += glyph(cp).advance;
        return w;
    }

    const Glyph& glyph(uint32_t cp) const override {
        auto it = cache_.find(cp);
        if (it != cache_.end()) return it->second.g;
        Entry& e = cache_[cp];
        // Control characters (a CR left at the end of a data line, a tab) take no room and
        // show nothing, rather than the font's box for a missing glyph.
        if (cp < 32 || cp == 127) return e.g;
        FT_UInt index = FT_Get_Char_Index(face_.get(), cp);
        if (FT_Load_Glyph(face_.get(), index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL) == 0 &&
            FT_Render_Glyph(face_->glyph, FT_RENDER_MODE_NORMAL) == 0) {
            const FT_GlyphSlot slot = face_->glyph;
            const FT_Bitmap& bm = slot->bitmap;
            e.g.advance = int((slot->advance.x + 32) >> 6);
            if (bm.pixel_mode == FT_PIXEL_MODE_GRAY && bm.width > 0 && bm.rows > 0) {
                e.g.w = int(bm.width);
                e.g.h = int(bm.rows);
                e.g.left = slot->bitmap_left;
                e.g.top = slot->bitmap_top;
                e.pixels.resize(size_t(e.g.w) * e.g.h);
                for (int y = 0; y < e.g.h; ++y) {
                    const unsigned char* row = bm.buffer + (bm.pitch >= 0 ? y : y - e.g.h + 1) * bm.pitch;
                    for (int x = 0; x < e.g.w; ++x) e.pixels[size_t(y) * e.g.w + x] = row[x];
                }
            }
        }
        e.g.coverage = e.pixels.empty() ? nullptr : e.pixels.data();
        return e.g;
    }

private:
    struct Entry {
        Glyph g;
        std::vector<uint8_t> pixels;
    };
    std::shared_ptr<FT_LibraryRec_> lib_;
    FacePtr face_;
    int px_;
    int ascent_ = 0, height_ = 0;
    // unordered_map keeps its elements in place, so handed-out glyph references stay valid.
    mutable std::unordered_map<uint32_t, Entry> cache_;
};

}  // namespace

FontPtr Font::load(const std::string& path, int pixelSize) {
    if (pixelSize <= 0) return nullptr;
    auto lib = library();
    if (!lib) return nullptr;
    FT_Face opened = nullptr;
    if (FT_New_Face(lib.get(), path.c_str(), 0, &opened) != 0) return nullptr;
    FacePtr face(opened);
    if (!FT_IS_SCALABLE(face) || FT_Set_Pixel_Sizes(face.get(), 0, FT_UInt(pixelSize)) != 0) return nullptr;
    return std::make_shared<FtFont>(lib, std::move(face), pixelSize);
}

}  // namespace plat
