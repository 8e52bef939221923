// The entry tables of the five tile sets, each kept in a file of its own and
// reached by the tile set lookups of core/tiles/TileTables.cpp.
#pragma once

#include "core/tiles/TileTables.h"

#include <span>

namespace velmora::tile_rows {

std::span<const TileRow> DungeonRows();
std::span<const TileRow> OpenVLRows();
std::span<const TileRow> OpenCarrowmereRows();
std::span<const TileRow> OpenYSRRows();
std::span<const TileRow> StarportPalloranRows();

}  // namespace velmora::tile_rows
