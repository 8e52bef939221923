// The variant menu tables: their shape, the codes they choose, the repeated
// captions, the sign naming rule, and the bitmaps their codes show in the
// starport catalogue.
#include "core/placement/VariantMenus.h"

#include "core/placement/Placement.h"
#include "core/tiles/TileTables.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// Every item of a menu in menu order: its own items, then the sub-menus'.
std::vector<VariantMenuItem> ItemsOf(const VariantMenu& menu) {
    std::vector<VariantMenuItem> items(menu.Items.begin(), menu.Items.end());
    for (const VariantSubMenu& subMenu : menu.SubMenus) {
        items.insert(items.end(), subMenu.Items.begin(), subMenu.Items.end());
    }
    return items;
}

std::vector<VariantMenuItem> AllItems() {
    std::vector<VariantMenuItem> items;
    for (const VariantMenu& menu : VariantMenus()) {
        const std::vector<VariantMenuItem> menuItems = ItemsOf(menu);
        items.insert(items.end(), menuItems.begin(), menuItems.end());
    }
    return items;
}

const VariantMenu& MenuNamed(std::string_view name) {
    const auto menus = VariantMenus();
    const auto found = std::ranges::find(menus, name, &VariantMenu::Name);
    EXPECT_NE(found, menus.end()) << name;
    return *found;
}

TEST(VariantMenuTable, OneMenuPerVariantSlotInTheSlotTablesOrder) {
    const std::span<const VariantMenu> menus = VariantMenus();
    const std::span<const VariantSlot> slots = VariantSlots();
    ASSERT_EQ(menus.size(), slots.size());
    for (std::size_t i = 0; i < menus.size(); ++i) {
        EXPECT_EQ(menus[i].Name, slots[i].MenuName);
        EXPECT_EQ(menus[i].Slot, slots[i].Slot) << menus[i].Name;
        EXPECT_EQ(FindVariantMenuOfSlot(slots[i].Slot), &menus[i]);
    }
    EXPECT_EQ(FindVariantMenuOfSlot(1), nullptr);
    EXPECT_EQ(FindVariantMenuOfSlot(14), nullptr);
}

TEST(VariantMenuTable, MenusHoldTheirItemCountsAndOnlySignAndWallCascade) {
    std::vector<std::size_t> counts;
    for (const VariantMenu& menu : VariantMenus()) {
        counts.push_back(ItemsOf(menu).size());
        if (menu.Name != "SignPopUpMenu" && menu.Name != "WallPopUpMenu") {
            EXPECT_TRUE(menu.SubMenus.empty()) << menu.Name;
        }
    }
    EXPECT_THAT(counts, ElementsAre(2, 6, 38, 5, 10, 9, 20, 3, 4, 6));
    EXPECT_EQ(AllItems().size(), 103u);
}

TEST(VariantMenuTable, SignMenuIsFourSubMenusAndWallMenuFourItemsThenTwo) {
    const VariantMenu& sign = MenuNamed("SignPopUpMenu");
    EXPECT_TRUE(sign.Items.empty());
    std::vector<std::pair<std::string_view, std::string_view>> signHeadings;
    for (const VariantSubMenu& subMenu : sign.SubMenus) {
        signHeadings.emplace_back(subMenu.Name, subMenu.Caption);
    }
    EXPECT_THAT(signHeadings,
                ElementsAre(std::pair{"AM", "A - M"}, std::pair{"NZ", "N - Z"},
                            std::pair{"N09", "0 - 9"}, std::pair{"Symbols", "Symbols"}));

    const VariantMenu& wall = MenuNamed("WallPopUpMenu");
    EXPECT_EQ(wall.Items.size(), 4u);
    std::vector<std::pair<std::string_view, std::string_view>> wallHeadings;
    for (const VariantSubMenu& subMenu : wall.SubMenus) {
        wallHeadings.emplace_back(subMenu.Name, subMenu.Caption);
    }
    EXPECT_THAT(wallHeadings, ElementsAre(std::pair{"InteriorCorners1", "Interior Corners"},
                                          std::pair{"ExteriorCorners1", "Exterior Corners"}));
}

TEST(VariantMenuTable, ItemsChooseTheBaseCodesAndEveryVariantBut110And111) {
    std::set<std::int32_t> expected;
    for (const VariantSlot& slot : VariantSlots()) {
        expected.insert(slot.BaseCode);
    }
    for (std::int32_t code = kFirstVariantCode; code <= 145; ++code) {
        if (code != 110 && code != 111) {
            expected.insert(code);
        }
    }
    std::vector<std::int32_t> codes;
    for (const VariantMenuItem& item : AllItems()) {
        codes.push_back(item.Code);
    }
    const std::set<std::int32_t> distinct(codes.begin(), codes.end());
    EXPECT_EQ(distinct.size(), codes.size()) << "two items choose the same code";
    EXPECT_THAT(distinct, ElementsAreArray(expected));
}

