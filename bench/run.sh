#!/usr/bin/env bash
# Runs every benchmark and prints the figures.
#
#   bench/run.sh [BUILD_DIR]      (default: build)
#
# 1. The chipset target preview with 128-pixel cells (one pointer move over
#    CZ) beside a plain memcpy of the same 128 x 128 x 4 bytes; target: at most
#    4 times the memcpy.
# 2. Events per second of a 100 000-event runner script over the chipset,
#    faceset and systemset pages.
# 3. The endurance run (bench/endurance/run.sh): a million random events over
#    every page, normal and sanitizer builds (TW_ENDURANCE_ASAN=0 skips the
#    latter).
# 4. Edit > Reduce Colours beside the GIF writer on a 480 x 480 sheet of more
#    than 40 000 colours: time and PSNR of each; target: Reduce keeps at least
#    the GIF writer's PSNR.
# 5. The colour panel after a stamp on a 480 x 480 sheet: the count and the
#    palette in save order; target: at most 1 ms per stamp, stamp included.
# 6. The GIF encoder's PSNR against ImageMagick (bench/psnr/run.sh), when
#    TW_BENCH_PSNR=1 (it installs a photo package).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
status=0

cmake --build "$build" --target tw_core_bench >/dev/null
json=$(mktemp)
trap 'rm -f "$json"' EXIT
"$build/bench/tw_core_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_out="$json" --benchmark_out_format=json
python3 - "$json" <<'PY' || status=1
import json, sys
runs = {b["run_name"]: b for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median"}
preview = runs["BM_TargetPreview128"]["cpu_time"]
copy = runs["BM_Memcpy128"]["cpu_time"]
ratio = preview / copy
print()
print(f"target preview, 128-pixel cell: {preview:8.0f} ns   memcpy of 64 KiB: {copy:6.0f} ns   "
      f"ratio {ratio:.2f} (target <= 4)")
runner = next(b for name, b in runs.items() if name.startswith("BM_Runner100k"))
print(f"runner script, 100 000 events:  {runner['events_per_second']:,.0f} events/s")
sys.exit(0 if ratio <= 4 else 1)
PY

echo
cmake --build "$build" --target tw_reduce_bench >/dev/null
"$build/bench/tw_reduce_bench" --benchmark_out="$json" --benchmark_out_format=json
python3 - "$json" <<'PY' || status=1
import json, sys
runs = {b["run_name"]: b for b in json.load(open(sys.argv[1]))["benchmarks"]}
reduce, gif = runs["BM_ReduceColours/iterations:5"], runs["BM_GifWriter/iterations:5"]
print(f"reduce to 256 colours: {reduce['real_time']:6.0f} ms, PSNR {reduce['psnr_dB']:.2f} dB   "
      f"GIF writer: {gif['real_time']:6.0f} ms, PSNR {gif['psnr_dB']:.2f} dB")
sys.exit(0 if reduce["psnr_dB"] >= gif["psnr_dB"] else 1)
PY

echo
cmake --build "$build" --target tw_panel_bench >/dev/null
"$build/bench/tw_panel_bench" --benchmark_out="$json" --benchmark_out_format=json
python3 - "$json" <<'PY' || status=1
import json, sys
runs = {b["run_name"]: b for b in json.load(open(sys.argv[1]))["benchmarks"]}
per_stamp = runs["BM_StampCountAndOrder"]
print(f"colour panel per stamp ({per_stamp['colours']:.0f} colours): {per_stamp['real_time'] / 1000:.3f} ms "
      f"(stamp alone {runs['BM_Stamp']['real_time'] / 1000:.3f} ms, "
      f"plain recount {runs['BM_StampPlainRecount']['real_time'] / 1000:.3f} ms)")
sys.exit(0 if per_stamp["real_time"] <= 1000 else 1)
PY

echo
bash "$here/endurance/run.sh" "$build" || status=1

if [ "${TW_BENCH_PSNR:-0}" = 1 ]; then
    echo
    bash "$here/psnr/run.sh" "$build" || status=1
fi
exit $status
