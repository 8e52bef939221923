// edit: the operations in order from options and a script, names read in
// each map's tile set, the script's error lines, the all-or-nothing rule
// across several maps, and a round trip through diff.
#include "MapToolFixture.h"
#include "core/merge/MapMerge.h"
#include "core/tiles/TileSet.h"

#include <gmock/gmock.h>

#include <QDir>

#include <chrono>
#include <filesystem>

namespace velmora {
namespace {

using testing::HasSubstr;

class EditTest : public MapToolTest {
protected:
    void SetUp() override {
        for (int x = 0; x < 10; ++x) {
            walls_.Set(x, 5, 2);  // "Wall" in the dungeon set
        }
        walls_.Set(998, 998, 24);  // a "Tentacular Cluster" code
    }

    struct Loaded {
        MapGrid Grid;
        std::int32_t TileSet = 0;
    };
    Loaded Load(const std::string& path) const {
        Loaded loaded;
        ReadMapFile(ReadBytes(path), loaded.Grid, loaded.TileSet);
        return loaded;
    }

    // Sets the file's modification time an hour back, so that a rewrite in
    // the same second is seen.
    static std::filesystem::file_time_type Age(const std::string& path) {
        const auto old = std::filesystem::last_write_time(path) - std::chrono::hours(1);
        std::filesystem::last_write_time(path, old);
        return old;
    }

