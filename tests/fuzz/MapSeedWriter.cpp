// Writes the fuzzer's seed files: the short ones and the long-file recipes
// that are kept with the sources (--compact), and the recipes expanded into
// real files of almost four megabytes, made afresh for each run (--full).
#include "core/document/MapFile.h"
#include "core/document/MapGrid.h"
#include "core/document/Version.h"
#include "core/tiles/TileCatalogue.h"
#include "core/tiles/TileSet.h"
#include "tests/fuzz/LongFileRecipe.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

std::vector<std::uint8_t> Values(std::initializer_list<std::int32_t> values) {
    std::vector<std::uint8_t> bytes;
    for (const std::int32_t value : values) {
        const auto u = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<std::uint8_t>(u >> shift));
        }
    }
    return bytes;
}

std::vector<std::uint8_t> EveryCatalogueCode() {
    std::vector<std::uint8_t> bytes;
    for (std::int32_t code = 0; code < kCatalogueSize; ++code) {
        const std::vector<std::uint8_t> value = Values({code});
        bytes.insert(bytes.end(), value.begin(), value.end());
    }
    return bytes;
}

struct ShortSeed {
    std::string_view Name;
    std::vector<std::uint8_t> Bytes;
};

struct RecipeSeed {
    std::string_view Name;
    std::size_t Length;
    std::int32_t TileSet;
    VersionTriple Version;
    std::vector<std::uint8_t> Pattern;
};

std::vector<ShortSeed> ShortSeeds() {
    return {
        {"empty", {}},
        {"one-byte", {0x01}},
        {"one-value-and-a-half", {0x02, 0x00, 0x00, 0x00, 0x03, 0x00}},
        {"codes-outside-catalogue", Values({151, -1, kMin, kMax})},
    };
}

std::vector<RecipeSeed> RecipeSeeds() {
    const VersionTriple own = kProgramVersion;
    const std::vector<std::uint8_t> codes = EveryCatalogueCode();
    // Most recipes keep their pattern short, so that the fuzzer's changes
    // often land on the length and the trailer.
    const std::vector<std::uint8_t> few = Values({1, 150, 0, 151, -1, 29});
    // clang-format off
    return {
        // name                          file length                     tile set          version                  cell pattern
        {"one-mebibyte",                 std::size_t{1} << 20,           OpenVL,           own,                     few},
        {"mebibyte-and-half-a-value",    (std::size_t{1} << 20) + 2,     OpenVL,           own,                     few},
        {"one-row-short-of-the-grid",    kGridBytes - kMapSide * 4,      OpenVL,           own,                     few},
        {"one-byte-short-of-the-grid",   kGridBytes - 1,                 OpenVL,           own,                     few},
        {"grid-alone",                   kGridBytes,                     OpenVL,           own,                     few},
        {"grid-and-tile-set",            kTileSetBytes,                  OpenCarrowmere,   own,                     few},
        {"cut-inside-major",             kTileSetBytes + 3,              OpenYSR,          own,                     few},
        {"cut-inside-build",             kMapFileBytes - 2,              StarportPalloran, own,                     few},
        {"full",                         kMapFileBytes,                  StarportPalloran, own,                     codes},
        {"bytes-after-the-trailer",      kMapFileBytes + 7,              Dungeon,          own,                     few},
        {"codes-outside-catalogue",      kMapFileBytes,                  Dungeon,          own,                     Values({-1, 151, kMin, kMax, 150, 0, 1000})},
        {"values-across-cell-borders",   kMapFileBytes,                  Dungeon,          own,                     {0x01, 0x96, 0x00, 0x00, 0xFF}},
        {"tile-set-minus-one",           kMapFileBytes,                  -1,               own,                     few},
        {"tile-set-five",                kMapFileBytes,                  5,                own,                     few},
        {"tile-set-lowest",              kMapFileBytes,                  kMin,             own,                     few},
        {"tile-set-highest",             kMapFileBytes,                  kMax,             own,                     few},
        {"version-one-newer",            kMapFileBytes,                  OpenVL,           {0, 4, 321},             few},
        {"version-packing-one-newer",    kMapFileBytes,                  OpenVL,           {0, 3, 10321},           few},
        {"versions-highest",             kMapFileBytes,                  OpenVL,           {kMax, kMax, kMax},      few},
        {"versions-lowest",              kMapFileBytes,                  OpenVL,           {kMin, kMin, kMin},      few},
        {"versions-mixed-extremes",      kMapFileBytes,                  OpenVL,           {kMax, kMin, kMax},      few},
    };
    // clang-format on
}

