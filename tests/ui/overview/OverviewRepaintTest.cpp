// When the overview is drawn again: each event that repaints it shows a map
// change made behind its back, and choosing a tile set from the menu does not.
#include "OverviewFixture.h"

#include "core/document/MapFile.h"
#include "core/document/Version.h"
#include "ui/Sarnwick_New_Map_unit_code.h"
#include "tests/support/WholeFiles.h"

#include <QGuiApplication>

#include <functional>

namespace velmora {
namespace {

constexpr QRgb kOpenLandGreen = qRgb(85, 206, 85);

class OverviewRepaintTest : public OverviewTest {
protected:
    // A fresh editor with the overview open; then map cell (499, 499)
    // turns into a wall without the overview being told.
    void OpenAndChangeBehindItsBack() {
        Start();
        Toggle();
        State().MapGrid.Set(499, 499, 2);
        ASSERT_EQ(MapCellPixel(499, 499), kSilver);
    }
    void Activate() {
        emit static_cast<QGuiApplication*>(QCoreApplication::instance())
            ->applicationStateChanged(Qt::ApplicationActive);
    }
};

TEST_F(OverviewRepaintTest, EveryRepaintEventShowsTheChangedMap) {
    const std::pair<const char*, std::function<void()>> events[] = {
        {"horizontal arrow",
         [this] { OverviewH().triggerAction(QScrollBar::SliderSingleStepAdd); }},
        {"horizontal page", [this] { OverviewH().triggerAction(QScrollBar::SliderPageStepSub); }},
        {"vertical arrow", [this] { OverviewV().triggerAction(QScrollBar::SliderSingleStepSub); }},
        {"vertical page", [this] { OverviewV().triggerAction(QScrollBar::SliderPageStepAdd); }},
        {"application active", [this] { Activate(); }},
        {"layout in force again", [this] { Click(&TMainForm::SmallResClick); }},
        {"larger layout", [this] { Click(&TMainForm::LargeResClick); }},
    };
    for (const auto& [name, happen] : events) {
        SCOPED_TRACE(name);
        OpenAndChangeBehindItsBack();
        happen();
        EXPECT_TRUE(Main().OverviewShown());
        EXPECT_EQ(MapCellPixel(499, 499), kBlack);
    }
}

TEST_F(OverviewRepaintTest, ALargerLayoutPaintsTheCellsItAdds) {
    Toggle();
    // Column 64 and row 56 exist only in the large overview.
    State().MapGrid.Set(484 + 63, 484 + 55, 2);
    Click(&TMainForm::LargeResClick);
    EXPECT_EQ(OverviewH().value(), 484);
    EXPECT_EQ(CellPixel(64, 56), kBlack);
}

TEST_F(OverviewRepaintTest, OpeningAMapWhileShownPaintsItInItsTileSet) {
    MapGrid grid;
    grid.Set(499, 499, 1);
    const std::vector<std::uint8_t> bytes = WriteMapFile(grid, OpenVL, kProgramVersion);
    const std::string path = PathIn("green.map");
    testing_files::WriteWholeFile(path, bytes);
    Toggle();
    prompts.OpenChoices = {QString::fromStdString(path)};
    Click(&TMainForm::OpenMapClick);
    EXPECT_TRUE(prompts.Errors.isEmpty());
    EXPECT_TRUE(Main().OverviewShown());
    EXPECT_EQ(MapCellPixel(499, 499), kOpenLandGreen);
}

TEST_F(OverviewRepaintTest, ConfirmingTheNewMapWindowWhileShownPaintsTheEmptyMap) {
    Toggle();
    State().MapGrid.Set(499, 499, 2);
    Main().PaintOverview();
    ASSERT_EQ(MapCellPixel(499, 499), kBlack);
    Click(&TMainForm::NewMapClick);
    ASSERT_TRUE(program->NewMapForm().isVisible());
    Main().Run([this] { program->NewMapForm().OkayButtonClick(); });
    EXPECT_TRUE(Main().OverviewShown());
    EXPECT_EQ(MapCellPixel(499, 499), kSilver);
}

TEST_F(OverviewRepaintTest, ATileSetChosenFromTheMenuShowsOnlyAtTheNextRepaint) {
    State().MapGrid.Set(499, 499, 1);
    Toggle();
    ASSERT_EQ(MapCellPixel(499, 499), kWhite);
    Click(&TMainForm::OpenVLClick);
    EXPECT_EQ(State().CurrentTileSet, OpenVL);
    EXPECT_EQ(MapCellPixel(499, 499), kWhite);
    Activate();
    EXPECT_EQ(MapCellPixel(499, 499), kOpenLandGreen);
}

}  // namespace
}  // namespace velmora
