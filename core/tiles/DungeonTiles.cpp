// The entries of the dungeon tile set, codes 0 to 29. The crumbling-earth
// tunnels are pictured by the crawlspace bitmaps.
#include "core/tiles/TileRowBuilders.h"
#include "core/tiles/TileSetRows.h"

#include <array>

namespace velmora::tile_rows {
namespace {

constexpr std::array kDungeonRows = {
    //   Code  Name  BitmapName  MP  VisAdj  AttAdj  DefAdj
    Tile(0, "Unknown", "Unknown", "-", "0", "0", "0"),
    Tile(1, "Open", "Open", "1", "0", "0", "0"),
    Tile(2, "Wall", "Wall", "Imp", "0", "0", "0"),
    Tile(3, "Shallow Water", "Water", "1", "0", "-2", "-2"),
    Tile(4, "Crawlspace - crossroads", "Crawlspace_cross", "1", "0", "-7", "-7"),
    Tile(5, "Crawlspace - horizontal", "Crawlspace_horizontal", "1", "0", "-7", "-7"),
    Tile(6, "Crawlspace - vertical", "Crawlspace_vertical", "1", "0", "-7", "-7"),
    Tile(7, "Crumbling Earth Tunnel - crossroads", "Crawlspace_cross", "1", "0", "-5", "-5"),
    Tile(8, "Crumbling Earth Tunnel - horizontal", "Crawlspace_horizontal", "1", "0", "-5", "-5"),
    Tile(9, "Crumbling Earth Tunnel - vertical", "Crawlspace_vertical", "1", "0", "-5", "-5"),
    Tile(10, "Solid rock", "Rock", "Imp", "0", "0", "0"),
    Tile(11, "Locked Door", "Door_Locked", "?", "?", "?", "?"),
    Tile(12, "Unlocked Door", "Door_Unlocked", "1", "0", "0", "0"),
    Tile(13, "Stairs Up", "Stairs_Up", "?", "?", "?", "?"),
    Tile(14, "Stairs Down", "Stairs_Down", "?", "?", "?", "?"),
    Tile(15, "Chest", "Chest", "?", "?", "?", "?"),
    Tile(16, "Bottomless Pit", "Bottomless", "?", "?", "?", "?"),
    Tile(17, "Bed", "Bed", "?", "?", "?", "?"),
    Tile(18, "Portcullis", "Portcullis", "?", "?", "?", "?"),
    Tile(19, "Magical Trader", "Magical_Trader", "?", "?", "?", "?"),
    Tile(20, "Archway", "Archway", "1", "0", "-1", "-1"),
    Tile(21, "Courtyard", "Courtyard", "1", "0", "0", "0"),
    Tile(22, "Guild House", "Guild", "?", "?", "?", "?"),
    Tile(23, "Stone Archway", "Stone_Archway", "1", "0", "0", "0"),
    Tile(24, "Tentacular Cluster", "Tentacular_ul", "na", "na", "na", "na"),
    Tile(25, "Tentacular Cluster", "Tentacular_ur", "na", "na", "na", "na"),
    Tile(26, "Tentacular Cluster", "Tentacular_bl", "na", "na", "na", "na"),
    Tile(27, "Tentacular Cluster", "Tentacular_br", "na", "na", "na", "na"),
    Tile(28, "Army Recruit Point", "recruit", "1", "0", "0", "0"),
    Tile(29, "Statue", "Statue", "1", "0", "0", "0"),
};
static_assert(CodesRise(kDungeonRows));

}  // namespace

std::span<const TileRow> DungeonRows() {
    return kDungeonRows;
}

}  // namespace velmora::tile_rows
