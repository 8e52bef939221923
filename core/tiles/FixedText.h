// A length-counted text of single-byte characters with a fixed capacity, the
// storage of every tile catalogue field. Longer input is cut to the capacity.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velmora {

template <std::size_t Capacity>
class FixedText {
    static_assert(Capacity > 0 && Capacity <= 255, "the length is counted in one byte");

public:
    constexpr FixedText() = default;
    constexpr FixedText(std::string_view text)  // NOLINT: implicit so tables read as plain texts
        : length_(static_cast<std::uint8_t>(std::min(text.size(), Capacity))) {
        std::copy_n(text.begin(), length_, chars_.begin());
    }

    static constexpr std::size_t capacity() { return Capacity; }
    constexpr std::string_view View() const { return {chars_.data(), length_}; }
    constexpr bool Empty() const { return length_ == 0; }

    friend constexpr bool operator==(const FixedText& a, const FixedText& b) {
        return a.View() == b.View();
    }

private:
    std::uint8_t length_ = 0;
    std::array<char, Capacity> chars_{};
};

}  // namespace velmora
