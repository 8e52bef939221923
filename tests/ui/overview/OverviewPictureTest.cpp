// The overview's picture, pixel by pixel: fill colours, marks, grid lines,
// cells without a drawing, and what the screen shows of the stored picture.
#include "OverviewFixture.h"

#include "core/merge/MapMerge.h"
#include "core/tiles/TileSet.h"

#include <array>
#include <climits>
#include <string>

namespace velmora {
namespace {

class OverviewPictureTest : public OverviewTest {
protected:
    // At start-up the opened overview shows map cell (499, 499) in cell (16, 16).
    void SetUp() override {
        OverviewTest::SetUp();
        Toggle();
        ASSERT_EQ(OverviewH().value(), 484);
        ASSERT_EQ(OverviewV().value(), 484);
    }
    void PaintCentre(std::int32_t tileSet, std::int32_t code) {
        State().CurrentTileSet = tileSet;
        State().MapGrid.Set(499, 499, code);
        Main().PaintOverview();
    }
    // Every pixel of cell (16, 16) against a 10 x 10 pattern: '#' is the
    // mark colour, '.' the fill.
    void ExpectCentreCell(const std::array<const char*, 10>& pattern, QRgb fill, QRgb mark) {
        for (int dy = 0; dy < 10; ++dy) {
            for (int dx = 0; dx < 10; ++dx) {
                const QRgb expected = pattern[dy][dx] == '#' ? mark : fill;
                EXPECT_EQ(CellPixel(16, 16, dx, dy), expected) << "pixel " << dx << ", " << dy;
            }
        }
    }
};

constexpr std::array<const char*, 10> kPlain = {
    "..........", "..........", "..........", "..........", "..........",
    "..........", "..........", "..........", "..........", "..........",
};
constexpr std::array<const char*, 10> kVerticalBar = {
    "..........", "....##....", "....##....", "....##....", "....##....",
    "....##....", "....##....", "....##....", "....##....", "....##....",
};
constexpr std::array<const char*, 10> kHorizontalBar = {
    "..........", "..........", "..........", "..........", ".#########",
    ".#########", "..........", "..........", "..........", "..........",
};
constexpr std::array<const char*, 10> kCross = {
    "..........", "....##....", "....##....", "....##....", ".#########",
    ".#########", "....##....", "....##....", "....##....", "....##....",
};
constexpr std::array<const char*, 10> kCentreSquare = {
    "..........", "..........", "..........", "...####...", "...####...",
    "...####...", "...####...", "..........", "..........", "..........",
};

struct FillCase {
    std::int32_t TileSet;
    std::int32_t Code;
    QRgb Fill;
};

TEST_F(OverviewPictureTest, EachCodeFillsItsWholeCellWithItsTileSetsColour) {
    const FillCase cases[] = {
        {Dungeon, 1, kWhite},
        {Dungeon, 3, qRgb(128, 128, 255)},
        {Dungeon, 14, qRgb(120, 15, 105)},
        {Dungeon, 22, qRgb(128, 128, 64)},
        {Dungeon, 26, qRgb(255, 164, 255)},
        {OpenVL, 1, qRgb(85, 206, 85)},
        {OpenVL, 5, qRgb(35, 120, 41)},
        {OpenCarrowmere, 6, qRgb(109, 108, 78)},
        {OpenCarrowmere, 36, kWhite},
        {OpenYSR, 3, qRgb(0, 0, 255)},
        {OpenYSR, 12, qRgb(162, 109, 70)},
        {StarportPalloran, 7, qRgb(235, 90, 215)},
        {StarportPalloran, 102, kBlack},
        {StarportPalloran, 113, qRgb(162, 109, 70)},
        {StarportPalloran, 121, qRgb(128, 128, 128)},
        {StarportPalloran, 134, kWhite},
    };
    for (const FillCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "tile set " << c.TileSet << ", code " << c.Code);
        PaintCentre(c.TileSet, c.Code);
        ExpectCentreCell(kPlain, c.Fill, c.Fill);
    }
}

struct MarkCase {
    std::int32_t TileSet;
    std::int32_t Code;
    QRgb Fill;
    QRgb Mark;
    const std::array<const char*, 10>& Pattern;
};

TEST_F(OverviewPictureTest, MarksCoverExactlyTheirPixelsInTheMarkColour) {
    const MarkCase cases[] = {
        {Dungeon, 4, kBrown, kWhite, kCross},
        {Dungeon, 5, kBrown, kWhite, kHorizontalBar},
        {Dungeon, 9, kBrown, kWhite, kVerticalBar},
        {Dungeon, 15, kWhite, qRgb(162, 109, 70), kCentreSquare},
        {Dungeon, 16, kWhite, kBlack, kCentreSquare},
        {StarportPalloran, 11, kWhite, kBlack, kHorizontalBar},
        {StarportPalloran, 109, kWhite, kBlack, kVerticalBar},
        {StarportPalloran, 110, kWhite, kBlack, kHorizontalBar},
        {StarportPalloran, 117, kWhite, kBlack, kCross},
    };
    for (const MarkCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "tile set " << c.TileSet << ", code " << c.Code);
        PaintCentre(c.TileSet, c.Code);
        ExpectCentreCell(c.Pattern, c.Fill, c.Mark);
    }
}

