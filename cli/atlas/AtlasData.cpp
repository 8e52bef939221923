// Writing the data scripts. Small values go through Qt's JSON writer, which
// escapes every text; the packed cells and looks, megabytes of base64 that
// needs no escaping, are spliced in as they are.
#include "cli/atlas/AtlasData.h"

#include "cli/atlas/PackedBytes.h"
#include "cli/pictures/MapPictures.h"
#include "cli/tiled/TiledFormat.h"
#include "core/LargeBlock.h"
#include "core/merge/MapMerge.h"
#include "core/tiles/TileNames.h"
#include "core/tiles/TileSet.h"
#include "core/tiles/TileTables.h"
#include "render/LookSheet.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <functional>
#include <numeric>
#include <set>

namespace velmora {
namespace {

QString Latin1(const std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// `TARGET = {...};` with the packed fields added after the object's other
// values; target is what the script assigns, such as
// `(window.VelmoraAtlas ??= {}).map`.
QByteArray Assignment(const QByteArray& target, const QJsonObject& object,
                      const std::vector<std::pair<const char*, QByteArray>>& packed) {
    QByteArray text = target;
    text += " = ";
    QByteArray json = QJsonDocument(object).toJson(QJsonDocument::Compact);
    json.chop(1);  // the closing brace
    text += json;
    for (const auto& [key, value] : packed) {
        text += ",\"";
        text += key;
        text += "\":";
        text += value;
    }
    text += "};\n";
    return text;
}

QByteArray Quoted(const QByteArray& base64) {
    return '"' + base64 + '"';
}

QJsonArray Texts(const std::vector<std::string>& texts) {
    QJsonArray array;
    for (const std::string& text : texts) {
        array.append(QString::fromStdString(text));
    }
    return array;
}

// Appends a whole number in as many bytes as it needs, seven bits each, the
// lowest first, the last without its top bit (unsigned LEB128).
void AppendVarint(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    while (value >= 0x80) {
        bytes.push_back(static_cast<std::uint8_t>(value | 0x80));
        value >>= 7;
    }
    bytes.push_back(static_cast<std::uint8_t>(value));
}

// Ascending cells as gaps, each with a number after it: the number of cells,
// then per cell the gap to the one before (the first's from -1) and its
// number, all as varints.
template <typename Number>
void AppendCells(std::vector<std::uint8_t>& bytes, const std::vector<std::int32_t>& cells,
                 const Number& numberOf) {
    AppendVarint(bytes, static_cast<std::uint32_t>(cells.size()));
    std::int64_t previous = -1;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        AppendVarint(bytes, static_cast<std::uint32_t>(cells[c] - previous - 1));
        previous = cells[c];
        AppendVarint(bytes, numberOf(c));
    }
}

// What each version itself put into cells, for finding a cell's last change
// as git blame finds a line's: per version 0 when that is exactly its steps
// from the version listed before (a commit whose parent is listed right
// before it, as in every straight line of history), else 1 and the cells it
// set with their codes' places in the palette before (in its first parent),
// then, of a merge, the cells it only brought in, each with the place of the
// parent it brought it from (1 for the second).
std::vector<std::uint8_t> Lineage(const MapVersions& versions,
                                  const std::function<std::uint32_t(TileCode)>& placeOf) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < versions.Changes.size(); ++i) {
        const MapVersion& version = versions.History.Versions[i];
        const VersionChanges& changes = versions.Changes[i];
        const bool steps = i == 0 || (!version.IsMerge && version.Parents.size() == 1 &&
                                      version.Parents[0] + 1 == i);
        AppendVarint(bytes, steps ? 0 : 1);
        if (steps) {
            continue;
        }
        std::vector<std::int32_t> set;
        std::vector<TileCode> before;
        for (std::size_t c = 0, b = 0; c < changes.ParentCells.size(); ++c) {
            if (b < changes.BroughtCells.size() &&
                changes.BroughtCells[b] == changes.ParentCells[c]) {
                ++b;
            } else {
                set.push_back(changes.ParentCells[c]);
                before.push_back(changes.ParentBefore[c]);
            }
        }
        AppendCells(bytes, set, [&](const std::size_t c) { return placeOf(before[c]); });
        AppendCells(bytes, changes.BroughtCells,
                    [&](const std::size_t c) { return std::uint32_t{changes.BroughtFrom[c]}; });
    }
    return bytes;
}

