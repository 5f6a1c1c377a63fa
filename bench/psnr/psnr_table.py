"""Cuts each photo to sheet sizes, converts the cut with our encoder and with
ImageMagick, and prints the PSNR of both against the cut. Exits non-zero when
ours is not higher on every cut."""
import math
import os
import subprocess
import sys

from PIL import Image, ImageChops, ImageStat

SIZES = [(480, 256), (480, 480)]


def cut(photo, size):
    """Scales the photo to cover the size, then takes the centre."""
    w, h = size
    scale = max(w / photo.width, h / photo.height)
    scaled = photo.resize((math.ceil(photo.width * scale), math.ceil(photo.height * scale)),
                          Image.LANCZOS)
    left, top = (scaled.width - w) // 2, (scaled.height - h) // 2
    return scaled.crop((left, top, left + w, top + h))


def psnr(reference, path):
    other = Image.open(path).convert("RGB")
    stat = ImageStat.Stat(ImageChops.difference(reference, other))
    mse = sum(stat.sum2) / (3 * reference.width * reference.height)
    return float("inf") if mse == 0 else 10 * math.log10(255 * 255 / mse)


def main():
    program, photos, work, *flags = sys.argv[1:]
    print(f"{'photo':<18} {'size':>7} {'ours dB':>8} {'convert dB':>10} {'gain':>6}")
    worse = 0
    gains = []
    for name in sorted(os.listdir(photos)):
        if not name.lower().endswith(".jpg"):
            continue
        photo = Image.open(os.path.join(photos, name)).convert("RGB")
        for size in SIZES:
            stem = os.path.join(work, f"{name[:-4]}_{size[0]}x{size[1]}")
            source = cut(photo, size)
            source.save(stem + ".bmp")
            subprocess.run([program, stem + ".bmp", stem + "_ours.gif", *flags], check=True)
            subprocess.run(["convert", stem + ".bmp", "-colors", "256", stem + "_im.gif"], check=True)
            ours, theirs = psnr(source, stem + "_ours.gif"), psnr(source, stem + "_im.gif")
            gains.append(ours - theirs)
            worse += ours <= theirs
            print(f"{name[:-4]:<18} {size[0]}x{size[1]:<3} {ours:8.2f} {theirs:10.2f} {ours - theirs:+6.2f}")
    print(f"cuts: {len(gains)}, ours higher on {len(gains) - worse}, mean gain {sum(gains) / len(gains):+.2f} dB")
    return 1 if worse else 0


if __name__ == "__main__":
    sys.exit(main())