TEST_F(OverviewPictureTest, CodeZeroIsSilverLikeTheBackgroundInEveryTileSet) {
    for (std::int32_t tileSet = 0; tileSet < kTileSetCount; ++tileSet) {
        SCOPED_TRACE(tileSet);
        PaintCentre(tileSet, 2);
        PaintCentre(tileSet, 0);
        ExpectCentreCell(kPlain, kSilver, kSilver);
    }
}

TEST_F(OverviewPictureTest, CodesWithoutADrawingShowTheBackgroundWhereACellWasDrawnBefore) {
    const std::pair<std::int32_t, std::int32_t> cases[] = {
        {Dungeon, -1},
        {Dungeon, 37},
        {OpenVL, 37},
        {OpenCarrowmere, 150},
        {OpenYSR, 37},
        {StarportPalloran, 37},
        {StarportPalloran, 50},
        {StarportPalloran, 135},
        {StarportPalloran, 145},
        {Dungeon, INT_MIN},
        {StarportPalloran, INT_MAX},
        {Dungeon, kConflictMark},
        {StarportPalloran, kConflictMark},
    };
    for (const auto& [tileSet, code] : cases) {
        SCOPED_TRACE(testing::Message() << "tile set " << tileSet << ", code " << code);
        PaintCentre(Dungeon, 2);
        ASSERT_EQ(CellPixel(16, 16), kBlack);
        PaintCentre(tileSet, code);
        ExpectCentreCell(kPlain, kSilver, kSilver);
    }
}

TEST_F(OverviewPictureTest, ATileSetOutsideTheKnownFiveLeavesThePictureAsItWas) {
    PaintCentre(Dungeon, 2);
    const QImage before = Grid().Picture().copy();
    for (const std::int32_t unknown : {-1, 5, INT_MAX}) {
        PaintCentre(unknown, 1);
        EXPECT_EQ(Grid().Picture(), before) << unknown;
    }
}

TEST_F(OverviewPictureTest, GridLinesFollowEveryCellAndCellsStartEleventhPixels) {
    Click(&TMainForm::LargeResClick);
    for (TileCode& cell : State().MapGrid.Cells()) {
        cell = 2;
    }
    Main().PaintOverview();
    const QRgb line = TOverviewGrid::kGridLine;
    for (int column = 0; column < 65; ++column) {
        for (int row = 0; row < 57; ++row) {
            SCOPED_TRACE(testing::Message() << "cell " << column << ", " << row);
            ASSERT_EQ(CellPixel(column, row, 0, 0), kBlack);
            ASSERT_EQ(CellPixel(column, row, 9, 9), kBlack);
            ASSERT_EQ(CellPixel(column, row, 10, 4), line);
            ASSERT_EQ(CellPixel(column, row, 4, 10), line);
            ASSERT_EQ(CellPixel(column, row, 10, 10), line);
        }
    }
}

TEST_F(OverviewPictureTest, TheScreenShowsTheStoredPictureInsideTheFrameAndSilverBeyondTheCells) {
    Click(&TMainForm::LargeResClick);
    PaintCentre(Dungeon, 4);
    const int frame = TOverviewGrid::kFrameWidth;
    const QRect inner = Grid().rect().adjusted(frame, frame, -frame, -frame);
    ASSERT_EQ(inner.size(), QSize(717, 637));
    // Drawn anew from the stored picture, as after any erase of the window.
    for (int exposure = 0; exposure < 2; ++exposure) {
        const QImage screen = Grid().grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(screen.copy(inner), Grid().Picture().copy(QRect(QPoint(0, 0), inner.size())));
        // 65 columns and 57 rows end at pixel 715 and 627 of the inner area.
        EXPECT_EQ(screen.pixel(frame + 715, frame + 5), kSilver);
        EXPECT_EQ(screen.pixel(frame + 716, frame + 636), kSilver);
        EXPECT_EQ(screen.pixel(frame + 5, frame + 630), kSilver);
    }
}

}  // namespace
}  // namespace velmora
