// What a map's codes mean in its own tile set, and how cells and tile sets
// are named in the program's messages.
#pragma once

#include "core/tiles/TileCatalogue.h"
#include "core/view/ViewMapping.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The name the information panel shows for a code that names no tile, so
// that the map maker can find and mend damaged cells; %1 stands for the code.
inline constexpr char kNoTileName[] = "No tile (code %1)";
// The name shown for a cell that holds the conflict mark of a merge.
inline constexpr char kConflictMarkName[] = "Merge conflict (code %1)";

// The entries of exactly one tile set; no entry of any other set leaks in.
class TileNames {
public:
    // A tile set that is absent or outside 0..4 names no code.
    explicit TileNames(std::optional<std::int32_t> tileSet);

    // The entry of a code, or nullptr when the code names no tile in the set.
    const TileEntry* Find(std::int32_t code) const;

    // `2 "Wall"`, or `151 (no tile)` for a code that names none.
    std::string CodeText(std::int32_t code) const;

    // The codes a text means, as a map maker writes them in a command or a
    // file: a whole number is that code; anything else is a tile's name,
    // case-insensitive and whole, meaning every code of the set with that
    // name (the dungeon set's four "Tentacular Cluster" codes), ascending.
    // Empty when the set has no tile of that name.
    std::vector<std::int32_t> CodesMeant(std::string_view text) const;

private:
    TileCatalogue catalogue_;
};

// "(510, 487) 12N, 11E": the absolute position and the one relative to the
// map's centre, as the editor's information panel shows them.
std::string CellText(MapCell cell);

// `0 "Dungeon - VL"`, "unknown tile set 7", or "not stored" when absent.
std::string TileSetText(std::optional<std::int32_t> tileSet);

// "0.4.320".
std::string VersionText(std::int32_t major, std::int32_t minor, std::int32_t build);

}  // namespace velmora
