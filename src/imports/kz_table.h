// A grid of outlined cells with fixed rows and columns. A cell shows a line of text, or
// with "img;key" the image stored in the table under that key.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/font.h"
#include "platform/image.h"
#include "imports/object.h"

class KZ_table : public Object {
public:
    static std::shared_ptr<KZ_table> Create(int x, int y, int width, int height, int rows, int columns);
    void clear();
    // Draws one cell at (cellX, cellY) relative to the table's corner.
    virtual void _drawCell(int column, int row, int cellX, int cellY);
    // The last column always takes what the others leave of the table's width.
    void setColWidth(int column, int width);
    void setColFont(int column, const plat::FontPtr& font);
    void addImage(const std::string& key, const plat::ImagePtr& image);
    void addFont(const std::string& key, const plat::FontPtr& font);
    void setCellData(int column, int row, const std::string& text);
    void render();

    // Reads for the screens and tests; out-of-range cells read as "" and 0.
    std::string getCellData(int column, int row) const;
    int getColWidth(int column) const;

    int _x = 0, _y = 0;
    int _width = 0, _height = 0;
    int _rowCount = 0, _columnCount = 0;
    float _cellWidth = 0.0f, _cellHeight = 0.0f;
    int _borderWidth = 0;
    std::vector<std::vector<std::string>> _dataArray;  // [row][column]
    std::vector<int> _widthArray;
    std::vector<plat::FontPtr> _fontArray;
    // Images and fonts share one map of keys; a key names one or the other.
    struct Entry {
        plat::ImagePtr image;
        plat::FontPtr font;
    };
    std::map<std::string, Entry> _imageMap;

private:
    bool _validCell(int column, int row) const {
        return column >= 0 && column < _columnCount && row >= 0 && row < _rowCount;
    }
};
