#!/bin/sh
# Runs a command while the display's bells are counted: one line in FILE for each (xkbevd hears
# them; Wine rings the X bell for MessageBeep). FILE starts empty once the counter is listening.
#   count-bells.sh FILE COMMAND [ARGS...]
file=$1
shift
config=$(mktemp)
printf 'Bell() shell "echo >>%s"\n' "$file" >"$config"
: >"$file"
xkbevd -cfg "$config" >/dev/null 2>&1 &
counter=$!
# Listening once it has heard a bell of its own.
for attempt in 1 2 3 4 5 6 7 8 9 10; do
    xkbbell
    for wait in 1 2 3 4 5 6 7 8 9 10; do
        [ -s "$file" ] && break 2
        sleep 0.05
    done
done
: >"$file"
"$@"
status=$?
kill "$counter"
rm -f "$config"
exit "$status"
