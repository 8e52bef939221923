// Switching between the view and the overview: where the overview opens,
// its scroll bars and button in each layout, that closing returns to the
// view unmoved, and that the view cannot be reached while the overview is up.
#include "OverviewFixture.h"

#include "core/view/ViewMapping.h"
#include "ui/ImageControl.h"
#include "ui/Sarnwick_Tile_unit_code.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>

namespace velmora {
namespace {

class OverviewSwitchTest : public OverviewTest {};

struct OpeningCase {
    void (TMainForm::*Layout)();  // nullptr keeps the start-up layout
    int H, V;
    int OH, OV;
    MapCell Marked;  // drawn black, so it can be found in the overview
    int Column, Row;
};

TEST_F(OverviewSwitchTest, OpeningPutsTheViewsMiddleCellIntoTheOverviewsMiddleUnlessClamped) {
    const OpeningCase cases[] = {
        {nullptr, 496, 496, 484, 484, {499, 499}, 16, 16},
        {&TMainForm::SmallResClick, 991, 991, 967, 967, {998, 998}, 32, 32},
        {&TMainForm::MedResClick, 500, 400, 483, 384, {505, 405}, 23, 22},
        {&TMainForm::LargeResClick, 480, 470, 457, 450, {488, 477}, 32, 28},
        {&TMainForm::LargeResClick, 1, 1, 1, 1, {0, 0}, 0, 0},
        {&TMainForm::LargeResClick, 982, 984, 935, 943, {998, 998}, 64, 56},
    };
    for (const OpeningCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "view at " << c.H << ", " << c.V);
        Start();
        if (c.Layout != nullptr) {
            Click(c.Layout);
            SetViewPositions(c.H, c.V);
        }
        ASSERT_EQ(H(), c.H);
        ASSERT_EQ(V(), c.V);
        State().MapGrid.Set(c.Marked.X, c.Marked.Y, 2);
        Toggle();
        EXPECT_EQ(OverviewH().value(), c.OH);
        EXPECT_EQ(OverviewV().value(), c.OV);
        EXPECT_EQ(CellPixel(c.Column, c.Row), kBlack);
        EXPECT_EQ(CellPixel(c.Column == 0 ? 1 : c.Column - 1, c.Row), kSilver);
    }
}

TEST_F(OverviewSwitchTest, AtItsMaximaTheLargeOverviewShowsTheMapsLastColumnAndRow) {
    Click(&TMainForm::LargeResClick);
    Toggle();
    State().MapGrid.Set(998, 960, 2);
    State().MapGrid.Set(960, 998, 2);
    SetOverviewPositions(5000, 5000);
    EXPECT_EQ(OverviewH().value(), 935);
    EXPECT_EQ(OverviewV().value(), 943);
    EXPECT_EQ(CellPixel(64, 960 - 943 + 1), kBlack);
    EXPECT_EQ(CellPixel(960 - 935 + 1, 56), kBlack);
}

TEST_F(OverviewSwitchTest, ClosingReturnsToTheViewAtTheSameScrollPositionsAndRefreshesIt) {
    Click(&TMainForm::MedResClick);
    SetViewPositions(300, 700);
    Toggle();
    EXPECT_EQ(Main().OverviewButton->text(), "Normal Map");
    SetOverviewPositions(1, 955);
    // Changed while the view was hidden: the first view cell shows (299, 699).
    State().MapGrid.Set(299, 699, 2);
    TImage& first = *Main().MapImages[0];
    TImage& second = *Main().MapImages[1];
    ASSERT_EQ(first.Picture().cacheKey(), second.Picture().cacheKey());
    Toggle();
    EXPECT_EQ(H(), 300);
    EXPECT_EQ(V(), 700);
    EXPECT_EQ(OverviewH().value(), 1);
    EXPECT_TRUE(Grid().isHidden());
    EXPECT_TRUE(OverviewH().isHidden());
    EXPECT_TRUE(OverviewV().isHidden());
    EXPECT_FALSE(Main().OverviewShown());
    EXPECT_EQ(Main().OverviewButton->text(), "Map Overview");
    EXPECT_NE(first.Picture().cacheKey(), second.Picture().cacheKey());
}

struct BarsCase {
    void (TMainForm::*Layout)();
    int MaxH, PageH, MaxV, PageV;
    QPoint Button;
};

TEST_F(OverviewSwitchTest, EachLayoutGivesTheOverviewBarsTheirRangesAndTheButtonItsPlace) {
    const BarsCase cases[] = {
        {&TMainForm::LargeResClick, 935, 32, 943, 29, {808, 232}},
        {&TMainForm::MedResClick, 953, 24, 956, 22, {584, 232}},
        {&TMainForm::SmallResClick, 967, 16, 967, 16, {424, 232}},
    };
    EXPECT_EQ(Main().OverviewButton->text(), "Map Overview");
    for (const BarsCase& c : cases) {
        Click(c.Layout);
        EXPECT_EQ(Main().OverviewButton->geometry(), QRect(c.Button, QSize(185, 25)));
        EXPECT_EQ(OverviewH().maximum(), c.MaxH);
        EXPECT_EQ(OverviewH().pageStep(), c.PageH);
        EXPECT_EQ(OverviewV().maximum(), c.MaxV);
        EXPECT_EQ(OverviewV().pageStep(), c.PageV);
        for (QScrollBar* bar : {&OverviewH(), &OverviewV()}) {
            EXPECT_EQ(bar->minimum(), 1);
            EXPECT_EQ(bar->singleStep(), 1);
        }
        EXPECT_EQ(OverviewH().geometry(), Main().MapScrollHorizontal->geometry());
        EXPECT_EQ(OverviewV().geometry(), Main().MapScrollVertical->geometry());
    }
}

TEST_F(OverviewSwitchTest, WhileShownTheOverviewCoversEveryViewCellAndTheMapScrollBars) {
    for (void (TMainForm::*layout)() :
         {&TMainForm::SmallResClick, &TMainForm::MedResClick, &TMainForm::LargeResClick}) {
        Click(layout);
        Toggle();
        QWidget* const client = Main().Client;
        for (int row = 1; row <= State().VisibleRows; ++row) {
            for (int column = 1; column <= State().VisibleColumns; ++column) {
                // The corners of the cell image's 41 x 41 pixels; the last
                // pixel column or row may lie under an overview scroll bar.
                const int left = ViewCellLeft(column);
                const int top = ViewCellTop(row);
                for (const QPoint corner : {QPoint(left, top), QPoint(left + 40, top + 40)}) {
                    QWidget* const above = client->childAt(corner);
                    ASSERT_TRUE(above == &Grid() || above == &OverviewH() || above == &OverviewV())
                        << "view cell " << row << ", " << column;
                }
            }
        }
        EXPECT_EQ(client->childAt(Main().MapScrollHorizontal->geometry().center()), &OverviewH());
        EXPECT_EQ(client->childAt(Main().MapScrollVertical->geometry().center()), &OverviewV());
        Toggle();
    }
}

TEST_F(OverviewSwitchTest, PointerEventsOverTheOverviewChangeNothing) {
    Click(&TMainForm::LargeResClick);
    Toggle();
    const QString panelText = Main().TileTypeLabel->text();
    const QString coords = Main().AbsoluteCoords->text();
    const QPointF point(100, 100);
    const QPointF global = Grid().mapToGlobal(point);
    QMouseEvent press(QEvent::MouseButtonPress, point, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, point, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QMouseEvent move(QEvent::MouseMove, point, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    for (QMouseEvent* event : {&press, &release, &move}) {
        QCoreApplication::sendEvent(&Grid(), event);
        EXPECT_TRUE(event->isAccepted());
    }
    EXPECT_TRUE(Main().isEnabled());
    EXPECT_FALSE(program->TileForm().isVisible());
    EXPECT_EQ(Main().TileTypeLabel->text(), panelText);
    EXPECT_EQ(Main().AbsoluteCoords->text(), coords);
}

}  // namespace
}  // namespace velmora
