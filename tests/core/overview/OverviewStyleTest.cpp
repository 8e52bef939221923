// The overview drawings of every tile set, checked against the colours as
// decimal red, green and blue, and the pixel rectangles of the marks.
#include "core/overview/OverviewStyle.h"

#include "core/overview/OverviewMapping.h"
#include "core/tiles/TileSet.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmora {
namespace {

struct Rgb {
    int Red;
    int Green;
    int Blue;
};

struct DrawingRow {
    std::int32_t TileSet;
    std::int32_t FirstCode;
    std::int32_t LastCode;
    Rgb Fill;
    OverviewMark Mark = OverviewMark::None;
    Rgb MarkColour{0, 0, 0};
};

constexpr OverviewMark kCross = OverviewMark::Cross;
constexpr OverviewMark kHorizontal = OverviewMark::HorizontalBar;
constexpr OverviewMark kVertical = OverviewMark::VerticalBar;
constexpr OverviewMark kSquare = OverviewMark::CentreSquare;
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

// clang-format off
const DrawingRow kDrawings[] = {
    {0, 0, 0, {192, 192, 192}},
    {0, 1, 1, {255, 255, 255}},
    {0, 2, 2, {0, 0, 0}},
    {0, 3, 3, {128, 128, 255}},
    {0, 4, 4, {109, 74, 48}, kCross, kWhite},
    {0, 5, 5, {109, 74, 48}, kHorizontal, kWhite},
    {0, 6, 6, {109, 74, 48}, kVertical, kWhite},
    {0, 7, 7, {109, 74, 48}, kCross, kWhite},
    {0, 8, 8, {109, 74, 48}, kHorizontal, kWhite},
    {0, 9, 9, {109, 74, 48}, kVertical, kWhite},
    {0, 10, 10, {128, 128, 128}},
    {0, 11, 12, {162, 109, 70}},
    {0, 13, 13, {235, 90, 215}},
    {0, 14, 14, {120, 15, 105}},
    {0, 15, 15, {255, 255, 255}, kSquare, {162, 109, 70}},
    {0, 16, 16, {255, 255, 255}, kSquare, kBlack},
    {0, 17, 20, {255, 255, 255}},
    {0, 21, 21, {221, 221, 221}},
    {0, 22, 22, {128, 128, 64}},
    {0, 23, 23, {255, 255, 255}},
    {0, 24, 27, {255, 164, 255}},
    {0, 28, 28, {128, 128, 64}},
    {0, 29, 36, {255, 255, 255}},

    {1, 0, 0, {192, 192, 192}},
    {1, 1, 1, {85, 206, 85}},
    {1, 2, 2, {153, 126, 102}},
    {1, 3, 3, {125, 97, 70}},
    {1, 4, 4, {48, 167, 56}},
    {1, 5, 5, {35, 120, 41}},
    {1, 6, 6, {128, 128, 255}},
    {1, 7, 7, {221, 221, 221}},
    {1, 8, 8, {109, 74, 48}},
    {1, 9, 9, {128, 128, 128}},
    {1, 10, 14, {221, 221, 221}},
    {1, 15, 36, {255, 255, 255}},

    {2, 0, 0, {192, 192, 192}},
    {2, 1, 1, {221, 221, 221}},
    {2, 2, 2, {48, 167, 56}},
    {2, 3, 3, {35, 120, 41}},
    {2, 4, 5, {109, 74, 48}},
    {2, 6, 6, {109, 108, 78}},
    {2, 7, 7, {255, 255, 255}},
    {2, 8, 8, {128, 128, 255}},
    {2, 9, 36, {255, 255, 255}},

    {3, 0, 0, {192, 192, 192}},
    {3, 1, 1, {255, 255, 255}},
    {3, 2, 2, {0, 0, 0}},
    {3, 3, 3, {0, 0, 255}},
    {3, 4, 9, {109, 74, 48}},
    {3, 10, 10, {128, 128, 128}},
    {3, 11, 12, {162, 109, 70}},
    {3, 13, 20, {255, 255, 255}},
    {3, 21, 21, {221, 221, 221}},
    {3, 22, 36, {255, 255, 255}},

    {4, 0, 0, {192, 192, 192}},
    {4, 1, 2, {255, 255, 255}},
    {4, 3, 3, {0, 0, 0}},
    {4, 4, 6, {255, 255, 255}},
    {4, 7, 7, {235, 90, 215}},
    {4, 8, 8, {255, 255, 255}},
    {4, 9, 9, {128, 128, 128}},
    {4, 10, 10, {0, 0, 0}},
    {4, 11, 11, {255, 255, 255}, kHorizontal, kBlack},
    {4, 12, 20, {255, 255, 255}},
    {4, 21, 21, {221, 221, 221}},
    {4, 22, 36, {255, 255, 255}},
    {4, 51, 92, {255, 255, 255}},
    {4, 93, 95, {235, 90, 215}},
    {4, 96, 101, {255, 255, 255}},
    {4, 102, 108, {0, 0, 0}},
    {4, 109, 109, {255, 255, 255}, kVertical, kBlack},
    {4, 110, 110, {255, 255, 255}, kHorizontal, kBlack},
    {4, 111, 111, {255, 255, 255}, kVertical, kBlack},
    {4, 112, 114, {162, 109, 70}},
    {4, 115, 116, {128, 128, 128}},
    {4, 117, 117, {255, 255, 255}, kCross, kBlack},
    {4, 118, 118, {255, 255, 255}},
    {4, 119, 119, {235, 90, 215}},
    {4, 120, 121, {128, 128, 128}},
    {4, 122, 133, {0, 0, 0}},
    {4, 134, 134, {255, 255, 255}},
};
// clang-format on

void ExpectColour(Colour colour, Rgb expected) {
    EXPECT_EQ(colour.Red(), expected.Red);
    EXPECT_EQ(colour.Green(), expected.Green);
    EXPECT_EQ(colour.Blue(), expected.Blue);
}

TEST(OverviewStyle, EveryDrawnCodeHasTheColoursAndMarkOfItsRow) {
    for (const DrawingRow& row : kDrawings) {
        for (std::int32_t code = row.FirstCode; code <= row.LastCode; ++code) {
            SCOPED_TRACE(testing::Message() << "tile set " << row.TileSet << ", code " << code);
            const std::optional<OverviewDrawing> drawing = FindOverviewDrawing(row.TileSet, code);
            ASSERT_TRUE(drawing.has_value());
            ExpectColour(drawing->Fill, row.Fill);
            EXPECT_EQ(drawing->Mark, row.Mark);
            if (row.Mark != OverviewMark::None) {
                ExpectColour(drawing->MarkColour, row.MarkColour);
            }
        }
    }
}

bool HasDrawing(std::int32_t tileSet, std::int32_t code) {
    return FindOverviewDrawing(tileSet, code).has_value();
}

TEST(OverviewStyle, OnlyTheTabledCodesHaveADrawing) {
    for (std::int32_t tileSet = 0; tileSet <= 3; ++tileSet) {
        SCOPED_TRACE(tileSet);
        EXPECT_TRUE(HasDrawing(tileSet, 0));
        EXPECT_TRUE(HasDrawing(tileSet, 36));
        EXPECT_FALSE(HasDrawing(tileSet, 37));
        EXPECT_FALSE(HasDrawing(tileSet, 134));
        EXPECT_FALSE(HasDrawing(tileSet, -1));
    }
    for (std::int32_t code = 37; code <= 50; ++code) {
        EXPECT_FALSE(HasDrawing(StarportPalloran, code)) << code;
    }
    for (std::int32_t code = 135; code <= 145; ++code) {
        EXPECT_FALSE(HasDrawing(StarportPalloran, code)) << code;
    }
    EXPECT_TRUE(HasDrawing(StarportPalloran, 36));
    EXPECT_TRUE(HasDrawing(StarportPalloran, 51));
    EXPECT_TRUE(HasDrawing(StarportPalloran, 134));
    EXPECT_FALSE(HasDrawing(StarportPalloran, -1));
}

TEST(OverviewStyle, UnknownTileSetsDrawNothing) {
    EXPECT_FALSE(HasDrawing(5, 0));
    EXPECT_FALSE(HasDrawing(-1, 0));
    EXPECT_FALSE(HasDrawing(5, -1));
}

TEST(OverviewStyle, ColourBytesAreRedLowBlueHigh) {
    constexpr Colour colour{0x304A6D};
    EXPECT_EQ(colour.Red(), 0x6D);
    EXPECT_EQ(colour.Green(), 0x4A);
    EXPECT_EQ(colour.Blue(), 0x30);
}

std::vector<PixelRect> RectanglesOf(OverviewMark mark) {
    const MarkRectangleList list = MarkRectangles(mark, kOverviewCellSize, kOverviewCellSize);
    return {list.begin(), list.end()};
}

TEST(OverviewMarks, RectanglesOfATenPixelCell) {
    const PixelRect vertical{4, 1, 6, 10};
    const PixelRect horizontal{1, 4, 10, 6};
    EXPECT_TRUE(RectanglesOf(OverviewMark::None).empty());
    EXPECT_EQ(RectanglesOf(OverviewMark::VerticalBar), std::vector<PixelRect>{vertical});
    EXPECT_EQ(RectanglesOf(OverviewMark::HorizontalBar), std::vector<PixelRect>{horizontal});
    EXPECT_EQ(RectanglesOf(OverviewMark::Cross), (std::vector<PixelRect>{vertical, horizontal}));
    EXPECT_EQ(RectanglesOf(OverviewMark::CentreSquare), (std::vector<PixelRect>{{3, 3, 7, 7}}));
}

}  // namespace
}  // namespace velmora