TEST(VariantMenuTable, ItemNamesAreUniqueWithTheirHistoricSpellings) {
    std::set<std::string_view> names;
    for (const VariantMenuItem& item : AllItems()) {
        EXPECT_TRUE(names.insert(item.Name).second) << "duplicate item " << item.Name;
    }
    for (const std::string_view name : {"MonkeyWorkhop", "WallIntCarNorthWest",
                                        "ShopPowerRechargeCentre1", "HorizontalWalkway"}) {
        EXPECT_TRUE(names.contains(name)) << name;
    }
    EXPECT_EQ(MenuNamed("ShopPopUpMenu").Items.front().Caption, "Monkey Workhop");
}

TEST(VariantMenuTable, FirstItemOfEachMenuChoosesTheSlotsBaseCode) {
    for (const VariantMenu& menu : VariantMenus()) {
        const std::optional<int> index = VariantSlotIndex(menu.Slot);
        ASSERT_TRUE(index.has_value()) << menu.Name;
        EXPECT_EQ(ItemsOf(menu).front().Code,
                  VariantSlots()[static_cast<std::size_t>(*index)].BaseCode)
            << menu.Name;
    }
    EXPECT_EQ(MenuNamed("SignPopUpMenu").SubMenus.front().Items.front().Name, "SignA");
}

TEST(VariantMenuTable, RepeatedCaptionsChooseDifferentCodesInEachMenu) {
    std::map<std::string_view, std::vector<std::int32_t>> codesByCaption;
    for (const VariantMenuItem& item : AllItems()) {
        codesByCaption[item.Caption].push_back(item.Code);
    }
    std::erase_if(codesByCaption, [](const auto& entry) { return entry.second.size() < 2; });
    // Codes in menu order; the wall's interior corner comes before its exterior one.
    const std::map<std::string_view, std::vector<std::int32_t>> expected{
        {"Horizontal", {5, 11, 14}}, {"Vertical", {51, 109, 139}},
        {"North", {10, 12}},         {"East", {102, 112}},
        {"South", {103, 113}},       {"West", {104, 114}},
        {"Corner NE", {135, 140}},   {"Corner NW", {136, 141}},
        {"Corner SE", {137, 142}},   {"Corner SW", {138, 143}},
        {"North East", {122, 105}},  {"Curve North East", {130, 126}},
        {"South East", {123, 106}},  {"Curve South East", {131, 127}},
        {"South West", {124, 107}},  {"Curve South West", {132, 128}},
        {"North West", {125, 108}},  {"Curve North West", {133, 129}},
    };
    EXPECT_EQ(codesByCaption, expected);
}

bool IsLetterOrDigitSign(const VariantMenuItem& item) {
    return item.Caption.size() == 1 && std::isalnum(static_cast<unsigned char>(item.Caption[0]));
}

