// The operations of an edit as the command line and a script file give them:
// checked for their form (areas within the map, a known tile set), in the
// order given, but not yet read in any map's tile set, since the same tile
// name may mean other codes in each map.
#pragma once

#include "core/edit/MapEdits.h"
#include "core/overview/OverviewPainter.h"
#include "core/view/ViewMapping.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct EditOperation {
    enum class Kind { Replace, Fill, Copy, TileSet };
    Kind What = Kind::Replace;
    // Where and how it was given, for messages: "--replace Wall=Open" or
    // "rules.txt:3: replace Wall=Open".
    std::string Label;
    // Replace: the codes or names looked for; Fill uses none.
    std::vector<std::string> From;
    // Replace and Fill: the code or name written.
    std::string To;
    // Replace: its region; Fill: the area; Copy: the block of the source.
    CellArea Area = kWholeMap;
    // Copy: the source's file and the cell its block's north-west corner
    // goes to.
    std::string Source;
    MapCell At;
    // TileSet: the tile set stored from then on.
    std::int32_t TileSet = 0;
};

// The operation words, as a script writes them and the options name them.
inline constexpr std::string_view kOperationWords[] = {"replace", "fill", "copy", "tileset",
                                                       "region"};

// Collects operations one at a time; a region waits for the replace that
// follows it.
class EditOperations {
public:
    // word is one of kOperationWords, argument its text, label how to name it
    // in messages. Throws UserError with the problem alone, for the caller to
    // say where it was given.
    void Add(std::string_view word, std::string_view argument, std::string label);

    // Throws UserError when a region is still waiting for its replace.
    void Finish();

    const std::vector<EditOperation>& List() const { return operations_; }

private:
    std::vector<EditOperation> operations_;
    std::optional<CellArea> region_;
};

// Adds a script's lines: one operation per line without the leading dashes
// ("replace Shallow Water=Wall"), a line starting with # a comment, blank
// lines ignored. Throws FileError naming "NAME:LINE" for a line it cannot
// read.
void ReadEditScript(std::string_view text, const std::string& name, EditOperations& operations);

}  // namespace velmora
