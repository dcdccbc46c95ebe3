#!/bin/bash
# Installs the Debian packages the builds and tests need, and configures and builds both builds.
# Sourced by test.sh and run.sh.
set -euo pipefail

packages=(cmake ninja-build g++ googletest g++-mingw-w64-x86-64-posix
          clang libclang-rt-14-dev wine wine64 fonts-wine xvfb xauth x11-apps imagemagick)

install_missing_packages() {
    local missing=()
    for p in "${packages[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Install them with:"
        echo "  sudo apt-get install -y ${missing[*]}"
        exit 1
    fi
    echo "-- installing ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}

configure_and_build() {
    local root=$1
    local jobs
    jobs=$(nproc)
    cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake -S "$root" -B "$root/build/native-san" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DCORVANE_SANITIZE=ON >/dev/null
    cmake -S "$root" -B "$root/build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
    CC=clang CXX=clang++ cmake -S "$root" -B "$root/build/fuzz" -G Ninja \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_FUZZ=ON >/dev/null
    for build in native native-san windows fuzz; do
        echo "-- building $build"
        cmake --build "$root/build/$build" -j "$jobs"
    done
}