std::optional<std::vector<std::uint8_t>> RecipeBytes(const RecipeSeed& seed) {
    LongFileRecipe recipe;
    recipe.Length = seed.Length;
    const std::vector<std::uint8_t> trailer =
        Values({seed.TileSet, seed.Version.Major, seed.Version.Minor, seed.Version.Build});
    std::copy(trailer.begin(), trailer.end(), recipe.Trailer.begin());
    recipe.Pattern = seed.Pattern;
    return EncodeLongFileRecipe(recipe);
}

// A map as the editor saves it, with every catalogue code in use.
std::vector<std::uint8_t> SavedMap() {
    MapGrid grid;
    for (int y = 0; y < kMapSide; ++y) {
        for (int x = 0; x < kMapSide; ++x) {
            grid.Set(x, y, (x + y) % kCatalogueSize);
        }
    }
    return WriteMapFile(grid, StarportPalloran, kProgramVersion);
}

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// Every length from a little before the grid's end to a little after the
// file's end, each a short recipe: there are few of them, and a fuzzer
// rarely hits one exact length by changing bytes.
std::vector<RecipeSeed> EveryLengthAroundTheTrailer() {
    std::vector<RecipeSeed> seeds;
    for (std::size_t length = kGridBytes - 8; length <= kMapFileBytes + 8; ++length) {
        seeds.push_back({"", length, OpenYSR, {0, 4, 321}, Values({150, 151})});
    }
    return seeds;
}

bool WriteRecipe(const std::filesystem::path& path, const RecipeSeed& seed) {
    const std::optional<std::vector<std::uint8_t>> recipe = RecipeBytes(seed);
    return recipe && WriteFile(path, *recipe);
}

bool WriteCompact(const std::filesystem::path& folder) {
    bool ok = true;
    for (const ShortSeed& seed : ShortSeeds()) {
        ok = WriteFile(folder / seed.Name, seed.Bytes) && ok;
    }
    for (const RecipeSeed& seed : RecipeSeeds()) {
        ok = WriteRecipe(folder / ("recipe-" + std::string(seed.Name)), seed) && ok;
    }
    for (const RecipeSeed& seed : EveryLengthAroundTheTrailer()) {
        ok = WriteRecipe(folder / ("recipe-length-" + std::to_string(seed.Length)), seed) && ok;
    }
    return ok;
}

bool WriteFull(const std::filesystem::path& folder) {
    bool ok = WriteFile(folder / "saved-by-the-editor.map", SavedMap());
    std::vector<std::uint8_t> file;
    for (const RecipeSeed& seed : RecipeSeeds()) {
        const std::optional<std::vector<std::uint8_t>> recipe = RecipeBytes(seed);
        if (!recipe) {
            ok = false;
            continue;
        }
        ExpandLongFileRecipe(*recipe, file);
        ok = WriteFile(folder / (std::string(seed.Name) + ".map"), file) && ok;
    }
    return ok;
}

}  // namespace
}  // namespace velmora

int main(int argc, char** argv) {
    const std::string_view mode = argc == 3 ? argv[1] : "";
    if (mode != "--compact" && mode != "--full") {
        std::fprintf(stderr, "usage: %s --compact|--full FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[2];
    std::filesystem::create_directories(folder);
    const bool ok =
        mode == "--compact" ? velmora::WriteCompact(folder) : velmora::WriteFull(folder);
    if (!ok) {
        std::fprintf(stderr, "%s: could not write the seeds into %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
