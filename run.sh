#!/bin/bash
# Builds Corvane, lays the simulated handheld into a Wine prefix of its own, shows what
# Corvane sees on it and starts Corvane there: in a window when there is a display, else in
# Xvfb with a scripted tour that saves a screenshot under screenshots/.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
source "$root/tools/setup.sh"

install_missing_packages
configure_and_build "$root"

prefix="$root/build/handheld"
session=("$root/tools/wine-session.sh" "$prefix" "$root/tools/handheld-session.sh" "$root" "$prefix")
if [ -n "${DISPLAY:-}" ]; then
    "${session[@]}" window
else
    xvfb-run -a -s "-screen 0 1024x768x24" "${session[@]}" tour
fi
