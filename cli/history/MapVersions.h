// Every version of a map as the cells it changed: the oldest version whole,
// each later one as the cells that differ from the version before, with the
// tile set it is drawn in and what is wrong with its file, worded as info
// words it. A damaged version is kept and flagged, never refused.
#pragma once

#include "cli/CommandLine.h"
#include "cli/history/GitHistory.h"
#include "core/document/CodeCounts.h"
#include "core/document/MapGrid.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace velmora {

struct VersionChanges {
    // The cells that differ from the version listed before (from a map of
    // code 0 for the oldest), ascending, their codes in this version and in
    // that one: the steps from one version of the list to the next.
    std::vector<std::int32_t> Cells;
    std::vector<TileCode> Codes;
    std::vector<TileCode> Before;
    // The cells that differ from the version's first parent (from a map of
    // code 0 when it has none), ascending, with their codes in the parent
    // and in this version: what the commit changed, as git compares a
    // commit with its parent.
    std::vector<std::int32_t> ParentCells;
    std::vector<TileCode> ParentBefore;
    std::vector<TileCode> ParentAfter;
    // Of a merge: those of the ParentCells whose code a later parent held
    // and that the first parent left as the branches' merge base had them,
    // so that the merge only brought them in, and that parent's place among
    // the version's parents (1 for the second). The others the merge itself
    // set: it resolved a conflict there, or made a change of its own.
    std::vector<std::int32_t> BroughtCells;
    std::vector<std::uint8_t> BroughtFrom;
    // The tile set the version's cells are drawn in, and the one stored.
    std::int32_t TileSet = 0;
    std::optional<std::int32_t> StoredTileSet;
    std::vector<std::string> Problems;
};

struct MapVersions {
    GitHistory History;
    std::unique_ptr<MapGrid> Oldest;      // the oldest version's cells
    std::vector<VersionChanges> Changes;  // one per version, oldest first
    // Every code that any version holds, ascending.
    std::vector<TileCode> Codes;
    // Every code of the newest version with its count, ordered by code.
    std::vector<CodeCount> NewestCounts;
};

// Reads every version of the map through git. worktree holds the bytes of
// the working-tree file, read once by the caller, or nothing when there is
// no such file. Throws what ReadGitHistory and ReadVersionBytes throw.
MapVersions ReadMapVersions(const std::string& mapPath, std::size_t mostVersions,
                            const std::optional<std::vector<std::uint8_t>>& worktree);

// The working-tree file's bytes for ReadMapVersions: nothing when the map is
// not there (deleted, or only in git). Throws FileError when it cannot be
// read.
std::optional<std::vector<std::uint8_t>> ReadWorktreeFile(const std::string& mapPath);

// The --max-versions option of every subcommand that reads a history: how
// many of the newest versions it reads (from 1 to a million, default 500).
inline constexpr int kDefaultMostVersions = 500;
void AddMostVersionsOption(CommandLine& line);
// The number given, or nothing when the option is not set.
std::optional<std::size_t> MostVersionsGiven(const CommandLine& line);

// The version's first parent's changes, or nullptr when it has none.
const VersionChanges* FirstParentOf(const MapVersions& versions, std::size_t version);

// A stored tile set's change from the version's first parent, as
// `0 "Dungeon - VL" -> 4 "Starport - Palloran"`, or nothing when it stayed.
std::optional<std::string> TileSetChangeText(const MapVersions& versions, std::size_t version);

// What to know of where a version's history begins: that a shallow clone
// starts there, or nothing.
std::optional<std::string> HistoryStartText(const MapVersion& version);

}  // namespace velmora
