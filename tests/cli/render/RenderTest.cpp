// velmora-map render: the pictures of both styles, regions and cell sizes,
// wrong arguments, and damaged or unreadable files, which must end in a
// clear message or a correct picture and never harm an existing output.
#include "MapToolFixture.h"

#include "core/merge/MapMerge.h"
#include "core/overview/OverviewMapping.h"
#include "core/tiles/TileSet.h"
#include "render/ChangesPicture.h"
#include "render/LookSheet.h"
#include "render/MapImages.h"
#include "render/Thumbnail.h"
#include "render/TileImage.h"
#include "render/TilePictures.h"

#include <QImage>
#include <QImageReader>

#include <gmock/gmock.h>

#include <climits>
#include <filesystem>

namespace velmora {
namespace {

using testing::HasSubstr;

constexpr QRgb kSilver = qRgb(192, 192, 192);
constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kDungeonWater = qRgb(128, 128, 255);
constexpr QRgb kOpenLand = qRgb(85, 206, 85);
constexpr QRgb kCrawlspace = qRgb(109, 74, 48);

class RenderTest : public MapToolTest {
protected:
    static QImage ReadPicture(const std::string& path) {
        return QImage(Q(path), "PNG").convertToFormat(QImage::Format_RGB32);
    }
    static std::vector<std::uint8_t> WithInt32(std::vector<std::uint8_t> bytes,
                                               const std::size_t offset, const std::int32_t value) {
        for (int i = 0; i < 4; ++i) {
            bytes[offset + i] =
                static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
        }
        return bytes;
    }
};

// A dungeon map: wall at (0, 0), water at (1, 0), a crawlspace crossroads at
// (2, 0), the rest of row 0 open floor; codes no set names at (0, 1) to (2, 1).
MapGrid SmallDungeon() {
    MapGrid grid;
    for (int x = 0; x < kMapSide; ++x) {
        grid.Set(x, 0, 1);
    }
    grid.Set(0, 0, 2);
    grid.Set(1, 0, 3);
    grid.Set(2, 0, 4);
    grid.Set(0, 1, -1);
    grid.Set(1, 1, 151);
    grid.Set(2, 1, INT_MAX);
    return grid;
}

TEST_F(RenderTest, OverviewPictureShowsEachCellInItsOverviewColour) {
    const std::string map = WriteMap("small.map", SmallDungeon(), Dungeon);
    const std::string out = PathOf("out.png");
    const RunResult result = Run({"render", Q(map), Q(out)});
    ASSERT_EQ(result.Status, kExitSuccess) << result.Err;
    EXPECT_EQ(result.Err, "");
    const QImage picture = ReadPicture(out);
    ASSERT_EQ(picture.size(), QSize(kMapSide, kMapSide));
    const struct {
        int X, Y;
        QRgb Colour;
    } cells[] = {
        {0, 0, kBlack},  {1, 0, kDungeonWater}, {2, 0, kCrawlspace}, {998, 0, kWhite},
        {0, 1, kSilver}, {1, 1, kSilver},       {2, 1, kSilver},     {998, 998, kSilver},
    };
    for (const auto& cell : cells) {
        EXPECT_EQ(picture.pixel(cell.X, cell.Y), cell.Colour) << cell.X << ", " << cell.Y;
    }
}

TEST_F(RenderTest, PictureSizeFollowsCellSizeAndClampedRegion) {
    const std::string map = WriteMap("small.map", SmallDungeon(), Dungeon);
    const struct {
        QStringList Options;
        QSize Size;
    } cases[] = {
        {{}, {999, 999}},
        {{"--cell", "2", "--region", "0,0,10,5"}, {20, 10}},
        {{"--region", "-5,-5,10,10"}, {5, 5}},
        {{"--region", "990,995,50,50"}, {9, 4}},
        {{"--region", " 3 , 4 , 1 , 1 "}, {1, 1}},
        {{"--cell=16", "--region=0,0,999,1"}, {15984, 16}},
        {{"--style", "tiles", "--region", "0,0,3,2"}, {120, 80}},
        {{"--style", "tiles", "--cell", "1"}, {999, 999}},
        {{"--style=tiles", "--cell", "7", "--region", "998,998,9,9"}, {7, 7}},
    };
    for (const auto& c : cases) {
        const std::string out = PathOf("sized.png");
        const RunResult result = Run(QStringList{"render", Q(map), Q(out)} + c.Options);
        ASSERT_EQ(result.Status, kExitSuccess) << c.Options.join(' ').toStdString() << result.Err;
        EXPECT_EQ(QImageReader(Q(out)).size(), c.Size) << c.Options.join(' ').toStdString();
    }
}

TEST_F(RenderTest, ElevenPixelCellsEndInGridLinesAndShowTheirMarks) {
    const std::string map = WriteMap("small.map", SmallDungeon(), Dungeon);
    const std::string out = PathOf("grid.png");
    ASSERT_EQ(Run({"render", "--cell", "11", "--region", "2,0,2,1", Q(map), Q(out)}).Status,
              kExitSuccess);
    const QImage picture = ReadPicture(out);
    ASSERT_EQ(picture.size(), QSize(22, 11));
    const QRgb gridLine = qRgb(128, 128, 128);
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(picture.pixel(10, i), gridLine);
        EXPECT_EQ(picture.pixel(i, 10), gridLine);
        EXPECT_EQ(picture.pixel(21, i), gridLine);
    }
    EXPECT_EQ(picture.pixel(0, 0), kCrawlspace);
    EXPECT_EQ(picture.pixel(5, 5), kWhite);  // the crossroads' white cross
    EXPECT_EQ(picture.pixel(16, 5), kWhite);
}

// Every cell of the picture holds exactly its code's tile picture, or the
// "no tile" picture where the file's own set names no tile, or, in any set,
// the conflict picture where it holds the conflict mark.
TEST_F(RenderTest, TilesPictureHoldsEachCellsTilePicture) {
    TilePictures pictures;
    const QImage wall = pictures.Load("Wall");
    const QImage floor = pictures.Load("Floor");  // code 2 in the starport set
    const QImage& noTile = pictures.NoTile();
    const QImage& conflict = pictures.Conflict();
    MapGrid grid;
    grid.Set(0, 0, 2);
    grid.Set(1, 0, 30);  // no tile in the dungeon set
    grid.Set(2, 0, -1);  // outside every table
    grid.Set(3, 0, 151);
    grid.Set(4, 0, INT_MAX);
    grid.Set(5, 0, kConflictMark);
    const struct {
        const char* Name;
        std::int32_t TileSet;
        QStringList Options;
        std::vector<const QImage*> Expected;  // cells (0, 0) to (5, 0)
    } cases[] = {
        {"dungeon", Dungeon, {}, {&wall, &noTile, &noTile, &noTile, &noTile, &conflict}},
        {"unknown set", 7, {}, {&noTile, &noTile, &noTile, &noTile, &noTile, &conflict}},
        {"unknown set read as dungeon",
         7,
         {"--tileset", "0"},
         {&wall, &noTile, &noTile, &noTile, &noTile, &conflict}},
        {"starport", StarportPalloran, {}, {&floor, &noTile, &noTile, &noTile, &noTile, &conflict}},
    };
    for (const auto& c : cases) {
        const std::string map = WriteMap("tiles.map", grid, c.TileSet);
        const std::string out = PathOf("tiles.png");
        const RunResult result =
            Run(QStringList{"render", "--style", "tiles", "--region", "0,0,6,1", Q(map), Q(out)} +
                c.Options);
        ASSERT_EQ(result.Status, kExitSuccess) << c.Name << result.Err;
        const QImage picture = ReadPicture(out);
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(picture.copy(x * kTilePictureSize, 0, kTilePictureSize, kTilePictureSize),
                      c.Expected[x]->convertToFormat(QImage::Format_RGB32))
                << c.Name << ", cell " << x;
        }
    }
}

