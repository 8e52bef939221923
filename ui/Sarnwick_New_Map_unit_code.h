// The New Map window, which finishes "New Map" by asking for the new map's
// tile set. A radio click sets the tile set at once; "Okay" and the close box
// install it.
#pragma once

#include <QWidget>

#include <cstdint>

class QButtonGroup;
class QGroupBox;
class QPushButton;

namespace velmora {

struct EditorState;
class TMainForm;

class TNewMapForm : public QWidget {
    Q_OBJECT

public:
    TNewMapForm(EditorState& state, TMainForm& mainForm);

    QWidget* Image1 = nullptr;
    QGroupBox* ChooseTilesRadioGroup = nullptr;
    QPushButton* OkayButton = nullptr;

    void Preselect(std::int32_t tileSet);
    int SelectedItem() const;

    void ChooseTilesRadioGroupClick();
    void OkayButtonClick();
    void FormClose();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    EditorState& state_;
    TMainForm& mainForm_;
    QButtonGroup* items_ = nullptr;
};

}  // namespace velmora
