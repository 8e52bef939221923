// The log subcommand: a map's history in the terminal, read from git, one
// line per version, newest first, as git log shows commits; or only the
// versions that changed one cell, with its code before and after.
#include "cli/Subcommands.h"

#include "cli/CommandErrors.h"
#include "cli/CommandLine.h"
#include "cli/MapCondition.h"
#include "cli/history/MapVersions.h"
#include "core/tiles/TileNames.h"

#include <algorithm>
#include <optional>

namespace velmora {
namespace {

constexpr char kHelp[] = R"(Usage: velmora-map log [OPTION]... MAP
Show the history of the map file MAP from its git repository, one line per
version, newest first: the commit, its date, author and subject, how many
cells it changed and a change of tile set. A working-tree file that differs
from its last commit is the newest version, "worktree". git follows the file
through renames. A version whose file is damaged is shown with what is
wrong with it, as info words it.

Options:
      --cell X,Y          show only the versions that changed cell (X, Y),
                            with its code before and after
      --max-versions N    read at most the newest N versions (default 500)
  -h, --help              show this help and exit

Exit status: 0 when the history was shown; 2 when MAP is in no git work
tree, git is missing or fails, or for bad arguments.
)";

// "X,Y" within the map.
MapCell CellOf(const QString& text) {
    const QStringList fields = text.split(QLatin1Char(','));
    bool okX = false;
    bool okY = false;
    const int x = fields.value(0).trimmed().toInt(&okX);
    const int y = fields.value(1).trimmed().toInt(&okY);
    if (fields.size() != 2 || !okX || !okY || !MapGrid::Contains(x, y)) {
        throw UsageError("--cell takes X,Y, a cell of the map from 0,0 to 998,998, not '" +
                         text.toStdString() + "'");
    }
    return MapCell{x, y};
}

std::string Heading(const MapVersion& version) {
    return version.ShortCommit + " " + version.Date.substr(0, 10) + " " +
           (version.IsWorktree() ? std::string() : version.Author + ": ") + version.Subject;
}

// " (merge of 67284d7 and 20e6caf, 12 cells changed, tile set ...)": what
// the version changed from its first parent.
std::string Changed(const MapVersions& versions, const std::size_t index) {
    const MapVersion& version = versions.History.Versions[index];
    std::string text = " (";
    if (version.IsMerge) {
        text += "merge";
        for (std::size_t p = 0; p < version.Parents.size(); ++p) {
            text += (p == 0 ? " of " : " and ") +
                    versions.History.Versions[version.Parents[p]].ShortCommit;
        }
        text += ", ";
    }
    text += CellCount(versions.Changes[index].ParentCells.size()) + " changed";
    if (const auto tileSetChange = TileSetChangeText(versions, index)) {
        text += ", tile set " + *tileSetChange;
    }
    return text + ")";
}

}  // namespace

int RunLog(const QStringList& arguments, Console& console) {
    CommandLine line("log", kHelp);
    line.AddOption(QCommandLineOption(QStringLiteral("cell"), QString(), QStringLiteral("X,Y")));
    AddMostVersionsOption(line);
    if (!line.Parse(arguments, console, 1, 1)) {
        return kExitSuccess;
    }
    const std::optional<MapCell> cell =
        line.IsSet(QStringLiteral("cell"))
            ? std::optional(CellOf(line.Value(QStringLiteral("cell"))))
            : std::nullopt;
    const std::size_t mostVersions = MostVersionsGiven(line).value_or(kDefaultMostVersions);
    const std::string path = line.Positional().first().toStdString();

    const MapVersions versions = ReadMapVersions(path, mostVersions, ReadWorktreeFile(path));
    const std::vector<MapVersion>& history = versions.History.Versions;
    const std::int32_t index = cell ? MapGrid::IndexOf(cell->X, cell->Y) : 0;
    for (std::size_t i = history.size(); i-- > 0;) {
        const VersionChanges& changes = versions.Changes[i];
        if (cell) {
            const auto& cells = changes.ParentCells;
            const auto found = std::lower_bound(cells.begin(), cells.end(), index);
            if (found == cells.end() || *found != index) {
                continue;
            }
            const auto at = static_cast<std::size_t>(found - cells.begin());
            const VersionChanges* const before = FirstParentOf(versions, i);
            const TileNames oldNames(before != nullptr ? before->TileSet : changes.TileSet);
            const TileNames newNames(changes.TileSet);
            console.Out << Heading(history[i]) << ": "
                        << oldNames.CodeText(changes.ParentBefore[at]) << " -> "
                        << newNames.CodeText(changes.ParentAfter[at]) << "\n";
            continue;
        }
        console.Out << Heading(history[i]) << Changed(versions, i) << "\n";
        for (const std::string& problem : changes.Problems) {
            console.Out << "    " << problem << "\n";
        }
        if (const auto start = HistoryStartText(history[i])) {
            console.Out << "    " << *start << "\n";
        }
    }
    if (versions.History.LeftOut > 0) {
        console.Note(path, "the " + GroupedNumber(versions.History.LeftOut) +
                               " oldest versions are left out; --max-versions N keeps more");
    }
    return kExitSuccess;
}

}  // namespace velmora
