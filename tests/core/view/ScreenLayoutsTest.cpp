// The three screen layouts: the table's values, how they fit together, and
// what a switch does to the map scroll positions.
#include "core/view/ScreenLayouts.h"

#include "core/view/ViewMapping.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

constexpr ScreenLayout kAllLayouts[] = {ScreenLayout::Small, ScreenLayout::Medium,
                                        ScreenLayout::Large};

struct LayoutSpotCheck {
    ScreenLayout Layout;
    int WindowWidth;
    int WindowHeight;
    const char* MenuItemName;
    const char* MenuCaption;
    int VisibleColumns;
    int VisibleRows;
    ScrollBarPlacement MapScrollVertical;
    ScrollBarPlacement MapScrollHorizontal;
    ScrollBarPlacement OverviewScrollVertical;
    ScrollBarPlacement OverviewScrollHorizontal;
    int OverviewColumns;
    int OverviewRows;
    LabelPlacement RelativeCoords;
    LabelPlacement ProgressLabel;
};

// clang-format off
const LayoutSpotCheck kSpotChecks[] = {
    {ScreenLayout::Large, 1024, 740, "LargeRes", "1024 x 768", 18, 16,
     {744, 641, 984, 8}, {664, 721, 982, 9}, {744, 641, 943, 29}, {664, 721, 935, 32},
     65, 57, {832, 180}, {800, 648}},
    {ScreenLayout::Medium, 800, 572, "MedRes", "800 x 600", 13, 12,
     {544, 481, 988, 5}, {504, 521, 987, 6}, {544, 481, 956, 22}, {504, 521, 953, 24},
     47, 44, {608, 180}, {576, 480}},
    {ScreenLayout::Small, 640, 452, "SmallRes", "640 x 480", 9, 9,
     {384, 361, 991, 4}, {384, 361, 991, 4}, {384, 361, 967, 16}, {384, 361, 967, 16},
     33, 33, {448, 180}, {416, 360}},
};
// clang-format on

TEST(LayoutTable, SpotChecksMatchTheLayoutTable) {
    for (const LayoutSpotCheck& c : kSpotChecks) {
        const ScreenLayoutValues& v = LayoutValues(c.Layout);
        SCOPED_TRACE(c.MenuItemName);
        EXPECT_EQ(v.Layout, c.Layout);
        EXPECT_EQ(v.WindowLeft, 0);
        EXPECT_EQ(v.WindowTop, 0);
        EXPECT_EQ(v.WindowWidth, c.WindowWidth);
        EXPECT_EQ(v.WindowHeight, c.WindowHeight);
        EXPECT_EQ(v.MenuItemName, c.MenuItemName);
        EXPECT_EQ(v.MenuCaption, c.MenuCaption);
        EXPECT_EQ(v.VisibleColumns, c.VisibleColumns);
        EXPECT_EQ(v.VisibleRows, c.VisibleRows);
        EXPECT_EQ(v.MapScrollVertical, c.MapScrollVertical);
        EXPECT_EQ(v.MapScrollHorizontal, c.MapScrollHorizontal);
        EXPECT_EQ(v.OverviewScrollVertical, c.OverviewScrollVertical);
        EXPECT_EQ(v.OverviewScrollHorizontal, c.OverviewScrollHorizontal);
        EXPECT_EQ(v.OverviewColumns, c.OverviewColumns);
        EXPECT_EQ(v.OverviewRows, c.OverviewRows);
        EXPECT_EQ(v.RelativeCoords, c.RelativeCoords);
        EXPECT_EQ(v.ProgressLabel, c.ProgressLabel);
    }
}

TEST(LayoutTable, MapScrollMaximaKeepTheViewInsideTheGrid) {
    for (const ScreenLayout layout : kAllLayouts) {
        const ScreenLayoutValues& v = LayoutValues(layout);
        SCOPED_TRACE(v.MenuItemName);
        EXPECT_EQ(v.MapScrollHorizontal.Max, 1000 - v.VisibleColumns);
        EXPECT_EQ(v.MapScrollVertical.Max, 1000 - v.VisibleRows);
        EXPECT_EQ(ViewCellToMapCell(v.MapScrollHorizontal.Max, v.MapScrollVertical.Max,
                                    v.VisibleRows, v.VisibleColumns),
                  (MapCell{998, 998}));
    }
}

TEST(LayoutTable, ScrollBarsAndOverviewFitTheVisibleBlockOfCells) {
    for (const ScreenLayout layout : kAllLayouts) {
        const ScreenLayoutValues& v = LayoutValues(layout);
        SCOPED_TRACE(v.MenuItemName);
        const int blockWidth = v.VisibleColumns * kCellPitch + 1;
        const int blockHeight = v.VisibleRows * kCellPitch + 1;
        EXPECT_EQ(v.OverviewGridWidth, blockWidth);
        EXPECT_EQ(v.OverviewGridHeight, blockHeight);
        EXPECT_EQ(v.MapScrollHorizontal.Length, blockWidth);
        EXPECT_EQ(v.MapScrollVertical.Length, blockHeight);
        EXPECT_EQ(v.MapScrollVertical.Offset, ViewCellLeft(v.VisibleColumns + 1));
        EXPECT_EQ(v.MapScrollHorizontal.Offset, ViewCellTop(v.VisibleRows + 1));
        // The overview bars cover the map bars exactly.
        EXPECT_EQ(v.OverviewScrollVertical.Offset, v.MapScrollVertical.Offset);
        EXPECT_EQ(v.OverviewScrollVertical.Length, v.MapScrollVertical.Length);
        EXPECT_EQ(v.OverviewScrollHorizontal.Offset, v.MapScrollHorizontal.Offset);
        EXPECT_EQ(v.OverviewScrollHorizontal.Length, v.MapScrollHorizontal.Length);
    }
}

