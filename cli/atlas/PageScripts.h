// The scripts of a map page in the order the page loads them, each after the
// ones it uses. The page's script tags are made from this list alone, and a
// test checks that it names every script compiled into the program.
#pragma once

#include <array>
#include <string_view>

namespace velmora {

inline constexpr std::array<std::string_view, 31> kPageScripts = {
    "zoom-steps.js",    "stats.js",           "count-text.js",
    "cell-numbers.js",  "text-fields.js",     "packed-bytes.js",
    "varints.js",       "coordinate-text.js", "tile-names.js",
    "sorted-cells.js",  "map-cells.js",       "map-versions.js",
    "look-sheets.js",   "tile-sets.js",       "canvas-grid-layer.js",
    "cell-layer.js",    "cell-marks.js",      "change-outlines.js",
    "search.js",        "search-marks.js",    "search-box.js",
    "address-hash.js",  "zoom-keys.js",       "version-texts.js",
    "last-change.js",   "info-panel.js",      "legend.js",
    "history-panel.js", "version-view.js",    "panel-toggle.js",
    "page.js",
};

}  // namespace velmora
