// Where the overview starts when opened and which map cells its cells show.
#include "core/overview/OverviewMapping.h"

#include "core/view/ScreenLayouts.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

OverviewOrigin OriginIn(ScreenLayout layout, int h, int v) {
    const ScreenLayoutValues& values = LayoutValues(layout);
    return OverviewOriginFor(h, v, values.VisibleColumns, values.VisibleRows,
                             values.OverviewColumns, values.OverviewRows);
}

TEST(OverviewMapping, OpeningAtStartUpCentresTheOverviewOnTheMapCentre) {
    const OverviewOrigin origin = OriginIn(ScreenLayout::Small, 496, 496);
    EXPECT_EQ(origin, (OverviewOrigin{484, 484}));
    EXPECT_EQ(OverviewCellToMapCell(origin.Horizontal, origin.Vertical, 0, 0), (MapCell{483, 483}));
    EXPECT_EQ(OverviewCellToMapCell(origin.Horizontal, origin.Vertical, 16, 16),
              (MapCell{499, 499}));
    EXPECT_EQ(OverviewCellToMapCell(origin.Horizontal, origin.Vertical, 32, 32),
              (MapCell{515, 515}));
}

struct OffsetRow {
    ScreenLayout Layout;
    int Horizontal;
    int Vertical;
};

constexpr OffsetRow kOffsets[] = {
    {ScreenLayout::Large, -23, -20},
    {ScreenLayout::Medium, -17, -16},
    {ScreenLayout::Small, -12, -12},
};

TEST(OverviewMapping, OriginIsOffsetFromTheViewByTheLayoutsAmounts) {
    for (const OffsetRow& row : kOffsets) {
        EXPECT_EQ(OriginIn(row.Layout, 500, 600),
                  (OverviewOrigin{500 + row.Horizontal, 600 + row.Vertical}));
    }
}

TEST(OverviewMapping, ViewMiddleCellLandsInTheOverviewMiddleCell) {
    for (const OffsetRow& row : kOffsets) {
        const ScreenLayoutValues& v = LayoutValues(row.Layout);
        SCOPED_TRACE(v.MenuItemName);
        const OverviewOrigin origin = OriginIn(row.Layout, 300, 700);
        EXPECT_EQ(OverviewCellToMapCell(origin.Horizontal, origin.Vertical, v.OverviewColumns / 2,
                                        v.OverviewRows / 2),
                  ViewCellToMapCell(300, 700, v.VisibleRows / 2 + 1, v.VisibleColumns / 2 + 1));
    }
}

TEST(OverviewMapping, OpeningAtTheMapCornerIsLeftToTheScrollBarsToClamp) {
    EXPECT_EQ(OriginIn(ScreenLayout::Large, 1, 1), (OverviewOrigin{-22, -19}));
}

TEST(OverviewMapping, AtTheirMaximaTheOverviewsShowTheMapsLastColumnAndRow) {
    for (const ScreenLayout layout :
         {ScreenLayout::Small, ScreenLayout::Medium, ScreenLayout::Large}) {
        const ScreenLayoutValues& v = LayoutValues(layout);
        SCOPED_TRACE(v.MenuItemName);
        EXPECT_EQ(
            OverviewCellToMapCell(v.OverviewScrollHorizontal.Max, v.OverviewScrollVertical.Max,
                                  v.OverviewColumns - 1, v.OverviewRows - 1),
            (MapCell{998, 998}));
    }
}

TEST(OverviewMapping, CellsStandElevenPixelsApart) {
    EXPECT_EQ(OverviewCellLeft(0), 0);
    EXPECT_EQ(OverviewCellLeft(1), 11);
    EXPECT_EQ(OverviewCellTop(56) + kOverviewCellSize - 1, 625);
}

}  // namespace
}  // namespace velmora
