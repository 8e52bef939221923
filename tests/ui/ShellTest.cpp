// The editor as it starts: its state, its windows, its menu bar, leaving the
// program, the credits window and the error box.
#include "EditorFixture.h"

#include "core/UserError.h"
#include "ui/Sarnwick_Credits_unit_code.h"
#include "ui/Sarnwick_Dialog_unit_code.h"
#include "ui/Sarnwick_New_Map_unit_code.h"
#include "ui/Sarnwick_Tile_unit_code.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <gmock/gmock.h>

namespace velmora {
namespace {

using ShellTest = EditorTest;

TEST_F(ShellTest, StartUpLeavesTheDocumentedDefaults) {
    EXPECT_EQ(State().CurrentTileSet, 0);
    EXPECT_FALSE(State().MapModified);
    EXPECT_TRUE(State().MapFileName.empty());
    EXPECT_TRUE(State().PaletteDirty);
    EXPECT_EQ(State().VisibleColumns, 9);
    EXPECT_EQ(State().VisibleRows, 9);
    EXPECT_EQ(State().VersionStamp.Triple(), (VersionTriple{0, 4, 320}));
    EXPECT_EQ(State().VersionStamp.Packed, 40320);
    EXPECT_TRUE(Main().Dungeon->isChecked());
    EXPECT_TRUE(Main().SmallRes->isChecked());
    EXPECT_FALSE(Main().MedRes->isChecked());
    EXPECT_FALSE(Main().LargeRes->isChecked());
    const auto cells = State().MapGrid.Cells();
    EXPECT_EQ(std::count(cells.begin(), cells.end(), 0), kMapCellCount);
}

TEST_F(ShellTest, TheSecondaryWindowsExistHiddenAsTopLevelWindows) {
    QWidget* const windows[] = {&program->CreditsForm(), &program->NewMapForm(),
                                &program->TileForm(), &program->DialogForm()};
    for (QWidget* window : windows) {
        EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
        EXPECT_TRUE(window->isWindow());
        EXPECT_EQ(window->parentWidget(), nullptr);
    }
    EXPECT_EQ(program->CreditsForm().windowTitle(), "Credits");
    EXPECT_EQ(program->NewMapForm().windowTitle(), "New Map Information");
    EXPECT_EQ(program->TileForm().windowTitle(), "TileForm");
    EXPECT_EQ(program->DialogForm().windowTitle(), "Map Information");
}

TEST_F(ShellTest, TheMainWindowHasItsCaptionFixedSizeAndPlace) {
    EXPECT_THAT(Main().windowTitle().toStdString(),
                testing::StartsWith("Velmora Mapping program v0.4.32.290302 "));
    EXPECT_EQ(QApplication::applicationName(), "Velmora Mapping Program");
    EXPECT_EQ(Main().frameGeometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(Main().frameGeometry().size(), QSize(640, 452));
    EXPECT_EQ(Main().minimumSize(), Main().maximumSize());
    EXPECT_EQ(Main().font().pixelSize(), 11);
    EXPECT_EQ(Main().font().family(), "MS Sans Serif");
}

struct MenuItemRow {
    const char* Menu;
    const char* Name;
    const char* Caption;
};

TEST_F(ShellTest, TheMenuBarHoldsEveryItemWithItsCaptionAndNoShortcut) {
    const MenuItemRow rows[] = {
        {"File1", "NewMap", "New Map"},
        {"File1", "OpenMap", "Open Map"},
        {"File1", "SaveMap", "Save Map"},
        {"File1", "SaveMapAs", "Save Map As"},
        {"File1", "Exit", "Exit"},
        {"Options1", "ScreenResolution", "Screen Res"},
        {"Options1", "TileTypes", "Tile Types"},
        {"ScreenResolution", "SmallRes", "640 x 480"},
        {"ScreenResolution", "MedRes", "800 x 600"},
        {"ScreenResolution", "LargeRes", "1024 x 768"},
        {"TileTypes", "Dungeon", "Dungeon - VL"},
        {"TileTypes", "OpenVL", "Open Land - VL"},
        {"TileTypes", "OpenCarrowmere", "Open Land - Carrowmere"},
        {"TileTypes", "OpenYSR", "Open Land - YSR"},
        {"TileTypes", "StarportPalloran", "Starport - Palloran"},
        {"Credits1", "Credits", "Credits"},
    };
    const QList<QAction*> top = Main().menuBar()->actions();
    ASSERT_EQ(top.size(), 3);
    EXPECT_EQ(top[0]->text(), "File");
    EXPECT_EQ(top[1]->text(), "Options");
    EXPECT_EQ(top[2]->text(), "Credits");
    for (const MenuItemRow& row : rows) {
        auto* menu = Main().findChild<QMenu*>(QString::fromLatin1(row.Menu));
        ASSERT_NE(menu, nullptr) << row.Menu;
        QAction* found = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->objectName() == QLatin1String(row.Name)) {
                found = action;
            }
        }
        ASSERT_NE(found, nullptr) << row.Name;
        EXPECT_EQ(found->text(), QLatin1String(row.Caption));
        EXPECT_TRUE(found->shortcut().isEmpty()) << row.Name;
    }
}

TEST_F(ShellTest, ExitWithoutChangesEndsWithoutAQuestion) {
    Click(&TMainForm::ExitClick);
    EXPECT_TRUE(prompts.Questions.empty());
    EXPECT_FALSE(Main().isVisible());
}

TEST_F(ShellTest, ExitOnAModifiedMapAsksOnceAndCancelEndsWithoutSaving) {
    State().MapModified = true;
    prompts.Answers = {PromptAnswer::Cancel};
    Click(&TMainForm::ExitClick);
    EXPECT_EQ(prompts.Questions.size(), 1u);
    EXPECT_TRUE(prompts.SaveDialogs.empty());
    EXPECT_FALSE(Main().isVisible());
}

TEST_F(ShellTest, ExitAnsweredOkWithoutFileNameOffersTheSaveDialogAndCancellingItEnds) {
    State().MapModified = true;
    prompts.Answers = {PromptAnswer::Ok};
    prompts.SaveChoices = {std::nullopt};
    Click(&TMainForm::ExitClick);
    EXPECT_EQ(prompts.Questions.size(), 1u);
    EXPECT_EQ(prompts.SaveDialogs.size(), 1u);
    EXPECT_FALSE(Main().isVisible());
}

TEST_F(ShellTest, AFailedSaveWhileClosingKeepsTheWindowOpenAndTheMapModified) {
    State().MapModified = true;
    State().MapFileName = PathIn("missing-folder/map.map");
    prompts.Answers = {PromptAnswer::Ok};
    Main().close();
    EXPECT_TRUE(Main().isVisible());
    EXPECT_TRUE(State().MapModified);
    EXPECT_THAT(prompts.Errors, testing::ElementsAre("Invalid filename."));
}

TEST_F(ShellTest, CreditsDisableTheMainWindowUntilTheirCloseBoxHidesThem) {
    TCreditsForm& credits = program->CreditsForm();
    Click(&TMainForm::CreditsClick);
    EXPECT_FALSE(Main().isEnabled());
    EXPECT_TRUE(credits.isVisible());
    EXPECT_TRUE(credits.isEnabled());
    credits.close();
    EXPECT_TRUE(Main().isEnabled());
    EXPECT_FALSE(credits.isVisible());
    Click(&TMainForm::CreditsClick);
    EXPECT_TRUE(credits.isVisible());
}

TEST_F(ShellTest, TheCreditsWindowHasItsGeometryAndNineCentredLines) {
    TCreditsForm& credits = program->CreditsForm();
    Click(&TMainForm::CreditsClick);
    EXPECT_EQ(credits.frameGeometry(), QRect(200, 108, 435, 308));
    EXPECT_EQ(credits.CreditsImage->geometry(), QRect(0, 0, 425, 273));
    const int tops[] = {24, 40, 72, 88, 120, 136, 168, 184, 232};
    for (int i = 0; i < 9; ++i) {
        const QLabel* line = credits.CreditsLabels[static_cast<std::size_t>(i)];
        EXPECT_EQ(line->geometry(), QRect(56, tops[i], 313, 13));
        EXPECT_EQ(line->alignment(), Qt::AlignCenter);
        EXPECT_FALSE(line->text().isEmpty());
    }
    EXPECT_EQ(credits.CreditsLabels[2]->text(), "Playtested by:");
    EXPECT_EQ(credits.CreditsLabels[4]->text(), "Thanks to:");
    EXPECT_EQ(credits.CreditsLabels[6]->text(), "Special thanks to:");
    EXPECT_EQ(credits.CreditsLabels[0]->objectName(), "CreditsLabel01");
}

TEST_F(ShellTest, AnErrorLeavingACommandIsShownWithAFullStopAndKeepsItsChanges) {
    const bool completed = Main().Run([&] {
        State().MapModified = true;
        throw UserError("Resource Nothing not found");
    });
    EXPECT_FALSE(completed);
    EXPECT_THAT(prompts.Errors, testing::ElementsAre("Resource Nothing not found."));
    EXPECT_TRUE(State().MapModified);
}

TEST_F(ShellTest, TheMessageWindowHasItsLayout) {
    TDialogForm& dialog = program->DialogForm();
    EXPECT_EQ(dialog.size(), QSize(335, 115));
    EXPECT_EQ(dialog.DialogLabel->geometry(), QRect(8, 16, 313, 57));
    EXPECT_EQ(dialog.OKButton->text(), "Okay");
    EXPECT_EQ(dialog.OKButton->geometry(), QRect(64, 80, 97, 25));
    EXPECT_TRUE(dialog.OKButton->isDefault());
    EXPECT_EQ(dialog.CancelButton->text(), "Cancel");
    EXPECT_EQ(dialog.CancelButton->geometry(), QRect(176, 80, 97, 25));
}

}  // namespace
}  // namespace velmora
