// The map view of the main window: the 288 cell images over the grid, the
// scroll bars, the information panel and the three screen layouts.
#include "ui/Sarnwick_code/Sarnwick_code.h"

#include "core/document/EditorState.h"
#include "core/merge/MapMerge.h"
#include "core/placement/Placement.h"
#include "core/tiles/TileNames.h"
#include "core/view/CoordinateText.h"
#include "core/view/ViewMapping.h"
#include "ui/ImageControl.h"
#include "ui/OverviewGrid.h"
#include "ui/Sarnwick_Tile_unit_code.h"
#include "ui/TileBitmaps.h"
#include "ui/WindowFrame.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>

#include <string_view>

namespace velmora {
namespace {

// What the panel names a cell that holds the conflict mark of an unfinished
// merge, so that the map maker finds it and places the right tile; %1 stands
// for the code.

QString TextOf(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* NewPanelLabel(QWidget* parent, const char* name, const char* text) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(PanelFont());
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->adjustSize();
    return label;
}

QLabel* NewCentredLabel(QWidget* parent, const char* name, const char* text, ControlSize size) {
    QLabel* label = NewPanelLabel(parent, name, text);
    label->setAlignment(Qt::AlignCenter);
    label->resize(size.Width, size.Height);
    return label;
}

// The labels whose width follows their text.
void SetAutoSizedText(QLabel* label, const QString& text) {
    label->setText(text);
    label->adjustSize();
}

void Place(QWidget* widget, LabelPlacement at) {
    widget->move(at.Left, at.Top);
}

void PlaceVertical(QScrollBar* bar, const ScrollBarPlacement& at) {
    bar->setGeometry(at.Offset, kScrollBarStart, kScrollBarThickness, at.Length);
    bar->setMaximum(at.Max);
    bar->setPageStep(at.PageStep);
}

void PlaceHorizontal(QScrollBar* bar, const ScrollBarPlacement& at) {
    bar->setGeometry(kScrollBarStart, at.Offset, at.Length, kScrollBarThickness);
    bar->setMaximum(at.Max);
    bar->setPageStep(at.PageStep);
}

}  // namespace

void TMainForm::CreateViewControls() {
    for (int n = 1; n <= kViewCellCount; ++n) {
        auto* image = new TImage(Client);
        image->setObjectName(QStringLiteral("MapImage%1").arg(n));
        image->setGeometry(ViewCellLeft(ColumnOfViewCell(n)), ViewCellTop(RowOfViewCell(n)),
                           kCellImageSize, kCellImageSize);
        connect(image, &TImage::Clicked, this, [this, n] { Run([this, n] { MapImageClick(n); }); });
        connect(image, &TImage::MouseMoved, this,
                [this, n] { Run([this, n] { MapImageMouseMove(n); }); });
        MapImages[static_cast<std::size_t>(n - 1)] = image;
    }
    // The bars stand beside the cells; raise them above the overlapping last images.
    MapScrollHorizontal->raise();
    MapScrollVertical->raise();
    connect(MapScrollHorizontal, &QScrollBar::valueChanged, this,
            [this] { Run([this] { MapScrollHorizontalChange(); }); });
    connect(MapScrollVertical, &QScrollBar::valueChanged, this,
            [this] { Run([this] { MapScrollVerticalChange(); }); });

    TileTypeLabel = NewCentredLabel(Client, "TileTypeLabel", "TileTypeLabel", kWidePanelLabelSize);
    MPFixed = NewPanelLabel(Client, "MPFixed", "MP's:");
    MPLabel = NewPanelLabel(Client, "MPLabel", "1");
    AttAdjFixed = NewPanelLabel(Client, "AttAdjFixed", "Att. Adj:");
    AttAdjLabel = NewPanelLabel(Client, "AttAdjLabel", "0");
    VisAdjFixed = NewPanelLabel(Client, "VisAdjFixed", "Vis. Adj:");
    VisAdjLabel = NewPanelLabel(Client, "VisAdjLabel", "0");
    DefAdjFixed = NewPanelLabel(Client, "DefAdjFixed", "Def. Adj:");
    DefAdjLabel = NewPanelLabel(Client, "DefAdjLabel", "0");
    AbsolutePositionLabel =
        NewCentredLabel(Client, "AbsolutePositionLabel", "Absolute Position", kWidePanelLabelSize);
    AbsoluteCoords = NewCentredLabel(Client, "AbsoluteCoords", "(xxx, xxx)", kAbsoluteCoordsSize);
    RelativePositionLabel =
        NewCentredLabel(Client, "RelativePositionLabel", "Relative Position", kWidePanelLabelSize);
    RelativeCoords = NewCentredLabel(Client, "RelativeCoords", "xxx N, xxx E", kRelativeCoordsSize);

    // The window's own background clears the panel; the controls on it do not.
    Client->setMouseTracking(true);
    Client->installEventFilter(this);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    // Qt hands event filters the pointer moves of a disabled widget as well;
    // while another window is in front, the main window takes no input.
    if (watched == Client && event->type() == QEvent::MouseMove && Client->isEnabled()) {
        const auto* move = static_cast<QMouseEvent*>(event);
        if (Client->childAt(move->position().toPoint()) == nullptr) {
            Run([this] { ClearCellInfo(); });
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

const QPixmap& TMainForm::PictureOfCode(std::int32_t code) {
    if (code == kConflictMark) {
        return bitmaps_.Conflict();
    }
    // A damaged file can hold any code: codes outside the catalogue and codes
    // whose entry names no bitmap get the "no tile" picture instead of a lookup.
    const TileEntry* entry = state_.TileCatalogue.Find(code);
    if (entry == nullptr || entry->BitmapName.Empty()) {
        return bitmaps_.NoTile();
    }
    const QPixmap*& known = codePictures_[static_cast<std::size_t>(code)];
    if (known == nullptr) {
        known = &bitmaps_.Load(entry->BitmapName.View());  // a missing bitmap throws, every time
    }
    return *known;
}

void TMainForm::RefreshMapCells() {
    const int h = MapScrollHorizontal->value();
    const int v = MapScrollVertical->value();
    QRect changed;
    // Repaints the cells loaded so far however the refresh ends, so that an
    // error part-way leaves the earlier cells showing their new pictures.
    const auto repaint = qScopeGuard([&] {
        if (!changed.isNull()) {
            Client->update(changed);
        }
    });
    for (int row = 1; row <= state_.VisibleRows; ++row) {
        for (int column = 1; column <= state_.VisibleColumns; ++column) {
            const MapCell cell = ViewCellToMapCell(h, v, row, column);
            TImage* image = MapImages[static_cast<std::size_t>(ViewCellNumber(row, column) - 1)];
            if (image->SetPictureWithoutRepaint(PictureOfCode(state_.MapGrid.At(cell.X, cell.Y)))) {
                changed |= image->geometry();
            }
        }
    }
}

void TMainForm::LoadViewCellPicture(int cellNumber, std::int32_t code) {
    MapImages[static_cast<std::size_t>(cellNumber - 1)]->SetPicture(PictureOfCode(code));
}

void TMainForm::CentreMapView() {
    MapScrollHorizontal->setValue(CentreScrollPosition(state_.VisibleColumns));
    MapScrollVertical->setValue(CentreScrollPosition(state_.VisibleRows));
}

void TMainForm::MapScrollHorizontalChange() {
    RefreshMapCells();
}
void TMainForm::MapScrollVerticalChange() {
    RefreshMapCells();
}

void TMainForm::MapImageClick(int cellNumber) {
    const SelectedCellRef cell = SelectedCellOfViewCell(cellNumber);
    tileForm_->OpenPaletteForCell(cell.CellNumber, cell.Row, cell.Column);
}

void TMainForm::MapImageMouseMove(int cellNumber) {
    ShowCellInfo(RowOfViewCell(cellNumber), ColumnOfViewCell(cellNumber));
}

void TMainForm::ShowCellInfo(int row, int column) {
    const MapCell cell =
        ViewCellToMapCell(MapScrollHorizontal->value(), MapScrollVertical->value(), row, column);
    const std::int32_t code = state_.MapGrid.At(cell.X, cell.Y);
    const TileEntry* entry = state_.TileCatalogue.Find(code);
    if (entry != nullptr && !entry->IsEmpty()) {
        TileTypeLabel->setText(TextOf(entry->Name.View()));
        SetAutoSizedText(MPLabel, TextOf(entry->MP.View()));
        SetAutoSizedText(VisAdjLabel, TextOf(entry->VisAdj.View()));
        SetAutoSizedText(AttAdjLabel, TextOf(entry->AttAdj.View()));
        SetAutoSizedText(DefAdjLabel, TextOf(entry->DefAdj.View()));
    } else {
        const char* const name = code == kConflictMark ? kConflictMarkName : kNoTileName;
        TileTypeLabel->setText(QString::fromLatin1(name).arg(code));
        for (QLabel* label : {MPLabel, VisAdjLabel, AttAdjLabel, DefAdjLabel}) {
            SetAutoSizedText(label, QString());
        }
    }
    AbsoluteCoords->setText(QString::fromStdString(AbsoluteCoordsText(cell)));
    RelativeCoords->setText(QString::fromStdString(RelativeCoordsText(cell)));
}

void TMainForm::ClearCellInfo() {
    for (QLabel* label : {TileTypeLabel, MPLabel, VisAdjLabel, AttAdjLabel, DefAdjLabel,
                          AbsoluteCoords, RelativeCoords}) {
        label->clear();
    }
}

void TMainForm::SmallResClick() {
    ApplyScreenLayout(ScreenLayout::Small);
}
void TMainForm::MedResClick() {
    ApplyScreenLayout(ScreenLayout::Medium);
}
void TMainForm::LargeResClick() {
    ApplyScreenLayout(ScreenLayout::Large);
}

void TMainForm::ApplyScreenLayout(ScreenLayout layout) {
    const ScreenLayoutValues& to = LayoutValues(layout);

    // 1. The window.
    MoveFrameTo(*this, to.WindowLeft, to.WindowTop);
    SetOuterSize(*this, QSize(to.WindowWidth, to.WindowHeight));

    // 2. The menu's radio items.
    SmallRes->setChecked(layout == ScreenLayout::Small);
    MedRes->setChecked(layout == ScreenLayout::Medium);
    LargeRes->setChecked(layout == ScreenLayout::Large);

    // 3. Keep the centre cell's map cell in place, and show the new block of cells.
    const std::optional<ScreenLayout> from = LayoutOfVisibleColumns(state_.VisibleColumns);
    if (from != layout) {
        if (from) {
            const ScrollShift shift = LayoutShift(*from, layout);
            for (const auto& [bar, by] : {std::pair{MapScrollHorizontal, shift.Horizontal},
                                          std::pair{MapScrollVertical, shift.Vertical}}) {
                bar->setValue(
                    ClampScrollPosition(bar->value() + by, bar->minimum(), bar->maximum()));
            }
        }
        for (int n = 1; n <= kViewCellCount; ++n) {
            MapImages[static_cast<std::size_t>(n - 1)]->setVisible(
                RowOfViewCell(n) <= to.VisibleRows && ColumnOfViewCell(n) <= to.VisibleColumns);
        }
    }

    // 4. The counts.
    state_.VisibleColumns = to.VisibleColumns;
    state_.VisibleRows = to.VisibleRows;

    // 5. The map scroll bars; a maximum below the position lowers the position.
    PlaceVertical(MapScrollVertical, to.MapScrollVertical);
    PlaceHorizontal(MapScrollHorizontal, to.MapScrollHorizontal);

    // 6. The overview grid and its scroll bars.
    OverviewGrid->setGeometry(kOverviewGridLeft, kOverviewGridTop, to.OverviewGridWidth,
                              to.OverviewGridHeight);
    OverviewGrid->SetCells(to.OverviewColumns, to.OverviewRows);
    PlaceVertical(OverviewScrollVertical, to.OverviewScrollVertical);
    PlaceHorizontal(OverviewScrollHorizontal, to.OverviewScrollHorizontal);

    // 7. The information panel, the overview button and the progress display.
    Place(TileTypeLabel, to.TileTypeLabel);
    Place(MPFixed, to.MPFixed);
    Place(MPLabel, to.MPLabel);
    Place(AttAdjFixed, to.AttAdjFixed);
    Place(AttAdjLabel, to.AttAdjLabel);
    Place(VisAdjFixed, to.VisAdjFixed);
    Place(VisAdjLabel, to.VisAdjLabel);
    Place(DefAdjFixed, to.DefAdjFixed);
    Place(DefAdjLabel, to.DefAdjLabel);
    Place(AbsolutePositionLabel, to.AbsolutePositionLabel);
    Place(AbsoluteCoords, to.AbsoluteCoords);
    Place(RelativePositionLabel, to.RelativePositionLabel);
    Place(RelativeCoords, to.RelativeCoords);
    Place(OverviewButton, to.OverviewButton);
    Place(ProgressLabel, to.ProgressLabel);
    Place(ProgressBar, to.ProgressBar);

    // 8. Bring whichever is shown up to date.
    if (OverviewShown()) {
        PaintOverview();
    } else {
        RefreshMapCells();
    }
}

}  // namespace velmora
