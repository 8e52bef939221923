// The usage counts, kept per tile set by code and sorted only when asked for.
#include "core/rules/TileUsage.h"

#include "core/tiles/TileCatalogue.h"
#include "core/tiles/TileNames.h"

#include <algorithm>

namespace velmora {

void TileUsage::AddMap(const std::optional<std::int32_t> tileSet,
                       const std::span<const CodeCount> counts) {
    SetTally& set = sets_[tileSet];
    ++set.Maps;
    for (const CodeCount& counted : counts) {
        if (counted.Count == 0) {
            continue;
        }
        Tally& tally = set.Codes[counted.Code];
        tally.Cells += counted.Count;
        tally.MapNumbers.push_back(mapsAdded_);
    }
    ++mapsAdded_;
}

std::vector<TileSetUsage> TileUsage::BySet() const {
    std::vector<TileSetUsage> usage;
    for (const auto& [tileSet, set] : sets_) {
        const TileNames names(tileSet);
        TileSetUsage entry{tileSet, set.Maps, {}, {}, {}};
        for (const auto& [code, tally] : set.Codes) {
            TileUse use{code, tally.Cells, tally.MapNumbers.size(), {}};
            if (names.Find(code) != nullptr) {
                entry.Used.push_back(std::move(use));
            } else {
                use.MapNumbers = tally.MapNumbers;
                entry.NoTile.push_back(std::move(use));
            }
        }
        std::stable_sort(entry.Used.begin(), entry.Used.end(),
                         [](const TileUse& a, const TileUse& b) { return a.Cells > b.Cells; });
        for (TileCode code = 0; code < kCatalogueSize; ++code) {
            if (names.Find(code) != nullptr && !set.Codes.contains(code)) {
                entry.Unused.push_back(code);
            }
        }
        usage.push_back(std::move(entry));
    }
    return usage;
}

}  // namespace velmora
