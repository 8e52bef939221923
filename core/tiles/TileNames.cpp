// Names of codes, cells and tile sets for the program's output.
#include "core/tiles/TileNames.h"

#include "core/tiles/TileSet.h"
#include "core/tiles/TileTables.h"
#include "core/view/CoordinateText.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace velmora {

TileNames::TileNames(const std::optional<std::int32_t> tileSet) {
    if (tileSet && IsKnownTileSet(*tileSet)) {
        WriteTileSetEntries(catalogue_, static_cast<TileSet>(*tileSet));
    }
}

const TileEntry* TileNames::Find(const std::int32_t code) const {
    const TileEntry* const entry = catalogue_.Find(code);
    return entry != nullptr && !entry->IsEmpty() ? entry : nullptr;
}

std::string TileNames::CodeText(const std::int32_t code) const {
    const TileEntry* const entry = Find(code);
    const std::string number = std::to_string(code);
    if (entry == nullptr) {
        return number + " (no tile)";
    }
    return number + " \"" + std::string(entry->Name.View()) + "\"";
}

namespace {

// Text without blanks around it.
std::string_view Trimmed(std::string_view text) {
    const auto blank = [](const char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool SameIgnoringCase(const std::string_view a, const std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const char x, const char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

std::vector<std::int32_t> TileNames::CodesMeant(const std::string_view text) const {
    const std::string_view wanted = Trimmed(text);
    std::int32_t number = 0;
    const auto [end, failure] = std::from_chars(wanted.data() + (wanted.starts_with('+') ? 1 : 0),
                                                wanted.data() + wanted.size(), number);
    if (!wanted.empty() && failure == std::errc() && end == wanted.data() + wanted.size()) {
        return {number};
    }
    std::vector<std::int32_t> codes;
    for (std::int32_t code = 0; code < kCatalogueSize; ++code) {
        const TileEntry* const entry = Find(code);
        if (entry != nullptr && SameIgnoringCase(entry->Name.View(), wanted)) {
            codes.push_back(code);
        }
    }
    return codes;
}

std::string CellText(const MapCell cell) {
    return AbsoluteCoordsText(cell) + " " + RelativeCoordsText(cell);
}

std::string TileSetText(const std::optional<std::int32_t> tileSet) {
    if (!tileSet) {
        return "not stored";
    }
    if (!IsKnownTileSet(*tileSet)) {
        return "unknown tile set " + std::to_string(*tileSet);
    }
    return std::to_string(*tileSet) + " \"" +
           std::string(TileSetMenuCaption(static_cast<TileSet>(*tileSet))) + "\"";
}

std::string VersionText(const std::int32_t major, const std::int32_t minor,
                        const std::int32_t build) {
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(build);
}

}  // namespace velmora
