// A small seeded random sequence for the texture of the pictures: the same
// seed always gives the same sequence, so every run writes the same files.
#pragma once

#include <cstdint>
#include <string_view>

namespace velmora {

class Rng {
public:
    explicit Rng(std::uint32_t seed) : state_(seed == 0 ? 0x9E3779B9u : seed) {}

    // Seeds from a text, so that each picture gets its own texture.
    static Rng FromText(std::string_view text) {
        std::uint32_t hash = 2166136261u;
        for (const char c : text) {
            hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
        }
        return Rng(hash);
    }

    std::uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }

    // A whole number from low to high, both included.
    int Between(int low, int high) {
        return low + static_cast<int>(Next() % static_cast<std::uint32_t>(high - low + 1));
    }

    double Unit() { return static_cast<double>(Next() % 1000000u) / 1000000.0; }

    bool Chance(double probability) { return Unit() < probability; }

private:
    std::uint32_t state_;
};

}  // namespace velmora
