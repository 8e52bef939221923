// The edit subcommand: replaces, fills and copies cells and sets the tile
// set of many maps at once, from options or a script file. Every map is
// loaded and edited in memory first; only when every one could be edited is
// each changed map written whole, and a map that did not change is not
// touched.
#include "cli/Subcommands.h"

#include "cli/CommandErrors.h"
#include "cli/CommandLine.h"
#include "cli/MapCondition.h"
#include "cli/MapInput.h"
#include "cli/OutputFile.h"
#include "cli/edit/EditScript.h"
#include "core/document/MapFile.h"
#include "core/edit/MapEdits.h"
#include "core/merge/MapMerge.h"
#include "core/tiles/TileNames.h"

#include <algorithm>
#include <map>
#include <memory>
#include <numeric>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace velmora {
namespace {

constexpr char kHelp[] =
    R"(Usage: velmora-map edit [OPERATION]... [--script FILE] [--dry-run] MAP...
Change cells and the tile set of every MAP at once: the operations given as
options, in the order given, then the lines of the script. Codes are numbers
or tile names as each map's own tile set names them (as info names them;
case-insensitive, the whole name), read in the tile set the map has when the
operation runs. A name that several codes share (the dungeon set's
"Tentacular Cluster") means all of them where codes are looked for, and is
refused where a code is written; a code written must name a tile.

Operations:
      --replace FROM=TO       every cell holding FROM gets TO; FROM may be a
                                list A,B,C
      --region X,Y,W,H        limit the next --replace (the first one after
                                it, and only that one) to the W x H cells
                                from (X, Y)
      --fill X,Y,W,H=TILE     every cell of the W x H cells from (X, Y)
      --copy SOURCE.map:X,Y,W,H@X,Y
                              the W x H cells of SOURCE (as stored, before
                                this edit) from its cell (X, Y), placed with
                                their north-west corner at the cell after @;
                                both maps must store the same tile set
      --tileset N             store tile set N (0 to 4, or its caption as in
                                the editor's Tile Types menu); the codes stay
                                as they are
Areas reaching past the map's edge are refused, not clipped.

Options:
      --script FILE           then the operations of FILE ('-': standard
                                input), one per line without the leading
                                dashes ("replace Shallow Water=Wall"); a line
                                starting with # is a comment, blank lines are
                                ignored
      --dry-run               print for each map the cells each operation
                                would change and how many in all, and write
                                nothing
  -h, --help                  show this help and exit

Every map is loaded and edited in memory first. A map that is missing,
damaged or cut short, holds the conflict mark of a merge, lacks a tile name
used or fails an operation makes the edit fail, naming the map and the
operation, and then no map is written. Otherwise each map that changed is
written as the editor saves it, whole and then put in place, keeping the
version it stores (this program's version only for a file that stores
none); a map that did not change is not touched. One line per map tells how
many cells changed, or "unchanged".

Exit status: 0 when every map was edited (or, with --dry-run, could be);
2 when a map cannot be read, edited or written, or for bad arguments.
)";

// A map loaded to be edited or copied from: a whole one, without marks of a
// merge, whose every cell an operation can read.
LoadedMap LoadEditable(const std::string& path) {
    LoadedMap map = LoadMap(path);
    for (const ConditionNote& note : DescribeCondition(map)) {
        if (note.IsDamage()) {
            throw FileError(path, "cannot be edited: " + note.Text);
        }
    }
    const std::size_t marked = MarkedCells(std::as_const(*map.Grid).Cells()).size();
    if (const auto text = ConflictMarkText(marked)) {
        throw FileError(path, "cannot be edited: " + *text +
                                  "; resolve them (velmora-map resolve) before editing");
    }
    return map;
}

// What an edit did to one map.
struct EditedMap {
    LoadedMap Map;
    std::int32_t OldTileSet = 0;
    // Cells each operation changed, in order.
    std::vector<std::size_t> Changed;
    // Cells that differ from the map as loaded.
    std::size_t InAll = 0;

    bool IsChanged() const { return InAll > 0 || OldTileSet != *Map.TileSet; }
};

std::vector<TileCode> CodesOf(const std::string& text, const TileNames& names,
                              const std::int32_t tileSet) {
    std::vector<TileCode> codes = names.CodesMeant(text);
    if (codes.empty()) {
        throw UserError("no tile is named '" + text + "' in " + TileSetText(tileSet));
    }
    return codes;
}