// Every picture in the overview's colours draws a marked cell in magenta with
// a black cross, in every tile set, and the atlas's looks hold both styles'
// pictures of the mark.
TEST_F(RenderTest, MarkedCellsHaveALookOfTheirOwnInEveryPicture) {
    MapGrid grid;
    grid.Set(500, 500, kConflictMark);
    const std::int32_t changed[] = {500 * kMapSide + 500};
    const QRgb magenta = qRgb(255, 0, 255);
    const struct {
        const char* Name;
        QImage Picture;
        QPoint Fill;   // a pixel of the marked cell's fill
        QPoint Cross;  // one of its cross, or the fill again where too small for one
    } cases[] = {
        {"overview",
         DrawOverviewImage(grid, Dungeon, CellArea{499, 499, 3, 3}, 11),
         {12, 12},
         {16, 16}},
        {"unknown tile set",
         DrawOverviewImage(grid, 7, CellArea{500, 500, 1, 1}, 10),
         {0, 0},
         {5, 2}},
        {"one pixel",
         DrawOverviewImage(grid, StarportPalloran, CellArea{500, 500, 1, 1}, 1),
         {0, 0},
         {0, 0}},
        {"thumbnail", DrawThumbnail(grid, Dungeon, 64), {2 * 15, 2 * 15}, {2 * 15, 2 * 15}},
        {"changes",
         DrawChangesPicture(grid, Dungeon, changed, CellArea{500, 500, 1, 1}),
         {3 * 11 + 2, 3 * 11 + 2},
         {3 * 11 + 5, 3 * 11 + 2}},
        {"looks",
         DrawLookSheet(Dungeon, LookStyle::Overview, 10),
         {kConflictLook * 10, 0},
         {kConflictLook * 10 + 1, 5}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.Picture.pixel(c.Fill), magenta) << c.Name;
        EXPECT_EQ(c.Picture.pixel(c.Cross), c.Cross == c.Fill ? magenta : kBlack) << c.Name;
    }
    const QImage tiles = DrawLookSheet(Dungeon, LookStyle::Tiles, kTilePictureSize);
    EXPECT_EQ(tiles.copy(kConflictLook * kTilePictureSize, 0, kTilePictureSize, kTilePictureSize),
              TilePictures().Conflict());
    EXPECT_EQ(tiles.copy(kOutsideLook * kTilePictureSize, 0, kTilePictureSize, kTilePictureSize),
              TilePictures().NoTile());
}

