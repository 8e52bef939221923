// How the overview draws each tile code of each tile set: a fill colour and,
// for a few codes, a bar, cross or square in a second colour. The tables are
// fixed data; the windows only ask for a code's drawing and the pixel
// rectangles of its mark.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace velmora {

enum class OverviewMark { None, VerticalBar, HorizontalBar, Cross, CentreSquare };

// 24-bit colour held as 0xBBGGRR: red in the low byte, blue in the high byte.
struct Colour {
    std::uint32_t Bgr = 0;

    constexpr int Red() const { return static_cast<int>(Bgr & 0xFFu); }
    constexpr int Green() const { return static_cast<int>((Bgr >> 8) & 0xFFu); }
    constexpr int Blue() const { return static_cast<int>((Bgr >> 16) & 0xFFu); }

    friend constexpr bool operator==(const Colour&, const Colour&) = default;
};

// MarkColour means nothing while Mark is None.
struct OverviewDrawing {
    Colour Fill;
    OverviewMark Mark = OverviewMark::None;
    Colour MarkColour;

    friend constexpr bool operator==(const OverviewDrawing&, const OverviewDrawing&) = default;
};

// Nothing for a tile set outside 0..4 or a code the set's table does not draw;
// such a cell is left unpainted.
std::optional<OverviewDrawing> FindOverviewDrawing(std::int32_t tileSet, std::int32_t code);

// Relative to the cell's top-left pixel; Right and Bottom are excluded.
struct PixelRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

// At most two rectangles, in the order they are filled.
struct MarkRectangleList {
    std::array<PixelRect, 2> Items{};
    int Count = 0;

    constexpr const PixelRect* begin() const { return Items.data(); }
    constexpr const PixelRect* end() const { return Items.data() + Count; }
};

// The bars leave the cell's top row or left column in the fill colour and run
// to its bottom or right edge; the square sits in the middle half.
constexpr MarkRectangleList MarkRectangles(OverviewMark mark, int cellWidth, int cellHeight) {
    const PixelRect vertical{cellWidth / 3 + 1, 1, 2 * cellWidth / 3, cellHeight};
    const PixelRect horizontal{1, cellHeight / 3 + 1, cellWidth, 2 * cellHeight / 3};
    const PixelRect square{cellWidth / 4 + 1, cellHeight / 4 + 1, 3 * cellWidth / 4,
                           3 * cellHeight / 4};
    switch (mark) {
        case OverviewMark::VerticalBar:
            return {{vertical}, 1};
        case OverviewMark::HorizontalBar:
            return {{horizontal}, 1};
        case OverviewMark::Cross:
            return {{vertical, horizontal}, 2};
        case OverviewMark::CentreSquare:
            return {{square}, 1};
        case OverviewMark::None:
            break;
    }
    return {};
}

}  // namespace velmora
