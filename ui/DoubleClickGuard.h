// A double click is two clicks aimed at one spot. When the first click opens,
// closes or moves a window (a cell opens the palette over itself, a slot
// closes it, a menu item closes its menu), the second lands on whatever window
// is under the pointer then: it would place the slot under the cell, open the
// palette for the cell under a slot or a menu item, or scroll the bar there,
// none of which the map maker aimed at. So the second click of a double click
// reaches a window only when the first one pressed in that same window.
#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace velmora {

class DoubleClickGuard : public QObject {
    Q_OBJECT

public:
    // Watches every event of the application while it lives.
    explicit DoubleClickGuard(QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> pressedWindow_;  // the window of the last press
    bool droppingRelease_ = false;     // the release that ends a dropped second click
};

}  // namespace velmora
