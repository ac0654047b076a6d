#include "imports/kz_table.h"

#include "imports/kz_graphicsshape.h"
#include "platform/canvas.h"
#include "platform/text.h"

std::shared_ptr<KZ_table> KZ_table::Create(int x, int y, int width, int height, int rows, int columns) {
    auto t = std::make_shared<KZ_table>();
    t->_x = x;
    t->_y = y;
    t->_width = width;
    t->_height = height;
    t->_rowCount = rows > 0 ? rows : 0;
    t->_columnCount = columns > 0 ? columns : 0;
    // Integer division, as the layout numbers expect; an empty table has no cells to size.
    t->_cellWidth = t->_columnCount ? float(width / t->_columnCount) : 0.0f;
    t->_cellHeight = t->_rowCount ? float(height / t->_rowCount) : 0.0f;
    t->_dataArray.assign(size_t(t->_rowCount), std::vector<std::string>(size_t(t->_columnCount)));
    t->_widthArray.assign(size_t(t->_columnCount), int(t->_cellWidth));
    t->_fontArray.assign(size_t(t->_columnCount), nullptr);
    return t;
}

void KZ_table::clear() {
    for (int r = 0; r < _rowCount; ++r) {
        for (int c = 0; c < _columnCount; ++c) setCellData(c, r, "");
    }
}

void KZ_table::setColWidth(int column, int width) {
    if (column < 0 || column >= _columnCount) return;
    _widthArray[size_t(column)] = width;
    int others = 0;
    for (int c = 0; c + 1 < _columnCount; ++c) others += _widthArray[size_t(c)];
    _widthArray[size_t(_columnCount - 1)] = _width - others;
}

void KZ_table::setColFont(int column, const plat::FontPtr& font) {
    if (column < 0 || column >= _columnCount) return;
    _fontArray[size_t(column)] = font;
}

void KZ_table::addImage(const std::string& key, const plat::ImagePtr& image) { _imageMap[key] = Entry{image, nullptr}; }

void KZ_table::addFont(const std::string& key, const plat::FontPtr& font) { _imageMap[key] = Entry{nullptr, font}; }

void KZ_table::setCellData(int column, int row, const std::string& text) {
    if (!_validCell(column, row)) return;
    _dataArray[size_t(row)][size_t(column)] = text;
}

std::string KZ_table::getCellData(int column, int row) const {
    return _validCell(column, row) ? _dataArray[size_t(row)][size_t(column)] : std::string();
}

int KZ_table::getColWidth(int column) const {
    return column >= 0 && column < _columnCount ? _widthArray[size_t(column)] : 0;
}

void KZ_table::render() {
    for (int r = 0; r < _rowCount; ++r) {
        int cx = 0;
        const int cy = int(float(r) * _cellHeight);
        for (int c = 0; c < _columnCount; ++c) {
            _drawCell(c, r, cx, cy);
            cx += _widthArray[size_t(c)];
        }
    }
}

void KZ_table::_drawCell(int column, int row, int cellX, int cellY) {
    if (!_validCell(column, row)) return;
    const int x = _x + cellX, y = _y + cellY;
    plat::setColor(0, 0, 0);
    KZ_graphicsShape::rectangle(x, y, _widthArray[size_t(column)], int(_cellHeight), 1);

    {
        plat::DrawStateGuard keep;  // the column's font for this cell only
        if (const plat::FontPtr& colFont = _fontArray[size_t(column)]) plat::setImageFont(colFont);
        const std::string& text = _dataArray[size_t(row)][size_t(column)];
        const auto parts = plat::split(text, ";");
        if (parts.size() == 1) {
            plat::drawText(text, float(x + 5), float(y));
        } else if (parts[0] == "img") {
            plat::setColor(255, 255, 255);
            auto it = _imageMap.find(parts[1]);
            // A key without an image (unknown, or naming a font) leaves only the outline.
            if (it != _imageMap.end() && it->second.image)
                plat::drawImage(*it->second.image, float(x + 2), float(y + 2), 0);
        }
    }
    plat::setColor(255, 255, 255);
}
