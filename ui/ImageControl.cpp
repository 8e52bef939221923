// Painting and pointer events of the image control.
#include "ui/ImageControl.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

namespace velmora {

TImage::TImage(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TImage::SetPicture(const QPixmap& picture) {
    if (SetPictureWithoutRepaint(picture)) {
        update();
    }
}

bool TImage::SetPictureWithoutRepaint(const QPixmap& picture) {
    if (picture.cacheKey() == picture_.cacheKey()) {
        return false;
    }
    picture_ = picture;
    return true;
}

void TImage::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

void TImage::mousePressEvent(QMouseEvent* event) {
    leftPressed_ = event->button() == Qt::LeftButton;
}

void TImage::mouseReleaseEvent(QMouseEvent* event) {
    // A click is a press and a release of the left button over the control.
    const bool click = leftPressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    leftPressed_ = false;
    if (click) {
        emit Clicked();
    }
}

void TImage::mouseMoveEvent(QMouseEvent*) {
    emit MouseMoved();
}

void TImage::contextMenuEvent(QContextMenuEvent* event) {
    emit RightClicked(event->globalPos());
}

}  // namespace velmora
