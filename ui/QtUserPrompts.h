// The real dialogs behind UserPrompts.
#pragma once

#include "ui/UserPrompts.h"

namespace velmora {

class QtUserPrompts final : public UserPrompts {
public:
    PromptAnswer AskOkCancel(QWidget* parent, const OkCancelQuestion& question) override;
    std::optional<QString> ChooseFileToOpen(QWidget* parent, const FileDialogSetup& setup) override;
    std::optional<QString> ChooseFileToSave(QWidget* parent, const FileDialogSetup& setup) override;
    void ShowError(QWidget* parent, const QString& text) override;
    int RunModal(QDialog& dialog) override;
};

}  // namespace velmora
