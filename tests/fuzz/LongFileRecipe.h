// How a short fuzz input stands for a long map file, so that the fuzzer
// reaches the lengths around the end of the grid and the trailer without
// mutating four-megabyte inputs. A recipe starts with the four bytes "LONG";
// every other input is taken as the file itself.
#pragma once

#include "core/document/MapFile.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velmora {

// Recipe layout: the mark; one byte choosing an anchor length (modulo the
// table) and one signed byte added to it, so that a single changed byte moves
// the file's end; the 16 trailer bytes (tile set and version); then a cell
// pattern repeated from the first byte of the file to its end, the trailer
// excepted. Missing trailer or pattern bytes count as zero.
inline constexpr std::array<std::uint8_t, 4> kRecipeMark{'L', 'O', 'N', 'G'};
inline constexpr std::size_t kTrailerBytes = kMapFileBytes - kGridBytes;
inline constexpr std::size_t kRecipeHeaderBytes = kRecipeMark.size() + 2 + kTrailerBytes;

// The ends of the format's parts, and round sizes where buffered reading
// tends to split a file.
inline constexpr std::array<std::size_t, 9> kRecipeAnchors{
    kGridBytes - kMapSide * 4,  // the start of the last row
    kGridBytes,
    kTileSetBytes,
    kMapFileBytes,
    std::size_t{1} << 16,
    std::size_t{1} << 18,
    std::size_t{1} << 20,
    std::size_t{1} << 21,
    std::size_t{3} << 20,
};

struct LongFileRecipe {
    std::size_t Length = kMapFileBytes;  // within 128 bytes of an anchor
    std::array<std::uint8_t, kTrailerBytes> Trailer{};
    std::vector<std::uint8_t> Pattern;
};

bool IsLongFileRecipe(std::span<const std::uint8_t> input);

// Precondition: IsLongFileRecipe(input). Reuses file's storage.
void ExpandLongFileRecipe(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& file);

// Nothing when the length lies near no anchor.
std::optional<std::vector<std::uint8_t>> EncodeLongFileRecipe(const LongFileRecipe& recipe);

}  // namespace velmora
