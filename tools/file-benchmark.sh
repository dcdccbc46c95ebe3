#!/bin/bash
# Times what exporting and importing 1000 profiles costs Corvane beyond a process's fixed start,
# against the same work done the shortest way and by Wine's reg.exe, and prints each ratio next
# to its goal:
#   tools/file-benchmark.sh [RUNS]     (from the repository root; RUNS rounds, default 11)
# The cost beyond the fixed start is a run's time with 1000 profiles less its time with one;
# a time is a whole process, from its start until it has ended (launch-timer -exit). The
# profiles are those of the start-up benchmark (generated_profiles), stored and exported by
# Corvane once to give the .prf files. The handheld has its two adapters and no adapter has a
# default profile, so the re-apply that follows an import finds nothing to apply.
#   export   corvane -export FILE -quiet, with no Corvane running, against the floor
#            (prf-floor export, tools/file_benchmark: the Profiles key enumerated once into
#            one buffer, the same bytes written with one WriteFile) and against
#            reg export of the Profiles key into a .reg file.
#   replace  corvane -import FILE -replace -quiet against the floor (prf-floor import: one
#            ReadFile; the Profiles key deleted with its tree and created again, each
#            profile's key created, each value set). Both start from a store of the same
#            profile names with other data in every profile (generated_profiles N other),
#            put back by prf-floor import before each run, untimed: every value is really
#            written and every old profile really deleted, as when a backup replaces what has
#            changed since it was made. Corvane must be able to put back a profile whose
#            writing fails, so it reads what each profile held first: it is also timed against
#            the least work that does so (prf-floor replace: each stored profile's values
#            listed once before the file's are set in place, then the others removed).
#   keep     corvane -import FILE -quiet (the existing profiles kept) against reg import of
#            the same profiles as .reg text, both into a store without profiles (the Profiles
#            key deleted before each run, untimed): each creates every key and sets every value.
# A first round, not counted, checks that the work compared is the same: the floor's file is
# byte for byte Corvane's export, so is reg export's text converted back by corvane-prf
# from-reg, and after every import Corvane's export of the store is the imported file. Then
# each round times every program with one profile and with 1000; a round's ratio is Corvane's
# difference over the other's, and the ratio printed is the median of the rounds' ratios, so
# that a slow spell of the machine, which slows both, counts against neither.
# Times build/windows/corvane.exe, or $CORVANE_EXE, with build/windows's prf-floor and
# corvane-prf (./test.sh builds them). Runs in the start-up benchmark's Wine prefix,
# build/bench/wineprefix, inside Xvfb when there is no DISPLAY, and on one CPU:
# $CORVANE_BENCH_CPU, by default the last one; "none" lets it use them all.
# It reports; it does not fail when a goal is missed, only when a program fails or the work
# compared differs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
self="$root/tools/$(basename "$0")"
source "$root/tools/benchmark-common.sh"
files="$bench/files"
times="$bench/file-times"
reg_exe='C:\windows\system32\reg.exe'

win() { winepath -w "$1" 2>/dev/null; }

clear_profiles() { run reg delete "$profiles_key" /f >/dev/null 2>&1 || true; }

# The handheld without profiles (none.prf: Corvane's export of it), then each set of profiles
# (1, 1000, and the same names with other data) as .reg text and as the .prf file Corvane
# exports of it.
prepare() {
    local corvane=$1
    for key in 'HKLM\Comm' 'HKCU\Software\Tavelorn' 'HKCU\Software\Apps\PocketIE'; do
        run reg delete "$key" /f >/dev/null 2>&1 || true
    done
    handheld_without_profiles | write_reg_file "$files/handheld.reg"
    run regedit /S "$(win "$files/handheld.reg")"
    run "$corvane" -export "$(win "$files/none.prf")" -quiet
    for set in 1 1000 other-1 other-1000; do
        {
            printf 'Windows Registry Editor Version 5.00\n\n'
            generated_profiles "${set#other-}" "$([[ $set == other-* ]] && echo other)"
        } | write_reg_file "$files/$set.reg"
        clear_profiles
        run regedit /S "$(win "$files/$set.reg")"
        run "$corvane" -export "$(win "$files/$set.prf")" -quiet
        echo "-- $set.prf: $(od -An -tu4 -j8 -N4 "$files/$set.prf" | tr -d ' ') profile(s)," \
            "$(stat -c %s "$files/$set.prf") bytes"
    done
}

