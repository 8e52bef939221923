// Turning versions' bytes into the cells each changed, with two grids: the
// version before and the one being read. The codes are counted once, for the
// oldest version, and then kept up to date from each version's changes, so
// that every version's cells with codes that name no tile are known without
// counting its whole grid again.
#include "cli/history/MapVersions.h"

#include "cli/MapCondition.h"
#include "core/document/GridDifference.h"
#include "core/document/MapLoading.h"
#include "core/merge/MapMerge.h"
#include "core/tiles/TileNames.h"
#include "core/tiles/TileSet.h"

#include <QFileInfo>

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace velmora {
namespace {

// The count of every code of the version read last.
class RunningCounts {
public:
    explicit RunningCounts(const std::span<const TileCode> cells) {
        for (const CodeCount& counted : CountCodes(cells)) {
            counts_[counted.Code] = counted.Count;
        }
    }

    void Change(const TileCode from, const TileCode to) {
        if (--counts_[from] == 0) {
            counts_.erase(from);
        }
        ++counts_[to];
    }

    // Ordered by code.
    std::vector<CodeCount> Counts() const {
        std::vector<CodeCount> counts;
        counts.reserve(counts_.size());
        for (const auto& [code, count] : counts_) {
            counts.push_back({code, count});
        }
        std::sort(counts.begin(), counts.end(),
                  [](const CodeCount& a, const CodeCount& b) { return a.Code < b.Code; });
        return counts;
    }

private:
    std::unordered_map<TileCode, std::uint32_t> counts_;
};

// A version's code at a cell, found from a later version's by undoing the
// list's steps in between.
TileCode CodeOf(const std::vector<VersionChanges>& changes, const std::size_t version,
                const std::size_t later, const std::int32_t cell, TileCode code) {
    for (std::size_t k = later; k > version; --k) {
        const std::vector<std::int32_t>& cells = changes[k].Cells;
        const auto found = std::lower_bound(cells.begin(), cells.end(), cell);
        if (found != cells.end() && *found == cell) {
            code = changes[k].Before[static_cast<std::size_t>(found - cells.begin())];
        }
    }
    return code;
}

// The cells in which the version differs from its parents, from the list's
// steps: for the version right before it those steps themselves, for an
// older one every cell any step in between changed, each checked.
void FindParentChanges(std::vector<VersionChanges>& changes, const MapVersion& version,
                       const std::size_t index, const std::span<const TileCode> cells) {
    VersionChanges& changed = changes[index];
    if (version.Parents.empty()) {
        for (std::size_t cell = 0; cell < cells.size(); ++cell) {
            if (cells[cell] != 0) {
                changed.ParentCells.push_back(static_cast<std::int32_t>(cell));
            }
        }
        changed.ParentBefore.assign(changed.ParentCells.size(), 0);
        for (const std::int32_t cell : changed.ParentCells) {
            changed.ParentAfter.push_back(cells[static_cast<std::size_t>(cell)]);
        }
        return;
    }
    const std::size_t first = version.Parents.front();
    if (first + 1 == index) {
        changed.ParentCells = changed.Cells;
        changed.ParentBefore = changed.Before;
        changed.ParentAfter = changed.Codes;
    } else {
        std::vector<std::int32_t> stepped;
        for (std::size_t k = first + 1; k <= index; ++k) {
            stepped.insert(stepped.end(), changes[k].Cells.begin(), changes[k].Cells.end());
        }
        std::sort(stepped.begin(), stepped.end());
        stepped.erase(std::unique(stepped.begin(), stepped.end()), stepped.end());
        for (const std::int32_t cell : stepped) {
            const TileCode now = cells[static_cast<std::size_t>(cell)];
            const TileCode then = CodeOf(changes, first, index, cell, now);
            if (then != now) {
                changed.ParentCells.push_back(cell);
                changed.ParentBefore.push_back(then);
                changed.ParentAfter.push_back(now);
            }
        }
    }
    for (std::size_t c = 0; c < changed.ParentCells.size(); ++c) {
        const std::int32_t cell = changed.ParentCells[c];
        const TileCode now = changed.ParentAfter[c];
        // A cell that the first parent too changed since the branches parted
        // was a conflict, which the merge resolved: the merge set it.
        if (version.MergeBase &&
            CodeOf(changes, *version.MergeBase, index, cell, now) != changed.ParentBefore[c]) {
            continue;
        }
        for (std::size_t p = 1; p < version.Parents.size(); ++p) {
            if (CodeOf(changes, version.Parents[p], index, cell, now) == now) {
                changed.BroughtCells.push_back(cell);
                changed.BroughtFrom.push_back(
                    static_cast<std::uint8_t>(std::min<std::size_t>(p, 255)));
                break;
            }
        }
    }
}

}  // namespace

MapVersions ReadMapVersions(const std::string& mapPath, const std::size_t mostVersions,
                            const std::optional<std::vector<std::uint8_t>>& worktree) {
    MapVersions versions;
    versions.History = ReadGitHistory(mapPath, mostVersions, worktree);
    if (versions.History.Versions.empty()) {
        throw FileError(mapPath, "has no version in git and no file in the work tree");
    }
    versions.Changes.resize(versions.History.Versions.size());
    auto before = std::make_unique<MapGrid>();
    auto current = std::make_unique<MapGrid>();
    std::optional<RunningCounts> counts;
    // The cells of the version before that name no tile in its tile set.
    std::uint64_t noTileCells = 0;
    // The cells that hold the conflict mark of a merge.
    std::uint64_t markedCells = 0;
    std::int32_t noTileSet = -1;
    std::vector<TileCode> codes;
    const auto use = [&](const std::size_t index, const std::span<const std::uint8_t> bytes) {
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
        changes.Before.reserve(changes.Cells.size());
        const TileNames names(changes.TileSet);
        const bool sameTileSet = counts && noTileSet == changes.TileSet;
        for (const std::int32_t cell : changes.Cells) {
            const TileCode was = before->Cells()[static_cast<std::size_t>(cell)];
            const TileCode code = current->Cells()[static_cast<std::size_t>(cell)];
            changes.Codes.push_back(code);
            changes.Before.push_back(was);
            if (counts) {
                counts->Change(was, code);
                markedCells += (code == kConflictMark) - (was == kConflictMark);
                if (sameTileSet && IsKnownTileSet(changes.TileSet)) {
                    noTileCells -= names.Find(was) == nullptr && was != kConflictMark;
                    noTileCells += names.Find(code) == nullptr && code != kConflictMark;
                }
            }
        }
        codes.insert(codes.end(), changes.Codes.begin(), changes.Codes.end());
        if (index == 0) {
            versions.Oldest = std::make_unique<MapGrid>(*current);
            counts.emplace(current->Cells());
            const std::vector<CodeCount> oldest = counts->Counts();
            for (const CodeCount& counted : oldest) {
                codes.push_back(counted.Code);
            }
            markedCells = MarkedCellCount(oldest);
        }
        if (!sameTileSet) {
            noTileCells = NoTileCells(changes.TileSet, counts->Counts());
            noTileSet = changes.TileSet;
        }
        // As CodeNotes words them, kept up to date from the changes.
        if (const auto marks = ConflictMarkText(markedCells)) {
            changes.Problems.push_back(*marks);
        }
        if (const auto noTile = NoTileText(changes.TileSet, noTileCells)) {
            changes.Problems.push_back(*noTile);
        }
        FindParentChanges(versions.Changes, versions.History.Versions[index], index,
                          std::as_const(*current).Cells());
        std::swap(before, current);
    };
    ReadVersionBytes(mapPath, versions.History, worktree, use);
    versions.NewestCounts = counts->Counts();
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    versions.Codes = std::move(codes);
    return versions;
}

std::optional<std::vector<std::uint8_t>> ReadWorktreeFile(const std::string& mapPath) {
    if (mapPath != kStandardInputName && !QFileInfo::exists(QString::fromStdString(mapPath))) {
        return std::nullopt;
    }
    return ReadInputBytes(mapPath);
}

void AddMostVersionsOption(CommandLine& line) {
    line.AddOption(
        QCommandLineOption(QStringLiteral("max-versions"), QString(), QStringLiteral("N")));
}

std::optional<std::size_t> MostVersionsGiven(const CommandLine& line) {
    const std::optional<int> given =
        line.IntegerValue(QStringLiteral("max-versions"), 1, 1'000'000);
    return given ? std::optional(static_cast<std::size_t>(*given)) : std::nullopt;
}

const VersionChanges* FirstParentOf(const MapVersions& versions, const std::size_t version) {
    const std::vector<std::size_t>& parents = versions.History.Versions[version].Parents;
    return parents.empty() ? nullptr : &versions.Changes[parents.front()];
}

std::optional<std::string> TileSetChangeText(const MapVersions& versions,
                                             const std::size_t version) {
    const VersionChanges* const before = FirstParentOf(versions, version);
    const VersionChanges& changes = versions.Changes[version];
    if (before == nullptr || before->StoredTileSet == changes.StoredTileSet) {
        return std::nullopt;
    }
    return TileSetText(before->StoredTileSet) + " -> " + TileSetText(changes.StoredTileSet);
}

std::optional<std::string> HistoryStartText(const MapVersion& version) {
    if (!version.ShallowStart) {
        return std::nullopt;
    }
    return "the history of this shallow clone begins here; 'git fetch --unshallow' fetches "
           "the versions before";
}

}  // namespace velmora
