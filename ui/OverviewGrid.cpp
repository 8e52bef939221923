// Keeping the overview's picture and copying it to the screen.
#include "ui/OverviewGrid.h"

#include "core/tiles/TileSet.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace velmora {
namespace {

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
    OverviewPainter(kTileSetCount, kOverviewCellPitch).PaintEmpty(columns_, rows_, Canvas());
    update();
}

PixelCanvas TOverviewGrid::Canvas() {
    return PixelCanvas{reinterpret_cast<Argb32*>(picture_.bits()),
                       picture_.bytesPerLine() / qsizetype{sizeof(Argb32)}};
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
