// Cells grouped into the areas they form, at edges and corners.
#include "core/merge/CellAreas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace velmora {
namespace {

std::vector<std::int32_t> Cells(std::vector<std::pair<int, int>> xy) {
    std::vector<std::int32_t> cells;
    for (const auto [x, y] : xy) {
        cells.push_back(MapGrid::IndexOf(x, y));
    }
    std::sort(cells.begin(), cells.end());
    return cells;
}

TEST(CellAreas, TouchingCellsFormOneAreaWithTheRectangleAroundThem) {
    const struct {
        const char* Case;
        std::vector<std::pair<int, int>> Cells;
        // Per area: left, top, columns, rows, cells.
        std::vector<std::array<int, 5>> Areas;
    } cases[] = {
        {"none", {}, {}},
        {"one cell", {{5, 7}}, {{5, 7, 1, 1, 1}}},
        {"a row and a cell apart",
         {{1, 1}, {2, 1}, {3, 1}, {9, 1}},
         {{1, 1, 3, 1, 3}, {9, 1, 1, 1, 1}}},
        {"a diagonal", {{4, 0}, {3, 1}, {2, 2}}, {{2, 0, 3, 3, 3}}},
        {"a U joined only at its bottom",
         {{0, 0}, {4, 0}, {0, 1}, {4, 1}, {0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 2}},
         {{0, 0, 5, 3, 9}}},
        {"the map's edges do not wrap", {{998, 0}, {0, 1}}, {{998, 0, 1, 1, 1}, {0, 1, 1, 1, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        const std::vector<CellGroup> groups = GroupTouchingCells(Cells(c.Cells));
        ASSERT_EQ(groups.size(), c.Areas.size());
        for (std::size_t i = 0; i < groups.size(); ++i) {
            const CellArea& box = groups[i].Bounds;
            EXPECT_EQ((std::array<int, 5>{box.Left, box.Top, box.Columns, box.Rows,
                                          static_cast<int>(groups[i].Cells.size())}),
                      c.Areas[i]);
        }
    }
}

}  // namespace
}  // namespace velmora
