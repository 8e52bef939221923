// The three arrangements of the main window, one per screen size: window
// size, how many view cells are shown, where every scroll bar and panel label
// stands, the overview's size, and how a switch moves the map scroll positions
// so that the view's centre cell keeps its map cell.
#pragma once

#include <optional>
#include <string_view>

namespace velmora {

enum class ScreenLayout { Small, Medium, Large };

// Offset is Left for a vertical bar and Top for a horizontal one; Length is
// the Height resp. the Width. Every scroll bar has minimum 1 and arrow step 1.
struct ScrollBarPlacement {
    int Offset = 0;
    int Length = 0;
    int Max = 0;
    int PageStep = 0;

    friend constexpr bool operator==(const ScrollBarPlacement&,
                                     const ScrollBarPlacement&) = default;
};

struct LabelPlacement {
    int Left = 0;
    int Top = 0;

    friend constexpr bool operator==(const LabelPlacement&, const LabelPlacement&) = default;
};

struct ScreenLayoutValues {
    ScreenLayout Layout;
    int WindowLeft;
    int WindowTop;
    // The outer frame, not the client area.
    int WindowWidth;
    int WindowHeight;
    std::string_view MenuItemName;
    std::string_view MenuCaption;
    int VisibleColumns;
    int VisibleRows;
    ScrollBarPlacement MapScrollVertical;
    ScrollBarPlacement MapScrollHorizontal;
    int OverviewGridWidth;
    int OverviewGridHeight;
    int OverviewColumns;
    int OverviewRows;
    ScrollBarPlacement OverviewScrollVertical;
    ScrollBarPlacement OverviewScrollHorizontal;
    LabelPlacement TileTypeLabel;
    LabelPlacement MPFixed;
    LabelPlacement MPLabel;
    LabelPlacement AttAdjFixed;
    LabelPlacement AttAdjLabel;
    LabelPlacement VisAdjFixed;
    LabelPlacement VisAdjLabel;
    LabelPlacement DefAdjFixed;
    LabelPlacement DefAdjLabel;
    LabelPlacement AbsolutePositionLabel;
    LabelPlacement AbsoluteCoords;
    LabelPlacement RelativePositionLabel;
    LabelPlacement RelativeCoords;
    LabelPlacement OverviewButton;
    LabelPlacement ProgressLabel;
    LabelPlacement ProgressBar;
};

const ScreenLayoutValues& LayoutValues(ScreenLayout layout);

// The layout in force is known by its column count: 9, 13 or 18.
std::optional<ScreenLayout> LayoutOfVisibleColumns(int visibleColumns);

struct ScrollShift {
    int Horizontal = 0;
    int Vertical = 0;

    friend constexpr bool operator==(const ScrollShift&, const ScrollShift&) = default;
};

// What a switch adds to the map scroll positions before any clamping.
ScrollShift LayoutShift(ScreenLayout from, ScreenLayout to);

constexpr int ClampScrollPosition(int position, int minimum, int maximum) {
    if (position < minimum) {
        return minimum;
    }
    return position > maximum ? maximum : position;
}

struct MapScrollPositions {
    int Horizontal = 0;
    int Vertical = 0;

    friend constexpr bool operator==(const MapScrollPositions&,
                                     const MapScrollPositions&) = default;
};

// The map scroll positions after switching from one layout to another: the
// shift is clamped to the old layout's range, then the new, possibly smaller,
// maximum lowers the position. Switching to the layout in force changes
// nothing.
MapScrollPositions MapScrollAfterSwitch(ScreenLayout from, ScreenLayout to,
                                        MapScrollPositions positions);

// Values that are the same in every layout.
inline constexpr int kScrollBarMinimum = 1;
inline constexpr int kScrollBarArrowStep = 1;
// Top of the vertical bars, Left of the horizontal ones.
inline constexpr int kScrollBarStart = 24;
// Width of the vertical bars, Height of the horizontal ones.
inline constexpr int kScrollBarThickness = 17;
inline constexpr int kOverviewGridLeft = 24;
inline constexpr int kOverviewGridTop = 24;

struct ControlSize {
    int Width = 0;
    int Height = 0;
};

inline constexpr ControlSize kOverviewButtonSize{185, 25};
inline constexpr ControlSize kProgressBarSize{201, 17};
inline constexpr ControlSize kProgressLabelSize{201, 13};
// TileTypeLabel, AbsolutePositionLabel and RelativePositionLabel.
inline constexpr ControlSize kWidePanelLabelSize{201, 17};
inline constexpr ControlSize kAbsoluteCoordsSize{105, 17};
inline constexpr ControlSize kRelativeCoordsSize{137, 17};
inline constexpr int kProgressBarMaximum = 998;

}  // namespace velmora
