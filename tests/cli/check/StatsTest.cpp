// stats: the tiles of several maps counted per tile set in each format, with
// the unused tiles and the codes that name no tile.
#include "MapToolFixture.h"
#include "core/tiles/TileSet.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gmock/gmock.h>

namespace velmora {
namespace {

using testing::HasSubstr;

TEST_F(MapToolTest, StatsCountsEveryTilesCellsAndMapsPerTileSet) {
    QDir(Q(PathOf(""))).mkpath("world/deep");
    MapGrid castle;
    std::fill(castle.Cells().begin(), castle.Cells().end(), 10);  // solid rock
    castle.Set(5, 5, 2);
    castle.Set(6, 5, 151);
    MapGrid pit = castle;
    pit.Set(7, 7, 16);
    WriteMap("world/castle.map", castle, Dungeon);
    WriteMap("world/deep/pit.map", pit, Dungeon);
    WriteMap("world/land.map", MapGrid(), OpenVL);
    const std::string world = PathOf("world");

    const RunResult text = Run({"stats", Q(world)});
    EXPECT_EQ(text.Status, kExitSuccess) << text.Err;
    EXPECT_THAT(text.Out, HasSubstr("tile set 0 \"Dungeon - VL\": 2 maps\n"
                                    "  1,995,997 cells in 2 maps: 10 \"Solid rock\"\n"
                                    "          2 cells in 2 maps: 2 \"Wall\"\n"
                                    "          1 cell  in 1 map:  16 \"Bottomless Pit\"\n"
                                    "  unused, "));
    EXPECT_THAT(text.Out, HasSubstr("    0 \"Unknown\"\n"));
    EXPECT_THAT(text.Out, HasSubstr("  codes that name no tile:\n    151 (no tile): 2 cells in " +
                                    world + "/castle.map, " + world + "/deep/pit.map\n"));
    EXPECT_THAT(text.Out, HasSubstr("\ntile set 1 \"Open Land - VL\": 1 map\n"));

    const RunResult json = Run({"stats", "--format", "json", Q(world)});
    const QJsonObject document =
        QJsonDocument::fromJson(QByteArray::fromStdString(json.Out)).object();
    EXPECT_EQ(document["maps"].toInt(), 3);
    const QJsonObject dungeon = document["tileSets"].toArray()[0].toObject();
    EXPECT_EQ(dungeon["caption"].toString(), "Dungeon - VL");
    EXPECT_EQ(dungeon["tiles"].toArray()[0].toObject()["cells"].toInteger(), 1995997);
    EXPECT_EQ(dungeon["noTile"].toArray()[0].toObject()["files"].toArray().size(), 2);

    const RunResult csv = Run({"stats", "--format", "csv", Q(world)});
    EXPECT_THAT(csv.Out,
                HasSubstr("tileset,code,tile,cells,maps,files\n0,10,Solid rock,1995997,2,\n"));
    EXPECT_THAT(csv.Out, HasSubstr("\n0,0,Unknown,0,0,\n"));
    EXPECT_THAT(csv.Out,
                HasSubstr("\n0,151,,2,2," + world + "/castle.map;" + world + "/deep/pit.map\n"));
    EXPECT_THAT(csv.Out, HasSubstr("\n1,0,Unknown,998001,1,\n"));

    const RunResult missing = Run({"stats", Q(world), Q(PathOf("missing.map"))});
    EXPECT_EQ(missing.Status, kExitTrouble);
    EXPECT_THAT(missing.Out, HasSubstr("\"Dungeon - VL\": 2 maps"));
}

}  // namespace
}  // namespace velmora
