#!/bin/bash
# Fails when an include points up a layer, when a portable file reaches for Win32, or when a
# window-side handle appears below ui/.
#   check-layers.sh ROOT LAYER...   (the program's folders, lowest layer first)
# A file may include its own folder, the folders below it and resources/. A portable file (one
# not named *_win32.*) may not include a Win32 header, a *_win32.h header or platform/.
# Below ui/ no file names a handle of a window, font, icon, menu or the like (HWND, HFONT, HICON,
# HMENU, HINSTANCE, WindowRef...): the windows and what they own live in ui/ and above. Only a
# Win32 source in platform/ may use one inside, where a seam reaches the system's own windows
# (the shell's window told of a changed setting); its header may not, so no seam passes one.
set -uo pipefail
root=$1
shift
layers=("$@")

rank() {
    for i in "${!layers[@]}"; do
        if [ "${layers[$i]}" = "$1" ]; then
            echo "$i"
            return
        fi
    done
    echo -1
}

failures=0
fail() {
    echo "$1: $2"
    failures=$((failures + 1))
}

for dir in "${layers[@]}"; do
    own=$(rank "$dir")
    for file in "$root/$dir"/*.h "$root/$dir"/*.cpp; do
        [ -e "$file" ] || continue
        name=${file#"$root"/}
        portable=true
        [[ $name == *_win32.* ]] && portable=false
        while IFS= read -r include; do
            if [[ $include =~ ^#include\ \"([^\"]+)\" ]]; then
                target=${BASH_REMATCH[1]}
                folder=${target%%/*}
                if [ "$folder" = resources ]; then
                    continue
                fi
                level=$(rank "$folder")
                if [ "$level" -lt 0 ]; then
                    fail "$name" "includes \"$target\", which is outside the program's layers"
                elif [ "$level" -gt "$own" ]; then
                    fail "$name" "includes \"$target\" from the higher layer $folder/"
                elif $portable && { [ "$folder" = platform ] || [[ $target == *_win32.h ]]; }; then
                    fail "$name" "is portable but includes the Win32 header \"$target\""
                fi
            elif $portable && [[ $include =~ ^#include\ \<(windows|commctrl|shellapi|commdlg)\.h\> ]]; then
                fail "$name" "is portable but includes <${BASH_REMATCH[1]}.h>"
            fi
        done < <(grep -E '^#include' "$file")
    done
done

handles='\b(H(WND|FONT|ICON|MENU|INSTANCE|BITMAP|BRUSH|CURSOR|DC|GDIOBJ|ACCEL|PEN|RGN)|WindowRef)\b'
ui=$(rank ui)
for dir in "${layers[@]}"; do
    [ "$(rank "$dir")" -lt "$ui" ] || continue
    for file in "$root/$dir"/*.h "$root/$dir"/*.cpp; do
        [ -e "$file" ] || continue
        name=${file#"$root"/}
        [[ $dir == platform && $name == *_win32.cpp ]] && continue
        while IFS=: read -r line handle; do
            fail "$name:$line" "names the window-side handle $handle below ui/"
        done < <(grep -noE "$handles" "$file")
    done
done

if [ "$failures" -gt 0 ]; then
    echo "$failures finding(s) break the layers: ${layers[*]}"
    exit 1
fi
echo "every include points down, and no window-side handle is below ui/: ${layers[*]}"
