// The overview's drawing surface: columns and rows of 10 x 10 pixel cells
// with 1-pixel grid lines on silver, inside a sunken frame. The picture lives
// in an off-screen image that every exposure copies, so it comes back after
// the window system erased it; cells are stamped into the image directly.
#pragma once

#include "core/overview/OverviewMapping.h"
#include "core/overview/OverviewStyle.h"

#include <QImage>
#include <QWidget>

#include <array>

namespace velmora {

// The 10 x 10 pixels of one cell's drawing, row after row, mark included,
// so that stamping a cell copies ten short rows.
struct CellPaint {
    std::array<QRgb, kOverviewCellSize * kOverviewCellSize> Pixels{};
};

CellPaint CellPaintOf(const OverviewDrawing& drawing);

class TOverviewGrid : public QWidget {
    Q_OBJECT

public:
    // Width of the sunken frame around the cells, on each side.
    static constexpr int kFrameWidth = 2;
    static constexpr QRgb kBackground = 0xFFC0C0C0;
    static constexpr QRgb kGridLine = 0xFF808080;

    explicit TOverviewGrid(QWidget* parent);

    void SetCells(int columns, int rows);
    int Columns() const { return columns_; }
    int Rows() const { return rows_; }

    // Makes the picture fit the grid's current size and cell counts. A
    // picture that has to change size starts over with empty cells.
    void FitPicture();
    // Column and row count from 0 and must lie within the cell counts.
    void PaintCell(int column, int row, const CellPaint& paint);
    // Shows the grid's background in the cell.
    void ClearCell(int column, int row);

    // The cells and grid lines, the frame excluded: pixel (0, 0) is the
    // top-left pixel of cell (0, 0). It may reach beyond what the grid shows.
    const QImage& Picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void DrawGridLines();

    int columns_ = 0;
    int rows_ = 0;
    QImage picture_;
};

}  // namespace velmora
