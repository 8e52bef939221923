// A world's rules file, velmora-rules.toml: read whole and checked before any
// map is, each rule's tiles resolved in every tile set it may apply to. A
// file that is not exactly the format below is refused with its line.
//
//     [[rule]]
//     name = "no-water-by-pits"       # required, unique
//     maps = "dungeons/*.map"         # optional, relative to the file's folder
//     tileset = "Dungeon - VL"        # optional: a caption or a number
//     area = [0, 0, 999, 999]         # optional: x, y, width, height
//     tiles = ["Shallow Water"]       # one kind: only, never, tiles with
//     never-touch = ["Bottomless Pit"] #   never-touch, count with at-least
//                                     #   and/or at-most, or edge
#pragma once

#include "core/rules/MapRules.h"
#include "core/tiles/TileSet.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

inline constexpr char kRulesFileName[] = "velmora-rules.toml";

struct FileRule {
    std::string Name;
    std::uint32_t Line = 0;
    // A file-name pattern relative to the rules file's folder; every map when
    // empty.
    std::string Maps;
    std::optional<std::int32_t> TileSet;
    // "a tile other than" ... : the tiles as the file names them, quoted
    // names and bare codes, for the findings' sentences.
    std::string TilesText;
    std::string TouchingText;
    // The rule in each tile set whose tiles it names all of; a rule without a
    // tile set applies to the maps of those sets only.
    std::array<std::optional<MapRule>, kTileSetCount> InSet;

    RuleKind Kind() const;
    const MapRule* For(std::optional<std::int32_t> tileSet) const;
};

struct RulesFile {
    // As found or given.
    std::string Path;
    // The folder the maps patterns are relative to, absolute and canonical.
    std::string Folder;
    std::vector<FileRule> Rules;
};

// Throws FileError naming "PATH:LINE" and what is wrong, or the file alone
// when it cannot be read.
RulesFile ReadRulesFile(const std::string& path);

// The kind's key in the file: "only", "never", "never-touch", "count",
// "edge".
const char* RuleKindKey(RuleKind kind);

}  // namespace velmora
