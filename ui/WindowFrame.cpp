// Frame geometry and the program's fonts.
#include "ui/WindowFrame.h"

#include <QFont>
#include <QFontDatabase>
#include <QWidget>

namespace velmora {

void SetOuterSize(QWidget& window, QSize outer) {
    const QSize decorations = window.frameGeometry().size() - window.geometry().size();
    window.setFixedSize(outer - decorations);
}

void MoveFrameTo(QWidget& window, int left, int top) {
    window.move(left, top);
}

QFont WindowFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    return font;
}

QFont PanelFont() {
    QFont font(QStringLiteral("Lucida Calligraphy"));
    font.setPixelSize(13);
    font.setBold(true);
    return font;
}

void InstallFontSubstitutes() {
    // hasFamily also finds families that the database lists with their foundry,
    // such as "Z003 [urw]".
    const auto substitute = [](const QString& design, const QStringList& candidates) {
        if (QFontDatabase::hasFamily(design)) {
            return;
        }
        for (const QString& candidate : candidates) {
            if (QFontDatabase::hasFamily(candidate)) {
                QFont::insertSubstitution(design, candidate);
                return;
            }
        }
    };
    substitute(QStringLiteral("MS Sans Serif"),
               {QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                QStringLiteral("DejaVu Sans")});
    substitute(
        QStringLiteral("Lucida Calligraphy"),
        {QStringLiteral("Z003"), QStringLiteral("URW Chancery L"), QStringLiteral("DejaVu Serif")});
}

}  // namespace velmora
