# shellcheck shell=bash disable=SC2154 # $root comes from the script that sources this
# What the benchmarks share, sourced by tools/startup-benchmark.sh and tools/file-benchmark.sh
# after they set $root: the handheld's registry and its generated profiles, the timer, medians,
# and the way each runs (a Wine prefix of its own, Xvfb when there is no display, one CPU).
bench="$root/build/bench"
prefix="$bench/wineprefix"
profiles_key='HKEY_CURRENT_USER\Software\Tavelorn\Corvane\1.2\Profiles'

run() { "$root/tools/wine-run.sh" "$prefix" "$@"; }

# The number of rounds a benchmark SCRIPT was given as its first argument, DEFAULT without one;
# its usage on standard error, and a failure, when that is not a positive number.
rounds_argument() {  # SCRIPT DEFAULT [ARGUMENT...]
    local rounds=${3:-$2}
    if ! [[ "$rounds" =~ ^[1-9][0-9]*$ ]]; then
        echo "usage: $1 [RUNS]   (RUNS: a positive number, default $2)" >&2
        return 1
    fi
    echo "$rounds"
}

# The handheld of demo/handheld.reg without its stored profiles: the two adapters, the logon
# identity and the browser's proxy.
handheld_without_profiles() {
    awk '/^\[/ { skip = index($0, "[HKEY_CURRENT_USER\\Software\\Tavelorn") == 1 } !skip' \
        "$root/demo/handheld.reg"
}

# COUNT stored profiles ("Profile 0001" on) as .reg text, with every value Corvane writes: even
# ones on fixed addresses, odd ones on DHCP with empty lists. With "other", the same names and
# value names with other data in every profile: odd ones fixed, other names, addresses and
# proxy. Multi-strings are UTF-16LE: each address, a zero, then one more.
generated_profiles() {
    # The key goes through the environment: awk -v would read its backslashes as escapes.
    key="$profiles_key" count=$1 variant=${2:-} awk 'BEGIN {
        key = ENVIRON["key"]
        other = ENVIRON["variant"] == "other"
        split(other ? "BRANCH clerk old 10.9 10.8 255.255.0.0 169.254.0.1 proxy.branch.example" \
                    : "FIELDOPS user pw 10.0 10.1 255.255.255.0 0.0.0.0 proxy.fieldops.example", v)
        for (c = 32; c < 127; c++) code[sprintf("%c", c)] = c
        for (i = 1; i <= ENVIRON["count"]; i++) {
            fixed = i % 2 == (other ? 1 : 0)
            printf "[%s\\Profile %04d]\n", key, i
            printf "\"Domain\"=\"%s\"\n\"Username\"=\"%s%04d\"\n", v[1], v[2], i
            printf "\"Password\"=\"%s%04d\"\n", v[3], i
            printf "\"WINS\"=%s\n", multi(fixed ? v[4] ".0.4" : "")
            printf "\"DNS\"=%s\n", multi(fixed ? v[4] ".0.2" : "")
            printf "\"DefaultGateway\"=%s\n", multi(fixed ? v[4] ".0.1" : "")
            printf "\"Subnetmask\"=%s\n", multi(fixed ? v[6] : "")
            address = sprintf("%s.%d.%d", v[5], int(i / 256), i % 256)
            printf "\"IpAddress\"=%s\n", multi(fixed ? address : "")
            printf "\"EnableDHCP\"=dword:%08x\n", fixed ? 0 : 1
            printf "\"DhcpIPAddress\"=\"%s\"\n\"ProxyServer\"=\"%s\"\n", v[7], v[8]
            printf "\"ProxyHttpPort\"=dword:%08x\n\"UseProxy\"=dword:%08x\n\n", \
                other ? 8080 : 80, other
        }
    }
    function multi(text,   out, n) {
        if (text == "") return "hex(7):00,00,00,00"
        out = "hex(7):"
        for (n = 1; n <= length(text); n++) out = out sprintf("%02x,00,", code[substr(text, n, 1)])
        return out "00,00,00,00"
    }'
}

# Writes the .reg text of standard input (UTF-8) into FILE as regedit and reg read it: UTF-16LE
# with a byte-order mark.
write_reg_file() {
    { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$1"
}

# Builds a Windows program of tools/SOURCE into build/bench/BINARY when the source is newer, with
# $compiler (by default the 64-bit one).
compile() {
    local source="$root/tools/$1" binary="$bench/$2"
    shift 2
    if [ "$source" -nt "$binary" ]; then
        echo "-- building ${binary#"$root"/}"
        "${compiler:-x86_64-w64-mingw32-g++-posix}" -std=c++20 -O2 -Wall -Wextra -Werror -static \
            -municode -I"$root" "$source" -o "$binary" "$@"
    fi
}

# Milliseconds that launch-timer measures for its ARGS (tools/startup_benchmark). The output
# goes through files, not a pipe: a Wine helper started on the way (explorer.exe for the tray)
# would inherit a pipe and hold it open.
time_program() {
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

# Runs COMMAND [ARGS...] with the benchmark's prefix and a warm wine server, inside Xvfb when
# there is no DISPLAY, on one CPU: $CORVANE_BENCH_CPU, by default the last one; "none" lets it
# use them all. Then tells how long it took.
#
# Every registry read is a round trip to the wineserver. On this VM such a round trip costs
# several times more when the program and the server run on different CPUs, and whether they do
# changes from run to run: unpinned, a minimal start took 140-200 ms and scattered widely; on one
# CPU it took ~90 ms and scattered far less. Every program runs the same way, so pin everything.
run_benchmark_session() {
    local cpu pin=() started=$SECONDS
    cpu=${CORVANE_BENCH_CPU:-$(taskset -cp $$ | sed 's/.*: *//' | awk -F '[,-]' '{ print $NF }')}
    if [ "$cpu" != none ]; then
        pin=(taskset -c "$cpu")
        echo "-- on CPU $cpu (CORVANE_BENCH_CPU=none uses every CPU)"
    fi
    local session=("$root/tools/wine-session.sh" "$prefix" "$@")
    if [ -n "${DISPLAY:-}" ]; then
        "${pin[@]}" "${session[@]}"
    else
        "${pin[@]}" xvfb-run -a -s "-screen 0 1024x768x24" "${session[@]}"
    fi
    echo "(took $((SECONDS - started)) s)"
}
