// The import subcommand as a whole: the map file it writes, the note on a
// small map, standard input, tileset files beside the map, and that a
// refusal leaves OUT as it was.
#include "ImportTestFiles.h"
#include "MapToolFixture.h"

#include "cli/tiled/MapImport.h"

#include <QDir>

#include <gmock/gmock.h>

#include <filesystem>

namespace velmora::test {
namespace {

using testing::HasSubstr;
using testing::StartsWith;

class ImportCommandTest : public MapToolTest {
protected:
    static std::vector<std::uint8_t> MapBytes(const std::vector<std::vector<TileCode>>& rows,
                                              const TileSet tileSet) {
        MapGrid grid;
        for (std::size_t y = 0; y < rows.size(); ++y) {
            for (std::size_t x = 0; x < rows[y].size(); ++x) {
                grid.Set(static_cast<int>(x), static_cast<int>(y), rows[y][x]);
            }
        }
        return WriteMapFile(grid, tileSet, kProgramVersion);
    }

    std::size_t FilesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(PathOf(".")),
                          std::filesystem::directory_iterator()));
    }
};

TEST_F(ImportCommandTest, WritesTheMapAndNotesThatASmallOneFillsTheNorthWestCorner) {
    const std::string in = WriteText("cave.tmx", Tmx(kDungeonTmxHead, CsvData("1,2,3,\n0,30,29")));
    const std::string out = PathOf("cave.map");
    const RunResult result = Run({"import", Q(in), Q(out)});
    EXPECT_EQ(result.Status, kExitSuccess);
    EXPECT_EQ(result.Out, "");
    EXPECT_EQ(result.Err, "velmora-map: " + in +
                              ": note: the map is 3 x 2 cells; it fills the north-west corner and "
                              "the other cells are 0\n");
    EXPECT_EQ(ReadBytes(out), MapBytes({{0, 1, 2}, {0, 29, 28}}, Dungeon));
}

TEST_F(ImportCommandTest, FullCsvMapNeedsNoNoteAndTakesTheTileSetOption) {
    std::string text;
    std::vector<std::vector<TileCode>> rows(kMapSide, std::vector<TileCode>(kMapSide));
    for (int y = 0; y < kMapSide; ++y) {
        for (int x = 0; x < kMapSide; ++x) {
            rows[y][x] = (x * 7 + y * 13) % 151 - 1;
            text += std::to_string(rows[y][x]) + (x + 1 < kMapSide ? "," : "\r\n");
        }
    }
    const std::string in = WriteText("WORLD.CSV", text);
    const std::string out = PathOf("world.map");
    const RunResult result = Run({"import", "--tileset=3", Q(in), Q(out)});
    EXPECT_EQ(result.Status, kExitSuccess) << result.Err;
    EXPECT_EQ(result.Err, "");
    EXPECT_EQ(ReadBytes(out), MapBytes(rows, OpenYSR));
}

