// The placement rules: slot geometry and visibility, the variant slot table,
// the code a slot places, which codes are placed at all, and the target cell.
#include "core/placement/Placement.h"

#include "core/placement/VariantMenus.h"
#include "core/tiles/TileTables.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {
namespace {

using ::testing::ElementsAre;

// Palette sizes of the five sets, Dungeon to StarportPalloran.
constexpr std::array<std::int32_t, kTileSetCount> kPaletteTileCounts{29, 17, 10, 1, 15};

// A selection in which every variant slot holds a choice other than its base.
constexpr std::array<std::int32_t, kVariantSlotCount> kChosenVariants{118, 52,  80,  119, 134,
                                                                      138, 129, 117, 114, 143};

struct SlotPosition {
    int Slot;
    int Left;
    int Top;
};

TEST(PaletteGeometry, SlotsFormFourRowsOfNineOverlappingByOnePixel) {
    const std::array<SlotPosition, 6> positions{{
        {1, 24, 48},
        {2, 64, 48},
        {9, 344, 48},
        {10, 24, 88},
        {28, 24, 168},
        {36, 344, 168},
    }};
    for (const SlotPosition& p : positions) {
        EXPECT_EQ(PaletteSlotLeft(p.Slot), p.Left) << "slot " << p.Slot;
        EXPECT_EQ(PaletteSlotTop(p.Slot), p.Top) << "slot " << p.Slot;
    }
    EXPECT_EQ(PaletteSlotLeft(2) - PaletteSlotLeft(1), kPaletteSlotSize - 1);
    EXPECT_EQ(PaletteSlotTop(10) - PaletteSlotTop(1), kPaletteSlotSize - 1);
}

TEST(PaletteGeometry, AFillShowsExactlyTheSlotsUpToThePaletteTileCount) {
    EXPECT_TRUE(IsSlotShown(30, kPaletteTileCounts[Dungeon]));
    EXPECT_FALSE(IsSlotShown(31, kPaletteTileCounts[Dungeon]));
    EXPECT_TRUE(IsSlotShown(2, kPaletteTileCounts[OpenYSR]));
    EXPECT_FALSE(IsSlotShown(3, kPaletteTileCounts[OpenYSR]));
    EXPECT_TRUE(IsSlotShown(16, kPaletteTileCounts[StarportPalloran]));
    EXPECT_FALSE(IsSlotShown(17, kPaletteTileCounts[StarportPalloran]));
    EXPECT_TRUE(IsSlotShown(kPaletteSlotCount, 35));
}

struct ExpectedVariantSlot {
    int Slot;
    std::int32_t BaseCode;
    std::string_view MenuName;
    std::string_view BaseTileName;
};

constexpr std::array<ExpectedVariantSlot, kVariantSlotCount> kExpectedVariantSlots{{
    {2, 1, "GratingPopupMenu", "Open Starport Area / Grating"},
    {6, 5, "WalkwayPopupMenu", "Walkway"},
    {7, 6, "SignPopUpMenu", "Sign"},
    {8, 7, "ElevatorPopUpMenu", "Elevator"},
    {9, 8, "ShopPopUpMenu", "Monkey Workshop"},
    {10, 9, "HighwayPopUpMenu", "Highway"},
    {11, 10, "WallPopUpMenu", "Wall"},
    {12, 11, "InteriorWallPopUpMenu", "Interior Wall"},
    {13, 12, "DoorwayPopUpMenu", "Doorway"},
    {15, 14, "RoadPopUpMenu", "Road"},
}};

TEST(PaletteVariantSlots, TableListsTheTenFamilySlotsInFillOrder) {
    const std::span<const VariantSlot> slots = VariantSlots();
    ASSERT_EQ(slots.size(), kExpectedVariantSlots.size());
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const ExpectedVariantSlot& expected = kExpectedVariantSlots[i];
        EXPECT_EQ(slots[i].Slot, expected.Slot) << "row " << i;
        EXPECT_EQ(slots[i].BaseCode, expected.BaseCode) << "row " << i;
        EXPECT_EQ(slots[i].BaseCode, PaletteCodeOfSlot(slots[i].Slot)) << "row " << i;
        EXPECT_EQ(slots[i].MenuName, expected.MenuName) << "row " << i;
        EXPECT_EQ(VariantSlotIndex(expected.Slot), static_cast<int>(i));
    }
}

