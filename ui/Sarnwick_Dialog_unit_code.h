// The small modal message window of the map document: it warns that a map
// was written by a newer program, and that a map file was incomplete.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace velmora {

class TDialogForm : public QDialog {
    Q_OBJECT

public:
    TDialogForm();

    QLabel* DialogLabel = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace velmora
