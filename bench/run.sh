#!/usr/bin/env bash
# Rulvio's benchmark: builds the game, a floor program (a bare window with a 20 ms timer) and a
# first-paint probe, then runs the game, the floor and Wine's Minesweeper (a peer) in one virtual
# display with one wineserver, several times each, and prints the medians and the ratios:
# start to first paint, CPU while idle, CPU during a spin, resident memory.
#
#   bench/run.sh [--runs N] [--with-tests [BUILD_DIR]]
#
# --runs N       rounds of measurements (default 5; each takes about two and a half minutes).
# --with-tests   also time the whole test suite with ctest in an already-built test build
#                folder (default: $RULVIO_TEST_BUILD_DIR, else build/x86_64); it is not built here.
#
# RULVIO_BUILD_DIR (default build/bench) and RULVIO_BENCH_PREFIX (default build/bench-prefix) name
# the build folder and the Wine prefix; RULVIO_USE_DISPLAY=1 uses $DISPLAY instead of a new Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

runs=5
with_tests=""
tests_dir=${RULVIO_TEST_BUILD_DIR:-$root/build/x86_64}
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) runs=${2:-}; shift; [ $# -gt 0 ] && shift ;;
        --runs=*) runs=${1#--runs=}; shift ;;
        --with-tests)
            with_tests=1
            shift
            if [ $# -gt 0 ] && [ "${1#--}" = "$1" ]; then tests_dir=$1; shift; fi ;;
        --with-tests=*) with_tests=1; tests_dir=${1#--with-tests=}; shift ;;
        -h|--help) sed -n '2,15p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) echo "unknown argument: $1 (see --help)" >&2; exit 2 ;;
    esac
done
case "$runs" in ''|*[!0-9]*|0) echo "--runs wants a positive number" >&2; exit 2 ;; esac
tests_dir=$(cd "$tests_dir" 2>/dev/null && pwd || echo "$tests_dir")

idle_seconds=20     # CPU while nothing happens
spin_seconds=16     # CPU over one 15 s spin (the game) or the same time idle (the others)
settle_seconds=2    # after the first paint, so start-up work is not counted as idle
sound_seconds=8     # CPU of the floor while it plays a looped sound
extra_starts=2      # starts per run that only time the first paint (the figure is the noisiest)

build=${RULVIO_BUILD_DIR:-$root/build/bench}
tools=$build/bench-tools
log=$build/bench.log
mkdir -p "$build"
: >"$log"

step() { printf '%s\n' "$*"; }
fail() {
    echo "bench: $*" >&2
    echo "(details in $log)" >&2
    exit 1
}

step "Preparing: tools, the game, the floor and the probe (log: $log)"
"$root/scripts/install-deps.sh" >>"$log" 2>&1 || fail "installing the tools failed"
RULVIO_BUILD_DIR=$build RULVIO_TARGETS="rulvio locate" "$root/scripts/build.sh" x86_64 -DRULVIO_TESTS=OFF \
    >>"$log" 2>&1 || fail "building the game failed"
cmake -S "$root/bench" -B "$tools" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64.cmake" >>"$log" 2>&1 || fail "configuring bench/ failed"
cmake --build "$tools" >>"$log" 2>&1 || fail "building bench/ failed"

export WINEPREFIX=${RULVIO_BENCH_PREFIX:-$root/build/bench-prefix}
# shellcheck source=../scripts/wine-session.sh
source "$root/scripts/wine-session.sh"

