// The running editor: the shared editor state and the five windows, created
// once in their order and kept until the program ends. The program's entry
// and the window tests start the editor the same way, through this class.
#pragma once

#include <memory>

namespace velmora {

struct EditorState;
class DoubleClickGuard;
class UserPrompts;
class TCreditsForm;
class TDialogForm;
class TMainForm;
class TNewMapForm;
class TTileForm;
class TileBitmaps;

class EditorProgram {
public:
    // Runs the start-up steps after the application object exists: the
    // application title, the main window with its creation steps, then the
    // other four windows, hidden.
    explicit EditorProgram(UserPrompts& prompts);
    ~EditorProgram();
    EditorProgram(const EditorProgram&) = delete;
    EditorProgram& operator=(const EditorProgram&) = delete;

    EditorState& State() { return *state_; }
    TileBitmaps& Bitmaps() { return *bitmaps_; }
    TMainForm& MainForm() { return *mainForm_; }
    TCreditsForm& CreditsForm() { return *creditsForm_; }
    TNewMapForm& NewMapForm() { return *newMapForm_; }
    TTileForm& TileForm() { return *tileForm_; }
    TDialogForm& DialogForm() { return *dialogForm_; }

private:
    // Watches the clicks of all five windows, so it outlives them.
    std::unique_ptr<DoubleClickGuard> doubleClickGuard_;
    std::unique_ptr<EditorState> state_;
    std::unique_ptr<TileBitmaps> bitmaps_;
    std::unique_ptr<TMainForm> mainForm_;
    std::unique_ptr<TCreditsForm> creditsForm_;
    std::unique_ptr<TNewMapForm> newMapForm_;
    std::unique_ptr<TTileForm> tileForm_;
    std::unique_ptr<TDialogForm> dialogForm_;
};

// Sets the application's title and fonts; called once before the program starts.
void PrepareApplication();

}  // namespace velmora
