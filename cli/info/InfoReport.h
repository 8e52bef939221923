// How info shows one map: an aligned block of text for people, or one
// compact JSON object on one line for programs.
#pragma once

#include "cli/MapInput.h"
#include "cli/info/MapSummary.h"

#include <cstddef>
#include <string>

namespace velmora {

// The codes info lists without --all.
inline constexpr std::size_t kMostUsedCodesShown = 10;

// Lines ending in newlines; the first names the file.
std::string InfoText(const LoadedMap& map, const MapSummary& summary, bool allCodes);

// One JSON object without a newline.
std::string InfoJson(const LoadedMap& map, const MapSummary& summary, bool allCodes);

}  // namespace velmora
