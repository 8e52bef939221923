// The common tile-map formats as export and import both take them from this
// one place: which formats there are and what names and extensions stand for
// them, and how a Velmora map looks in them: 40 x 40 tiles, global tile id =
// code + 1 in one tile set per map, that set's external tileset file named
// after it, and the map's tile set and version kept as map properties.
#pragma once

#include "core/tiles/TileSet.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::tiled {

// TMX and TMJ are Tiled's maps in XML and JSON; CSV is plain codes, one line
// per row.
enum class Format { Csv, Tmx, Tmj };

// "csv", "tmx" or "tmj", without regard to case, as --format names a format.
std::optional<Format> FormatNamed(std::string_view name);
// By the file name's extension: .csv, .tmx, .tmj, or .json (the older name
// of TMJ), without regard to case.
std::optional<Format> FormatOfFile(std::string_view path);

inline constexpr int kTileSize = 40;
// The first global tile id of the map's one tileset: gid = code + kFirstGid.
inline constexpr std::uint32_t kFirstGid = 1;
// Tiled keeps flips and rotations in the top bits of a gid; a Velmora cell
// has none of them.
inline constexpr std::uint32_t kFlipBits = 0xF0000000u;
// Columns of a tilesheet picture; its rows follow from the tile count.
inline constexpr int kSheetColumns = 16;

// Map properties: the tile set as an int, the writer's version as "0.4.320".
inline constexpr std::string_view kTileSetProperty = "velmora-tileset";
inline constexpr std::string_view kVersionProperty = "velmora-version";

// The file name of a set's tileset without extension, e.g. "velmora-dungeon";
// its tilesheet picture is that name with ".png". Empty for an unknown set.
std::string_view TilesetFileStem(TileSet tileSet);

// Tiles in a set's tileset: tile id = code for every code the set names, in
// whole rows of the tilesheet, as the tile editor counts a sheet's tiles when
// it saves the tileset again; the slots after the set's highest code show
// the no-tile picture.
int TilesetTileCount(TileSet tileSet);

// The tile set a tileset's name or file stands for: its caption ("Dungeon -
// VL"), its file stem ("velmora-dungeon"), or a file name or path whose stem
// is one ("maps/velmora-dungeon.tsx"), without regard to case.
std::optional<TileSet> TileSetNamed(std::string_view nameOrFile);

}  // namespace velmora::tiled
