#!/usr/bin/env bash
# A clipboard owner that stops answering: xclip holds a picture on the
# clipboard of a private Xvfb display and is stopped with SIGSTOP; the bench
# program then times an event of the window (which must not ask the owner),
# the old ask, and Paste (which must, once).
#
#   bench/hostile/clipboard.sh [BUILD_DIR]      (default: build)
#
# Target: an event within 0.1 s.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
for tool in Xvfb xclip; do
    command -v "$tool" >/dev/null || { echo "needs $tool (make bench installs it)"; exit 1; }
done
cmake --build "$build" --target tw_clipboard_owner tilewright-batch >/dev/null
work=$(mktemp -d)
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 800x600x24 >/dev/null 2>&1 &
xvfb=$!
owner=""
cleanup() {
    [ -n "$owner" ] && kill -CONT "$owner" 2>/dev/null && kill "$owner" 2>/dev/null
    kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
printf 'dump CQ %s\n' "$work/pic.png" | "$build/tilewright-batch" - >/dev/null
sleep 1
DISPLAY=$display xclip -selection clipboard -t image/png -i "$work/pic.png" &
sleep 1
owner=$(pgrep -n -x xclip)
kill -STOP "$owner"
out=$(DISPLAY=$display QT_QPA_PLATFORM=xcb timeout 600 "$build/bench/tw_clipboard_owner")
echo "$out"
event=$(echo "$out" | awk '/^an event \(change/ {print $(NF-4)}')
python3 -c "import sys; sys.exit(0 if float('$event') < 0.1 else 1)" || { echo "an event waited on the owner"; exit 1; }
