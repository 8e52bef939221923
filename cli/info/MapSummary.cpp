// Counting a map's codes fast enough that info costs little beside reading
// the file: the codes a tile set can name are counted in plain arrays, and
// only the rare others are gathered and sorted.
#include "cli/info/MapSummary.h"

#include "cli/TileNames.h"
#include "cli/info/MapCondition.h"
#include "core/tiles/TileCatalogue.h"
#include "core/tiles/TileSet.h"

#include <algorithm>
#include <array>
#include <utility>

namespace velmora {
namespace {

// Four counters per code, taken in turn: a map is mostly long runs of one
// code, and one counter alone would make every increment wait for the last.
constexpr std::size_t kLanes = 4;
using CodeCounters = std::array<std::uint32_t, kCatalogueSize>;

void CountOne(CodeCounters& counters, std::vector<TileCode>& others, const TileCode code) {
    if (TileCatalogue::InRange(code)) {
        ++counters[static_cast<std::size_t>(code)];
    } else {
        others.push_back(code);
    }
}

// Records the first cells of each code in noTile (ordered by code), in row
// order, and stops as soon as every code has all it shows.
void FindFirstCells(std::span<const TileCode> cells, const TileNames& names,
                    std::vector<NoTileCode>& noTile) {
    std::size_t wanting = noTile.size();
    for (std::size_t index = 0; index < cells.size() && wanting > 0; ++index) {
        const TileCode code = cells[index];
        if (names.Find(code) != nullptr) {
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

std::vector<CodeCount> CountCodes(std::span<const TileCode> cells) {
    std::array<CodeCounters, kLanes> lanes{};
    std::vector<TileCode> others;
    std::size_t index = 0;
    for (; index + kLanes <= cells.size(); index += kLanes) {
        for (std::size_t lane = 0; lane < kLanes; ++lane) {
            CountOne(lanes[lane], others, cells[index + lane]);
        }
    }
    for (; index < cells.size(); ++index) {
        CountOne(lanes[0], others, cells[index]);
    }

    std::vector<CodeCount> counts;
    for (std::size_t code = 0; code < kCatalogueSize; ++code) {
        std::uint32_t count = 0;
        for (const CodeCounters& lane : lanes) {
            count += lane[code];
        }
        if (count > 0) {
            counts.push_back(CodeCount{static_cast<TileCode>(code), count});
        }
    }
    std::sort(others.begin(), others.end());
    for (auto run = others.begin(); run != others.end();) {
        const auto next = std::upper_bound(run, others.end(), *run);
        counts.push_back(CodeCount{*run, static_cast<std::uint32_t>(next - run)});
        run = next;
    }
    std::sort(counts.begin(), counts.end(),
              [](const CodeCount& a, const CodeCount& b) { return a.Code < b.Code; });
    return counts;
}

MapSummary Summarize(const LoadedMap& map) {
    MapSummary summary;
    const std::span<const TileCode> held =
        std::as_const(*map.Grid).Cells().first(static_cast<std::size_t>(map.Read.CellsRead));
    summary.CellsCounted = static_cast<std::uint32_t>(held.size());
    summary.Codes = CountCodes(held);
    summary.Problems = FileDamage(map);

    if (map.TileSet && !IsKnownTileSet(*map.TileSet)) {
        summary.Problems.push_back(TileSetText(map.TileSet) + ", so no code names a tile");
    } else if (map.TileSet) {
        const TileNames names(map.TileSet);
        for (const CodeCount& counted : summary.Codes) {
            if (names.Find(counted.Code) == nullptr) {
                summary.NoTile.push_back(NoTileCode{counted.Code, counted.Count, {}});
                summary.NoTileCells += counted.Count;
            }
        }
        if (!summary.NoTile.empty()) {
            FindFirstCells(held, names, summary.NoTile);
            summary.Problems.push_back(CellCount(summary.NoTileCells) +
                                       " with codes that name no tile in " +
                                       TileSetText(map.TileSet));
        }
    }
    if (const auto version = StoredVersion(map);
        version && IsNewerThan(*version, VersionStamp::Of(kProgramVersion))) {
        summary.Problems.push_back("written by a newer version than this program's " +
                                   VersionText(kProgramVersion));
    }

    std::stable_sort(summary.Codes.begin(), summary.Codes.end(),
                     [](const CodeCount& a, const CodeCount& b) { return a.Count > b.Count; });
    return summary;
}

}  // namespace velmora
