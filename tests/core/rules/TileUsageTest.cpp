// The usage of tiles across maps of several tile sets: the most used first,
// the unused tiles, and the codes that name no tile with their maps.
#include "core/rules/TileUsage.h"

#include "core/tiles/TileSet.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(TileUsage, CountsCellsAndMapsPerTileSetAndListsUnusedTilesAndStrangers) {
    TileUsage usage;
    usage.AddMap(Dungeon, std::vector<CodeCount>{{1, 10}, {2, 30}, {151, 4}});
    usage.AddMap(OpenVL, std::vector<CodeCount>{{1, 5}});
    usage.AddMap(Dungeon, std::vector<CodeCount>{{1, 25}, {3, 0}, {151, 1}, {-9, 2}});
    usage.AddMap(std::nullopt, std::vector<CodeCount>{{1, 7}});

    const std::vector<TileSetUsage> sets = usage.BySet();
    ASSERT_EQ(sets.size(), 3u);
    EXPECT_EQ(sets[0].TileSet, std::nullopt);  // stores none: no code names a tile
    EXPECT_TRUE(sets[0].Used.empty());
    ASSERT_EQ(sets[0].NoTile.size(), 1u);
    EXPECT_EQ(sets[0].NoTile[0].MapNumbers, std::vector<std::size_t>{3});

    const TileSetUsage& dungeon = sets[1];
    EXPECT_EQ(dungeon.TileSet, Dungeon);
    EXPECT_EQ(dungeon.Maps, 2u);
    ASSERT_EQ(dungeon.Used.size(), 2u);
    // 1 in both maps, 35 cells; 2 in one, 30 cells.
    EXPECT_EQ(dungeon.Used[0].Code, 1);
    EXPECT_EQ(dungeon.Used[0].Cells, 35u);
    EXPECT_EQ(dungeon.Used[0].Maps, 2u);
    EXPECT_EQ(dungeon.Used[1].Code, 2);
    EXPECT_EQ(dungeon.Used[1].Maps, 1u);
    // A count of 0 is no use: 3 stays unused, as do 0 and the others.
    EXPECT_EQ(dungeon.Unused.front(), 0);
    EXPECT_NE(std::find(dungeon.Unused.begin(), dungeon.Unused.end(), 3), dungeon.Unused.end());
    EXPECT_EQ(std::find(dungeon.Unused.begin(), dungeon.Unused.end(), 1), dungeon.Unused.end());
    ASSERT_EQ(dungeon.NoTile.size(), 2u);
    EXPECT_EQ(dungeon.NoTile[0].Code, -9);
    EXPECT_EQ(dungeon.NoTile[1].Code, 151);
    EXPECT_EQ(dungeon.NoTile[1].Cells, 5u);
    EXPECT_EQ(dungeon.NoTile[1].MapNumbers, (std::vector<std::size_t>{0, 2}));

    EXPECT_EQ(sets[2].TileSet, OpenVL);
    EXPECT_EQ(sets[2].Used[0].Cells, 5u);
}

}  // namespace
}  // namespace velmora