# Fails when Corvane's export of the store is not SET.prf, after WHAT.
store_holds() {
    local set=$1 what=$2 corvane=$3
    run "$corvane" -export "$(win "$files/store.prf")" -quiet
    if ! cmp -s "$files/store.prf" "$files/$set.prf"; then
        echo "the work compared differs: after $what the store is not $set.prf" >&2
        return 1
    fi
}

# Times PROGRAM [ARGS...] until it has ended into build/bench/file-times/CASE.txt, or into
# nothing in the checking round.
timed() {
    local case_name=$1
    shift
    if [ "$check" = yes ]; then
        time_program -exit "$@" >/dev/null
    else
        time_program -exit "$@" >>"$times/$case_name.txt"
    fi
}

# One round: every program with one profile and with 1000; with check=yes, the checks too.
round() {
    local corvane=$1 floor=$2 prf_tool=$3 n set
    for n in 1 1000; do
        set=$n
        run "$floor" import "$(win "$files/$set.prf")"
        timed "export-$n-corvane" "$corvane" -export "$(win "$files/corvane.prf")" -quiet
        timed "export-$n-floor" "$floor" export "$(win "$files/floor.prf")"
        timed "export-$n-reg" "$reg_exe" export "$profiles_key" "$(win "$files/reg-export.reg")" /y
        if [ "$check" = yes ]; then
            run "$prf_tool" from-reg "$(win "$files/reg-export.reg")" "$(win "$files/reg.prf")" \
                >/dev/null
            for made in corvane floor reg; do
                if ! cmp -s "$files/$made.prf" "$files/$set.prf"; then
                    echo "the work compared differs: $made's export is not $set.prf" >&2
                    return 1
                fi
            done
        fi

        run "$floor" import "$(win "$files/other-$set.prf")"
        [ "$check" = no ] || store_holds "other-$set" "prf-floor import" "$corvane"
        timed "replace-$n-corvane" "$corvane" -import "$(win "$files/$set.prf")" -replace -quiet
        [ "$check" = no ] || store_holds "$set" "corvane -import -replace" "$corvane"
        run "$floor" import "$(win "$files/other-$set.prf")"
        timed "replace-$n-floor" "$floor" import "$(win "$files/$set.prf")"
        [ "$check" = no ] || store_holds "$set" "prf-floor import" "$corvane"
        run "$floor" import "$(win "$files/other-$set.prf")"
        timed "replace-$n-inplace" "$floor" replace "$(win "$files/$set.prf")"
        [ "$check" = no ] || store_holds "$set" "prf-floor replace" "$corvane"

        clear_profiles
        [ "$check" = no ] || store_holds none "reg delete" "$corvane"
        timed "keep-$n-corvane" "$corvane" -import "$(win "$files/$set.prf")" -quiet
        [ "$check" = no ] || store_holds "$set" "corvane -import" "$corvane"
        clear_profiles
        timed "keep-$n-reg" "$reg_exe" import "$(win "$files/$set.reg")"
        [ "$check" = no ] || store_holds "$set" "reg import" "$corvane"
    done
}

