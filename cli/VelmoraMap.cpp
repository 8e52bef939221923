// Choosing the subcommand and reporting what went wrong, in one place.
#include "cli/VelmoraMap.h"

#include "cli/CommandErrors.h"
#include "cli/Subcommands.h"

#include <array>
#include <new>
#include <string_view>

namespace velmora {
namespace {

struct Subcommand {
    std::string_view Name;
    int (*Run)(const QStringList& arguments, Console& console);
};

constexpr std::array<Subcommand, 15> kSubcommands = {{
    {"info", RunInfo},
    {"render", RunRender},
    {"diff", RunDiff},
    {"export", RunExport},
    {"import", RunImport},
    {"thumbnail", RunThumbnail},
    {"publish", RunPublish},
    {"log", RunLog},
    {"merge", RunMerge},
    {"setup-git", RunSetupGit},
    {"conflicts", RunConflicts},
    {"resolve", RunResolve},
    {"edit", RunEdit},
    {"check", RunCheck},
    {"stats", RunStats},
}};

constexpr std::string_view kHelp =
    R"(Usage: velmora-map SUBCOMMAND [OPTION]... FILE...
Inspect, draw, compare and convert Velmora map files (.map) without the editor.

Subcommands:
  info FILE...              describe each map: size, completeness, tile set,
                              version, the codes it holds and codes that name
                              no tile
  render FILE OUT.png       draw a map in the overview's colours or with its
                              tile pictures
  diff A.map B.map          list the cells that differ between two maps
  export FILE OUT           write a map as TMX, TMJ or CSV for other tools
  import IN OUT.map         read a TMX, TMJ or CSV map back into a map file
  thumbnail FILE OUT.png    draw a small picture of a map for file managers
  publish MAP... OUTDIR     write the maps as a web atlas that any browser
                              opens from the folder
  log MAP                   list the versions of a map in its git history
  merge BASE OURS THEIRS    merge two maps' changes cell by cell, as git's
                              merge driver
  setup-git [FOLDER]        make a git repository merge and diff maps with
                              this program
  conflicts MAP             list the conflicting cells of a map in an
                              unfinished git merge
  resolve --ours MAP        take one side's codes for a map's conflicting
                              cells (--ours, --theirs or --base)
  edit OPERATION... MAP...  replace, fill and copy cells and set the tile
                              set of many maps at once, from options or a
                              script file
  check MAP|FOLDER...       check maps against their world's rules file
                              (velmora-rules.toml) and as info does
  stats MAP|FOLDER...       count the tiles the maps use, per tile set, and
                              list the unused tiles and codes of no tile

A map FILE may be '-' for standard input, or a pipe such as
<(git show HEAD:castle.map).

Options:
  -h, --help                show this help, or a subcommand's with
                              'velmora-map SUBCOMMAND --help'
      --version             show the program's version

Exit status: 0 on success; 1 when the answer is "no" or problems were found
(info: a damaged or doubtful map; diff: the maps differ; merge, conflicts:
conflicts remain; check: a rule is broken or a map is damaged); 2 for unreadable
input, bad arguments or a failed write.
)";

const Subcommand* FindSubcommand(const std::string_view name) {
    for (const Subcommand& subcommand : kSubcommands) {
        if (subcommand.Name == name) {
            return &subcommand;
        }
    }
    return nullptr;
}

void ReportUsage(Console& console, const std::string_view where, const std::string& text) {
    console.Err << kProgramName << where << ": " << text << "\nTry '" << kProgramName << where
                << " --help' for more information.\n";
}

}  // namespace

int RunVelmoraMap(const QStringList& arguments, Console& console) {
    std::string where;  // " SUBCOMMAND" once one is chosen
    try {
        if (arguments.isEmpty()) {
            throw UsageError("missing subcommand");
        }
        const std::string first = arguments.first().toStdString();
        if (first == "-h" || first == "--help") {
            console.Out << kHelp;
            return kExitSuccess;
        }
        if (first == "--version") {
            console.Out << kProgramName << " " << VELMORA_VERSION << "\n";
            return kExitSuccess;
        }
        const Subcommand* const subcommand = FindSubcommand(first);
        if (subcommand == nullptr) {
            throw UsageError(first.starts_with("-") ? "unknown option '" + first + "'"
                                                    : "unknown subcommand '" + first + "'");
        }
        where = " " + first;
        return subcommand->Run(arguments.mid(1), console);
    } catch (const UsageError& error) {
        ReportUsage(console, where, error.what());
    } catch (const FileError& error) {
        console.Complain(error.File(), error.what());
    } catch (const std::bad_alloc&) {
        console.Err << kProgramName << ": out of memory\n";
    } catch (const std::exception& error) {
        console.Err << kProgramName << ": " << error.what() << "\n";
    }
    return kExitTrouble;
}

}  // namespace velmora
