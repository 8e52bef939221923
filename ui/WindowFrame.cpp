// Frame geometry and the program's fonts.
#include "ui/WindowFrame.h"

#include <QEvent>
#include <QFont>
#include <QFontDatabase>
#include <QWidget>

namespace velmora {

namespace {

// The window system reports a window's decorations only once it has shown
// the window, and may change them later; so the client size is worked out
// again whenever the window is shown, moved or resized.
class OuterSizeKeeper : public QObject {
public:
    explicit OuterSizeKeeper(QWidget& window) : QObject(&window), window_(window) {
        setObjectName(QLatin1String(kName));
        window.installEventFilter(this);
    }

    static constexpr const char* kName = "OuterSizeKeeper";

    void Keep(QSize outer) {
        outer_ = outer;
        Apply();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize) {
            Apply();
        }
        return false;
    }

private:
    void Apply() {
        const QSize decorations = window_.frameGeometry().size() - window_.geometry().size();
        const QSize client = outer_ - decorations;
        if (window_.minimumSize() != client || window_.maximumSize() != client) {
            window_.setFixedSize(client);
        }
    }

    QWidget& window_;
    QSize outer_;
};

}  // namespace

void SetOuterSize(QWidget& window, QSize outer) {
    auto* keeper = static_cast<OuterSizeKeeper*>(window.findChild<QObject*>(
        QLatin1String(OuterSizeKeeper::kName), Qt::FindDirectChildrenOnly));
    if (keeper == nullptr) {
        keeper = new OuterSizeKeeper(window);
    }
    keeper->Keep(outer);
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