LabelPlacement FromRightEdge(LabelPlacement p, const ScreenLayoutValues& v) {
    return LabelPlacement{p.Left - v.WindowWidth, p.Top};
}

TEST(LayoutTable, InformationPanelKeepsItsDistanceFromTheRightEdge) {
    const ScreenLayoutValues& large = LayoutValues(ScreenLayout::Large);
    for (const ScreenLayout layout : {ScreenLayout::Medium, ScreenLayout::Small}) {
        const ScreenLayoutValues& v = LayoutValues(layout);
        SCOPED_TRACE(v.MenuItemName);
        const auto same = [&](LabelPlacement ScreenLayoutValues::*label) {
            return FromRightEdge(v.*label, v) == FromRightEdge(large.*label, large);
        };
        EXPECT_TRUE(same(&ScreenLayoutValues::TileTypeLabel));
        EXPECT_TRUE(same(&ScreenLayoutValues::MPFixed));
        EXPECT_TRUE(same(&ScreenLayoutValues::MPLabel));
        EXPECT_TRUE(same(&ScreenLayoutValues::AttAdjFixed));
        EXPECT_TRUE(same(&ScreenLayoutValues::AttAdjLabel));
        EXPECT_TRUE(same(&ScreenLayoutValues::VisAdjFixed));
        EXPECT_TRUE(same(&ScreenLayoutValues::VisAdjLabel));
        EXPECT_TRUE(same(&ScreenLayoutValues::DefAdjFixed));
        EXPECT_TRUE(same(&ScreenLayoutValues::DefAdjLabel));
        EXPECT_TRUE(same(&ScreenLayoutValues::AbsolutePositionLabel));
        EXPECT_TRUE(same(&ScreenLayoutValues::AbsoluteCoords));
        EXPECT_TRUE(same(&ScreenLayoutValues::RelativePositionLabel));
        EXPECT_TRUE(same(&ScreenLayoutValues::RelativeCoords));
        EXPECT_TRUE(same(&ScreenLayoutValues::OverviewButton));
        // The progress display moves up with the bottom of the view instead.
        EXPECT_EQ(v.ProgressLabel.Left - v.WindowWidth,
                  large.ProgressLabel.Left - large.WindowWidth);
        EXPECT_EQ(v.ProgressBar.Left, v.ProgressLabel.Left);
        EXPECT_EQ(v.ProgressBar.Top, v.ProgressLabel.Top + 24);
    }
}

TEST(LayoutTable, LayoutIsKnownByItsColumnCount) {
    EXPECT_EQ(LayoutOfVisibleColumns(9), ScreenLayout::Small);
    EXPECT_EQ(LayoutOfVisibleColumns(13), ScreenLayout::Medium);
    EXPECT_EQ(LayoutOfVisibleColumns(18), ScreenLayout::Large);
    EXPECT_EQ(LayoutOfVisibleColumns(0), std::nullopt);
    EXPECT_EQ(LayoutOfVisibleColumns(16), std::nullopt);
}

TEST(LayoutSwitch, ShiftsKeepTheCentreCellsMapCell) {
    for (const ScreenLayout from : kAllLayouts) {
        for (const ScreenLayout to : kAllLayouts) {
            const ScreenLayoutValues& a = LayoutValues(from);
            const ScreenLayoutValues& b = LayoutValues(to);
            SCOPED_TRACE(std::string(a.MenuItemName) + " to " + std::string(b.MenuItemName));
            const ScrollShift shift = LayoutShift(from, to);
            const int h = 500;
            const int v = 400;
            EXPECT_EQ(ViewCellToMapCell(h, v, CentreViewRow(a.VisibleRows),
                                        CentreViewColumn(a.VisibleColumns)),
                      ViewCellToMapCell(h + shift.Horizontal, v + shift.Vertical,
                                        CentreViewRow(b.VisibleRows),
                                        CentreViewColumn(b.VisibleColumns)));
        }
    }
}

TEST(LayoutSwitch, ShiftIsClampedToTheOldRangeThenLoweredToTheNewMaximum) {
    // Large to Small at the right edge: +4 stops at 982, which fits under 991.
    EXPECT_EQ(MapScrollAfterSwitch(ScreenLayout::Large, ScreenLayout::Small, {982, 984}),
              (MapScrollPositions{982, 984}));
    // Small to Large at the right edge: 991 - 4 = 987, lowered to 982 (and 988 to 984).
    EXPECT_EQ(MapScrollAfterSwitch(ScreenLayout::Small, ScreenLayout::Large, {991, 991}),
              (MapScrollPositions{982, 984}));
    // At the top-left the negative shift stops at the minimum.
    EXPECT_EQ(MapScrollAfterSwitch(ScreenLayout::Small, ScreenLayout::Large, {2, 1}),
              (MapScrollPositions{1, 1}));
}

TEST(LayoutSwitch, StartUpFromTheDesignArrangementCentresTheSmallView) {
    const MapScrollPositions after =
        MapScrollAfterSwitch(ScreenLayout::Large, ScreenLayout::Small, {492, 493});
    EXPECT_EQ(after, (MapScrollPositions{496, 496}));
    EXPECT_EQ(ViewCellToMapCell(after.Horizontal, after.Vertical, 5, 5), (MapCell{499, 499}));
}

TEST(LayoutSwitch, ChoosingTheLayoutInForceMovesNothing) {
    for (const ScreenLayout layout : kAllLayouts) {
        EXPECT_EQ(LayoutShift(layout, layout), (ScrollShift{0, 0}));
        EXPECT_EQ(MapScrollAfterSwitch(layout, layout, {1, 700}), (MapScrollPositions{1, 700}));
    }
}

}  // namespace
}  // namespace velmora
