// The forms diff shows its answer in: a line per differing cell, counts with
// the changed area, one JSON object, and a picture of the changed area.
#pragma once

#include "cli/MapInput.h"
#include "cli/diff/MapDifference.h"
#include "core/overview/OverviewStyle.h"

#include <QImage>

#include <string>

namespace velmora {

// Cells around the changed area that the picture shows too.
inline constexpr int kPictureMargin = 3;
// Pixels per cell of the picture: the first size with grid lines.
inline constexpr int kPictureCellPixels = 11;
// The outline of a changed cell: pure red, which no overview colour is.
inline constexpr Colour kChangeOutline{0x0000FF};

// `(510, 487) 12N, 11E: 2 "Wall" -> 1 "Open"` for each cell in row order, then
// the tile set's and the version's change.
std::string DiffText(const LoadedMap& a, const LoadedMap& b, const MapDifference& difference);

// Counts and the changed area, aligned.
std::string DiffStat(const LoadedMap& a, const LoadedMap& b, const MapDifference& difference);

// One compact JSON object without a newline; withCells adds every differing
// cell with its old and new code and name.
std::string DiffJson(const LoadedMap& a, const LoadedMap& b, const MapDifference& difference,
                     bool withCells);

// The changed area and a margin, clamped to the map, from b in overview
// colours with every differing cell outlined. Precondition: a cell differs.
QImage DiffPicture(const LoadedMap& b, const MapDifference& difference);

}  // namespace velmora
