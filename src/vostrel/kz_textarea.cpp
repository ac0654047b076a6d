#include "vostrel/kz_textarea.h"

#include "platform/canvas.h"
#include "platform/text.h"

std::shared_ptr<KZ_textarea> KZ_textarea::Create(const std::string& text, int x, int y, int width, int height,
                                                 const plat::FontPtr& font) {
    auto a = std::make_shared<KZ_textarea>();
    a->_x = float(x);
    a->_y = float(y);
    a->Text = text;
    a->font = font;
    a->_width = width;
    a->_height = height;
    a->_wrap(height);
    return a;
}

void KZ_textarea::_wrap(int height) {
    plat::DrawStateGuard keep;  // the area's font only while it measures
    if (font) plat::setImageFont(font);
    lineHeight = _fontHeight();
    wordsArray = plat::split(Text, " ");
    while (startIndex < int(wordsArray.size())) {
        const int before = startIndex;
        linesArray.resize(size_t(lineIndex));
        std::string line = _getFullLine();
        linesArray[size_t(lineIndex - 2)] = line;
        if (static_cast<long long>(lineHeight) * lineIndex > height) break;
        // Without a line height the height test never ends the wrapping; a word that does
        // not fit would then make empty lines for ever.
        if (lineHeight <= 0 && startIndex == before) break;
    }
}

std::string KZ_textarea::_getFullLine() {
    std::string line, result;
    int i = startIndex;
    const int n = int(wordsArray.size());
    for (; i < n; ++i) {
        const std::string& word = wordsArray[size_t(i)];
        const bool brk = word == "|";
        if (!brk) line += word + " ";
        if (_textWidth(line) > _width) break;  // this word begins the next line
        if (brk) {
            ++i;
            break;
        }
        result = line;
    }
    startIndex = i;
    ++lineIndex;
    return result;
}

void KZ_textarea::render() {
    if (font) plat::setImageFont(font);
    for (size_t i = 0; i < linesArray.size(); ++i) {
        plat::drawText(linesArray[i], _x, _y + float(lineHeight * int(i)));
    }
}
