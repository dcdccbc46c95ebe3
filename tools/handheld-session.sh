#!/bin/bash
# What run.sh does inside the handheld's Wine session: seed the device, show what Corvane sees,
# then run Corvane on it.
#   handheld-session.sh ROOT PREFIX window|tour [BUILD]
# "window": Corvane runs on your display until it ends (Ctrl+C ends the session).
# "tour": a scripted tour inside Xvfb that uses Corvane as a person would, with a screenshot of
# each step in screenshots/ and the device's settings printed before and after.
# BUILD is the build tree whose programs run: windows (64-bit, the default) or windows32.
set -euo pipefail
trap 'echo "handheld-session.sh: stopped, line $LINENO failed" >&2' ERR
root=$1
prefix=$2
mode=${3:-tour}
build="$root/build/${4:-windows}"
run() { "$root/tools/wine-run.sh" "$prefix" "$@"; }
tools="$build/tools"
browser_key='HKCU\Software\Wine\WineBrowser'

"$root/tools/seed-handheld.sh" "$prefix"
echo
run "$tools/corvane-adapters.exe"
echo

corvane="$build/corvane.exe"
if [ "$mode" = window ]; then
    # Help opens in your own browser (Wine's usual choice of one).
    run reg delete "$browser_key" /v Browsers /f >/dev/null 2>&1 || true
    echo "-- Corvane runs on your display (icon in the notification area); Ctrl+C ends it"
    run "$corvane" || true
    exit 0
fi

