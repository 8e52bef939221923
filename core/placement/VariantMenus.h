// The pop-up menus of the starport set's ten variant slots as data: each item
// chooses one tile code for its menu's slot. The windows build their menus
// from these tables; an item shows the bitmap of its code's catalogue entry.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace velmora {

struct VariantMenuItem {
    std::string_view Name;
    std::string_view Caption;
    std::int32_t Code;
};

// A cascading sub-menu; its heading only opens it and chooses nothing.
struct VariantSubMenu {
    std::string_view Name;
    std::string_view Caption;
    std::span<const VariantMenuItem> Items;
};

// Items come first in the menu, then the sub-menus. The first item (for a menu
// without items of its own, the first item of its first sub-menu) chooses the
// slot's base code.
struct VariantMenu {
    std::string_view Name;
    int Slot;
    std::span<const VariantMenuItem> Items;
    std::span<const VariantSubMenu> SubMenus;
};

// In the order of VariantSlots().
std::span<const VariantMenu> VariantMenus();

// nullptr for a slot without a menu.
const VariantMenu* FindVariantMenuOfSlot(int slot);

}  // namespace velmora
