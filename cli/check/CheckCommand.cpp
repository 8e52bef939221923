// The check subcommand: every map checked as info checks it and against the
// rules of its world's rules file, each broken rule reported once per area of
// touching cells. The rules files are all read before any map is, so that a
// bad rules file stops the check before it has said anything about the maps.
#include "cli/Subcommands.h"

#include "cli/CommandErrors.h"
#include "cli/CommandLine.h"
#include "cli/MapCondition.h"
#include "cli/check/CheckReport.h"
#include "cli/check/MapFiles.h"
#include "cli/check/RulesFile.h"
#include "cli/info/MapSummary.h"

#include <algorithm>
#include <array>
#include <set>

namespace velmora {
namespace {

constexpr char kHelp[] = R"(Usage: velmora-map check [OPTION]... MAP|FOLDER...
Check each map as info does (damage, cells that hold the conflict mark, codes
that name no tile) and against the rules of its world: by default those of
the file velmora-rules.toml in the map's folder or the nearest folder above
it, up to the top of the git work tree the map lies in (outside a work tree,
only the map's own folder). Folders are searched for *.map files, subfolders
too. Each broken rule is reported once per area of touching cells:
  castle.map:510,487: "Shallow Water" touches "Bottomless Pit" (12 cells in 3 x 5) [no-water-by-pits]
and a last line counts the findings per rule.

A rules file holds [[rule]] tables of these keys:
  name = "no-water-by-pits"     required and unique: findings name it
  maps = "dungeons/*.map"       optional: the maps it applies to, a pattern
                                  relative to the rules file's folder
  tileset = "Dungeon - VL"      optional: a caption or a number, 0 to 4;
                                  without it the rule applies to the maps of
                                  every tile set that has all its tiles
  area = [0, 0, 999, 999]       optional: x, y, width, height
and exactly one kind, its tiles named as the map's tile set names them
(whole names, any case) or given as codes:
  only = [...]                  every cell holds one of these
  never = [...]                 no cell holds one of these
  tiles = [...] with never-touch = [...]
                                no cell of the first list has one of its
                                  four neighbours in the second
  count = "Stairs Down" with at-least = N and/or at-most = N
                                how many cells hold the tile
  edge = [...]                  every cell of the map's edge (or the area's)
                                  holds one of these

Options:
      --rules FILE            check against FILE's rules instead
      --format text|json|github
                              lines of text (the default), one JSON object
                                per line, or GitHub Actions annotations
  -h, --help                  show this help and exit

Exit status: 0 when nothing is found; 1 when a rule is broken or a map is
damaged or doubtful; 2 for a rules file that cannot be read or is not well
formed (nothing is checked then), a map that cannot be read (the others are
still checked), a folder without maps or bad arguments.
)";

CheckFormat FormatOf(const CommandLine& line) {
    constexpr std::array kFormats{CheckFormat::Text, CheckFormat::Json, CheckFormat::GitHub};
    return kFormats[line.ChoiceValue(QStringLiteral("format"), {"text", "json", "github"})
                        .value_or(0)];
}

std::string AreaText(const CellArea& area, const std::uint64_t cells) {
    return CellCount(cells) + " in " + std::to_string(area.Columns) + " x " +
           std::to_string(area.Rows);
}

std::string BoundsText(const MapRule& rule) {
    if (rule.AtLeast && rule.AtMost) {
        return *rule.AtLeast == *rule.AtMost ? "exactly " + GroupedNumber(*rule.AtLeast) + " wanted"
                                             : GroupedNumber(*rule.AtLeast) + " to " +
                                                   GroupedNumber(*rule.AtMost) + " wanted";
    }
    return rule.AtLeast ? "at least " + GroupedNumber(*rule.AtLeast) + " wanted"
                        : "at most " + GroupedNumber(*rule.AtMost) + " wanted";
}

std::string FindingText(const FileRule& named, const MapRule& rule, const RuleFinding& found) {
    const CellGroup& group = found.Cells;
    const std::string size = " (" + AreaText(group.Bounds, group.Cells.size()) + ")";
    const bool inBlock = rule.Area.Columns != kMapSide || rule.Area.Rows != kMapSide;
    switch (rule.Kind) {
        case RuleKind::Only:
            return "a tile other than " + named.TilesText + size;
        case RuleKind::Never:
            return named.TilesText + ", which the rule forbids" + size;
        case RuleKind::NeverTouch:
            return named.TilesText + " touches " + named.TouchingText + size;
        case RuleKind::Edge:
            return std::string(inBlock ? "the area's" : "the map's") +
                   " edge holds a tile other than " + named.TilesText + size;
        case RuleKind::Count:
            return named.TilesText + " is held by " + CellCount(found.Counted) +
                   (inBlock ? " of the area " + std::to_string(rule.Area.Columns) + " x " +
                                  std::to_string(rule.Area.Rows)
                            : "") +
                   ", " + BoundsText(rule);
    }
    return {};
}

// The findings of one map, in the order of its rules.
std::vector<CheckFinding> CheckMap(const std::string& path, const RulesFile* rules) {
    CountedMap counted = LoadAndCountMap(path);
    const LoadedMap& map = counted.Map;
    std::vector<CheckFinding> findings;
    const auto fileFinding = [&](std::string text) {
        findings.push_back(CheckFinding{path, {}, "file", std::nullopt, 0, std::move(text)});
    };
    for (ConditionNote& note : DescribeCondition(map)) {
        fileFinding(std::move(note.Text));
    }
    for (std::string& note : CodeNotes(map.TileSet, counted.Codes)) {
        fileFinding(std::move(note));
    }
    if (rules == nullptr) {
        return findings;
    }
    const std::span<const TileCode> cells = std::as_const(*map.Grid).Cells();
    // The cells a file cut short lacks are 0 to the rules, as to the editor.
    const std::vector<CodeCount> codes =
        map.Read.GridComplete() ? std::move(counted.Codes) : CountCodes(cells);
    for (const FileRule& named : rules->Rules) {
        const MapRule* const rule = named.For(map.TileSet);
        if (rule == nullptr || !RuleCoversMap(named, *rules, path)) {
            continue;
        }
        const bool wholeMapCount = rule->Kind == RuleKind::Count &&
                                   rule->Area.Columns == kMapSide && rule->Area.Rows == kMapSide;
        for (const RuleFinding& found : CheckRule(*rule, cells, codes)) {
            findings.push_back(CheckFinding{
                path, named.Name, RuleKindKey(rule->Kind),
                wholeMapCount ? std::nullopt : std::optional<CellArea>(found.Cells.Bounds),
                rule->Kind == RuleKind::Count ? found.Counted : found.Cells.Cells.size(),
                FindingText(named, *rule, found)});
        }
    }
    return findings;
}

}  // namespace

