// Turns exceptions into the error box. Nothing may unwind into Qt's event
// loop, so every handler that can fail is run through RunCommand.
#include "ui/ErrorBox.h"

#include "core/UserError.h"
#include "ui/UserPrompts.h"

#include <QString>

#include <new>

namespace velmora {

bool RunCommand(UserPrompts& prompts, QWidget* parent, const std::function<void()>& command) {
    QString text;
    try {
        command();
        return true;
    } catch (const UserError& error) {
        text = QString::fromStdString(error.what());
    } catch (const std::bad_alloc&) {
        text = QStringLiteral("Out of memory");
    } catch (const std::exception& error) {
        text = QString::fromLocal8Bit(error.what());
    }
    prompts.ShowError(parent, text + QLatin1Char('.'));
    return false;
}

}  // namespace velmora
