// The map view through the main window: what the cells show, the panel's
// texts, scrolling and its refreshes, and cells whose codes name no tile.
#include "EditorFixture.h"

#include "core/document/MapFile.h"
#include "core/merge/MapMerge.h"
#include "core/tiles/TileSet.h"
#include "core/view/ViewMapping.h"
#include "render/TilePictures.h"
#include "tests/support/WholeFiles.h"
#include "ui/ImageControl.h"
#include "ui/TileBitmaps.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>

#include <gmock/gmock.h>

namespace velmora {
namespace {

class MapViewTest : public EditorTest {
protected:
    TImage& Image(int n) { return *Main().MapImages[static_cast<std::size_t>(n - 1)]; }
    qint64 PictureOf(int n) { return Image(n).Picture().cacheKey(); }
    qint64 BitmapKey(const char* name) { return program->Bitmaps().Load(name).cacheKey(); }
    void SetPositions(int h, int v) {
        Main().MapScrollHorizontal->setValue(h);
        Main().MapScrollVertical->setValue(v);
    }
    // Counts refreshes by watching a visible cell's picture being set again.
    int ShownCells() {
        int shown = 0;
        for (TImage* image : Main().MapImages) {
            shown += image->isHidden() ? 0 : 1;
        }
        return shown;
    }
    QString Text(QLabel* label) { return label->text(); }
};

TEST_F(MapViewTest, AfterStartUpEveryVisibleCellShowsUnknownAndTheLabelsTheirDesignTexts) {
    EXPECT_EQ(ShownCells(), 81);
    for (int row = 1; row <= 9; ++row) {
        for (int column = 1; column <= 9; ++column) {
            EXPECT_EQ(PictureOf(ViewCellNumber(row, column)), BitmapKey("Unknown"));
        }
    }
    EXPECT_EQ(Text(Main().TileTypeLabel), "TileTypeLabel");
    EXPECT_EQ(Text(Main().MPLabel), "1");
    EXPECT_EQ(Text(Main().AttAdjLabel), "0");
    EXPECT_EQ(Text(Main().VisAdjLabel), "0");
    EXPECT_EQ(Text(Main().DefAdjLabel), "0");
    EXPECT_EQ(Text(Main().AbsoluteCoords), "(xxx, xxx)");
    EXPECT_EQ(Text(Main().RelativeCoords), "xxx N, xxx E");
}

TEST_F(MapViewTest, TheCellImagesStandInTheirGridOverlappingByOnePixel) {
    EXPECT_EQ(Image(1).geometry(), QRect(24, 24, 41, 41));
    EXPECT_EQ(Image(2).geometry(), QRect(64, 24, 41, 41));
    EXPECT_EQ(Image(19).geometry(), QRect(24, 64, 41, 41));
    EXPECT_EQ(Image(288).geometry(), QRect(24 + 40 * 17, 24 + 40 * 15, 41, 41));
    EXPECT_EQ(Image(100).objectName(), "MapImage100");
}

TEST_F(MapViewTest, HoveringTheTopLeftCellAtTheOriginDescribesMapCellZeroZero) {
    State().MapGrid.Set(0, 0, 11);
    SetPositions(1, 1);
    Main().MapImageMouseMove(1);
    EXPECT_EQ(Text(Main().TileTypeLabel), "Locked Door");
    EXPECT_EQ(Text(Main().MPLabel), "?");
    EXPECT_EQ(Text(Main().AbsoluteCoords), "(0, 0)");
    EXPECT_EQ(Text(Main().RelativeCoords), "499N, 499W");
}

TEST_F(MapViewTest, ThePanelShowsEachPropertyInTheLabelOfItsMeaning) {
    State().MapGrid.Set(499, 499, 3);  // Shallow Water: MP 1, Vis 0, Att -2, Def -2
    Main().MapImageMouseMove(ViewCellNumber(5, 5));
    EXPECT_EQ(Text(Main().TileTypeLabel), "Shallow Water");
    EXPECT_EQ(Text(Main().MPLabel), "1");
    EXPECT_EQ(Text(Main().VisAdjLabel), "0");
    EXPECT_EQ(Text(Main().AttAdjLabel), "-2");
    EXPECT_EQ(Text(Main().DefAdjLabel), "-2");
    EXPECT_EQ(Text(Main().AbsoluteCoords), "(499, 499)");
    EXPECT_EQ(Text(Main().RelativeCoords), "0N, 0E");
}

TEST_F(MapViewTest, TheFarCornerOfTheLargeLayoutShowsTheLastMapCell) {
    Click(&TMainForm::LargeResClick);
    State().MapGrid.Set(998, 998, 2);
    SetPositions(982, 984);
    EXPECT_EQ(PictureOf(288), BitmapKey("Wall"));
    Main().MapImageMouseMove(288);
    EXPECT_EQ(Text(Main().AbsoluteCoords), "(998, 998)");
    EXPECT_EQ(Text(Main().RelativeCoords), "499S, 499E");
}

TEST_F(MapViewTest, MovingOntoTheWindowBackgroundEmptiesThePanelButNotTheCaptions) {
    Main().MapImageMouseMove(1);
    Main().ClearCellInfo();
    for (QLabel* label :
         {Main().TileTypeLabel, Main().MPLabel, Main().VisAdjLabel, Main().AttAdjLabel,
          Main().DefAdjLabel, Main().AbsoluteCoords, Main().RelativeCoords}) {
        EXPECT_TRUE(label->text().isEmpty()) << label->objectName().toStdString();
    }
    EXPECT_EQ(Text(Main().MPFixed), "MP's:");
    EXPECT_EQ(Text(Main().AbsolutePositionLabel), "Absolute Position");
    EXPECT_EQ(Text(Main().RelativePositionLabel), "Relative Position");
}

TEST_F(MapViewTest, OnlyThePointerOverTheBareBackgroundClearsThePanel) {
    const auto moveTo = [&](QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, Main().Client->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Main().Client, &move);
    };
    Main().MapImageMouseMove(1);
    moveTo(Main().TileTypeLabel->geometry().center());  // over a label: nothing changes
    EXPECT_EQ(Text(Main().AbsoluteCoords), "(495, 495)");
    moveTo(QPoint(5, 5));  // the margin left of the cells
    EXPECT_TRUE(Text(Main().AbsoluteCoords).isEmpty());
    EXPECT_TRUE(Text(Main().TileTypeLabel).isEmpty());
}

TEST_F(MapViewTest, ScrollingRefreshesTheCellsAndSettingTheSamePositionDoesNot) {
    State().MapGrid.Set(496 - 1, 500 - 1, 1);  // shown in the top-left cell at H 496, V 500
    Main().MapScrollVertical->setValue(500);
    EXPECT_EQ(PictureOf(1), BitmapKey("Open"));
    // A refresh would show the new code; setting the same position must not run one.
    State().MapGrid.Set(495, 499, 2);
    Main().MapScrollVertical->setValue(500);
    EXPECT_EQ(PictureOf(1), BitmapKey("Open"));
    Main().MapScrollHorizontal->triggerAction(QScrollBar::SliderSingleStepAdd);
    EXPECT_EQ(Main().MapScrollHorizontal->value(), 497);
    Main().MapScrollHorizontal->triggerAction(QScrollBar::SliderSingleStepSub);
    EXPECT_EQ(PictureOf(1), BitmapKey("Wall"));
    Main().MapScrollHorizontal->triggerAction(QScrollBar::SliderPageStepAdd);
    EXPECT_EQ(Main().MapScrollHorizontal->value(), 500);
}

TEST_F(MapViewTest, HiddenCellsAreNotTouchedByARefresh) {
    const qint64 before = PictureOf(ViewCellNumber(1, 10));
    State().MapGrid.Set(495 + 9, 495, 2);
    Main().RefreshMapCells();
    EXPECT_EQ(PictureOf(ViewCellNumber(1, 10)), before);
    EXPECT_TRUE(Image(ViewCellNumber(1, 10)).isHidden());
}

TEST_F(MapViewTest, CodesThatNameNoTileShowTheNoTilePictureAndTheirCodeWithoutAnError) {
    const std::int32_t damaged[] = {-1, 151, 2147483647, -2147483647 - 1, 40, 30};
    for (const std::int32_t code : damaged) {
        State().MapGrid.Set(495, 495, code);
        Main().RefreshMapCells();
        EXPECT_EQ(PictureOf(1), program->Bitmaps().NoTile().cacheKey()) << code;
        Main().MapImageMouseMove(1);
        EXPECT_EQ(Text(Main().TileTypeLabel), QStringLiteral("No tile (code %1)").arg(code));
        EXPECT_TRUE(Text(Main().MPLabel).isEmpty());
        EXPECT_EQ(Text(Main().AbsoluteCoords), "(495, 495)");
    }
    EXPECT_TRUE(prompts.Errors.isEmpty());
}

// A map opened in the middle of a merge shows its marked cells as conflicts,
// with the picture the rendered pictures show, in every tile set.
TEST_F(MapViewTest, MarkedCellsOfAnOpenedMapShowAsMergeConflicts) {
    const TilePictures pictures;
    for (const std::int32_t tileSet : {Dungeon, StarportPalloran}) {
        MapGrid grid;
        grid.Set(499, 499, kConflictMark);
        grid.Set(500, 499, 1);
        const std::string path = PathIn("merging.map");
        testing_files::WriteWholeFile(path, WriteMapFile(grid, tileSet, kProgramVersion));
        Main().OpenMapFile(path);
        const int marked = ViewCellNumber(5, 5);  // (499, 499) after centring
        EXPECT_EQ(PictureOf(marked), program->Bitmaps().Conflict().cacheKey()) << tileSet;
        EXPECT_EQ(Image(marked).Picture().toImage().convertToFormat(QImage::Format_RGB32),
                  pictures.Conflict());
        Main().MapImageMouseMove(marked);
        EXPECT_EQ(Text(Main().TileTypeLabel), "Merge conflict (code -777777777)") << tileSet;
        for (QLabel* label :
             {Main().MPLabel, Main().VisAdjLabel, Main().AttAdjLabel, Main().DefAdjLabel}) {
            EXPECT_TRUE(Text(label).isEmpty()) << label->objectName().toStdString();
        }
        EXPECT_EQ(Text(Main().AbsoluteCoords), "(499, 499)");
        Main().MapImageMouseMove(ViewCellNumber(5, 6));
        EXPECT_NE(Text(Main().TileTypeLabel), "Merge conflict (code -777777777)");
    }
    EXPECT_TRUE(prompts.Errors.isEmpty());
}

TEST_F(MapViewTest, ACodeLeftFromAnEarlierTileSetShowsWhatThatSetWrote) {
    Click(&TMainForm::StarportPalloranClick);
    State().MapGrid.Set(495, 495, 16);  // defined by the dungeon set only
    Main().RefreshMapCells();
    EXPECT_EQ(PictureOf(1), BitmapKey("Bottomless"));
    Main().MapImageMouseMove(1);
    EXPECT_EQ(Text(Main().TileTypeLabel), "Bottomless Pit");
}

TEST_F(MapViewTest, CentringPutsTheMapCentreInTheCentreCellOfEachLayout) {
    struct Case {
        void (TMainForm::*Layout)();
        int H, V, Row, Column;
    };
    const Case cases[] = {{&TMainForm::SmallResClick, 496, 496, 5, 5},
                          {&TMainForm::MedResClick, 494, 495, 6, 7},
                          {&TMainForm::LargeResClick, 492, 493, 8, 9}};
    State().MapGrid.Set(499, 499, 2);
    for (const Case& c : cases) {
        Click(c.Layout);
        SetPositions(1, 1);
        Main().CentreMapView();
        EXPECT_EQ(Main().MapScrollHorizontal->value(), c.H);
        EXPECT_EQ(Main().MapScrollVertical->value(), c.V);
        EXPECT_EQ(PictureOf(ViewCellNumber(c.Row, c.Column)), BitmapKey("Wall"));
    }
}

}  // namespace
}  // namespace velmora
