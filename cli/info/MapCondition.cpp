// The damage texts of map files and the number formats they use.
#include "cli/info/MapCondition.h"

#include "core/tiles/TileNames.h"

#include <QLocale>

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

std::optional<VersionTriple> StoredVersion(const LoadedMap& map) {
    if (!map.VersionStored()) {
        return std::nullopt;
    }
    return map.Read.Version;
}

bool WrittenByNewerVersion(const LoadedMap& map) {
    const auto version = StoredVersion(map);
    return version && IsNewerThan(*version, VersionStamp::Of(kProgramVersion));
}

std::string VersionText(const std::optional<VersionTriple>& version) {
    return version ? VersionText(version->Major, version->Minor, version->Build) : "not stored";
}

std::vector<std::string> FileDamage(const LoadedMap& map) {
    std::vector<std::string> damage;
    if (!map.Read.GridComplete()) {
        damage.push_back("the grid is cut short: the file holds " +
                         GroupedNumber(map.Read.CellsRead) + " of " + GroupedNumber(kMapCellCount) +
                         " cells, the others count as 0");
    }
    if (!map.TileSet) {
        const std::uint64_t partial = map.FileSize > kGridBytes ? map.FileSize - kGridBytes : 0;
        damage.push_back(partial == 0 ? "no tile set stored"
                                      : "no tile set stored: the file ends after " +
                                            std::to_string(partial) + " of its 4 bytes");
    } else if (map.FileSize < kMapFileBytes && map.FileSize > kTileSetBytes) {
        damage.push_back("the file ends inside the version, after " +
                         std::to_string(map.FileSize - kTileSetBytes) + " of its 12 bytes");
    }
    if (map.TrailingBytes() > 0) {
        damage.push_back(GroupedNumber(map.TrailingBytes()) +
                         (map.TrailingBytes() == 1 ? " byte" : " bytes") +
                         " after the end of the map, which every reader ignores");
    }
    return damage;
}

}  // namespace velmora
