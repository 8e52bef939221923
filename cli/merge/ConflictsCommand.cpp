// The conflicts and resolve subcommands, for a map in an unfinished merge:
// conflicts lists the cells that still hold the conflict mark with what the
// base, ours and theirs held there (from git's index); resolve writes one
// side's codes into marked cells, and never touches a cell without the mark.
#include "cli/Subcommands.h"

#include "cli/CellArguments.h"
#include "cli/CommandErrors.h"
#include "cli/CommandLine.h"
#include "cli/MapCondition.h"
#include "cli/MapInput.h"
#include "cli/OutputFile.h"
#include "cli/merge/ConflictReport.h"
#include "cli/merge/MergeStages.h"
#include "cli/pictures/MapPictures.h"
#include "core/document/MapFile.h"
#include "core/merge/CellAreas.h"
#include "core/merge/MapMerge.h"
#include "core/tiles/TileNames.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <string>

namespace velmora {
namespace {

constexpr char kConflictsHelp[] = R"(Usage: velmora-map conflicts [OPTION]... MAP
During an unfinished git merge of the map file MAP, list the cells that still
hold the conflict mark, grouped into the areas they form, each with what the
base, ours and theirs held there, read from git's index.

Options:
      --json          write the areas and every marked cell as JSON
      --png OUT.png   also draw the marked area of MAP and a few cells around
                        it, every marked cell outlined
  -h, --help          show this help and exit

Exit status: 0 when no cell holds the mark (then 'git add MAP' concludes
the map's merge); 1 while any does; 2 when MAP is in no unfinished merge,
cannot be read, or for bad arguments.
)";

constexpr char kResolveHelp[] =
    R"(Usage: velmora-map resolve (--ours | --theirs | --base) [OPTION]... MAP
During an unfinished git merge of the map file MAP, write one side's codes,
read from git's index, into the cells that hold the conflict mark: every
marked cell, or only those that --cell and --region name. A cell without the
mark is never changed.

Options:
      --ours                  take our side's codes
      --theirs                take their side's codes
      --base                  take the base's codes
      --cell X,Y              resolve cell (X, Y); may be given again
      --region X,Y,W,H        resolve the marked cells of the W x H cells
                                from (X, Y); may be given again
  -h, --help                  show this help and exit

Exit status: 0 when the cells were written; 2 when MAP is in no unfinished
merge, cannot be read or written, or for bad arguments.
)";

// A map in an unfinished merge, with its marked cells.
struct MergeInProgress {
    LoadedMap Worktree;
    MergeStages Stages;
    std::vector<std::int32_t> Marked;
};

MergeInProgress ReadMergeInProgress(const std::string& path) {
    LoadedMap worktree = LoadMap(path);
    RefuseMapWithoutCells(worktree);
    MergeStages stages = ReadMergeStages(path, worktree);
    std::vector<std::int32_t> marked = MarkedCells(std::as_const(*worktree.Grid).Cells());
    return MergeInProgress{std::move(worktree), std::move(stages), std::move(marked)};
}

ConflictSide SideOf(const LoadedMap& map) {
    return ConflictSide{std::as_const(*map.Grid).Cells(), map.TileSet.value_or(0)};
}

// The code and its tile's name, null when it names none.
QJsonObject CodeObject(const TileCode code, const TileNames& names) {
    const TileEntry* const entry = names.Find(code);
    const std::string_view name = entry != nullptr ? entry->Name.View() : std::string_view();
    return QJsonObject{
        {"code", code},
        {"name", entry != nullptr ? QJsonValue(QString::fromLatin1(
                                        name.data(), static_cast<qsizetype>(name.size())))
                                  : QJsonValue(QJsonValue::Null)}};
}

QByteArray ConflictsJson(const MergeInProgress& merge) {
    const std::vector<CellGroup> areas = GroupTouchingCells(merge.Marked);
    const LoadedMap* const sides[] = {&merge.Stages.Base, &merge.Stages.Ours, &merge.Stages.Theirs};
    const char* const keys[] = {"base", "ours", "theirs"};
    QJsonArray list;
    for (const CellGroup& area : areas) {
        QJsonArray cells;
        for (const std::int32_t cell : area.Cells) {
            QJsonObject entry{{"x", cell % kMapSide}, {"y", cell / kMapSide}};
            for (int s = 0; s < 3; ++s) {
                const TileNames names(sides[s]->TileSet);
                entry.insert(
                    keys[s],
                    CodeObject(sides[s]->Grid->Cells()[static_cast<std::size_t>(cell)], names));
            }
            cells.append(entry);
        }
        list.append(QJsonObject{{"left", area.Bounds.Left},
                                {"top", area.Bounds.Top},
                                {"columns", area.Bounds.Columns},
                                {"rows", area.Bounds.Rows},
                                {"cells", cells}});
    }
    return QJsonDocument(QJsonObject{{"file", QString::fromStdString(merge.Worktree.Path)},
                                     {"conflicts", static_cast<qint64>(merge.Marked.size())},
                                     {"areas", list}})
        .toJson(QJsonDocument::Indented);
}

std::string ResolvedText(const std::string& path) {
    return "no cell holds the conflict mark; 'git add " + path +
           "' marks the map's merge as resolved\n";
}

// "X,Y" or "X,Y,W,H" within the map, as a block of cells.
CellArea AreaOf(const QString& text, const bool region) {
    if (const auto area = CellAreaOf(text, region ? CellText::Block : CellText::Cell)) {
        return *area;
    }
    throw UsageError(region ? "--region takes X,Y,W,H, a block of cells within the map, not '" +
                                  text.toStdString() + "'"
                            : "--cell takes X,Y, a cell of the map from 0,0 to 998,998, not '" +
                                  text.toStdString() + "'");
}

bool Inside(const std::int32_t cell, const CellArea& area) {
    const int x = cell % kMapSide;
    const int y = cell / kMapSide;
    return x >= area.Left && x < area.Left + area.Columns && y >= area.Top &&
           y < area.Top + area.Rows;
}

}  // namespace

