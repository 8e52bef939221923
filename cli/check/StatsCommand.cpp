// The stats subcommand: which tiles a world's maps use, per tile set, as
// aligned text, one JSON document or CSV rows.
#include "cli/Subcommands.h"

#include "cli/CommandErrors.h"
#include "cli/CommandLine.h"
#include "cli/MapCondition.h"
#include "cli/check/MapFiles.h"
#include "cli/info/MapSummary.h"
#include "core/merge/MapMerge.h"
#include "core/rules/TileUsage.h"
#include "core/tiles/TileNames.h"
#include "core/tiles/TileSet.h"
#include "core/tiles/TileTables.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>

namespace velmora {
namespace {

constexpr char kHelp[] = R"(Usage: velmora-map stats [OPTION]... MAP|FOLDER...
Tell which tiles the maps use: for each tile set the maps use, every tile
with its cells across all the maps and how many maps hold it, the most used
first; the tiles of the set that no map holds; and the codes that name no
tile in the set, with the maps that hold them. Folders are searched for *.map
files, subfolders too.

Options:
      --format text|json|csv   aligned text (the default), one JSON object,
                                 or CSV rows of tileset, code, tile, cells,
                                 maps and, for codes that name no tile, the
                                 maps' files separated by ';'
  -h, --help                   show this help and exit

Exit status: 0 on success; 2 when a map cannot be read (the others are still
counted), for a folder without maps or bad arguments.
)";

enum class StatsFormat { Text, Json, Csv };

StatsFormat FormatOf(const CommandLine& line) {
    constexpr std::array kFormats{StatsFormat::Text, StatsFormat::Json, StatsFormat::Csv};
    return kFormats[line.ChoiceValue(QStringLiteral("format"), {"text", "json", "csv"})
                        .value_or(0)];
}

std::string TileName(const TileNames& names, const TileCode code) {
    const TileEntry* const entry = names.Find(code);
    return entry != nullptr ? std::string(entry->Name.View()) : std::string();
}

// `151 (no tile)`, or the conflict mark by its meaning.
std::string NoTileCodeText(const TileCode code) {
    return std::to_string(code) + (code == kConflictMark ? " (conflict mark)" : " (no tile)");
}

std::string Heading(const std::optional<std::int32_t> tileSet) {
    if (!tileSet) {
        return "no tile set stored";
    }
    return IsKnownTileSet(*tileSet) ? "tile set " + TileSetText(tileSet) : TileSetText(tileSet);
}

std::string Counted(const std::size_t count, const char* one, const char* many) {
    return GroupedNumber(count) + " " + (count == 1 ? one : many);
}

std::string Padded(const std::string& text, const std::size_t width) {
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

std::string FilesOf(const TileUse& use, const std::vector<std::string>& maps,
                    const char* separator) {
    std::string files;
    for (std::size_t i = 0; i < use.MapNumbers.size(); ++i) {
        files += (i == 0 ? "" : separator) + maps[use.MapNumbers[i]];
    }
    return files;
}

std::string StatsText(const std::vector<TileSetUsage>& sets, const std::vector<std::string>& maps) {
    std::string text;
    for (const TileSetUsage& set : sets) {
        const TileNames names(set.TileSet);
        text += (text.empty() ? "" : "\n") + Heading(set.TileSet) + ": " +
                Counted(set.Maps, "map", "maps") + "\n";
        std::size_t cellsWidth = 0;
        std::size_t mapsWidth = 0;
        for (const TileUse& use : set.Used) {
            cellsWidth = std::max(cellsWidth, GroupedNumber(use.Cells).size());
            mapsWidth = std::max(mapsWidth, GroupedNumber(use.Maps).size());
        }
        for (const TileUse& use : set.Used) {
            text += "  " + Padded(GroupedNumber(use.Cells), cellsWidth) +
                    (use.Cells == 1 ? " cell  in " : " cells in ") +
                    Padded(GroupedNumber(use.Maps), mapsWidth) +
                    (use.Maps == 1 ? " map:  " : " maps: ") + names.CodeText(use.Code) + "\n";
        }
        if (!set.Unused.empty()) {
            text += "  unused, " + Counted(set.Unused.size(), "tile", "tiles") + ":\n";
            for (const TileCode code : set.Unused) {
                text += "    " + names.CodeText(code) + "\n";
            }
        }
        if (!set.NoTile.empty()) {
            text += "  codes that name no tile:\n";
            for (const TileUse& use : set.NoTile) {
                text += "    " + NoTileCodeText(use.Code) + ": " + CellCount(use.Cells) + " in " +
                        FilesOf(use, maps, ", ") + "\n";
            }
        }
    }
    return text;
}

std::string StatsJson(const std::vector<TileSetUsage>& sets, const std::vector<std::string>& maps) {
    QJsonArray tileSets;
    for (const TileSetUsage& set : sets) {
        const TileNames names(set.TileSet);
        QJsonArray used;
        for (const TileUse& use : set.Used) {
            used.append(QJsonObject{{"code", use.Code},
                                    {"name", QString::fromStdString(TileName(names, use.Code))},
                                    {"cells", static_cast<qint64>(use.Cells)},
                                    {"maps", static_cast<qint64>(use.Maps)}});
        }
        QJsonArray unused;
        for (const TileCode code : set.Unused) {
            unused.append(QJsonObject{{"code", code},
                                      {"name", QString::fromStdString(TileName(names, code))}});
        }
        QJsonArray noTile;
        for (const TileUse& use : set.NoTile) {
            QJsonArray files;
            for (const std::size_t number : use.MapNumbers) {
                files.append(QString::fromStdString(maps[number]));
            }
            noTile.append(QJsonObject{
                {"code", use.Code}, {"cells", static_cast<qint64>(use.Cells)}, {"files", files}});
        }
        const bool known = set.TileSet && IsKnownTileSet(*set.TileSet);
        tileSets.append(QJsonObject{
            {"tileSet", set.TileSet ? QJsonValue(*set.TileSet) : QJsonValue()},
            {"caption", known ? QJsonValue(QString::fromUtf8(
                                    TileSetMenuCaption(static_cast<TileSet>(*set.TileSet))))
                              : QJsonValue()},
            {"maps", static_cast<qint64>(set.Maps)},
            {"tiles", used},
            {"unused", unused},
            {"noTile", noTile}});
    }
    const QJsonObject document{{"maps", static_cast<qint64>(maps.size())}, {"tileSets", tileSets}};
    return QJsonDocument(document).toJson(QJsonDocument::Compact).toStdString() + "\n";
}

// A CSV field, quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

std::string StatsCsv(const std::vector<TileSetUsage>& sets, const std::vector<std::string>& maps) {
    std::string csv = "tileset,code,tile,cells,maps,files\n";
    for (const TileSetUsage& set : sets) {
        const TileNames names(set.TileSet);
        const std::string tileSet = set.TileSet ? std::to_string(*set.TileSet) : "";
        const auto row = [&](const TileCode code, const std::uint64_t cells, const std::size_t used,
                             const std::string& files) {
            csv += tileSet + "," + std::to_string(code) + "," + CsvField(TileName(names, code)) +
                   "," + std::to_string(cells) + "," + std::to_string(used) + "," +
                   CsvField(files) + "\n";
        };
        for (const TileUse& use : set.Used) {
            row(use.Code, use.Cells, use.Maps, "");
        }
        for (const TileCode code : set.Unused) {
            row(code, 0, 0, "");
        }
        for (const TileUse& use : set.NoTile) {
            row(use.Code, use.Cells, use.Maps, FilesOf(use, maps, ";"));
        }
    }
    return csv;
}

}  // namespace

int RunStats(const QStringList& arguments, Console& console) {
    CommandLine line("stats", kHelp);
    line.AddOption(QCommandLineOption(QStringLiteral("format"), QString(), QStringLiteral("F")));
    if (!line.Parse(arguments, console, 1, -1)) {
        return kExitSuccess;
    }
    const StatsFormat format = FormatOf(line);
    RefuseStandardInputTwice(line.Positional());
    const std::vector<std::string> paths = MapFilesIn(line.Positional());

    int status = kExitSuccess;
    TileUsage usage;
    std::vector<std::string> counted;  // by the number usage gave each map
    for (const std::string& path : paths) {
        try {
            const CountedMap map = LoadAndCountMap(path);
            WarnOfCondition(console, map.Map);
            usage.AddMap(map.Map.TileSet, map.Codes);
            counted.push_back(path);
        } catch (const FileError& error) {
            console.Complain(error.File(), error.what());
            status = kExitTrouble;
        }
    }
    const std::vector<TileSetUsage> sets = usage.BySet();
    switch (format) {
        case StatsFormat::Text:
            console.Out << StatsText(sets, counted);
            break;
        case StatsFormat::Json:
            console.Out << StatsJson(sets, counted);
            break;
        case StatsFormat::Csv:
            console.Out << StatsCsv(sets, counted);
            break;
    }
    console.Out.flush();
    return status;
}

}  // namespace velmora
