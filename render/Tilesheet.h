// The tilesheet picture of a tile set: its tile pictures side by side in rows,
// one per code, as a tileset file in the Tiled formats cuts it into tiles.
// Where the sheet's size comes from is the format's business; this only draws.
#pragma once

#include "core/tiles/TileSet.h"

#include <QImage>
#include <QSize>

namespace velmora {

// A picture of the given size, a whole number of tile pictures each way, its
// slots numbered row after row from the top left: slot n shows the picture
// of code n, or the no-tile picture where the set names no tile n.
QImage DrawTilesheet(TileSet tileSet, QSize size);

}  // namespace velmora
