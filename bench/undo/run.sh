#!/usr/bin/env bash
# 20 000 stamps on the chipset page in one runner script, each one a step of
# the page's undo history: peak memory and time of tilewright-batch.
#
#   bench/undo/run.sh [BUILD_DIR] [BASELINE_BATCH]
#
# Targets: peak memory under 150 MiB; with BASELINE_BATCH (a tilewright-batch
# built without undo) given, time at most 2 x its time on the same script.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
baseline=${2:-}
batch="$build/tilewright-batch"
[ -x "$batch" ] || batch=$(find "$build" -name tilewright-batch -type f -perm -u+x | head -1)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
script="$work/stamps20k.script"
# A picked cell, a preview and a stamp, 20 000 times over, at places spread
# over the sheet by a fixed sequence.
python3 - "$script" <<'PY'
import random, sys
r = random.Random(20000)
with open(sys.argv[1], "w") as f:
    f.write("click cmdNew\n")
    for _ in range(20000):
        f.write(f"down CQ 1 {r.randrange(480)} {r.randrange(256)}\n")
        f.write(f"move CZ 0 {r.randrange(480)} {r.randrange(256)}\n")
        f.write(f"down CZ 1 {r.randrange(480)} {r.randrange(256)}\n")
PY

measure() {  # prints "seconds kilobytes", best time of three runs
    local exe=$1 best="" kb=0
    for _ in 1 2 3; do
        /usr/bin/time -f "%e %M" -o "$work/time" "$exe" "$script" >/dev/null 2>&1 || true
        read -r s k < <(tail -1 "$work/time")
        if [ -z "$best" ] || python3 -c "import sys; sys.exit(not $s < $best)"; then best=$s; fi
        [ "$k" -gt "$kb" ] && kb=$k
    done
    echo "$best $kb"
}

read -r t kb < <(measure "$batch")
printf 'undo build:     %6.2f s   %7.1f MiB peak\n' "$t" "$(echo "$kb / 1024" | bc -l)"
status=0
python3 -c "import sys; sys.exit(not $kb < 150 * 1024)" || { echo "memory over 150 MiB"; status=1; }
if [ -n "$baseline" ]; then
    read -r tb kbb < <(measure "$baseline")
    printf 'baseline:       %6.2f s   %7.1f MiB peak\n' "$tb" "$(echo "$kbb / 1024" | bc -l)"
    python3 -c "import sys; sys.exit(not $t <= 2 * max($tb, 0.01))" || { echo "over 2 x the baseline's time"; status=1; }
fi
exit $status
