// An image control: shows a picture unscaled from its top-left corner and
// reports pointer moves, left clicks and right clicks. The map view's cells
// and the palette's slots are image controls.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace velmora {

class TImage : public QWidget {
    Q_OBJECT

public:
    explicit TImage(QWidget* parent);

    // Sharing the pixmap is cheap; an unchanged picture repaints nothing.
    void SetPicture(const QPixmap& picture);
    // For callers that change many images and then repaint them in one go:
    // a separate invalidation per image costs more than drawing them.
    // Returns whether the picture changed.
    bool SetPictureWithoutRepaint(const QPixmap& picture);
    const QPixmap& Picture() const { return picture_; }

signals:
    void Clicked();
    void MouseMoved();
    void RightClicked(QPoint globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QPixmap picture_;
    bool leftPressed_ = false;
};

}  // namespace velmora
