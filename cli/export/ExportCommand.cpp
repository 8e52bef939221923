// The export subcommand: not yet built.
#include "cli/Subcommands.h"

#include "cli/CommandErrors.h"

namespace velmora {

int RunExport(const QStringList&, Console&) {
    throw UsageError("not yet available");
}

}  // namespace velmora
