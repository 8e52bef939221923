#!/usr/bin/env bash
# Shared set-up of the README commands: installs the Debian packages that are
# missing and configures and builds in the project's build folders.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${ROOT}/build"

# What building and starting the editor needs.
EDITOR_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev zlib1g-dev
    fonts-liberation fonts-urw-base35
    libjs-leaflet libtomlplusplus-dev
)
# What the tests, benchmarks, fuzzers and package checks need besides.
TEST_PACKAGES=(
    libgtest-dev libgmock-dev libbenchmark-dev
    python3 xvfb xdotool imagemagick x11-utils file
    clang libclang-rt-14-dev
    git tiled
    dpkg-dev lintian appstream desktop-file-utils shared-mime-info
    chromium chromium-driver python3-selenium python3-pil nodejs
)
PACKAGES=("${EDITOR_PACKAGES[@]}" "${TEST_PACKAGES[@]}")

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing_packages() {
    local missing=()
    for package in "${PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "${package}" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("${package}")
        fi
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

# Both programs, the benchmarks and the tools, optimized and with debug
# information; the build's own checks install it and build its package. The
# test programs are built with the sanitizers instead (tools/run-tests).
build_programs() {
    cmake -S "${ROOT}" -B "${BUILD}" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVELMORA_WITH_TESTS=OFF >/dev/null
    cmake --build "${BUILD}"
}

# Only what the editor needs, in a folder of its own.
build_editor_only() {
    EDITOR_BUILD="${ROOT}/build-editor"
    cmake -S "${ROOT}" -B "${EDITOR_BUILD}" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVELMORA_WITH_TESTS=OFF -DVELMORA_WITH_BENCH=OFF -DVELMORA_WITH_TOOLS=OFF >/dev/null
    cmake --build "${EDITOR_BUILD}" --target velmora-mapper
}