// Pictures of more than 2 MiB live in memory of their own (for huge pages);
// their pixels must be those of an ordinary image.
TEST_F(RenderTest, LargeTilePicturesHoldTheSamePixelsAsSmallOnes) {
    const MapGrid grid = SmallDungeon();
    const QImage small = DrawTileImage(grid, Dungeon, CellArea{0, 0, 3, 2}, kTilePictureSize);
    const QImage large = DrawTileImage(grid, Dungeon, CellArea{0, 0, 40, 20}, kTilePictureSize);
    ASSERT_EQ(large.size(), QSize(1600, 800));
    EXPECT_EQ(large.copy(0, 0, small.width(), small.height()), small);
    const QImage copy = large.copy();
    EXPECT_EQ(copy, large);
}

// Enlarged tile pictures repeat each pixel, as pixel art must; a smoothed
// enlargement would blur every edge.
TEST_F(RenderTest, EnlargedTilePicturesRepeatEachPixel) {
    const MapGrid grid = SmallDungeon();
    const QImage original = DrawTileImage(grid, Dungeon, CellArea{0, 0, 3, 2}, kTilePictureSize);
    for (const int factor : {2, 4}) {
        const QImage enlarged =
            DrawTileImage(grid, Dungeon, CellArea{0, 0, 3, 2}, kTilePictureSize * factor);
        ASSERT_EQ(enlarged.size(), original.size() * factor);
        bool same = true;
        for (int y = 0; y < enlarged.height() && same; ++y) {
            for (int x = 0; x < enlarged.width() && same; ++x) {
                same = enlarged.pixel(x, y) == original.pixel(x / factor, y / factor);
            }
        }
        EXPECT_TRUE(same) << "enlarged " << factor << " times";
    }
}