running_pid=""
keeper_pid=""
cleanup() {
    local pid
    for pid in $running_pid $keeper_pid; do
        kill "$pid" 2>/dev/null || true
    done
    wine_session_stop
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP PIPE
step "Starting a virtual display and a wineserver (prefix: $WINEPREFIX)"
# A wineserver left over in our prefix by an interrupted run would make the session's start fail.
wineserver -k </dev/null >/dev/null 2>&1 || true
wineserver -w </dev/null >/dev/null 2>&1 || true
wine_session_start

# Windows path of a Linux path (the prefix maps Z: to /).
winpath() { printf 'Z:%s' "${1//\//\\}"; }

result=$build/firstpaint.txt
probe=$(winpath "$tools/firstpaint.exe")
locate=$build/tools/locate.exe
clock_ticks=$(getconf CLK_TCK)

# Linux process ids of the processes of our prefix: under Wine every Windows process is a Linux
# process named after its exe, with the prefix in its environment.
prefix_pids() {
    grep -lzxF "WINEPREFIX=$WINEPREFIX" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3 || true
}

# Linux process id of the running program with this process name in our prefix (others may run the
# same exe elsewhere).
find_pid() {
    local pid
    for _ in $(seq 1 50); do
        for pid in $(prefix_pids); do
            if [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = "$1" ]; then
                echo "$pid"
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}

# utime + stime of a process, in clock ticks (all its threads, live and ended).
cpu_ticks() {
    awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"
}

# "ticks nanoseconds times-on-CPU thread-ids" of a process. The nanoseconds and counts are summed
# over its live threads (precise); the ticks also hold threads that ended (coarse: 10 ms).
cpu_sample() {
    local ns_count tids
    ns_count=$(cat "/proc/$1"/task/*/schedstat 2>/dev/null | awk '{ ns += $1; n += $3 } END { print ns + 0, n + 0 }')
    tids=$(ls "/proc/$1/task" | paste -sd, -)
    echo "$(cpu_ticks "$1") $ns_count $tids"
}

# Milliseconds of CPU between two samples: from the nanoseconds when the same threads lived
# throughout, else from the ticks.
cpu_ms() {
    awk -v a="$1" -v b="$2" -v hz="$clock_ticks" 'BEGIN {
        split(a, x, " "); split(b, y, " ")
        if (x[4] == y[4] && y[2] > 0) printf "%.1f", (y[2] - x[2]) / 1e6
        else printf "%.1f", (y[1] - x[1]) * 1000 / hz }'
}

# Times the process was put on a CPU per second between two samples (its wake-ups), or n/a.
wakeups_per_second() {
    awk -v a="$1" -v b="$2" -v s="$3" 'BEGIN {
        split(a, x, " "); split(b, y, " ")
        if (x[4] == y[4] && y[3] > 0) printf "%.0f", (y[3] - x[3]) / s; else print "n/a" }'
}

percent_of_core() {   # percent_of_core <ms> <seconds>
    awk -v ms="$1" -v s="$2" 'BEGIN { printf "%.2f", ms / 10 / s }'
}

xserver_pid=${xvfb_pid:-}
if [ -z "$xserver_pid" ]; then
    xserver_pid=$(pgrep -u "$(id -u)" -f "^Xvfb ${DISPLAY}( |\$)" | head -n 1 || true)
fi

# "pid ticks" of everything that works for a program besides itself: the wineserver, the desktop
# and the other processes of our prefix, and the X server when it is ours.
support_ticks() {
    local pid ticks
    for pid in $(prefix_pids) $xserver_pid; do
        [ "$pid" = "$1" ] && continue
        if ticks=$(cpu_ticks "$pid" 2>/dev/null); then
            echo "$pid $ticks"
        fi
    done
}

# Percent of one core that the processes present in both samples used in between.
support_percent() {   # support_percent <before> <after> <seconds>
    awk -v hz="$clock_ticks" -v s="$3" '
        NR == FNR { before[$1] = $2; next }
        ($1 in before) { total += $2 - before[$1] }
        END { printf "%.2f", 100 * total / hz / s }' <(printf '%s\n' "$1") <(printf '%s\n' "$2")
}

resident_mib() {   # resident_mib <pid> <VmHWM|VmRSS>
    awk -v key="$2:" '$1 == key { printf "%.1f", $2 / 1024 }' "/proc/$1/status"
}

# Screen point of the middle of the game's control with this text, once it is there.
where() {
    local point
    for _ in $(seq 1 50); do
        if point=$(wine "$locate" "$1" 2>/dev/null </dev/null | tr -d '\r') && [ -n "$point" ]; then
            echo "$point"
            return 0
        fi
        sleep 0.2
    done
    return 1
}

# The pointer rests in a corner of the desktop where no window opens. Wine learns where it is only
# from a motion inside its desktop, hence two moves, made while the program's window is up: a
# program that believes the pointer rests on it keeps a mouse-tracking timer running.
park_pointer() { xdotool mousemove 1000 740 sleep 0.05 mousemove 1010 750 >/dev/null 2>&1 || true; }

stop_program() {
    local pid=$1
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 1 50); do
        [ -e "/proc/$pid" ] || break
        sleep 0.1
    done
    if [ -e "/proc/$pid" ]; then
        kill -KILL "$pid" 2>/dev/null || true
        sleep 0.5
    fi
    running_pid=""
    # The desktop repaints where the window was before the next program starts.
    sleep 1
}

# Wine's desktop process quits when the last program on it ends and starts again with the next one:
# the probe holds it up for the whole run, as a real desktop is, so no start competes with it.
wine "$tools/firstpaint.exe" --hold </dev/null >/dev/null 2>&1 &
keeper_pid=$(find_pid firstpaint.exe) || fail "the desktop could not be held open"

# The programs: command line, process name, and the colour the probe waits for (RRGGBB, or "any"
# colour but the desktop's) at this client point.
names=(floor peer rulvio)
declare -A command comm colour point
command[floor]=$(winpath "$tools/floor.exe");      comm[floor]=floor.exe;     colour[floor]=11AA55; point[floor]="320 200"
command[peer]=winemine.exe;                         comm[peer]=winemine.exe;   colour[peer]=any;     point[peer]="5 5"
command[rulvio]=$(winpath "$build/app/rulvio.exe"); comm[rulvio]=rulvio.exe;   colour[rulvio]=000000; point[rulvio]="5 5"
command[sound]="${command[floor]} sound";           comm[sound]=floor.exe;     colour[sound]=11AA55; point[sound]="320 200"

declare -A samples
record() { samples[$1]="${samples[$1]:-} $2"; }

# Starts a program through the probe; sets paint_ms and running_pid.
launch() {
    local name=$1 line
    rm -f "$result"
    # shellcheck disable=SC2086
    wine "$probe" "$(winpath "$result")" "${colour[$name]}" ${point[$name]} "${command[$name]}" \
        </dev/null >>"$log" 2>&1 || true
    line=$(cat "$result" 2>/dev/null || echo "no result")
    echo "$name: probe: $line" >>"$log"
    running_pid=$(find_pid "${comm[$name]}") || fail "$name: no running ${comm[$name]} after the probe ($line)"
    park_pointer
    read -r paint_ms _ <<<"$line"
    case "$paint_ms" in ''|*[!0-9.]*) fail "$name: the first paint was not seen ($line)" ;; esac
}

# One start that only times the first paint.
time_start() {
    launch "$1"
    record "$1.paint" "$paint_ms"
    echo "$1: first paint $paint_ms ms (start only)" >>"$log"
    stop_program "$running_pid"
}

# One full run of a program: first paint, idle, spin (or the same time idle), memory.
measure() {
    local name=$1 pid c0 c1 c2 c3 s0 s1 s2 s3 at spun="" idle_ms idle_pct spin_pct wake rss peak
    launch "$name"
    pid=$running_pid
    sleep "$settle_seconds"
    s0=$(support_ticks "$pid"); c0=$(cpu_sample "$pid")
    sleep "$idle_seconds"
    c1=$(cpu_sample "$pid"); s1=$(support_ticks "$pid")
    rss=$(resident_mib "$pid" VmHWM)
    if [ "$name" = rulvio ]; then
        at=$(where GIOCA) || fail "the game shows no GIOCA"
        s2=$(support_ticks "$pid"); c2=$(cpu_sample "$pid")
        # shellcheck disable=SC2086
        xdotool mousemove $at click 1
        park_pointer
    else
        s2=$s1; c2=$c1
    fi
    sleep "$spin_seconds"
    c3=$(cpu_sample "$pid"); s3=$(support_ticks "$pid")
    peak=$(resident_mib "$pid" VmHWM)
    if [ "$name" = rulvio ]; then
        # After the first spin the play button reads "Rilancia" (or "GIOCA" again when all five reels pay).
        if wine "$locate" Rilancia </dev/null >/dev/null 2>&1; then spun=1; else spun=0; fi
        [ "$spun" = 1 ] || echo "rulvio: the spin was not confirmed (no \"Rilancia\" after it)" >>"$log"
    fi
    stop_program "$pid"

    idle_ms=$(cpu_ms "$c0" "$c1")
    idle_pct=$(percent_of_core "$idle_ms" "$idle_seconds")
    spin_pct=$(percent_of_core "$(cpu_ms "$c2" "$c3")" "$spin_seconds")
    wake=$(wakeups_per_second "$c0" "$c1" "$idle_seconds")
    record "$name.paint" "$paint_ms"
    record "$name.idle_ms" "$idle_ms"
    record "$name.idle_pct" "$idle_pct"
    record "$name.wakeups" "$wake"
    record "$name.spin_pct" "$spin_pct"
    record "$name.idle_support" "$(support_percent "$s0" "$s1" "$idle_seconds")"
    record "$name.spin_support" "$(support_percent "$s2" "$s3" "$spin_seconds")"
    record "$name.rss" "$rss"
    record "$name.hwm" "$peak"
    printf '  %-7s first paint %6.1f ms, idle %6.1f ms CPU (%s%%), %s %5s%% of a core, memory %s / peak %s MiB%s\n' \
        "$name" "$paint_ms" "$idle_ms" "$idle_pct" "$([ "$name" = rulvio ] && echo "spin" || echo "idle")" \
        "$spin_pct" "$rss" "$peak" "$([ "$spun" = 0 ] && echo " (spin not confirmed)" || true)" | tee -a "$log"
}

# The floor playing a looped sound: what the platform's audio stack alone costs.
measure_sound() {
    local pid c0 c1 ms peak
    launch sound
    pid=$running_pid
    sleep "$settle_seconds"
    c0=$(cpu_sample "$pid")
    sleep "$sound_seconds"
    c1=$(cpu_sample "$pid")
    peak=$(resident_mib "$pid" VmHWM)
    stop_program "$pid"
    ms=$(cpu_ms "$c0" "$c1")
    record sound.pct "$(percent_of_core "$ms" "$sound_seconds")"
    record sound.hwm "$peak"
    printf '  %-7s while a looped sound plays: %s%% of a core, peak %s MiB\n' "floor" \
        "$(percent_of_core "$ms" "$sound_seconds")" "$peak" | tee -a "$log"
}

median() {
    tr ' ' '\n' <<<"$1" | grep -E '^[0-9.]+$' | sort -g |
        awk '{ v[NR] = $1 } END { if (NR == 0) print "n/a"; else if (NR % 2) print v[(NR + 1) / 2]; else printf "%.2f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
fastest() {
    tr ' ' '\n' <<<"$1" | grep -E '^[0-9.]+$' | sort -g | head -n 1
}

# Warm-up: the first start after a new prefix or a build fills caches; it is not counted.
step "Warming up (one uncounted start of each program)"
for name in "${names[@]}" sound; do
    launch "$name"
    sleep 1
    stop_program "$running_pid"
done

start_time=$SECONDS
for run in $(seq 1 "$runs"); do
    step "Run $run of $runs"
    for name in "${names[@]}"; do
        measure "$name"
    done
    measure_sound
    for _ in $(seq 1 "$extra_starts"); do
        for name in "${names[@]}"; do
            time_start "$name"
        done
    done
done
elapsed=$((SECONDS - start_time))

ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN { if (a == "n/a" || b == "n/a" || b + 0 == 0) print "n/a"; else printf "%.2f", a / b }'
}
at_most() {   # at_most <value> <limit>
    awk -v v="$1" -v l="$2" 'BEGIN { if (v == "n/a" || l == "n/a") print "n/a"; else if (v + 0 <= l + 0) print "met"; else print "MISSED" }'
}
times() { awk -v f="$1" -v x="$2" 'BEGIN { if (f == "n/a") print "n/a"; else print f * x }'; }

declare -A m
for name in "${names[@]}"; do
    for key in paint idle_ms idle_pct wakeups spin_pct idle_support spin_support rss hwm; do
        m[$name.$key]=$(median "${samples[$name.$key]:-}")
    done
    m[$name.fastest]=$(fastest "${samples[$name.paint]}")
done
paint_count=$(wc -w <<<"${samples[rulvio.paint]}")

echo
echo "Medians of $runs runs ($paint_count starts each for the first paint; ${elapsed} s)."
echo "floor: a bare 640x400 window with a 20 ms timer; peer: Wine's Minesweeper; rulvio: the game."
echo "CPU: the program's own process. Wine+X: the wineserver, the prefix's other processes and the"
echo "X server meanwhile. Memory: VmHWM after start-up and idle, and at the end (after the spin)."
echo
row_format='%-36s %8s %8s %8s %7s %7s  %-28s %s\n'
# shellcheck disable=SC2059
printf "$row_format" "" floor peer rulvio /floor /peer "target for rulvio" ""
# shellcheck disable=SC2059
printf "$row_format" "" ----- ---- ------ ------ ----- ----------------- ""
row() {   # row <label> <key> [target text] [verdict]
    # shellcheck disable=SC2059
    printf "$row_format" "$1" "${m[floor.$2]}" "${m[peer.$2]}" "${m[rulvio.$2]}" \
        "$(ratio "${m[rulvio.$2]}" "${m[floor.$2]}")" "$(ratio "${m[rulvio.$2]}" "${m[peer.$2]}")" "${3:-}" "${4:-}"
}
paint_floor=$(at_most "${m[rulvio.paint]}" "$(times "${m[floor.paint]}" 1.2)")
paint_peer=$(at_most "${m[rulvio.paint]}" "${m[peer.paint]}")
if [ "$paint_floor" = met ] && [ "$paint_peer" = met ]; then paint_verdict=met; else paint_verdict=MISSED; fi
row "Start to first paint (ms)" paint "<= 1.2 x floor and <= peer" "$paint_verdict"
row "  fastest start (ms)" fastest
row "CPU over ${idle_seconds} s idle (ms)" idle_ms "<= 1.2 x floor" \
    "$(at_most "${m[rulvio.idle_ms]}" "$(times "${m[floor.idle_ms]}" 1.2)")"
row "  idle, % of one core" idle_pct
row "  idle, times on a CPU per second" wakeups
row "  idle, Wine+X, % of one core" idle_support
row "CPU in ${spin_seconds} s spin, % of one core" spin_pct "< 10 % (floor, peer: idle)" \
    "$(awk -v v="${m[rulvio.spin_pct]}" 'BEGIN { print (v == "n/a") ? "n/a" : (v + 0 < 10) ? "met" : "MISSED" }')"
row "  spin, Wine+X, % of one core" spin_support
row "Resident memory after start (MiB)" rss
row "Peak resident memory (MiB)" hwm "<= 1.5 x floor" \
    "$(at_most "${m[rulvio.hwm]}" "$(times "${m[floor.hwm]}" 1.5)")"
sound_hwm=$(median "${samples[sound.hwm]:-}")
echo
printf 'The floor playing one looped sound (the audio stack any sound brings): peak %s MiB (rulvio / that: %s),\n' \
    "$sound_hwm" "$(ratio "${m[rulvio.hwm]}" "$sound_hwm")"
printf '%s%% of one core while it plays.\n' "$(median "${samples[sound.pct]:-}")"
echo "Targets are informational: nothing fails on them. Every run's figures are in $log."

if [ -n "$with_tests" ]; then
    echo
    if [ -f "$tests_dir/CTestTestfile.cmake" ] && ls "$tests_dir"/tests/*.exe >/dev/null 2>&1; then
        echo "Timing the test suite with ctest in $tests_dir (not rebuilt) ..."
        tests_log=$build/bench-tests.log
        test_start=$SECONDS
        set +e
        (cd "$tests_dir" && ctest --timeout 300) >"$tests_log" 2>&1
        test_status=$?
        set -e
        test_elapsed=$((SECONDS - test_start))
        summary=$(grep -E 'tests passed|tests failed' "$tests_log" | tail -n 1)
        printf '%-36s %6s s   %s%s\n' "Whole test suite (ctest, one by one)" "$test_elapsed" "${summary:-no summary}" \
            "$([ "$test_status" -ne 0 ] && echo " (ctest exit $test_status; see $tests_log)" || true)"
    else
        echo "Test suite: skipped, no built tests in $tests_dir (build them with scripts/test.sh or"
        echo "scripts/build.sh x86_64 -DRULVIO_TESTS=ON, or name a folder: --with-tests DIR)."
    fi
fi
