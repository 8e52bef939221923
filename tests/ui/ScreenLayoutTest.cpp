// The three screen layouts applied to the real main window: sizes, the
// shown block of cells, scroll ranges, the shift with its clamping, and the
// placement of the panel.
#include "EditorFixture.h"

#include "ui/ImageControl.h"
#include "ui/OverviewGrid.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>

namespace velmora {
namespace {

class ScreenLayoutTest : public EditorTest {
protected:
    int ShownCells() {
        int shown = 0;
        for (TImage* image : Main().MapImages) {
            shown += image->isHidden() ? 0 : 1;
        }
        return shown;
    }
    int H() { return Main().MapScrollHorizontal->value(); }
    int V() { return Main().MapScrollVertical->value(); }
};

struct LayoutCase {
    void (TMainForm::*Handler)();
    QSize Outer;
    int Columns, Rows;
    QRect VerticalBar, HorizontalBar;
    int MaxH, MaxV, PageH, PageV;
    QPoint TileType, Progress;
    QSize Overview;
    int OverviewColumns, OverviewRows;
};

TEST_F(ScreenLayoutTest, EachLayoutSetsItsSizesRangesAndPositions) {
    const LayoutCase cases[] = {
        {&TMainForm::LargeResClick,
         {1024, 740},
         18,
         16,
         {744, 24, 17, 641},
         {24, 664, 721, 17},
         982,
         984,
         9,
         8,
         {800, 24},
         {800, 672},
         {721, 641},
         65,
         57},
        {&TMainForm::MedResClick,
         {800, 572},
         13,
         12,
         {544, 24, 17, 481},
         {24, 504, 521, 17},
         987,
         988,
         6,
         5,
         {576, 24},
         {576, 504},
         {521, 481},
         47,
         44},
        {&TMainForm::SmallResClick,
         {640, 452},
         9,
         9,
         {384, 24, 17, 361},
         {24, 384, 361, 17},
         991,
         991,
         4,
         4,
         {416, 24},
         {416, 384},
         {361, 361},
         33,
         33},
    };
    for (const LayoutCase& c : cases) {
        Click(c.Handler);
        EXPECT_EQ(Main().frameGeometry(), QRect(QPoint(0, 0), c.Outer));
        EXPECT_EQ(State().VisibleColumns, c.Columns);
        EXPECT_EQ(State().VisibleRows, c.Rows);
        EXPECT_EQ(ShownCells(), c.Columns * c.Rows);
        EXPECT_EQ(Main().MapScrollVertical->geometry(), c.VerticalBar);
        EXPECT_EQ(Main().MapScrollHorizontal->geometry(), c.HorizontalBar);
        EXPECT_EQ(Main().OverviewScrollVertical->geometry(), c.VerticalBar);
        EXPECT_EQ(Main().OverviewScrollHorizontal->geometry(), c.HorizontalBar);
        EXPECT_EQ(Main().MapScrollHorizontal->maximum(), c.MaxH);
        EXPECT_EQ(Main().MapScrollVertical->maximum(), c.MaxV);
        EXPECT_EQ(Main().MapScrollHorizontal->pageStep(), c.PageH);
        EXPECT_EQ(Main().MapScrollVertical->pageStep(), c.PageV);
        EXPECT_EQ(Main().MapScrollHorizontal->minimum(), 1);
        EXPECT_EQ(Main().TileTypeLabel->pos(), c.TileType);
        EXPECT_EQ(Main().ProgressBar->pos(), c.Progress);
        EXPECT_EQ(Main().OverviewGrid->geometry(), QRect(QPoint(24, 24), c.Overview));
        EXPECT_EQ(Main().OverviewGrid->Columns(), c.OverviewColumns);
        EXPECT_EQ(Main().OverviewGrid->Rows(), c.OverviewRows);
    }
}

TEST_F(ScreenLayoutTest, TheMenuChecksExactlyTheLayoutInForce) {
    Click(&TMainForm::MedResClick);
    EXPECT_FALSE(Main().SmallRes->isChecked());
    EXPECT_TRUE(Main().MedRes->isChecked());
    EXPECT_FALSE(Main().LargeRes->isChecked());
    Main().MedRes->trigger();
    EXPECT_TRUE(Main().MedRes->isChecked());
}

TEST_F(ScreenLayoutTest, StartUpSwitchesFromTheFullArrangementToSmallAroundTheMapCentre) {
    EXPECT_EQ(H(), 496);
    EXPECT_EQ(V(), 496);
    EXPECT_EQ(ShownCells(), 81);
}

TEST_F(ScreenLayoutTest, SwitchingKeepsTheCentreCellsMapCell) {
    Click(&TMainForm::LargeResClick);
    EXPECT_EQ(H(), 492);
    EXPECT_EQ(V(), 493);
    Click(&TMainForm::MedResClick);
    EXPECT_EQ(H(), 494);
    EXPECT_EQ(V(), 495);
    Click(&TMainForm::SmallResClick);
    EXPECT_EQ(H(), 496);
    EXPECT_EQ(V(), 496);
}

TEST_F(ScreenLayoutTest, ShiftsAreClampedAtTheEdgesOfTheMap) {
    Click(&TMainForm::LargeResClick);
    Main().MapScrollHorizontal->setValue(982);
    Click(&TMainForm::SmallResClick);
    EXPECT_EQ(H(), 982);  // +4 clamped to the Large maximum, within the Small one

    Main().MapScrollHorizontal->setValue(991);
    Click(&TMainForm::LargeResClick);
    EXPECT_EQ(H(), 982);  // -4 gives 987, lowered to the Large maximum

    Main().MapScrollHorizontal->setValue(1);
    Main().MapScrollVertical->setValue(2);
    Click(&TMainForm::SmallResClick);
    Click(&TMainForm::LargeResClick);
    EXPECT_EQ(H(), 1);
    EXPECT_EQ(V(), 2);
}

TEST_F(ScreenLayoutTest, TheLargestMediumPositionsShowTheLastColumnAndRow) {
    Click(&TMainForm::MedResClick);
    Main().MapScrollHorizontal->setValue(5000);
    Main().MapScrollVertical->setValue(5000);
    EXPECT_EQ(H(), 987);
    EXPECT_EQ(V(), 988);
    Main().MapImageMouseMove(12 * 18 - 5);  // row 12, column 13
    EXPECT_EQ(Main().AbsoluteCoords->text(), "(998, 998)");
}

TEST_F(ScreenLayoutTest, ChoosingTheLayoutInForceMovesTheWindowBackAndChangesNothingElse) {
    Main().MapScrollHorizontal->setValue(300);
    Main().move(50, 60);
    Click(&TMainForm::SmallResClick);
    EXPECT_EQ(Main().frameGeometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(H(), 300);
    EXPECT_EQ(ShownCells(), 81);
}

TEST_F(ScreenLayoutTest, ThePanelUsesTheCalligraphicFontAndTheProgressLabelTheWindowFont) {
    EXPECT_EQ(Main().TileTypeLabel->font().family(), "Lucida Calligraphy");
    EXPECT_EQ(Main().TileTypeLabel->font().pixelSize(), 13);
    EXPECT_TRUE(Main().TileTypeLabel->font().bold());
    EXPECT_EQ(Main().ProgressLabel->font().family(), "MS Sans Serif");
    EXPECT_EQ(Main().ProgressLabel->font().pixelSize(), 11);
}

}  // namespace
}  // namespace velmora
