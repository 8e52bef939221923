// The overview's drawing surface: columns and rows of 10 x 10 pixel cells
// with 1-pixel grid lines on silver, inside a sunken frame. The picture lives
// in an off-screen image that every exposure copies, so it comes back after
// the window system erased it; the overview painter draws into it directly.
#pragma once

#include "core/overview/OverviewPainter.h"

#include <QImage>
#include <QWidget>

namespace velmora {

class TOverviewGrid : public QWidget {
    Q_OBJECT

public:
    // Width of the sunken frame around the cells, on each side.
    static constexpr int kFrameWidth = 2;
    static constexpr QRgb kBackground = OpaquePixel(kOverviewBackground);
    static constexpr QRgb kGridLine = OpaquePixel(kOverviewGridLine);

    explicit TOverviewGrid(QWidget* parent);

    void SetCells(int columns, int rows);
    int Columns() const { return columns_; }
    int Rows() const { return rows_; }

    // Makes the picture fit the grid's current size and cell counts. A
    // picture that has to change size starts over with empty cells.
    void FitPicture();
    // The picture's pixels for the overview painter, from cell (0, 0) on.
    PixelCanvas Canvas();

    // The cells and grid lines, the frame excluded: pixel (0, 0) is the
    // top-left pixel of cell (0, 0). It may reach beyond what the grid shows.
    const QImage& Picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    int columns_ = 0;
    int rows_ = 0;
    QImage picture_;
};

}  // namespace velmora
