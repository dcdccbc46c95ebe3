#!/bin/bash
# Builds Corvane, lays the simulated handheld into a Wine prefix of its own and shows what
# Corvane sees on it.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
source "$root/tools/setup.sh"

install_missing_packages
configure_and_build "$root"

prefix="$root/build/handheld"
show() {
    "$root/tools/seed-handheld.sh" "$prefix"
    echo
    "$root/tools/wine-run.sh" "$prefix" "$root/build/windows/tools/corvane-adapters.exe"
}
export -f show
export root prefix
if [ -n "${DISPLAY:-}" ]; then
    "$root/tools/wine-session.sh" "$prefix" bash -c show
else
    xvfb-run -a -s "-screen 0 1024x768x24" "$root/tools/wine-session.sh" "$prefix" bash -c show
fi
