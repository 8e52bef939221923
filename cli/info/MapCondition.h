// What a loaded map file says about itself beyond its cells: whether it was
// cut short or carries bytes after its end, and its stored version. info
// lists these as problems, diff warns of them, and the text for git shows
// them at its top, so all three word them alike.
#pragma once

#include "cli/MapInput.h"
#include "core/document/Version.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// "3,992,020": thousands separated by commas.
std::string GroupedNumber(std::uint64_t value);

// "1 cell", "2,000 cells".
std::string CellCount(std::uint64_t count);

// The version, when all three of its values were stored.
std::optional<VersionTriple> StoredVersion(const LoadedMap& map);

// True when the stored version is newer than this program's.
bool WrittenByNewerVersion(const LoadedMap& map);

// "0.4.320", or "not stored".
std::string VersionText(const std::optional<VersionTriple>& version);

// How the file differs from what the editor writes, one sentence each: a grid
// cut short, a tile set not stored, a file that ends inside the tile set or
// the version, bytes after the end. A grid-only file also lacks its version,
// but that alone is an older map the editor opens as complete: not damage.
std::vector<std::string> FileDamage(const LoadedMap& map);

}  // namespace velmora