int RunConflicts(const QStringList& arguments, Console& console) {
    CommandLine line("conflicts", kConflictsHelp);
    line.AddOption(QCommandLineOption(QStringLiteral("json")));
    line.AddOption(QCommandLineOption(QStringLiteral("png"), QString(), QStringLiteral("OUT")));
    if (!line.Parse(arguments, console, 1, 1)) {
        return kExitSuccess;
    }
    const std::string path = line.Positional().first().toStdString();
    const std::string picture = line.Value(QStringLiteral("png")).toStdString();
    if (line.IsSet(QStringLiteral("png"))) {
        if (IsStandardOutput(picture)) {
            throw UsageError("--png writes a file; name one");
        }
        RefuseOutputOverInput(path, picture, "the map file");
    }
    const MergeInProgress merge = ReadMergeInProgress(path);
    if (line.IsSet(QStringLiteral("png")) && !merge.Marked.empty()) {
        const std::vector<CellGroup> all = GroupTouchingCells(merge.Marked);
        CellArea bounds = all.front().Bounds;
        for (const CellGroup& group : all) {
            const int right =
                std::max(bounds.Left + bounds.Columns, group.Bounds.Left + group.Bounds.Columns);
            const int bottom =
                std::max(bounds.Top + bounds.Rows, group.Bounds.Top + group.Bounds.Rows);
            bounds.Left = std::min(bounds.Left, group.Bounds.Left);
            bounds.Top = std::min(bounds.Top, group.Bounds.Top);
            bounds.Columns = right - bounds.Left;
            bounds.Rows = bottom - bounds.Top;
        }
        WriteOutput(picture,
                    Pictures().ChangesPng(*merge.Worktree.Grid, merge.Worktree.TileSet.value_or(0),
                                          merge.Marked, bounds),
                    console);
    }
    if (line.IsSet(QStringLiteral("json"))) {
        console.Out << ConflictsJson(merge).toStdString();
    } else if (merge.Marked.empty()) {
        console.Out << ResolvedText(path);
    } else {
        console.Out << ConflictText(merge.Marked, SideOf(merge.Stages.Base),
                                    SideOf(merge.Stages.Ours), SideOf(merge.Stages.Theirs));
    }
    return merge.Marked.empty() ? kExitSuccess : kExitAnswerNo;
}

int RunResolve(const QStringList& arguments, Console& console) {
    CommandLine line("resolve", kResolveHelp);
    for (const char* side : {"ours", "theirs", "base"}) {
        line.AddOption(QCommandLineOption(QString::fromLatin1(side)));
    }
    line.AddOption(QCommandLineOption(QStringLiteral("cell"), QString(), QStringLiteral("X,Y")));
    line.AddOption(
        QCommandLineOption(QStringLiteral("region"), QString(), QStringLiteral("X,Y,W,H")));
    if (!line.Parse(arguments, console, 1, 1)) {
        return kExitSuccess;
    }
    std::vector<const char*> sides;
    for (const char* side : {"ours", "theirs", "base"}) {
        if (line.IsSet(QString::fromLatin1(side))) {
            sides.push_back(side);
        }
    }
    if (sides.size() != 1) {
        throw UsageError("name the side whose codes to take: --ours, --theirs or --base");
    }
    std::vector<CellArea> chosen;
    for (const QString& cell : line.Values(QStringLiteral("cell"))) {
        chosen.push_back(AreaOf(cell, false));
    }
    for (const QString& region : line.Values(QStringLiteral("region"))) {
        chosen.push_back(AreaOf(region, true));
    }
    const std::string path = line.Positional().first().toStdString();
    if (path == kStandardInputName) {
        throw UsageError("resolve writes the map file itself; name it");
    }
    MergeInProgress merge = ReadMergeInProgress(path);
    const std::string_view side = sides.front();
    const LoadedMap& from = side == "ours"     ? merge.Stages.Ours
                            : side == "theirs" ? merge.Stages.Theirs
                                               : merge.Stages.Base;
    std::size_t resolved = 0;
    std::size_t left = 0;
    const std::span<TileCode> cells = merge.Worktree.Grid->Cells();
    for (const std::int32_t cell : merge.Marked) {
        const bool named =
            chosen.empty() || std::any_of(chosen.begin(), chosen.end(),
                                          [&](const CellArea& area) { return Inside(cell, area); });
        if (named) {
            cells[static_cast<std::size_t>(cell)] =
                from.Grid->Cells()[static_cast<std::size_t>(cell)];
            ++resolved;
        } else {
            ++left;
        }
    }
    if (resolved > 0) {
        WriteMapOutput(path, *merge.Worktree.Grid, merge.Worktree.TileSet.value_or(0),
                       merge.Worktree.Read.Version, console,
                       std::min<std::uint64_t>(kMapFileBytes, merge.Worktree.FileSize));
    }
    console.Out << "took "
                << (side == "ours"     ? "our side"
                    : side == "theirs" ? "their side"
                                       : "the base")
                << "'s codes for " << CellCount(resolved);
    if (left > 0) {
        console.Out << "; " << CellCount(left) << " still hold the conflict mark\n";
    } else {
        console.Out << "\n" << ResolvedText(path);
    }
    return kExitSuccess;
}

}  // namespace velmora
