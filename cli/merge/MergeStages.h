// A map in an unfinished merge: the three versions git keeps of it in its
// index while the merge waits (stage 1 the base, 2 ours, 3 theirs), and the
// working-tree file that holds the conflict marks.
#pragma once

#include "cli/MapInput.h"

#include <string>

namespace velmora {

struct MergeStages {
    // A side that git has no version of (a map added on both branches has no
    // base) is a map of code 0 in the working tree's tile set.
    LoadedMap Base;
    LoadedMap Ours;
    LoadedMap Theirs;
};

// Throws FileError when the map is in no git work tree or in no unfinished
// merge, or git fails.
MergeStages ReadMergeStages(const std::string& mapPath, const LoadedMap& worktree);

}  // namespace velmora