    MapGrid walls_;
};

TEST_F(EditTest, OperationsRunInOrderWithNamesOfEachMapsTileSet) {
    const struct {
        const char* Case;
        QStringList Options;
        std::string Script;
        // Cells and their codes afterwards, the tile set, and the line printed.
        std::vector<std::tuple<int, int, TileCode>> Cells;
        std::int32_t TileSet;
        const char* Out;
    } cases[] = {
        {"names, case-insensitive",
         {"--replace", "wall=open"},
         "",
         {{0, 5, 1}, {9, 5, 1}},
         Dungeon,
         "10 cells changed"},
        {"a list and a shared name as FROM",
         {"--replace", "Wall,Tentacular Cluster,0=Shallow Water", "--region", "0,5,2,1",
          "--replace", "3=12"},
         "",
         {{0, 5, 12}, {2, 5, 3}, {998, 998, 3}, {500, 500, 3}},
         Dungeon,
         "998,001 cells changed"},
        {"a region limits only the next replace",
         {"--region", "998,998,1,1", "--replace", "24=1", "--replace", "2=1"},
         "",
         {{998, 998, 1}, {3, 5, 1}},
         Dungeon,
         "11 cells changed"},
        {"options, then the script's lines",
         {"--fill", "0,0,2,2=Wall"},
         "# a comment\n\n  replace Wall=Chest\r\nfill 1,1,1,1=1\n",
         {{0, 0, 15}, {1, 1, 1}, {5, 5, 15}},
         Dungeon,
         "14 cells changed"},
        {"names after --tileset in the new set",
         {"--tileset", "starport - palloran", "--fill", "0,0,1,1=2"},
         "",
         {{0, 0, 2}, {1, 5, 2}},
         StarportPalloran,
         "1 cell changed, tile set 0 \"Dungeon - VL\" -> 4 \"Starport - Palloran\""},
        {"nothing to change", {"--replace", "Chest=Wall"}, "", {{1, 5, 2}}, Dungeon, "unchanged"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        const std::string map = WriteMap("castle.map", walls_, Dungeon);
        QStringList arguments = QStringList{"edit"} + c.Options;
        if (!c.Script.empty()) {
            arguments << "--script" << Q(WriteText("rules.txt", c.Script));
        }
        const RunResult result = Run(arguments << Q(map));
        EXPECT_EQ(result.Status, kExitSuccess) << result.Err;
        EXPECT_EQ(result.Out, map + ": " + c.Out + "\n");
        const Loaded loaded = Load(map);
        EXPECT_EQ(loaded.TileSet, c.TileSet);
        for (const auto& [x, y, code] : c.Cells) {
            EXPECT_EQ(loaded.Grid.At(x, y), code) << x << "," << y;
        }
    }
}

TEST_F(EditTest, BadOperationsAndScriptLinesAreNamedAndWriteNothing) {
    const std::string other = WriteMap("prefab.map", walls_, StarportPalloran);
    const struct {
        const char* Case;
        QStringList Options;
        std::string Script;
        const char* Err;
    } cases[] = {
        {"unknown word",
         {},
         "replace 2=1\n\nfil 1,1,1,1=2\n",
         "rules.txt:3: 'fil' is no operation"},
        {"no =", {}, "# x\nreplace Wall\n", "rules.txt:2: replace takes FROM=TO"},
        {"empty list entry", {}, "replace 2,,3=1\n", "rules.txt:1: replace has an empty code"},
        {"area past the edge", {}, "fill 990,0,10,1=1\n", "rules.txt:1: fill takes X,Y,W,H=TILE"},
        {"block placed past the edge",
         {},
         "copy prefab.map:0,0,5,5@995,0\n",
         "reaches past the map's edge"},
        {"two regions",
         {},
         "region 0,0,1,1\nregion 0,0,2,2\nreplace 2=1\n",
         "rules.txt:2: region given twice"},
        {"a region left over",
         {},
         "replace 2=1\nregion 0,0,1,1\n",
         "rules.txt:2: a region with no replace after it"},
        {"a region left over on the command line",
         {"--region", "0,0,1,1"},
         "",
         "--region is given with no --replace after it"},
        {"unknown tile set", {"--tileset", "5"}, "", "--tileset takes a tile set, 0 to 4"},
        {"a name the set lacks",
         {},
         "replace Wall=Hull Plate\n",
         "castle.map: rules.txt:1: replace Wall=Hull Plate: no tile is named 'Hull Plate' in 0 "
         "\"Dungeon - VL\""},
        {"a shared name as target",
         {"--fill", "0,0,1,1=tentacular cluster"},
         "",
         "castle.map: --fill 0,0,1,1=tentacular cluster: 'tentacular cluster' names 4 codes in "
         "0 \"Dungeon - VL\"; write one of 24, 25, 26, 27"},
        {"a code that names no tile as target",
         {"--replace", "2=151"},
         "",
         "code 151 names no tile in 0 \"Dungeon - VL\""},
        {"a copy across tile sets",
         {"--copy", Q(other) + ":0,0,2,2@0,0"},
         "",
         "stores the tile set 4 \"Starport - Palloran\", this map 0 \"Dungeon - VL\""},
        {"a missing source",
         {"--copy", Q(PathOf("none.map")) + ":0,0,2,2@0,0"},
         "",
         "none.map: --copy"},
        {"no operation", {}, "# nothing\n", "name an operation"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        const std::string map = WriteMap("castle.map", walls_, Dungeon);
        const auto time = Age(map);
        QStringList arguments = QStringList{"edit"} + c.Options;
        if (!c.Script.empty()) {
            WriteText("rules.txt", c.Script);
            arguments << "--script"
                      << "rules.txt";
        }
        // The script is named relative to the folder, as its messages are.
        const QString folder = QDir::currentPath();
        QDir::setCurrent(Q(PathOf("")));
        const RunResult result = Run(arguments << Q(map));
        QDir::setCurrent(folder);
        EXPECT_EQ(result.Status, kExitTrouble);
        EXPECT_THAT(result.Err, HasSubstr(c.Err));
        EXPECT_EQ(std::filesystem::last_write_time(map), time);
        EXPECT_EQ(ReadBytes(map), WriteMapFile(walls_, Dungeon, kProgramVersion));
    }
}

TEST_F(EditTest, OneMapThatCannotBeEditedLeavesEveryMapAsItWas) {
    MapGrid marked = walls_;
    marked.Set(7, 7, kConflictMark);
    const struct {
        const char* Case;
        std::function<std::string()> Write;
        const char* Err;
    } bad[] = {
        {"cut short", [&] { return WriteMap("bad.map", walls_, Dungeon, kProgramVersion, 1000); },
         "bad.map: cannot be edited: the grid is cut short"},
        {"conflict marks", [&] { return WriteMap("bad.map", marked, Dungeon); },
         "bad.map: cannot be edited: 1 cell holds the conflict mark"},
        {"missing", [&] { return PathOf("bad.map"); }, "bad.map: File not found"},
        {"a name its set lacks", [&] { return WriteMap("bad.map", walls_, OpenVL); },
         "bad.map: --replace Wall=Open: no tile is named 'Wall'"},
    };
    for (const auto& c : bad) {
        SCOPED_TRACE(c.Case);
        std::filesystem::remove(PathOf("bad.map"));
        const std::string first = WriteMap("first.map", walls_, Dungeon);
        const std::string badMap = c.Write();
        const std::string last = WriteMap("last.map", walls_, Dungeon);
        const auto firstTime = Age(first);
        const auto lastTime = Age(last);
        const RunResult result =
            Run({"edit", "--replace", "Wall=Open", Q(first), Q(badMap), Q(last)});
        EXPECT_EQ(result.Status, kExitTrouble);
        EXPECT_EQ(result.Out, "");
        EXPECT_THAT(result.Err, HasSubstr(c.Err));
        EXPECT_THAT(result.Err, HasSubstr("no map was written: 1 of 3 maps cannot be edited"));
        EXPECT_EQ(std::filesystem::last_write_time(first), firstTime);
        EXPECT_EQ(std::filesystem::last_write_time(last), lastTime);
        EXPECT_EQ(Load(first).Grid.At(0, 5), 2);
    }

    // All sound: the changed maps are written keeping their version (this
    // program's for a file that stores none), the unchanged one not touched,
    // and a dry run writes nothing.
    const std::string older = WriteMap("older.map", walls_, Dungeon, {0, 3, 9});
    const std::string bare = WriteMap("bare.map", walls_, Dungeon, {}, kTileSetBytes);
    const std::string plain = WriteMap("plain.map", MapGrid(), Dungeon, {0, 3, 9});
    const auto plainTime = Age(plain);
    const auto olderTime = Age(older);
    const RunResult dry =
        Run({"edit", "--dry-run", "--replace", "Wall=Open", Q(older), Q(bare), Q(plain)});
    EXPECT_EQ(dry.Status, kExitSuccess) << dry.Err;
    EXPECT_EQ(dry.Out, older + ": 10 cells would change\n  --replace Wall=Open: 10 cells\n" + bare +
                           ": 10 cells would change\n  --replace Wall=Open: 10 cells\n" + plain +
                           ": unchanged\n  --replace Wall=Open: 0 cells\n");
    EXPECT_EQ(std::filesystem::last_write_time(older), olderTime);

    const RunResult result = Run({"edit", "--replace", "Wall=Open", Q(older), Q(bare), Q(plain)});
    EXPECT_EQ(result.Status, kExitSuccess) << result.Err;
    EXPECT_EQ(result.Out, older + ": 10 cells changed\n" + bare + ": 10 cells changed\n" + plain +
                              ": unchanged\n");
    MapGrid opened = walls_;
    for (int x = 0; x < 10; ++x) {
        opened.Set(x, 5, 1);
    }
    EXPECT_EQ(ReadBytes(older), WriteMapFile(opened, Dungeon, {0, 3, 9}));
    EXPECT_EQ(ReadBytes(bare), WriteMapFile(opened, Dungeon, kProgramVersion));
    EXPECT_EQ(std::filesystem::last_write_time(plain), plainTime);
}

TEST_F(EditTest, DiffAfterAnEditNamesExactlyTheCellsItChanged) {
    MapGrid prefab;
    prefab.Set(1, 1, 15);
    prefab.Set(2, 2, 12);
    const std::string source = WriteMap("prefab.map", prefab, Dungeon);
    const std::string before = WriteMap("before.map", walls_, Dungeon);
    const std::string map = WriteMap("castle.map", walls_, Dungeon);
    const RunResult edit = Run({"edit", "--region", "0,5,3,1", "--replace", "Wall=Open", "--copy",
                                Q(source) + ":1,1,2,2@997,997", Q(map)});
    ASSERT_EQ(edit.Status, kExitSuccess) << edit.Err;
    // (997, 997) gets 15; (998, 998) had 24 and gets 12; (998, 997) and
    // (997, 998) get 0 as they held.
    EXPECT_EQ(edit.Out, map + ": 5 cells changed\n");
    const RunResult diff = Run({"diff", Q(before), Q(map)});
    EXPECT_EQ(diff.Status, kExitAnswerNo);
    EXPECT_EQ(diff.Out,
              "(0, 5) 494N, 499W: 2 \"Wall\" -> 1 \"Open\"\n"
              "(1, 5) 494N, 498W: 2 \"Wall\" -> 1 \"Open\"\n"
              "(2, 5) 494N, 497W: 2 \"Wall\" -> 1 \"Open\"\n"
              "(997, 997) 498S, 498E: 0 \"Unknown\" -> 15 \"Chest\"\n"
              "(998, 998) 499S, 499E: 24 \"Tentacular Cluster\" -> 12 \"Unlocked Door\"\n");
}

}  // namespace
}  // namespace velmora
