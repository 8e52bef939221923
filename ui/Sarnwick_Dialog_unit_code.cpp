// Layout of the message window.
#include "ui/Sarnwick_Dialog_unit_code.h"

#include "ui/WindowFrame.h"

#include <QLabel>
#include <QPushButton>

namespace velmora {

TDialogForm::TDialogForm() : QDialog(nullptr) {
    setObjectName(QStringLiteral("DialogForm"));
    setWindowTitle(QStringLiteral("Map Information"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint |
                   Qt::WindowTitleHint);
    setModal(true);
    setFont(WindowFont());
    setFixedSize(335, 115);  // this window's size is given for its client area
    move(200, 116);

    QFont labelFont = WindowFont();
    labelFont.setPixelSize(13);
    DialogLabel = new QLabel(this);
    DialogLabel->setObjectName(QStringLiteral("DialogLabel"));
    DialogLabel->setGeometry(8, 16, 313, 57);
    DialogLabel->setAlignment(Qt::AlignCenter);
    DialogLabel->setFont(labelFont);
    // The warnings are longer than one line of the label, so they wrap.
    DialogLabel->setWordWrap(true);
    DialogLabel->setAttribute(Qt::WA_TranslucentBackground);
    DialogLabel->setStyleSheet(QStringLiteral("color: black; background: transparent;"));

    OKButton = new QPushButton(QStringLiteral("Okay"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(64, 80, 97, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(176, 80, 97, 25);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TDialogForm::showEvent(QShowEvent* event) {
    move(200, 116);
    QDialog::showEvent(event);
}

}  // namespace velmora
