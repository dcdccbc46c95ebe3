#!/bin/bash
# What run.sh does inside the handheld's Wine session: seed the device, show what Corvane sees.
#   handheld-session.sh ROOT PREFIX
set -euo pipefail
root=$1
prefix=$2
"$root/tools/seed-handheld.sh" "$prefix"
echo
"$root/tools/wine-run.sh" "$prefix" "$root/build/windows/tools/corvane-adapters.exe"
