// Placeholder until the tile tables are written.
#include "core/tiles/TileTables.h"

namespace velmora {

std::span<const TileRow> TileRowsOf(TileSet) { return {}; }
std::int32_t PaletteTileCountOf(TileSet) { return 0; }
void WriteTileSetEntries(TileCatalogue& catalogue, TileSet tileSet) {
    for (const TileRow& row : TileRowsOf(tileSet)) {
        catalogue.Write(row.Code, row.Entry);
    }
}

}  // namespace velmora
