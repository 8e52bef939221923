// Version triples as stored in map files, and the test whether a file was
// written by a newer program than this one.
#pragma once

#include <cstdint>

namespace velmora {

struct VersionTriple {
    std::int32_t Major = 0;
    std::int32_t Minor = 0;
    std::int32_t Build = 0;

    // major * 1,000,000 + minor * 10,000 + build, computed wide enough that no
    // value a file can hold overflows.
    constexpr std::int64_t Packed() const {
        return std::int64_t{Major} * 1'000'000 + std::int64_t{Minor} * 10'000 + Build;
    }
    friend constexpr bool operator==(const VersionTriple&, const VersionTriple&) = default;
};

// The stamp this program writes into every map file it saves.
struct VersionStamp {
    std::int32_t Major = 0;
    std::int32_t Minor = 0;
    std::int32_t Build = 0;
    std::int64_t Packed = 0;

    static constexpr VersionStamp Of(VersionTriple v) {
        return VersionStamp{v.Major, v.Minor, v.Build, v.Packed()};
    }
    constexpr VersionTriple Triple() const { return VersionTriple{Major, Minor, Build}; }
};

inline constexpr VersionTriple kProgramVersion{0, 4, 320};

constexpr bool IsNewerThan(const VersionTriple& fileVersion, const VersionStamp& program) {
    return fileVersion.Packed() > program.Packed;
}

}  // namespace velmora
