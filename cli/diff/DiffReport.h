// The forms diff shows its answer in: a line per differing cell, counts with
// the changed area, and one JSON object.
#pragma once

#include "cli/MapInput.h"
#include "cli/diff/MapDifference.h"

#include <string>

namespace velmora {

// `(510, 487) 12N, 11E: 2 "Wall" -> 1 "Open"` for each cell in row order, then
// the tile set's and the version's change.
std::string DiffText(const LoadedMap& a, const LoadedMap& b, const MapDifference& difference);

// Counts and the changed area, aligned.
std::string DiffStat(const LoadedMap& a, const LoadedMap& b, const MapDifference& difference);

// One compact JSON object without a newline; withCells adds every differing
// cell with its old and new code and name.
std::string DiffJson(const LoadedMap& a, const LoadedMap& b, const MapDifference& difference,
                     bool withCells);

}  // namespace velmora
