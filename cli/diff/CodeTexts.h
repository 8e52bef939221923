// The texts of codes in one tile set (`2 "Wall"`, `151 (no tile)`) and their
// names as JSON strings, made once for the codes a set can name, because diff
// and the text for git write one for nearly every line and a full map has up
// to a million lines.
#pragma once

#include "core/document/MapGrid.h"
#include "core/tiles/TileCatalogue.h"
#include "core/tiles/TileNames.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

class CodeTexts {
public:
    explicit CodeTexts(std::optional<std::int32_t> tileSet);

    // Appends the code's text to out.
    void AppendTo(std::string& out, TileCode code) const;

    // Appends the tile's name as a JSON string, or null when the code names
    // no tile.
    void AppendJsonNameTo(std::string& out, TileCode code) const;

private:
    TileNames names_;
    std::array<std::string, kCatalogueSize> texts_;
    std::array<std::string, kCatalogueSize> jsonNames_;
};

}  // namespace velmora
