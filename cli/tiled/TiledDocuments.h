// The files of an exported map in the tile editor's formats: the map (TMX or
// TMJ), its tile set's external tileset (TSX or TSJ), and the name and size
// of the tilesheet picture the tileset cuts into tiles (render/Tilesheet.h
// draws it), laid out as cli/tiled/TiledFormat.h says.
#pragma once

#include "core/document/MapGrid.h"
#include "core/document/Version.h"
#include "core/tiles/TileSet.h"

#include <QByteArray>
#include <QSize>

#include <optional>
#include <string>

namespace velmora::tiled {

// The same content written as XML (TMX map, TSX tileset) or JSON (TMJ, TSJ).
enum class Notation { Xml, Json };

// "velmora-dungeon.tsx" or "velmora-dungeon.tsj".
std::string TilesetFileName(TileSet tileSet, Notation notation);
// "velmora-dungeon.png", shared by both notations.
std::string TilesheetFileName(TileSet tileSet);

// What a map carries besides its cells.
struct MapHeader {
    TileSet Set = Dungeon;
    // Absent when the map file did not store all of it; no property is
    // written then rather than a made-up one.
    std::optional<VersionTriple> Version;
};

// The whole map document: one 999 x 999 tile layer whose gids are code + 1,
// referring to the set's tileset file beside it. Precondition: every code
// names a tile of the set, so every gid lies inside the tileset.
QByteArray MapDocument(Notation notation, const MapGrid& grid, const MapHeader& header);

// The set's external tileset: one tile per code up to its highest, cut from
// the tilesheet picture, each tile the set names with its catalogue texts as
// properties.
QByteArray TilesetDocument(Notation notation, TileSet tileSet);

// The size of the set's tilesheet picture: TilesetTileCount tiles in rows of
// kSheetColumns, kTileSize pixels each way.
QSize TilesheetSize(TileSet tileSet);

}  // namespace velmora::tiled
