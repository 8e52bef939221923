// The words for a map file's condition and the number formats they use.
#include "cli/MapCondition.h"

#include "cli/CommandErrors.h"
#include "core/merge/MapMerge.h"
#include "core/tiles/TileNames.h"
#include "core/tiles/TileSet.h"

#include <QLocale>

#include <algorithm>

namespace velmora {

std::string GroupedNumber(const std::uint64_t value) {
    // The C locale leaves out group separators unless asked for them.
    static const QLocale locale = [] {
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::DefaultNumberOptions);
        return c;
    }();
    return locale.toString(static_cast<qulonglong>(value)).toStdString();
}

std::string CellCount(const std::uint64_t count) {
    return GroupedNumber(count) + (count == 1 ? " cell" : " cells");
}

bool WrittenByNewerVersion(const MapFileCondition& map) {
    const auto version = map.StoredVersion();
    return version && IsNewerThan(*version, VersionStamp::Of(kProgramVersion));
}

std::string VersionText(const std::optional<VersionTriple>& version) {
    return version ? VersionText(version->Major, version->Minor, version->Build) : "not stored";
}

std::vector<ConditionNote> DescribeCondition(const MapFileCondition& map) {
    using Kind = ConditionNote::Kind;
    std::vector<ConditionNote> notes;
    if (!map.Read.GridComplete()) {
        notes.push_back({Kind::CutShort, "the grid is cut short: the file holds " +
                                             GroupedNumber(map.Read.CellsRead) + " of " +
                                             GroupedNumber(kMapCellCount) +
                                             " cells, the others count as 0"});
    }
    if (!map.TileSet) {
        const std::uint64_t partial = map.FileSize > kGridBytes ? map.FileSize - kGridBytes : 0;
        notes.push_back({Kind::NoTileSet, partial == 0
                                              ? "no tile set stored"
                                              : "no tile set stored: the file ends after " +
                                                    std::to_string(partial) + " of its 4 bytes"});
    } else if (map.FileSize < kMapFileBytes && map.FileSize > kTileSetBytes) {
        notes.push_back({Kind::CutInsideVersion, "the file ends inside the version, after " +
                                                     std::to_string(map.FileSize - kTileSetBytes) +
                                                     " of its 12 bytes"});
    }
    if (map.TrailingBytes() > 0) {
        notes.push_back({Kind::BytesAfterEnd, GroupedNumber(map.TrailingBytes()) +
                                                  (map.TrailingBytes() == 1 ? " byte" : " bytes") +
                                                  " after the end of the map, which every reader "
                                                  "ignores"});
    }
    if (map.TileSet && !IsKnownTileSet(*map.TileSet)) {
        notes.push_back(
            {Kind::UnknownTileSet, TileSetText(map.TileSet) + ", so no code names a tile"});
    }
    if (WrittenByNewerVersion(map)) {
        notes.push_back({Kind::NewerVersion, "written by a newer version than this program's " +
                                                 VersionText(kProgramVersion)});
    }
    return notes;
}

std::uint64_t NoTileCells(const std::int32_t tileSet, const std::span<const CodeCount> counts) {
    if (!IsKnownTileSet(tileSet)) {
        return 0;
    }
    const TileNames names(tileSet);
    std::uint64_t cells = 0;
    for (const CodeCount& counted : counts) {
        const bool noTile = names.Find(counted.Code) == nullptr && counted.Code != kConflictMark;
        cells += noTile ? counted.Count : 0;
    }
    return cells;
}

std::optional<std::string> NoTileText(const std::int32_t tileSet, const std::uint64_t noTileCells) {
    if (noTileCells == 0) {
        return std::nullopt;
    }
    return CellCount(noTileCells) + " with codes that name no tile in " + TileSetText(tileSet);
}

std::uint64_t MarkedCellCount(const std::span<const CodeCount> counts) {
    const auto found = std::find_if(counts.begin(), counts.end(), [](const CodeCount& counted) {
        return counted.Code == kConflictMark;
    });
    return found == counts.end() ? 0 : found->Count;
}

std::optional<std::string> ConflictMarkText(const std::uint64_t markedCells) {
    if (markedCells == 0) {
        return std::nullopt;
    }
    return CellCount(markedCells) + (markedCells == 1 ? " holds" : " hold") +
           " the conflict mark of an unfinished merge (code " + std::to_string(kConflictMark) + ")";
}

std::vector<std::string> CodeNotes(const std::optional<std::int32_t> tileSet,
                                   const std::span<const CodeCount> counts) {
    std::vector<std::string> notes;
    if (auto marks = ConflictMarkText(MarkedCellCount(counts))) {
        notes.push_back(std::move(*marks));
    }
    if (!tileSet) {
        return notes;
    }
    if (auto noTile = NoTileText(*tileSet, NoTileCells(*tileSet, counts))) {
        notes.push_back(std::move(*noTile));
    }
    return notes;
}

std::vector<std::string> FileDamage(const MapFileCondition& map) {
    std::vector<std::string> damage;
    for (ConditionNote& note : DescribeCondition(map)) {
        if (note.IsDamage()) {
            damage.push_back(std::move(note.Text));
        }
    }
    return damage;
}

std::vector<std::string> ConditionWarnings(const MapFileCondition& map,
                                           const ConditionAdvice& advice) {
    std::vector<std::string> warnings;
    for (const ConditionNote& note : DescribeCondition(map)) {
        const std::string added = advice ? advice(note.What) : std::string();
        if (note.IsDamage() || !added.empty()) {
            warnings.push_back(added.empty() ? note.Text : note.Text + "; " + added);
        }
    }
    return warnings;
}

void WarnOfCondition(const Console& console, const LoadedMap& map, const ConditionAdvice& advice) {
    for (const std::string& warning : ConditionWarnings(map, advice)) {
        console.Warn(map.Path, warning);
    }
}

void RefuseMapWithoutCells(const LoadedMap& map) {
    if (map.Read.CellsRead == 0) {
        throw FileError(map.Path, "the file holds no map cell (it is " +
                                      std::to_string(map.FileSize) +
                                      " bytes long); a map file is 3,992,020 bytes");
    }
}

std::int32_t DrawingTileSet(const MapFileCondition& map, const std::optional<int> chosen) {
    return chosen ? *chosen : map.TileSet.value_or(Dungeon);
}

ConditionAdvice DrawingAdvice(const MapFileCondition& map, const std::optional<int> chosen,
                              const std::string_view option) {
    const std::int32_t tileSet = DrawingTileSet(map, chosen);
    return [tileSet, chosen, option = std::string(option)](const ConditionNote::Kind kind) {
        using Kind = ConditionNote::Kind;
        if (kind != Kind::NoTileSet && kind != Kind::UnknownTileSet) {
            return std::string();
        }
        if (chosen) {
            return "its codes are read through " + TileSetText(tileSet) + " as " + option + " asks";
        }
        if (kind == Kind::NoTileSet) {
            return "its codes are read through " + TileSetText(tileSet) +
                   ", as the editor opens it" +
                   (option.empty() ? std::string() : "; choose another with " + option + " N");
        }
        return option.empty() ? std::string("every cell is drawn as naming no tile")
                              : "choose a tile set with " + option + " N (0 to 4)";
    };
}

}  // namespace velmora
