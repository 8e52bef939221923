// The versions of a map file in its git repository, read with git itself,
// run as a program: the commits that changed the file, following it through
// renames, and every version's bytes through one `git cat-file --batch`.
#pragma once

#include "cli/CommandErrors.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace velmora {

struct MapVersion {
    // The commit's full hash; "worktree" for a working-tree file that
    // differs from its last commit.
    std::string Commit;
    std::string ShortCommit;  // git's abbreviation, or "worktree"
    std::string Date;         // ISO 8601: the author's date, or the file's
    std::string Author;       // empty for the working-tree file
    std::string Subject;
    // The version's object in git, its name abbreviated as git does; empty
    // for the working-tree file.
    std::string Blob;
    // The versions this one was made from, as places in the list: its
    // commit's parents, each the nearest version of the map along that
    // parent's first parents; the first parent first. None for the oldest
    // kept version of its line.
    std::vector<std::size_t> Parents;
    // The commit merged branches (it has more than one parent in git).
    bool IsMerge = false;
    // Of a merge: the version of its first two parents' merge base, where
    // the branches parted, when it is among the versions.
    std::optional<std::size_t> MergeBase;
    // A parent of the commit is not among the versions: it is older than
    // the most kept, or git found no version of the map along it.
    bool HistoryCut = false;
    // The commit is where a shallow clone's history begins: git has none of
    // the commits before it.
    bool ShallowStart = false;

    bool IsWorktree() const { return Blob.empty(); }
};

struct GitHistory {
    // Oldest first, each after the versions it was made from.
    std::vector<MapVersion> Versions;
    std::size_t LeftOut = 0;  // older versions beyond the most kept
    // The repository is a shallow clone: its oldest commits lack parents.
    bool Shallow = false;
};

inline constexpr char kWorktreeVersion[] = "worktree";

// The map is in no git work tree: no history to read. The message says so.
class NotInGitWorkTree : public FileError {
public:
    explicit NotInGitWorkTree(const std::string& path)
        : FileError(path, "is not in a git work tree, so it has no history") {}
};

// The newest mostVersions versions of the map, the working-tree file last
// when it differs from its last commit; worktree holds that file's bytes, or
// nothing when there is no such file. Throws NotInGitWorkTree, or FileError
// with git's own message when git is missing or fails.
GitHistory ReadGitHistory(const std::string& mapPath, std::size_t mostVersions,
                          const std::optional<std::vector<std::uint8_t>>& worktree);

// Hands each version's bytes to use, oldest first: the commits' from one
// `git cat-file --batch`, read ahead on a thread of their own while use
// works on the version before, and the working-tree file's from worktree.
// Throws FileError, and whatever use throws.
using VersionBytesSink = std::function<void(std::size_t version, std::span<const std::uint8_t>)>;
void ReadVersionBytes(const std::string& mapPath, const GitHistory& history,
                      const std::optional<std::vector<std::uint8_t>>& worktree,
                      const VersionBytesSink& use);

}  // namespace velmora
