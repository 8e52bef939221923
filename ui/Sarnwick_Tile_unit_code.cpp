// Layout and behaviour of the palette window.
#include "ui/Sarnwick_Tile_unit_code.h"

#include "core/document/EditorState.h"
#include "ui/Sarnwick_code/Sarnwick_code.h"
#include "ui/WindowFrame.h"

#include <QCloseEvent>

namespace velmora {
namespace {

constexpr QSize kOuterSize{416, 290};

}  // namespace

TTileForm::TTileForm(EditorState& state, TMainForm& mainForm)
    : QWidget(nullptr), state_(state), mainForm_(mainForm) {
    setObjectName(QStringLiteral("TileForm"));
    setWindowTitle(QStringLiteral("TileForm"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint |
                   Qt::WindowTitleHint);
    setFont(WindowFont());
    SetOuterSize(*this, kOuterSize);
    MoveFrameTo(*this, 112, 95);
}

void TTileForm::FormClose() {
    mainForm_.setEnabled(true);
    hide();
}

void TTileForm::closeEvent(QCloseEvent* event) {
    event->ignore();  // the window lives for the whole run
    FormClose();
}

void TTileForm::showEvent(QShowEvent* event) {
    SetOuterSize(*this, kOuterSize);
    QWidget::showEvent(event);
}

}  // namespace velmora
