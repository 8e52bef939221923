// How many cells hold each code, counted fast enough to cost little beside
// reading the map: in plain arrays, while each row is still in the
// processor's cache, with only the rare codes outside 0..255 gathered and
// sorted.
#pragma once

#include "core/document/MapGrid.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace velmora {

struct CodeCount {
    TileCode Code = 0;
    std::uint32_t Count = 0;

    friend constexpr bool operator==(const CodeCount&, const CodeCount&) = default;
};

// Counts codes of cells handed over in pieces, such as the rows of a map
// as they are read.
class CodeCounter {
public:
    void Add(std::span<const TileCode> cells);
    std::size_t CellsAdded() const { return cellsAdded_; }
    // Each code of the cells added with its count, ordered by code.
    std::vector<CodeCount> Counts() const;

private:
    // Eight counters per code, taken in turn: with one, every increment in a
    // run of one code would wait for the one before.
    static constexpr std::size_t kLanes = 8;
    // Codes are counted by their low byte, which is the code itself for
    // every code from 0 to 255; the rare others are also kept aside and
    // taken off their low byte's count at the end.
    static constexpr std::uint32_t kLowCodes = 256;
    using LowByteCounters = std::array<std::uint32_t, kLowCodes>;

    std::array<LowByteCounters, kLanes> lanes_{};
    std::vector<TileCode> others_;
    std::size_t cellsAdded_ = 0;
};

// Each code of the cells with its count, ordered by code.
std::vector<CodeCount> CountCodes(std::span<const TileCode> cells);

// Orders counts by count, the most used first, equal counts by code.
void SortByCount(std::vector<CodeCount>& counts);

}  // namespace velmora
