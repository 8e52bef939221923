// A map as lines of text for git's line diff (`velmora-map diff --textconv`):
// a short header with the tile set and version, then one line per run of
// equal codes along a row, leaving out code 0, which fills most of any map.
// A changed cell then shows as its run's line replaced by the pieces it was
// split into, each naming its cells and tile.
#pragma once

#include "cli/MapInput.h"

#include <string>

namespace velmora {

// Header lines: "tile set: ...", "version: ...", a "damage: ..." line for
// each way the file is cut short or overlong, and "other cells: 0 ...". Then
// `(510, 487) 12N, 11E: 2 "Wall"` for a single cell and
// `(495-505, 488) 11N, 4W-6E: 1 "Open" x 11` for a run.
std::string MapText(const LoadedMap& map);

}  // namespace velmora
