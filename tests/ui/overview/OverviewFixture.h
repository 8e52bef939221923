// A started editor with helpers to open the overview and read its picture:
// the colour of one pixel of an overview cell, or of the cell showing a
// given map cell.
#pragma once

#include "EditorFixture.h"

#include "ui/OverviewGrid.h"

#include <QImage>
#include <QPushButton>
#include <QScrollBar>

namespace velmora {

constexpr QRgb kSilver = qRgb(192, 192, 192);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kBrown = qRgb(109, 74, 48);

class OverviewTest : public EditorTest {
protected:
    TOverviewGrid& Grid() { return *Main().OverviewGrid; }
    QScrollBar& OverviewH() { return *Main().OverviewScrollHorizontal; }
    QScrollBar& OverviewV() { return *Main().OverviewScrollVertical; }
    int H() { return Main().MapScrollHorizontal->value(); }
    int V() { return Main().MapScrollVertical->value(); }

    void Toggle() { Click(&TMainForm::OverviewButtonClick); }
    void SetViewPositions(int h, int v) {
        Main().MapScrollHorizontal->setValue(h);
        Main().MapScrollVertical->setValue(v);
    }
    void SetOverviewPositions(int oh, int ov) {
        OverviewH().setValue(oh);
        OverviewV().setValue(ov);
    }

    // Cells are 10 pixels with a 1-pixel line after each, so column j starts
    // at pixel 11 j; (dx, dy) counts from the cell's top-left pixel.
    QRgb CellPixel(int column, int row, int dx = 5, int dy = 5) {
        return Grid().Picture().pixel(11 * column + dx, 11 * row + dy);
    }
    // The overview cell that shows map cell (x, y) at the current positions.
    QRgb MapCellPixel(int x, int y, int dx = 5, int dy = 5) {
        return CellPixel(x - OverviewH().value() + 1, y - OverviewV().value() + 1, dx, dy);
    }
};

}  // namespace velmora
