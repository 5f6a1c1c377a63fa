#!/usr/bin/env python3
"""An XYZ writer and reader made with nothing but Python's zlib, to check the
program's XYZ files against an independent reading of the format.

  xyz_reference.py write FILE.xyz WIDTH HEIGHT OUT.ppm
      writes an XYZ picture and the pixels it holds as a binary PPM
  xyz_reference.py read FILE.xyz OUT.ppm
      decodes FILE.xyz to a PPM; fails unless the stream holds exactly the
      palette and one index per pixel, and palette entry 0 appears only once
"""
import struct
import sys
import zlib


def write_ppm(path, width, height, rgb):
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (width, height))
        f.write(bytes(rgb))


def write(path, width, height, ppm):
    palette = []
    for i in range(256):
        palette += [(i * 53) % 256, (i * 97 + 11) % 256, (255 - i * 7) % 256]
    indices = bytes(((x // 3) * 7 + (y // 5) * 13 + x * y) % 256
                    for y in range(height) for x in range(width))
    with open(path, "wb") as f:
        f.write(b"XYZ1" + struct.pack("<HH", width, height))
        f.write(zlib.compress(bytes(palette) + indices, 9))
    rgb = bytearray()
    for i in indices:
        rgb += bytes(palette[3 * i:3 * i + 3])
    write_ppm(ppm, width, height, rgb)


def read(path, ppm):
    data = open(path, "rb").read()
    if data[:4] != b"XYZ1":
        sys.exit("not an XYZ file")
    width, height = struct.unpack("<HH", data[4:8])
    body = zlib.decompress(data[8:])
    if len(body) != 768 + width * height:
        sys.exit("stream holds %d bytes, not %d" % (len(body), 768 + width * height))
    palette = [tuple(body[3 * i:3 * i + 3]) for i in range(256)]
    if palette.count(palette[0]) != 1:
        sys.exit("the transparent colour is repeated in the palette")
    rgb = bytearray()
    for i in body[768:]:
        rgb += bytes(palette[i])
    write_ppm(ppm, width, height, rgb)


if __name__ == "__main__":
    if len(sys.argv) == 6 and sys.argv[1] == "write":
        write(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), sys.argv[5])
    elif len(sys.argv) == 4 and sys.argv[1] == "read":
        read(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)
