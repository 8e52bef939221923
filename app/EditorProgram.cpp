// Start-up of the editor, in the order its windows depend on each other.
#include "app/EditorProgram.h"

#include "core/document/EditorState.h"
#include "ui/DoubleClickGuard.h"
#include "ui/Sarnwick_Credits_unit_code.h"
#include "ui/Sarnwick_Dialog_unit_code.h"
#include "ui/Sarnwick_New_Map_unit_code.h"
#include "ui/Sarnwick_Tile_unit_code.h"
#include "ui/Sarnwick_code/Sarnwick_code.h"
#include "ui/TileBitmaps.h"
#include "ui/WindowFrame.h"

#include <QApplication>

namespace velmora {

void PrepareApplication() {
    // Only the name: a display name would be appended by Qt to every window's
    // caption, and the captions are the program's own.
    QApplication::setApplicationName(QStringLiteral("Velmora Mapping Program"));
    InstallFontSubstitutes();
}

EditorProgram::EditorProgram(UserPrompts& prompts)
    : doubleClickGuard_(std::make_unique<DoubleClickGuard>()),
      state_(std::make_unique<EditorState>()),
      bitmaps_(std::make_unique<TileBitmaps>()),
      mainForm_(std::make_unique<TMainForm>(*state_, prompts, *bitmaps_)),
      creditsForm_(std::make_unique<TCreditsForm>(mainForm_.get())),
      newMapForm_(std::make_unique<TNewMapForm>(*state_, *mainForm_)),
      tileForm_(std::make_unique<TTileForm>(*state_, *mainForm_, *bitmaps_)),
      dialogForm_(std::make_unique<TDialogForm>()) {
    mainForm_->AttachWindows(*creditsForm_, *newMapForm_, *tileForm_, *dialogForm_);
}

// The secondary windows refer to the main window, so they go first.
EditorProgram::~EditorProgram() {
    dialogForm_.reset();
    tileForm_.reset();
    newMapForm_.reset();
    creditsForm_.reset();
    mainForm_.reset();
    bitmaps_.reset();
}

}  // namespace velmora
