// info: the text layout, the code counts and their order, the codes that
// name no tile, JSON, and every kind of damaged or unreadable file.
#include "MapToolFixture.h"
#include "cli/info/MapSummary.h"
#include "core/merge/MapMerge.h"
#include "core/tiles/TileSet.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gmock/gmock.h>

namespace velmora {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing::Not;

class InfoTest : public MapToolTest {
protected:
    static QJsonObject JsonOf(const std::string& line) {
        return QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
    }
};

TEST_F(InfoTest, DescribesASoundMapInAlignedText) {
    MapGrid grid;
    for (int x = 0; x < 10; ++x) {
        grid.Set(x, 0, 2);
    }
    for (int y = 1; y <= 5; ++y) {
        grid.Set(0, y, 1);
    }
    const std::string path = WriteMap("town.map", grid, Dungeon);
    const RunResult result = Run({"info", Q(path)});
    EXPECT_EQ(result.Status, kExitSuccess);
    EXPECT_EQ(result.Err, "");
    EXPECT_EQ(result.Out, path + R"(
  size:       3,992,020 bytes
  grid:       complete, 998,001 cells
  tile set:   0 "Dungeon - VL"
  version:    0.4.320
  trailing:   none
  codes:      3 different:
                997,986  0 "Unknown"
                     10  2 "Wall"
                      5  1 "Open"
  no tile:    none
  problems:   none
)");
}

TEST_F(InfoTest, ListsTheTenMostUsedCodesWithTiesByCodeAndAllOnRequest) {
    // Codes 12 down to 1 once each, and 7 twice: 0, 7, then 1..12 by code.
    MapGrid grid;
    for (int code = 12; code >= 1; --code) {
        grid.Set(12 - code, 0, code);
    }
    grid.Set(20, 0, 7);
    const std::string path = WriteMap("many.map", grid, Dungeon);

    const RunResult top = Run({"info", Q(path)});
    EXPECT_THAT(top.Out, HasSubstr(R"(
  codes:      13 different, the 10 most used:
                997,988  0 "Unknown"
                      2  7 "Crumbling Earth Tunnel - crossroads"
                      1  1 "Open"
                      1  2 "Wall"
                      1  3 "Shallow Water"
                      1  4 "Crawlspace - crossroads"
                      1  5 "Crawlspace - horizontal"
                      1  6 "Crawlspace - vertical"
                      1  8 "Crumbling Earth Tunnel - horizontal"
                      1  9 "Crumbling Earth Tunnel - vertical"
              and 3 more; --all lists every code
  no tile:)"));

    const RunResult all = Run({"info", "--all", Q(path)});
    EXPECT_THAT(all.Out, HasSubstr("  codes:      13 different:\n"));
    EXPECT_THAT(all.Out, HasSubstr("      1  12 \"Unlocked Door\"\n  no tile:"));
    EXPECT_THAT(all.Out, Not(HasSubstr("more; --all")));
}

TEST_F(InfoTest, NamesCodesThroughTheMapsOwnTileSet) {
    MapGrid grid;
    grid.Set(0, 0, 51);  // a walkway among the starport's variants, no tile elsewhere
    grid.Set(1, 0, 16);  // a tile in the dungeon set, none in the starport set
    const RunResult starport = Run({"info", Q(WriteMap("s.map", grid, StarportPalloran))});
    EXPECT_THAT(starport.Out, HasSubstr("1  51 \"Walkway"));
    EXPECT_THAT(starport.Out, HasSubstr("  no tile:    16 in 1 cell:\n"
                                        "                (1, 0) 499N, 498W\n"
                                        "  problems:   1 cell with codes that name no tile in "
                                        "4 \"Starport - Palloran\"\n"));
    const RunResult dungeon = Run({"info", Q(WriteMap("d.map", grid, Dungeon))});
    EXPECT_THAT(dungeon.Out, HasSubstr("  no tile:    51 in 1 cell:\n"));
}

TEST_F(InfoTest, ShowsTheFirstFiveCellsOfACodeWithoutTileInRowOrder) {
    MapGrid grid;
    // Set from the south-east up, so that row order is not the order of setting.
    for (int i = 6; i >= 0; --i) {
        grid.Set(998 - i, 900 - 100 * i, 151);
    }
    grid.Set(510, 487, -1);
    const RunResult result = Run({"info", Q(WriteMap("bad.map", grid, Dungeon))});
    EXPECT_EQ(result.Status, kExitAnswerNo);
    EXPECT_THAT(result.Out, HasSubstr(R"(
  no tile:    -1 in 1 cell:
                (510, 487) 12N, 11E
              151 in 7 cells, the first 5:
                (992, 300) 199N, 493E
                (993, 400) 99N, 494E
                (994, 500) 1S, 495E
                (995, 600) 101S, 496E
                (996, 700) 201S, 497E
  problems:   8 cells with codes that name no tile in 0 "Dungeon - VL"
)"));
}

// The conflict mark is a merge to finish, a problem of its own in any tile
// set, and never one of the codes that name no tile.
TEST_F(InfoTest, CountsConflictMarksAsUnresolvedConflictsNotAsCodesWithoutTile) {
    MapGrid grid;
    for (int x = 0; x < 12; ++x) {
        grid.Set(x, 2, kConflictMark);
    }
    grid.Set(5, 5, 151);
    const std::string marks =
        "12 cells hold the conflict mark of an unfinished merge (code -777777777)\n";
    const struct {
        std::int32_t TileSet;
        std::string Problems;
        QJsonValue NoTileCells;
    } cases[] = {
        {Dungeon,
         "  no tile:    151 in 1 cell:\n                (5, 5) 494N, 494W\n  problems:   " + marks +
             "              1 cell with codes that name no tile in 0 \"Dungeon - VL\"\n",
         1},
        {7, "              " + marks, QJsonValue::Null},
    };
    for (const auto& c : cases) {
        const std::string path = WriteMap("marked.map", grid, c.TileSet);
        const RunResult text = Run({"info", Q(path)});
        EXPECT_EQ(text.Status, kExitAnswerNo) << c.TileSet;
        EXPECT_THAT(text.Out, HasSubstr("     12  -777777777 (conflict mark)\n")) << c.TileSet;
        EXPECT_THAT(text.Out, HasSubstr(c.Problems)) << c.TileSet;
        const QJsonObject json = JsonOf(Run({"info", "--json", Q(path)}).Out);
        EXPECT_EQ(json["conflictCells"].toInt(), 12) << c.TileSet;
        EXPECT_EQ(json["noTileCells"], c.NoTileCells) << c.TileSet;
    }
    const std::string sound = WriteMap("sound.map", MapGrid(), Dungeon);
    EXPECT_EQ(JsonOf(Run({"info", "--json", Q(sound)}).Out)["conflictCells"].toInt(-1), 0);
}

TEST_F(InfoTest, CountsEveryCodeWhetherTheCatalogueHoldsItOrNot) {
    const struct {
        std::vector<TileCode> Cells;
        std::vector<CodeCount> Counts;
    } cases[] = {
        {{}, {}},
        {{0}, {{0, 1}}},
        // More than one pass of the four counters, and a tail of three.
        {{1, 1, 1, 1, 1, 2, 1}, {{1, 6}, {2, 1}}},
        {{150, 151, -1, 151, 2147483647, -2147483647 - 1, 0},
         {{-2147483647 - 1, 1}, {-1, 1}, {0, 1}, {150, 1}, {151, 2}, {2147483647, 1}}},
    };
    // Codes that share their low byte with codes from 0 to 255 (-1 and 255,
    // 256 and 0, 2147483647 and 255), and more cells than the counters take
    // in one pass.
    std::vector<TileCode> cells(37, 0);
    cells[3] = 256;
    cells[9] = 255;
    cells[10] = -1;
    cells[20] = 2147483647;
    cells[36] = -1;
    EXPECT_EQ(CountCodes(cells),
              (std::vector<CodeCount>{{-1, 2}, {0, 32}, {255, 1}, {256, 1}, {2147483647, 1}}));
    for (const auto& c : cases) {
        EXPECT_EQ(CountCodes(c.Cells), c.Counts) << testing::PrintToString(c.Cells);
    }
}

TEST_F(InfoTest, GivesEachFileOneLineOfJson) {
    MapGrid grid;
    grid.Set(3, 4, 151);
    grid.Set(5, 5, 2);
    const std::string bad = WriteMap("bad.map", grid, Dungeon, {0, 4, 321}, kMapFileBytes, 2);
    const std::string good = WriteMap("good.map", MapGrid(), OpenVL);
    const RunResult result = Run({"info", "--json", Q(bad), Q(good)});
    EXPECT_EQ(result.Status, kExitAnswerNo);
    const QStringList lines = QString::fromStdString(result.Out).split('\n');
    ASSERT_EQ(lines.size(), 3);  // two objects and the empty rest after the last newline
    EXPECT_EQ(lines[2], "");

    const QJsonObject first = JsonOf(lines[0].toStdString());
    EXPECT_EQ(first["file"].toString().toStdString(), bad);
    EXPECT_EQ(first["size"].toInteger(), 3'992'022);
    EXPECT_EQ(first["cellsHeld"].toInt(), kMapCellCount);
    EXPECT_TRUE(first["gridComplete"].toBool());
    EXPECT_EQ(first["tileSet"].toInt(), 0);
    EXPECT_EQ(first["tileSetName"].toString(), "Dungeon - VL");
    EXPECT_EQ(first["version"].toString(), "0.4.321");
    EXPECT_TRUE(first["newer"].toBool());
    EXPECT_EQ(first["trailingBytes"].toInt(), 2);
    EXPECT_EQ(first["differentCodes"].toInt(), 3);
    const QJsonArray codes = first["codes"].toArray();
    ASSERT_EQ(codes.size(), 3);
    EXPECT_EQ(codes[1].toObject(), (QJsonObject{{"code", 2}, {"count", 1}, {"name", "Wall"}}));
    EXPECT_TRUE(codes[2].toObject()["name"].isNull());
    EXPECT_EQ(first["noTileCells"].toInt(), 1);
    EXPECT_EQ(
        first["noTile"].toArray()[0].toObject(),
        (QJsonObject{
            {"code", 151}, {"count", 1}, {"cells", QJsonArray{QJsonObject{{"x", 3}, {"y", 4}}}}}));
    EXPECT_EQ(first["problems"].toArray().size(), 3);

    const QJsonObject second = JsonOf(lines[1].toStdString());
    EXPECT_EQ(second["tileSetName"].toString(), "Open Land - VL");
    EXPECT_EQ(second["problems"].toArray(), QJsonArray());
}

TEST_F(InfoTest, JsonLeavesOutWhatAFileDoesNotStore) {
    const std::string path = WriteMap("grid.map", MapGrid(), Dungeon, kProgramVersion, kGridBytes);
    const QJsonObject object = JsonOf(Run({"info", "--json", Q(path)}).Out);
    for (const char* key : {"tileSet", "tileSetName", "version", "noTile", "noTileCells"}) {
        EXPECT_TRUE(object[key].isNull()) << key;
    }
    EXPECT_TRUE(object["codes"].toArray()[0].toObject()["name"].isNull());
}

// Each damaged file is described with the right problems and exit status.
TEST_F(InfoTest, DamagedFilesAreDescribedWithTheirProblems) {
    MapGrid odd;
    odd.Set(0, 0, -1);
    odd.Set(1, 0, 151);
    odd.Set(2, 0, 2147483647);
    const VersionTriple huge{2147483647, 2147483647, 2147483647};
    const VersionTriple lowest{-2147483647 - 1, -2147483647 - 1, -2147483647 - 1};
    const struct {
        const char* Name;
        std::string Path;
        int Status;
        std::vector<std::string> Lines;
    } cases[] = {
        {"empty",
         WriteBytes("empty.map", {}),
         kExitAnswerNo,
         {"  grid:       cut short, 0 of 998,001 cells\n", "  codes:      none\n",
          "  problems:   the grid is cut short: the file holds 0 of 998,001 cells, the others "
          "count as 0\n              no tile set stored\n"}},
        {"short, ending inside a cell",
         WriteBytes("short.map", {1, 0, 0, 0, 1, 0, 0, 0, 7}),
         kExitAnswerNo,
         {"  size:       9 bytes\n", "  grid:       cut short, 2 of 998,001 cells\n",
          "  codes:      1 different:\n                2  1\n",
          "  no tile:    not known without a known tile set\n"}},
        {"grid only",
         WriteMap("grid.map", MapGrid(), Dungeon, kProgramVersion, kGridBytes),
         kExitAnswerNo,
         {"  grid:       complete, 998,001 cells\n", "  tile set:   not stored\n",
          "  version:    not stored\n", "  problems:   no tile set stored\n"}},
        {"ending inside the tile set",
         WriteMap("ts.map", MapGrid(), Dungeon, kProgramVersion, kGridBytes + 2),
         kExitAnswerNo,
         {"  problems:   no tile set stored: the file ends after 2 of its 4 bytes\n"}},
        {"grid and tile set",
         WriteMap("older.map", MapGrid(), Dungeon, kProgramVersion, kTileSetBytes),
         kExitSuccess,
         {"  tile set:   0 \"Dungeon - VL\"\n", "  version:    not stored\n",
          "  problems:   none\n"}},
        {"cut in the trailer",
         WriteMap("cut.map", MapGrid(), Dungeon, kProgramVersion, 3'992'018),
         kExitAnswerNo,
         {"  version:    not stored\n",
          "  problems:   the file ends inside the version, after 10 of its 12 bytes\n"}},
        {"trailing bytes",
         WriteMap("long.map", MapGrid(), Dungeon, kProgramVersion, kMapFileBytes, 1234),
         kExitAnswerNo,
         {"  size:       3,993,254 bytes\n", "  trailing:   1,234 bytes after the end\n",
          "  problems:   1,234 bytes after the end of the map, which every reader ignores\n"}},
        {"codes naming no tile",
         WriteMap("odd.map", odd, OpenYSR),
         kExitAnswerNo,
         {"  no tile:    -1 in 1 cell:\n                (0, 0) 499N, 499W\n"
          "              151 in 1 cell:\n                (1, 0) 499N, 498W\n"
          "              2147483647 in 1 cell:\n                (2, 0) 499N, 497W\n"}},
        {"tile set -1",
         WriteMap("minus.map", odd, -1),
         kExitAnswerNo,
         {"  tile set:   unknown tile set -1\n",
          "  problems:   unknown tile set -1, so no code names a tile\n"}},
        {"tile set 7",
         WriteMap("seven.map", MapGrid(), 7),
         kExitAnswerNo,
         {"  tile set:   unknown tile set 7\n",
          "                998,001  0\n"
          "  no tile:    not known"}},
        {"huge version",
         WriteMap("huge.map", MapGrid(), Dungeon, huge),
         kExitAnswerNo,
         {"  version:    2147483647.2147483647.2147483647, newer than this program's 0.4.320\n",
          "  problems:   written by a newer version than this program's 0.4.320\n"}},
        {"lowest version",
         WriteMap("low.map", MapGrid(), Dungeon, lowest),
         kExitSuccess,
         {"  version:    -2147483648.-2147483648.-2147483648\n", "  problems:   none\n"}},
    };
    for (const auto& c : cases) {
        const RunResult result = Run({"info", Q(c.Path)});
        EXPECT_EQ(result.Status, c.Status) << c.Name;
        EXPECT_EQ(result.Err, "") << c.Name;
        for (const std::string& line : c.Lines) {
            EXPECT_THAT(result.Out, HasSubstr(line)) << c.Name;
        }
    }
}

TEST_F(InfoTest, GoesOnPastUnreadableFilesAndAnswersWithTheWorstStatus) {
    const std::string good = WriteMap("good.map", MapGrid(), Dungeon);
    const std::string bad = WriteMap("bad.map", MapGrid(), 7);
    const std::string missing = PathOf("missing.map");
    const std::string folder = PathOf("folder");
    QDir().mkpath(Q(folder));

    const RunResult result = RunProgram({"info", Q(missing), Q(good), Q(folder), Q(bad)});
    EXPECT_EQ(result.Status, kExitTrouble);
    EXPECT_EQ(result.Err, "velmora-map: " + missing + ": File not found\nvelmora-map: " + folder +
                              ": is a folder, not a file\n");
    EXPECT_THAT(result.Out, HasSubstr(good + "\n  size:"));
    EXPECT_THAT(result.Out, HasSubstr("\n\n" + bad + "\n  size:"));

    EXPECT_EQ(RunProgram({"info", Q(good), Q(bad)}).Status, kExitAnswerNo);
    EXPECT_EQ(RunProgram({"info", Q(good), Q(good)}).Status, kExitSuccess);
}

TEST_F(InfoTest, HelpAndWrongArgumentsAnswerAsTheProgram) {
    const RunResult help = RunProgram({"info", "--help"});
    EXPECT_EQ(help.Status, kExitSuccess);
    EXPECT_THAT(help.Out, testing::StartsWith("Usage: velmora-map info [OPTION]... FILE...\n"));
    EXPECT_THAT(help.Out, HasSubstr("\nExit status:\n"));

    const struct {
        QStringList Arguments;
        const char* Message;
    } cases[] = {
        {{"info"}, "velmora-map info: missing file operand\n"},
        {{"info", "--everything", "a.map"}, "velmora-map info: unknown option 'everything'\n"},
    };
    for (const auto& c : cases) {
        const RunResult result = RunProgram(c.Arguments);
        EXPECT_EQ(result.Status, kExitTrouble) << c.Message;
        EXPECT_EQ(result.Err,
                  std::string(c.Message) + "Try 'velmora-map info --help' for more information.\n");
        EXPECT_EQ(result.Out, "");
    }
}

}  // namespace
}  // namespace velmora
