// The subcommands of velmora-map. Each takes the arguments that follow its
// name, writes to the console and returns its exit status; errors it cannot
// answer itself are raised as UsageError, FileError or UserError.
#pragma once

#include "cli/Console.h"

#include <QStringList>

namespace velmora {

int RunInfo(const QStringList& arguments, Console& console);
int RunRender(const QStringList& arguments, Console& console);
int RunDiff(const QStringList& arguments, Console& console);
int RunExport(const QStringList& arguments, Console& console);
int RunImport(const QStringList& arguments, Console& console);
int RunThumbnail(const QStringList& arguments, Console& console);
int RunPublish(const QStringList& arguments, Console& console);
int RunLog(const QStringList& arguments, Console& console);
int RunMerge(const QStringList& arguments, Console& console);
int RunSetupGit(const QStringList& arguments, Console& console);
int RunConflicts(const QStringList& arguments, Console& console);
int RunResolve(const QStringList& arguments, Console& console);
int RunEdit(const QStringList& arguments, Console& console);
int RunCheck(const QStringList& arguments, Console& console);
int RunStats(const QStringList& arguments, Console& console);

}  // namespace velmora
