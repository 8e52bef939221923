// The window system delivers a double click's second press as the double
// click event alone, to the widget under the pointer, then its release.
#include "ui/DoubleClickGuard.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace velmora {

DoubleClickGuard::DoubleClickGuard(QObject* parent) : QObject(parent) {
    qApp->installEventFilter(this);
}

bool DoubleClickGuard::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType()) {
        return false;
    }
    QWidget* window = static_cast<QWidget*>(watched)->window();
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            pressedWindow_ = window;
            droppingRelease_ = false;
            return false;
        case QEvent::MouseButtonDblClick:
            droppingRelease_ = window != pressedWindow_;
            return droppingRelease_;
        case QEvent::MouseButtonRelease: {
            const bool drop = droppingRelease_;
            droppingRelease_ = false;
            return drop;
        }
        default:
            return false;
    }
}

}  // namespace velmora
