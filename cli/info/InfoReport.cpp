// The text and JSON forms of a map's description. The text aligns every
// value after its label, and the counts of the code list on their last digit,
// so that a column of numbers reads at a glance.
#include "cli/info/InfoReport.h"

#include "cli/MapCondition.h"
#include "core/merge/MapMerge.h"
#include "core/tiles/TileNames.h"
#include "core/tiles/TileSet.h"
#include "core/tiles/TileTables.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <optional>

namespace velmora {
namespace {

// Values start in this column, after the two-blank indent and the label.
constexpr std::size_t kValueColumn = 14;
const std::string kValueIndent(kValueColumn, ' ');
// Codes and cells under a value are indented a little further.
const std::string kListIndent(kValueColumn + 2, ' ');

std::string Label(const std::string& label) {
    std::string text = "  " + label + ":";
    text.resize(kValueColumn, ' ');
    return text;
}

std::string RightAligned(const std::string& text, const std::size_t width) {
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

bool NamesKnown(const LoadedMap& map) {
    return map.TileSet && IsKnownTileSet(*map.TileSet);
}

std::size_t ShownCodeCount(const MapSummary& summary, const bool allCodes) {
    return allCodes ? summary.Codes.size() : std::min(summary.Codes.size(), kMostUsedCodesShown);
}

std::string CodesText(const LoadedMap& map, const MapSummary& summary, const bool allCodes) {
    if (summary.Codes.empty()) {
        return Label("codes") + "none\n";
    }
    const std::size_t shown = ShownCodeCount(summary, allCodes);
    std::string text = Label("codes") + GroupedNumber(summary.Codes.size()) + " different";
    text +=
        shown < summary.Codes.size() ? ", the " + std::to_string(shown) + " most used:\n" : ":\n";
    const std::size_t width = GroupedNumber(summary.Codes.front().Count).size();
    const TileNames names(map.TileSet);
    const bool named = NamesKnown(map);
    for (std::size_t i = 0; i < shown; ++i) {
        const CodeCount& counted = summary.Codes[i];
        const std::string code =
            counted.Code == kConflictMark
                ? std::to_string(counted.Code) + " (conflict mark)"
                : (named ? names.CodeText(counted.Code) : std::to_string(counted.Code));
        text +=
            kListIndent + RightAligned(GroupedNumber(counted.Count), width) + "  " + code + "\n";
    }
    if (shown < summary.Codes.size()) {
        text += kValueIndent + "and " + GroupedNumber(summary.Codes.size() - shown) +
                " more; --all lists every code\n";
    }
    return text;
}

std::string NoTileText(const LoadedMap& map, const MapSummary& summary) {
    if (!NamesKnown(map)) {
        return Label("no tile") + "not known without a known tile set\n";
    }
    if (summary.NoTile.empty()) {
        return Label("no tile") + "none\n";
    }
    std::string text;
    std::string label = Label("no tile");
    for (const NoTileCode& code : summary.NoTile) {
        text += label + std::to_string(code.Code) + " in " + CellCount(code.Count);
        text += code.FirstCells.size() < code.Count
                    ? ", the first " + std::to_string(code.FirstCells.size()) + ":\n"
                    : ":\n";
        for (const MapCell cell : code.FirstCells) {
            text += kListIndent + CellText(cell) + "\n";
        }
        label = kValueIndent;
    }
    return text;
}

std::string ProblemsText(const MapSummary& summary) {
    if (summary.Problems.empty()) {
        return Label("problems") + "none\n";
    }
    std::string text;
    std::string label = Label("problems");
    for (const std::string& problem : summary.Problems) {
        text += label + problem + "\n";
        label = kValueIndent;
    }
    return text;
}

QJsonValue OrNull(const bool present, const QJsonValue& value) {
    return present ? value : QJsonValue(QJsonValue::Null);
}

QJsonValue NameOrNull(const TileNames& names, const TileCode code) {
    const TileEntry* const entry = names.Find(code);
    return OrNull(entry != nullptr,
                  QString::fromStdString(std::string(entry != nullptr ? entry->Name.View() : "")));
}

}  // namespace

std::string InfoText(const LoadedMap& map, const MapSummary& summary, const bool allCodes) {
    std::string text = map.Path + "\n";
    text +=
        Label("size") + GroupedNumber(map.FileSize) + (map.FileSize == 1 ? " byte\n" : " bytes\n");
    text += Label("grid") + (map.Read.GridComplete()
                                 ? "complete, " + GroupedNumber(kMapCellCount) + " cells\n"
                                 : "cut short, " + GroupedNumber(map.Read.CellsRead) + " of " +
                                       GroupedNumber(kMapCellCount) + " cells\n");
    text += Label("tile set") + TileSetText(map.TileSet) + "\n";
    text += Label("version") + VersionText(map.StoredVersion());
    text += WrittenByNewerVersion(map)
                ? ", newer than this program's " + VersionText(kProgramVersion) + "\n"
                : "\n";
    text += Label("trailing") + (map.TrailingBytes() == 0 ? "none\n"
                                                          : GroupedNumber(map.TrailingBytes()) +
                                                                " bytes after the end\n");
    text += CodesText(map, summary, allCodes);
    text += NoTileText(map, summary);
    text += ProblemsText(summary);
    return text;
}

std::string InfoJson(const LoadedMap& map, const MapSummary& summary, const bool allCodes) {
    const TileNames names(map.TileSet);
    const bool named = NamesKnown(map);
    const auto version = map.StoredVersion();

    QJsonArray codes;
    const std::size_t shown = ShownCodeCount(summary, allCodes);
    for (std::size_t i = 0; i < shown; ++i) {
        const CodeCount& counted = summary.Codes[i];
        codes.append(QJsonObject{{"code", counted.Code},
                                 {"count", static_cast<qint64>(counted.Count)},
                                 {"name", NameOrNull(names, counted.Code)}});
    }
    QJsonArray noTile;
    for (const NoTileCode& code : summary.NoTile) {
        QJsonArray cells;
        for (const MapCell cell : code.FirstCells) {
            cells.append(QJsonObject{{"x", cell.X}, {"y", cell.Y}});
        }
        noTile.append(QJsonObject{
            {"code", code.Code}, {"count", static_cast<qint64>(code.Count)}, {"cells", cells}});
    }
    QJsonArray problems;
    for (const std::string& problem : summary.Problems) {
        problems.append(QString::fromStdString(problem));
    }

    const QJsonObject object{
        {"file", QString::fromStdString(map.Path)},
        {"size", static_cast<qint64>(map.FileSize)},
        {"cellsHeld", map.Read.CellsRead},
        {"gridComplete", map.Read.GridComplete()},
        {"tileSet", OrNull(map.TileSet.has_value(), map.TileSet.value_or(0))},
        {"tileSetName", OrNull(named, named ? QString::fromStdString(std::string(TileSetMenuCaption(
                                                  static_cast<TileSet>(*map.TileSet))))
                                            : QString())},
        {"version", OrNull(version.has_value(), QString::fromStdString(VersionText(version)))},
        {"newer", WrittenByNewerVersion(map)},
        {"trailingBytes", static_cast<qint64>(map.TrailingBytes())},
        {"differentCodes", static_cast<qint64>(summary.Codes.size())},
        {"codes", codes},
        {"noTileCells", OrNull(named, static_cast<qint64>(summary.NoTileCells))},
        {"noTile", OrNull(named, noTile)},
        {"conflictCells", static_cast<qint64>(summary.MarkedCells)},
        {"problems", problems},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

}  // namespace velmora
