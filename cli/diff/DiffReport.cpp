// Writing a map difference as text, JSON and a picture.
#include "cli/diff/DiffReport.h"

#include "cli/MapCondition.h"
#include "cli/diff/CodeTexts.h"
#include "core/tiles/TileNames.h"
#include "core/tiles/TileSet.h"
#include "core/tiles/TileTables.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <utility>

namespace velmora {
namespace {

std::string Label(const std::string& label) {
    std::string text = label + ":";
    text.resize(11, ' ');
    return text;
}

std::string ChangeText(const bool changed, const std::string& before, const std::string& after) {
    return changed ? "changed, " + before + " -> " + after : "same, " + before;
}

std::string AreaText(const CellArea& area) {
    const MapCell topLeft{area.Left, area.Top};
    const MapCell bottomRight{area.Left + area.Columns - 1, area.Top + area.Rows - 1};
    return CellText(topLeft) + " to " + CellText(bottomRight) + ", " +
           std::to_string(area.Columns) + " x " + std::to_string(area.Rows) + " cells";
}

QJsonValue TextOrNull(const std::optional<std::string>& text) {
    return text ? QJsonValue(QString::fromStdString(*text)) : QJsonValue(QJsonValue::Null);
}

QJsonObject MapJson(const LoadedMap& map) {
    const bool known = map.TileSet && IsKnownTileSet(*map.TileSet);
    const auto version = map.StoredVersion();
    return QJsonObject{
        {"file", QString::fromStdString(map.Path)},
        {"tileSet", map.TileSet ? QJsonValue(*map.TileSet) : QJsonValue(QJsonValue::Null)},
        {"tileSetName", TextOrNull(known ? std::optional(std::string(TileSetMenuCaption(
                                               static_cast<TileSet>(*map.TileSet))))
                                         : std::nullopt)},
        {"version", TextOrNull(version ? std::optional(VersionText(version)) : std::nullopt)},
    };
}

}  // namespace

std::string DiffText(const LoadedMap& a, const LoadedMap& b, const MapDifference& difference) {
    const CodeTexts oldTexts(a.TileSet);
    const CodeTexts newTexts(b.TileSet);
    const std::span<const TileCode> oldCells = std::as_const(*a.Grid).Cells();
    const std::span<const TileCode> newCells = std::as_const(*b.Grid).Cells();
    std::string text;
    text.reserve(difference.Cells.size() * 48);
    for (const std::int32_t index : difference.Cells) {
        text += CellText(CellAt(index));
        text += ": ";
        oldTexts.AppendTo(text, oldCells[static_cast<std::size_t>(index)]);
        text += " -> ";
        newTexts.AppendTo(text, newCells[static_cast<std::size_t>(index)]);
        text += '\n';
    }
    if (difference.TileSetChanged) {
        text += "tile set: " + TileSetText(a.TileSet) + " -> " + TileSetText(b.TileSet) + "\n";
    }
    if (difference.VersionChanged) {
        text += "version: " + VersionText(a.StoredVersion()) + " -> " +
                VersionText(b.StoredVersion()) + "\n";
    }
    return text;
}

std::string DiffStat(const LoadedMap& a, const LoadedMap& b, const MapDifference& difference) {
    std::string text = Label("cells");
    text += difference.Cells.empty() ? "none differ\n"
                                     : GroupedNumber(difference.Cells.size()) + " of " +
                                           GroupedNumber(kMapCellCount) + " differ\n";
    text += Label("area") + (difference.Bounds ? AreaText(*difference.Bounds) : "none") + "\n";
    text += Label("tile set") +
            ChangeText(difference.TileSetChanged, TileSetText(a.TileSet), TileSetText(b.TileSet)) +
            "\n";
    text += Label("version") +
            ChangeText(difference.VersionChanged, VersionText(a.StoredVersion()),
                       VersionText(b.StoredVersion())) +
            "\n";
    return text;
}

std::string DiffJson(const LoadedMap& a, const LoadedMap& b, const MapDifference& difference,
                     const bool withCells) {
    QJsonObject object{
        {"old", MapJson(a)},
        {"new", MapJson(b)},
        {"same", difference.Same()},
        {"cellsDiffering", static_cast<qint64>(difference.Cells.size())},
        {"tileSetChanged", difference.TileSetChanged},
        {"versionChanged", difference.VersionChanged},
    };
    if (difference.Bounds) {
        const CellArea& area = *difference.Bounds;
        object.insert(
            "area",
            QJsonObject{
                {"x", area.Left}, {"y", area.Top}, {"columns", area.Columns}, {"rows", area.Rows}});
    } else {
        object.insert("area", QJsonValue(QJsonValue::Null));
    }
    std::string text = QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
    if (withCells) {
        // Up to a million cells: a QJsonObject for each would take seconds and
        // a gigabyte, so each cell is written here, with names Qt escaped once
        // per code, into the object Qt wrote without them.
        const CodeTexts oldTexts(a.TileSet);
        const CodeTexts newTexts(b.TileSet);
        text.pop_back();  // the closing brace
        text += ",\"cells\":[";
        for (const std::int32_t index : difference.Cells) {
            const MapCell cell = CellAt(index);
            const TileCode before = a.Grid->At(cell.X, cell.Y);
            const TileCode after = b.Grid->At(cell.X, cell.Y);
            text += text.back() == '[' ? "{\"x\":" : ",{\"x\":";
            text += std::to_string(cell.X) + ",\"y\":" + std::to_string(cell.Y);
            text += ",\"old\":" + std::to_string(before) + ",\"oldName\":";
            oldTexts.AppendJsonNameTo(text, before);
            text += ",\"new\":" + std::to_string(after) + ",\"newName\":";
            newTexts.AppendJsonNameTo(text, after);
            text += '}';
        }
        text += "]}";
    }
    return text;
}

}  // namespace velmora
