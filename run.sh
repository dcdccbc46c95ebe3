#!/bin/bash
# Builds Corvane, lays the simulated handheld into a Wine prefix of its own and shows what
# Corvane sees on it.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
source "$root/tools/setup.sh"

install_missing_packages
configure_and_build "$root"

prefix="$root/build/handheld"
session=("$root/tools/wine-session.sh" "$prefix" "$root/tools/handheld-session.sh" "$root" "$prefix")
if [ -n "${DISPLAY:-}" ]; then
    "${session[@]}"
else
    xvfb-run -a -s "-screen 0 1024x768x24" "${session[@]}"
fi
