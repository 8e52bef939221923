// What info tells of a map: its codes, counted as its rows are read, the
// conflict marks, the codes that name no tile with their first cells, and its
// problems.
#include "cli/info/MapSummary.h"

#include "cli/MapCondition.h"
#include "core/merge/MapMerge.h"
#include "core/tiles/TileNames.h"
#include "core/tiles/TileSet.h"

#include <algorithm>
#include <utility>

namespace velmora {
namespace {

// Records the first cells of each code in noTile (ordered by code), in row
// order, and stops as soon as every code has all it shows.
void FindFirstCells(std::span<const TileCode> cells, const TileNames& names,
                    std::vector<NoTileCode>& noTile) {
    std::size_t wanting = noTile.size();
    for (std::size_t index = 0; index < cells.size() && wanting > 0; ++index) {
        const TileCode code = cells[index];
        if (names.Find(code) != nullptr || code == kConflictMark) {
            continue;
        }
        const auto found = std::lower_bound(
            noTile.begin(), noTile.end(), code,
            [](const NoTileCode& entry, const TileCode wanted) { return entry.Code < wanted; });
        std::vector<MapCell>& shown = found->FirstCells;
        if (shown.size() < kNoTileCellsShown) {
            shown.push_back(
                MapCell{static_cast<int>(index % kMapSide), static_cast<int>(index / kMapSide)});
            if (shown.size() == std::min<std::size_t>(kNoTileCellsShown, found->Count)) {
                --wanting;
            }
        }
    }
}

}  // namespace

CountedMap LoadAndCountMap(const std::string& path) {
    CodeCounter counter;
    LoadedMap map = LoadMap(path, [&counter](std::span<const TileCode> row) { counter.Add(row); });
    // A grid cut short ends in part of a row, which no row report covers.
    const std::span<const TileCode> held =
        std::as_const(*map.Grid).Cells().first(static_cast<std::size_t>(map.Read.CellsRead));
    counter.Add(held.subspan(counter.CellsAdded()));
    return CountedMap{std::move(map), counter.Counts()};
}

MapSummary Summarize(const LoadedMap& map, std::vector<CodeCount> codes) {
    MapSummary summary;
    const std::span<const TileCode> held =
        std::as_const(*map.Grid).Cells().first(static_cast<std::size_t>(map.Read.CellsRead));
    summary.Codes = std::move(codes);
    for (ConditionNote& note : DescribeCondition(map)) {
        summary.Problems.push_back(std::move(note.Text));
    }
    for (std::string& note : CodeNotes(map.TileSet, summary.Codes)) {
        summary.Problems.push_back(std::move(note));
    }
    summary.MarkedCells = MarkedCellCount(summary.Codes);
    if (map.TileSet && IsKnownTileSet(*map.TileSet)) {
        const TileNames names(map.TileSet);
        for (const CodeCount& counted : summary.Codes) {
            if (names.Find(counted.Code) == nullptr && counted.Code != kConflictMark) {
                summary.NoTile.push_back(NoTileCode{counted.Code, counted.Count, {}});
                summary.NoTileCells += counted.Count;
            }
        }
        FindFirstCells(held, names, summary.NoTile);
    }

    SortByCount(summary.Codes);
    return summary;
}

}  // namespace velmora