TileCode TargetOf(const std::string& text, const TileNames& names, const std::int32_t tileSet) {
    const std::vector<TileCode> codes = CodesOf(text, names, tileSet);
    if (codes.size() > 1) {
        std::string list;
        for (const TileCode code : codes) {
            list += (list.empty() ? "" : ", ") + std::to_string(code);
        }
        throw UserError("'" + text + "' names " + std::to_string(codes.size()) + " codes in " +
                        TileSetText(tileSet) + "; write one of " + list);
    }
    if (names.Find(codes.front()) == nullptr) {
        throw UserError("code " + std::to_string(codes.front()) + " names no tile in " +
                        TileSetText(tileSet) + ", so it is not written");
    }
    return codes.front();
}

using Sources = std::map<std::string, LoadedMap>;

std::size_t Apply(const EditOperation& operation, LoadedMap& map, const Sources& sources) {
    std::int32_t& tileSet = *map.TileSet;
    const TileNames names(tileSet);
    switch (operation.What) {
        case EditOperation::Kind::Replace: {
            std::vector<TileCode> from;
            for (const std::string& text : operation.From) {
                const std::vector<TileCode> codes = CodesOf(text, names, tileSet);
                from.insert(from.end(), codes.begin(), codes.end());
            }
            return ReplaceCodes(*map.Grid, from, TargetOf(operation.To, names, tileSet),
                                operation.Area);
        }
        case EditOperation::Kind::Fill:
            return FillArea(*map.Grid, operation.Area, TargetOf(operation.To, names, tileSet));
        case EditOperation::Kind::Copy: {
            const LoadedMap& source = sources.at(operation.Source);
            if (*source.TileSet != tileSet) {
                throw UserError(operation.Source + " stores the tile set " +
                                TileSetText(source.TileSet) + ", this map " + TileSetText(tileSet) +
                                ", where the same codes mean other tiles; the copy is refused");
            }
            return CopyArea(*map.Grid, *source.Grid, operation.Area, operation.At);
        }
        case EditOperation::Kind::TileSet:
            tileSet = operation.TileSet;
            return 0;
    }
    return 0;
}

EditedMap EditMap(const std::string& path, const std::vector<EditOperation>& operations,
                  const Sources& sources) {
    EditedMap edited;
    edited.Map = LoadEditable(path);
    edited.OldTileSet = *edited.Map.TileSet;
    // With one operation on cells its count is the whole change; only with
    // more, which may change a cell twice or back, is the map compared with
    // a copy of itself (4 MB more to touch, the cost of a small map's edit).
    const auto cellOperations =
        std::count_if(operations.begin(), operations.end(), [](const EditOperation& operation) {
            return operation.What != EditOperation::Kind::TileSet;
        });
    std::optional<MapGrid> original;
    if (cellOperations > 1) {
        original.emplace(*edited.Map.Grid);
    }
    for (const EditOperation& operation : operations) {
        try {
            edited.Changed.push_back(Apply(operation, edited.Map, sources));
        } catch (const UserError& error) {
            throw FileError(path, operation.Label + ": " + error.what());
        }
    }
    edited.InAll =
        original ? CountDifferingCells(original->Cells(), std::as_const(*edited.Map.Grid).Cells())
                 : std::accumulate(edited.Changed.begin(), edited.Changed.end(), std::size_t{0});
    return edited;
}

std::string TileSetChange(const EditedMap& edited) {
    return "tile set " + TileSetText(edited.OldTileSet) + " -> " + TileSetText(edited.Map.TileSet);
}

std::string DryRunText(const EditedMap& edited, const std::vector<EditOperation>& operations) {
    std::string text =
        edited.Map.Path + ": " +
        (edited.IsChanged()
             ? CellCount(edited.InAll) + " would change" +
                   (edited.OldTileSet != *edited.Map.TileSet ? ", " + TileSetChange(edited) : "")
             : "unchanged") +
        "\n";
    for (std::size_t i = 0; i < operations.size(); ++i) {
        text += "  " + operations[i].Label + ": " +
                (operations[i].What == EditOperation::Kind::TileSet
                     ? "tile set " + TileSetText(operations[i].TileSet)
                     : CellCount(edited.Changed[i])) +
                "\n";
    }
    return text;
}

// The operation options in the order given: the parser keeps each option's
// values in order but not the order among options.
std::vector<std::string> OperationOrder(const QStringList& arguments) {
    std::vector<std::string> order;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QStringLiteral("--")) {
            break;
        }
        if (argument == QStringLiteral("--script")) {
            ++i;
            continue;
        }
        for (const std::string_view word : kOperationWords) {
            const QString option =
                QStringLiteral("--") + QString::fromLatin1(word.data(), word.size());
            if (argument == option) {
                ++i;  // its value, whatever it looks like
                order.emplace_back(word);
            } else if (argument.startsWith(option + QLatin1Char('='))) {
                order.emplace_back(word);
            }
        }
    }
    return order;
}

}  // namespace

