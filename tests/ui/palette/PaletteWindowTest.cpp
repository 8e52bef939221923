// The palette window itself: its layout, the fill for each tile set, what the
// label names under the pointer, and opening and closing it.
#include "PaletteFixture.h"

#include "core/tiles/TileTables.h"

#include <QLabel>
#include <QMouseEvent>

#include <gmock/gmock.h>

namespace velmora {
namespace {

using PaletteLayoutTest = PaletteTest;
using PaletteFillTest = PaletteTest;
using PaletteLabelTest = PaletteTest;
using PaletteOpenCloseTest = PaletteTest;

void MovePointerOver(QWidget& widget, QPoint local) {
    QMouseEvent move(QEvent::MouseMove, local, widget.mapToGlobal(local), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &move);
}

TEST_F(PaletteLayoutTest, WindowHasItsCaptionFrameAndFont) {
    OpenPaletteFor(1);
    EXPECT_EQ(Palette().windowTitle(), "TileForm");
    EXPECT_EQ(Palette().objectName(), "TileForm");
    EXPECT_EQ(Palette().frameGeometry(), QRect(112, 95, 416, 290));
    EXPECT_EQ(Palette().minimumSize(), Palette().maximumSize());
    EXPECT_EQ(Palette().font().family(), "MS Sans Serif");
    EXPECT_EQ(Palette().font().pixelSize(), 11);
    EXPECT_EQ(Palette().parentWidget(), nullptr);
}

TEST_F(PaletteLayoutTest, SlotsSitInFourRowsOfNineAndOverlapTheirNeighbours) {
    struct Row {
        int Slot;
        QRect Geometry;
    };
    const Row rows[] = {
        {1, {24, 48, 41, 41}},   {2, {64, 48, 41, 41}},    {9, {344, 48, 41, 41}},
        {10, {24, 88, 41, 41}},  {18, {344, 88, 41, 41}},  {19, {24, 128, 41, 41}},
        {28, {24, 168, 41, 41}}, {36, {344, 168, 41, 41}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Slot(row.Slot).geometry(), row.Geometry) << row.Slot;
    }
    for (int slot = 1; slot <= 36; ++slot) {
        EXPECT_EQ(Slot(slot).objectName(), QStringLiteral("TileImage%1").arg(slot));
        EXPECT_EQ(Slot(slot).parentWidget(), &Palette());
    }
}

TEST_F(PaletteLayoutTest, BeforeTheFirstOpeningTheSlotsAreEmptyAndTheLabelSaysTileType) {
    for (int slot = 1; slot <= 36; ++slot) {
        EXPECT_TRUE(Slot(slot).Picture().isNull()) << slot;
        EXPECT_TRUE(Slot(slot).isVisibleTo(&Palette())) << slot;
    }
    EXPECT_FALSE(Palette().isVisible());
    EXPECT_EQ(Palette().TileType->objectName(), "TileType");
    EXPECT_EQ(Palette().TileType->text(), "TileType");
    EXPECT_EQ(Palette().TileType->geometry(), QRect(24, 224, 361, 13));
    EXPECT_EQ(Palette().TileType->alignment(), Qt::AlignCenter);
    EXPECT_EQ(Palette().TileType->font().pixelSize(), 11);
}

struct FillRow {
    std::int32_t TileSet;
    int ShownSlots;
};

class PaletteFillForEachSet : public PaletteTest, public testing::WithParamInterface<FillRow> {};

TEST_P(PaletteFillForEachSet, ShowsEveryCodeOfTheSetInItsSlotAndHidesTheRest) {
    const FillRow row = GetParam();
    ChooseTileSet(row.TileSet);
    OpenPaletteFor(1);
    ASSERT_TRUE(prompts.Errors.isEmpty()) << prompts.Errors.join(' ').toStdString();
    for (int slot = 1; slot <= 36; ++slot) {
        const bool shown = slot <= row.ShownSlots;
        EXPECT_EQ(Slot(slot).isVisible(), shown) << "slot " << slot;
        if (shown) {
            EXPECT_TRUE(Shows(Slot(slot), State().TileCatalogue[slot - 1].BitmapName.View()))
                << "slot " << slot;
        }
    }
    EXPECT_FALSE(State().PaletteDirty);
}

INSTANTIATE_TEST_SUITE_P(PaletteSets, PaletteFillForEachSet,
                         testing::Values(FillRow{Dungeon, 30}, FillRow{OpenVL, 18},
                                         FillRow{OpenCarrowmere, 11}, FillRow{OpenYSR, 2},
                                         FillRow{StarportPalloran, 16}));

TEST_F(PaletteFillTest, TheFirstOpeningAfterStartUpFillsTheDungeonTiles) {
    ASSERT_TRUE(State().PaletteDirty);
    OpenPaletteFor(1);
    EXPECT_TRUE(Slot(30).isVisible());
    EXPECT_TRUE(Shows(Slot(30), "Statue"));
    EXPECT_FALSE(Slot(31).isVisible());
    EXPECT_FALSE(State().PaletteDirty);
    for (int slot = 1; slot <= 36; ++slot) {
        EXPECT_EQ(Palette().ActiveMenuOfSlot(slot), nullptr) << slot;
    }
}

TEST_F(PaletteFillTest, AnOpeningOfACleanPaletteReloadsNothing) {
    OpenPaletteFor(1);
    Palette().FormClose();
    // Had the palette been refilled, this entry would fail to load.
    SetBitmapOf(3, "NoSuchBitmap");
    OpenPaletteFor(2);
    EXPECT_TRUE(prompts.Errors.isEmpty());
    EXPECT_TRUE(Shows(Slot(4), "Water"));
    EXPECT_TRUE(Palette().isVisible());
}

TEST_F(PaletteFillTest, SwitchingSetsBackAndForthRefillsAtTheNextOpeningOnly) {
    OpenPaletteFor(1);
    Palette().FormClose();
    ChooseTileSet(OpenYSR);
    // The change itself fills nothing.
    EXPECT_TRUE(Slot(30).isVisibleTo(&Palette()));
    OpenPaletteFor(1);
    EXPECT_FALSE(Slot(3).isVisible());
    EXPECT_TRUE(Shows(Slot(2), "Open_Land"));
    Palette().FormClose();
    ChooseTileSet(Dungeon);
    OpenPaletteFor(1);
    EXPECT_TRUE(Slot(30).isVisible());
    EXPECT_TRUE(Shows(Slot(2), "Open"));
}

TEST_F(PaletteFillTest, AFillThatCannotLoadABitmapLeavesThePaletteDirtyAndHidden) {
    SetBitmapOf(4, "Missing_Bitmap");
    OpenPaletteFor(7);
    EXPECT_THAT(prompts.Errors, testing::ElementsAre("Resource Missing_Bitmap not found."));
    EXPECT_TRUE(State().PaletteDirty);
    EXPECT_TRUE(Main().isEnabled());
    EXPECT_FALSE(Palette().isVisible());
    EXPECT_EQ(State().SelectedCell.CellNumber, 6);

    // The next click on a view cell tries the fill again.
    WriteTileSetEntries(State().TileCatalogue, Dungeon);
    OpenPaletteFor(7);
    EXPECT_EQ(prompts.Errors.size(), 1);
    EXPECT_FALSE(State().PaletteDirty);
    EXPECT_TRUE(Palette().isVisible());
    EXPECT_TRUE(Shows(Slot(5), "Crawlspace_cross"));
}

TEST_F(PaletteLabelTest, PointerOverASlotNamesItsOwnCodeAndTheBackgroundEmptiesTheLabel) {
    OpenPaletteFor(1);
    MovePointerOver(Slot(12), QPoint(5, 5));
    EXPECT_EQ(Palette().TileType->text(), "Locked Door");
    MovePointerOver(Palette(), QPoint(5, 5));
    EXPECT_EQ(Palette().TileType->text(), "");
    MovePointerOver(Slot(1), QPoint(40, 40));
    EXPECT_EQ(Palette().TileType->text(), "Unknown");
    // The area of a hidden slot is background.
    MovePointerOver(Palette(), Slot(36).geometry().center());
    EXPECT_EQ(Palette().TileType->text(), "");
}

TEST_F(PaletteLabelTest, OverAVariantSlotTheLabelNamesTheBaseTileWhateverTheChoice) {
    ChooseTileSet(StarportPalloran);
    OpenPaletteFor(1);
    Choose("Weapon");
    MovePointerOver(Slot(9), QPoint(10, 10));
    EXPECT_EQ(Palette().TileType->text(), "Monkey Workshop");
    Choose("BrokenGrating");
    MovePointerOver(Slot(2), QPoint(10, 10));
    EXPECT_EQ(Palette().TileType->text(), "Open Starport Area / Grating");
    MovePointerOver(Slot(16), QPoint(10, 10));
    EXPECT_EQ(Palette().TileType->text(), "Pavement");
}

TEST_F(PaletteLabelTest, HidingAndShowingKeepTheLastText) {
    OpenPaletteFor(1);
    EXPECT_EQ(Palette().TileType->text(), "TileType");
    MovePointerOver(Slot(3), QPoint(1, 1));
    Palette().close();
    OpenPaletteFor(1);
    EXPECT_EQ(Palette().TileType->text(), "Wall");
}

TEST_F(PaletteOpenCloseTest, OpeningRecordsTheCellAndDisablesTheMainWindow) {
    OpenPaletteFor(19);
    EXPECT_EQ(State().SelectedCell.CellNumber, 18);
    EXPECT_EQ(State().SelectedCell.Row, 2);
    EXPECT_EQ(State().SelectedCell.Column, 1);
    EXPECT_TRUE(Palette().isVisible());
    EXPECT_TRUE(Palette().isEnabled());
    EXPECT_FALSE(Main().isEnabled());
}

TEST_F(PaletteOpenCloseTest, TheCloseBoxHidesThePaletteAndChangesNothingElse) {
    ChooseTileSet(StarportPalloran);
    State().MapModified = false;
    OpenPaletteFor(40);
    Choose("TNorth");
    const std::vector<TileCode> cells(State().MapGrid.Cells().begin(),
                                      State().MapGrid.Cells().end());
    Palette().close();
    EXPECT_FALSE(Palette().isVisible());
    EXPECT_TRUE(Main().isEnabled());
    EXPECT_FALSE(State().MapModified);
    EXPECT_TRUE(std::ranges::equal(State().MapGrid.Cells(), cells));
    EXPECT_EQ(State().SelectedCell.CellNumber, 39);

    // The window lives on: the next opening shows the same slots and choice.
    OpenPaletteFor(41);
    EXPECT_TRUE(Shows(Slot(6), "Walkway_TNorth"));
    EXPECT_EQ(Selection(6), 52);
    EXPECT_TRUE(Shows(Slot(5), "Landing_Pad"));
}

}  // namespace
}  // namespace velmora
