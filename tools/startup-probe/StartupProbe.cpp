// Starts the editor exactly as the program's entry does, on the offscreen
// platform, and ends the run once the main window has painted for the first
// time. It prints how long that took from entering main; run it under
// /usr/bin/time -v to read the peak resident memory, or under perf stat for
// the time from exec to exit.
#include "app/EditorProgram.h"
#include "ui/QtUserPrompts.h"
#include "ui/Sarnwick_code/Sarnwick_code.h"

#include <QApplication>
#include <QEvent>
#include <QMetaObject>
#include <QWidget>

#include <chrono>
#include <cstdio>

namespace velmora {
namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Watches every paint of the application; at the first one inside the main
// window it lets the paint pass finish, then ends the event loop.
class FirstPaintWatch final : public QObject {
public:
    explicit FirstPaintWatch(const QWidget& window) : window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            const auto* widget = qobject_cast<const QWidget*>(watched);
            if (widget != nullptr && widget->window() == &window_) {
                seen_ = true;
                QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
            }
        }
        return false;
    }

    bool Seen() const { return seen_; }

private:
    const QWidget& window_;
    bool seen_ = false;
};

}  // namespace
}  // namespace velmora

int main(int argc, char* argv[]) {
    const auto entered = velmora::Clock::now();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    velmora::PrepareApplication();
    velmora::QtUserPrompts prompts;
    velmora::EditorProgram program(prompts);
    const double started = velmora::MillisecondsSince(entered);

    velmora::FirstPaintWatch watch(program.MainForm());
    application.installEventFilter(&watch);
    program.MainForm().show();
    QApplication::exec();
    const double painted = velmora::MillisecondsSince(entered);
    if (!watch.Seen()) {
        std::fprintf(stderr, "the main window was never painted\n");
        return 1;
    }
    std::printf("editor started: %.1f ms, first paint done: %.1f ms (from entering main)\n",
                started, painted);
    return 0;
}
