// The view's cell numbering, image positions, map cells and centring.
#include "core/view/ViewMapping.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

struct HandlerRow {
    int CellNumber;
    int Row;
    int Column;
};

// Cell images whose handlers pass known rows and columns.
constexpr HandlerRow kHandlerRows[] = {
    {1, 1, 1}, {2, 1, 2}, {18, 1, 18}, {19, 2, 1}, {100, 6, 10}, {288, 16, 18},
};

TEST(ViewMapping, CellNumbersRowsAndColumnsAgreeWithTheHandlerTable) {
    for (const HandlerRow& h : kHandlerRows) {
        SCOPED_TRACE(h.CellNumber);
        EXPECT_EQ(RowOfViewCell(h.CellNumber), h.Row);
        EXPECT_EQ(ColumnOfViewCell(h.CellNumber), h.Column);
        EXPECT_EQ(ViewCellNumber(h.Row, h.Column), h.CellNumber);
    }
}

TEST(ViewMapping, EveryCellNumberRoundTripsThroughRowAndColumn) {
    for (int n = 1; n <= kViewCellCount; ++n) {
        const int row = RowOfViewCell(n);
        const int column = ColumnOfViewCell(n);
        ASSERT_GE(row, 1);
        ASSERT_LE(row, kViewRows);
        ASSERT_GE(column, 1);
        ASSERT_LE(column, kViewColumns);
        ASSERT_EQ(ViewCellNumber(row, column), n);
    }
}

TEST(ViewMapping, NeighbouringImagesOverlapByOnePixel) {
    EXPECT_EQ(ViewCellLeft(1), 24);
    EXPECT_EQ(ViewCellTop(1), 24);
    EXPECT_EQ(ViewCellLeft(18), 704);
    EXPECT_EQ(ViewCellTop(16), 624);
    EXPECT_EQ(ViewCellLeft(1) + kCellImageSize - 1, ViewCellLeft(2));
}

TEST(ViewMapping, TopLeftCellAtTheSmallestPositionsShowsTheMapCorner) {
    EXPECT_EQ(ViewCellToMapCell(1, 1, 1, 1), (MapCell{0, 0}));
}

TEST(ViewMapping, LastCellAtTheLargestPositionsShowsTheOppositeCorner) {
    // Large layout maxima 982 and 984; cell 288 is row 16, column 18.
    EXPECT_EQ(ViewCellToMapCell(982, 984, RowOfViewCell(288), ColumnOfViewCell(288)),
              (MapCell{998, 998}));
    // Medium layout maxima 987 and 988 with 13 by 12 cells shown.
    EXPECT_EQ(ViewCellToMapCell(987, 988, 12, 13), (MapCell{998, 998}));
}

struct CentringRow {
    int VisibleCount;
    int ScrollPosition;
    int CentreCell;
};

constexpr CentringRow kCentring[] = {
    {18, 492, 9}, {16, 493, 8}, {13, 494, 7}, {12, 495, 6}, {9, 496, 5},
};

TEST(ViewMapping, CentringPutsTheMapCentreIntoTheCentreCell) {
    for (const CentringRow& c : kCentring) {
        SCOPED_TRACE(c.VisibleCount);
        EXPECT_EQ(CentreScrollPosition(c.VisibleCount), c.ScrollPosition);
        EXPECT_EQ(CentreViewRow(c.VisibleCount), c.CentreCell);
        EXPECT_EQ(CentreViewColumn(c.VisibleCount), c.CentreCell);
        const int h = c.ScrollPosition;
        EXPECT_EQ(ViewCellToMapCell(h, h, c.CentreCell, c.CentreCell), (MapCell{499, 499}));
    }
}

}  // namespace
}  // namespace velmora