TEST(VariantMenuTable, LetterAndDigitSignsFollowTheNamingAndCodeRule) {
    const std::vector<VariantMenuItem> signs = ItemsOf(MenuNamed("SignPopUpMenu"));
    std::string order;
    for (const VariantMenuItem& item : signs) {
        if (!IsLetterOrDigitSign(item)) {
            continue;
        }
        const char c = item.Caption[0];
        order += c;
        EXPECT_EQ(item.Name, "Sign" + std::string(item.Caption));
        const std::int32_t expectedCode = c == 'A'                 ? 6
                                          : (c >= 'A' && c <= 'Z') ? 54 + (c - 'A' + 1)
                                                                   : 81 + (c - '0');
        EXPECT_EQ(item.Code, expectedCode) << item.Name;
    }
    EXPECT_EQ(order, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    EXPECT_EQ(signs.size(), order.size() + 2);
}

// The bitmap each item shows, by item name; letter and digit signs show
// "Sign_" followed by their character.
struct ShownBitmap {
    std::string_view Item;
    std::string_view Bitmap;
};

constexpr std::array<ShownBitmap, 67> kShownBitmaps{{
    {"Grating", "Grating"},
    {"BrokenGrating", "Broken_Grating"},
    {"HorizontalWalkway", "Walkway_Horizontal"},
    {"VerticalWalkway", "Walkway_Vertical"},
    {"TNorth", "Walkway_TNorth"},
    {"TEast", "Walkway_TEast"},
    {"TSouth", "Walkway_TSouth"},
    {"TWest", "Walkway_TWest"},
    {"SignHyphen", "Sign_Hyphen"},
    {"SignRightArrow", "Sign_RightArrow"},
    {"ElevatorUpperLeft", "Elevator_UpperLeft"},
    {"ElevatorUpperRight", "Elevator_UpperRight"},
    {"ElevatorLowerRight", "Elevator_LowerRight"},
    {"ElevatorLowerLeft", "Elevator_LowerLeft"},
    {"ElevatorSmall", "Elevator_Small"},
    {"MonkeyWorkhop", "Shop_MonkeyWorkshop"},
    {"CrewHireStation", "Shop_CrewHireStation"},
    {"Armour", "Shop_Armour"},
    {"Equipment", "Shop_Equipment"},
    {"OffPlanetTours", "Shop_OffPlanetTours"},
    {"StreetCafe", "Shop_StreetCafe"},
    {"Weapon", "Shop_Weapon"},
    {"ZipperBay", "Shop_Zipper"},
    {"ShopCabRank", "Shop_Cab"},
    {"ShopPowerRechargeCentre1", "Shop_Recharge"},
    {"HighwayCentre", "Highway"},
    {"HighwayRight", "Highway_Right"},
    {"HighwayLeft", "Highway_Left"},
    {"HighwayTop", "Highway_Top"},
    {"HighwayBottom", "Highway_Bottom"},
    {"HighwayCornerNE", "Highway_Corner_NE"},
    {"HighwayCornerNW", "Highway_Corner_NW"},
    {"HighwayCornerSE", "Highway_Corner_SE"},
    {"HighwayCornerSW", "Highway_Corner_SW"},
    {"WallNorth", "Wall_North"},
    {"WallEast", "Wall_East"},
    {"WallSouth", "Wall_South"},
    {"WallWest", "Wall_West"},
    {"WallIntCorNorthEast", "Wall_IntCorner_NE"},
    {"WallIntCurveNorthEast", "Wall_IntCurve_NE"},
    {"WallIntCorSouthEast", "Wall_IntCorner_SE"},
    {"WallIntCurveSouthEast", "Wall_IntCurve_SE"},
    {"WallIntCorSouthWest", "Wall_IntCorner_SW"},
    {"WallIntCurveSouthWest", "Wall_IntCurve_SW"},
    {"WallIntCarNorthWest", "Wall_IntCorner_NW"},
    {"WallIntCurveNorthWest", "Wall_IntCurve_NW"},
    {"WallExtCorNorthEast", "Wall_Corner_NE"},
    {"WallExtCurveNorthEast", "Wall_ExtCurve_NE"},
    {"WallExtCorSouthEast", "Wall_Corner_SE"},
    {"WallExtCurveSouthEast", "Wall_ExtCurve_SE"},
    {"WallExtCorSouthWest", "Wall_Corner_SW"},
    {"WallExtCurveSouthWest", "Wall_ExtCurve_SW"},
    {"WallExtCorNorthWest", "Wall_Corner_NW"},
    {"WallExtCurveNorthWest", "Wall_ExtCurve_NW"},
    {"IntWallHorizontal", "InteriorWall_Horizontal"},
    {"IntWallVertical", "InteriorWall_Vertical"},
    {"IntWallCrossroads", "InteriorWall_Cross"},
    {"DoorwayNorth", "Doorway_North"},
    {"DoorwayEast", "Doorway_East"},
    {"DoorwaySouth", "Doorway_South"},
    {"DoorwayWest", "Doorway_West"},
    {"RoadHorizontal", "Road_Horizontal"},
    {"RoadVertical", "Road_Vertical"},
    {"RoadCornerNE", "Road_Corner_NE"},
    {"RoadCornerNW", "Road_Corner_NW"},
    {"RoadCornerSE", "Road_Corner_SE"},
    {"RoadCornerSW", "Road_Corner_SW"},
}};

TEST(VariantMenuBitmaps, EveryItemsCodeShowsItsBitmapInTheStarportCatalogue) {
    const std::span<const TileRow> rows = TileRowsOf(StarportPalloran);
    for (const VariantMenuItem& item : AllItems()) {
        std::string expected;
        if (const auto shown = std::ranges::find(kShownBitmaps, item.Name, &ShownBitmap::Item);
            shown != kShownBitmaps.end()) {
            expected = shown->Bitmap;
        } else {
            ASSERT_TRUE(IsLetterOrDigitSign(item)) << "no bitmap listed for " << item.Name;
            expected = "Sign_" + std::string(item.Caption);
        }
        const auto row = std::ranges::find(rows, item.Code, &TileRow::Code);
        ASSERT_NE(row, rows.end()) << "no starport entry for code " << item.Code;
        EXPECT_EQ(row->Entry.BitmapName.View(), expected) << item.Name;
    }
}

}  // namespace
}  // namespace velmora
