// The window tests need one application object for the whole run, on the
// offscreen platform unless the caller chose another.
#include "app/EditorProgram.h"

#include <QApplication>

#include <gmock/gmock.h>

namespace {

// The offscreen platform warns about every fixed-size or raised window and
// every opened menu, and QTest about a click that a disabled window ignores,
// which the sessions do on purpose; that says nothing about the program and
// would bury real messages.
QtMessageHandler standardHandler = nullptr;

void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("propagateSizeHints")) ||
        message.contains(QLatin1String("does not support raise")) ||
        message.contains(QLatin1String("does not support grabbing the keyboard")) ||
        message.contains(QLatin1String("not accepted by receiving widget"))) {
        return;
    }
    standardHandler(type, context, message);
}

}  // namespace

int main(int argc, char* argv[]) {
    standardHandler = qInstallMessageHandler(QuietMessages);
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    velmora::PrepareApplication();
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
