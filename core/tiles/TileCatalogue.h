// The one table of tile entries, indexed by tile code 0 to 150. A map cell may
// hold any 32-bit code, so lookups by code go through Find, which refuses
// codes outside the table instead of reading past it.
#pragma once

#include "core/tiles/TileEntry.h"

#include <array>
#include <cstdint>

namespace velmora {

inline constexpr int kCatalogueSize = 151;

class TileCatalogue {
public:
    static constexpr bool InRange(std::int32_t code) { return code >= 0 && code < kCatalogueSize; }

    // The entry of a code, or nullptr for a code outside 0..150.
    const TileEntry* Find(std::int32_t code) const {
        return InRange(code) ? &entries_[static_cast<std::size_t>(code)] : nullptr;
    }
    // Precondition: InRange(code).
    const TileEntry& operator[](std::int32_t code) const {
        return entries_[static_cast<std::size_t>(code)];
    }
    void Write(std::int32_t code, const TileEntry& entry) {
        entries_[static_cast<std::size_t>(code)] = entry;
    }

private:
    std::array<TileEntry, kCatalogueSize> entries_{};
};

}  // namespace velmora
