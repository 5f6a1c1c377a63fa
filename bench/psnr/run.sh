#!/usr/bin/env bash
# PSNR of our GIF encoder against ImageMagick's `convert -colors 256` on the
# nature photos of Debian's mate-backgrounds package, cut to sheet sizes.
#
#   bench/psnr/run.sh [BUILD_DIR]      (default: build)
# Extra arguments after the build dir go to gif_psnr (tuning flags).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
shift || true
photos=/usr/share/backgrounds/mate/nature
if [ ! -d "$photos" ]; then
    apt-get install -y mate-backgrounds >/dev/null
fi
cmake --build "$build" --target gif_psnr >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
/usr/bin/python3 "$here/psnr_table.py" "$build/bench/gif_psnr" "$photos" "$work" "$@"