TEST_F(RenderTest, WrongArgumentsAreUsageErrorsAndLeaveTheOutputAlone) {
    const std::string map = WriteMap("small.map", SmallDungeon(), Dungeon);
    const std::string old = WriteText("old.png", "old picture");
    const struct {
        QStringList Arguments;
        std::string Message;
    } cases[] = {
        {{}, "missing file operand"},
        {{Q(map)}, "missing file operand after"},
        {{Q(map), Q(old), "third"}, "extra operand 'third'"},
        {{"--cell", "0", Q(map), Q(old)}, "--cell takes a whole number from 1 to 16384, not '0'"},
        {{"--cell", "-3", Q(map), Q(old)}, "not '-3'"},
        {{"--cell=2x", Q(map), Q(old)}, "not '2x'"},
        {{"--cell", "99999999999", Q(map), Q(old)}, "not '99999999999'"},
        {{"--cell", Q(map), Q(old)}, "missing file operand"},
        {{"--style", "colour", Q(map), Q(old)}, "unknown style 'colour'; choose overview or tiles"},
        {{"--region", "1,2,3", Q(map), Q(old)}, "--region takes X,Y,W,H"},
        {{"--region", "1,2,3,4,5", Q(map), Q(old)}, "--region takes X,Y,W,H"},
        {{"--region", "a,b,c,d", Q(map), Q(old)}, "--region takes X,Y,W,H"},
        {{"--region", "", Q(map), Q(old)}, "--region takes X,Y,W,H"},
        {{"--region", "0,0,3000000000,1", Q(map), Q(old)}, "--region takes X,Y,W,H"},
        {{"--region", "1,2,0,5", Q(map), Q(old)}, "width and a height of at least 1 cell"},
        {{"--region", "1,2,3,-1", Q(map), Q(old)}, "width and a height of at least 1 cell"},
        {{"--region", "999,0,5,5", Q(map), Q(old)}, "the region 999,0,5,5 lies wholly outside"},
        {{"--region", "-10,-10,10,5", Q(map), Q(old)}, "the region -10,-10,10,5 lies wholly"},
        {{"--region", "2147483647,0,2147483647,1", Q(map), Q(old)}, "lies wholly outside"},
        {{"--tileset", "5", Q(map), Q(old)}, "--tileset takes a whole number from 0 to 4"},
        {{"--style", "tiles", Q(map), Q(old)},
         "the picture would be 39960 x 39960 pixels, more than 16384 on a side; choose fewer "
         "pixels per cell (at most --cell 16 for this area) or a smaller --region"},
        {{"--cell", "17", Q(map), Q(old)}, "at most --cell 16 for this area"},
        {{"--cell", "20", "--region", "100,0,2000,2", Q(map), Q(old)},
         "17980 x 40 pixels, more than 16384 on a side; choose fewer pixels per cell (at most "
         "--cell 18"},
        {{Q(map), Q(map)}, "the output " + map + " is the map file itself"},
        {{"--frobnicate", Q(map), Q(old)}, "unknown option 'frobnicate'"},
    };
    for (const auto& c : cases) {
        const std::string name = c.Arguments.join(' ').toStdString();
        const RunResult result = Run(QStringList{"render"} + c.Arguments);
        EXPECT_EQ(result.Status, kExitTrouble) << name;
        EXPECT_THAT(result.Err, HasSubstr(c.Message)) << name;
        EXPECT_THAT(result.Err, HasSubstr("Try 'velmora-map render --help'")) << name;
        EXPECT_TRUE(ReadText(old) == "old picture") << name;
        EXPECT_EQ(ReadBytes(map).size(), kMapFileBytes) << name;
    }
}

