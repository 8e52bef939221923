// Thumbnails for file managers: the drawn part of a sound map, at most the
// size asked for, and an error with no picture for anything else.
#include "MapToolFixture.h"

#include "core/overview/OverviewPainter.h"
#include "core/tiles/TileSet.h"

#include <QImage>

#include <gmock/gmock.h>

#include <filesystem>

namespace velmora {
namespace {

using testing::HasSubstr;

class ThumbnailTest : public MapToolTest {
protected:
    // Runs the thumbnailer as a file manager would, with an empty environment.
    RunResult Thumbnail(const std::string& map, const std::string& out, int size) {
        return RunProgram({"thumbnail", "--size", QString::number(size), Q(map), Q(out)});
    }
};

TEST_F(ThumbnailTest, ShowsTheDrawnPartOfTheMapWithinTheSizeAsked) {
    MapGrid grid;
    for (int y = 400; y < 460; ++y) {
        for (int x = 300; x < 420; ++x) {
            grid.Set(x, y, x == 300 || y == 400 ? 2 : 1);  // a walled room
        }
    }
    const std::string map = WriteMap("room.map", grid, Dungeon);
    for (const int size : {64, 128, 256, 1024}) {
        SCOPED_TRACE(size);
        const std::string out = PathOf("room-" + std::to_string(size) + ".png");
        const RunResult result = Thumbnail(map, out, size);
        ASSERT_EQ(result.Status, kExitSuccess) << result.Err;
        const QImage picture(Q(out));
        ASSERT_FALSE(picture.isNull());
        EXPECT_LE(picture.width(), size);
        EXPECT_LE(picture.height(), size);
        EXPECT_GE(std::max(picture.width(), picture.height()), size / 2);
        // 124 x 64 cells with the margin: wider than high, and the room's
        // white floor fills the middle.
        EXPECT_GT(picture.width(), picture.height());
        EXPECT_EQ(picture.pixel(picture.width() / 2, picture.height() / 2), 0xFFFFFFFFu);
    }
}

TEST_F(ThumbnailTest, AnEmptyMapIsShownWholeInTheBackgroundColour) {
    const std::string map = WriteMap("empty.map", MapGrid(), StarportPalloran);
    const std::string out = PathOf("empty.png");
    ASSERT_EQ(Thumbnail(map, out, 128).Status, kExitSuccess);
    const QImage picture(Q(out));
    EXPECT_EQ(picture.size(), QSize(128, 128));
    EXPECT_EQ(picture.pixel(64, 64), OpaquePixel(kOverviewBackground));
}

TEST_F(ThumbnailTest, AnythingButASoundMapIsRefusedWithoutAPicture) {
    MapGrid grid;
    grid.Set(10, 10, 3);
    const struct {
        const char* What;
        std::string Path;
    } cases[] = {
        {"empty", WriteText("empty.map", "")},
        {"a linker map", WriteText("linker.map", "Memory Configuration\n\nName Origin Length\n")},
        {"short", WriteMap("short.map", grid, Dungeon, kProgramVersion, 1'000'000)},
        {"grid only", WriteMap("grid.map", grid, Dungeon, kProgramVersion, kGridBytes)},
        {"cut inside the version",
         WriteMap("version.map", grid, Dungeon, kProgramVersion, kTileSetBytes + 6)},
        {"bytes after the end",
         WriteMap("long.map", grid, Dungeon, kProgramVersion, kMapFileBytes, 4)},
        {"tile set 7", WriteMap("seven.map", grid, 7)},
        {"tile set -1", WriteMap("minus.map", grid, -1)},
        {"a folder", PathOf("")},
        {"missing", PathOf("missing.map")},
    };
    for (const auto& c : cases) {
        const std::string out = PathOf("refused.png");
        const RunResult result = Thumbnail(c.Path, out, 256);
        EXPECT_EQ(result.Status, kExitTrouble) << c.What;
        EXPECT_THAT(result.Err, HasSubstr("velmora-map: ")) << c.What;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.What;
    }
}

TEST_F(ThumbnailTest, WrongSizesAreUsageErrors) {
    const std::string map = WriteMap("m.map", MapGrid(), Dungeon);
    for (const char* size : {"0", "-5", "4097", "big"}) {
        const RunResult result = Run({"thumbnail", "--size", size, Q(map), Q(PathOf("t.png"))});
        EXPECT_EQ(result.Status, kExitTrouble) << size;
        EXPECT_THAT(result.Err, HasSubstr("--size takes a whole number from 1 to 4096")) << size;
    }
}

}  // namespace
}  // namespace velmora
