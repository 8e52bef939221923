// Turning versions' bytes into the cells each changed, with two grids: the
// version before and the one being read.
#include "cli/history/MapVersions.h"

#include "cli/MapCondition.h"
#include "core/document/GridDifference.h"
#include "core/document/MapLoading.h"

#include <utility>

namespace velmora {

MapVersions ReadMapVersions(const std::string& mapPath, const std::size_t mostVersions) {
    MapVersions versions;
    versions.History = ReadGitHistory(mapPath, mostVersions);
    if (versions.History.Versions.empty()) {
        throw FileError(mapPath, "has no version in git and no file in the work tree");
    }
    versions.Changes.resize(versions.History.Versions.size());
    auto before = std::make_unique<MapGrid>();
    auto current = std::make_unique<MapGrid>();
    ReadVersionBytes(
        mapPath, versions.History,
        [&](const std::size_t index, const std::span<const std::uint8_t> bytes) {
            std::int32_t tileSet = 0;
            const MapFileCondition condition = LoadMapBytes(bytes, *current, tileSet);
            VersionChanges& changes = versions.Changes[index];
            changes.StoredTileSet = condition.TileSet;
            changes.TileSet = DrawingTileSet(condition, std::nullopt);
            for (ConditionNote& note : DescribeCondition(condition)) {
                changes.Problems.push_back(std::move(note.Text));
            }
            changes.Cells = DifferingCells(before->Cells(), current->Cells());
            changes.Codes.reserve(changes.Cells.size());
            for (const std::int32_t cell : changes.Cells) {
                changes.Codes.push_back(current->Cells()[static_cast<std::size_t>(cell)]);
            }
            if (index == 0) {
                versions.Oldest = std::make_unique<MapGrid>(*current);
            }
            std::swap(before, current);
        });
    return versions;
}

}  // namespace velmora