# For CASE and OTHER (a program's name in the time files), as "c1 c1000 cbeyond o1 o1000 obeyond
# ratio low high": the medians of Corvane's and OTHER's times with 1 and 1000 profiles and of
# their differences, and the median of the rounds' ratios with the middle half of them.
compare() {
    local t="$times/$1" other=$2 columns=()
    paste "$t-1-corvane.txt" "$t-1000-corvane.txt" "$t-1-$other.txt" "$t-1000-$other.txt" \
        >"$t-$other.rounds"
    # shellcheck disable=SC2016 # awk's fields, not the shell's
    for column in '$1' '$2' '$2 - $1' '$3' '$4' '$4 - $3'; do
        columns+=("$(awk "{ print $column }" "$t-$other.rounds" | median)")
    done
    awk '{ print ($2 - $1) / ($4 - $3) }' "$t-$other.rounds" | sort -n >"$t-$other.ratios"
    columns+=("$(median <"$t-$other.ratios")")
    columns+=("$(awk '{ v[NR] = $1 } END { q = int((NR + 3) / 4); print v[q], v[NR + 1 - q] }' \
        "$t-$other.ratios")")
    echo "${columns[*]}"
}

row() { printf '%-26s %9.1f %9.1f %9.1f\n' "$@"; }

# Prints the times of CASE against OTHER (Corvane's once for each case), and keeps its ratio line
# with the GOAL for the end.
report() {
    local case_name=$1 other=$2 name=$3 label=$4 goal=$5 c1 c1000 cb o1 o1000 ob r low high
    read -r c1 c1000 cb o1 o1000 ob r low high < <(compare "$case_name" "$other")
    [ "$case_name" = "${reported:-}" ] || row "$case_name: corvane" "$c1" "$c1000" "$cb"
    reported=$case_name
    row "$case_name: $name" "$o1" "$o1000" "$ob"
    awk -v l="$label" -v g="$goal" -v r="$r" -v a="$low" -v b="$high" 'BEGIN {
        printf "%-36s %.2f (goal %s; middle half of the rounds %.2f-%.2f)\n", l ":", r, g, a, b
    }' >>"$times/ratios.txt"
}

in_session() {
    local runs=$1 corvane floor prf_tool
    corvane=$(win "$2")
    floor=$(win "$3")
    prf_tool=$(win "$4")
    mkdir -p "$files"
    rm -rf "$times"
    mkdir -p "$times"
    prepare "$corvane"
    echo "-- checking that the work compared is the same (a round not counted)"
    check=yes
    round "$corvane" "$floor" "$prf_tool"
    echo "-- $runs rounds"
    check=no
    for ((i = 0; i < runs; i++)); do
        round "$corvane" "$floor" "$prf_tool"
    done

    echo
    printf '%-26s %9s %9s %9s\n' "" "1 (ms)" "1000 (ms)" "beyond"
    : >"$times/ratios.txt"
    report export floor floor "-export against the floor" "at most 1.30"
    report export reg "reg export" "-export against reg export" "below 1.00"
    report replace floor floor "-import -replace against the floor" "at most 1.30"
    report replace inplace "floor in place" "-import -replace against in place" "at most 1.30"
    report keep reg "reg import" "-import against reg import" "below 1.00"
    echo "(medians of $runs rounds; beyond: the time with 1000 profiles less the time with one;"
    echo " every run's time is in build/bench/file-times/*.txt)"
    echo
    cat "$times/ratios.txt"
}

if [ "${1:-}" = --in-session ]; then
    shift
    in_session "$@"
    exit 0
fi

runs=$(rounds_argument tools/file-benchmark.sh 11 "$@") || exit 2
corvane=$(realpath -m "${CORVANE_EXE:-$root/build/windows/corvane.exe}")
floor="$root/build/windows/tools/prf-floor.exe"
prf_tool="$root/build/windows/corvane-prf.exe"
for program in "$corvane" "$floor" "$prf_tool"; do
    if [ ! -f "$program" ]; then
        echo "no $program: build it first (./test.sh), or set CORVANE_EXE" >&2
        exit 1
    fi
done

mkdir -p "$bench"
compile startup_benchmark/launch_timer_win32.cpp launch-timer.exe

run_benchmark_session "$self" --in-session "$runs" "$corvane" "$floor" "$prf_tool"