// Boundary and damaged files: each gives a picture with notes on standard
// error, or a refusal that leaves the existing output untouched.
TEST_F(RenderTest, DamagedFilesGiveAPictureWithWarningsOrAClearRefusal) {
    MapGrid grid;
    grid.Set(0, 0, 2);   // black in the dungeon set
    grid.Set(2, 0, -1);  // no drawing anywhere
    grid.Set(3, 0, 151);
    grid.Set(4, 0, INT_MAX);
    grid.Set(998, 998, 2);
    const std::vector<std::uint8_t> full = WriteMapFile(grid, OpenVL, kProgramVersion);
    const auto cut = [&full](std::size_t size) {
        return std::vector<std::uint8_t>(full.begin(), full.begin() + size);
    };
    std::vector<std::uint8_t> longer = full;
    longer.resize(full.size() + 100, 0xFF);

    const struct {
        const char* Name;
        std::vector<std::uint8_t> Bytes;
        QStringList Options;
        int Status;
        std::vector<std::string> Messages;  // each on standard error
        QRgb FirstCell;                     // of the picture, when one is written
        QRgb LastCell;
    } cases[] = {
        {"empty",
         {},
         {},
         kExitTrouble,
         {": the file holds no map cell (it is 0 bytes long)"},
         0,
         0},
        {"three bytes", cut(3), {}, kExitTrouble, {"holds no map cell (it is 3 bytes long)"}, 0, 0},
        {"one cell and a half",
         cut(6),
         {},
         kExitSuccess,
         {"warning: the grid is cut short: the file holds 1 of 998,001 cells, the others count as "
          "0",
          "warning: no tile set stored; its codes are read through 0 \"Dungeon - VL\""},
         kBlack,
         kSilver},
        {"grid only",
         cut(kGridBytes),
         {},
         kExitSuccess,
         {"warning: no tile set stored"},
         kBlack,
         kBlack},
        {"grid only read as Velmora",
         cut(kGridBytes),
         {"--tileset", "1"},
         kExitSuccess,
         {"warning: no tile set stored; its codes are read through 1 \"Open Land - VL\" as "
          "--tileset asks"},
         qRgb(153, 126, 102),
         qRgb(153, 126, 102)},
        {"grid and tile set",
         cut(kTileSetBytes),
         {},
         kExitSuccess,
         {},
         qRgb(153, 126, 102),
         qRgb(153, 126, 102)},
        {"cut in the trailer",
         cut(kTileSetBytes + 6),
         {},
         kExitSuccess,
         {"warning: the file ends inside the version, after 6 of its 12 bytes"},
         qRgb(153, 126, 102),
         qRgb(153, 126, 102)},
        {"trailing bytes",
         longer,
         {},
         kExitSuccess,
         {"warning: 100 bytes after the end of the map, which every reader ignores"},
         qRgb(153, 126, 102),
         qRgb(153, 126, 102)},
        {"huge version",
         WithInt32(WithInt32(full, kTileSetBytes, INT_MAX), kTileSetBytes + 8, INT_MAX),
         {},
         kExitSuccess,
         {},
         qRgb(153, 126, 102),
         qRgb(153, 126, 102)},
        {"tile set -1",
         WithInt32(full, kGridBytes, -1),
         {},
         kExitSuccess,
         {"warning: unknown tile set -1, so no code names a tile; choose a tile set with "
          "--tileset N (0 to 4)"},
         kSilver,
         kSilver},
        {"tile set 7",
         WithInt32(full, kGridBytes, 7),
         {},
         kExitSuccess,
         {"choose a tile set with --tileset N (0 to 4)"},
         kSilver,
         kSilver},
    };
    for (const auto& c : cases) {
        const std::string map = WriteBytes("damaged.map", c.Bytes);
        const std::string out = WriteText("out.png", "old picture");
        const RunResult result = Run(QStringList{"render", Q(map), Q(out)} + c.Options);
        EXPECT_EQ(result.Status, c.Status) << c.Name << ": " << result.Err;
        for (const std::string& message : c.Messages) {
            EXPECT_THAT(result.Err, HasSubstr("velmora-map: " + map + ": ")) << c.Name;
            EXPECT_THAT(result.Err, HasSubstr(message)) << c.Name;
        }
        if (c.Messages.empty()) {
            EXPECT_EQ(result.Err, "") << c.Name;
        }
        if (c.Status != kExitSuccess) {
            EXPECT_TRUE(ReadText(out) == "old picture") << c.Name;
            continue;
        }
        const QImage picture = ReadPicture(out);
        ASSERT_EQ(picture.size(), QSize(kMapSide, kMapSide)) << c.Name;
        EXPECT_EQ(picture.pixel(0, 0), c.FirstCell) << c.Name;
        EXPECT_EQ(picture.pixel(998, 998), c.LastCell) << c.Name;
        for (int x = 2; x <= 4; ++x) {
            EXPECT_EQ(picture.pixel(x, 0), kSilver) << c.Name << ", cell " << x;
        }
    }
}

