// The item tables of the ten variant menus, one table per menu or sub-menu, in
// menu order: item name, caption, code chosen.
#include "core/placement/VariantMenus.h"

#include <algorithm>
#include <array>

namespace velmora {

namespace {

constexpr std::array<VariantMenuItem, 2> kGratingItems{{
    {"Grating", "Grating", 1},
    {"BrokenGrating", "Broken Grating", 118},
}};

constexpr std::array<VariantMenuItem, 6> kWalkwayItems{{
    {"HorizontalWalkway", "Horizontal", 5},
    {"VerticalWalkway", "Vertical", 51},
    {"TNorth", "T - North", 52},
    {"TEast", "T - East", 53},
    {"TSouth", "T - South", 54},
    {"TWest", "T - West", 55},
}};

constexpr std::array<VariantMenuItem, 13> kSignAToMItems{{
    {"SignA", "A", 6},
    {"SignB", "B", 56},
    {"SignC", "C", 57},
    {"SignD", "D", 58},
    {"SignE", "E", 59},
    {"SignF", "F", 60},
    {"SignG", "G", 61},
    {"SignH", "H", 62},
    {"SignI", "I", 63},
    {"SignJ", "J", 64},
    {"SignK", "K", 65},
    {"SignL", "L", 66},
    {"SignM", "M", 67},
}};

constexpr std::array<VariantMenuItem, 13> kSignNToZItems{{
    {"SignN", "N", 68},
    {"SignO", "O", 69},
    {"SignP", "P", 70},
    {"SignQ", "Q", 71},
    {"SignR", "R", 72},
    {"SignS", "S", 73},
    {"SignT", "T", 74},
    {"SignU", "U", 75},
    {"SignV", "V", 76},
    {"SignW", "W", 77},
    {"SignX", "X", 78},
    {"SignY", "Y", 79},
    {"SignZ", "Z", 80},
}};

constexpr std::array<VariantMenuItem, 10> kSignDigitItems{{
    {"Sign0", "0", 81},
    {"Sign1", "1", 82},
    {"Sign2", "2", 83},
    {"Sign3", "3", 84},
    {"Sign4", "4", 85},
    {"Sign5", "5", 86},
    {"Sign6", "6", 87},
    {"Sign7", "7", 88},
    {"Sign8", "8", 89},
    {"Sign9", "9", 90},
}};

constexpr std::array<VariantMenuItem, 2> kSignSymbolItems{{
    {"SignHyphen", "--", 91},
    {"SignRightArrow", "->", 92},
}};

constexpr std::array<VariantSubMenu, 4> kSignSubMenus{{
    {"AM", "A - M", kSignAToMItems},
    {"NZ", "N - Z", kSignNToZItems},
    {"N09", "0 - 9", kSignDigitItems},
    {"Symbols", "Symbols", kSignSymbolItems},
}};

constexpr std::array<VariantMenuItem, 5> kElevatorItems{{
    {"ElevatorUpperLeft", "Upper Left", 7},
    {"ElevatorUpperRight", "Upper Right", 93},
    {"ElevatorLowerRight", "Lower Right", 94},
    {"ElevatorLowerLeft", "Lower Left", 95},
    {"ElevatorSmall", "Small", 119},
}};

constexpr std::array<VariantMenuItem, 10> kShopItems{{
    {"MonkeyWorkhop", "Monkey Workhop", 8},
    {"CrewHireStation", "Crew Hire Station", 96},
    {"Armour", "Armour Shop", 97},
    {"Equipment", "Equipment Shop", 98},
    {"OffPlanetTours", "Off Planet Tours", 99},
    {"StreetCafe", "Street Cafe", 100},
    {"Weapon", "Weapon Shop", 134},
    {"ZipperBay", "Zipper Bay", 101},
    {"ShopCabRank", "Cab Rank", 144},
    {"ShopPowerRechargeCentre1", "Power Recharge Centre", 145},
}};

constexpr std::array<VariantMenuItem, 9> kHighwayItems{{
    {"HighwayCentre", "Centre", 9},
    {"HighwayRight", "Right", 115},
    {"HighwayLeft", "Left", 116},
    {"HighwayTop", "Top", 120},
    {"HighwayBottom", "Bottom", 121},
    {"HighwayCornerNE", "Corner NE", 135},
    {"HighwayCornerNW", "Corner NW", 136},
    {"HighwayCornerSE", "Corner SE", 137},
    {"HighwayCornerSW", "Corner SW", 138},
}};

constexpr std::array<VariantMenuItem, 4> kWallItems{{
    {"WallNorth", "North", 10},
    {"WallEast", "East", 102},
    {"WallSouth", "South", 103},
    {"WallWest", "West", 104},
}};

constexpr std::array<VariantMenuItem, 8> kWallInteriorCornerItems{{
    {"WallIntCorNorthEast", "North East", 122},
    {"WallIntCurveNorthEast", "Curve North East", 130},
    {"WallIntCorSouthEast", "South East", 123},
    {"WallIntCurveSouthEast", "Curve South East", 131},
    {"WallIntCorSouthWest", "South West", 124},
    {"WallIntCurveSouthWest", "Curve South West", 132},
    {"WallIntCarNorthWest", "North West", 125},
    {"WallIntCurveNorthWest", "Curve North West", 133},
}};

constexpr std::array<VariantMenuItem, 8> kWallExteriorCornerItems{{
    {"WallExtCorNorthEast", "North East", 105},
    {"WallExtCurveNorthEast", "Curve North East", 126},
    {"WallExtCorSouthEast", "South East", 106},
    {"WallExtCurveSouthEast", "Curve South East", 127},
    {"WallExtCorSouthWest", "South West", 107},
    {"WallExtCurveSouthWest", "Curve South West", 128},
    {"WallExtCorNorthWest", "North West", 108},
    {"WallExtCurveNorthWest", "Curve North West", 129},
}};

constexpr std::array<VariantSubMenu, 2> kWallSubMenus{{
    {"InteriorCorners1", "Interior Corners", kWallInteriorCornerItems},
    {"ExteriorCorners1", "Exterior Corners", kWallExteriorCornerItems},
}};

constexpr std::array<VariantMenuItem, 3> kInteriorWallItems{{
    {"IntWallHorizontal", "Horizontal", 11},
    {"IntWallVertical", "Vertical", 109},
    {"IntWallCrossroads", "Crossroads", 117},
}};

constexpr std::array<VariantMenuItem, 4> kDoorwayItems{{
    {"DoorwayNorth", "North", 12},
    {"DoorwayEast", "East", 112},
    {"DoorwaySouth", "South", 113},
    {"DoorwayWest", "West", 114},
}};

constexpr std::array<VariantMenuItem, 6> kRoadItems{{
    {"RoadHorizontal", "Horizontal", 14},
    {"RoadVertical", "Vertical", 139},
    {"RoadCornerNE", "Corner NE", 140},
    {"RoadCornerNW", "Corner NW", 141},
    {"RoadCornerSE", "Corner SE", 142},
    {"RoadCornerSW", "Corner SW", 143},
}};

// Menu, slot, items, sub-menus.
constexpr std::array<VariantMenu, 10> kVariantMenus{{
    {"GratingPopupMenu", 2, kGratingItems, {}},
    {"WalkwayPopupMenu", 6, kWalkwayItems, {}},
    {"SignPopUpMenu", 7, {}, kSignSubMenus},
    {"ElevatorPopUpMenu", 8, kElevatorItems, {}},
    {"ShopPopUpMenu", 9, kShopItems, {}},
    {"HighwayPopUpMenu", 10, kHighwayItems, {}},
    {"WallPopUpMenu", 11, kWallItems, kWallSubMenus},
    {"InteriorWallPopUpMenu", 12, kInteriorWallItems, {}},
    {"DoorwayPopUpMenu", 13, kDoorwayItems, {}},
    {"RoadPopUpMenu", 15, kRoadItems, {}},
}};

}  // namespace

std::span<const VariantMenu> VariantMenus() {
    return kVariantMenus;
}

const VariantMenu* FindVariantMenuOfSlot(int slot) {
    const auto found = std::ranges::find(kVariantMenus, slot, &VariantMenu::Slot);
    return found == kVariantMenus.end() ? nullptr : &*found;
}

}  // namespace velmora
