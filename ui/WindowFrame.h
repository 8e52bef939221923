// Helpers for the fixed-size windows: their sizes are given as outer frame
// sizes, and the client area is what remains inside the decorations that
// the window system reports.
#pragma once

#include <QSize>

class QFont;
class QWidget;

namespace velmora {

// Fixes the window's size so that its frame measures outer, and keeps it so
// once the window system has reported the window's decorations.
void SetOuterSize(QWidget& window, QSize outer);

// Moves the window so that its frame's top-left corner is at the point.
void MoveFrameTo(QWidget& window, int left, int top);

// "MS Sans Serif", 11 pixels: the default text of every window.
QFont WindowFont();

// "Lucida Calligraphy", 13 pixels, bold: the labels of the information panel.
QFont PanelFont();

// Maps the two design families onto close installed ones, so the windows
// look intended where the originals are missing.
void InstallFontSubstitutes();

}  // namespace velmora
