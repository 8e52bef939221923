// The tile entries of the five tile sets as data, with what the windows show
// of each set: its palette size and the captions that name it. Each set's
// table lives in a file of its own (DungeonTiles.cpp, OpenLandTiles.cpp,
// StarportTiles.cpp).
#pragma once

#include "core/tiles/TileCatalogue.h"
#include "core/tiles/TileSet.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace velmora {

struct TileRow {
    std::int32_t Code;
    TileEntry Entry;
};

// Every entry that a set defines, in code order.
std::span<const TileRow> TileRowsOf(TileSet tileSet);

// The highest code the palette shows for a set: 29, 17, 10, 1 or 15.
std::int32_t PaletteTileCountOf(TileSet tileSet);

// Writes every entry the set defines; other entries keep their content.
void WriteTileSetEntries(TileCatalogue& catalogue, TileSet tileSet);

// The caption of the set's item in the "Tile Types" menu, e.g. "Dungeon - VL".
std::string_view TileSetMenuCaption(TileSet tileSet);

// The caption of the set's radio item in the New Map window, e.g. "Dungeon Tiles".
std::string_view TileSetRadioCaption(TileSet tileSet);

// Every bitmap that some set names, each once, in the order of first use when
// the sets are read in TileSet order and each set in code order.
std::vector<std::string_view> AllBitmapNames();

}  // namespace velmora