int RunEdit(const QStringList& arguments, Console& console) {
    CommandLine line("edit", kHelp);
    for (const std::string_view word : kOperationWords) {
        line.AddOption(QCommandLineOption(QString::fromLatin1(word.data(), word.size()), QString(),
                                          QStringLiteral("VALUE")));
    }
    line.AddOption(QCommandLineOption(QStringLiteral("script"), QString(), QStringLiteral("FILE")));
    line.AddOption(QCommandLineOption(QStringLiteral("dry-run")));
    if (!line.Parse(arguments, console, 1, -1)) {
        return kExitSuccess;
    }
    const bool dryRun = line.IsSet(QStringLiteral("dry-run"));

    EditOperations operations;
    std::map<std::string, qsizetype> used;
    for (const std::string& word : OperationOrder(arguments)) {
        const QString name = QString::fromStdString(word);
        const QStringList values = line.Values(name);
        const qsizetype index = used[word]++;
        if (index >= values.size()) {
            throw UsageError("--" + word + " is given without its value");
        }
        const std::string value = values[index].toStdString();
        try {
            operations.Add(word, value, "--" + word + " " + value);
        } catch (const UserError& error) {
            throw UsageError("--" + word + " " + error.what());
        }
    }
    try {
        operations.Finish();
    } catch (const UserError&) {
        throw UsageError("--region is given with no --replace after it to limit");
    }
    if (line.IsSet(QStringLiteral("script"))) {
        const std::string script = line.Value(QStringLiteral("script")).toStdString();
        const std::vector<std::uint8_t> bytes = ReadInputBytes(script);
        ReadEditScript(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                       script == kStandardInputName ? "standard input" : script, operations);
    }
    if (operations.List().empty()) {
        throw UsageError("name an operation (--replace, --fill, --copy, --tileset) or a --script");
    }

    std::vector<std::string> paths;
    for (const QString& path : line.Positional()) {
        paths.push_back(path.toStdString());
        if (paths.back() == kStandardInputName) {
            throw UsageError("edit writes each map file in its place; name the file, not '-'");
        }
        for (std::size_t i = 0; i + 1 < paths.size(); ++i) {
            if (IsSameFile(paths[i], paths.back())) {
                throw UsageError(paths.back() + " names the same file as " + paths[i] +
                                 "; name each map once");
            }
        }
    }

    Sources sources;
    for (const EditOperation& operation : operations.List()) {
        if (operation.What == EditOperation::Kind::Copy && !sources.contains(operation.Source)) {
            if (operation.Source == kStandardInputName) {
                throw UsageError(operation.Label + ": copy from a map file, not '-'");
            }
            try {
                sources.emplace(operation.Source, LoadEditable(operation.Source));
            } catch (const FileError& error) {
                throw FileError(error.File(), operation.Label + ": " + error.what());
            }
        }
    }

    // Every map is edited before any is written; a changed map is kept in
    // memory (4 MB) until then, an unchanged one only as its result.
    std::vector<EditedMap> edited;
    std::size_t failed = 0;
    for (const std::string& path : paths) {
        try {
            edited.push_back(EditMap(path, operations.List(), sources));
            if (!edited.back().IsChanged()) {
                edited.back().Map.Grid.reset();
            }
        } catch (const FileError& error) {
            console.Complain(error.File(), error.what());
            ++failed;
        }
    }
    if (failed > 0) {
        console.Err << kProgramName << " edit: no map was written: " << failed << " of "
                    << paths.size() << (paths.size() == 1 ? " map" : " maps")
                    << " cannot be edited\n";
        return kExitTrouble;
    }
    for (EditedMap& map : edited) {
        if (dryRun) {
            console.Out << DryRunText(map, operations.List());
            continue;
        }
        if (map.IsChanged()) {
            WriteMapOutput(map.Map.Path, *map.Map.Grid, *map.Map.TileSet,
                           map.Map.StoredVersion().value_or(kProgramVersion), console);
            map.Map.Grid.reset();
            console.Out << map.Map.Path << ": " << CellCount(map.InAll) << " changed"
                        << (map.OldTileSet != *map.Map.TileSet ? ", " + TileSetChange(map) : "")
                        << "\n";
        } else {
            console.Out << map.Map.Path << ": unchanged\n";
        }
        console.Out.flush();
    }
    return kExitSuccess;
}

}  // namespace velmora
