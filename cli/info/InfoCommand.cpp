// The info subcommand: describes each map file given, goes on past files it
// cannot read, and answers with the worst status of them all.
#include "cli/Subcommands.h"

#include "cli/CommandErrors.h"
#include "cli/CommandLine.h"
#include "cli/MapInput.h"
#include "cli/info/InfoReport.h"
#include "cli/info/MapSummary.h"

#include <algorithm>
#include <utility>

namespace velmora {
namespace {

constexpr char kHelp[] =
    R"(Usage: velmora-map info [OPTION]... FILE...
Describe each map file: its size, whether its grid is complete, its tile set
and version, how many cells hold each code, the codes that name no tile in
the map's own tile set with the cells where they first stand, and what is
wrong with the file. Cells that hold the conflict mark of an unfinished merge
(code -777777777) are counted as conflicts to resolve, not as codes that name
no tile.

Options:
      --all     list every code the map holds, not only the 10 most used
      --json    print one JSON object per file, each on one line
  -h, --help    show this help and exit

Exit status:
  0  every map is sound
  1  a map has problems: its grid is cut short, its tile set is missing or
     unknown, cells hold the conflict mark or codes that name no tile, it was
     written by a newer version, it ends inside its trailer or has bytes after
     its end
  2  a file cannot be read (the others are still described) or the
     arguments are wrong
)";

}  // namespace

int RunInfo(const QStringList& arguments, Console& console) {
    CommandLine commandLine("info", kHelp);
    commandLine.AddOption(QCommandLineOption(QStringLiteral("all")));
    commandLine.AddOption(QCommandLineOption(QStringLiteral("json")));
    if (!commandLine.Parse(arguments, console, 1, -1)) {
        return kExitSuccess;
    }
    const bool allCodes = commandLine.IsSet(QStringLiteral("all"));
    const bool json = commandLine.IsSet(QStringLiteral("json"));
    RefuseStandardInputTwice(commandLine.Positional());

    int status = kExitSuccess;
    bool first = true;
    for (const QString& path : commandLine.Positional()) {
        try {
            CountedMap counted = LoadAndCountMap(path.toStdString());
            const LoadedMap& map = counted.Map;
            const MapSummary summary = Summarize(map, std::move(counted.Codes));
            if (json) {
                console.Out << InfoJson(map, summary, allCodes) << "\n";
            } else {
                console.Out << (first ? "" : "\n") << InfoText(map, summary, allCodes);
            }
            first = false;
            if (!summary.Problems.empty()) {
                status = std::max<int>(status, kExitAnswerNo);
            }
        } catch (const FileError& error) {
            // Said where it happens, so that it stands beside the other files'
            // descriptions, and the remaining files are still described.
            console.Out.flush();
            console.Complain(error.File(), error.what());
            status = kExitTrouble;
        }
    }
    console.Out.flush();
    return status;
}

}  // namespace velmora