// The versions' texts, the cells each version after the oldest changed from
// the one listed before (its steps, as AppendCells writes them, each with its
// code's place in the palette) and the versions' lineage.
QByteArray HistoryObject(const MapVersions& versions, const std::vector<TileCode>& palette) {
    const auto placeOf = [&palette](const TileCode code) {
        return static_cast<std::uint32_t>(std::lower_bound(palette.begin(), palette.end(), code) -
                                          palette.begin());
    };
    QJsonArray list;
    std::vector<std::uint8_t> changed;
    for (std::size_t i = 0; i < versions.Changes.size(); ++i) {
        const MapVersion& version = versions.History.Versions[i];
        const VersionChanges& changes = versions.Changes[i];
        const std::optional<std::string> tileSetChange = TileSetChangeText(versions, i);
        const std::optional<std::string> historyStart = HistoryStartText(version);
        QJsonArray parents;
        for (const std::size_t parent : version.Parents) {
            parents.append(static_cast<qint64>(parent));
        }
        list.append(QJsonObject{
            {"commit", QString::fromStdString(version.Commit)},
            {"short", QString::fromStdString(version.ShortCommit)},
            {"date", QString::fromStdString(version.Date)},
            {"author", QString::fromStdString(version.Author)},
            {"subject", QString::fromStdString(version.Subject)},
            {"cellsChanged", static_cast<qint64>(changes.ParentCells.size())},
            {"steps", static_cast<qint64>(changes.Cells.size())},
            {"parents", parents},
            {"merge", version.IsMerge},
            {"historyStart", historyStart ? QJsonValue(QString::fromStdString(*historyStart))
                                          : QJsonValue(QJsonValue::Null)},
            {"tileSetStem", QString::fromStdString(TileSetScriptStem(changes.TileSet))},
            {"tileSetChange", tileSetChange ? QJsonValue(QString::fromStdString(*tileSetChange))
                                            : QJsonValue(QJsonValue::Null)},
            {"problems", Texts(changes.Problems)},
        });
        if (i == 0) {
            continue;  // the oldest version's cells are written whole
        }
        AppendCells(changed, changes.Cells,
                    [&](const std::size_t c) { return placeOf(changes.Codes[c]); });
    }
    QByteArray object =
        QJsonDocument(QJsonObject{{"versions", list},
                                  {"leftOut", static_cast<qint64>(versions.History.LeftOut)}})
            .toJson(QJsonDocument::Compact);
    object.chop(1);
    return object + ",\"changes\":" + Quoted(PackBytes(changed)) +
           ",\"lineage\":" + Quoted(PackBytes(Lineage(versions, placeOf))) + "}";
}

// The cells as bytes: each its index into the palette of the map's codes,
// in cellBytes little-endian bytes, or without a palette its code itself. A
// megabyte or more, in huge pages: touching fresh memory page by page costs
// more than filling it.
LargeBlock EncodeCells(const std::span<const TileCode> cells, const std::vector<TileCode>& palette,
                       const bool withPalette, const int cellBytes) {
    LargeBlock block(cells.size() * static_cast<std::size_t>(cellBytes));
    auto* const bytes = static_cast<std::uint8_t*>(block.Data());
    // Codes of the catalogue's range are found in a table, the rare others
    // by a binary search.
    std::array<std::uint32_t, kCatalogueSize> indexOf{};
    for (std::size_t i = 0; i < palette.size(); ++i) {
        if (TileCatalogue::InRange(palette[i])) {
            indexOf[static_cast<std::size_t>(palette[i])] = static_cast<std::uint32_t>(i);
        }
    }
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const TileCode code = cells[i];
        const std::uint32_t value =
            !withPalette ? static_cast<std::uint32_t>(code)
            : TileCatalogue::InRange(code)
                ? indexOf[static_cast<std::size_t>(code)]
                : static_cast<std::uint32_t>(
                      std::lower_bound(palette.begin(), palette.end(), code) - palette.begin());
        for (int b = 0; b < cellBytes; ++b) {
            bytes[i * static_cast<std::size_t>(cellBytes) + static_cast<std::size_t>(b)] =
                static_cast<std::uint8_t>(value >> (8 * b));
        }
    }
    return block;
}

// Every code with its count, the most used first: the number of codes, then
// per code its zigzag form ((code << 1) ^ (code >> 31), so that small negative
// codes stay short) and its count, all as varints.
QByteArray PackedCounts(const std::vector<CodeCount>& counts) {
    std::vector<std::uint8_t> bytes;
    AppendVarint(bytes, static_cast<std::uint32_t>(counts.size()));
    for (const CodeCount& counted : counts) {
        AppendVarint(bytes, (static_cast<std::uint32_t>(counted.Code) << 1) ^
                                static_cast<std::uint32_t>(counted.Code >> 31));
        AppendVarint(bytes, counted.Count);
    }
    return PackBytes(bytes);
}

template <std::size_t N>
QJsonArray Numbers(const std::array<int, N>& values) {
    QJsonArray array;
    for (const int value : values) {
        array.append(value);
    }
    return array;
}

}  // namespace

QByteArray ConstantsScript() {
    return Assignment("(window.VelmoraAtlas ??= {}).constants",
                      QJsonObject{
                          {"zoomSteps", Numbers(kZoomSteps)},
                          {"drawnLookSizes", Numbers(kDrawnLookSizes)},
                          {"firstTileLookSize", kFirstTileLookSize},
                          {"lookCount", kLookCount},
                          {"outsideLook", kOutsideLook},
                          {"conflictMark", kConflictMark},
                          {"conflictLook", kConflictLook},
                          {"centre", kMapCentre},
                      },
                      {});
}

