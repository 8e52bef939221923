// The palette window, from which the tile for a clicked map cell is chosen.
#pragma once

#include <QWidget>

namespace velmora {

struct EditorState;
class TMainForm;

class TTileForm : public QWidget {
    Q_OBJECT

public:
    TTileForm(EditorState& state, TMainForm& mainForm);

    void FormClose();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    EditorState& state_;
    TMainForm& mainForm_;
};

}  // namespace velmora
