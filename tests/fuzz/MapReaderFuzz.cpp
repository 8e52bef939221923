// Fuzz target for the map reader: opens the input as a map file the way Open
// Map does, read by read, installs the tile set it names, then does in
// window-free terms what showing, hovering and the overview do with every
// cell. Any broken expectation traps, so the fuzzer reports it like a crash.
#include "core/document/EditorState.h"
#include "core/document/MapFile.h"
#include "core/overview/OverviewMapping.h"
#include "core/overview/OverviewStyle.h"
#include "core/tiles/TileCatalogue.h"
#include "core/tiles/TileSet.h"
#include "core/view/CoordinateText.h"
#include "core/view/ScreenLayouts.h"
#include "core/view/ViewMapping.h"
#include "tests/fuzz/LongFileRecipe.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {
namespace {

void Require(const bool holds) {
    if (!holds) {
        __builtin_trap();
    }
}

// What the grid and the tile set held before the file was opened: a map of
// the largest set, so that entries the file's set does not define stay filled.
constexpr TileCode kEarlierCode = 77;
constexpr std::int32_t kEarlierTileSet = StarportPalloran;

constexpr std::array kLayouts{ScreenLayout::Large, ScreenLayout::Medium, ScreenLayout::Small};

// Keeps the fuzzed reads from being optimised away.
volatile std::size_t g_sink = 0;

std::int32_t ValueAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
    const std::uint32_t u = std::uint32_t{bytes[offset]} | std::uint32_t{bytes[offset + 1]} << 8 |
                            std::uint32_t{bytes[offset + 2]} << 16 |
                            std::uint32_t{bytes[offset + 3]} << 24;
    return static_cast<std::int32_t>(u);
}

// Stated here rather than taken from the catalogue, so that a wrong range
// there cannot hide itself.
constexpr bool IsCatalogueCode(const TileCode code) {
    return code >= 0 && code <= 150;
}

bool LiesInside(const void* part, std::size_t partSize, const void* whole, std::size_t wholeSize) {
    const auto p = reinterpret_cast<std::uintptr_t>(part);
    const auto w = reinterpret_cast<std::uintptr_t>(whole);
    return p >= w && p + partSize <= w + wholeSize;
}

template <std::size_t Capacity>
std::size_t ReadText(const FixedText<Capacity>& text, const TileEntry& entry) {
    const std::string_view view = text.View();
    Require(view.size() <= Capacity);
    Require(view.empty() || LiesInside(view.data(), view.size(), &entry, sizeof entry));
    std::size_t sum = view.size();
    for (const char c : view) {
        sum += static_cast<unsigned char>(c);
    }
    return sum;
}

// A cell's picture and its information panel: the entry of its code, and of
// that entry the bitmap name and the texts shown.
std::size_t ShowCode(const TileCatalogue& catalogue, const TileCode code) {
    const TileEntry* const entry = catalogue.Find(code);
    Require((entry != nullptr) == IsCatalogueCode(code));
    if (entry == nullptr) {
        return 1;  // the "no tile" picture and the code in the panel
    }
    Require(LiesInside(entry, sizeof *entry, &catalogue, sizeof catalogue));
    Require(entry == &catalogue[code]);
    return ReadText(entry->Name, *entry) + ReadText(entry->BitmapName, *entry) +
           ReadText(entry->MP, *entry) + ReadText(entry->VisAdj, *entry) +
           ReadText(entry->AttAdj, *entry) + ReadText(entry->DefAdj, *entry);
}

bool IsColour(const Colour colour) {
    return colour.Bgr <= 0xFFFFFFu;
}

// One overview cell: its drawing and the rectangles of its mark, which must
// stay inside the cell.
std::size_t DrawOverviewCode(const std::int32_t tileSet, const TileCode code) {
    const std::optional<OverviewDrawing> drawing = FindOverviewDrawing(tileSet, code);
    if (!drawing) {
        return 0;
    }
    Require(IsKnownTileSet(tileSet));
    Require(IsCatalogueCode(code));
    Require(IsColour(drawing->Fill) && IsColour(drawing->MarkColour));
    const MarkRectangleList marks =
        MarkRectangles(drawing->Mark, kOverviewCellSize, kOverviewCellSize);
    Require(marks.Count >= 0 && marks.Count <= static_cast<int>(marks.Items.size()));
    Require((marks.Count == 0) == (drawing->Mark == OverviewMark::None));
    for (const PixelRect& rect : marks) {
        Require(0 <= rect.Left && rect.Left < rect.Right && rect.Right <= kOverviewCellSize);
        Require(0 <= rect.Top && rect.Top < rect.Bottom && rect.Bottom <= kOverviewCellSize);
    }
    return drawing->Fill.Bgr + static_cast<std::size_t>(marks.Count);
}

