#!/usr/bin/env bash
# Builds the decoder fuzz targets with clang and runs each for DURATION
# seconds, starting from the kept corpus in fuzz/corpus/<format>/ and a
# generated seed corpus.
#   fuzz/run.sh [DURATION] [BUILD_DIR]     (defaults: 60, ./build-fuzz)
# FUZZ_FORMATS picks the targets (default: every folder of fuzz/corpus/, one
# after another; two runs with different formats may go side by side on two
# cores).
# With FUZZ_MERGE=1 the inputs that reached new coverage are merged back into
# fuzz/corpus/<format>/ afterwards (libFuzzer's -merge=1 keeps it minimal).
# Crashes, and single allocations above 600 MB (the decoders stay far
# below that), are written to BUILD_DIR/crashes/<format>/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")
duration=${1:-60}
build=${2:-$source_dir/build-fuzz}

cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTW_BUILD_FUZZ=ON \
    -DTW_BUILD_GUI=OFF -DTW_BUILD_TESTS=OFF -DTW_BUILD_BENCH=OFF >/dev/null
# A target for each folder of the kept corpus, one a format.
all_formats=$(cd "$here/corpus" && ls -d */ | tr -d / | tr '\n' ' ')
targets=()
for format in ${FUZZ_FORMATS:-$all_formats}; do targets+=("fuzz_$format"); done
cmake --build "$build" -j2 --target "${targets[@]}"

if [ ! -d "$build/seeds" ]; then
    "$here/make_corpus.sh" "$build/seeds"
fi
# A small quarantine keeps the sanitizer's memory flat over long runs.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=16}
status=0
for format in ${FUZZ_FORMATS:-$all_formats}; do
    corpus="$build/corpus/$format"
    crashes="$build/crashes/$format"
    # A format the seed script does not make has no seeds: the kept corpus
    # starts it alone.
    mkdir -p "$corpus" "$crashes" "$build/seeds/$format"
    echo "== $format: ${duration}s"
    kept="$here/corpus/$format"
    mkdir -p "$kept"
    if ! "$build/fuzz/fuzz_$format" "$corpus" "$kept" "$build/seeds/$format" \
        -max_total_time="$duration" -max_len=65536 -timeout=10 -rss_limit_mb=3072 -malloc_limit_mb=600 \
        -artifact_prefix="$crashes/" -print_final_stats=1 2>"$build/fuzz_$format.log"; then
        status=1
        echo "   FAILED: see $build/fuzz_$format.log and $crashes"
    fi
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$build/fuzz_$format.log" | sed 's/^/   /'
    if [ "${FUZZ_MERGE:-0}" = 1 ]; then
        "$build/fuzz/fuzz_$format" -merge=1 -max_len=65536 -timeout=10 -rss_limit_mb=3072 \
            -malloc_limit_mb=600 "$kept" "$corpus" 2>>"$build/fuzz_$format.log" >/dev/null
        echo "   kept corpus: $(ls "$kept" | wc -l) files, $(du -sk "$kept" | cut -f1) KB"
    fi
done
exit $status
