// The import subcommand: not yet built.
#include "cli/Subcommands.h"

#include "cli/CommandErrors.h"

namespace velmora {

int RunImport(const QStringList&, Console&) {
    throw UsageError("not yet available");
}

}  // namespace velmora