TEST(PaletteVariantSlots, BaseTilesAreTheStarportEntriesOfTheBaseCodes) {
    const std::span<const TileRow> rows = TileRowsOf(StarportPalloran);
    for (const ExpectedVariantSlot& expected : kExpectedVariantSlots) {
        const auto row = std::ranges::find(rows, expected.BaseCode, &TileRow::Code);
        ASSERT_NE(row, rows.end()) << "no starport entry for code " << expected.BaseCode;
        EXPECT_EQ(row->Entry.Name.View(), expected.BaseTileName);
    }
}

TEST(PaletteVariantSlots, SlotsWithoutAFamilyHaveNoIndex) {
    for (const int slot : {0, 1, 3, 4, 5, 14, 16, 17, 36, 37}) {
        EXPECT_EQ(VariantSlotIndex(slot), std::nullopt) << "slot " << slot;
    }
}

TEST(PaletteVariantSlots, AStarportFillSetsEverySlotToItsBaseCode) {
    EXPECT_THAT(BaseVariantSelection(), ElementsAre(1, 5, 6, 7, 8, 9, 10, 11, 12, 14));
}

struct SlotCodeCase {
    int Slot;
    std::int32_t TileSet;
    std::int32_t Expected;
};

TEST(PaletteSlotCode, VariantSlotsPlaceTheirChoiceOnlyInTheStarportSet) {
    const std::array<SlotCodeCase, 14> cases{{
        {2, StarportPalloran, 118},
        {6, StarportPalloran, 52},
        {7, StarportPalloran, 80},
        {9, StarportPalloran, 134},
        {11, StarportPalloran, 129},
        {15, StarportPalloran, 143},
        {1, StarportPalloran, 0},
        {14, StarportPalloran, 13},
        {16, StarportPalloran, 15},
        {6, Dungeon, 5},
        {15, OpenVL, 14},
        {30, Dungeon, 29},
        {6, 5, 5},
        {6, -1, 5},
    }};
    for (const SlotCodeCase& c : cases) {
        EXPECT_EQ(SlotCode(c.Slot, c.TileSet, kChosenVariants), c.Expected)
            << "slot " << c.Slot << ", tile set " << c.TileSet;
    }
}

TEST(PaletteSlotCode, AfterAStarportFillEverySlotPlacesItsOwnCode) {
    for (int slot = 1; slot <= 16; ++slot) {
        EXPECT_EQ(SlotCode(slot, StarportPalloran, BaseVariantSelection()), slot - 1)
            << "slot " << slot;
    }
}

struct AcceptanceCase {
    std::int32_t Code;
    std::int32_t PaletteTileCount;
    std::int32_t TileSet;
    bool Accepted;
};

TEST(PlacementAcceptance, CodesAboveThePaletteOnlyPassAsStarportVariants) {
    const std::array<AcceptanceCase, 16> cases{{
        {0, 29, Dungeon, true},
        {29, 29, Dungeon, true},
        {30, 29, Dungeon, false},
        {51, 29, Dungeon, false},
        {1, 1, OpenYSR, true},
        {2, 1, OpenYSR, false},
        {15, 15, StarportPalloran, true},
        {16, 15, StarportPalloran, false},
        {50, 15, StarportPalloran, false},
        {51, 15, StarportPalloran, true},
        {145, 15, StarportPalloran, true},
        {0, 29, 5, false},
        {0, 29, -1, false},
        {51, 15, 5, false},
        // The comparison is signed: a negative code would pass.
        {-1, 29, Dungeon, true},
        {-1, 15, StarportPalloran, true},
    }};
    for (const AcceptanceCase& c : cases) {
        EXPECT_EQ(AcceptsCode(c.Code, c.PaletteTileCount, c.TileSet), c.Accepted)
            << "code " << c.Code << ", palette " << c.PaletteTileCount << ", tile set "
            << c.TileSet;
    }
}

