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
bench="$root/build/bench"
prefix="$bench/wineprefix"
profiles_key='HKEY_CURRENT_USER\Software\Tavelorn\Corvane\1.2\Profiles'

run() { "$root/tools/wine-run.sh" "$prefix" "$@"; }

# The handheld of demo/handheld.reg without its stored profiles: the two adapters, the logon
# identity and the browser's proxy.
handheld_without_profiles() {
    awk '/^\[/ { skip = index($0, "[HKEY_CURRENT_USER\\Software\\Tavelorn") == 1 } !skip' \
        "$root/demo/handheld.reg"
}

# 1000 stored profiles with every value Corvane writes: even ones on fixed addresses, odd ones
# on DHCP with empty lists. Multi-strings are UTF-16LE: each address, a zero, then one more.
thousand_profiles() {
    # The key goes through the environment: awk -v would read its backslashes as escapes.
    key="$profiles_key" awk 'BEGIN {
        key = ENVIRON["key"]
        for (c = 32; c < 127; c++) code[sprintf("%c", c)] = c
        for (i = 1; i <= 1000; i++) {
            fixed = i % 2 == 0
            printf "[%s\\Profile %04d]\n", key, i
            printf "\"Domain\"=\"FIELDOPS\"\n\"Username\"=\"user%04d\"\n", i
            printf "\"Password\"=\"pw%04d\"\n", i
            printf "\"WINS\"=%s\n", multi(fixed ? "10.0.0.4" : "")
            printf "\"DNS\"=%s\n", multi(fixed ? "10.0.0.2" : "")
            printf "\"DefaultGateway\"=%s\n", multi(fixed ? "10.0.0.1" : "")
            printf "\"Subnetmask\"=%s\n", multi(fixed ? "255.255.255.0" : "")
            address = sprintf("10.1.%d.%d", int(i / 256), i % 256)
            printf "\"IpAddress\"=%s\n", multi(fixed ? address : "")
            printf "\"EnableDHCP\"=dword:%08x\n", fixed ? 0 : 1
            printf "\"DhcpIPAddress\"=\"0.0.0.0\"\n\"ProxyServer\"=\"proxy.fieldops.example\"\n"
            printf "\"ProxyHttpPort\"=dword:00000050\n\"UseProxy\"=dword:00000000\n\n"
        }
    }
    function multi(text,   out, n) {
        if (text == "") return "hex(7):00,00,00,00"
        out = "hex(7):"
        for (n = 1; n <= length(text); n++) out = out sprintf("%02x,00,", code[substr(text, n, 1)])
        return out "00,00,00,00"
    }'
    # Like the card's "Office" in the few-profiles case: one adapter has a default profile.
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
    } >"$reg.utf8"
    # regedit reads .reg files as UTF-16LE with a byte-order mark.
    { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$reg.utf8"; } >"$reg"
    run regedit /S "$(winepath -w "$reg" 2>/dev/null)"
    local stored
    stored=$(run reg query "$profiles_key" |
        key="$profiles_key\\" awk 'index($0, ENVIRON["key"]) == 1 { n++ } END { print n + 0 }')
    echo "-- case $case_name: $stored stored profiles"
}

# Milliseconds until PROGRAM is ready. The output goes through files, not a pipe: a Wine helper
# started on the way (explorer.exe for the tray) would inherit a pipe and hold it open.
time_start() {
    local status=0 ms
    run "$bench/launch-timer.exe" "$@" >"$bench/timer.out" 2>"$bench/timer.err" || status=$?
    ms=$(tr -d '\r' <"$bench/timer.out")
    if [ "$status" -ne 0 ] || ! [[ "$ms" =~ ^[0-9]+\.[0-9]+$ ]]; then
        echo "launch-timer failed on $* (exit code $status, output \"$ms\")" >&2
        cat "$bench/timer.err" >&2
        return 1
    fi
    echo "$ms"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Times both programs in turn, RUNS times each after one warm-up each that is not counted;
# leaves the medians in $bench/median-BUILD-CASE.
measure() {
    local build=$1 case_name=$2 runs=$3 corvane=$4 minimal=$5
    local corvane_times="$bench/times-$build-$case_name-corvane.txt"
    local minimal_times="$bench/times-$build-$case_name-minimal.txt"
    time_start "$corvane" -nod >/dev/null
    time_start "$minimal" >/dev/null
    : >"$corvane_times"
    : >"$minimal_times"
    for ((i = 0; i < runs; i++)); do
        time_start "$corvane" -nod >>"$corvane_times"
        time_start "$minimal" >>"$minimal_times"
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

runs=${1:-31}
if ! [[ "$runs" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: tools/startup-benchmark.sh [RUNS]   (RUNS: a positive number, default 31)" >&2
    exit 2
fi
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
compile() {
    local compiler=$1 source="$root/tools/startup_benchmark/$2" binary=$3
    shift 3
    if [ "$source" -nt "$binary" ]; then
        echo "-- building ${binary#"$root"/}"
        "$compiler" -std=c++20 -O2 -Wall -Wextra -Werror -static -municode -I"$root" "$source" \
            -o "$binary" "$@"
    fi
}
compile x86_64-w64-mingw32-g++-posix launch_timer_win32.cpp "$bench/launch-timer.exe"
for ((i = 0; i < ${#timed[@]}; i += 3)); do
    compiler=x86_64-w64-mingw32-g++-posix
    [ "${timed[i]}" = windows32 ] && compiler=i686-w64-mingw32-g++-posix
    compile "$compiler" minimal_tray_win32.cpp "${timed[i + 2]}" -mwindows -lshell32 -luser32
done

# Every registry read is a round trip to the wineserver. On this VM such a round trip costs
# several times more when the program and the server run on different CPUs, and whether they do
# changes from run to run: unpinned, a minimal start took 140-200 ms and scattered widely; on one
# CPU it took ~90 ms and scattered far less. Both programs run the same way, so pin everything.
cpu=${CORVANE_BENCH_CPU:-$(taskset -cp $$ | sed 's/.*: *//' | awk -F '[,-]' '{ print $NF }')}
pin=()
if [ "$cpu" != none ]; then
    pin=(taskset -c "$cpu")
    echo "-- on CPU $cpu (CORVANE_BENCH_CPU=none uses every CPU)"
fi

started=$SECONDS
session=("$root/tools/wine-session.sh" "$prefix" "$self" --in-session "$runs" "${timed[@]}")
if [ -n "${DISPLAY:-}" ]; then
    "${pin[@]}" "${session[@]}"
else
    "${pin[@]}" xvfb-run -a -s "-screen 0 1024x768x24" "${session[@]}"
fi
echo "(took $((SECONDS - started)) s)"
