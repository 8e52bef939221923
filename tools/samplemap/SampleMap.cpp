// Writes a small sample dungeon as a map file, so that the README's
// velmora-map pictures can be made again: six rooms cut into solid rock near
// the map's centre, joined by doors, corridors, crawlspaces and a crumbling
// tunnel, with water, stairs, chests and the other dungeon features.
// Usage: samplemap OUT.map
#include "core/UserError.h"
#include "core/document/FileAccess.h"
#include "core/document/MapFile.h"
#include "core/tiles/TileSet.h"

#include <cstdio>
#include <exception>
#include <initializer_list>
#include <utility>
#include <vector>

namespace velmora {
namespace {

// Dungeon codes, named as the tile set names them.
enum DungeonCode : TileCode {
    kOpen = 1,
    kWall = 2,
    kWater = 3,
    kCrawlCross = 4,
    kCrawlAcross = 5,
    kCrawlDown = 6,
    kTunnelAcross = 8,
    kRock = 10,
    kLockedDoor = 11,
    kDoor = 12,
    kStairsUp = 13,
    kStairsDown = 14,
    kChest = 15,
    kPit = 16,
    kBed = 17,
    kPortcullis = 18,
    kTrader = 19,
    kArchway = 20,
    kCourtyard = 21,
    kGuildHouse = 22,
    kStoneArchway = 23,
    kClusterTopLeft = 24,
    kRecruitPoint = 28,
    kStatue = 29,
};

// Cells are given relative to the dungeon's north-west corner, which lies
// near the map's centre so that the editor opens on it.
class DungeonSketch {
public:
    static constexpr int kLeft = 470;
    static constexpr int kTop = 480;
    static constexpr int kWidth = 60;
    static constexpr int kHeight = 36;

    explicit DungeonSketch(MapGrid& grid) : grid_(grid) {
        Block(0, 0, kWidth - 1, kHeight - 1, kRock);
    }

    void Put(const int x, const int y, const TileCode code) {
        grid_.Set(kLeft + x, kTop + y, code);
    }

    // Every cell from (x0, y0) to (x1, y1), both included.
    void Block(const int x0, const int y0, const int x1, const int y1, const TileCode code) {
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                Put(x, y, code);
            }
        }
    }

    // Walls around a floor; the corners given are the walls' corners.
    void Room(const int x0, const int y0, const int x1, const int y1,
              const TileCode floor = kOpen) {
        Block(x0, y0, x1, y1, kWall);
        Block(x0 + 1, y0 + 1, x1 - 1, y1 - 1, floor);
    }

    // A passage along row y from x0 to x1 with an opening in each room's wall
    // at its ends.
    void PassageAcross(const int y, const int x0, const int x1, const TileCode passage,
                       const TileCode westEnd, const TileCode eastEnd) {
        Block(x0, y, x1, y, passage);
        Put(x0 - 1, y, westEnd);
        Put(x1 + 1, y, eastEnd);
    }

private:
    MapGrid& grid_;
};

void DrawDungeon(MapGrid& grid) {
    DungeonSketch d(grid);

    // The entrance hall, with the stairs down from the surface.
    d.Room(2, 2, 14, 12);
    d.Put(4, 4, kStairsUp);
    d.Put(8, 7, kStatue);
    d.Put(11, 4, kChest);

    // The barracks: beds along the north wall and the recruiting point.
    d.Room(18, 2, 30, 10);
    for (int x = 20; x <= 28; x += 2) {
        d.Put(x, 3, kBed);
    }
    d.Put(24, 8, kRecruitPoint);
    d.PassageAcross(6, 15, 17, kOpen, kArchway, kDoor);

    // The great court: paving around a pool, statues at its corners.
    d.Room(34, 2, 56, 16, kCourtyard);
    d.Block(42, 6, 48, 11, kWater);
    for (const auto& [x, y] : {std::pair{38, 5}, {52, 5}, {38, 13}, {52, 13}}) {
        d.Put(x, y, kStatue);
    }
    d.PassageAcross(5, 31, 33, kCrawlAcross, kDoor, kStoneArchway);

    // The treasury behind a locked door.
    d.Room(2, 17, 12, 25);
    for (const int x : {4, 7, 10}) {
        d.Put(x, 23, kChest);
    }
    d.Put(7, 17, kLockedDoor);

    // A crawlspace from the entrance hall down to the treasury, with a branch
    // east to the traders' hall.
    d.Put(7, 12, kDoor);
    d.Block(7, 13, 7, 16, kCrawlDown);
    d.Put(7, 14, kCrawlCross);
    d.Block(8, 14, 17, 14, kCrawlAcross);

    // The traders' hall behind a portcullis, with the guild houses.
    d.Room(18, 13, 30, 25);
    d.Put(18, 14, kPortcullis);
    d.Put(24, 18, kTrader);
    d.Put(21, 22, kGuildHouse);
    d.Put(27, 22, kGuildHouse);
    d.Put(20, 15, kChest);

    // The deep cave: reached by a crumbling tunnel from the traders' hall and
    // a corridor from the court; the cluster lurks beside the pits.
    d.Room(34, 20, 57, 33);
    d.PassageAcross(22, 31, 33, kTunnelAcross, kDoor, kArchway);
    d.Block(45, 17, 45, 19, kOpen);
    d.Put(45, 16, kDoor);
    d.Put(45, 20, kDoor);
    d.Block(36, 27, 41, 32, kWater);
    d.Block(42, 30, 44, 32, kWater);
    for (int code = 0; code < 4; ++code) {
        d.Put(49 + code % 2, 24 + code / 2, kClusterTopLeft + code);
    }
    d.Put(53, 27, kPit);
    d.Put(47, 30, kPit);
    d.Put(55, 31, kStairsDown);
}

}  // namespace
}  // namespace velmora

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: samplemap OUT.map\n");
        return 2;
    }
    try {
        velmora::MapGrid grid;
        velmora::DrawDungeon(grid);
        const std::vector<std::uint8_t> bytes =
            velmora::WriteMapFile(grid, velmora::Dungeon, velmora::kProgramVersion);
        velmora::SafeFileWriter file(argv[1]);
        file.Write(bytes);
        file.Commit();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "samplemap: %s: %s\n", argv[1], error.what());
        return 2;
    }
    return 0;
}
