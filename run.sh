#!/bin/bash
# Builds Corvane, lays the simulated handheld into a Wine prefix of its own, shows what
# Corvane sees on it and starts Corvane there: in a window when there is a display, else in
# Xvfb with a scripted tour that saves a screenshot under screenshots/.
#   ./run.sh          the 64-bit build
#   ./run.sh --32     the 32-bit build, as every handheld runs Corvane
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
source "$root/tools/setup.sh"

build=windows
case "${1:-}" in
    "") ;;
    --32) build=windows32 ;;
    *) echo "usage: ./run.sh [--32]" >&2; exit 2 ;;
esac

install_missing_packages
if [ -z "${DISPLAY:-}" ]; then
    install_tour_packages
fi
configure_and_build "$root"

prefix="$root/build/handheld"
session=("$root/tools/wine-session.sh" "$prefix" "$root/tools/handheld-session.sh" "$root" "$prefix")
if [ -n "${DISPLAY:-}" ]; then
    "${session[@]}" window "$build"
else
    xvfb-run -a -s "-screen 0 1024x768x24" "${session[@]}" tour "$build"
fi
