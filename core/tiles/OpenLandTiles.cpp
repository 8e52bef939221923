// The entries of the three open-land tile sets, one for each land of the game
// world: Velmora (codes 0 to 17), Carrowmere (0 to 10) and Ysmerith (0 and 1).
#include "core/tiles/TileRowBuilders.h"
#include "core/tiles/TileSetRows.h"

#include <array>

namespace velmora::tile_rows {
namespace {

constexpr std::array kOpenVLRows = {
    //   Code  Name  BitmapName  MP  VisAdj  AttAdj  DefAdj
    Tile(0, "Unknown", "Unknown", "-", "-", "-", "-"),
    Tile(1, "Open Land", "Open_Land", "2", "?", "?", "?"),
    Tile(2, "Gentle Hills", "Gentle_Hills", "3", "?", "?", "?"),
    Tile(3, "Steep Hills", "Steep_Hills", "4", "?", "?", "?"),
    Tile(4, "Light Forest", "Light_Forest", "2", "?", "?", "?"),
    Tile(5, "Heavy Forest", "Heavy_Forest", "3", "?", "?", "?"),
    Tile(6, "Water", "Water", "4", "?", "?", "?"),
    Tile(7, "Mountains", "Mountain", "Imp", "?", "?", "?"),
    Tile(8, "Private Land", "Private_Land", "2", "?", "?", "?"),
    Tile(9, "Road", "Road", "1", "?", "?", "?"),
    Tile(10, "City", "City", "1", "?", "?", "?"),
    Tile(11, "Castle", "City", "1", "?", "?", "?"),
    Tile(12, "Keep", "City", "1", "?", "?", "?"),
    Tile(13, "Town", "Town", "1", "?", "?", "?"),
    Tile(14, "Village", "Town", "1", "?", "?", "?"),
    Tile(15, "Dungeon Entrance", "Dungeon", "1", "?", "?", "?"),
    Tile(16, "Broken Land", "Broken_Land", "3", "?", "?", "?"),
    Tile(17, "Magical Place", "Magical_Place", "2", "?", "?", "?"),
};
static_assert(CodesRise(kOpenVLRows));

constexpr std::array kOpenCarrowmereRows = {
    //   Code  Name  BitmapName  MP  VisAdj  AttAdj  DefAdj
    Tile(0, "Unknown", "Unknown", "-", "-", "-", "-"),
    Tile(1, "Bordertown", "Bordertown", "1", "0", "0", "0"),
    Tile(2, "Shallow Jungle", "Shallow_Jungle", "2", "0", "0", "0"),
    Tile(3, "Deep Jungle", "Deep_Jungle", "3", "0", "0", "0"),
    Tile(4, "Hut", "Hut", "1", "0", "0", "0"),
    Tile(5, "Fenced Area", "Fenced_Area", "Imp", "0", "0", "0"),
    Tile(6, "Broken Fence", "Broken_Fence", "2", "0", "0", "0"),
    Tile(7, "Jungle Path", "Bordertown", "1", "0", "0", "0"),
    Tile(8, "Small Pool", "Small_Pool", "1", "0", "0", "0"),
    Tile(9, "Elephant Hut", "Elephant_Hut", "1", "0", "0", "0"),
    Tile(10, "Cave Entrance", "Cave_Entrance", "1", "0", "0", "0"),
};
static_assert(CodesRise(kOpenCarrowmereRows));

constexpr std::array kOpenYSRRows = {
    //   Code  Name  BitmapName  MP  VisAdj  AttAdj  DefAdj
    Tile(0, "Unknown", "Unknown", "-", "-", "-", "-"),
    Tile(1, "Open Land", "Open_Land", "2", "?", "?", "?"),
};
static_assert(CodesRise(kOpenYSRRows));

}  // namespace

std::span<const TileRow> OpenVLRows() {
    return kOpenVLRows;
}
std::span<const TileRow> OpenCarrowmereRows() {
    return kOpenCarrowmereRows;
}
std::span<const TileRow> OpenYSRRows() {
    return kOpenYSRRows;
}

}  // namespace velmora::tile_rows
