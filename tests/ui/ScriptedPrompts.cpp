// Scripted answers for the window tests.
#include "ScriptedPrompts.h"

#include <QDialog>
#include <QLabel>

#include <gtest/gtest.h>

namespace velmora {
namespace {

template <typename T>
T TakeFront(std::deque<T>& queue, const T& fallback, const char* what) {
    if (queue.empty()) {
        ADD_FAILURE() << "unexpected " << what;
        return fallback;
    }
    T front = queue.front();
    queue.pop_front();
    return front;
}

}  // namespace

PromptAnswer ScriptedPrompts::AskOkCancel(QWidget*, const OkCancelQuestion& question) {
    Questions.push_back(question);
    return TakeFront(Answers, PromptAnswer::Cancel, "question");
}

std::optional<QString> ScriptedPrompts::ChooseFileToOpen(QWidget*, const FileDialogSetup& setup) {
    OpenDialogs.push_back(setup);
    return TakeFront(OpenChoices, std::optional<QString>{}, "open dialog");
}

std::optional<QString> ScriptedPrompts::ChooseFileToSave(QWidget*, const FileDialogSetup& setup) {
    SaveDialogs.push_back(setup);
    return TakeFront(SaveChoices, std::optional<QString>{}, "save dialog");
}

void ScriptedPrompts::ShowError(QWidget*, const QString& text) {
    Errors.push_back(text);
}

int ScriptedPrompts::RunModal(QDialog& dialog) {
    const auto* label = dialog.findChild<QLabel*>(QStringLiteral("DialogLabel"));
    ModalTexts.push_back(label != nullptr ? label->text() : QString());
    return ModalResults.empty() ? QDialog::Accepted : TakeFront(ModalResults, 1, "modal");
}

}  // namespace velmora
