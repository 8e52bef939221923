// Drawing a map through the real windows: clicks on view cells, palette slots
// and variant menus, then saving, starting a new editor and opening the file.
#include "PaletteFixture.h"

#include "core/document/MapFile.h"
#include "core/placement/VariantMenus.h"
#include "core/tiles/TileTables.h"
#include "tests/support/WholeFiles.h"

#include <gmock/gmock.h>

#include <map>

namespace velmora {
namespace {

using testing_files::ReadWholeFile;

std::int32_t IntAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return static_cast<std::int32_t>(
        std::uint32_t{bytes[offset]} | std::uint32_t{bytes[offset + 1]} << 8 |
        std::uint32_t{bytes[offset + 2]} << 16 | std::uint32_t{bytes[offset + 3]} << 24);
}

class PaletteEndToEndTest : public PaletteTest {
protected:
    struct Cell {
        int X;
        int Y;
        friend auto operator<=>(const Cell&, const Cell&) = default;
    };

    // The map cell that view cell n shows now.
    Cell CellOfViewCell(int viewCell) const {
        return {program->MainForm().MapScrollHorizontal->value() + (viewCell - 1) % 18 - 1,
                program->MainForm().MapScrollVertical->value() + (viewCell - 1) / 18 - 1};
    }

    void ClickViewCell(int viewCell) {
        LeftClick(*Main().MapImages[static_cast<std::size_t>(viewCell - 1)]);
        ASSERT_TRUE(Palette().isVisible()) << "view cell " << viewCell;
    }

    void Place(int viewCell, int slot, std::int32_t code) {
        ClickViewCell(viewCell);
        ClickSlot(slot);
        ASSERT_FALSE(Palette().isVisible()) << "slot " << slot;
        drawn[CellOfViewCell(viewCell)] = code;
    }

    // Right-clicks the slot, chooses the item from the menu that opens and
    // places it.
    void PlaceVariant(int viewCell, int slot, const VariantMenuItem& item) {
        ClickViewCell(viewCell);
        openedMenus.clear();
        RightClick(slot);
        ASSERT_EQ(openedMenus.size(), 1u) << item.Name;
        auto* action = openedMenus[0].Menu->findChild<QAction*>(
            QString::fromLatin1(item.Name.data(), static_cast<qsizetype>(item.Name.size())));
        ASSERT_NE(action, nullptr) << item.Name;
        action->trigger();
        const auto selection = static_cast<std::size_t>(*VariantSlotIndex(slot));
        EXPECT_EQ(State().VariantSelection[selection], item.Code) << item.Name;
        EXPECT_TRUE(Shows(Slot(slot), State().TileCatalogue[item.Code].BitmapName.View()))
            << item.Name;
        ClickSlot(slot);
        ASSERT_FALSE(Palette().isVisible()) << item.Name;
        drawn[CellOfViewCell(viewCell)] = item.Code;
    }

    void SaveAs(const std::string& path) {
        prompts.SaveChoices = {QString::fromStdString(path)};
        Main().SaveMapAs->trigger();
    }

    void ReopenInANewEditor(const std::string& path) {
        Start();
        RecordMenus();
        prompts.OpenChoices = {QString::fromStdString(path)};
        Main().OpenMap->trigger();
    }

    void ExpectTheDrawingIn(const MapGrid& grid) {
        for (const auto& [cell, code] : drawn) {
            EXPECT_EQ(grid.At(cell.X, cell.Y), code) << "cell " << cell.X << ", " << cell.Y;
        }
        EXPECT_EQ(std::ranges::count(grid.Cells(), 0),
                  kMapCellCount - std::ranges::count_if(
                                      drawn, [](const auto& entry) { return entry.second != 0; }));
    }

    void ExpectTheDrawingInTheFile(const std::string& path, std::int32_t tileSet) {
        const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
        ASSERT_EQ(bytes.size(), 3'992'020u);
        for (const auto& [cell, code] : drawn) {
            EXPECT_EQ(IntAt(bytes, 4 * std::size_t(MapGrid::IndexOf(cell.X, cell.Y))), code);
        }
        EXPECT_EQ(IntAt(bytes, 3'992'004), tileSet);
        EXPECT_EQ(IntAt(bytes, 3'992'008), 0);
        EXPECT_EQ(IntAt(bytes, 3'992'012), 4);
        EXPECT_EQ(IntAt(bytes, 3'992'016), 320);
    }

