// Every modal exchange with the map maker goes through this interface: the
// questions, the file dialogs, the error box and the message window. The
// program uses the Qt implementation; tests answer by script, so no test ever
// waits on a dialog.
#pragma once

#include <QPoint>
#include <QString>

#include <optional>

class QDialog;
class QWidget;

namespace velmora {

enum class PromptAnswer { Ok, Cancel };

struct OkCancelQuestion {
    QString Caption;
    QString Text;
    QPoint TopLeft;  // screen position of the box
};

struct FileDialogSetup {
    QString Filter;         // Qt filter syntax, entries separated by ";;"
    QString DefaultSuffix;  // appended when the typed name has none
    QString Directory;      // where the dialog starts
};

class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    virtual PromptAnswer AskOkCancel(QWidget* parent, const OkCancelQuestion& question) = 0;
    virtual std::optional<QString> ChooseFileToOpen(QWidget* parent,
                                                    const FileDialogSetup& setup) = 0;
    virtual std::optional<QString> ChooseFileToSave(QWidget* parent,
                                                    const FileDialogSetup& setup) = 0;
    // The program-wide error box; the text arrives with its full stop.
    virtual void ShowError(QWidget* parent, const QString& text) = 0;
    // Shows one of the program's own dialogs modally and returns its result.
    virtual int RunModal(QDialog& dialog) = 0;
};

}  // namespace velmora
