// The five overview tables, one per tile set. Each row covers a run of codes
// that share a drawing; colours are 0xBBGGRR. Codes that no row covers have
// no drawing. The trailing comment names the tile for orientation.
#include "core/overview/OverviewStyle.h"

#include "core/tiles/TileSet.h"

#include <span>

namespace velmora {
namespace {

struct OverviewRow {
    std::int32_t FirstCode;
    std::int32_t LastCode;
    Colour Fill;
    OverviewMark Mark;
    Colour MarkColour;
};

constexpr OverviewMark None = OverviewMark::None;
constexpr OverviewMark VerticalBar = OverviewMark::VerticalBar;
constexpr OverviewMark HorizontalBar = OverviewMark::HorizontalBar;
constexpr OverviewMark Cross = OverviewMark::Cross;
constexpr OverviewMark CentreSquare = OverviewMark::CentreSquare;

// clang-format off
constexpr OverviewRow kDungeonRows[] = {
    {0,   0,  {0xC0C0C0}, None,          {}},          // Unknown
    {1,   1,  {0xFFFFFF}, None,          {}},          // Open
    {2,   2,  {0x000000}, None,          {}},          // Wall
    {3,   3,  {0xFF8080}, None,          {}},          // Shallow Water
    {4,   4,  {0x304A6D}, Cross,         {0xFFFFFF}},  // Crawlspace - crossroads
    {5,   5,  {0x304A6D}, HorizontalBar, {0xFFFFFF}},  // Crawlspace - horizontal
    {6,   6,  {0x304A6D}, VerticalBar,   {0xFFFFFF}},  // Crawlspace - vertical
    {7,   7,  {0x304A6D}, Cross,         {0xFFFFFF}},  // Crumbling Earth Tunnel - crossroads
    {8,   8,  {0x304A6D}, HorizontalBar, {0xFFFFFF}},  // Crumbling Earth Tunnel - horizontal
    {9,   9,  {0x304A6D}, VerticalBar,   {0xFFFFFF}},  // Crumbling Earth Tunnel - vertical
    {10, 10,  {0x808080}, None,          {}},          // Solid rock
    {11, 11,  {0x466DA2}, None,          {}},          // Locked Door
    {12, 12,  {0x466DA2}, None,          {}},          // Unlocked Door
    {13, 13,  {0xD75AEB}, None,          {}},          // Stairs Up
    {14, 14,  {0x690F78}, None,          {}},          // Stairs Down
    {15, 15,  {0xFFFFFF}, CentreSquare,  {0x466DA2}},  // Chest
    {16, 16,  {0xFFFFFF}, CentreSquare,  {0x000000}},  // Bottomless Pit
    {17, 17,  {0xFFFFFF}, None,          {}},          // Bed
    {18, 18,  {0xFFFFFF}, None,          {}},          // Portcullis
    {19, 19,  {0xFFFFFF}, None,          {}},          // Magical Trader
    {20, 20,  {0xFFFFFF}, None,          {}},          // Archway
    {21, 21,  {0xDDDDDD}, None,          {}},          // Courtyard
    {22, 22,  {0x408080}, None,          {}},          // Guild House
    {23, 23,  {0xFFFFFF}, None,          {}},          // Stone Archway
    {24, 27,  {0xFFA4FF}, None,          {}},          // Tentacular Cluster
    {28, 28,  {0x408080}, None,          {}},          // Army Recruit Point
    {29, 29,  {0xFFFFFF}, None,          {}},          // Statue
    {30, 36,  {0xFFFFFF}, None,          {}},          // no tile
};

constexpr OverviewRow kOpenVLRows[] = {
    {0,   0,  {0xC0C0C0}, None, {}},  // Unknown
    {1,   1,  {0x55CE55}, None, {}},  // Open Land
    {2,   2,  {0x667E99}, None, {}},  // Gentle Hills
    {3,   3,  {0x46617D}, None, {}},  // Steep Hills
    {4,   4,  {0x38A730}, None, {}},  // Light Forest
    {5,   5,  {0x297823}, None, {}},  // Heavy Forest
    {6,   6,  {0xFF8080}, None, {}},  // Water
    {7,   7,  {0xDDDDDD}, None, {}},  // Mountains
    {8,   8,  {0x304A6D}, None, {}},  // Private Land
    {9,   9,  {0x808080}, None, {}},  // Road
    {10, 10,  {0xDDDDDD}, None, {}},  // City
    {11, 11,  {0xDDDDDD}, None, {}},  // Castle
    {12, 12,  {0xDDDDDD}, None, {}},  // Keep
    {13, 13,  {0xDDDDDD}, None, {}},  // Town
    {14, 14,  {0xDDDDDD}, None, {}},  // Village
    {15, 15,  {0xFFFFFF}, None, {}},  // Dungeon Entrance
    {16, 16,  {0xFFFFFF}, None, {}},  // Broken Land
    {17, 17,  {0xFFFFFF}, None, {}},  // Magical Place
    {18, 36,  {0xFFFFFF}, None, {}},  // no tile
};

constexpr OverviewRow kOpenCarrowmereRows[] = {
    {0,   0,  {0xC0C0C0}, None, {}},  // Unknown
    {1,   1,  {0xDDDDDD}, None, {}},  // Bordertown
    {2,   2,  {0x38A730}, None, {}},  // Shallow Jungle
    {3,   3,  {0x297823}, None, {}},  // Deep Jungle
    {4,   4,  {0x304A6D}, None, {}},  // Hut
    {5,   5,  {0x304A6D}, None, {}},  // Fenced Area
    {6,   6,  {0x4E6C6D}, None, {}},  // Broken Fence
    {7,   7,  {0xFFFFFF}, None, {}},  // Jungle Path
    {8,   8,  {0xFF8080}, None, {}},  // Small Pool
    {9,   9,  {0xFFFFFF}, None, {}},  // Elephant Hut
    {10, 10,  {0xFFFFFF}, None, {}},  // Cave Entrance
    {11, 36,  {0xFFFFFF}, None, {}},  // no tile
};

constexpr OverviewRow kOpenYSRRows[] = {
    {0,   0,  {0xC0C0C0}, None, {}},  // Unknown
    {1,   1,  {0xFFFFFF}, None, {}},  // Open Land
    {2,   2,  {0x000000}, None, {}},  // no tile
    {3,   3,  {0xFF0000}, None, {}},  // no tile
    {4,   9,  {0x304A6D}, None, {}},  // no tile
    {10, 10,  {0x808080}, None, {}},  // no tile
    {11, 12,  {0x466DA2}, None, {}},  // no tile
    {13, 20,  {0xFFFFFF}, None, {}},  // no tile
    {21, 21,  {0xDDDDDD}, None, {}},  // no tile
    {22, 36,  {0xFFFFFF}, None, {}},  // no tile
};

// Codes 37 to 50 have no drawing.
constexpr OverviewRow kStarportPalloranRows[] = {
    {0,     0,  {0xC0C0C0}, None,          {}},          // Unknown
    {1,     1,  {0xFFFFFF}, None,          {}},          // Open Starport Area / Grating
    {2,     2,  {0xFFFFFF}, None,          {}},          // Floor
    {3,     3,  {0x000000}, None,          {}},          // Border
    {4,     4,  {0xFFFFFF}, None,          {}},          // Landing Pad
    {5,     5,  {0xFFFFFF}, None,          {}},          // Walkway
    {6,     6,  {0xFFFFFF}, None,          {}},          // Sign
    {7,     7,  {0xD75AEB}, None,          {}},          // Elevator
    {8,     8,  {0xFFFFFF}, None,          {}},          // Monkey Workshop
    {9,     9,  {0x808080}, None,          {}},          // Highway
    {10,   10,  {0x000000}, None,          {}},          // Wall
    {11,   11,  {0xFFFFFF}, HorizontalBar, {0x000000}},  // Interior Wall
    {12,   12,  {0xFFFFFF}, None,          {}},          // Doorway
    {13,   13,  {0xFFFFFF}, None,          {}},          // Interior Floor
    {14,   14,  {0xFFFFFF}, None,          {}},          // Road
    {15,   15,  {0xFFFFFF}, None,          {}},          // Pavement
    {16,   20,  {0xFFFFFF}, None,          {}},          // no tile
    {21,   21,  {0xDDDDDD}, None,          {}},          // no tile
    {22,   36,  {0xFFFFFF}, None,          {}},          // no tile
    {51,   55,  {0xFFFFFF}, None,          {}},          // Walkway
    {56,   92,  {0xFFFFFF}, None,          {}},          // Sign
    {93,   95,  {0xD75AEB}, None,          {}},          // Elevator
    {96,   96,  {0xFFFFFF}, None,          {}},          // Crew Hire Station
    {97,   97,  {0xFFFFFF}, None,          {}},          // Armour Shop
    {98,   98,  {0xFFFFFF}, None,          {}},          // Equipment Shop
    {99,   99,  {0xFFFFFF}, None,          {}},          // Off Planet Tours
    {100, 100,  {0xFFFFFF}, None,          {}},          // Street Cafe
    {101, 101,  {0xFFFFFF}, None,          {}},          // Zipper Bay
    {102, 108,  {0x000000}, None,          {}},          // Wall
    {109, 109,  {0xFFFFFF}, VerticalBar,   {0x000000}},  // Interior Wall
    {110, 110,  {0xFFFFFF}, HorizontalBar, {0x000000}},  // Interior Wall
    {111, 111,  {0xFFFFFF}, VerticalBar,   {0x000000}},  // Interior Wall
    {112, 114,  {0x466DA2}, None,          {}},          // Doorway
    {115, 116,  {0x808080}, None,          {}},          // Highway
    {117, 117,  {0xFFFFFF}, Cross,         {0x000000}},  // Interior Wall
    {118, 118,  {0xFFFFFF}, None,          {}},          // Broken Grating
    {119, 119,  {0xD75AEB}, None,          {}},          // Elevator
    {120, 121,  {0x808080}, None,          {}},          // Highway
    {122, 133,  {0x000000}, None,          {}},          // Wall
    {134, 134,  {0xFFFFFF}, None,          {}},          // Weapon Shop
};
// clang-format on

std::span<const OverviewRow> RowsOf(std::int32_t tileSet) {
    switch (tileSet) {
        case Dungeon:
            return kDungeonRows;
        case OpenVL:
            return kOpenVLRows;
        case OpenCarrowmere:
            return kOpenCarrowmereRows;
        case OpenYSR:
            return kOpenYSRRows;
        case StarportPalloran:
            return kStarportPalloranRows;
        default:
            return {};
    }
}

}  // namespace

std::optional<OverviewDrawing> FindOverviewDrawing(std::int32_t tileSet, std::int32_t code) {
    for (const OverviewRow& row : RowsOf(tileSet)) {
        if (code >= row.FirstCode && code <= row.LastCode) {
            return OverviewDrawing{row.Fill, row.Mark, row.MarkColour};
        }
    }
    return std::nullopt;
}

}  // namespace velmora
