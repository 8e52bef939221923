// Choosing the tile set: the five menu items and the New Map window, which
// finishes "New Map" with the new map's tile set.
#include "EditorFixture.h"

#include "ui/ImageControl.h"
#include "ui/Sarnwick_New_Map_unit_code.h"
#include "ui/TileBitmaps.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include <gmock/gmock.h>

namespace velmora {
namespace {

class TileSetSelectionTest : public EditorTest {
protected:
    TNewMapForm& NewMap() { return program->NewMapForm(); }
    std::vector<bool> Checks() {
        std::vector<bool> checks;
        for (QAction* item : Main().TileTypes->actions()) {
            checks.push_back(item->isChecked());
        }
        return checks;
    }
    QRadioButton* RadioItem(int index) {
        return NewMap().ChooseTilesRadioGroup->findChildren<QRadioButton*>().at(index);
    }
    qint64 CentrePicture() {
        return Main()
            .MapImages[static_cast<std::size_t>(ViewCellNumber(5, 5) - 1)]
            ->Picture()
            .cacheKey();
    }
    static int ViewCellNumber(int row, int column) { return (row - 1) * 18 + column; }
};

TEST_F(TileSetSelectionTest, EachMenuItemInstallsItsSetChecksItAloneAndMarksTheMapModified) {
    void (TMainForm::*const handlers[])() = {
        &TMainForm::DungeonClick, &TMainForm::OpenVLClick, &TMainForm::OpenCarrowmereClick,
        &TMainForm::OpenYSRClick, &TMainForm::StarportPalloranClick};
    const std::int32_t counts[] = {29, 17, 10, 1, 15};
    for (int set = 0; set < 5; ++set) {
        State().MapModified = false;
        State().PaletteDirty = false;
        Click(handlers[set]);
        EXPECT_EQ(State().CurrentTileSet, set);
        EXPECT_EQ(State().PaletteTileCount, counts[set]);
        EXPECT_TRUE(State().MapModified);
        EXPECT_TRUE(State().PaletteDirty);
        std::vector<bool> expected(5, false);
        expected[static_cast<std::size_t>(set)] = true;
        EXPECT_EQ(Checks(), expected);
    }
}

TEST_F(TileSetSelectionTest, ChoosingTheSetInUseStillRebuildsAndMarksTheMapModified) {
    Main().Dungeon->trigger();
    EXPECT_TRUE(State().MapModified);
    EXPECT_TRUE(Main().Dungeon->isChecked());
}

TEST_F(TileSetSelectionTest, AChangeOfSetKeepsTheCodesAndShowsTheNewSetsTiles) {
    State().MapGrid.Set(499, 499, 5);
    Main().RefreshMapCells();
    EXPECT_EQ(CentrePicture(), program->Bitmaps().Load("Crawlspace_horizontal").cacheKey());
    Main().OpenVL->trigger();
    EXPECT_EQ(State().MapGrid.At(499, 499), 5);
    EXPECT_EQ(CentrePicture(), program->Bitmaps().Load("Heavy_Forest").cacheKey());
    Main().MapImageMouseMove(ViewCellNumber(5, 5));
    EXPECT_EQ(Main().TileTypeLabel->text(), "Heavy Forest");
}

TEST_F(TileSetSelectionTest, TheNewMapWindowHasItsLayoutAndItems) {
    EXPECT_EQ(NewMap().windowTitle(), "New Map Information");
    Click(&TMainForm::NewMapClick);
    EXPECT_EQ(NewMap().frameGeometry(), QRect(200, 108, 435, 300));
    EXPECT_EQ(NewMap().Image1->geometry(), QRect(0, 8, 425, 257));
    EXPECT_EQ(NewMap().ChooseTilesRadioGroup->geometry(), QRect(88, 48, 217, 145));
    EXPECT_EQ(NewMap().ChooseTilesRadioGroup->title(), "Which Tiles should this map use?");
    EXPECT_EQ(NewMap().OkayButton->text(), "Okay");
    EXPECT_EQ(NewMap().OkayButton->geometry(), QRect(128, 216, 105, 25));
    const char* const captions[] = {"Dungeon Tiles", "Velmora Land Tiles", "Carrowmere Land Tiles",
                                    "Ysmerith Land Tiles", "Palloran Starport Tiles"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(RadioItem(i)->text(), captions[i]);
    }
}

TEST_F(TileSetSelectionTest, NewMapPreselectsTheCurrentSetAndOkayWithoutAClickKeepsIt) {
    Main().OpenYSR->trigger();
    prompts.Answers = {PromptAnswer::Cancel};
    Click(&TMainForm::NewMapClick);
    EXPECT_EQ(NewMap().SelectedItem(), 3);
    NewMap().OkayButton->click();
    EXPECT_EQ(State().CurrentTileSet, 3);
    EXPECT_TRUE(Main().OpenYSR->isChecked());
    EXPECT_TRUE(State().MapModified);
    EXPECT_TRUE(Main().isEnabled());
    EXPECT_FALSE(NewMap().isVisible());
}

TEST_F(TileSetSelectionTest, ARadioClickSetsTheTileSetAtOnceButInstallsNothingYet) {
    Click(&TMainForm::NewMapClick);
    RadioItem(4)->click();
    EXPECT_EQ(State().CurrentTileSet, 4);
    EXPECT_TRUE(Main().Dungeon->isChecked());
    EXPECT_EQ(State().PaletteTileCount, 29);
    EXPECT_FALSE(State().MapModified);
}

TEST_F(TileSetSelectionTest, TheCloseBoxInstallsTheSetLastClicked) {
    Click(&TMainForm::NewMapClick);
    RadioItem(4)->click();
    NewMap().close();
    EXPECT_EQ(State().CurrentTileSet, 4);
    EXPECT_TRUE(Main().StarportPalloran->isChecked());
    EXPECT_EQ(State().PaletteTileCount, 15);
    EXPECT_TRUE(Main().isEnabled());
    EXPECT_FALSE(NewMap().isVisible());
    EXPECT_EQ(CentrePicture(), program->Bitmaps().Load("Unknown").cacheKey());
}

TEST_F(TileSetSelectionTest, AfterTheNewMapWindowSaveOffersTheSaveDialog) {
    Click(&TMainForm::NewMapClick);
    NewMap().OkayButton->click();
    prompts.SaveChoices = {std::nullopt};
    Click(&TMainForm::SaveMapClick);
    EXPECT_EQ(prompts.SaveDialogs.size(), 1u);
}

TEST_F(TileSetSelectionTest, ATileSetOutsideTheKnownRangeChangesNothingWhenRebuilt) {
    Main().OpenCarrowmere->trigger();
    State().MapModified = false;
    State().PaletteDirty = false;
    for (const std::int32_t odd : {5, -1}) {
        State().CurrentTileSet = odd;
        Main().RebuildTileCatalogue();
        EXPECT_EQ(State().PaletteTileCount, 10);
        EXPECT_FALSE(State().MapModified);
        EXPECT_FALSE(State().PaletteDirty);
        EXPECT_TRUE(Main().OpenCarrowmere->isChecked());
    }
}

}  // namespace
}  // namespace velmora
