// Reading the merge's stages from git's index: `git ls-files -u` names each
// stage's object, `git cat-file blob` gives its bytes.
#include "cli/merge/MergeStages.h"

#include "cli/git/GitProgram.h"

#include <QFileInfo>

#include <array>
#include <optional>

namespace velmora {

MergeStages ReadMergeStages(const std::string& mapPath, const LoadedMap& worktree) {
    const QFileInfo file(QString::fromStdString(mapPath));
    const GitProgram git(file.absolutePath(), mapPath, "its merge cannot be read");
    if (!git.InWorkTree()) {
        throw FileError(mapPath, "is not in a git work tree, so it is in no merge");
    }
    // "<mode> <object> <stage>\t<path>", one entry per stage, NUL after each.
    const QByteArray entries =
        git.Run({QStringLiteral("ls-files"), QStringLiteral("-u"), QStringLiteral("-z"),
                 QStringLiteral("--"), file.fileName()});
    std::array<std::optional<QByteArray>, 3> objects;
    for (const QByteArray& entry : entries.split('\0')) {
        const QList<QByteArray> fields = entry.split('\t').value(0).split(' ');
        const int stage = fields.value(2).toInt();
        if (fields.size() == 3 && stage >= 1 && stage <= 3) {
            objects[static_cast<std::size_t>(stage - 1)] = fields[1];
        }
    }
    if (!objects[1] && !objects[2]) {
        throw FileError(mapPath,
                        "is in no unfinished merge: git holds no conflicting versions "
                        "of it");
    }
    const auto load = [&](const std::optional<QByteArray>& object, const char* side) {
        if (!object) {
            LoadedMap empty;
            empty.Path = mapPath;
            empty.Grid = std::make_unique<MapGrid>();
            empty.TileSet = worktree.TileSet;
            empty.FileSize = kMapFileBytes;
            empty.Read = worktree.Read;
            return empty;
        }
        const QByteArray bytes = git.Run(
            {QStringLiteral("cat-file"), QStringLiteral("blob"), QString::fromLatin1(*object)});
        return LoadMapFromBytes(mapPath + " (" + side + ")",
                                {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                 static_cast<std::size_t>(bytes.size())});
    };
    return MergeStages{load(objects[0], "base"), load(objects[1], "ours"),
                       load(objects[2], "theirs")};
}

}  // namespace velmora
