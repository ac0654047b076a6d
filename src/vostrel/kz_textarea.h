// A block of static text wrapped once, at creation, to a width and a height. Words are
// split at blanks; a word that is exactly "|" ends the line. Line feeds are not breaks.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/font.h"
#include "vostrel/kz_uielement.h"

class KZ_textarea : public KZ_UIelement {
public:
    // A null font means the font current at creation (for wrapping) and at drawing.
    static std::shared_ptr<KZ_textarea> Create(const std::string& text, int x, int y, int width, int height,
                                               const plat::FontPtr& font);
    void render() override;
    int _isMouseOver() override { return _inside(_x, _y, float(_width), float(_height)) ? 1 : 0; }
    void setPosition(int x, int y) {
        _x = float(x);
        _y = float(y);
    }
    // The next line from word startIndex on; advances startIndex and lineIndex.
    std::string _getFullLine();

    std::string Text;
    std::vector<std::string> linesArray{std::string()};
    std::vector<std::string> wordsArray;
    int lineHeight = 0;
    int startIndex = 0;
    int lineIndex = 1;
    plat::FontPtr font;

private:
    void _wrap(int height);
};
