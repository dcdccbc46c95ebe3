#!/bin/bash
# Installs the Debian packages the builds and tests need, and configures and builds every build.
# Sourced by test.sh and run.sh.
set -euo pipefail

# wine32:i386 runs the 32-bit build, as every handheld runs Corvane.
packages=(cmake ninja-build g++ googletest g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          clang libclang-rt-14-dev wine wine64 wine32:i386 fonts-wine xvfb xauth x11-apps
          imagemagick)

# Installs the packages named (and the i386 architecture wine32 comes from) that are missing; as
# another user than root it prints the commands and fails.
install_packages() {
    local missing=() add_i386=()
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [[ " ${missing[*]}" == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        add_i386=(dpkg --add-architecture i386)
    fi
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Install them with:"
        [ ${#add_i386[@]} -eq 0 ] || echo "  sudo ${add_i386[*]}"
        echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}"
        exit 1
    fi
    echo "-- installing ${missing[*]}"
    [ ${#add_i386[@]} -eq 0 ] || "${add_i386[@]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}

install_missing_packages() {
    install_packages "${packages[@]}"
}

# The tour of run.sh shows a help page in a real browser; the tests need none.
install_tour_packages() {
    install_packages dillo
}

configure_and_build() {
    local root=$1
    local jobs build
    jobs=$(nproc)
    cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake -S "$root" -B "$root/build/native-san" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DCORVANE_SANITIZE=ON >/dev/null
    cmake -S "$root" -B "$root/build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
    # The 32-bit build's tests run in the 64-bit build's Wine prefix, which starts both.
    cmake -S "$root" -B "$root/build/windows32" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" \
        -DCORVANE_WINEPREFIX="$root/build/windows/wineprefix" >/dev/null
    CC=clang CXX=clang++ cmake -S "$root" -B "$root/build/fuzz" -G Ninja \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_FUZZ=ON >/dev/null
    for build in native native-san windows windows32 fuzz; do
        echo "-- building $build"
        cmake --build "$root/build/$build" -j "$jobs"
    done
}
