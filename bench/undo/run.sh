#!/usr/bin/env bash
# 20 000 stamps on the chipset page in one runner script, each one a step of
# the page's undo history, with 16-pixel cells and again with 128-pixel cells
# (three clicks of cmdSelGR first). For each: the time and peak memory of
# tilewright-batch, the same script on a runner built at 13f0eae (the last
# one without undo), and the time a bare memcpy needs for the bytes the
# history copies (tw_history_copy_floor).
#
#   bench/undo/run.sh [BUILD_DIR] [BASELINE_BATCH]
#
# Without BASELINE_BATCH the 13f0eae runner is built once, from `git archive`,
# into build-baseline-13f0eae/ at the top of the repository (ignored by git),
# and reused by later runs. Builds use at most JOBS (default 2) jobs.
#
# Each runner runs the script five times, the two taking turns; the best
# time and the highest peak count. The last line of each case is the time the
# history adds to the 13f0eae runner's, beside the floor.
#
# Goals, for each cell size: time at most 2 x the 13f0eae runner's, or within
# 1.2 x the memcpy floor where the floor itself is above 2 x that runner's;
# peak memory under 80 MiB. Exits non-zero when a goal is missed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(git -C "$here" rev-parse --show-toplevel)
build=$(cd "${1:-build}" && pwd)
baseline=${2:-}
jobs=${JOBS:-2}
baseline_commit=13f0eae

cmake --build "$build" -j"$jobs" --target tilewright-batch tw_history_copy_floor >/dev/null
batch="$build/tilewright-batch"
floor="$build/bench/tw_history_copy_floor"

if [ -z "$baseline" ]; then
    cache="$root/build-baseline-$baseline_commit"
    baseline="$cache/build/tilewright-batch"
    if [ ! -x "$baseline" ]; then
        echo "building tilewright-batch at $baseline_commit in $cache ..." >&2
        rm -rf "$cache"
        mkdir -p "$cache/src"
        git -C "$root" archive "$baseline_commit" | tar -x -C "$cache/src"
        # The same build type as the build measured beside it.
        type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")
        generator=()
        command -v ninja >/dev/null && generator=(-G Ninja)
        cmake -S "$cache/src" -B "$cache/build" "${generator[@]}" \
            -DCMAKE_BUILD_TYPE="${type:-RelWithDebInfo}" \
            -DTW_BUILD_GUI=OFF -DTW_BUILD_TESTS=OFF -DTW_BUILD_BENCH=OFF >/dev/null
        cmake --build "$cache/build" -j"$jobs" --target tilewright-batch >/dev/null
    fi
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$work" "$batch" "$baseline" "$floor" <<'PY'
import os, random, subprocess, sys, time

work, batch, baseline, floor = sys.argv[1:5]
SHEET_W, SHEET_H, GRID = 480, 256, 16  # the chipset target and its stamp grid
MIB = 1 << 20


def write_case(cell):
    """The script for one cell size, and the blocks its stamps' steps keep."""
    prefix = "click cmdSelGR\n" * {16: 0, 128: 3}[cell]
    script = os.path.join(work, f"stamps20k-{cell}.script")
    blocks = os.path.join(work, f"blocks-{cell}.txt")
    # A picked cell, a preview and a stamp, 20 000 times over, at places
    # spread over the sheet by a fixed sequence.
    r = random.Random(20000)
    with open(script, "w") as f, open(blocks, "w") as b:
        f.write(prefix + "click cmdNew\n")
        for _ in range(20000):
            f.write(f"down CQ 1 {r.randrange(480)} {r.randrange(256)}\n")
            f.write(f"move CZ 0 {r.randrange(480)} {r.randrange(256)}\n")
            x, y = r.randrange(480), r.randrange(256)
            f.write(f"down CZ 1 {x} {y}\n")
            left, top = x // GRID * GRID, y // GRID * GRID
            b.write(f"{left} {top} {min(cell, SHEET_W - left)} {min(cell, SHEET_H - top)}\n")
    # The cell and the stamp's place are what the blocks above assume.
    check = os.path.join(work, f"check-{cell}.script")
    with open(check, "w") as f:
        f.write(prefix + "move CZ 0 479 255\nshow Csel\nshow Cins\n")
    got = subprocess.run([batch, check], capture_output=True, text=True).stdout.split("\n")
    want = [f"Csel left=0 top=0 width={cell} height={cell}",
            f"Cins left=464 top=240 width={cell} height={cell}"]
    if got[:2] != want:
        sys.exit(f"the runner's cell is not what the bench assumes: {got[:2]} != {want}")
    return script, blocks


def run(exe, script):
    """Wall, user and system time of one run, and its peak RSS in KiB. The peak
    comes from /usr/bin/time: a child's own figure would count the memory of
    this script, which the child holds until it starts the runner."""
    rss = os.path.join(work, "rss")
    with open(os.devnull, "w") as null:
        start = time.perf_counter()
        proc = subprocess.Popen(["/usr/bin/time", "-f", "%M", "-o", rss, exe, script],
                                stdout=null, stderr=null)
        _, status, usage = os.wait4(proc.pid, 0)
        wall = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{exe} {script} failed")
    return (wall, usage.ru_utime, usage.ru_stime), int(open(rss).read().split()[-1])


def measure(exes, script, rounds=5):
    """For each runner, the best of the rounds (wall, user, system) and the
    highest peak; the runners take turns, so that a busy moment of the
    machine falls on both."""
    best, peak = [None] * len(exes), [0] * len(exes)
    for _ in range(rounds):
        for i, exe in enumerate(exes):
            times, kb = run(exe, script)
            if best[i] is None or times[0] < best[i][0]:
                best[i] = times
            peak[i] = max(peak[i], kb)
    return list(zip(best, peak))


ok = True
print(f"{'cell':>4}  {'':30}{'time':>9}{'user':>9}{'sys':>9}{'peak':>12}")
for cell in (16, 128):
    script, blocks = write_case(cell)
    ((t, tu, ts), kb), ((tb, tbu, tbs), kbb) = measure([batch, baseline], script)
    out = subprocess.run([floor, blocks], capture_output=True, text=True, check=True).stdout
    tf, copied = float(out.split()[0]), int(out.split()[1])
    print(f"{cell:>4}  {'this build':30}{t:7.3f} s{tu:7.3f} s{ts:7.3f} s{kb / 1024:8.1f} MiB")
    print(f"{'':>4}  {'13f0eae runner':30}{tb:7.3f} s{tbu:7.3f} s{tbs:7.3f} s{kbb / 1024:8.1f} MiB")
    print(f"{'':>4}  {f'memcpy floor ({copied / MIB:.0f} MiB copied)':30}{tf:7.3f} s")
    limit, against = 2 * tb, "2 x 13f0eae"
    if tf > 2 * tb:
        limit, against = 1.2 * tf, "1.2 x the floor"
    time_ok, mem_ok = t <= limit, kb < 80 * 1024
    print(f"{'':>4}  goal: time <= {limit:.3f} s ({against}), peak < 80 MiB: "
          f"{'met' if time_ok and mem_ok else 'MISSED'}"
          f" ({t / tb:.2f} x 13f0eae)")
    print(f"{'':>4}  the history's share: {t - tb:.3f} s over 13f0eae, "
          f"{(t - tb) / tf:.1f} x the floor")
    ok = ok and time_ok and mem_ok
sys.exit(0 if ok else 1)
PY
