// The three-way merge of two maps that both began as one: cell by cell, each
// cell takes the code of the side that changed it; a cell that both sides
// changed to different codes is a conflict and holds the conflict mark. The
// stored tile set follows the same rule, but a tile set cannot be merged with
// cell changes made under the old one (the new set reads those codes as other
// tiles), so then the whole map is a conflict and nothing is merged.
#pragma once

#include "core/document/MapGrid.h"
#include "core/document/Version.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velmora {

// The code a conflicting cell holds after a merge: it names no tile in any
// tile set, and lies far from what damaged files hold (-1, small codes, the
// smallest and largest values), so that a file holding it has been merged.
inline constexpr TileCode kConflictMark = -777'777'777;

// One of the three maps: its cells and what its trailer stored.
struct MergeInput {
    std::span<const TileCode> Cells;
    std::int32_t TileSet = 0;
    // Absent for a file that stores only its grid and tile set.
    std::optional<VersionTriple> Version;
};

// What a conflicting cell takes: the mark, or one side's code.
enum class MergeFavor { None, Ours, Theirs };

// Why a whole map could not be merged.
enum class WholeMapConflict {
    None,
    // Both sides changed the tile set, to different ones.
    BothChangedTileSet,
    // One side changed the tile set while the other changed cells.
    OursChangedTileSetTheirsCells,
    TheirsChangedTileSetOursCells,
};

struct MapMergeResult {
    WholeMapConflict WholeMap = WholeMapConflict::None;
    // The merged tile set and version stamp (the newer of the two sides').
    std::int32_t TileSet = 0;
    std::optional<VersionTriple> Version;
    // The cells both sides changed to different codes, ascending; with a
    // favoured side they hold its code, else the mark.
    std::vector<std::int32_t> Conflicts;
    // The cells each side changed from the base.
    std::size_t OursChanged = 0;
    std::size_t TheirsChanged = 0;

    bool Clean() const { return WholeMap == WholeMapConflict::None && Conflicts.empty(); }
};

// Merges the three maps into merged (998,001 cells). With a whole-map
// conflict merged holds nothing of use and only WholeMap and the counts of
// changes are set.
MapMergeResult MergeMaps(const MergeInput& base, const MergeInput& ours, const MergeInput& theirs,
                         MergeFavor favor, std::span<TileCode> merged);

// The cells that hold the conflict mark, ascending.
std::vector<std::int32_t> MarkedCells(std::span<const TileCode> cells);

}  // namespace velmora
