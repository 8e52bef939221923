// One pass over the cells, comparing each side with the base; the tile set
// is decided once the changes are counted.
#include "core/merge/MapMerge.h"

namespace velmora {
namespace {

// The newer stamp; a stamp not stored is older than any stored one.
std::optional<VersionTriple> Newer(const std::optional<VersionTriple>& a,
                                   const std::optional<VersionTriple>& b) {
    if (!a || !b) {
        return a ? a : b;
    }
    return b->Packed() > a->Packed() ? b : a;
}

}  // namespace

MapMergeResult MergeMaps(const MergeInput& base, const MergeInput& ours, const MergeInput& theirs,
                         const MergeFavor favor, const std::span<TileCode> merged) {
    MapMergeResult result;
    const std::size_t count = merged.size();
    for (std::size_t i = 0; i < count; ++i) {
        const TileCode was = base.Cells[i];
        const TileCode mine = ours.Cells[i];
        const TileCode other = theirs.Cells[i];
        result.OursChanged += mine != was;
        result.TheirsChanged += other != was;
        if (mine == other || other == was) {
            merged[i] = mine;
        } else if (mine == was) {
            merged[i] = other;
        } else {
            merged[i] = favor == MergeFavor::Ours     ? mine
                        : favor == MergeFavor::Theirs ? other
                                                      : kConflictMark;
            result.Conflicts.push_back(static_cast<std::int32_t>(i));
        }
    }

    const bool oursChangedTileSet = ours.TileSet != base.TileSet;
    const bool theirsChangedTileSet = theirs.TileSet != base.TileSet;
    if (oursChangedTileSet && theirsChangedTileSet && ours.TileSet != theirs.TileSet) {
        result.WholeMap = WholeMapConflict::BothChangedTileSet;
    } else if (oursChangedTileSet && !theirsChangedTileSet && result.TheirsChanged > 0) {
        result.WholeMap = WholeMapConflict::OursChangedTileSetTheirsCells;
    } else if (theirsChangedTileSet && !oursChangedTileSet && result.OursChanged > 0) {
        result.WholeMap = WholeMapConflict::TheirsChangedTileSetOursCells;
    }
    if (result.WholeMap != WholeMapConflict::None) {
        result.Conflicts.clear();
        return result;
    }
    result.TileSet = theirsChangedTileSet ? theirs.TileSet : ours.TileSet;
    result.Version = Newer(ours.Version, theirs.Version);
    return result;
}

std::vector<std::int32_t> MarkedCells(const std::span<const TileCode> cells) {
    std::vector<std::int32_t> marked;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (cells[i] == kConflictMark) {
            marked.push_back(static_cast<std::int32_t>(i));
        }
    }
    return marked;
}

}  // namespace velmora
