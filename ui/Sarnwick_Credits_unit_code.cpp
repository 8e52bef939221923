// Layout and behaviour of the credits window.
#include "ui/Sarnwick_Credits_unit_code.h"

#include "ui/WindowFrame.h"

#include <QCloseEvent>
#include <QLabel>

namespace velmora {
namespace {

constexpr QSize kOuterSize{435, 308};
constexpr int kLabelTops[9] = {24, 40, 72, 88, 120, 136, 168, 184, 232};
const char* const kLines[9] = {
    "Velmora Mapping Program",
    "Written by the Velmora map tools team",
    "Playtested by:",
    "The cartographers of Velmora",
    "Thanks to:",
    "Everyone who drew the first maps by hand",
    "Special thanks to:",
    "The players who walk these maps",
    "Version 0.4.32.290302",
};

}  // namespace

TCreditsForm::TCreditsForm(QWidget* mainForm) : QWidget(nullptr), mainForm_(mainForm) {
    setObjectName(QStringLiteral("CreditsForm"));
    setWindowTitle(QStringLiteral("Credits"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint |
                   Qt::WindowTitleHint);
    setFont(WindowFont());
    SetOuterSize(*this, kOuterSize);
    MoveFrameTo(*this, 200, 108);

    CreditsImage = new QWidget(this);
    CreditsImage->setObjectName(QStringLiteral("CreditsImage"));
    CreditsImage->setGeometry(0, 0, 425, 273);

    for (int i = 0; i < 9; ++i) {
        auto* label = new QLabel(QString::fromLatin1(kLines[i]), this);
        label->setObjectName(QStringLiteral("CreditsLabel%1").arg(i + 1, 2, 10, QLatin1Char('0')));
        label->setGeometry(56, kLabelTops[i], 313, 13);
        label->setAlignment(Qt::AlignCenter);
        label->setAutoFillBackground(true);
        label->setBackgroundRole(QPalette::Button);
        CreditsLabels[static_cast<std::size_t>(i)] = label;
    }
}

void TCreditsForm::FormClose() {
    mainForm_->setEnabled(true);
    hide();
}

void TCreditsForm::closeEvent(QCloseEvent* event) {
    event->ignore();  // the window lives for the whole run
    FormClose();
}

}  // namespace velmora