std::optional<int> NumberAt(std::string_view& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end == text.data()) {
        return std::nullopt;
    }
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return value;
}

bool Skip(std::string_view& text, const std::string_view expected) {
    if (!text.starts_with(expected)) {
        return false;
    }
    text.remove_prefix(expected.size());
    return true;
}

char LetterAt(std::string_view& text) {
    if (text.empty()) {
        return '\0';
    }
    const char letter = text.front();
    text.remove_prefix(1);
    return letter;
}

// The panel's two coordinate texts must name the hovered cell again: "(x, y)"
// and "nN, mE", with the centre row counted as north and the centre column as
// east.
void CheckCoordinateTexts(const MapCell cell) {
    const std::string absolute = AbsoluteCoordsText(cell);
    std::string_view a = absolute;
    Require(Skip(a, "("));
    Require(NumberAt(a) == cell.X);
    Require(Skip(a, ", "));
    Require(NumberAt(a) == cell.Y);
    Require(Skip(a, ")") && a.empty());

    const std::string relative = RelativeCoordsText(cell);
    std::string_view r = relative;
    const std::optional<int> northSouth = NumberAt(r);
    const char rowLetter = LetterAt(r);
    Require(Skip(r, ", "));
    const std::optional<int> eastWest = NumberAt(r);
    const char columnLetter = LetterAt(r);
    Require(r.empty() && northSouth >= 0 && eastWest >= 0);
    Require((rowLetter == 'N' && cell.Y == kMapCentre - *northSouth) ||
            (rowLetter == 'S' && *northSouth > 0 && cell.Y == kMapCentre + *northSouth));
    Require((columnLetter == 'E' && cell.X == kMapCentre + *eastWest) ||
            (columnLetter == 'W' && *eastWest > 0 && cell.X == kMapCentre - *eastWest));
}

// A scroll position of a bar: its ends, a middle one and one the input picks.
std::array<int, 4> ScrollPositions(const int centre, const int maximum, const std::size_t pick) {
    return {kScrollBarMinimum, std::clamp(centre, kScrollBarMinimum, maximum), maximum,
            kScrollBarMinimum + static_cast<int>(pick % static_cast<std::size_t>(maximum))};
}

// Every view cell of every layout at a few scroll positions, as the mouse
// passing over it shows it.
std::size_t HoverViews(const EditorState& state, const std::size_t pick) {
    std::size_t sum = 0;
    for (const ScreenLayout layout : kLayouts) {
        const ScreenLayoutValues& values = LayoutValues(layout);
        const std::array hs = ScrollPositions(CentreScrollPosition(values.VisibleColumns),
                                              values.MapScrollHorizontal.Max, pick);
        const std::array vs = ScrollPositions(CentreScrollPosition(values.VisibleRows),
                                              values.MapScrollVertical.Max, pick / 1009);
        for (std::size_t i = 0; i < hs.size(); ++i) {
            for (int row = 1; row <= values.VisibleRows; ++row) {
                for (int column = 1; column <= values.VisibleColumns; ++column) {
                    const MapCell cell = ViewCellToMapCell(hs[i], vs[i], row, column);
                    Require(MapGrid::Contains(cell.X, cell.Y));
                    sum += ShowCode(state.TileCatalogue, state.MapGrid.At(cell.X, cell.Y));
                    CheckCoordinateTexts(cell);
                }
            }
        }
    }
    return sum;
}

// What showing and the overview derive from a code depends on nothing but the
// code while the catalogue and the tile set stay as they are, so it is worked
// out once per catalogue code, as the windows keep a picture and a paint per
// code. Codes outside the catalogue are checked once each in a small cache.
class CellLooks {
public:
    CellLooks(const TileCatalogue& catalogue, const std::int32_t tileSet)
        : catalogue_(catalogue), tileSet_(tileSet) {
        for (std::int32_t code = 0; code < kCatalogueSize; ++code) {
            perCode_[static_cast<std::size_t>(code)] =
                ShowCode(catalogue, code) + DrawOverviewCode(tileSet, code);
        }
    }

