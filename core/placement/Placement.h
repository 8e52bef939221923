// The placement rules that need no window: where the palette slots sit, which
// code a left-click on a slot places, whether a code may be placed at all, and
// which map cell receives it. In the starport set ten slots stand for families
// of variant tiles; their table lives here, their menus in VariantMenus.h.
#pragma once

#include "core/document/EditorState.h"
#include "core/document/MapGrid.h"
#include "core/view/ViewMapping.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace velmora {

inline constexpr int kPaletteSlotCount = 36;
inline constexpr int kPaletteColumns = 9;
inline constexpr int kPaletteSlotSize = 41;  // 40-pixel steps, so neighbours overlap by one pixel
inline constexpr std::int32_t kFirstVariantCode = 51;

// Slots are numbered 1..36 (TileImage1 .. TileImage36), row by row.
constexpr int PaletteSlotLeft(int slot) {
    return 24 + 40 * ((slot - 1) % kPaletteColumns);
}
constexpr int PaletteSlotTop(int slot) {
    return 48 + 40 * ((slot - 1) / kPaletteColumns);
}

// The slot's own palette code; the pointer over a slot always names this code,
// even on a variant slot that currently places another one.
constexpr std::int32_t PaletteCodeOfSlot(int slot) {
    return slot - 1;
}

// A fill shows the slots of codes 0..PaletteTileCount and hides the rest.
constexpr bool IsSlotShown(int slot, std::int32_t paletteTileCount) {
    return PaletteCodeOfSlot(slot) <= paletteTileCount;
}

struct VariantSlot {
    int Slot;
    std::int32_t BaseCode;
    std::string_view MenuName;
};

// The ten starport slots that stand for a family of tiles, in the order a fill
// sets them up; a slot's position in this table is its index into
// EditorState::VariantSelection.
std::span<const VariantSlot> VariantSlots();
std::optional<int> VariantSlotIndex(int slot);

// What a fill for the starport set puts into VariantSelection: every slot back
// at its base code.
std::array<std::int32_t, kVariantSlotCount> BaseVariantSelection();

// The code a left-click on the slot places: in the starport set a variant
// slot places its current choice, every other slot its own palette code.
std::int32_t SlotCode(int slot, std::int32_t currentTileSet,
                      const std::array<std::int32_t, kVariantSlotCount>& variantSelection);

// Whether PlaceTile takes the code. The comparison with the palette size is
// signed on purpose; above the palette only the starport variants pass. While
// the tile set is one no map can be drawn with (a value a map file brought),
// nothing is placed.
bool AcceptsCode(std::int32_t code, std::int32_t paletteTileCount, std::int32_t currentTileSet);

struct PlacementTarget {
    int X;
    int Y;
    int Index;  // into the row-by-row MapGrid
};

// The map cell shown by the clicked view cell, from the scroll positions h and
// v (both at least 1). The scroll ranges keep it on the map, so there is no
// bounds check.
constexpr PlacementTarget PlacementTargetFor(int h, int v, const SelectedCellRef& cell) {
    const int x = h + cell.Column - 2;
    const int y = v + cell.Row - 2;
    return {x, y, MapGrid::IndexOf(x, y)};
}

// What the click handler of view cell MapImage<n> (n = 1..288) records: the
// view is 18 cells wide whatever the layout shows.
constexpr SelectedCellRef SelectedCellOfViewCell(int viewCellNumber) {
    return {viewCellNumber - 1, RowOfViewCell(viewCellNumber), ColumnOfViewCell(viewCellNumber)};
}

}  // namespace velmora
