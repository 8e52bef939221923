// Keeping the overview's picture and copying it to the screen.
#include "ui/OverviewGrid.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace velmora {
namespace {

QRgb PixelOf(const Colour colour) {
    return qRgb(colour.Red(), colour.Green(), colour.Blue());
}

// The classic sunken look: dark lines top and left, light ones bottom and right.
void DrawSunkenFrame(QPainter& painter, const QRect& outer) {
    const QColor outerShadow(128, 128, 128);
    const QColor innerShadow(64, 64, 64);
    const QColor outerLight(255, 255, 255);
    const QColor innerLight(212, 208, 200);
    const auto edge = [&painter](const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    };
    edge(outer, outerShadow, outerLight);
    edge(outer.adjusted(1, 1, -1, -1), innerShadow, innerLight);
}

}  // namespace

CellPaint CellPaintOf(const OverviewDrawing& drawing) {
    CellPaint paint;
    paint.Pixels.fill(PixelOf(drawing.Fill));
    const QRgb mark = PixelOf(drawing.MarkColour);
    for (const PixelRect& r : MarkRectangles(drawing.Mark, kOverviewCellSize, kOverviewCellSize)) {
        for (int y = r.Top; y < r.Bottom; ++y) {
            std::fill_n(&paint.Pixels[static_cast<std::size_t>(y * kOverviewCellSize + r.Left)],
                        r.Right - r.Left, mark);
        }
    }
    return paint;
}

TOverviewGrid::TOverviewGrid(QWidget* parent) : QWidget(parent) {
    // The picture covers every pixel, so nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Pointer moves end here rather than reaching the view cells' parent.
    setMouseTracking(true);
}

void TOverviewGrid::SetCells(const int columns, const int rows) {
    columns_ = columns;
    rows_ = rows;
    FitPicture();
}

void TOverviewGrid::FitPicture() {
    const int innerWidth = std::max(0, width() - 2 * kFrameWidth);
    const int innerHeight = std::max(0, height() - 2 * kFrameWidth);
    const QSize size(std::max(innerWidth, kOverviewCellPitch * columns_),
                     std::max(innerHeight, kOverviewCellPitch * rows_));
    if (picture_.size() == size) {
        return;
    }
    picture_ = QImage(size, QImage::Format_RGB32);
    picture_.fill(kBackground);
    DrawGridLines();
    update();
}

void TOverviewGrid::DrawGridLines() {
    const int right = kOverviewCellPitch * columns_;
    const int bottom = kOverviewCellPitch * rows_;
    for (int row = 0; row < rows_; ++row) {
        auto* const line =
            reinterpret_cast<QRgb*>(picture_.scanLine(OverviewCellTop(row) + kOverviewCellSize));
        std::fill_n(line, right, kGridLine);
    }
    for (int y = 0; y < bottom; ++y) {
        auto* const line = reinterpret_cast<QRgb*>(picture_.scanLine(y));
        for (int column = 0; column < columns_; ++column) {
            line[OverviewCellLeft(column) + kOverviewCellSize] = kGridLine;
        }
    }
}

void TOverviewGrid::PaintCell(const int column, const int row, const CellPaint& paint) {
    const qsizetype stride = picture_.bytesPerLine() / qsizetype{sizeof(QRgb)};
    QRgb* line = reinterpret_cast<QRgb*>(picture_.bits()) + stride * OverviewCellTop(row) +
                 OverviewCellLeft(column);
    const QRgb* source = paint.Pixels.data();
    for (int y = 0; y < kOverviewCellSize; ++y, line += stride, source += kOverviewCellSize) {
        std::memcpy(line, source, sizeof(QRgb) * kOverviewCellSize);
    }
}

void TOverviewGrid::ClearCell(const int column, const int row) {
    static const CellPaint background = [] {
        CellPaint paint;
        paint.Pixels.fill(kBackground);
        return paint;
    }();
    PaintCell(column, row, background);
}

void TOverviewGrid::paintEvent(QPaintEvent*) {
    FitPicture();
    QPainter painter(this);
    const QRect inner = rect().adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth);
    painter.drawImage(inner.topLeft(), picture_, QRect(QPoint(0, 0), inner.size()));
    DrawSunkenFrame(painter, rect());
}

// The overview reacts to no clicks of its own, and nothing under it may
// see the pointer while it is shown.
void TOverviewGrid::mousePressEvent(QMouseEvent* event) {
    event->accept();
}
void TOverviewGrid::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}
void TOverviewGrid::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}

}  // namespace velmora