    // The lookup itself is repeated for every cell: it is where a code from
    // the file meets the catalogue.
    std::size_t Look(const TileCode code) {
        const TileEntry* const entry = catalogue_.Find(code);
        if (entry != nullptr) {
            Require(IsCatalogueCode(code) && entry == &catalogue_[code]);
            Require(LiesInside(entry, sizeof *entry, &catalogue_, sizeof catalogue_));
            return perCode_[static_cast<std::size_t>(code)];
        }
        Require(!IsCatalogueCode(code));
        const auto slot =
            static_cast<std::size_t>(static_cast<std::uint32_t>(code) * 2654435761u >> 24);
        if (checkedOutside_[slot] != code) {
            Require(DrawOverviewCode(tileSet_, code) == 0);
            checkedOutside_[slot] = code;
        }
        return 1;
    }

private:
    const TileCatalogue& catalogue_;
    std::int32_t tileSet_;
    std::array<std::size_t, kCatalogueSize> perCode_{};
    // Starts with a code inside the catalogue, which never needs the check.
    std::array<TileCode, 256> checkedOutside_{};
};

// The overview of every layout at a few positions, among them the one it
// opens at from the centred view.
std::size_t OverviewLayouts(const EditorState& state, CellLooks& looks, const std::size_t pick) {
    std::size_t sum = 0;
    for (const ScreenLayout layout : kLayouts) {
        const ScreenLayoutValues& values = LayoutValues(layout);
        const OverviewOrigin origin = OverviewOriginFor(
            CentreScrollPosition(values.VisibleColumns), CentreScrollPosition(values.VisibleRows),
            values.VisibleColumns, values.VisibleRows, values.OverviewColumns, values.OverviewRows);
        const std::array ohs =
            ScrollPositions(origin.Horizontal, values.OverviewScrollHorizontal.Max, pick);
        const std::array ovs =
            ScrollPositions(origin.Vertical, values.OverviewScrollVertical.Max, pick / 1013);
        for (std::size_t i = 0; i < ohs.size(); ++i) {
            for (int row = 0; row < values.OverviewRows; ++row) {
                for (int column = 0; column < values.OverviewColumns; ++column) {
                    const MapCell cell = OverviewCellToMapCell(ohs[i], ovs[i], column, row);
                    Require(MapGrid::Contains(cell.X, cell.Y));
                    sum += looks.Look(state.MapGrid.At(cell.X, cell.Y));
                }
            }
        }
    }
    return sum;
}

bool SameEntries(const TileCatalogue& a, const TileCatalogue& b) {
    for (std::int32_t code = 0; code < kCatalogueSize; ++code) {
        if (!(a[code] == b[code])) {
            return false;
        }
    }
    return true;
}

// The reader's contract on the bytes it was given: whole values fill the
// cells in order, the rest is zero; the trailer counts only after a complete
// grid, and the version only when it is complete.
void CheckRead(std::span<const std::uint8_t> bytes, const MapReadResult& result,
               const EditorState& state, const int progressSteps) {
    const int cellsHeld =
        static_cast<int>(std::min<std::size_t>(bytes.size() / 4, std::size_t{kMapCellCount}));
    Require(result.CellsRead == cellsHeld);
    Require(progressSteps == cellsHeld / kMapSide);

    const std::span<const TileCode> cells = state.MapGrid.Cells();
    for (int index = 0; index < cellsHeld; ++index) {
        Require(cells[static_cast<std::size_t>(index)] ==
                ValueAt(bytes, static_cast<std::size_t>(index) * 4));
    }
    Require(std::all_of(cells.begin() + cellsHeld, cells.end(),
                        [](const TileCode code) { return code == 0; }));

    if (!result.GridComplete()) {
        Require(state.CurrentTileSet == 0 && !result.TileSetRead);
    } else if (bytes.size() >= kTileSetBytes) {
        Require(result.TileSetRead && state.CurrentTileSet == ValueAt(bytes, kGridBytes));
    } else {
        Require(!result.TileSetRead && state.CurrentTileSet == kEarlierTileSet);
    }
    const VersionTriple expected =
        bytes.size() >= kMapFileBytes && result.GridComplete()
            ? VersionTriple{ValueAt(bytes, kGridBytes + 4), ValueAt(bytes, kGridBytes + 8),
                            ValueAt(bytes, kGridBytes + 12)}
            : VersionTriple{};
    Require(result.Version == expected);
}

