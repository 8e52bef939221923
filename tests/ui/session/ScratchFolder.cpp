// The scratch folder's names and the generated map files.
#include "ScratchFolder.h"

#include "MapBytes.h"
#include "SessionRandom.h"
#include "core/tiles/TileTables.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <climits>
#include <filesystem>

namespace velmora::session {
namespace {

namespace fs = std::filesystem;

QString FolderTemplate() {
    const QFileInfo shared(QStringLiteral("/dev/shm"));
    const QString parent =
        shared.isDir() && shared.isWritable() ? shared.filePath() : QDir::tempPath();
    return parent + QStringLiteral("/velmora-session-XXXXXX");
}

// A code for a generated cell: mostly the tile set's own, some that name
// another set's tile or none, and a few that no tile set knows.
std::int32_t GeneratedCode(Random& random, std::int32_t tileSet) {
    static constexpr std::array<std::int32_t, 7> kForeign{-1, -7, 151, 999, 4096, INT_MIN, INT_MAX};
    const std::span<const TileRow> rows = IsKnownTileSet(tileSet)
                                              ? TileRowsOf(static_cast<TileSet>(tileSet))
                                              : std::span<const TileRow>{};
    switch (random.Weighted({55, 20, 10, 15})) {
        case 0:
            if (!rows.empty()) {
                return rows[static_cast<std::size_t>(random.Below(static_cast<int>(rows.size())))]
                    .Code;
            }
            [[fallthrough]];
        case 1:
            return random.Below(151);
        case 2:
            return random.Between(16, 50);
        default:
            return kForeign[static_cast<std::size_t>(random.Below(kForeign.size()))];
    }
}

FileVersionTriple VersionOf(FileVersion version) {
    switch (version) {
        case FileVersion::Older:
            return {0, 3, 9999};
        case FileVersion::Own:
            return kOwnVersion;
        case FileVersion::Newer:
            return {0, 4, 321};
        case FileVersion::PackedNewer:
            return {0, 3, 10321};
    }
    return kOwnVersion;
}

}  // namespace

ScratchFolder::ScratchFolder() : folder_(FolderTemplate()) {
    if (folder_.isValid()) {
        QDir(folder_.path()).mkdir(QStringLiteral("maps"));
        QDir(folder_.path()).mkdir(QStringLiteral("old.map"));
    }
}

std::string ScratchFolder::Root() const {
    return folder_.path().toStdString();
}

std::optional<std::string> ScratchFolder::PathOf(SaveTarget target) const {
    switch (target) {
        case SaveTarget::Cancel:
            return std::nullopt;
        case SaveTarget::A:
            return Root() + "/a.map";
        case SaveTarget::B:
            return Root() + "/b.map";
        case SaveTarget::C:
            return Root() + "/maps/c.map";
        case SaveTarget::Folder:
            return Root() + "/maps";
        case SaveTarget::MissingFolder:
            return Root() + "/missing/lost.map";
        case SaveTarget::FullDisk:
            return "/dev/full";
    }
    return std::nullopt;
}

std::optional<std::string> ScratchFolder::PathOf(OpenSource source) const {
    switch (source) {
        case OpenSource::Cancel:
            return std::nullopt;
        case OpenSource::A:
            return PathOf(SaveTarget::A);
        case OpenSource::B:
            return PathOf(SaveTarget::B);
        case OpenSource::C:
            return PathOf(SaveTarget::C);
        case OpenSource::Absent:
            return Root() + "/absent.map";
        case OpenSource::MissingFolder:
            return PathOf(SaveTarget::MissingFolder);
        case OpenSource::Folder:
            return PathOf(SaveTarget::Folder);
        case OpenSource::Generated:
            return Root() + "/generated.map";
        case OpenSource::GeneratedCaps:
            return Root() + "/Generated.MAP";
    }
    return std::nullopt;
}

void ScratchFolder::WriteGenerated(OpenSource where, const GeneratedMap& map) const {
    WriteWholeFile(*PathOf(where), GeneratedMapBytes(map));
}

std::vector<std::string> ScratchFolder::LeftoverTemporaryFiles() const {
    std::vector<std::string> leftovers;
    for (const fs::path& folder : {fs::path(Root()), fs::path(Root()) / "maps"}) {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            if (entry.path().filename().string().starts_with('.')) {
                leftovers.push_back(entry.path().string());
            }
        }
    }
    return leftovers;
}

std::vector<std::uint8_t> GeneratedMapBytes(const GeneratedMap& map) {
    Random random(map.Seed);
    std::vector<std::int32_t> cells(kCells, 0);
    const auto set = [&cells](int x, int y, std::int32_t code) {
        cells[static_cast<std::size_t>(y) * kSide + static_cast<std::size_t>(x)] = code;
    };
    // Most codes where an opened map is shown: half within the largest view
    // around the centre, more within the overview, the rest anywhere.
    for (int count = random.Below(400); count > 0; --count) {
        const int reach =
            std::array{9, 35, kSide}[static_cast<std::size_t>(random.Weighted({50, 30, 20}))];
        const int x = std::clamp(499 + random.Between(-reach, reach), 0, kSide - 1);
        const int y = std::clamp(499 + random.Between(-reach, reach), 0, kSide - 1);
        set(x, y, GeneratedCode(random, map.TileSet));
    }
    if (random.Percent(25)) {
        for (const auto& [x, y] :
             {std::pair{0, 0}, {kSide - 1, 0}, {0, kSide - 1}, {kSide - 1, kSide - 1}}) {
            set(x, y, GeneratedCode(random, map.TileSet));
        }
    }

    std::vector<std::uint8_t> bytes = EncodeMap(cells, map.TileSet, VersionOf(map.Version));
    constexpr std::size_t kGrid = std::size_t{4} * kCells;
    switch (map.Length) {
        case FileLength::Full:
            break;
        case FileLength::GridOnly:
            bytes.resize(kGrid);
            break;
        case FileLength::GridAndTileSet:
            bytes.resize(kGrid + 4);
            break;
        case FileLength::CutInTrailer:
            bytes.resize(kGrid + 14);
            break;
        case FileLength::Extra:
            bytes.insert(bytes.end(), {1, 2, 3, 4, 5, 6, 7});
            break;
        case FileLength::Short:
            bytes.resize(
                std::min(static_cast<std::size_t>(std::max(map.ShortBytes, 0)), kGrid - 1));
            break;
    }
    return bytes;
}

}  // namespace velmora::session
