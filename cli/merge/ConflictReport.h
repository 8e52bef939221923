// The conflicting cells of a merge in words: how many, and each area they
// form with the rectangle around it and what base, ours and theirs held
// there, named in each one's tile set. merge prints it when conflicts
// remain, conflicts prints it for a map in an unfinished merge.
#pragma once

#include "core/document/MapGrid.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace velmora {

// One of the three maps of a merge, as the report names its codes.
struct ConflictSide {
    std::span<const TileCode> Cells;
    std::int32_t TileSet = 0;
};

// The most areas the text lists one by one.
inline constexpr std::size_t kMostAreasListed = 50;

// "12 cells conflict, in 2 areas:" and a line per area, such as
// "  510,487 3 x 4 (12 cells): base 2 "Wall", ours 5 "Walkway", theirs
// 12 "Door"". conflicts are ascending cell numbers.
std::string ConflictText(std::span<const std::int32_t> conflicts, const ConflictSide& base,
                         const ConflictSide& ours, const ConflictSide& theirs);

}  // namespace velmora
