// UserPrompts answered by script: each test queues the answers the map maker
// would give, and afterwards reads what was asked. An unexpected question
// fails the test instead of blocking it.
#pragma once

#include "ui/UserPrompts.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

namespace velmora {

class ScriptedPrompts final : public UserPrompts {
public:
    // Answers, taken in order.
    std::deque<PromptAnswer> Answers;
    std::deque<std::optional<QString>> OpenChoices;
    std::deque<std::optional<QString>> SaveChoices;
    std::deque<int> ModalResults;

    // What was asked.
    std::vector<OkCancelQuestion> Questions;
    std::vector<FileDialogSetup> OpenDialogs;
    std::vector<FileDialogSetup> SaveDialogs;
    QStringList Errors;
    QStringList ModalTexts;  // the message window's text each time it was shown

    PromptAnswer AskOkCancel(QWidget* parent, const OkCancelQuestion& question) override;
    std::optional<QString> ChooseFileToOpen(QWidget* parent, const FileDialogSetup& setup) override;
    std::optional<QString> ChooseFileToSave(QWidget* parent, const FileDialogSetup& setup) override;
    void ShowError(QWidget* parent, const QString& text) override;
    int RunModal(QDialog& dialog) override;
};

}  // namespace velmora