std::string TileSetScriptStem(const std::int32_t tileSet) {
    return IsKnownTileSet(tileSet)
               ? std::string(tiled::TilesetFileStem(static_cast<TileSet>(tileSet)))
               : std::string("no-tile-set");
}

std::string TileSetCaption(const std::int32_t tileSet) {
    return IsKnownTileSet(tileSet) ? std::string(TileSetMenuCaption(static_cast<TileSet>(tileSet)))
                                   : "unknown tile set " + std::to_string(tileSet);
}

QByteArray TileSetScript(const std::int32_t tileSet) {
    const TileNames names(tileSet);
    QJsonObject tiles;
    for (int code = 0; code < kCatalogueSize; ++code) {
        if (const TileEntry* const entry = names.Find(code)) {
            tiles.insert(QString::number(code),
                         QJsonArray{Latin1(entry->Name.View()), Latin1(entry->MP.View()),
                                    Latin1(entry->VisAdj.View()), Latin1(entry->AttAdj.View()),
                                    Latin1(entry->DefAdj.View())});
        }
    }
    const QJsonObject object{
        {"caption", QString::fromStdString(IsKnownTileSet(tileSet) ? TileSetCaption(tileSet)
                                                                   : "no known tile set")},
        {"noTileName", QString::fromLatin1(kNoTileName)},
        {"conflictName", QString::fromLatin1(kConflictMarkName)},
        {"tiles", tiles},
    };
    QByteArray looks = "{";
    for (const int size : kDrawnLookSizes) {
        looks +=
            (looks.size() > 1 ? ",\"" : "\"") + QByteArray::number(size) + "\":" +
            Quoted(PackBytes(Pictures().LookSheetRgb(tileSet, size >= kFirstTileLookSize, size)));
    }
    looks += "}";
    // Every tile set a page draws with is kept by its script's stem: the
    // versions of a map may use several.
    return Assignment("((window.VelmoraAtlas ??= {}).tileSets ??= {})[\"" +
                          QByteArray::fromStdString(TileSetScriptStem(tileSet)) + "\"]",
                      object, {{"looks", looks}});
}

std::vector<std::string> TileSetScriptStems(const AtlasMap& map) {
    std::set<std::int32_t> tileSets{map.TileSet};
    if (map.Versions != nullptr) {
        for (const VersionChanges& changes : map.Versions->Changes) {
            tileSets.insert(changes.TileSet);
        }
    }
    std::vector<std::string> stems;
    for (const std::int32_t tileSet : tileSets) {
        const std::string stem = TileSetScriptStem(tileSet);
        if (std::find(stems.begin(), stems.end(), stem) == stems.end()) {
            stems.push_back(stem);
        }
    }
    return stems;
}

QByteArray MapScript(const AtlasMap& map) {
    // The cells written are the oldest version's when there are versions;
    // the palette holds every code of every version.
    const MapGrid& written = map.Versions != nullptr ? *map.Versions->Oldest : *map.Grid;
    std::vector<TileCode> palette;
    if (map.Versions != nullptr) {
        palette = map.Versions->Codes;
    } else {
        for (const CodeCount& counted : map.Counts) {
            palette.push_back(counted.Code);
        }
        std::sort(palette.begin(), palette.end());
    }

    const int cellBytes = palette.size() <= 256 ? 1 : palette.size() <= 65536 ? 2 : 4;
    // The changes of the versions name codes by their place in the palette,
    // so a map with history has one even when its cells need four bytes.
    const bool withPalette = cellBytes < 4 || map.Versions != nullptr;
    const std::span<const TileCode> grid = written.Cells();
    const LargeBlock cells = EncodeCells(grid, palette, withPalette, cellBytes);
    // Cells that repeat their western neighbour: in a map as map makers
    // draw it nearly all of them, in a map of noise few.
    const auto repeats = std::inner_product(grid.begin() + 1, grid.end(), grid.begin(),
                                            std::size_t{0}, std::plus<>(), std::equal_to<>());
    const Packing packing =
        repeats * 2 >= grid.size() ? Packing::FindRepeats : Packing::CodeBytesAlone;

    QJsonObject object{
        {"name", QString::fromStdString(map.Name)},
        {"atlasTitle", QString::fromStdString(map.AtlasTitle)},
        {"tileSetStem", QString::fromStdString(TileSetScriptStem(map.TileSet))},
        {"side", kMapSide},
        {"cellBytes", cellBytes},
        {"warnings", Texts(map.Warnings)},
    };
    if (withPalette) {
        QJsonArray codes;
        for (const TileCode code : palette) {
            codes.append(code);
        }
        object.insert("palette", codes);
    }
    std::vector<std::pair<const char*, QByteArray>> packed = {
        {"cells", Quoted(PackBytes({static_cast<const std::uint8_t*>(cells.Data()), cells.Size()},
                                   packing))},
        {"counts", Quoted(PackedCounts(map.Counts))}};
    if (map.Versions != nullptr) {
        packed.emplace_back("history", HistoryObject(*map.Versions, palette));
    }
    return Assignment("(window.VelmoraAtlas ??= {}).map", object, packed);
}

}  // namespace velmora
