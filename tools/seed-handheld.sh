#!/bin/bash
# Lays the simulated handheld's registry (demo/handheld.reg) into a Wine prefix, replacing
# whatever an earlier run left there: seed-handheld.sh PREFIX
# Expects a running wineserver for the prefix (tools/wine-session.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=$(realpath -m "$1")
WINEPREFIX="$prefix"
. "$(dirname "$0")/wine-env.sh"

for key in 'HKLM\Comm' 'HKCU\Software\Apps\PocketIE' 'HKCU\Software\Tavelorn'; do
    wine reg delete "$key" /f >/dev/null 2>&1 || true
done
# regedit reads .reg files as UTF-16LE with a byte-order mark.
reg_file="$prefix/handheld.reg"
{ printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$root/demo/handheld.reg"; } >"$reg_file"
wine regedit /S "$(winepath -w "$reg_file" 2>/dev/null)"
