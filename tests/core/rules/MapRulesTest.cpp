// Each kind of rule on a small drawing in an empty map: the corners and edges
// of the map and of a block, areas of one cell, counts at their bounds, and
// the areas that offending cells form.
#include "core/rules/MapRules.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <vector>

namespace velmora {
namespace {

using Cell = std::tuple<int, int, TileCode>;
// Per finding: left, top, columns, rows, cells (or the count of a count rule).
using Area = std::array<std::uint64_t, 5>;

MapRule Rule(const RuleKind kind, const std::vector<TileCode>& tiles,
             const std::vector<TileCode>& touching = {}, const CellArea area = kWholeMap) {
    MapRule rule;
    rule.Kind = kind;
    rule.Tiles = CodeSet(tiles);
    rule.Touching = CodeSet(touching);
    rule.Area = area;
    return rule;
}

MapRule Counted(const std::optional<std::uint64_t> atLeast,
                const std::optional<std::uint64_t> atMost, const CellArea area = kWholeMap) {
    MapRule rule = Rule(RuleKind::Count, {5}, {}, area);
    rule.AtLeast = atLeast;
    rule.AtMost = atMost;
    return rule;
}

TEST(MapRules, EachKindOfRuleFindsTheAreasOfCellsThatBreakIt) {
    constexpr int kLast = kMapSide - 1;
    const CellArea block{10, 20, 3, 2};
    const struct {
        const char* Case;
        MapRule Rule;
        std::vector<Cell> Cells;  // on a map of code 0
        std::vector<Area> Found;
    } cases[] = {
        {"only: all allowed", Rule(RuleKind::Only, {0, 1}), {{4, 4, 1}}, {}},
        {"only: corners are areas of one cell",
         Rule(RuleKind::Only, {0}),
         {{0, 0, 7}, {kLast, kLast, 7}},
         {{0, 0, 1, 1, 1}, {kLast, kLast, 1, 1, 1}}},
        {"only: a block checks only its cells",
         Rule(RuleKind::Only, {0}, {}, block),
         {{9, 20, 7}, {12, 21, 7}, {13, 21, 7}},
         {{12, 21, 1, 1, 1}}},
        {"only: a code of no tile set", Rule(RuleKind::Only, {0, -5}), {{3, 3, -5}}, {}},
        {"never: touching cells are one area, diagonals too",
         Rule(RuleKind::Never, {3}),
         {{5, 5, 3}, {6, 5, 3}, {7, 6, 3}, {20, 5, 3}},
         {{5, 5, 3, 2, 3}, {20, 5, 1, 1, 1}}},
        {"never: none held", Rule(RuleKind::Never, {3}), {{5, 5, 4}}, {}},
        {"never: the whole map", Rule(RuleKind::Never, {0}), {}, {{0, 0, 999, 999, 998001}}},
        {"never-touch: four neighbours, not diagonals",
         Rule(RuleKind::NeverTouch, {3}, {16}),
         {{5, 5, 3}, {6, 5, 16}, {10, 10, 3}, {11, 11, 16}, {20, 20, 3}, {20, 21, 16}},
         {{5, 5, 1, 1, 1}, {20, 20, 1, 1, 1}}},
        {"never-touch: at the map's edge",
         Rule(RuleKind::NeverTouch, {3}, {16}),
         {{0, kLast, 3}, {1, kLast, 16}, {kLast, 0, 3}},
         {{0, kLast, 1, 1, 1}}},
        {"never-touch: a neighbour outside the block counts",
         Rule(RuleKind::NeverTouch, {3}, {16}, block),
         {{10, 20, 3}, {10, 19, 16}, {8, 20, 3}, {7, 20, 16}},
         {{10, 20, 1, 1, 1}}},
        {"never-touch: the same tile in both lists",
         Rule(RuleKind::NeverTouch, {3}, {3}),
         {{5, 5, 3}, {5, 6, 3}, {9, 9, 3}},
         {{5, 5, 1, 2, 2}}},
        {"edge: the map's edge all rock", Rule(RuleKind::Edge, {0}), {{1, 1, 4}}, {}},
        {"edge: an open cell on each side",
         Rule(RuleKind::Edge, {0}),
         {{500, 0, 1}, {0, 500, 1}, {kLast, 600, 1}, {700, kLast, 1}, {500, 1, 1}},
         {{500, 0, 1, 1, 1}, {0, 500, 1, 1, 1}, {kLast, 600, 1, 1, 1}, {700, kLast, 1, 1, 1}}},
        {"edge: a block's edge, not its inside",
         Rule(RuleKind::Edge, {0}, {}, CellArea{10, 20, 3, 3}),
         {{11, 21, 1}, {12, 22, 1}, {13, 22, 1}},
         {{12, 22, 1, 1, 1}}},
        {"edge: a block of one column is all edge",
         Rule(RuleKind::Edge, {1}, {}, CellArea{4, 4, 1, 3}),
         {{4, 4, 1}, {4, 6, 1}},
         {{4, 5, 1, 1, 1}}},
        {"count: at least, met", Counted(2, {}), {{1, 1, 5}, {2, 2, 5}}, {}},
        {"count: at least, one short", Counted(2, {}), {{1, 1, 5}}, {{0, 0, 999, 999, 1}}},
        {"count: at most, met", Counted({}, 1), {{1, 1, 5}}, {}},
        {"count: at most, one over", Counted({}, 1), {{1, 1, 5}, {2, 2, 5}}, {{0, 0, 999, 999, 2}}},
        {"count: exactly none", Counted(0, 0), {}, {}},
        {"count: within a block", Counted(1, 1, block), {{1, 1, 5}}, {{10, 20, 3, 2, 0}}},
        {"count: at a block's corners",
         Counted(2, 2, block),
         {{10, 20, 5}, {12, 21, 5}, {13, 21, 5}},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        MapGrid grid;
        for (const auto& [x, y, code] : c.Cells) {
            grid.Set(x, y, code);
        }
        const std::span<const TileCode> cells = std::as_const(grid).Cells();
        std::vector<Area> found;
        for (const RuleFinding& finding : CheckRule(c.Rule, cells, CountCodes(cells))) {
            const CellArea& box = finding.Cells.Bounds;
            const std::uint64_t size =
                c.Rule.Kind == RuleKind::Count ? finding.Counted : finding.Cells.Cells.size();
            found.push_back({static_cast<std::uint64_t>(box.Left),
                             static_cast<std::uint64_t>(box.Top),
                             static_cast<std::uint64_t>(box.Columns),
                             static_cast<std::uint64_t>(box.Rows), size});
        }
        EXPECT_EQ(found, c.Found);
    }
}

}  // namespace
}  // namespace velmora
