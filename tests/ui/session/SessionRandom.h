// The sessions' source of choices: SplitMix64, written out so that a seed
// gives the same session with every standard library (the library's
// distributions may differ from one implementation to the next).
#pragma once

#include <cstdint>
#include <initializer_list>

namespace velmora::session {

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }
    // 0 .. bound - 1; the slight bias of the remainder does not matter here.
    int Below(int bound) { return static_cast<int>(Next() % static_cast<std::uint64_t>(bound)); }
    int Between(int low, int high) { return low + Below(high - low + 1); }
    bool Percent(int chance) { return Below(100) < chance; }
    // The index of the weight chosen, each in proportion to its size.
    int Weighted(std::initializer_list<int> weights) {
        int total = 0;
        for (const int weight : weights) {
            total += weight;
        }
        int roll = Below(total);
        int index = 0;
        for (const int weight : weights) {
            if (roll < weight) {
                return index;
            }
            roll -= weight;
            ++index;
        }
        return index - 1;
    }

private:
    std::uint64_t state_;
};

}  // namespace velmora::session
