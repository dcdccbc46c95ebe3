#!/bin/bash
# What run.sh does inside the handheld's Wine session: seed the device, show what Corvane sees,
# then run Corvane on it.
#   handheld-session.sh ROOT PREFIX window|tour
# "window": Corvane runs on your display until it ends (Ctrl+C ends the session).
# "tour": a scripted tour inside Xvfb: open the Network Profiles dialog, save a screenshot to
# screenshots/network-profiles.png, choose "E&xit" and print the options Corvane wrote.
set -euo pipefail
root=$1
prefix=$2
mode=${3:-tour}
run() { "$root/tools/wine-run.sh" "$prefix" "$@"; }

"$root/tools/seed-handheld.sh" "$prefix"
echo
run "$root/build/windows/tools/corvane-adapters.exe"
echo

corvane="$root/build/windows/corvane.exe"
if [ "$mode" = window ]; then
    echo "-- Corvane runs on your display (icon in the notification area); Ctrl+C ends it"
    run "$corvane" || true
    exit 0
fi

echo "-- tour: Corvane on the handheld"
corvane_dos=$(WINEPREFIX="$prefix" winepath -w "$corvane" 2>/dev/null)
run "$root/build/windows/tools/corvane-tour.exe" open "$corvane_dos"
mkdir -p "$root/screenshots"
shot="$root/screenshots/network-profiles.png"
import -window root "$shot"
echo "  screenshot saved: ${shot#"$root"/}"
run "$root/build/windows/tools/corvane-tour.exe" exit
