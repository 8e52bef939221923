// Writing the tileset and its tilesheet picture without destroying a map
// maker's changes to them.
#include "cli/export/TilesetFiles.h"

#include "cli/CommandErrors.h"
#include "cli/OutputFile.h"
#include "cli/pictures/MapPictures.h"
#include "cli/tiled/TiledFormat.h"
#include "render/TilePictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>

namespace velmora {
namespace {

// The tileset cuts the sheet into tiles of its tile size, so the pictures
// drawn on the sheet must be of that size.
static_assert(tiled::kTileSize == kTilePictureSize);

enum class Existing { None, Same, Different };

QString FileName(const std::string& path) {
    return QString::fromStdString(path);
}

// Throws when the path is taken by a folder or anything else but a file.
bool FileExists(const std::string& path) {
    const QFileInfo info(FileName(path));
    if (!info.exists()) {
        return false;
    }
    if (!info.isFile()) {
        throw FileError(path,
                        "is in the way of the tileset file but is not a file; move it away or "
                        "export to another folder");
    }
    return true;
}

Existing CompareDocument(const std::string& path, const QByteArray& bytes) {
    if (!FileExists(path)) {
        return Existing::None;
    }
    QFile file(FileName(path));
    // A longer or shorter file differs: no need to read it.
    if (file.size() != bytes.size()) {
        return Existing::Different;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        throw FileError(path, "cannot be read to compare it with the tileset: " +
                                  file.errorString().toStdString());
    }
    return file.readAll() == bytes ? Existing::Same : Existing::Different;
}

// The picture counts as the same when every pixel looks the same, however the
// file is encoded: an image editor may store the same picture in other bytes.
Existing ComparePicture(const std::string& path, const TileSet tileSet) {
    if (!FileExists(path)) {
        return Existing::None;
    }
    return Pictures().ShowsTilesheet(path, tileSet, tiled::TilesheetSize(tileSet))
               ? Existing::Same
               : Existing::Different;
}

// Writes the file unless it holds the same already or differs and is kept;
// the bytes are made only when they are written.
void PutFile(const std::string& path, const Existing existing, const bool replaceDiffering,
             const std::function<QByteArray()>& bytes, NewFiles& created, Console& console,
             std::vector<std::string>& kept) {
    if (existing == Existing::Same) {
        return;
    }
    if (existing == Existing::Different && !replaceDiffering) {
        kept.push_back(path);
        return;
    }
    WriteOutput(path, bytes(), console);
    if (existing == Existing::None) {
        created.Add(path);
    }
}

std::string PathIn(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : QDir(FileName(folder)).filePath(FileName(name)).toStdString();
}

}  // namespace

NewFiles::~NewFiles() {
    for (const std::string& path : paths_) {
        QFile::remove(FileName(path));
    }
}

std::vector<std::string> PutTilesetFiles(const TilesetPlacement& placement, NewFiles& created,
                                         Console& console) {
    const std::string sheetPath = PathIn(placement.Folder, tiled::TilesheetFileName(placement.Set));
    const std::string tilesetPath =
        PathIn(placement.Folder, tiled::TilesetFileName(placement.Set, placement.Notation));
    const QByteArray tileset = tiled::TilesetDocument(placement.Notation, placement.Set);
    // Both are compared before either is written, so that something in the
    // way of the second stops the export before it writes the first.
    const Existing sheetFound = ComparePicture(sheetPath, placement.Set);
    const Existing tilesetFound = CompareDocument(tilesetPath, tileset);

    std::vector<std::string> kept;
    PutFile(
        sheetPath, sheetFound, placement.ReplaceDiffering,
        [&placement] {
            return Pictures().TilesheetPng(placement.Set, tiled::TilesheetSize(placement.Set));
        },
        created, console, kept);
    PutFile(
        tilesetPath, tilesetFound, placement.ReplaceDiffering, [&tileset] { return tileset; },
        created, console, kept);
    return kept;
}

}  // namespace velmora
