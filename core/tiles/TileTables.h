// The tile entries of the five tile sets as data, and the palette size of
// each set. One table per set, in core/tiles/TileTables.cpp.
#pragma once

#include "core/tiles/TileCatalogue.h"
#include "core/tiles/TileSet.h"

#include <cstdint>
#include <span>
#include <string_view>

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

}  // namespace velmora
