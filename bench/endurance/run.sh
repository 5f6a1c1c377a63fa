#!/usr/bin/env bash
# Endurance: a script of a million random events over every page (pointer
# moves, presses, button and option clicks, timer ticks, a few loads and
# saves), replayed by tilewright-batch from the normal build and from a build
# with AddressSanitizer and UndefinedBehaviorSanitizer.
#
#   bench/endurance/run.sh [BUILD_DIR] [EVENTS]      (defaults: build, 1000000)
#
# Prints events per second and peak resident memory of each run. Fails when a
# run does not reach the end of its script, when a sanitizer reports anything,
# or when memory is not bounded: the full run may not need much more than a
# run of a tenth of the events, and neither may pass its limit.
#   TW_ASAN_BUILD       sanitizer build folder (default: BUILD_DIR's sibling
#                       build-asan-endurance)
#   TW_ENDURANCE_ASAN=0 skips the sanitizer run
#   TW_RSS_LIMIT_MB, TW_ASAN_RSS_LIMIT_MB   limits (default 200 and 1024)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)
build=$(cd "${1:-build}" && pwd)
events=${2:-1000000}
asan_build=${TW_ASAN_BUILD:-$(dirname "$build")/build-asan-endurance}
rss_limit=$(( ${TW_RSS_LIMIT_MB:-200} * 1024 ))
asan_rss_limit=$(( ${TW_ASAN_RSS_LIMIT_MB:-1024} * 1024 ))

cmake --build "$build" --target tilewright-batch tw_endurance_script >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/short" "$work/full"
short_events=$("$build/bench/tw_endurance_script" "$work/short" $(( events / 10 )) 7)
full_events=$("$build/bench/tw_endurance_script" "$work/full" "$events" 2003)

failed=0
fail() { echo "FAIL: $*"; failed=1; }

# run LABEL EXE DIR EVENTS: replays DIR/endurance.tw; sets peak_kb.
run() {
    local label=$1 exe=$2 dir=$3 count=$4 status=0
    (cd "$dir" && /usr/bin/time -v -o time.txt "$exe" endurance.tw >out.txt 2>err.txt) || status=$?
    peak_kb=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$dir/time.txt")
    local wall
    wall=$(awk -F': ' '/Elapsed \(wall clock\)/ {print $2}' "$dir/time.txt" |
           awk -F: '{ s = 0; for (i = 1; i <= NF; ++i) s = s * 60 + $i; print s }')
    awk -v l="$label" -v n="$count" -v t="$wall" -v kb="$peak_kb" 'BEGIN {
        printf "%-28s %9d events  %7.2f s  %10.0f events/s  peak RSS %6.1f MB\n",
               l, n, t, (t > 0 ? n / t : 0), kb / 1024 }'
    [ "$status" = 0 ] || fail "$label exited with status $status"
    [ "$(tail -n 1 "$dir/out.txt")" = "done" ] || fail "$label did not reach the end of its script"
    if [ -s "$dir/err.txt" ]; then
        fail "$label wrote to standard error:"
        head -n 30 "$dir/err.txt"
    fi
}

run "tilewright-batch (short)" "$build/tilewright-batch" "$work/short" "$short_events"
short_kb=$peak_kb
run "tilewright-batch" "$build/tilewright-batch" "$work/full" "$full_events"
[ "$peak_kb" -le "$rss_limit" ] || fail "peak RSS ${peak_kb} kB is over ${rss_limit} kB"
# Ten times the events may not need much more memory: nothing piles up.
[ "$peak_kb" -le $(( short_kb * 3 / 2 + 16384 )) ] ||
    fail "peak RSS grew from ${short_kb} kB to ${peak_kb} kB with ten times the events"

if [ "${TW_ENDURANCE_ASAN:-1}" != 0 ]; then
    cmake -S "$src" -B "$asan_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTW_SANITIZE=ON \
        -DTW_BUILD_GUI=OFF -DTW_BUILD_TESTS=OFF -DTW_BUILD_BENCH=OFF >/dev/null
    cmake --build "$asan_build" --target tilewright-batch -j"${JOBS:-2}" >/dev/null
    export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=0
    export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
    run "tilewright-batch (sanitizers)" "$asan_build/tilewright-batch" "$work/full" "$full_events"
    [ "$peak_kb" -le "$asan_rss_limit" ] || fail "sanitizer run peak RSS ${peak_kb} kB is over ${asan_rss_limit} kB"
fi
exit $failed
