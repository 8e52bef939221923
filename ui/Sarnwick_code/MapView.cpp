// The map view, the screen layouts and the overview of the main window.
#include "ui/Sarnwick_code/Sarnwick_code.h"

#include "core/document/EditorState.h"
#include "ui/WindowFrame.h"

#include <QScrollBar>

namespace velmora {

void TMainForm::RefreshMapCells() {}

void TMainForm::CentreMapView() {
    MapScrollHorizontal->setValue(500 - (state_.VisibleColumns - 1) / 2);
    MapScrollVertical->setValue(500 - (state_.VisibleRows - 1) / 2);
}

void TMainForm::PaintOverview() {}

bool TMainForm::OverviewShown() const {
    return false;
}

void TMainForm::SmallResClick() {
    state_.VisibleColumns = 9;
    state_.VisibleRows = 9;
    outerSize_ = QSize(640, 452);
    MoveFrameTo(*this, 0, 0);
    SetOuterSize(*this, outerSize_);
    SmallRes->setChecked(true);
}

void TMainForm::MedResClick() {
    state_.VisibleColumns = 13;
    state_.VisibleRows = 12;
    outerSize_ = QSize(800, 572);
    MoveFrameTo(*this, 0, 0);
    SetOuterSize(*this, outerSize_);
    MedRes->setChecked(true);
}

void TMainForm::LargeResClick() {
    state_.VisibleColumns = 18;
    state_.VisibleRows = 16;
    outerSize_ = QSize(1024, 740);
    MoveFrameTo(*this, 0, 0);
    SetOuterSize(*this, outerSize_);
    LargeRes->setChecked(true);
}

}  // namespace velmora