    std::map<Cell, std::int32_t> drawn;
};

TEST_F(PaletteEndToEndTest, APictureDrawnInTwoTileSetsIsSavedAndReopenedCellForCell) {
    // A dungeon corridor along the top row of the view.
    Place(1, 3, 2);    // "Wall"
    Place(2, 2, 1);    // "Open"
    Place(3, 13, 12);  // "Unlocked Door"
    Place(4, 2, 1);
    Place(5, 3, 2);

    // Then the starport set: the dungeon codes stay, read through its entries.
    Main().StarportPalloran->trigger();
    ASSERT_EQ(State().CurrentTileSet, StarportPalloran);
    Place(19, 5, 4);  // "Landing Pad"
    const VariantMenu& walkways = *FindVariantMenuOfSlot(6);
    PlaceVariant(20, 6, walkways.Items[2]);  // "T - North"
    Place(21, 6, 52);                        // the choice lasts over openings
    const VariantMenu& signs = *FindVariantMenuOfSlot(7);
    PlaceVariant(37, 7, signs.SubMenus[0].Items[2]);  // "C"
    PlaceVariant(38, 7, signs.SubMenus[2].Items[9]);  // "9"
    const VariantMenu& walls = *FindVariantMenuOfSlot(11);
    PlaceVariant(39, 11, walls.SubMenus[1].Items[7]);  // exterior "Curve North West"
    Place(40, 14, 13);                                 // "Interior Floor"
    ASSERT_EQ(drawn.size(), 12u);
    EXPECT_TRUE(prompts.Errors.isEmpty()) << prompts.Errors.join(' ').toStdString();

    const std::string path = PathIn("picture.map");
    SaveAs(path);
    EXPECT_FALSE(State().MapModified);
    ExpectTheDrawingInTheFile(path, StarportPalloran);

    ReopenInANewEditor(path);
    EXPECT_TRUE(prompts.Errors.isEmpty()) << prompts.Errors.join(' ').toStdString();
    EXPECT_EQ(State().CurrentTileSet, StarportPalloran);
    EXPECT_TRUE(Main().StarportPalloran->isChecked());
    EXPECT_FALSE(State().MapModified);
    ExpectTheDrawingIn(State().MapGrid);
    // The reopened view is centred as before and shows the drawing.
    for (const int viewCell : {1, 3, 20, 39}) {
        const Cell cell = CellOfViewCell(viewCell);
        const std::int32_t code = State().MapGrid.At(cell.X, cell.Y);
        EXPECT_TRUE(Shows(*Main().MapImages[std::size_t(viewCell - 1)],
                          State().TileCatalogue[code].BitmapName.View()))
            << "view cell " << viewCell;
    }
}

// Every palette tile of the set, then in the starport set every menu item,
// one view cell each.
class PaletteEveryTileTest : public PaletteEndToEndTest,
                             public testing::WithParamInterface<std::int32_t> {};

TEST_P(PaletteEveryTileTest, EveryTileOfTheSetSurvivesSavingAndReopening) {
    const std::int32_t tileSet = GetParam();
    Main().LargeRes->trigger();
    QAction* const setItems[] = {Main().Dungeon, Main().OpenVL, Main().OpenCarrowmere,
                                 Main().OpenYSR, Main().StarportPalloran};
    setItems[tileSet]->trigger();

    int viewCell = 1;
    for (std::int32_t code = 0; code <= State().PaletteTileCount; ++code) {
        Place(viewCell++, code + 1, code);
    }
    if (tileSet == StarportPalloran) {
        for (const VariantMenu& menu : VariantMenus()) {
            for (const VariantMenuItem& item : menu.Items) {
                PlaceVariant(viewCell++, menu.Slot, item);
            }
            for (const VariantSubMenu& subMenu : menu.SubMenus) {
                for (const VariantMenuItem& item : subMenu.Items) {
                    PlaceVariant(viewCell++, menu.Slot, item);
                }
            }
        }
        EXPECT_EQ(viewCell - 1, 16 + 103);
    }
    EXPECT_TRUE(prompts.Errors.isEmpty()) << prompts.Errors.join(' ').toStdString();

    const std::string path = PathIn("every-tile.map");
    SaveAs(path);
    ExpectTheDrawingInTheFile(path, tileSet);
    ReopenInANewEditor(path);
    EXPECT_EQ(State().CurrentTileSet, tileSet);
    ExpectTheDrawingIn(State().MapGrid);
    EXPECT_TRUE(prompts.Errors.isEmpty()) << prompts.Errors.join(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(PaletteSets, PaletteEveryTileTest,
                         testing::Values(Dungeon, OpenVL, OpenCarrowmere, OpenYSR,
                                         StarportPalloran));

}  // namespace
}  // namespace velmora