// One state for the whole run, as in the program; each input starts from the
// same earlier map.
EditorState& StateBeforeOpening() {
    static EditorState state;
    std::fill(state.MapGrid.Cells().begin(), state.MapGrid.Cells().end(), kEarlierCode);
    state.TileCatalogue = TileCatalogue{};
    state.CurrentTileSet = kEarlierTileSet;
    Require(RebuildTileCatalogue(state));
    state.VersionStamp = VersionStamp::Of(kProgramVersion);
    state.MapModified = false;
    return state;
}

std::size_t PickFrom(std::span<const std::uint8_t> input) {
    std::size_t pick = input.size();
    for (const std::uint8_t byte : input.first(std::min<std::size_t>(input.size(), 32))) {
        pick = pick * 131 + byte;
    }
    return pick;
}

// The file as Open Map's reads give it: a regular file gives what is asked
// for, but a read may give less before the end, so the input also picks pieces
// of other lengths, among them pieces that split a value.
class PiecewiseSource {
public:
    PiecewiseSource(std::span<const std::uint8_t> file, const std::size_t pick)
        : rest_(file), style_(pick % 4), random_(pick | 1) {}

    std::size_t operator()(const std::span<std::uint8_t> buffer) {
        Require(!buffer.empty());  // an empty read would look like the end of the file
        const std::size_t n = std::min({buffer.size(), rest_.size(), PieceLength()});
        std::copy_n(rest_.begin(), n, buffer.begin());
        rest_ = rest_.subspan(n);
        given_ += n;
        return n;
    }

    std::size_t Given() const { return given_; }

private:
    std::size_t PieceLength() {
        random_ ^= random_ << 13;
        random_ ^= random_ >> 7;
        random_ ^= random_ << 17;
        switch (style_) {
            case 1:
                return 1 + random_ % 4099;
            case 2:
                return 1 + random_ % 70000;
            case 3:
                return ++calls_ % 2 == 0 ? 1 + random_ % 3 : kMapFileBytes;
            default:
                return kMapFileBytes;
        }
    }

    std::span<const std::uint8_t> rest_;
    std::size_t style_;
    std::uint64_t random_;
    std::size_t calls_ = 0;
    std::size_t given_ = 0;
};

void OpenAndShow(std::span<const std::uint8_t> input) {
    static std::vector<std::uint8_t> expanded;
    std::span<const std::uint8_t> file = input;
    if (IsLongFileRecipe(input)) {
        ExpandLongFileRecipe(input, expanded);
        file = expanded;
    }
    const std::size_t pick = PickFrom(input);

    EditorState& state = StateBeforeOpening();
    int progressSteps = 0;
    PiecewiseSource source(file, pick);
    const MapReadResult result = ReadMapFile(std::ref(source), state.MapGrid, state.CurrentTileSet,
                                             [&progressSteps] { ++progressSteps; });
    // Nothing after a complete file's length is read.
    Require(source.Given() == std::min(file.size(), kMapFileBytes));
    CheckRead(file, result, state, progressSteps);
    g_sink = g_sink + static_cast<std::size_t>(IsNewerThan(result.Version, state.VersionStamp));

    const TileCatalogue before = state.TileCatalogue;
    const bool installed = RebuildTileCatalogue(state);
    Require(installed == IsKnownTileSet(state.CurrentTileSet));
    if (installed) {
        Require(state.PaletteTileCount >= 0 && state.PaletteTileCount < kCatalogueSize);
    } else {
        Require(SameEntries(before, state.TileCatalogue));
    }

    CellLooks looks(state.TileCatalogue, state.CurrentTileSet);
    std::size_t sum = 0;
    for (const TileCode code : state.MapGrid.Cells()) {
        sum += looks.Look(code);
    }
    sum += HoverViews(state, pick);
    sum += OverviewLayouts(state, looks, pick);
    g_sink = g_sink + sum;
}

}  // namespace
}  // namespace velmora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velmora::OpenAndShow(std::span<const std::uint8_t>(data, size));
    return 0;
}
