// Counting a map's codes fast enough that info costs little beside reading
// the file: rows are counted as they are read, in plain arrays, and only the
// rare codes outside 0..255 are gathered and sorted.
#include "cli/info/MapSummary.h"

#include "cli/MapCondition.h"
#include "core/tiles/TileNames.h"
#include "core/tiles/TileSet.h"

#include <algorithm>
#include <array>
#include <functional>
#include <iterator>
#include <utility>

namespace velmora {
namespace {

std::uint32_t LowByte(const std::uint32_t code) {
    return code & 0xFFu;
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

void CodeCounter::Add(const std::span<const TileCode> cells) {
    std::uint32_t allBits = 0;
    std::size_t index = 0;
    for (; index + kLanes <= cells.size(); index += kLanes) {
        for (std::size_t lane = 0; lane < kLanes; ++lane) {
            const auto code = static_cast<std::uint32_t>(cells[index + lane]);
            ++lanes_[lane][LowByte(code)];
            allBits |= code;
        }
    }
    for (; index < cells.size(); ++index) {
        const auto code = static_cast<std::uint32_t>(cells[index]);
        ++lanes_[0][LowByte(code)];
        allBits |= code;
    }
    // The first pass has no branch; only pieces that held a code outside
    // 0..255 are looked at again.
    if (allBits >= kLowCodes) {
        std::copy_if(
            cells.begin(), cells.end(), std::back_inserter(others_),
            [](const TileCode code) { return static_cast<std::uint32_t>(code) >= kLowCodes; });
    }
    cellsAdded_ += cells.size();
}

std::vector<CodeCount> CodeCounter::Counts() const {
    LowByteCounters totals{};
    for (const LowByteCounters& lane : lanes_) {
        std::transform(totals.begin(), totals.end(), lane.begin(), totals.begin(), std::plus<>());
    }
    std::vector<CodeCount> counts;
    std::vector<TileCode> others = others_;
    std::sort(others.begin(), others.end());
    for (auto run = others.begin(); run != others.end();) {
        const auto next = std::upper_bound(run, others.end(), *run);
        const auto count = static_cast<std::uint32_t>(next - run);
        counts.push_back(CodeCount{*run, count});
        totals[LowByte(static_cast<std::uint32_t>(*run))] -= count;  // counted by low byte too
        run = next;
    }
    for (std::uint32_t code = 0; code < kLowCodes; ++code) {
        if (totals[code] > 0) {
            counts.push_back(CodeCount{static_cast<TileCode>(code), totals[code]});
        }
    }
    std::sort(counts.begin(), counts.end(),
              [](const CodeCount& a, const CodeCount& b) { return a.Code < b.Code; });
    return counts;
}

std::vector<CodeCount> CountCodes(const std::span<const TileCode> cells) {
    CodeCounter counter;
    counter.Add(cells);
    return counter.Counts();
}

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
    if (map.TileSet && IsKnownTileSet(*map.TileSet)) {
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

    std::stable_sort(summary.Codes.begin(), summary.Codes.end(),
                     [](const CodeCount& a, const CodeCount& b) { return a.Count > b.Count; });
    return summary;
}

}  // namespace velmora
