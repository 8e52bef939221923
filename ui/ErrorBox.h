// The one place where errors that leave a command are caught: the command
// stops, the map maker sees the error's text with a full stop in the error
// box, and the event loop goes on. Whatever the command changed stays changed.
#pragma once

#include <functional>

class QWidget;

namespace velmora {

class UserPrompts;

// Runs a command; returns false when it ended with an error, after showing it.
bool RunCommand(UserPrompts& prompts, QWidget* parent, const std::function<void()>& command);

}  // namespace velmora