echo "-- tour: Corvane on the handheld"
tour() { run "$tools/corvane-tour.exe" "$@"; }
mkdir -p "$root/screenshots"
rm -f "$root"/screenshots/*.png
shot() {
    import -window root "$root/screenshots/$1"
    echo "  screenshot saved: screenshots/$1"
}
settings="Network Settings"

tour start "$(WINEPREFIX="$prefix" winepath -w "$corvane" 2>/dev/null)"

echo "-- the Network Profiles dialog, its command bar and menu, the About box"
tour open
shot network-profiles.png
tour barmenu
shot bar-menu.png
tour keys escape
tour command 40003                # "&About..."
tour wait "About Corvane"
shot about.png
tour close "About Corvane" 1

echo "-- help: no PegHelp.exe here, so corvane.htm opens in the desktop's browser (dillo)"
browser_pid="$root/build/tour-browser.pid"
# Waits for the browser to show its page, takes the screenshot, ends the browser.
browser_shot() {
    for _ in $(seq 50); do [ -s "$browser_pid" ] && break; sleep 0.2; done
    sleep 3
    shot "$1"
    kill "$(cat "$browser_pid")" 2>/dev/null || true
    rm -f "$browser_pid"
}
rm -f "$browser_pid"
run reg add "$browser_key" /v Browsers /t REG_SZ /d "\"$root/tools/tour-browser.sh\" \"$browser_pid\"" \
    /f >/dev/null 2>&1
tour command 40001                # "Help &Topics...": the first topic, at the top of the file
browser_shot help-topics.png
echo "  Wine's launcher drops an anchor from a file's address; the Import Options topic at its"
echo "  anchor, as a browser given the whole address shows it:"
"$root/tools/tour-browser.sh" "$browser_pid" "file://$build/corvane.htm#impexp" &
browser_shot help-import-options.png
/usr/libexec/dillo/dpidc stop >/dev/null 2>&1 || true  # dillo's helper daemon

echo "-- the NE2000 on DHCP: no default profile yet, and its current settings with the lease"
tour select 1017 "NE2000 Compatible Ethernet Driver"
tour message
shot default-question.png
tour answer no
tour command 1016                 # "Setti&ngs..."
tour wait "Current Network Settings"
tour end "Current Network Settings" 1016    # down to the lease rows
shot viewer.png
tour close "Current Network Settings" 2

echo "-- a new profile for the card, typed into the editor, edited, applied and deleted"
tour select 1017 "3Com EtherLink III PC Card"
tour command 1013                 # "&New..."
tour wait "Profile Name"
tour type "Profile Name" 1021 "Travel"
shot profile-name.png
tour close "Profile Name" 1
tour wait "$settings"
tour type "$settings" 1012 "TRAVEL"
shot settings-logon.png
tour tab 1
tour click "$settings" 1002       # "Specify an IP Address"
tour address "$settings" 1003 172.16.4.20
tour address "$settings" 1005 255.255.0.0
tour address "$settings" 1006 172.16.0.1
shot settings-ip-address.png
tour tab 2
tour address "$settings" 1007 172.16.0.2
shot settings-dns.png
tour tab 3
shot settings-proxy.png
tour close "$settings" 1
shot new-profile.png
tour select 1018 "Travel"
tour command 1014                 # "&Edit..."
tour wait "$settings"
tour tab 2
tour address "$settings" 1008 172.16.0.3
tour close "$settings" 1

echo "-- Export to C:\\handheld.prf, \"Lab\" deleted, then the file imported back keeping the rest"
list_profiles() {
    run reg query 'HKCU\Software\Tavelorn\Corvane\1.2\Profiles' 2>/dev/null | tr -d '\r' |
        sed -n 's/^.*\\Profiles\\/    /p'
}
rm -f "$prefix/drive_c/handheld.prf"
tour command 40014                # "&Export..."
tour wait "Save As"
tour type "Save As" 1148 'C:\handheld.prf'
shot export-file.png
tour close "Save As" 1
tour message
shot export-done.png
tour answer ok
echo "  the file's first bytes:"
od -N 96 -A x -t x1z "$prefix/drive_c/handheld.prf" | sed 's/^/    /'
run "$corvane" -export 'C:\command-line.prf' -quiet
cmp "$prefix/drive_c/handheld.prf" "$prefix/drive_c/command-line.prf" &&
    echo "  corvane.exe -export wrote the same bytes as the dialog's Export"
tour select 1018 "Lab"
tour command 1015                 # "&Delete"
tour message
tour answer yes
echo "  profiles before the import:"
list_profiles
tour command 40015                # "&Import..."
tour wait "Open"
tour type "Open" 1148 'C:\handheld.prf'
tour close "Open" 1
tour wait "Import Options"
shot import-options.png
tour close "Import Options" 1     # "&Keep Existing Profiles" is preselected
tour message
shot import-done.png
tour answer ok
tour message                      # the card's default, "Office", applied again
shot import-applied.png
tour answer ok
tour message                      # Office's proxy is on and no shell's window is up: reset
shot import-reset.png
tour answer ok
echo "  profiles after the import:"
list_profiles

tour select 1018 "Travel"         # the refresh selected the card's default again
tour command 1019                 # "&Set!"
tour message
shot set-outcome.png
tour answer ok
tour message                      # Travel has no proxy, the card had one: reset the device
tour answer ok
run "$tools/corvane-adapters.exe" | sed -n '/ELNK31/,/Proxy/p'
tour command 1015                 # "&Delete"
tour message
shot delete-question.png
tour answer yes
tour close "Corvane" 2

echo "-- the icon's menu: \"Lab\" for the NE2000 (its submenu is on top)"
tour menu
tour keys down down right down
shot tray-menu.png
tour keys enter
tour message
shot switch-outcome.png
tour answer ok
tour menu
tour keys down down right
shot tray-menu-after.png
tour keys escape escape escape

echo "-- Undo Last Switch of the NE2000: greyed in the first menu, there after the switch"
# The NE2000 is the second adapter: its "Undo Last Switch" is 10101.
tour choose 10101
tour message
shot undo-outcome.png
tour answer ok
tour message                      # the proxy it had before "Lab" is back: reset the device
tour answer ok
echo "  back to DHCP, and no default profile, as before \"Lab\":"
run "$tools/corvane-adapters.exe" | sed -n '/NE20001/,/Proxy/p'

echo "-- a proxy change without the shell's window: the user is asked to reset the device"
# The card is the first adapter: its profiles Home, Lab and Office take 10200 to 10202.
tour choose 10202                 # "Office": its proxy is on
tour message
tour answer ok
tour message
shot reset-needed.png
tour answer ok
echo "-- with the shell's window up, the shell is told and nothing more is asked"
run "$tools/corvane-shell-window.exe" >"$root/build/shell-window.log" &
sleep 1
tour choose 10200                 # "Home": its proxy is off
tour message
tour answer ok
sleep 1
cat "$root/build/shell-window.log"

echo "-- the command line: \"Home\" for the NE2000, handed over to the running Corvane"
# Waits for the command started last and prints how it ended.
ended() {
    local code=0
    wait "$!" || code=$?
    echo "  corvane.exe ended with exit code $code"
}
run "$corvane" -switch home -adapter NE20001 &
tour message
shot command-line-switch.png
tour answer ok
ended
run "$tools/corvane-adapters.exe" | sed -n '/NE20001/,/Proxy/p'
run "$corvane" -switch Nowhere -quiet &
tour message
shot command-line-unknown.png
tour answer ok
ended

echo "-- the dialog's \"Undo Last Switch\" for the NE2000, which -switch just switched to \"Home\""
tour open
tour select 1017 "NE2000 Compatible Ethernet Driver"
tour barmenu
shot bar-menu-undo.png
tour keys escape
tour command 40016                # "Undo Last Switch"
tour message
shot dialog-undo-outcome.png
tour answer ok
tour message                      # it had no default before: the offer to make one
tour answer no
run "$tools/corvane-adapters.exe" | sed -n '/NE20001/,/Proxy/p'
echo "  and again from the command line, which makes it a redo (\"Home\" again):"
run "$corvane" -undo -adapter NE20001 -quiet &
ended
run "$tools/corvane-adapters.exe" | sed -n '/NE20001/,/IP address/p'
tour close "Corvane" 2
tour menu                         # the mark is on "Home" in the NE2000's submenu
tour keys down down right
shot tray-menu-command-line.png
tour keys escape escape escape

echo
tour exit
echo
echo "-- after the tour"
run "$tools/corvane-adapters.exe"
