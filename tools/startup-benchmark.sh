#!/bin/bash
# Times how long Corvane takes to get ready (its message loop first waits for input) against a
# minimal tray program started the same way, with few stored profiles and with 1000, and
# prints the two ratios next to their goals:
#   tools/startup-benchmark.sh [RUNS]     (from the repository root; RUNS per case, default 31)
# Times both builds, build/windows/corvane.exe (64-bit) and build/windows32/corvane.exe (32-bit;
# ./test.sh or ./run.sh builds them), each against a minimal tray program of its own width; or
# only $CORVANE_EXE, against the 64-bit one. Runs in a Wine prefix of its own,
# build/bench/wineprefix, inside Xvfb when there is no DISPLAY, and on one CPU:
# $CORVANE_BENCH_CPU, by default the last one; "none" lets it use them all.
# It reports; it does not fail when a goal is missed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
self="$root/tools/$(basename "$0")"
source "$root/tools/benchmark-common.sh"

# 1000 stored profiles and, like the card's "Office" in the few-profiles case, an adapter with a
# default profile.
thousand_profiles() {
    generated_profiles 1000
    printf '[HKEY_CURRENT_USER\\Software\\Tavelorn\\Corvane\\1.2\\ELNK31]\n'
    printf '"DefProfile"="Profile 0002"\n\n'
}

# Replaces the handheld's registry with the one of a case ("few" or "1000").
seed() {
    local case_name=$1 reg="$bench/seed-$1.reg"
    for key in 'HKLM\Comm' 'HKCU\Software\Tavelorn' 'HKCU\Software\Apps\PocketIE'; do
        run reg delete "$key" /f >/dev/null 2>&1 || true
    done
    {
        if [ "$case_name" = few ]; then
            cat "$root/demo/handheld.reg"
        else
            handheld_without_profiles
            thousand_profiles
        fi
        # Start without the Network Profiles dialog.
        printf '\n[HKEY_CURRENT_USER\\Software\\Tavelorn\\Corvane\\1.2]\n"ShowStart"=dword:00000000\n'
    } | write_reg_file "$reg"
    run regedit /S "$(winepath -w "$reg" 2>/dev/null)"
    local stored
    stored=$(run reg query "$profiles_key" |
        key="$profiles_key\\" awk 'index($0, ENVIRON["key"]) == 1 { n++ } END { print n + 0 }')
    echo "-- case $case_name: $stored stored profiles"
}

# Times both programs in turn, RUNS times each after one warm-up each that is not counted;
# leaves the medians in $bench/median-BUILD-CASE.
measure() {
    local build=$1 case_name=$2 runs=$3 corvane=$4 minimal=$5
    local corvane_times="$bench/times-$build-$case_name-corvane.txt"
    local minimal_times="$bench/times-$build-$case_name-minimal.txt"
    time_program "$corvane" -nod >/dev/null
    time_program "$minimal" >/dev/null
    : >"$corvane_times"
    : >"$minimal_times"
    for ((i = 0; i < runs; i++)); do
        time_program "$corvane" -nod >>"$corvane_times"
        time_program "$minimal" >>"$minimal_times"
    done
    # The ratio of each pair of neighbouring runs, so that a slow spell of the machine, which slows
    # both, does not count against either.
    echo "$(median <"$corvane_times") $(median <"$minimal_times")" \
        "$(paste "$corvane_times" "$minimal_times" | awk '{ print $1 / $2 }' | median)" \
        >"$bench/median-$build-$case_name"
}

# in_session RUNS BUILD CORVANE MINIMAL [BUILD CORVANE MINIMAL...]
in_session() {
    local runs=$1 builds=() build case_name c m r
    local -A corvane_of minimal_of
    shift
    while [ $# -ge 3 ]; do
        builds+=("$1")
        corvane_of[$1]=$(winepath -w "$2" 2>/dev/null)
        minimal_of[$1]=$(winepath -w "$3" 2>/dev/null)
        shift 3
    done
    for case_name in few 1000; do
        seed "$case_name"
        for build in "${builds[@]}"; do
            measure "$build" "$case_name" "$runs" "${corvane_of[$build]}" "${minimal_of[$build]}"
        done
    done

    echo
    printf '%-9s %-6s %14s %14s %7s\n' build case "corvane (ms)" "minimal (ms)" ratio
    for build in "${builds[@]}"; do
        for case_name in few 1000; do
            read -r c m r <"$bench/median-$build-$case_name"
            awk -v b="$build" -v n="$case_name" -v c="$c" -v m="$m" -v r="$r" \
                'BEGIN { printf "%-9s %-6s %14.3f %14.3f %7.2f\n", b, n, c, m, r }'
        done
    done
    echo "(medians of $runs runs each, the ratio of neighbouring runs; every run's time is in"
    echo " build/bench/times-*.txt)"
    echo
    for build in "${builds[@]}"; do
        read -r c m r <"$bench/median-$build-few"
        awk -v b="$build" -v r="$r" 'BEGIN { printf "%s, few profiles: %.2f (goal at most 1.20)\n", b, r }'
        read -r c m r <"$bench/median-$build-1000"
        awk -v b="$build" -v r="$r" \
            'BEGIN { printf "%s, 1000 profiles, two adapters: %.2f (goal at most 1.50)\n", b, r }'
    done
}

if [ "${1:-}" = --in-session ]; then
    shift
    in_session "$@"
    exit 0
fi

runs=$(rounds_argument tools/startup-benchmark.sh 31 "$@") || exit 2
# The builds timed: BUILD CORVANE MINIMAL for each.
timed=()
if [ -n "${CORVANE_EXE:-}" ]; then
    timed=(windows "$(realpath -m "$CORVANE_EXE")" "$bench/minimal-tray.exe")
else
    for build in windows windows32; do
        if [ -f "$root/build/$build/corvane.exe" ]; then
            timed+=("$build" "$root/build/$build/corvane.exe" "$bench/minimal-tray-$build.exe")
        fi
    done
fi
if [ ${#timed[@]} -eq 0 ] || [ ! -f "${timed[1]}" ]; then
    echo "no corvane.exe: build it first (./test.sh or ./run.sh), or set CORVANE_EXE" >&2
    exit 1
fi

mkdir -p "$bench"
compile startup_benchmark/launch_timer_win32.cpp launch-timer.exe
for ((i = 0; i < ${#timed[@]}; i += 3)); do
    compiler=x86_64-w64-mingw32-g++-posix
    [ "${timed[i]}" = windows32 ] && compiler=i686-w64-mingw32-g++-posix
    compiler=$compiler compile startup_benchmark/minimal_tray_win32.cpp \
        "$(basename "${timed[i + 2]}")" -mwindows -lshell32 -luser32
done

run_benchmark_session "$self" --in-session "$runs" "${timed[@]}"
