#!/bin/bash
# What run.sh does inside the handheld's Wine session: seed the device, show what Corvane sees,
# then run Corvane on it.
#   handheld-session.sh ROOT PREFIX window|tour
# "window": Corvane runs on your display until it ends (Ctrl+C ends the session).
# "tour": a scripted tour inside Xvfb: tap the icon and pick profile "Lab" for the NE2000 from
# its menu (screenshots/tray-menu.png), show the outcome (screenshots/switch-outcome.png), the
# menu again with the mark moved (screenshots/tray-menu-after.png) and the adapters' settings
# before and after; then open the Network Profiles dialog, save a screenshot
# to screenshots/network-profiles.png, choose "E&xit" and print the options Corvane wrote;
# last, the settings editor on the profile "Office", a screenshot a page
# (screenshots/settings-logon.png, -ip-address, -dns, -proxy).
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
tour() { run "$root/build/windows/tools/corvane-tour.exe" "$@"; }
mkdir -p "$root/screenshots"
screenshot() {
    local shot="$root/screenshots/$1"
    import -window root "$shot"
    echo "  screenshot saved: ${shot#"$root"/}"
}

tour start "$corvane_dos"
# The menu: "Network &Profiles...", the NE2000's submenu on top (Home, Lab, Office), the card's
# below it, "E&xit". Down twice reaches the NE2000, right opens it on "Home", down is "Lab".
tour menu
tour keys down down right down
screenshot tray-menu.png
tour keys enter
tour message
screenshot switch-outcome.png
tour ok
# The radio mark has moved to "Lab" in the NE2000's submenu.
tour menu
tour keys down down right
screenshot tray-menu-after.png
tour keys escape escape
echo
echo "-- after the switch"
run "$root/build/windows/tools/corvane-adapters.exe"
echo

tour open "$corvane_dos"
screenshot network-profiles.png
run "$root/build/windows/tools/corvane-tour.exe" exit

# The settings editor on the stored profile "Office", one screenshot a page; nothing is saved.
pages=(logon ip-address dns proxy)
for tab in 0 1 2 3; do
    run "$root/build/windows/tools/corvane-editor-preview.exe" Office "$tab" 3 &
    sleep 2
    screenshot "settings-${pages[$tab]}.png"
    wait
done
