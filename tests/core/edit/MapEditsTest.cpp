// The cell operations on small areas at the map's corners and edges, with
// lists of codes, and their counts of changed cells.
#include "core/edit/MapEdits.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace velmora {
namespace {

constexpr int kLast = kMapSide - 1;

// A grid whose corners and edges hold codes the cases look for.
MapGrid CornerGrid() {
    MapGrid grid;
    grid.Set(0, 0, 2);
    grid.Set(kLast, 0, 3);
    grid.Set(0, kLast, 2);
    grid.Set(kLast, kLast, 3);
    for (int i = 0; i < kMapSide; ++i) {
        grid.Set(i, kLast - 1, 5);  // the second-last row
        grid.Set(kLast - 1, i, 6);  // the second-last column
    }
    return grid;
}

TEST(MapEdits, ReplaceChangesTheCellsHoldingTheCodesWithinTheArea) {
    const struct {
        const char* Case;
        std::vector<TileCode> From;
        TileCode To;
        CellArea Area;
        std::size_t Changed;
        // A cell and its code afterwards.
        MapCell Probe;
        TileCode After;
    } cases[] = {
        {"one code, whole map", {2}, 7, kWholeMap, 2, {0, kLast}, 7},
        {"a list of codes", {2, 3}, 7, kWholeMap, 4, {kLast, kLast}, 7},
        {"a list with codes no cell holds", {3, -1, 1'000'000'000}, 7, kWholeMap, 2, {kLast, 0}, 7},
        {"a code to itself", {2}, 2, kWholeMap, 0, {0, 0}, 2},
        {"the last corner alone", {3}, 9, {kLast, kLast, 1, 1}, 1, {kLast, 0}, 3},
        {"the last row", {2, 3}, 9, {0, kLast, kMapSide, 1}, 2, {kLast, kLast}, 9},
        {"the last column", {3}, 9, {kLast, 0, 1, kMapSide}, 2, {kLast, kLast}, 9},
        {"a one-cell area without the code", {2}, 9, {1, 1, 1, 1}, 0, {0, 0}, 2},
        {"row and column crossing", {5, 6}, 0, kWholeMap, 2 * kMapSide - 1, {kLast - 1, 3}, 0},
        {"code 0 in a block", {0}, 1, {10, 20, 3, 4}, 12, {12, 23}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        MapGrid grid = CornerGrid();
        const MapGrid before = grid;
        EXPECT_EQ(ReplaceCodes(grid, c.From, c.To, c.Area), c.Changed);
        EXPECT_EQ(grid.At(c.Probe.X, c.Probe.Y), c.After);
        EXPECT_EQ(CountDifferingCells(before.Cells(), grid.Cells()), c.Changed);
    }
}

TEST(MapEdits, FillAndCopyWriteTheWholeBlockAndCountOnlyNewCodes) {
    const struct {
        const char* Case;
        CellArea Area;
        TileCode Code;
        std::size_t Changed;
    } fills[] = {
        {"the first cell", {0, 0, 1, 1}, 4, 1},
        {"a cell given its own code", {0, 0, 1, 1}, 2, 0},
        {"the last cell", {kLast, kLast, 1, 1}, 4, 1},
        {"the last column, two cells already so", {kLast, 0, 1, kMapSide}, 3, kMapSide - 2},
        {"the whole map with the common code", kWholeMap, 0, 4 + 2 * kMapSide - 1},
    };
    for (const auto& c : fills) {
        SCOPED_TRACE(c.Case);
        MapGrid grid = CornerGrid();
        EXPECT_EQ(FillArea(grid, c.Area, c.Code), c.Changed);
        EXPECT_EQ(grid.At(c.Area.Left + c.Area.Columns - 1, c.Area.Top + c.Area.Rows - 1), c.Code);
    }

    MapGrid source;
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 2; ++x) {
            source.Set(x, y, 10 + y * 2 + x);  // 10 11 / 12 13 / 14 15
        }
    }
    MapGrid grid;
    EXPECT_EQ(CopyArea(grid, source, {0, 0, 2, 3}, {kLast - 1, kLast - 2}), 6u);
    EXPECT_EQ(grid.At(kLast - 1, kLast - 2), 10);
    EXPECT_EQ(grid.At(kLast, kLast), 15);
    EXPECT_EQ(CopyArea(grid, source, {0, 0, 2, 3}, {kLast - 1, kLast - 2}), 0u);
    // Within one grid, overlapping: every cell reads the block as it was.
    EXPECT_EQ(CopyArea(source, source, {0, 0, 2, 3}, {1, 1}), 6u);
    EXPECT_EQ(source.At(1, 1), 10);
    EXPECT_EQ(source.At(2, 3), 15);
    EXPECT_EQ(source.At(2, 2), 13);
}

TEST(MapEdits, AreasPastTheEdgeAreRefusedNotClipped) {
    const CellArea outside[] = {
        {0, 0, 0, 1},
        {0, 0, 1, 0},
        {-1, 0, 2, 1},
        {kLast, 0, 2, 1},
        {0, kLast, 1, 2},
        {0, 0, kMapSide + 1, 1},
        {5, 5, 2'147'483'647, 1},
    };
    for (const CellArea& area : outside) {
        SCOPED_TRACE(testing::Message()
                     << area.Left << "," << area.Top << "," << area.Columns << "," << area.Rows);
        EXPECT_FALSE(IsWithinMap(area));
        MapGrid grid;
        EXPECT_THROW(FillArea(grid, area, 1), std::out_of_range);
        EXPECT_THROW(ReplaceCodes(grid, std::vector<TileCode>{0}, 1, area), std::out_of_range);
    }
    MapGrid grid;
    EXPECT_THROW(CopyArea(grid, grid, {0, 0, 2, 2}, {kLast, 0}), std::out_of_range);
    EXPECT_EQ(CountDifferingCells(grid.Cells(), MapGrid().Cells()), 0u);
}

}  // namespace
}  // namespace velmora
