// Takes session steps in the real editor, offscreen: pointer moves and clicks
// go as mouse events to the widget under the pointer, menu items are
// triggered, scroll bars are moved by their own actions and by dragging, and
// every modal question and file dialog is answered by script.
#pragma once

#include "ScratchFolder.h"
#include "ScriptedPrompts.h"
#include "SessionSteps.h"
#include "app/EditorProgram.h"

#include <QString>

class QAction;

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velmora::session {

class EditorDriver {
public:
    // Starts the editor as the program does, with its main window shown.
    explicit EditorDriver(const ScratchFolder& scratch);

    EditorProgram& Program() { return *program_; }
    ScriptedPrompts& Prompts() { return prompts_; }

    // What must be in place before the step's outcome can be foreseen: the
    // generated map file that an open may read. Notes the files a save in
    // the step could replace, as they are before it.
    void Prepare(const Step& step);
    // Takes the step. Whatever the editor asks is answered from the step and
    // recorded in Prompts().
    void Take(const Step& step);

    // The variant menu the last right click opened, or empty.
    const QString& MenuOpened() const { return menuOpened_; }

    // The files noted before the step: their bytes, or nothing for a file
    // that was not there.
    using FileSnapshots = std::map<std::string, std::optional<std::vector<std::uint8_t>>>;
    const FileSnapshots& FilesBefore() const { return filesBefore_; }

private:
    // Starts the editor as the program does, with its main window shown,
    // ending the one before.
    void StartProgram();
    void Drop(const Step& step);
    void PointAtMainWindow(QPoint client);
    void ClickMainWindow(QPoint client);
    QPoint ViewCellPlace(int viewCell);
    QPoint PanelControlPlace(int control);
    QPoint BackgroundPlace(int place);
    void RightClickSlot(int slot, const Step& step);
    void TakeMenuItem(QAction& item, const Step& step);
    void DoubleClickMenuItem(QAction& item, QPoint popupAt);
    void SecondClickAt(QPoint global);
    void PressKey(QWidget& window, Key key);
    void ActivateWindowInFront();

    const ScratchFolder& scratch_;
    ScriptedPrompts prompts_;
    std::unique_ptr<EditorProgram> program_;
    QString menuOpened_;
    FileSnapshots filesBefore_;
};

}  // namespace velmora::session
