#!/bin/bash
# Installs what is missing, builds both builds and runs every test: native (plain and under
# AddressSanitizer/UndefinedBehaviorSanitizer), Windows, 64-bit and 32-bit (under Wine, inside
# Xvfb) and a few seconds of each fuzzer.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
source "$root/tools/setup.sh"

install_missing_packages
configure_and_build "$root"

# One ctest run over every build, so the summary at the end covers every test.
cat >"$root/build/CTestTestfile.cmake" <<CTEST
subdirs("native" "native-san" "windows" "windows32" "fuzz")
CTEST

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
xvfb-run -a -s "-screen 0 1024x768x24" \
    "$root/tools/wine-session.sh" "$root/build/windows/wineprefix" \
    ctest --test-dir "$root/build" --output-on-failure --timeout 120 -j "$(nproc)" "$@"
