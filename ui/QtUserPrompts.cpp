// Qt's message boxes and file dialogs. The file dialogs are Qt's own rather
// than the desktop's, so that they look and behave the same everywhere.
#include "ui/QtUserPrompts.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace velmora {
namespace {

std::optional<QString> RunFileDialog(QWidget* parent, const FileDialogSetup& setup,
                                     QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, QString(), setup.Directory, setup.Filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(setup.DefaultSuffix);
    if (mode == QFileDialog::AcceptSave) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

}  // namespace

PromptAnswer QtUserPrompts::AskOkCancel(QWidget* parent, const OkCancelQuestion& question) {
    QMessageBox box(QMessageBox::Information, question.Caption, question.Text,
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.move(question.TopLeft);
    return box.exec() == QMessageBox::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
}

std::optional<QString> QtUserPrompts::ChooseFileToOpen(QWidget* parent,
                                                       const FileDialogSetup& setup) {
    return RunFileDialog(parent, setup, QFileDialog::AcceptOpen);
}

std::optional<QString> QtUserPrompts::ChooseFileToSave(QWidget* parent,
                                                       const FileDialogSetup& setup) {
    return RunFileDialog(parent, setup, QFileDialog::AcceptSave);
}

void QtUserPrompts::ShowError(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok,
                    parent);
    box.exec();
}

int QtUserPrompts::RunModal(QDialog& dialog) {
    return dialog.exec();
}

}  // namespace velmora
