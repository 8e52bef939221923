// Grouping the conflicts into areas and naming their codes. Most areas hold
// one combination of codes; an area of several names the most common one
// and counts the others.
#include "cli/merge/ConflictReport.h"

#include "cli/MapCondition.h"
#include "core/merge/CellAreas.h"
#include "core/tiles/TileNames.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace velmora {

std::string ConflictText(const std::span<const std::int32_t> conflicts, const ConflictSide& base,
                         const ConflictSide& ours, const ConflictSide& theirs) {
    const std::vector<CellGroup> areas = GroupTouchingCells(conflicts);
    std::string text =
        (conflicts.size() == 1 ? "1 cell conflicts" : CellCount(conflicts.size()) + " conflict") +
        ", in " +
        (areas.size() == 1 ? std::string("1 area") : GroupedNumber(areas.size()) + " areas") +
        ":\n";
    const TileNames baseNames(base.TileSet);
    const TileNames oursNames(ours.TileSet);
    const TileNames theirsNames(theirs.TileSet);
    for (std::size_t a = 0; a < areas.size() && a < kMostAreasListed; ++a) {
        const CellGroup& area = areas[a];
        using Codes = std::tuple<TileCode, TileCode, TileCode>;
        std::map<Codes, std::size_t> combinations;
        for (const std::int32_t cell : area.Cells) {
            const auto at = static_cast<std::size_t>(cell);
            ++combinations[{base.Cells[at], ours.Cells[at], theirs.Cells[at]}];
        }
        const auto common =
            std::max_element(combinations.begin(), combinations.end(),
                             [](const auto& a, const auto& b) { return a.second < b.second; });
        const auto [was, mine, other] = common->first;
        text += "  " + std::to_string(area.Bounds.Left) + "," + std::to_string(area.Bounds.Top) +
                " " + std::to_string(area.Bounds.Columns) + " x " +
                std::to_string(area.Bounds.Rows) + " (" + CellCount(area.Cells.size()) +
                "): base " + baseNames.CodeText(was) + ", ours " + oursNames.CodeText(mine) +
                ", theirs " + theirsNames.CodeText(other);
        if (combinations.size() > 1) {
            text += "; and " + GroupedNumber(combinations.size() - 1) + " other combinations";
        }
        text += "\n";
    }
    if (areas.size() > kMostAreasListed) {
        text += "  and " + GroupedNumber(areas.size() - kMostAreasListed) + " more areas\n";
    }
    return text;
}

}  // namespace velmora
