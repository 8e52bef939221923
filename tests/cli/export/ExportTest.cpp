// export: CSV that keeps any code, TMX and TMJ maps with their tilesets as a
// tile editor reads them, the tileset files a map maker may have changed, and
// every input or output that must be refused without writing anything.
#include "ExportedMaps.h"
#include "MapToolFixture.h"
#include "cli/export/TilesetFiles.h"
#include "cli/tiled/TiledFormat.h"
#include "core/merge/MapMerge.h"
#include "core/tiles/TileTables.h"
#include "render/TilePictures.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QImageWriter>

#include <gmock/gmock.h>

#include <charconv>
#include <climits>
#include <filesystem>
#include <optional>
#include <utility>

namespace velmora {
namespace {

using testing::HasSubstr;
using testing::IsEmpty;

// Every code the set names in turn, so neighbours differ.
MapGrid TileGrid(const TileSet tileSet) {
    const std::span<const TileRow> rows = TileRowsOf(tileSet);
    MapGrid grid;
    for (int y = 0; y < kMapSide; ++y) {
        for (int x = 0; x < kMapSide; ++x) {
            grid.Set(x, y, rows[static_cast<std::size_t>(x * 7 + y * 13) % rows.size()].Code);
        }
    }
    return grid;
}

std::string StemOf(const TileSet tileSet) {
    return std::string(tiled::TilesetFileStem(tileSet));
}

class ExportTest : public MapToolTest {
protected:
    // Every name in the scratch folder, hidden temporary files included.
    QStringList Files() const {
        return QDir(Q(PathOf("")))
            .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
};

std::vector<TileCode> ParseCsv(const std::string& text) {
    std::vector<TileCode> codes;
    int lines = 0;
    const char* at = text.data();
    const char* const end = at + text.size();
    while (at < end) {
        TileCode code = 0;
        const auto [next, error] = std::from_chars(at, end, code);
        EXPECT_EQ(error, std::errc()) << "at byte " << at - text.data();
        codes.push_back(code);
        lines += *next == '\n' ? 1 : 0;
        EXPECT_TRUE(*next == ',' || *next == '\n');
        EXPECT_EQ(*next == '\n', codes.size() % kMapSide == 0) << "line " << lines;
        at = next + 1;
    }
    EXPECT_EQ(lines, kMapSide);
    return codes;
}

TEST_F(ExportTest, CsvKeepsEveryCodeOfAnyTileSet) {
    MapGrid grid = TileGrid(StarportPalloran);
    grid.Set(0, 0, INT_MIN);
    grid.Set(998, 0, -1);
    grid.Set(0, 998, 151);
    grid.Set(998, 998, INT_MAX);
    const std::string map = WriteMap("m.map", grid, 7);
    const RunResult file = Run({"export", Q(map), Q(PathOf("m.CSV"))});
    ASSERT_EQ(file.Status, kExitSuccess) << file.Err;
    EXPECT_EQ(file.Err, "");
    const std::string text = ReadText(PathOf("m.CSV"));
    const std::vector<TileCode> codes = ParseCsv(text);
    EXPECT_TRUE(std::ranges::equal(codes, grid.Cells()));
    EXPECT_EQ(Files(), QStringList({"m.CSV", "m.map"}));

    const RunResult standardOutput = Run({"export", "--format", "csv", Q(map), "-"});
    EXPECT_EQ(standardOutput.Status, kExitSuccess);
    EXPECT_TRUE(standardOutput.Out == text);
}

TEST_F(ExportTest, TiledMapsHoldGidsTileSetAndVersion) {
    const struct {
        const char* Out;
        exported::TiledMap (*Read)(const std::string&);
        TileSet Set;
        VersionTriple Version;
        std::size_t Bytes;
        std::map<std::string, std::string> Properties;
    } cases[] = {
        {"m.tmx",
         exported::ReadTmx,
         StarportPalloran,
         kProgramVersion,
         kMapFileBytes,
         {{"velmora-tileset", "int:4"}, {"velmora-version", ":0.4.320"}}},
        {"m.tmj",
         exported::ReadTmj,
         Dungeon,
         {7, INT_MAX, -5},
         kMapFileBytes,
         {{"velmora-tileset", "int:0"}, {"velmora-version", "string:7.2147483647.-5"}}},
        // A file of the grid and the tile set stores no version to pass on.
        {"m.TMX",
         exported::ReadTmx,
         OpenCarrowmere,
         kProgramVersion,
         kTileSetBytes,
         {{"velmora-tileset", "int:2"}}},
    };
    for (const auto& c : cases) {
        const MapGrid grid = TileGrid(c.Set);
        const std::string map = WriteMap("m.map", grid, c.Set, c.Version, c.Bytes);
        const RunResult result = Run({"export", Q(map), Q(PathOf(c.Out))});
        ASSERT_EQ(result.Status, kExitSuccess) << c.Out << result.Err;
        EXPECT_EQ(result.Err, "");
        const exported::TiledMap tiledMap = c.Read(PathOf(c.Out));
        EXPECT_EQ(tiledMap.Properties, c.Properties) << c.Out;
        EXPECT_EQ(tiledMap.TilesetSource,
                  StemOf(c.Set) + (c.Read == exported::ReadTmx ? ".tsx" : ".tsj"));
        ASSERT_EQ(tiledMap.Gids.size(), std::size_t{kMapCellCount}) << c.Out;
        for (int i = 0; i < kMapCellCount; ++i) {
            ASSERT_EQ(tiledMap.Gids[i], std::int64_t{grid.Cells()[i]} + 1) << c.Out << " " << i;
        }
    }
}

// Export knows a format by every extension import knows it by: a .json map
// is TMJ, with its tileset in a .tsj file.
TEST_F(ExportTest, JsonExtensionWritesTmjAsImportReadsIt) {
    const std::string map = WriteMap("m.map", TileGrid(Dungeon), Dungeon);
    ASSERT_EQ(Run({"export", Q(map), Q(PathOf("m.tmj"))}).Status, kExitSuccess);
    for (const char* out : {"m.json", "m.JSON"}) {
        const RunResult result = Run({"export", Q(map), Q(PathOf(out))});
        ASSERT_EQ(result.Status, kExitSuccess) << out << " " << result.Err;
        EXPECT_EQ(result.Err, "");
        EXPECT_TRUE(ReadBytes(PathOf(out)) == ReadBytes(PathOf("m.tmj"))) << out;
    }
    EXPECT_EQ(Files(), QStringList({"m.JSON", "m.json", "m.map", "m.tmj", "velmora-dungeon.png",
                                    "velmora-dungeon.tsj"}));
}

TEST_F(ExportTest, TilesetsDescribeEveryTileAndPictureIt) {
    TilePictures pictures;
    for (int set = 0; set < kTileSetCount; ++set) {
        const auto tileSet = static_cast<TileSet>(set);
        const std::string map = WriteMap("m.map", MapGrid(), set);
        ASSERT_EQ(Run({"export", Q(map), Q(PathOf("m.tmx"))}).Status, kExitSuccess);
        ASSERT_EQ(Run({"export", Q(map), Q(PathOf("m.tmj"))}).Status, kExitSuccess);
        const exported::Tileset tsx = exported::ReadTsx(PathOf(StemOf(tileSet) + ".tsx"));
        EXPECT_EQ(exported::ReadTsj(PathOf(StemOf(tileSet) + ".tsj")), tsx) << set;
        EXPECT_EQ(tsx.Name, TileSetMenuCaption(tileSet));
        EXPECT_EQ(tsx.TileCount, tiled::TilesetTileCount(tileSet));
        EXPECT_EQ(tsx.Columns, tiled::kSheetColumns);
        EXPECT_EQ(tsx.Image, StemOf(tileSet) + ".png");

        const QImage sheet(Q(PathOf(tsx.Image)));
        ASSERT_EQ(sheet.size(), QSize(tsx.ImageWidth, tsx.ImageHeight)) << set;
        ASSERT_GE(sheet.width() / 40 * (sheet.height() / 40), tsx.TileCount);
        const std::span<const TileRow> rows = TileRowsOf(tileSet);
        std::size_t row = 0;
        for (int code = 0; code < tsx.TileCount; ++code) {
            const bool named = row < rows.size() && rows[row].Code == code;
            const QImage& expected =
                named ? pictures.Load(rows[row].Entry.BitmapName.View()) : pictures.NoTile();
            const QImage piece = sheet.copy(code % 16 * 40, code / 16 * 40, 40, 40)
                                     .convertToFormat(expected.format());
            EXPECT_TRUE(piece == expected) << "set " << set << " code " << code;
            if (!named) {
                EXPECT_FALSE(tsx.Tiles.contains(code));
                continue;
            }
            const TileEntry& entry = rows[row++].Entry;
            const std::map<std::string, std::string> properties{
                {"name", std::string(entry.Name.View())},
                {"mp", std::string(entry.MP.View())},
                {"visibility-adjustment", std::string(entry.VisAdj.View())},
                {"attack-adjustment", std::string(entry.AttAdj.View())},
                {"defence-adjustment", std::string(entry.DefAdj.View())},
            };
            EXPECT_EQ(tsx.Tiles.at(code), properties) << "set " << set << " code " << code;
        }
        EXPECT_EQ(tsx.Tiles.size(), rows.size());
    }
}

// A PNG of the same pixels in other bytes than export writes.
std::vector<std::uint8_t> ReencodedPng(const std::string& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setCompression(0);
    writer.write(QImage(QString::fromStdString(path)));
    return {bytes.begin(), bytes.end()};
}

TEST_F(ExportTest, TilesetFilesAMapMakerChangedAreKeptUnlessReplaced) {
    const std::string map = WriteMap("m.map", MapGrid(), Dungeon);
    const std::string out = PathOf("m.tmx");
    ASSERT_EQ(Run({"export", Q(map), Q(out)}).Status, kExitSuccess);
    const std::string tileset = PathOf("velmora-dungeon.tsx");
    const std::string sheet = PathOf("velmora-dungeon.png");
    const std::vector<std::uint8_t> written = ReadBytes(tileset);
    const std::vector<std::uint8_t> redPicture = [] {
        QImage red(640, 80, QImage::Format_RGB32);
        red.fill(Qt::red);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        red.save(&buffer, "png");
        return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
    }();

    const struct {
        const char* What;
        std::string Path;
        std::vector<std::uint8_t> Content;
        bool Kept;
    } cases[] = {
        {"as written", tileset, written, false},
        {"edited", tileset, {'<', '/', '>'}, true},
        {"longer", tileset,
         [&] {
             auto longer = written;
             longer.push_back('\n');
             return longer;
         }(),
         true},
        {"same pixels", sheet, ReencodedPng(sheet), false},
        {"other pixels", sheet, redPicture, true},
    };
    for (const auto& c : cases) {
        WriteBytes(std::filesystem::path(c.Path).filename().string(), c.Content);
        const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
        std::filesystem::last_write_time(c.Path, old);

        const RunResult kept = Run({"export", Q(map), Q(out)});
        EXPECT_EQ(kept.Status, kExitSuccess) << c.What;
        EXPECT_EQ(ReadBytes(c.Path), c.Content) << c.What;
        EXPECT_EQ(std::filesystem::last_write_time(c.Path), old) << c.What;
        EXPECT_EQ(kept.Err, c.Kept ? "velmora-map: " + c.Path +
                                         ": note: kept as it is, though it differs from what this "
                                         "program writes (changed in a tile editor?); "
                                         "--replace-tileset writes it anew\n"
                                   : "")
            << c.What;

        const RunResult replaced = Run({"export", "--replace-tileset", Q(map), Q(out)});
        EXPECT_EQ(replaced.Status, kExitSuccess) << c.What;
        EXPECT_EQ(replaced.Err, "");
        EXPECT_EQ(c.Kept, ReadBytes(c.Path) != c.Content) << c.What;
        EXPECT_EQ(ReadBytes(tileset), written) << c.What;
    }
    EXPECT_EQ(Files(),
              QStringList({"m.map", "m.tmx", "velmora-dungeon.png", "velmora-dungeon.tsx"}));
}

// Damaged files that can still be exported, and what export tells about them.
TEST_F(ExportTest, DamagedInputIsExportedWithWhatItLacks) {
    const MapGrid grid = TileGrid(Dungeon);
    const struct {
        const char* Out;
        std::size_t Bytes;
        std::size_t Extra;
        const char* Err;
    } cases[] = {
        {"m.csv", 4000, 0,
         "velmora-map: {map}: warning: the grid is cut short: the file holds 1,000 of 998,001 "
         "cells, the others count as 0\nvelmora-map: {map}: warning: no tile set stored\n"},
        {"m.csv", kGridBytes, 0, "velmora-map: {map}: warning: no tile set stored\n"},
        {"m.tmx", kTileSetBytes + 5, 0,
         "velmora-map: {map}: warning: the file ends inside the version, after 5 of its 12 bytes; "
         "no velmora-version property is written\n"},
        {"m.tmj", kMapFileBytes, 3,
         "velmora-map: {map}: warning: 3 bytes after the end of the map, which every reader "
         "ignores\n"},
    };
    for (const auto& c : cases) {
        const std::string map = WriteMap("m.map", grid, Dungeon, kProgramVersion, c.Bytes, c.Extra);
        const RunResult result = Run({"export", Q(map), Q(PathOf(c.Out))});
        EXPECT_EQ(result.Status, kExitSuccess) << c.Err;
        std::string err = c.Err;
        for (auto at = err.find("{map}"); at != std::string::npos; at = err.find("{map}")) {
            err.replace(at, 5, map);
        }
        EXPECT_EQ(result.Err, err);
    }
    const std::vector<TileCode> codes = ParseCsv(ReadText(PathOf("m.csv")));
    EXPECT_TRUE(std::ranges::equal(codes, grid.Cells()));
    WriteMap("short.map", grid, Dungeon, kProgramVersion, 4000);
    const std::vector<TileCode> shortCodes =
        ParseCsv(Run({"export", "-f", "csv", Q(PathOf("short.map")), "-"}).Out);
    EXPECT_TRUE(std::equal(shortCodes.begin(), shortCodes.begin() + 1000, grid.Cells().begin()));
    EXPECT_EQ(std::count(shortCodes.begin(), shortCodes.end(), 0),
              std::count(grid.Cells().begin(), grid.Cells().begin() + 1000, 0) + 997001);
}

// One refused export: the file written as m.map, the arguments after
// "export" with {in} for m.map, {dir} for the scratch folder and {out} for
// out.tmx (a file holding "old"), and the message expected on standard error.
struct Refusal {
    const char* What;
    QStringList Arguments;
    std::string Err;
    const MapGrid* Grid = nullptr;  // all 0 when null
    std::int32_t TileSet = 0;
    std::size_t Bytes = kMapFileBytes;
    std::optional<std::string> Text = std::nullopt;  // written instead of a map
    const char* Folder = nullptr;                    // made before the export
};

TEST_F(ExportTest, RefusalsWriteNothing) {
    MapGrid threeBad = TileGrid(Dungeon);
    threeBad.Set(510, 487, 151);
    threeBad.Set(0, 998, -1);
    threeBad.Set(998, 998, INT_MAX);
    MapGrid eightBad;
    for (int x = 0; x < 8; ++x) {
        eightBad.Set(x, 0, 30 + x);
    }
    MapGrid marked = threeBad;
    marked.Set(3, 4, kConflictMark);
    marked.Set(4, 4, kConflictMark);
    const QStringList inOut{"{in}", "{out}"};
    const Refusal cases[] = {
        {.What = "conflict marks",
         .Arguments = inOut,
         .Err = "velmora-map: {in}: 2 cells hold the conflict mark of an unfinished merge (code "
                "-777777777); resolve the merge first (velmora-map resolve, or place tiles on "
                "those cells in the editor), then export the map\n",
         .Grid = &marked},
        {.What = "conflict marks to CSV",
         .Arguments = {"-f", "csv", "{in}", "-"},
         .Err = "2 cells hold the conflict mark",
         .Grid = &marked},
        {.What = "empty",
         .Arguments = inOut,
         .Err = "velmora-map: {in}: the file holds no map cell (it is 0 bytes long); a map file "
                "is 3,992,020 bytes\n",
         .Text = ""},
        {.What = "3 bytes to CSV",
         .Arguments = {"-f", "csv", "{in}", "{out}"},
         .Err = "the file holds no map cell (it is 3 bytes long)",
         .Text = "abc"},
        {.What = "short",
         .Arguments = inOut,
         .Err = "velmora-map: {in}: the grid is cut short: the file holds 1,000 of 998,001 cells, "
                "the others count as 0; a TMX map would show tiles the map never had; export it "
                "as CSV (--format csv), which writes the missing cells as 0 with a warning\n",
         .Bytes = 4000},
        {.What = "grid only",
         .Arguments = {"-f", "tmj", "{in}", "{out}"},
         .Err = "velmora-map: {in}: no tile set stored; a TMJ map cannot name its tileset; "
                "export it as CSV (--format csv) and give the tile set on import with "
                "--tileset\n",
         .Bytes = kGridBytes},
        {.What = "cut in tile set",
         .Arguments = inOut,
         .Err = "no tile set stored: the file ends after 2 of its 4 bytes",
         .Bytes = kGridBytes + 2},
        {.What = "tile set -1",
         .Arguments = inOut,
         .Err = "velmora-map: {in}: unknown tile set -1, so no code names a tile; a TMX map "
                "cannot name its tileset; export it as CSV (--format csv)\n",
         .TileSet = -1},
        {.What = "tile set 7",
         .Arguments = inOut,
         .Err = "unknown tile set 7, so no code names a tile",
         .TileSet = 7},
        {.What = "codes",
         .Arguments = inOut,
         .Err = "velmora-map: {in}: 3 cells of the map hold codes that name no tile of tile set "
                "0 \"Dungeon - VL\", which a TMX map cannot show:\n"
                "  (510, 487) 12N, 11E: code 151\n"
                "  (0, 998) 499S, 499W: code -1\n"
                "  (998, 998) 499S, 499E: code 2147483647\n"
                "export it as CSV (--format csv), which keeps every code\n",
         .Grid = &threeBad},
        {.What = "more codes",
         .Arguments = inOut,
         .Err = ": code 34\n  and 3 more\nexport it as CSV",
         .Grid = &eightBad},
        {.What = "codes of another set",
         .Arguments = inOut,
         .Err = "of tile set 3 \"Open Land - YSR\"",
         .Grid = &threeBad,
         .TileSet = 3},
        {.What = "folder", .Arguments = {"{dir}", "{out}"}, .Err = ": is a folder, not a file\n"},
        {.What = "missing",
         .Arguments = {"{dir}/none.map", "{out}"},
         .Err = "none.map: File not found\n"},
        {.What = "out is in",
         .Arguments = {"-f", "csv", "{in}", "{in}"},
         .Err = "velmora-map: {in}: is the map file being exported; choose another name for the "
                "CSV file\n"},
        {.What = "missing folder",
         .Arguments = {"{in}", "{dir}/none/x.tmx"},
         .Err = "x.tmx: the folder {dir}/none does not exist\n"},
        {.What = "missing folder CSV",
         .Arguments = {"{in}", "{dir}/none/x.csv"},
         .Err = "x.csv: the folder {dir}/none does not exist\n"},
        {.What = "full CSV",
         .Arguments = {"-f", "csv", "{in}", "/dev/full"},
         .Err = "velmora-map: /dev/full: Disk full\n"},
        {.What = "full TMX",
         .Arguments = {"-f", "tmx", "{in}", "/dev/full"},
         .Err = "velmora-map: /dev/full: is not a file; a tile editor map needs a file name in a "
                "folder, where its tileset files are written beside it\n"},
        {.What = "folder in the tileset's way",
         .Arguments = inOut,
         .Err = "velmora-map: {dir}/velmora-dungeon.tsx: is in the way of the tileset file but "
                "is not a file; move it away or export to another folder\n",
         .Folder = "velmora-dungeon.tsx"},
        {.What = "map named as its tileset",
         .Arguments = {"-f", "tmx", "{in}", "{dir}/velmora-dungeon.tsx"},
         .Err = "the map cannot be named 'velmora-dungeon.tsx', the name of its own tileset "
                "file; choose another name\n"},
        {.What = "standard output",
         .Arguments = {"{in}", "-"},
         .Err = "velmora-map export: standard output needs --format csv\n"},
        {.What = "TMJ to standard output",
         .Arguments = {"--format=TMJ", "{in}", "-"},
         .Err = "velmora-map export: a TMJ map cannot go to standard output, since its tileset "
                "files are written beside it; give a file name, or use --format csv\n"},
        {.What = "bad format",
         .Arguments = {"-f", "png", "{in}", "{out}"},
         .Err = "--format takes csv, tmx or tmj, not 'png'\n"},
        {.What = "extension",
         .Arguments = {"{in}", "{out}.txt"},
         .Err = "cannot tell the format of '{out}.txt' from its extension; name it .tmx, .tmj (or "
                ".json) or .csv, or give --format\n"},
        {.What = "one operand",
         .Arguments = {"{in}"},
         .Err = "velmora-map export: missing file operand after '{in}'\n"},
    };
    const MapGrid zeros;
    const std::string out = PathOf("out.tmx");
    for (const Refusal& c : cases) {
        const std::string in = c.Text ? WriteText("m.map", *c.Text)
                                      : WriteMap("m.map", c.Grid ? *c.Grid : zeros, c.TileSet,
                                                 kProgramVersion, c.Bytes);
        WriteText("out.tmx", "old");
        if (c.Folder != nullptr) {
            ASSERT_TRUE(QDir(Q(PathOf(""))).mkdir(c.Folder));
        }
        const QStringList existing = Files();
        const std::pair<std::string, std::string> placeholders[] = {
            {"{in}", in}, {"{dir}", PathOf("")}, {"{out}", out}};
        const auto replaced = [&](std::string text) {
            for (const auto& [name, value] : placeholders) {
                for (auto at = text.find(name); at != std::string::npos; at = text.find(name)) {
                    text.replace(at, name.size(), value);
                }
            }
            return text;
        };
        QStringList arguments{"export"};
        for (const QString& argument : c.Arguments) {
            arguments << Q(replaced(argument.toStdString()));
        }
        const RunResult result = Run(arguments);
        EXPECT_EQ(result.Status, kExitTrouble) << c.What;
        EXPECT_THAT(result.Err, HasSubstr(replaced(c.Err))) << c.What;
        EXPECT_THAT(result.Out, IsEmpty()) << c.What;
        EXPECT_EQ(ReadText(out), "old") << c.What;
        EXPECT_EQ(Files(), existing) << c.What;
        if (c.Folder != nullptr) {
            QDir(Q(PathOf(""))).rmdir(c.Folder);
        }
    }
}

TEST_F(ExportTest, NewFilesAreRemovedUnlessKept) {
    const std::string removed = WriteText("removed.tsx", "x");
    const std::string kept = WriteText("kept.tsx", "x");
    {
        NewFiles files;
        files.Add(removed);
    }
    {
        NewFiles files;
        files.Add(kept);
        files.Keep();
    }
    EXPECT_EQ(Files(), QStringList{"kept.tsx"});
}

TEST_F(ExportTest, TheProgramExportsWithoutADisplay) {
    WriteMap("m.map", TileGrid(StarportPalloran), StarportPalloran);
    const RunResult result = RunProgram({"export", "m.map", "m.tmj"});
    EXPECT_EQ(result.Status, kExitSuccess) << result.Err;
    EXPECT_EQ(Files(), QStringList({"m.map", "m.tmj", "velmora-starport-palloran.png",
                                    "velmora-starport-palloran.tsj"}));
}

}  // namespace
}  // namespace velmora