int RunCheck(const QStringList& arguments, Console& console) {
    CommandLine line("check", kHelp);
    line.AddOption(QCommandLineOption(QStringLiteral("rules"), QString(), QStringLiteral("FILE")));
    line.AddOption(QCommandLineOption(QStringLiteral("format"), QString(), QStringLiteral("F")));
    if (!line.Parse(arguments, console, 1, -1)) {
        return kExitSuccess;
    }
    const CheckFormat format = FormatOf(line);
    RefuseStandardInputTwice(line.Positional());
    const std::vector<std::string> maps = MapFilesIn(line.Positional());

    // Every rules file first: a bad one stops the check before any map.
    std::optional<RulesFile> given;
    if (line.IsSet(QStringLiteral("rules"))) {
        given = ReadRulesFile(line.Value(QStringLiteral("rules")).toStdString());
    }
    RulesFinder finder;
    std::vector<const RulesFile*> rulesOf;
    for (const std::string& map : maps) {
        rulesOf.push_back(given ? &*given : finder.For(map));
    }
    CheckTally tally;
    tally.Maps = maps.size();
    std::set<const RulesFile*> files(rulesOf.begin(), rulesOf.end());
    for (const RulesFile* const file : files) {
        tally.Rules += file != nullptr ? file->Rules.size() : 0;
    }

    int status = kExitSuccess;
    for (std::size_t i = 0; i < maps.size(); ++i) {
        try {
            const std::vector<CheckFinding> findings = CheckMap(maps[i], rulesOf[i]);
            for (const CheckFinding& finding : findings) {
                console.Out << FindingLine(finding, format);
                ++tally.PerRule[finding.Rule.empty() ? kFileChecks : finding.Rule];
            }
            if (!findings.empty()) {
                ++tally.MapsWithFindings;
                status = std::max<int>(status, kExitAnswerNo);
            }
        } catch (const FileError& error) {
            console.Out.flush();
            console.Complain(error.File(), error.what());
            status = kExitTrouble;
        }
    }
    console.Out << SummaryLine(tally, format);
    console.Out.flush();
    return status;
}

}  // namespace velmora