// With the selections a fill or a menu can produce, no shown slot is refused.
TEST(PlacementAcceptance, EveryShownSlotPlacesAnAcceptedCode) {
    std::vector<std::array<std::int32_t, kVariantSlotCount>> selections{BaseVariantSelection()};
    for (const VariantMenu& menu : VariantMenus()) {
        const auto index = static_cast<std::size_t>(VariantSlotIndex(menu.Slot).value());
        auto addChoices = [&](std::span<const VariantMenuItem> items) {
            for (const VariantMenuItem& item : items) {
                selections.push_back(BaseVariantSelection());
                selections.back()[index] = item.Code;
            }
        };
        addChoices(menu.Items);
        for (const VariantSubMenu& subMenu : menu.SubMenus) {
            addChoices(subMenu.Items);
        }
    }
    for (std::int32_t tileSet = 0; tileSet < kTileSetCount; ++tileSet) {
        const std::int32_t count = kPaletteTileCounts[static_cast<std::size_t>(tileSet)];
        for (const auto& selection : selections) {
            for (int slot = 1; IsSlotShown(slot, count); ++slot) {
                const std::int32_t code = SlotCode(slot, tileSet, selection);
                EXPECT_GE(code, 0);
                EXPECT_TRUE(AcceptsCode(code, count, tileSet))
                    << "slot " << slot << ", tile set " << tileSet << ", code " << code;
            }
        }
    }
}

struct TargetCase {
    int H;
    int V;
    int ViewCell;
    int X;
    int Y;
    int Index;
};

TEST(PlacementTarget, ClickedViewCellMapsToItsMapCellAndGridElement) {
    const std::array<TargetCase, 5> cases{{
        {982, 984, 288, 998, 998, kMapSide * kMapSide - 1},
        {1, 1, 1, 0, 0, 0},
        {1, 1, 19, 0, 1, 999},
        {1, 1, 18, 17, 0, 17},
        {499, 10, 20, 499, 10, 10 * 999 + 499},
    }};
    for (const TargetCase& c : cases) {
        const PlacementTarget target =
            PlacementTargetFor(c.H, c.V, SelectedCellOfViewCell(c.ViewCell));
        EXPECT_EQ(target.X, c.X) << "MapImage" << c.ViewCell;
        EXPECT_EQ(target.Y, c.Y) << "MapImage" << c.ViewCell;
        EXPECT_EQ(target.Index, c.Index) << "MapImage" << c.ViewCell;
    }
}

TEST(PlacementTarget, ViewCellsAreNumberedRowByRowEighteenToARow) {
    struct ViewCellCase {
        int ViewCell;
        SelectedCellRef Expected;
    };
    const std::array<ViewCellCase, 4> cases{{
        {1, {0, 1, 1}},
        {18, {17, 1, 18}},
        {19, {18, 2, 1}},
        {288, {287, 16, 18}},
    }};
    for (const ViewCellCase& c : cases) {
        const SelectedCellRef cell = SelectedCellOfViewCell(c.ViewCell);
        EXPECT_EQ(cell.CellNumber, c.Expected.CellNumber) << "MapImage" << c.ViewCell;
        EXPECT_EQ(cell.Row, c.Expected.Row) << "MapImage" << c.ViewCell;
        EXPECT_EQ(cell.Column, c.Expected.Column) << "MapImage" << c.ViewCell;
    }
}

}  // namespace
}  // namespace velmora
