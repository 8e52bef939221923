// The whole program behind main(): picks the subcommand, runs it, and turns
// every error into a message on standard error and exit status 2.
#pragma once

#include "cli/Console.h"

#include <QStringList>

namespace velmora {

// The arguments without the program's own name.
int RunVelmoraMap(const QStringList& arguments, Console& console);

}  // namespace velmora
