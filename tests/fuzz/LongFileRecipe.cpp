// Expansion and encoding of long-file recipes. The pattern is laid down by
// doubling copies, since the fuzzer expands a recipe on every run.
#include "tests/fuzz/LongFileRecipe.h"

#include <algorithm>
#include <cstring>

namespace velmora {

bool IsLongFileRecipe(std::span<const std::uint8_t> input) {
    return input.size() >= kRecipeMark.size() &&
           std::equal(kRecipeMark.begin(), kRecipeMark.end(), input.begin());
}

void ExpandLongFileRecipe(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& file) {
    std::array<std::uint8_t, kRecipeHeaderBytes> header{};
    std::copy_n(input.begin(), std::min(input.size(), header.size()), header.begin());
    const std::size_t anchor = kRecipeAnchors[header[4] % kRecipeAnchors.size()];
    const auto nudge = static_cast<std::int8_t>(header[5]);
    const std::size_t length = nudge < 0 ? anchor - static_cast<std::size_t>(-nudge)
                                         : anchor + static_cast<std::size_t>(nudge);
    const std::span<const std::uint8_t> trailer = std::span(header).subspan(6, kTrailerBytes);
    const std::span<const std::uint8_t> pattern =
        input.subspan(std::min(input.size(), kRecipeHeaderBytes));

    file.resize(length);
    if (pattern.empty()) {
        std::fill(file.begin(), file.end(), std::uint8_t{0});
    } else {
        // Every filled prefix is a whole number of patterns, so copying it
        // onwards continues the pattern without a seam.
        std::size_t filled = std::min(pattern.size(), length);
        std::memcpy(file.data(), pattern.data(), filled);
        while (filled < length) {
            const std::size_t step = std::min(filled, length - filled);
            std::memcpy(file.data() + filled, file.data(), step);
            filled += step;
        }
    }
    if (length > kGridBytes) {
        std::copy_n(trailer.begin(), std::min(kTrailerBytes, length - kGridBytes),
                    file.begin() + static_cast<std::ptrdiff_t>(kGridBytes));
    }
}

std::optional<std::vector<std::uint8_t>> EncodeLongFileRecipe(const LongFileRecipe& recipe) {
    for (std::size_t i = 0; i < kRecipeAnchors.size(); ++i) {
        const auto nudge =
            static_cast<std::int64_t>(recipe.Length) - static_cast<std::int64_t>(kRecipeAnchors[i]);
        if (nudge >= -128 && nudge <= 127) {
            std::vector<std::uint8_t> bytes(kRecipeMark.begin(), kRecipeMark.end());
            bytes.push_back(static_cast<std::uint8_t>(i));
            bytes.push_back(static_cast<std::uint8_t>(static_cast<std::int8_t>(nudge)));
            bytes.insert(bytes.end(), recipe.Trailer.begin(), recipe.Trailer.end());
            bytes.insert(bytes.end(), recipe.Pattern.begin(), recipe.Pattern.end());
            return bytes;
        }
    }
    return std::nullopt;
}

}  // namespace velmora
