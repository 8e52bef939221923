// The render subcommand: not yet built.
#include "cli/Subcommands.h"

#include "cli/CommandErrors.h"

namespace velmora {

int RunRender(const QStringList&, Console&) {
    throw UsageError("not yet available");
}

}  // namespace velmora
