#!/usr/bin/env bash
# Writes a small seed corpus for each decoder into OUT/<format>/: the layouts
# each decoder has to handle, made with ImageMagick from two tiny pictures
# (XYZ, which ImageMagick does not know, with Python's zlib).
#   fuzz/make_corpus.sh OUT
set -euo pipefail
out=${1:?usage: make_corpus.sh OUT}
mkdir -p "$out"/{bmp,gif,jpg,png,tif,xyz}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert -size 24x16 plasma:fractal -seed 1 "$tmp/photo.png"
convert -size 24x16 xc:white -fill red -draw "rectangle 2,2 9,9" -fill blue -draw "circle 16,8 20,8" "$tmp/sheet.png"
convert -size 16x8 xc:black -fill white -draw "rectangle 0,0 7,7" "$tmp/mono.png"
convert -size 16x16 gradient:black-white "$tmp/grey.png"

p="$tmp/photo.png" s="$tmp/sheet.png" m="$tmp/mono.png" g="$tmp/grey.png"
# BMP: every bit depth, RLE4/RLE8, bit fields, the OS/2 header.
convert "$p" -type truecolor "BMP3:$out/bmp/rgb24.bmp"
convert "$p" -type truecolormatte -define bmp:format=bmp4 "$out/bmp/rgba32.bmp"
convert "$s" -colors 16 -type palette -compress RLE "BMP3:$out/bmp/rle4.bmp"
convert "$s" -colors 200 -type palette -compress RLE "BMP3:$out/bmp/rle8.bmp"
convert "$s" -type palette "BMP3:$out/bmp/pal8.bmp"
convert "$m" -type bilevel "BMP3:$out/bmp/mono.bmp"
convert "$p" -define bmp:subtype=RGB565 "$out/bmp/rgb565.bmp"
convert "$s" -type palette "BMP2:$out/bmp/os2.bmp"
# GIF: plain, interlaced, animated with an offset frame.
convert "$s" "$out/gif/sheet.gif"
convert "$p" -interlace GIF "$out/gif/interlaced.gif"
convert -delay 10 "$s" \( "$m" -repage +3+2 \) "$out/gif/animated.gif"
convert "$m" "$out/gif/mono.gif"
# JPEG: baseline, progressive, grey.
convert "$p" -quality 80 "$out/jpg/baseline.jpg"
convert "$p" -interlace JPEG "$out/jpg/progressive.jpg"
convert "$g" -colorspace gray "$out/jpg/grey.jpg"
# PNG: palette, grey 16, grey-alpha, RGBA, interlaced, 1 bit.
convert "$s" "PNG8:$out/png/palette.png"
convert "$g" -depth 16 -colorspace gray "$out/png/grey16.png"
convert "$g" -alpha set -channel A -evaluate set 50% "$out/png/greyalpha.png"
convert "$p" -alpha set "PNG32:$out/png/rgba.png"
convert "$p" -interlace PNG "PNG24:$out/png/interlaced.png"
convert "$m" -type bilevel "$out/png/mono.png"
# TIFF: LZW RGB, 16-bit grey, palette, bilevel, tiled, planar, JPEG, multi-page.
convert "$p" -compress lzw "$out/tif/rgb.tif"
convert "$g" -depth 16 -colorspace gray "$out/tif/grey16.tif"
convert "$s" -type palette "$out/tif/palette.tif"
convert "$m" -type bilevel -compress group4 "$out/tif/g4.tif"
convert "$p" -define tiff:tile-geometry=16x16 "$out/tif/tiled.tif"
convert "$p" -interlace plane "$out/tif/planar.tif"
convert "$p" -compress jpeg "$out/tif/jpeg.tif"
convert "$s" "$p" "$out/tif/pages.tif"
# XYZ: best and no compression, a stream split into several blocks, 1 x 1.
python3 - "$out/xyz" <<'PY'
import struct, sys, zlib
out = sys.argv[1]
def xyz(name, w, h, level, split=False):
    palette = bytes((i * 37 + c * 91) % 256 for i in range(256) for c in range(3))
    body = palette + bytes((x * 5 + y * 3) % 256 for y in range(h) for x in range(w))
    z = zlib.compressobj(level)
    data = z.compress(body[:500]) + (z.flush(zlib.Z_FULL_FLUSH) if split else b"") + z.compress(body[500:]) + z.flush()
    open(f"{out}/{name}.xyz", "wb").write(b"XYZ1" + struct.pack("<HH", w, h) + data)
xyz("sheet", 24, 16, 9)
xyz("stored", 16, 8, 0)
xyz("split", 24, 16, 6, split=True)
xyz("dot", 1, 1, 9)
PY
