#!/bin/bash
# Runs a command with a ready Wine prefix and a warm wineserver, then stops the server:
#   wine-session.sh PREFIX COMMAND [ARGS...]
# Creates the prefix on first use. Windows need a display: run this inside xvfb-run (or with a
# DISPLAY of your own). Wine's helper processes inherit stdout, so the warm-up writes to a file;
# otherwise the first program started under ctest would hang until its timeout.
set -euo pipefail
prefix=$(realpath -m "$1")
shift
WINEPREFIX="$prefix"
. "$(dirname "$0")/wine-env.sh"

log="$(dirname "$prefix")/wine-session.log"
mkdir -p "$(dirname "$prefix")"
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

# A prefix made before Wine's 32-bit support was installed cannot start 32-bit programs
# ("could not load kernel32.dll"): such a prefix has no 32-bit system folder. Make it anew.
if [ -f "$prefix/system.reg" ] && [ ! -f "$prefix/drive_c/windows/syswow64/kernel32.dll" ]; then
    echo "-- $prefix predates Wine's 32-bit support: making it anew"
    rm -rf "$prefix"
fi
if [ ! -f "$prefix/system.reg" ]; then
    echo "-- creating Wine prefix $prefix (once, ~10 s)"
    wineboot -i >"$log" 2>&1
    # No window manager: without this Wine waits ~2 s whenever a top-level window hides.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >>"$log" 2>&1
    # Wine opens web pages in the host's browser, which would outlive the program that asked and
    # hold its output open; none in our prefixes ("true" takes the address and does nothing),
    # unless a script names one.
    wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /t REG_SZ /d true /f >>"$log" 2>&1
    wineserver -w
fi

# Wine does not find its own fonts (fonts-wine's Tahoma, Marlett...) where Debian puts them: without
# them dialogs take another face and caption buttons show Marlett's letters ("r" for close).
fonts="$prefix/drive_c/windows/Fonts"
if [ ! -f "$fonts/marlett.ttf" ] && [ -d "$fonts" ]; then
    cp /usr/share/wine/fonts/*.ttf "$fonts/"
fi

wineserver -p
wine cmd /c exit 0 >>"$log" 2>&1
"$@"