TEST_F(RenderTest, UnreadableInputsAndUnwritableOutputsAreRefused) {
    const std::string map = WriteMap("small.map", SmallDungeon(), Dungeon);
    const std::string old = WriteText("old.png", "old picture");
    std::filesystem::create_directory(PathOf("folder"));
    const struct {
        std::string Input;
        std::string Output;
        std::string Message;
    } cases[] = {
        {PathOf("missing.map"), old,
         "velmora-map: " + PathOf("missing.map") + ": File not found\n"},
        {PathOf("folder"), old, "velmora-map: " + PathOf("folder") + ": is a folder, not a file\n"},
        {map, PathOf("no/such/folder/out.png"),
         "velmora-map: " + PathOf("no/such/folder/out.png") + ": "},
        {map, PathOf("folder"), "velmora-map: " + PathOf("folder") + ": is a folder, not a file\n"},
        {map, "/dev/full", "velmora-map: /dev/full: Disk full\n"},
    };
    for (const auto& c : cases) {
        const RunResult result = Run({"render", Q(c.Input), Q(c.Output)});
        EXPECT_EQ(result.Status, kExitTrouble) << c.Input << " -> " << c.Output;
        EXPECT_THAT(result.Err, HasSubstr(c.Message)) << c.Input << " -> " << c.Output;
        EXPECT_TRUE(ReadText(old) == "old picture");
    }
    EXPECT_FALSE(std::filesystem::exists(PathOf("no")));
    EXPECT_EQ(std::filesystem::directory_iterator(PathOf("folder")),
              std::filesystem::directory_iterator());
}

// The installed program needs no display, also for the tile pictures, and
// writes the picture to standard output when that is no terminal.
TEST_F(RenderTest, ProgramDrawsWithoutDisplayToStandardOutput) {
    const std::string map = WriteMap("small.map", SmallDungeon(), Dungeon);
    for (const char* style : {"overview", "tiles"}) {
        const RunResult result =
            RunProgram({"render", "--style", style, "--region", "0,0,4,3", Q(map), "-"});
        EXPECT_EQ(result.Status, kExitSuccess) << style << result.Err;
        EXPECT_EQ(result.Err, "") << style;
        const QImage picture = QImage::fromData(reinterpret_cast<const uchar*>(result.Out.data()),
                                                static_cast<int>(result.Out.size()), "PNG");
        EXPECT_FALSE(picture.isNull()) << style;
        EXPECT_EQ(picture.width(), style == std::string("tiles") ? 160 : 4) << style;
    }
}

}  // namespace
}  // namespace velmora
