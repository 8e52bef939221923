// The colour overview of the main window: the button that switches between
// the view and the overview, the overview's own scroll bars, and the painting
// of one coloured cell per map cell from the current tile set's table.
#include "ui/Sarnwick_code/Sarnwick_code.h"

#include "core/document/EditorState.h"
#include "core/overview/OverviewMapping.h"
#include "core/overview/OverviewStyle.h"
#include "core/tiles/TileSet.h"
#include "ui/OverviewGrid.h"

#include <QPushButton>
#include <QScrollBar>

#include <array>
#include <cstddef>
#include <optional>

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

// The drawings of one tile set's catalogue codes, turned into pixels once:
// the tables are fixed, and every repaint looks up thousands of cells.
class OverviewPalette {
public:
    explicit OverviewPalette(const std::int32_t tileSet) : tileSet_(tileSet) {
        for (std::int32_t code = 0; code < kCatalogueSize; ++code) {
            if (const std::optional<OverviewDrawing> drawing = FindOverviewDrawing(tileSet, code)) {
                paints_[static_cast<std::size_t>(code)] = CellPaintOf(*drawing);
            }
        }
    }

    // Nothing for a code without a drawing. A code outside the catalogue,
    // which only a damaged file holds, is drawn into the spare paint.
    const CellPaint* Find(const std::int32_t code, CellPaint& spare) const {
        if (TileCatalogue::InRange(code)) {
            const std::optional<CellPaint>& paint = paints_[static_cast<std::size_t>(code)];
            return paint ? &*paint : nullptr;
        }
        const std::optional<OverviewDrawing> drawing = FindOverviewDrawing(tileSet_, code);
        if (!drawing) {
            return nullptr;
        }
        spare = CellPaintOf(*drawing);
        return &spare;
    }

private:
    std::int32_t tileSet_;
    std::array<std::optional<CellPaint>, kCatalogueSize> paints_;
};

const OverviewPalette& PaletteOf(const std::int32_t tileSet) {
    static const std::array<OverviewPalette, kTileSetCount> palettes = {
        OverviewPalette(Dungeon), OverviewPalette(OpenVL), OverviewPalette(OpenCarrowmere),
        OverviewPalette(OpenYSR), OverviewPalette(StarportPalloran)};
    return palettes[static_cast<std::size_t>(tileSet)];
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
    const OverviewPalette& palette = PaletteOf(tileSet);
    TOverviewGrid& grid = *OverviewGrid;
    grid.FitPicture();
    CellPaint spare;
    const int oh = OverviewScrollHorizontal->value();
    const int ov = OverviewScrollVertical->value();
    for (int row = 0; row < grid.Rows(); ++row) {
        for (int column = 0; column < grid.Columns(); ++column) {
            // A layout switch changes the cell counts before the scroll
            // ranges, so for a moment the overview may reach past the map.
            const MapCell cell = OverviewCellToMapCell(oh, ov, column, row);
            const CellPaint* const paint =
                MapGrid::Contains(cell.X, cell.Y)
                    ? palette.Find(state_.MapGrid.At(cell.X, cell.Y), spare)
                    : nullptr;
            if (paint != nullptr) {
                grid.PaintCell(column, row, *paint);
            } else {
                grid.ClearCell(column, row);
            }
        }
    }
    grid.update();
}

bool TMainForm::OverviewShown() const {
    return !OverviewGrid->isHidden();
}

}  // namespace velmora
