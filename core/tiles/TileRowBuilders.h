// How the tile tables are written: each row is built at compile time from plain
// texts, so a text that would not fit its field stops the build instead of
// being cut short in the catalogue.
#pragma once

#include "core/tiles/TileCatalogue.h"
#include "core/tiles/TileTables.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace velmora::tile_rows {

template <std::size_t Capacity>
consteval FixedText<Capacity> Fitting(std::string_view text) {
    if (text.size() > Capacity) {
        throw "a tile text is longer than its field";
    }
    return FixedText<Capacity>(text);
}

consteval TileRow Tile(std::int32_t code, std::string_view name, std::string_view bitmapName,
                       std::string_view mp, std::string_view visAdj, std::string_view attAdj,
                       std::string_view defAdj) {
    if (!TileCatalogue::InRange(code)) {
        throw "a tile code outside the catalogue";
    }
    return {code,
            {Fitting<48>(name), Fitting<48>(bitmapName), Fitting<3>(mp), Fitting<3>(visAdj),
             Fitting<3>(attAdj), Fitting<3>(defAdj)}};
}

// A set's rows must run in strictly rising code order, so that no code is
// defined twice and readers can rely on the order.
consteval bool CodesRise(std::span<const TileRow> rows) {
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (rows[i].Code <= rows[i - 1].Code) {
            return false;
        }
    }
    return true;
}

}  // namespace velmora::tile_rows
