// The credits window: nine centred lines over an empty picture area. Its
// close box only hides it and gives the main window back to the user.
#pragma once

#include <QWidget>

#include <array>

class QLabel;

namespace velmora {

class TCreditsForm : public QWidget {
    Q_OBJECT

public:
    explicit TCreditsForm(QWidget* mainForm);

    QWidget* CreditsImage = nullptr;
    std::array<QLabel*, 9> CreditsLabels{};  // CreditsLabel01 .. CreditsLabel09

    void FormClose();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* mainForm_;
};

}  // namespace velmora
