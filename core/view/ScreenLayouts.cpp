// The layout table, one line per item with its value in each layout, the
// columns in the order Large, Medium, Small; and the shifts between layouts.
#include "core/view/ScreenLayouts.h"

#include <array>

namespace velmora {
namespace {

template <typename T>
struct PerLayout {
    T Large;
    T Medium;
    T Small;

    constexpr const T& In(ScreenLayout layout) const {
        switch (layout) {
            case ScreenLayout::Large:
                return Large;
            case ScreenLayout::Medium:
                return Medium;
            case ScreenLayout::Small:
                break;
        }
        return Small;
    }
};

struct Pair {
    int First;
    int Second;
};

struct LayoutTable {
    PerLayout<Pair> WindowPosition;
    PerLayout<Pair> WindowSize;
    PerLayout<std::string_view> MenuItemName;
    PerLayout<std::string_view> MenuCaption;
    PerLayout<Pair> VisibleCells;
    PerLayout<Pair> MapScrollVerticalPlace;    // Left; Height
    PerLayout<Pair> MapScrollVerticalRange;    // Max; page step
    PerLayout<Pair> MapScrollHorizontalPlace;  // Top; Width
    PerLayout<Pair> MapScrollHorizontalRange;
    PerLayout<Pair> OverviewGridSize;
    PerLayout<Pair> OverviewGridCells;  // columns x rows
    PerLayout<Pair> OverviewScrollVerticalPlace;
    PerLayout<Pair> OverviewScrollVerticalRange;
    PerLayout<Pair> OverviewScrollHorizontalPlace;
    PerLayout<Pair> OverviewScrollHorizontalRange;
    PerLayout<LabelPlacement> TileTypeLabel;
    PerLayout<LabelPlacement> MPFixed;
    PerLayout<LabelPlacement> MPLabel;
    PerLayout<LabelPlacement> AttAdjFixed;
    PerLayout<LabelPlacement> AttAdjLabel;
    PerLayout<LabelPlacement> VisAdjFixed;
    PerLayout<LabelPlacement> VisAdjLabel;
    PerLayout<LabelPlacement> DefAdjFixed;
    PerLayout<LabelPlacement> DefAdjLabel;
    PerLayout<LabelPlacement> AbsolutePositionLabel;
    PerLayout<LabelPlacement> AbsoluteCoords;
    PerLayout<LabelPlacement> RelativePositionLabel;
    PerLayout<LabelPlacement> RelativeCoords;
    PerLayout<LabelPlacement> OverviewButton;
    PerLayout<LabelPlacement> ProgressLabel;
    PerLayout<LabelPlacement> ProgressBar;
};

// clang-format off
constexpr LayoutTable kLayoutTable{
    //                                 Large               Medium            Small
    .WindowPosition                = {{0, 0},            {0, 0},           {0, 0}},
    .WindowSize                    = {{1024, 740},       {800, 572},       {640, 452}},
    .MenuItemName                  = {"LargeRes",        "MedRes",         "SmallRes"},
    .MenuCaption                   = {"1024 x 768",      "800 x 600",      "640 x 480"},
    .VisibleCells                  = {{18, 16},          {13, 12},         {9, 9}},
    .MapScrollVerticalPlace        = {{744, 641},        {544, 481},       {384, 361}},
    .MapScrollVerticalRange        = {{984, 8},          {988, 5},         {991, 4}},
    .MapScrollHorizontalPlace      = {{664, 721},        {504, 521},       {384, 361}},
    .MapScrollHorizontalRange      = {{982, 9},          {987, 6},         {991, 4}},
    .OverviewGridSize              = {{721, 641},        {521, 481},       {361, 361}},
    .OverviewGridCells             = {{65, 57},          {47, 44},         {33, 33}},
    .OverviewScrollVerticalPlace   = {{744, 641},        {544, 481},       {384, 361}},
    .OverviewScrollVerticalRange   = {{943, 29},         {956, 22},        {967, 16}},
    .OverviewScrollHorizontalPlace = {{664, 721},        {504, 521},       {384, 361}},
    .OverviewScrollHorizontalRange = {{935, 32},         {953, 24},        {967, 16}},
    .TileTypeLabel                 = {{800, 24},         {576, 24},        {416, 24}},
    .MPFixed                       = {{800, 40},         {576, 40},        {416, 40}},
    .MPLabel                       = {{848, 40},         {624, 40},        {464, 40}},
    .AttAdjFixed                   = {{920, 40},         {696, 40},        {536, 40}},
    .AttAdjLabel                   = {{992, 40},         {768, 40},        {608, 40}},
    .VisAdjFixed                   = {{800, 56},         {576, 56},        {416, 56}},
    .VisAdjLabel                   = {{872, 56},         {648, 56},        {488, 56}},
    .DefAdjFixed                   = {{920, 56},         {696, 56},        {536, 56}},
    .DefAdjLabel                   = {{992, 56},         {768, 56},        {608, 56}},
    .AbsolutePositionLabel         = {{800, 96},         {576, 96},        {416, 96}},
    .AbsoluteCoords                = {{848, 120},        {624, 120},       {464, 120}},
    .RelativePositionLabel         = {{800, 160},        {576, 160},       {416, 160}},
    .RelativeCoords                = {{832, 180},        {608, 180},       {448, 180}},
    .OverviewButton                = {{808, 232},        {584, 232},       {424, 232}},
    .ProgressLabel                 = {{800, 648},        {576, 480},       {416, 360}},
    .ProgressBar                   = {{800, 672},        {576, 504},       {416, 384}},
};

// Rows: the layout switched from; columns: the layout switched to.
constexpr std::array<std::array<ScrollShift, 3>, 3> kShifts{{
    //  to Small     to Medium    to Large
    {{{0, 0},      {-2, -1},    {-4, -3}}},  // from Small
    {{{+2, +1},    {0, 0},      {-2, -2}}},  // from Medium
    {{{+4, +3},    {+2, +2},    {0, 0}}},    // from Large
}};
// clang-format on

constexpr ScrollBarPlacement ScrollBar(const PerLayout<Pair>& place, const PerLayout<Pair>& range,
                                       ScreenLayout layout) {
    return ScrollBarPlacement{place.In(layout).First, place.In(layout).Second,
                              range.In(layout).First, range.In(layout).Second};
}

constexpr ScreenLayoutValues ValuesOf(ScreenLayout layout) {
    const LayoutTable& t = kLayoutTable;
    return ScreenLayoutValues{
        .Layout = layout,
        .WindowLeft = t.WindowPosition.In(layout).First,
        .WindowTop = t.WindowPosition.In(layout).Second,
        .WindowWidth = t.WindowSize.In(layout).First,
        .WindowHeight = t.WindowSize.In(layout).Second,
        .MenuItemName = t.MenuItemName.In(layout),
        .MenuCaption = t.MenuCaption.In(layout),
        .VisibleColumns = t.VisibleCells.In(layout).First,
        .VisibleRows = t.VisibleCells.In(layout).Second,
        .MapScrollVertical = ScrollBar(t.MapScrollVerticalPlace, t.MapScrollVerticalRange, layout),
        .MapScrollHorizontal =
            ScrollBar(t.MapScrollHorizontalPlace, t.MapScrollHorizontalRange, layout),
        .OverviewGridWidth = t.OverviewGridSize.In(layout).First,
        .OverviewGridHeight = t.OverviewGridSize.In(layout).Second,
        .OverviewColumns = t.OverviewGridCells.In(layout).First,
        .OverviewRows = t.OverviewGridCells.In(layout).Second,
        .OverviewScrollVertical =
            ScrollBar(t.OverviewScrollVerticalPlace, t.OverviewScrollVerticalRange, layout),
        .OverviewScrollHorizontal =
            ScrollBar(t.OverviewScrollHorizontalPlace, t.OverviewScrollHorizontalRange, layout),
        .TileTypeLabel = t.TileTypeLabel.In(layout),
        .MPFixed = t.MPFixed.In(layout),
        .MPLabel = t.MPLabel.In(layout),
        .AttAdjFixed = t.AttAdjFixed.In(layout),
        .AttAdjLabel = t.AttAdjLabel.In(layout),
        .VisAdjFixed = t.VisAdjFixed.In(layout),
        .VisAdjLabel = t.VisAdjLabel.In(layout),
        .DefAdjFixed = t.DefAdjFixed.In(layout),
        .DefAdjLabel = t.DefAdjLabel.In(layout),
        .AbsolutePositionLabel = t.AbsolutePositionLabel.In(layout),
        .AbsoluteCoords = t.AbsoluteCoords.In(layout),
        .RelativePositionLabel = t.RelativePositionLabel.In(layout),
        .RelativeCoords = t.RelativeCoords.In(layout),
        .OverviewButton = t.OverviewButton.In(layout),
        .ProgressLabel = t.ProgressLabel.In(layout),
        .ProgressBar = t.ProgressBar.In(layout),
    };
}

constexpr std::array<ScreenLayoutValues, 3> kValues{
    ValuesOf(ScreenLayout::Small),
    ValuesOf(ScreenLayout::Medium),
    ValuesOf(ScreenLayout::Large),
};

constexpr std::size_t IndexOf(ScreenLayout layout) {
    return static_cast<std::size_t>(layout);
}

int SwitchOneAxis(int position, int shift, int oldMaximum, int newMaximum) {
    const int shifted = ClampScrollPosition(position + shift, kScrollBarMinimum, oldMaximum);
    return ClampScrollPosition(shifted, kScrollBarMinimum, newMaximum);
}

}  // namespace

const ScreenLayoutValues& LayoutValues(ScreenLayout layout) {
    return kValues[IndexOf(layout)];
}

std::optional<ScreenLayout> LayoutOfVisibleColumns(int visibleColumns) {
    for (const ScreenLayoutValues& values : kValues) {
        if (values.VisibleColumns == visibleColumns) {
            return values.Layout;
        }
    }
    return std::nullopt;
}

ScrollShift LayoutShift(ScreenLayout from, ScreenLayout to) {
    return kShifts[IndexOf(from)][IndexOf(to)];
}

MapScrollPositions MapScrollAfterSwitch(ScreenLayout from, ScreenLayout to,
                                        MapScrollPositions positions) {
    if (from == to) {
        return positions;
    }
    const ScreenLayoutValues& old = LayoutValues(from);
    const ScreenLayoutValues& next = LayoutValues(to);
    const ScrollShift shift = LayoutShift(from, to);
    return MapScrollPositions{
        SwitchOneAxis(positions.Horizontal, shift.Horizontal, old.MapScrollHorizontal.Max,
                      next.MapScrollHorizontal.Max),
        SwitchOneAxis(positions.Vertical, shift.Vertical, old.MapScrollVertical.Max,
                      next.MapScrollVertical.Max),
    };
}

}  // namespace velmora
