// The info subcommand: not yet built.
#include "cli/Subcommands.h"

#include "cli/CommandErrors.h"

namespace velmora {

int RunInfo(const QStringList&, Console&) {
    throw UsageError("not yet available");
}

}  // namespace velmora
