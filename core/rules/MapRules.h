// A world's own rules for its maps, checked cell by cell: which tiles a map
// (or a block of it) may hold, must not hold, must not put side by side, must
// hold so many of, and must have along its edge. The codes are resolved
// before a map is checked, so this knows nothing of names or files; what
// breaks comes out as areas of touching cells, one finding per area.
#pragma once

#include "core/document/CodeCounts.h"
#include "core/document/MapGrid.h"
#include "core/merge/CellAreas.h"
#include "core/overview/OverviewPainter.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velmora {

// A set of codes, asked about once per cell: the codes 0..255 in a table,
// the rare others in a sorted list.
class CodeSet {
public:
    CodeSet() = default;
    explicit CodeSet(std::span<const TileCode> codes);

    bool Contains(const TileCode code) const {
        return code >= 0 && code < kTableSize ? table_[static_cast<std::size_t>(code)]
                                              : ContainsOther(code);
    }
    // Whether any code of the set is counted in counts (ordered by code).
    bool AnyIn(std::span<const CodeCount> counts) const;
    // The cells of counts that hold a code of the set.
    std::uint64_t CellsIn(std::span<const CodeCount> counts) const;

private:
    static constexpr TileCode kTableSize = 256;
    bool ContainsOther(TileCode code) const;

    std::array<bool, kTableSize> table_{};
    std::vector<TileCode> others_;
};

enum class RuleKind {
    Only,        // every cell holds one of Tiles
    Never,       // no cell holds one of Tiles
    NeverTouch,  // no cell of Tiles has one of its four neighbours in Touching
    Count,       // AtLeast <= cells holding one of Tiles <= AtMost
    Edge,        // every cell of the edge holds one of Tiles
};

inline constexpr CellArea kWholeMap{0, 0, kMapSide, kMapSide};

struct MapRule {
    RuleKind Kind = RuleKind::Never;
    // Within the map; the whole map unless the rule names a block.
    CellArea Area = kWholeMap;
    CodeSet Tiles;
    CodeSet Touching;
    std::optional<std::uint64_t> AtLeast;
    std::optional<std::uint64_t> AtMost;
};

struct RuleFinding {
    // For Only, Never, NeverTouch and Edge: the offending cells of one area.
    CellGroup Cells;
    // For Count: how many cells hold the tile.
    std::uint64_t Counted = 0;
};

// Each area the rule is broken in, ordered by its first cell; for a count,
// at most one finding, whose cells are empty. counts are the map's codes
// ordered by code: a rule over the whole map whose tiles the map does not
// hold needs no look at its cells.
std::vector<RuleFinding> CheckRule(const MapRule& rule, std::span<const TileCode> cells,
                                   std::span<const CodeCount> counts);

}  // namespace velmora
