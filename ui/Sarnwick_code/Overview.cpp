// The colour overview of the main window: the button that switches between
// the view and the overview, the overview's own scroll bars, and the painting
// of one coloured cell per map cell from the current tile set's table.
#include "ui/Sarnwick_code/Sarnwick_code.h"

#include "core/document/EditorState.h"
#include "core/overview/OverviewMapping.h"
#include "core/overview/OverviewPainter.h"
#include "core/tiles/TileSet.h"
#include "ui/OverviewGrid.h"

#include <QPushButton>
#include <QScrollBar>

#include <array>
#include <cstddef>

namespace velmora {
namespace {

const QString kShowOverviewCaption = QStringLiteral("Map Overview");
const QString kShowViewCaption = QStringLiteral("Normal Map");

void PlaceScrollBar(QScrollBar& bar, const ScrollBarPlacement& placement) {
    if (bar.orientation() == Qt::Vertical) {
        bar.setGeometry(placement.Offset, kScrollBarStart, kScrollBarThickness, placement.Length);
    } else {
        bar.setGeometry(kScrollBarStart, placement.Offset, placement.Length, kScrollBarThickness);
    }
    bar.setRange(kScrollBarMinimum, placement.Max);
    bar.setSingleStep(kScrollBarArrowStep);
    bar.setPageStep(placement.PageStep);
}

// One painter per tile set, made once: every repaint draws thousands of cells.
const OverviewPainter& PainterOf(const std::int32_t tileSet) {
    static const std::array<OverviewPainter, kTileSetCount> painters = {
        OverviewPainter(Dungeon, kOverviewCellPitch), OverviewPainter(OpenVL, kOverviewCellPitch),
        OverviewPainter(OpenCarrowmere, kOverviewCellPitch),
        OverviewPainter(OpenYSR, kOverviewCellPitch),
        OverviewPainter(StarportPalloran, kOverviewCellPitch)};
    return painters[static_cast<std::size_t>(tileSet)];
}

}  // namespace

void TMainForm::CreateOverviewControls() {
    // The window is designed in the large arrangement; the start-up layout
    // rearranges everything before the window is first seen.
    const ScreenLayoutValues& design = LayoutValues(ScreenLayout::Large);

    OverviewGrid = new TOverviewGrid(Client);
    OverviewGrid->setObjectName(QStringLiteral("OverviewGrid"));
    OverviewGrid->setGeometry(kOverviewGridLeft, kOverviewGridTop, design.OverviewGridWidth,
                              design.OverviewGridHeight);
    OverviewGrid->SetCells(design.OverviewColumns, design.OverviewRows);
    OverviewGrid->hide();

    OverviewScrollHorizontal = new QScrollBar(Qt::Horizontal, Client);
    OverviewScrollHorizontal->setObjectName(QStringLiteral("OverviewScrollHorizontal"));
    PlaceScrollBar(*OverviewScrollHorizontal, design.OverviewScrollHorizontal);
    OverviewScrollHorizontal->hide();
    OverviewScrollVertical = new QScrollBar(Qt::Vertical, Client);
    OverviewScrollVertical->setObjectName(QStringLiteral("OverviewScrollVertical"));
    PlaceScrollBar(*OverviewScrollVertical, design.OverviewScrollVertical);
    OverviewScrollVertical->hide();

    OverviewButton = new QPushButton(kShowOverviewCaption, Client);
    OverviewButton->setObjectName(QStringLiteral("OverviewButton"));
    OverviewButton->setGeometry(design.OverviewButton.Left, design.OverviewButton.Top,
                                kOverviewButtonSize.Width, kOverviewButtonSize.Height);

    connect(OverviewScrollHorizontal, &QScrollBar::valueChanged, this,
            [this] { Run([this] { OverviewScrollHorizontalChange(); }); });
    connect(OverviewScrollVertical, &QScrollBar::valueChanged, this,
            [this] { Run([this] { OverviewScrollVerticalChange(); }); });
    connect(OverviewButton, &QPushButton::clicked, this,
            [this] { Run([this] { OverviewButtonClick(); }); });
}

void TMainForm::OverviewButtonClick() {
    if (OverviewShown()) {
        OverviewGrid->hide();
        OverviewScrollHorizontal->hide();
        OverviewScrollVertical->hide();
        OverviewButton->setText(kShowOverviewCaption);
        RefreshMapCells();
        return;
    }
    OverviewGrid->show();
    // The view's middle cell goes into the overview's middle cell; the scroll
    // bars clamp the origin at the map's edges, and each change repaints.
    const OverviewOrigin origin = OverviewOriginFor(
        MapScrollHorizontal->value(), MapScrollVertical->value(), state_.VisibleColumns,
        state_.VisibleRows, OverviewGrid->Columns(), OverviewGrid->Rows());
    OverviewScrollHorizontal->setValue(origin.Horizontal);
    OverviewScrollVertical->setValue(origin.Vertical);
    OverviewScrollHorizontal->show();
    OverviewScrollVertical->show();
    OverviewButton->setText(kShowViewCaption);
    PaintOverview();
}

void TMainForm::OverviewScrollHorizontalChange() {
    PaintOverview();
}

void TMainForm::OverviewScrollVerticalChange() {
    PaintOverview();
}

void TMainForm::PaintOverview() {
    const std::int32_t tileSet = state_.CurrentTileSet;
    if (!IsKnownTileSet(tileSet)) {
        return;
    }
    TOverviewGrid& grid = *OverviewGrid;
    grid.FitPicture();
    // A layout switch changes the cell counts before the scroll ranges, so
    // for a moment the overview may reach past the map; the painter shows
    // the background there.
    const MapCell first = OverviewCellToMapCell(OverviewScrollHorizontal->value(),
                                                OverviewScrollVertical->value(), 0, 0);
    PainterOf(tileSet).Paint(
        state_.MapGrid, CellArea{first.X, first.Y, grid.Columns(), grid.Rows()}, grid.Canvas());
    grid.update();
}

bool TMainForm::OverviewShown() const {
    return !OverviewGrid->isHidden();
}

}  // namespace velmora
