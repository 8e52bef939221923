// The variant slot table and the placement rules that read it.
#include "core/placement/Placement.h"

#include "core/tiles/TileSet.h"

#include <algorithm>

namespace velmora {

namespace {

// Slot, base code (the slot's own palette code), pop-up menu.
constexpr std::array<VariantSlot, kVariantSlotCount> kVariantSlots{{
    {2, 1, "GratingPopupMenu"},
    {6, 5, "WalkwayPopupMenu"},
    {7, 6, "SignPopUpMenu"},
    {8, 7, "ElevatorPopUpMenu"},
    {9, 8, "ShopPopUpMenu"},
    {10, 9, "HighwayPopUpMenu"},
    {11, 10, "WallPopUpMenu"},
    {12, 11, "InteriorWallPopUpMenu"},
    {13, 12, "DoorwayPopUpMenu"},
    {15, 14, "RoadPopUpMenu"},
}};

}  // namespace

std::span<const VariantSlot> VariantSlots() {
    return kVariantSlots;
}

std::optional<int> VariantSlotIndex(int slot) {
    const auto found = std::ranges::find(kVariantSlots, slot, &VariantSlot::Slot);
    if (found == kVariantSlots.end()) {
        return std::nullopt;
    }
    return static_cast<int>(found - kVariantSlots.begin());
}

std::array<std::int32_t, kVariantSlotCount> BaseVariantSelection() {
    std::array<std::int32_t, kVariantSlotCount> selection{};
    std::ranges::transform(kVariantSlots, selection.begin(), &VariantSlot::BaseCode);
    return selection;
}

std::int32_t SlotCode(int slot, std::int32_t currentTileSet,
                      const std::array<std::int32_t, kVariantSlotCount>& variantSelection) {
    if (currentTileSet == StarportPalloran) {
        if (const std::optional<int> index = VariantSlotIndex(slot)) {
            return variantSelection[static_cast<std::size_t>(*index)];
        }
    }
    return PaletteCodeOfSlot(slot);
}

bool AcceptsCode(std::int32_t code, std::int32_t paletteTileCount, std::int32_t currentTileSet) {
    if (!IsKnownTileSet(currentTileSet)) {
        return false;
    }
    return code <= paletteTileCount ||
           (currentTileSet == StarportPalloran && code >= kFirstVariantCode);
}

}  // namespace velmora
