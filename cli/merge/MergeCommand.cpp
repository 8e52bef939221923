// The merge subcommand: the three-way merge of maps, cell by cell, as git's
// merge driver for map files. The result is written whole and then put in
// OURS's place (or OUT's); with conflicts the conflicting cells hold the
// conflict mark, and a whole-map conflict writes nothing.
#include "cli/Subcommands.h"

#include "cli/CommandErrors.h"
#include "cli/CommandLine.h"
#include "cli/MapCondition.h"
#include "cli/MapInput.h"
#include "cli/OutputFile.h"
#include "cli/merge/ConflictReport.h"
#include "core/document/MapFile.h"
#include "core/merge/MapMerge.h"
#include "core/tiles/TileNames.h"

#include <array>
#include <string>

namespace velmora {
namespace {

constexpr char kHelp[] = R"(Usage: velmora-map merge [OPTION]... BASE OURS THEIRS
Merge the changes that OURS and THEIRS made to the map BASE, cell by cell,
and write the result over OURS (or into OUT), as git's merge driver for map
files does (see 'velmora-map setup-git').

A cell that only one side changed takes that side's code; a cell that both
changed to the same code takes it; a cell that both changed to different
codes is a conflict and holds the conflict mark, code -777777777, which names
no tile in any tile set. The tile set follows the same rule, but when both
sides changed it differently, or one changed it while the other changed
cells (which the new tile set would read as other tiles), the whole map is a
conflict: nothing is merged and OURS is left as it was. The version stamp is
the newer of the two sides'.

Options:
      --output OUT           write the result into OUT instead of over OURS
      --favor ours|theirs    give conflicting cells that side's code instead
                               of the mark: the merge is then clean
  -h, --help                 show this help and exit

Exit status: 0 when the maps merged cleanly; 1 when conflicts remain, which
are listed on standard output; 2 when a map is missing, damaged, cut short
or holds conflict marks already, for bad arguments or a failed write, and
then no file is changed.
)";

// What a merge takes in: a whole map, without marks of a merge before.
LoadedMap LoadMergeInput(const std::string& path, Console& console) {
    LoadedMap map = LoadMap(path);
    for (const ConditionNote& note : DescribeCondition(map)) {
        if (note.IsDamage() && note.What != ConditionNote::Kind::BytesAfterEnd) {
            throw FileError(path, "cannot be merged: " + note.Text);
        }
    }
    WarnOfCondition(console, map);
    const std::span<const TileCode> cells = std::as_const(*map.Grid).Cells();
    if (const std::size_t marked = MarkedCells(cells).size(); marked > 0) {
        throw FileError(path, CellCount(marked) +
                                  (marked == 1 ? " already holds" : " already hold") +
                                  " the conflict mark of a merge; " +
                                  "resolve them (velmora-map resolve) before merging again");
    }
    const std::int32_t tileSet = *map.TileSet;
    if (const auto noTile = NoTileText(tileSet, NoTileCells(tileSet, CountCodes(cells)))) {
        console.Warn(path, *noTile);
    }
    return map;
}

MergeInput InputOf(const LoadedMap& map) {
    return MergeInput{std::as_const(*map.Grid).Cells(), *map.TileSet, map.StoredVersion()};
}

// Why nothing was merged, naming which side changed what.
std::string WholeMapText(const MapMergeResult& result, const MergeInput& base,
                         const MergeInput& ours, const MergeInput& theirs) {
    // "ours changed the tile set from A to B while theirs changed N cells".
    const auto oneSide = [&](const char* side, const MergeInput& changed, const char* other,
                             const std::size_t cells) {
        return std::string(side) + " changed the tile set from " + TileSetText(base.TileSet) +
               " to " + TileSetText(changed.TileSet) + " while " + other + " changed " +
               CellCount(cells) + ", which the new tile set would read as other tiles";
    };
    std::string why;
    switch (result.WholeMap) {
        case WholeMapConflict::BothChangedTileSet:
            why = "both sides changed the tile set " + TileSetText(base.TileSet) + ": ours to " +
                  TileSetText(ours.TileSet) + ", theirs to " + TileSetText(theirs.TileSet);
            break;
        case WholeMapConflict::OursChangedTileSetTheirsCells:
            why = oneSide("ours", ours, "theirs", result.TheirsChanged);
            break;
        case WholeMapConflict::TheirsChangedTileSetOursCells:
            why = oneSide("theirs", theirs, "ours", result.OursChanged);
            break;
        case WholeMapConflict::None:
            break;
    }
    return "the whole map conflicts: " + why + "; nothing was merged and ours is left as it was\n";
}

}  // namespace

int RunMerge(const QStringList& arguments, Console& console) {
    CommandLine line("merge", kHelp);
    line.AddOption(QCommandLineOption(QStringLiteral("output"), QString(), QStringLiteral("OUT")));
    line.AddOption(QCommandLineOption(QStringLiteral("favor"), QString(), QStringLiteral("SIDE")));
    if (!line.Parse(arguments, console, 3, 3)) {
        return kExitSuccess;
    }
    constexpr std::array kSides{MergeFavor::Ours, MergeFavor::Theirs};
    const std::optional<std::size_t> side =
        line.ChoiceValue(QStringLiteral("favor"), {"ours", "theirs"});
    const MergeFavor favor = side ? kSides[*side] : MergeFavor::None;
    RefuseStandardInputTwice(line.Positional());
    const std::string basePath = line.Positional()[0].toStdString();
    const std::string oursPath = line.Positional()[1].toStdString();
    const std::string theirsPath = line.Positional()[2].toStdString();
    const std::string output = line.IsSet(QStringLiteral("output"))
                                   ? line.Value(QStringLiteral("output")).toStdString()
                                   : oursPath;
    if (output == kStandardInputName && !line.IsSet(QStringLiteral("output"))) {
        throw UsageError("ours is read from standard input, so name the result with --output OUT");
    }
    RefuseOutputOverInput(basePath, output, "the base map");
    RefuseOutputOverInput(theirsPath, output, "their map");
    RefuseBinaryOnTerminal(output, "a map file", console);

    const LoadedMap base = LoadMergeInput(basePath, console);
    const LoadedMap ours = LoadMergeInput(oursPath, console);
    const LoadedMap theirs = LoadMergeInput(theirsPath, console);
    MapGrid merged;
    const MergeInput baseInput = InputOf(base);
    const MergeInput oursInput = InputOf(ours);
    const MergeInput theirsInput = InputOf(theirs);
    const MapMergeResult result =
        MergeMaps(baseInput, oursInput, theirsInput, favor, merged.Cells());
    if (result.WholeMap != WholeMapConflict::None) {
        console.Out << WholeMapText(result, baseInput, oursInput, theirsInput);
        return kExitAnswerNo;
    }
    // Neither side stored a version: the merge stores none either.
    WriteMapOutput(output, merged, result.TileSet, result.Version.value_or(VersionTriple{}),
                   console, result.Version ? kMapFileBytes : kTileSetBytes);
    if (result.Conflicts.empty()) {
        return kExitSuccess;
    }
    if (favor != MergeFavor::None) {
        console.Out << CellCount(result.Conflicts.size()) << " that both sides changed took "
                    << (favor == MergeFavor::Ours ? "our" : "their") << " side's code\n";
        return kExitSuccess;
    }
    console.Out << ConflictText(result.Conflicts, {base.Grid->Cells(), baseInput.TileSet},
                                {ours.Grid->Cells(), oursInput.TileSet},
                                {theirs.Grid->Cells(), theirsInput.TileSet});
    return kExitAnswerNo;
}

}  // namespace velmora
