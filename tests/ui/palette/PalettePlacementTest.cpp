// Placing a tile from the palette: the cell that receives it, the one view
// cell that is redrawn, the codes that are refused, a tile set from a file
// that no map can be drawn with, and a bitmap that cannot be loaded.
#include "PaletteFixture.h"

#include "core/document/MapFile.h"
#include "tests/support/WholeFiles.h"

#include <QLabel>

#include <gmock/gmock.h>

namespace velmora {
namespace {

class PalettePlacementTest : public PaletteTest {
protected:
    std::vector<TileCode> Grid() {
        return {State().MapGrid.Cells().begin(), State().MapGrid.Cells().end()};
    }
    TImage& ViewCell(int viewCell) {
        return *Main().MapImages[static_cast<std::size_t>(viewCell - 1)];
    }

    // The palette is open and waiting, nothing was placed.
    void ExpectStillChoosing(const std::vector<TileCode>& gridBefore, bool modifiedBefore) {
        EXPECT_TRUE(Palette().isVisible());
        EXPECT_FALSE(Main().isEnabled());
        EXPECT_EQ(State().MapModified, modifiedBefore);
        EXPECT_TRUE(Grid() == gridBefore);
    }

    void OpenMapFileWithTileSet(std::int32_t tileSet) {
        MapGrid grid;
        grid.Set(3, 4, 2);
        const std::vector<std::uint8_t> bytes = WriteMapFile(grid, tileSet, kProgramVersion);
        const std::string path = PathIn("odd-set.map");
        testing_files::WriteWholeFile(path, bytes);
        State().MapModified = false;  // no question about unsaved changes
        prompts.OpenChoices = {QString::fromStdString(path)};
        Click(&TMainForm::OpenMapClick);
        ASSERT_EQ(State().CurrentTileSet, tileSet);
    }
};

struct TargetRow {
    void (TMainForm::*Layout)();
    int Horizontal;
    int Vertical;
    int ViewCell;
    int X;
    int Y;
    int Element;
};

TEST_F(PalettePlacementTest, TheClickedViewCellsMapCellReceivesTheCode) {
    const TargetRow rows[] = {
        {&TMainForm::SmallResClick, 1, 1, 1, 0, 0, 0},
        {&TMainForm::SmallResClick, 1, 1, 19, 0, 1, 999},
        {&TMainForm::LargeResClick, 982, 984, 288, 998, 998, 999 * 999 - 1},
        {&TMainForm::MedResClick, 400, 300, 20, 400, 300, 300 * 999 + 400},
    };
    for (const TargetRow& row : rows) {
        State().MapGrid.Clear();
        State().MapModified = false;
        Click(row.Layout);
        ScrollTo(row.Horizontal, row.Vertical);
        OpenPaletteFor(row.ViewCell);
        ClickSlot(29);  // "Army Recruit Point", code 28

        EXPECT_EQ(State().MapGrid.Cells()[static_cast<std::size_t>(row.Element)], 28)
            << "view cell " << row.ViewCell;
        EXPECT_EQ(State().MapGrid.At(row.X, row.Y), 28);
        EXPECT_EQ(std::ranges::count(State().MapGrid.Cells(), 0), kMapCellCount - 1);
        EXPECT_TRUE(Shows(ViewCell(row.ViewCell), "recruit"));
        EXPECT_TRUE(State().MapModified);
        EXPECT_TRUE(Main().isEnabled());
        EXPECT_FALSE(Palette().isVisible());
    }
    EXPECT_TRUE(prompts.Errors.isEmpty()) << prompts.Errors.join(' ').toStdString();
}

TEST_F(PalettePlacementTest, OnlyTheClickedViewCellIsRedrawn) {
    Click(&TMainForm::LargeResClick);
    Main().ShowCellInfo(1, 1);
    const QString panelText = Main().TileTypeLabel->text();
    std::vector<qint64> pictures;
    for (const TImage* cell : Main().MapImages) {
        pictures.push_back(cell->Picture().cacheKey());
    }
    OpenPaletteFor(100);
    ClickSlot(3);
    for (int viewCell = 1; viewCell <= 288; ++viewCell) {
        const bool redrawn = ViewCell(viewCell).Picture().cacheKey() !=
                             pictures[static_cast<std::size_t>(viewCell - 1)];
        EXPECT_EQ(redrawn, viewCell == 100) << "view cell " << viewCell;
    }
    EXPECT_TRUE(Shows(ViewCell(100), "Wall"));
    EXPECT_EQ(Main().TileTypeLabel->text(), panelText);
}

TEST_F(PalettePlacementTest, PlacingTheCodeACellAlreadyHoldsStillMarksTheMapModified) {
    ASSERT_FALSE(State().MapModified);
    OpenPaletteFor(5);
    ClickSlot(1);
    EXPECT_TRUE(State().MapModified);
    EXPECT_FALSE(Palette().isVisible());
}

TEST_F(PalettePlacementTest, StarportCodesBetweenThePaletteAndTheVariantsAreRefused) {
    ChooseTileSet(StarportPalloran);
    OpenPaletteFor(1);
    const std::vector<TileCode> before = Grid();
    const bool modified = State().MapModified;
    for (const std::int32_t code : {16, 30, 50}) {
        Main().Run([&] { Palette().PlaceTile(code); });
        ExpectStillChoosing(before, modified);
    }
    Main().Run([&] { Palette().PlaceTile(51); });
    EXPECT_FALSE(Palette().isVisible());
    EXPECT_TRUE(prompts.Errors.isEmpty());
}

TEST_F(PalettePlacementTest, OutsideTheStarportSetNoCodeAboveThePaletteIsTaken) {
    ChooseTileSet(OpenCarrowmere);
    OpenPaletteFor(1);
    const std::vector<TileCode> before = Grid();
    for (const std::int32_t code : {11, 51, 145}) {
        Main().Run([&] { Palette().PlaceTile(code); });
        ExpectStillChoosing(before, true);
    }
}

TEST_F(PalettePlacementTest, AfterAFileWithAnUnknownTileSetNoSlotPlacesAnything) {
    OpenPaletteFor(1);
    Palette().FormClose();
    OpenMapFileWithTileSet(7);
    const std::vector<TileCode> before = Grid();
    ASSERT_EQ(State().MapGrid.At(3, 4), 2);

    OpenPaletteFor(10);
    EXPECT_TRUE(Slot(30).isVisible());
    EXPECT_TRUE(Shows(Slot(30), "Statue"));
    for (const int slot : {1, 5, 30}) {
        ClickSlot(slot);
        ExpectStillChoosing(before, false);
    }
    Palette().close();
    EXPECT_TRUE(Main().isEnabled());
    EXPECT_FALSE(State().MapModified);
    EXPECT_TRUE(Grid() == before);
}

TEST_F(PalettePlacementTest, AnUnknownTileSetAfterTheStarportSetLeavesTheMenusOn) {
    ChooseTileSet(StarportPalloran);
    OpenPaletteFor(1);
    Choose("ElevatorSmall");
    Palette().FormClose();
    OpenMapFileWithTileSet(-1);

    // The file left the palette clean; a dirty one is filled again too.
    for (const bool dirty : {false, true}) {
        State().PaletteDirty = dirty;
        OpenPaletteFor(1);
        RightClick(8);
        ASSERT_EQ(openedMenus.size(), 1u);
        EXPECT_EQ(openedMenus.back().Menu, Palette().ElevatorPopUpMenu);
        openedMenus.clear();
        ClickSlot(8);
        EXPECT_TRUE(Palette().isVisible());
        Palette().FormClose();
    }
    EXPECT_EQ(std::ranges::count(State().MapGrid.Cells(), 0), kMapCellCount - 1);
}

TEST_F(PalettePlacementTest, APlacementWhoseBitmapCannotBeLoadedChangesNothing) {
    OpenPaletteFor(8);
    SetBitmapOf(4, "Bogus");
    const std::vector<TileCode> before = Grid();
    ClickSlot(5);
    EXPECT_THAT(prompts.Errors, testing::ElementsAre("Resource Bogus not found."));
    ExpectStillChoosing(before, false);

    // The map maker can still pick another slot.
    ClickSlot(2);
    EXPECT_FALSE(Palette().isVisible());
    EXPECT_EQ(State().MapGrid.Cells()[static_cast<std::size_t>(
                  PlacementTargetFor(Main().MapScrollHorizontal->value(),
                                     Main().MapScrollVertical->value(), State().SelectedCell)
                      .Index)],
              1);
}

}  // namespace
}  // namespace velmora
