// The rule checks. A rule over the whole map is first asked of the map's code
// counts, which the reading of the map made anyway: most rules hold, and a
// rule whose tiles the map does not hold is answered without a look at its
// million cells.
#include "core/rules/MapRules.h"

#include <algorithm>

namespace velmora {

CodeSet::CodeSet(const std::span<const TileCode> codes) {
    for (const TileCode code : codes) {
        if (code >= 0 && code < kTableSize) {
            table_[static_cast<std::size_t>(code)] = true;
        } else {
            others_.push_back(code);
        }
    }
    std::sort(others_.begin(), others_.end());
    others_.erase(std::unique(others_.begin(), others_.end()), others_.end());
}

bool CodeSet::ContainsOther(const TileCode code) const {
    return std::binary_search(others_.begin(), others_.end(), code);
}

bool CodeSet::AnyIn(const std::span<const CodeCount> counts) const {
    return std::any_of(counts.begin(), counts.end(), [this](const CodeCount& counted) {
        return counted.Count > 0 && Contains(counted.Code);
    });
}

std::uint64_t CodeSet::CellsIn(const std::span<const CodeCount> counts) const {
    std::uint64_t cells = 0;
    for (const CodeCount& counted : counts) {
        cells += Contains(counted.Code) ? counted.Count : 0;
    }
    return cells;
}

namespace {

bool IsWholeMap(const CellArea& area) {
    return area.Left == 0 && area.Top == 0 && area.Columns == kMapSide && area.Rows == kMapSide;
}

// The cells of the area (or of its edge alone) for which offends is true,
// ascending.
template <typename Offends>
std::vector<std::int32_t> OffendingCells(const CellArea& area, const bool edgeOnly,
                                         const Offends& offends) {
    std::vector<std::int32_t> found;
    const int right = area.Left + area.Columns;
    const int bottom = area.Top + area.Rows;
    for (int y = area.Top; y < bottom; ++y) {
        const bool wholeRow = !edgeOnly || y == area.Top || y == bottom - 1;
        // Between the top and bottom rows, an edge has only its two ends.
        const int step = wholeRow ? 1 : std::max(1, area.Columns - 1);
        for (int x = area.Left; x < right; x += step) {
            const std::int32_t index = MapGrid::IndexOf(x, y);
            if (offends(x, y, index)) {
                found.push_back(index);
            }
        }
    }
    return found;
}

std::vector<RuleFinding> Grouped(const std::vector<std::int32_t>& cells) {
    std::vector<RuleFinding> findings;
    if (cells.empty()) {
        return findings;  // spares the grouping's map-sized table
    }
    for (CellGroup& group : GroupTouchingCells(cells)) {
        findings.push_back(RuleFinding{std::move(group), 0});
    }
    return findings;
}

}  // namespace

std::vector<RuleFinding> CheckRule(const MapRule& rule, const std::span<const TileCode> cells,
                                   const std::span<const CodeCount> counts) {
    const bool wholeMap = IsWholeMap(rule.Area);
    const auto at = [&cells](const std::int32_t index) {
        return cells[static_cast<std::size_t>(index)];
    };
    switch (rule.Kind) {
        case RuleKind::Only: {
            const bool allAllowed =
                std::all_of(counts.begin(), counts.end(), [&rule](const CodeCount& counted) {
                    return counted.Count == 0 || rule.Tiles.Contains(counted.Code);
                });
            if (allAllowed) {
                return {};
            }
            return Grouped(OffendingCells(rule.Area, false, [&](int, int, std::int32_t index) {
                return !rule.Tiles.Contains(at(index));
            }));
        }
        case RuleKind::Never:
            if (!rule.Tiles.AnyIn(counts)) {
                return {};
            }
            return Grouped(OffendingCells(rule.Area, false, [&](int, int, std::int32_t index) {
                return rule.Tiles.Contains(at(index));
            }));
        case RuleKind::NeverTouch:
            if (!rule.Tiles.AnyIn(counts) || !rule.Touching.AnyIn(counts)) {
                return {};
            }
            return Grouped(OffendingCells(rule.Area, false, [&](int x, int y, std::int32_t index) {
                if (!rule.Tiles.Contains(at(index))) {
                    return false;
                }
                // A neighbour outside the rule's block still touches the cell.
                for (const auto& [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
                    if (MapGrid::Contains(x + dx, y + dy) &&
                        rule.Touching.Contains(at(MapGrid::IndexOf(x + dx, y + dy)))) {
                        return true;
                    }
                }
                return false;
            }));
        case RuleKind::Count: {
            std::uint64_t counted = 0;
            if (wholeMap) {
                counted = rule.Tiles.CellsIn(counts);
            } else {
                const CellArea& area = rule.Area;
                for (int y = area.Top; y < area.Top + area.Rows; ++y) {
                    for (int x = area.Left; x < area.Left + area.Columns; ++x) {
                        counted += rule.Tiles.Contains(at(MapGrid::IndexOf(x, y))) ? 1 : 0;
                    }
                }
            }
            const bool tooFew = rule.AtLeast && counted < *rule.AtLeast;
            const bool tooMany = rule.AtMost && counted > *rule.AtMost;
            if (!tooFew && !tooMany) {
                return {};
            }
            return {RuleFinding{CellGroup{rule.Area, {}}, counted}};
        }
        case RuleKind::Edge:
            return Grouped(OffendingCells(rule.Area, true, [&](int, int, std::int32_t index) {
                return !rule.Tiles.Contains(at(index));
            }));
    }
    return {};
}

}  // namespace velmora