TEST_F(ImportCommandTest, RefusalLeavesAnExistingOutputAsItWasAndWritesNoNewOne) {
    const std::string bad = WriteText("bad.tmx", Tmx(kDungeonTmxHead, CsvData("1,2,3,0,30,33")));
    const std::string good = WriteText("good.csv", "1,2\n");
    const std::string large =
        WriteText("large.tmj", Tmj(kDungeonTmjHead, R"("data": [])", 1000, 1));
    const struct {
        QStringList Arguments;
        std::string Expected;
    } cases[] = {
        {{Q(bad)},
         "velmora-map: " + bad + ": line 8, layer 'Ground', cell (2, 1) 498N, 497W: id 33"},
        {{Q(large)}, "velmora-map: " + large + ": layer 'Ground': the map is 1000 x 1 cells"},
        {{Q(good)}, "velmora-map import: a CSV map holds no tile set; give it with --tileset N"},
        {{"--tileset", "5", Q(good)}, "velmora-map import: --tileset takes a whole number from 0"},
        {{"--format", "xml", Q(good)}, "velmora-map import: --format takes csv, tmx or tmj, not"},
        {{"--tileset", "1", Q(PathOf("absent.csv"))},
         "velmora-map: " + PathOf("absent.csv") + ": File not found"},
        {{"--tileset", "1", Q(PathOf("cave.txt"))}, "velmora-map import: cannot tell the format"},
        {{"--tileset", "1", "-"}, "velmora-map import: give the format of standard input"},
    };
    const std::vector<std::uint8_t> old = {'o', 'l', 'd'};
    const std::string existing = WriteBytes("existing.map", old);
    const std::size_t files = FilesInFolder();
    for (const auto& c : cases) {
        for (const std::string& out : {existing, PathOf("new.map")}) {
            const RunResult result = Run(QStringList{"import"} + c.Arguments + QStringList{Q(out)});
            EXPECT_EQ(result.Status, kExitTrouble) << c.Expected;
            EXPECT_THAT(result.Err, StartsWith(c.Expected));
            EXPECT_EQ(result.Out, "");
        }
        EXPECT_EQ(ReadBytes(existing), old);
        EXPECT_EQ(FilesInFolder(), files) << c.Expected;
    }
}

TEST_F(ImportCommandTest, EnormousInputIsRefusedBeforeItIsRead) {
    const std::string in = WriteText("huge.tmx", "<map>");
    std::filesystem::resize_file(in, kMaxImportBytes + 1);  // sparse: nothing to read
    const RunResult result = Run({"import", Q(in), Q(PathOf("huge.map"))});
    EXPECT_EQ(result.Status, kExitTrouble);
    EXPECT_EQ(result.Err, "velmora-map: " + in +
                              ": the input holds more than 64 MiB, far more than any map needs\n");
}

TEST_F(ImportCommandTest, ExternalTilesetIsReadBesideTheMapElseKnownByItsFileName) {
    QDir(Q(PathOf("."))).mkdir("maps");
    const std::string head = R"("tilesets": [{"firstgid": 1, "source": "../tiles.tsj"}],)";
    const std::string in = WriteText("maps/port.tmj", Tmj(head, R"("data": [1, 2, 3, 4, 5, 6])"));
    const std::string out = PathOf("port.map");
    EXPECT_THAT(Run({"import", Q(in), Q(out)}).Err, HasSubstr("cannot tell the map's tile set"));

    WriteText("tiles.tsj", R"({"name": "Starport - Palloran", "tilecount": 200})");
    EXPECT_EQ(Run({"import", Q(in), Q(out)}).Status, kExitSuccess);
    EXPECT_EQ(ReadBytes(out), MapBytes({{0, 1, 2}, {3, 4, 5}}, StarportPalloran));

    const std::string byName =
        WriteText("maps/land.tmj",
                  Tmj(R"("tilesets": [{"firstgid": 1, "source": "velmora-open-land-ysr.tsj"}],)",
                      R"("data": [1, 1, 1, 1, 1, 1])"));
    EXPECT_EQ(Run({"import", Q(byName), Q(out)}).Status, kExitSuccess);
    EXPECT_EQ(ReadBytes(out), MapBytes({{0, 0, 0}, {0, 0, 0}}, OpenYSR));
}

TEST_F(ImportCommandTest, ReadsStandardInputInTheFormatGiven) {
    const std::string out = PathOf("piped.map");
    QProcess process;
    process.setProcessEnvironment(QProcessEnvironment());
    process.start(QStringLiteral(VELMORA_MAP_EXECUTABLE),
                  {"import", "--format", "csv", "--tileset", "2", "-", Q(out)});
    process.write("5,6\n7,-8\n");
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(60'000));
    EXPECT_EQ(process.exitCode(), kExitSuccess);
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "velmora-map: -: note: the map is 2 x 2 cells; it fills the north-west corner and "
              "the other cells are 0\n");
    EXPECT_EQ(ReadBytes(out), MapBytes({{5, 6}, {7, -8}}, OpenCarrowmere));
}

}  // namespace
}  // namespace velmora::test
