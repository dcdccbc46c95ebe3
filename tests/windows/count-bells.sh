#!/bin/sh
# Runs a command while the display's bells are counted: one line in FILE for each (xkbevd hears
# them; Wine rings the X bell for MessageBeep). FILE starts empty, the counter listening.
#   count-bells.sh FILE COMMAND [ARGS...]
file=$1
shift
config=$(mktemp)
printf 'Bell() shell "echo >>%s"\n' "$file" >"$config"
: >"$file"
xkbevd -cfg "$config" >/dev/null 2>&1 &
counter=$!
# Once listening, it rings a bell of its own.
for wait in $(seq 200); do
    [ -s "$file" ] && break
    sleep 0.05
done
: >"$file"
"$@"
status=$?
kill "$counter"
rm -f "$config"
exit "$status"
