// The tileset files beside an exported map: written when missing, left alone
// when they already hold what would be written, and kept, with a note, when a
// map maker has changed them.
#pragma once

#include "cli/Console.h"
#include "cli/tiled/TiledDocuments.h"

#include <string>
#include <vector>

namespace velmora {

// Files an export has created so far. Unless kept, they are removed again
// when the export fails before its end, so that a failed export leaves no new
// file behind; files that existed before are never in the list.
class NewFiles {
public:
    NewFiles() = default;
    ~NewFiles();
    NewFiles(const NewFiles&) = delete;
    NewFiles& operator=(const NewFiles&) = delete;

    void Add(std::string path) { paths_.push_back(std::move(path)); }
    void Keep() { paths_.clear(); }

private:
    std::vector<std::string> paths_;
};

struct TilesetPlacement {
    std::string Folder;  // "" for the current folder
    TileSet Set = Dungeon;
    tiled::Notation Notation = tiled::Notation::Xml;
    // Write over files that differ instead of keeping them.
    bool ReplaceDiffering = false;
};

// Puts the tilesheet picture, then the tileset file into the folder, so that
// neither ever refers to a missing file. Returns the files kept as they were
// though they differ from what would be written. Throws FileError when a file cannot be read or
// written, or when something other than a file is in the way.
std::vector<std::string> PutTilesetFiles(const TilesetPlacement& placement, NewFiles& created,
                                         Console& console);

}  // namespace velmora
