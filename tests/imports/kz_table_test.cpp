// Table layout: column widths, row offsets, cell texts and the rectangle outline.
#include "imports/kz_table.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "imports/kz_graphicsshape.h"
#include "platform/canvas.h"
#include "platform/testing.h"
#include "platform/window.h"

namespace {

// Records where render places each cell.
class LayoutProbe : public KZ_table {
public:
    std::vector<std::tuple<int, int, int, int>> cells;  // column, row, x, y
    void _drawCell(int column, int row, int cellX, int cellY) override {
        cells.emplace_back(column, row, cellX, cellY);
    }
};

std::shared_ptr<LayoutProbe> probe(int w, int h, int rows, int cols) {
    auto t = KZ_table::Create(0, 0, w, h, rows, cols);
    auto p = std::make_shared<LayoutProbe>();
    static_cast<KZ_table&>(*p) = *t;
    return p;
}

TEST(KZ_table, ColumnsShareTheWidthAndTheLastTakesTheRest) {
    auto t = KZ_table::Create(201, 90, 400, 350, 7, 4);
    for (int c = 0; c < 4; ++c) EXPECT_EQ(t->getColWidth(c), 100);
    t->setColWidth(0, 40);
    t->setColWidth(1, 100);
    t->setColWidth(2, 100);
    EXPECT_EQ(t->getColWidth(3), 160);
    t->setColWidth(3, 10);  // the last column has no width of its own
    EXPECT_EQ(t->getColWidth(3), 160);
    t->setColWidth(0, 81);
    t->setColWidth(1, 81);
    t->setColWidth(2, 81);
    EXPECT_EQ(t->getColWidth(3), 157);  // the score board's layout
}

TEST(KZ_table, RowsAreWholePixelsHighAtFixedOffsets) {
    for (int height : {350, 352}) {
        auto t = probe(400, height, 7, 4);
        t->setColWidth(0, 40);
        EXPECT_EQ(t->_cellHeight, 50.0f);
        t->render();
        ASSERT_EQ(t->cells.size(), 28u);
        for (int r = 0; r < 7; ++r) {
            EXPECT_EQ(t->cells[size_t(r * 4)], std::make_tuple(0, r, 0, 50 * r));
            EXPECT_EQ(t->cells[size_t(r * 4 + 1)], std::make_tuple(1, r, 40, 50 * r));
            EXPECT_EQ(t->cells[size_t(r * 4 + 3)], std::make_tuple(3, r, 240, 50 * r));
        }
    }
}

TEST(KZ_table, CellsAreAddressedColumnFirstAndClearEmptiesThem) {
    auto t = KZ_table::Create(0, 0, 400, 350, 7, 4);
    t->setCellData(3, 1, "09 Dec 2026");
    t->setCellData(1, 3, "img;calmday");
    EXPECT_EQ(t->_dataArray[1][3], "09 Dec 2026");
    EXPECT_EQ(t->getCellData(1, 3), "img;calmday");
    // Out-of-range cells are ignored rather than written past the grid.
    t->setCellData(4, 0, "x");
    t->setCellData(0, 7, "x");
    t->setCellData(-1, 0, "x");
    EXPECT_EQ(t->getCellData(4, 0), "");
    t->clear();
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_EQ(t->getCellData(c, r), "");
}

TEST(KZ_table, ImagesAndFontsShareOneMapOfKeys) {
    auto t = KZ_table::Create(0, 0, 100, 100, 1, 1);
    auto img = plat::Image::create(4, 4);
    t->addImage("k", img);
    EXPECT_EQ(t->_imageMap["k"].image, img);
    t->addFont("k", plat::Font::load("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", 12));
    EXPECT_EQ(t->_imageMap["k"].image, nullptr);
    EXPECT_NE(t->_imageMap["k"].font, nullptr);
    t->setCellData(0, 0, "img;k");  // names a font: nothing to draw, and no failure
    t->render();
    t->setCellData(0, 0, "img;missing");
    t->render();
}

TEST(KZ_table, EmptyTableHasNoCellsAndDoesNotDivideByZero) {
    auto t = KZ_table::Create(0, 0, 100, 100, 0, 0);
    EXPECT_EQ(t->_cellWidth, 0.0f);
    EXPECT_EQ(t->_cellHeight, 0.0f);
    t->setColWidth(0, 10);
    t->setCellData(0, 0, "x");
    t->clear();
    t->render();
    auto negative = KZ_table::Create(0, 0, 100, 100, -2, -3);
    EXPECT_EQ(negative->_rowCount, 0);
    negative->render();
}

// ---- Pixels: needs the software canvas ----

class TablePixels : public ::testing::Test {
protected:
    void SetUp() override {
        plat::testing::useOffscreen();
        ASSERT_TRUE(plat::openWindow(800, 480, 30));
        plat::cls();
    }
    static uint32_t px(int x, int y) { return plat::canvas().pixels().readPixel(x, y); }
};

TEST_F(TablePixels, OutlineCoversOneMorePixelThanTheFilledRectangle) {
    plat::setColor(255, 255, 255);
    KZ_graphicsShape::rectangle(10, 20, 10, 10, 1);
    const uint32_t W = 0xFFFFFFFFu, K = 0xFF000000u;
    EXPECT_EQ(px(10, 20), W);
    EXPECT_EQ(px(20, 20), W);
    EXPECT_EQ(px(20, 30), W);
    EXPECT_EQ(px(10, 30), W);
    EXPECT_EQ(px(15, 25), K);
    EXPECT_EQ(px(21, 25), K);
    EXPECT_EQ(px(15, 31), K);
    KZ_graphicsShape::rectangle(100, 20, 10, 10, 0);
    EXPECT_EQ(px(100, 20), W);
    EXPECT_EQ(px(109, 29), W);
    EXPECT_EQ(px(110, 25), K);
    EXPECT_EQ(px(105, 30), K);
}

TEST_F(TablePixels, CellsAreOutlinedInBlackAndTheColourEndsWhite) {
    plat::canvas().clear(0xFFFFFFFFu);
    auto t = KZ_table::Create(10, 10, 100, 40, 2, 2);
    t->setColWidth(0, 30);
    t->render();
    const uint32_t K = 0xFF000000u, W = 0xFFFFFFFFu;
    EXPECT_EQ(px(10, 10), K);
    EXPECT_EQ(px(40, 15), K);   // between the columns at 30
    EXPECT_EQ(px(110, 15), K);  // right side of the last column (70 wide)
    EXPECT_EQ(px(25, 30), K);   // row 1 begins at 20
    EXPECT_EQ(px(25, 15), W);
    int r, g, b;
    plat::getColor(r, g, b);
    EXPECT_EQ(r + g + b, 765);
}

}  // namespace
