#!/usr/bin/env bash
# Frame times of the window, offscreen, on a screen large enough for the
# 4x zoom: a pointer move over the chipset target at 1x and 4x and a wheel
# step over a tall source, each beside a plain QLabel repaint of the same
# pixels (goal: at most 2x).
#
#   bench/gui/run.sh [BUILD_DIR]      (default: build)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
cmake --build "$build" --target tw_frame_time >/dev/null
QT_QPA_PLATFORM="offscreen:configfile=$here/../../tests/gui/screens/large.json" \
    "$build/bench/tw_frame_time"
