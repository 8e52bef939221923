// The starport set's variant pop-up menus as the palette builds them from the
// menu table: their items, when a right-click opens them, and what a choice
// changes and for how long.
#include "PaletteFixture.h"

#include "core/placement/VariantMenus.h"

#include <QLabel>

#include <gmock/gmock.h>

#include <set>

namespace velmora {
namespace {

using VariantMenuWindowTest = PaletteTest;

QString TextOf(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The menu's entries in order: items by caption and name, then the sub-menus.
void ExpectEntries(const QMenu& menu, std::span<const VariantMenuItem> items,
                   std::span<const VariantSubMenu> subMenus) {
    const QList<QAction*> actions = menu.actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(items.size() + subMenus.size()))
        << menu.objectName().toStdString();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QAction* action = actions[static_cast<qsizetype>(i)];
        EXPECT_EQ(action->objectName(), TextOf(items[i].Name));
        EXPECT_EQ(action->text(), TextOf(items[i].Caption));
        EXPECT_EQ(action->menu(), nullptr);
        EXPECT_TRUE(action->shortcut().isEmpty());
    }
    for (std::size_t i = 0; i < subMenus.size(); ++i) {
        const QAction* heading = actions[static_cast<qsizetype>(items.size() + i)];
        EXPECT_EQ(heading->text(), TextOf(subMenus[i].Caption));
        ASSERT_NE(heading->menu(), nullptr) << subMenus[i].Name;
        EXPECT_EQ(heading->menu()->objectName(), TextOf(subMenus[i].Name));
        ExpectEntries(*heading->menu(), subMenus[i].Items, {});
    }
}

TEST_F(VariantMenuWindowTest, TheTenMenusHoldTheTablesItemsInOrder) {
    QMenu* const members[] = {
        Palette().GratingPopupMenu,  Palette().WalkwayPopupMenu,      Palette().SignPopUpMenu,
        Palette().ElevatorPopUpMenu, Palette().ShopPopUpMenu,         Palette().HighwayPopUpMenu,
        Palette().WallPopUpMenu,     Palette().InteriorWallPopUpMenu, Palette().DoorwayPopUpMenu,
        Palette().RoadPopUpMenu,
    };
    const std::span<const VariantMenu> menus = VariantMenus();
    ASSERT_EQ(menus.size(), 10u);
    for (std::size_t i = 0; i < menus.size(); ++i) {
        ASSERT_NE(members[i], nullptr);
        EXPECT_EQ(members[i]->objectName(), TextOf(menus[i].Name));
        ExpectEntries(*members[i], menus[i].Items, menus[i].SubMenus);
    }
    EXPECT_EQ(Palette().SignPopUpMenu->actions()[2]->text(), "0 - 9");
    EXPECT_EQ(Palette().WallPopUpMenu->actions()[5]->menu()->objectName(), "ExteriorCorners1");

    std::set<QString> itemNames;
    for (const QMenu* menu : Palette().findChildren<QMenu*>()) {
        for (const QAction* action : menu->actions()) {
            if (action->menu() == nullptr) {
                itemNames.insert(action->objectName());
            }
        }
    }
    EXPECT_EQ(itemNames.size(), 103u);
}

TEST_F(VariantMenuWindowTest, RightClicksOpenAMenuOnlyFromAStarportFillUntilTheNextOtherFill) {
    const auto menusOpenedByRightClicks = [this] {
        openedMenus.clear();
        for (int slot = 1; slot <= 36; ++slot) {
            RightClick(slot);
        }
        std::vector<QMenu*> menus;
        for (const OpenedMenu& opened : openedMenus) {
            menus.push_back(opened.Menu);
        }
        return menus;
    };
    OpenPaletteFor(1);
    EXPECT_THAT(menusOpenedByRightClicks(), testing::IsEmpty());
    Palette().FormClose();

    ChooseTileSet(StarportPalloran);
    // Before the fill the starport menus are not there yet.
    EXPECT_EQ(Palette().ActiveMenuOfSlot(6), nullptr);
    OpenPaletteFor(1);
    EXPECT_THAT(menusOpenedByRightClicks(),
                testing::ElementsAre(Palette().GratingPopupMenu, Palette().WalkwayPopupMenu,
                                     Palette().SignPopUpMenu, Palette().ElevatorPopUpMenu,
                                     Palette().ShopPopUpMenu, Palette().HighwayPopUpMenu,
                                     Palette().WallPopUpMenu, Palette().InteriorWallPopUpMenu,
                                     Palette().DoorwayPopUpMenu, Palette().RoadPopUpMenu));
    Palette().FormClose();

    // The menus stay on over openings that do not fill.
    OpenPaletteFor(2);
    EXPECT_EQ(menusOpenedByRightClicks().size(), 10u);
    Palette().FormClose();

    for (const std::int32_t otherSet : {Dungeon, OpenVL, OpenCarrowmere, OpenYSR}) {
        ChooseTileSet(StarportPalloran);
        OpenPaletteFor(1);
        Palette().FormClose();
        ChooseTileSet(otherSet);
        OpenPaletteFor(1);
        EXPECT_THAT(menusOpenedByRightClicks(), testing::IsEmpty()) << "set " << otherSet;
        Palette().FormClose();
    }
}

TEST_F(VariantMenuWindowTest, AMenuOpensAtThePointer) {
    ChooseTileSet(StarportPalloran);
    OpenPaletteFor(1);
    RightClick(13);
    ASSERT_EQ(openedMenus.size(), 1u);
    EXPECT_EQ(openedMenus[0].Menu, Palette().DoorwayPopUpMenu);
    EXPECT_EQ(openedMenus[0].Position, Slot(13).mapToGlobal(QPoint(20, 20)));
}

TEST_F(VariantMenuWindowTest, AChoiceChangesOnlyItsSlotsPictureAndSelection) {
    ChooseTileSet(StarportPalloran);
    OpenPaletteFor(30);
    Palette().TileImageMouseMove(3);
    const auto selectionBefore = State().VariantSelection;
    const bool modified = State().MapModified;
    std::vector<qint64> pictures;
    for (const TImage* slot : Palette().TileImages) {
        pictures.push_back(slot->Picture().cacheKey());
    }

    Choose("HighwayCornerSW");

    auto expectedSelection = selectionBefore;
    expectedSelection[static_cast<std::size_t>(*VariantSlotIndex(10))] = 138;
    EXPECT_EQ(State().VariantSelection, expectedSelection);
    for (int slot = 1; slot <= 36; ++slot) {
        const bool changed = Slot(slot).Picture().cacheKey() != pictures[std::size_t(slot - 1)];
        EXPECT_EQ(changed, slot == 10) << slot;
    }
    EXPECT_TRUE(Shows(Slot(10), "Highway_Corner_SW"));
    EXPECT_EQ(Palette().TileType->text(), "Floor");
    EXPECT_EQ(State().MapModified, modified);
    EXPECT_EQ(std::ranges::count(State().MapGrid.Cells(), 0), kMapCellCount);
    EXPECT_EQ(State().SelectedCell.CellNumber, 29);
    EXPECT_TRUE(Palette().isVisible());
    EXPECT_FALSE(Main().isEnabled());
}

TEST_F(VariantMenuWindowTest, ChoicesLastOverOpeningsUntilTheNextFill) {
    ChooseTileSet(StarportPalloran);
    ScrollTo(1, 1);
    OpenPaletteFor(1);
    Choose("SignZ");
    Choose("ElevatorSmall");
    ClickSlot(7);
    EXPECT_EQ(State().MapGrid.At(0, 0), 80);

    OpenPaletteFor(2);
    EXPECT_TRUE(Shows(Slot(7), "Sign_Z"));
    EXPECT_TRUE(Shows(Slot(8), "Elevator_Small"));
    ClickSlot(8);
    EXPECT_EQ(State().MapGrid.At(1, 0), 119);

    OpenPaletteFor(3);
    Choose("BrokenGrating");
    ClickSlot(2);
    EXPECT_EQ(State().MapGrid.At(2, 0), 118);
    EXPECT_TRUE(Shows(*Main().MapImages[2], "Broken_Grating"));

    // Choosing the set again refills: every slot back at its base tile.
    ChooseTileSet(StarportPalloran);
    OpenPaletteFor(4);
    EXPECT_EQ(State().VariantSelection, BaseVariantSelection());
    EXPECT_TRUE(Shows(Slot(7), "Sign_A"));
    EXPECT_TRUE(Shows(Slot(8), "Elevator_UpperLeft"));
    ClickSlot(8);
    EXPECT_EQ(State().MapGrid.At(3, 0), 7);
}

TEST_F(VariantMenuWindowTest, SwitchingAwayAndBackStartsEverySlotAtItsBaseCode) {
    ChooseTileSet(StarportPalloran);
    OpenPaletteFor(1);
    Choose("RoadCornerNW");
    Choose("TWest");
    Palette().FormClose();
    ChooseTileSet(Dungeon);
    OpenPaletteFor(1);
    EXPECT_TRUE(Shows(Slot(6), "Crawlspace_horizontal"));
    ScrollTo(1, 1);
    ClickSlot(6);
    EXPECT_EQ(State().MapGrid.At(0, 0), 5);

    ChooseTileSet(StarportPalloran);
    OpenPaletteFor(1);
    EXPECT_EQ(State().VariantSelection, BaseVariantSelection());
    for (const VariantSlot& variant : VariantSlots()) {
        EXPECT_TRUE(
            Shows(Slot(variant.Slot), State().TileCatalogue[variant.BaseCode].BitmapName.View()))
            << variant.Slot;
    }
}

TEST_F(VariantMenuWindowTest, TheFirstItemReturnsTheSlotToItsBaseTile) {
    ChooseTileSet(StarportPalloran);
    OpenPaletteFor(1);
    Choose("SignQ");
    EXPECT_EQ(Selection(7), 71);
    Choose("SignA");
    EXPECT_EQ(Selection(7), 6);
    EXPECT_TRUE(Shows(Slot(7), "Sign_A"));
}

TEST_F(VariantMenuWindowTest, RepeatedCaptionsInTheWallSubMenusChooseTheirOwnCodes) {
    ChooseTileSet(StarportPalloran);
    OpenPaletteFor(1);
    QMenu* interior = Palette().findChild<QMenu*>(QStringLiteral("InteriorCorners1"));
    QMenu* exterior = Palette().findChild<QMenu*>(QStringLiteral("ExteriorCorners1"));
    ASSERT_NE(interior, nullptr);
    ASSERT_NE(exterior, nullptr);
    const auto choose = [](QMenu* menu, const char* caption) {
        for (QAction* action : menu->actions()) {
            if (action->text() == QLatin1String(caption)) {
                action->trigger();
            }
        }
    };
    choose(interior, "Curve North West");
    EXPECT_EQ(Selection(11), 133);
    EXPECT_TRUE(Shows(Slot(11), "Wall_IntCurve_NW"));
    choose(exterior, "Curve North West");
    EXPECT_EQ(Selection(11), 129);
    EXPECT_TRUE(Shows(Slot(11), "Wall_ExtCurve_NW"));
}

TEST_F(VariantMenuWindowTest, AChoiceWhoseBitmapCannotBeLoadedKeepsThePreviousChoice) {
    ChooseTileSet(StarportPalloran);
    OpenPaletteFor(1);
    Choose("Equipment");
    SetBitmapOf(99, "Gone");
    Choose("OffPlanetTours");
    EXPECT_THAT(prompts.Errors, testing::ElementsAre("Resource Gone not found."));
    EXPECT_EQ(Selection(9), 98);
    EXPECT_TRUE(Shows(Slot(9), "Shop_Equipment"));
    EXPECT_TRUE(Palette().isVisible());
}

}  // namespace
}  // namespace velmora
