#!/usr/bin/env python3
"""Writes the seed corpora of the bmp and jpeg fuzz targets into seeds/bmp and
seeds/jpeg: small BMP files of every depth and storage the reader knows, and JPEG
files made from them with cjpeg (libjpeg-turbo-progs) in the usual encodings. Each
JPEG seed starts with the option byte the jpeg target reads first."""
import os
import struct
import subprocess
import tempfile

here = os.path.dirname(os.path.abspath(__file__))


def bmp(width, height, bits, rows, palette=(), compression=0, masks=(), top_down=False, core=False):
    pal = b"".join(struct.pack("<BBB", c & 255, c >> 8 & 255, c >> 16 & 255) + (b"" if core else b"\0")
                   for c in palette)
    if core:
        info = struct.pack("<IHHHH", 12, width, height, 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bits,
                           compression, len(rows), 2835, 2835, len(palette), 0)
    info += b"".join(struct.pack("<I", m) for m in masks)
    off = 14 + len(info) + len(pal)
    return b"BM" + struct.pack("<IHHI", off + len(rows), 0, 0, off) + info + pal + rows


def padded(row):
    return row + b"\0" * (-len(row) % 4)


def grey(n):
    return [i * 255 // max(n - 1, 1) * 0x010101 for i in range(n)]


def seeds():
    w, h = 7, 5
    out = {}
    out["pal1.bmp"] = bmp(w, h, 1, b"".join(padded(bytes([0b10110010])) for _ in range(h)), grey(2))
    out["pal4.bmp"] = bmp(w, h, 4, b"".join(padded(bytes([0x12, 0x34, 0x56, 0x70])) for _ in range(h)), grey(16))
    out["pal8.bmp"] = bmp(w, h, 8, b"".join(padded(bytes(range(y, y + w))) for y in range(h)), grey(16))
    out["rgb24.bmp"] = bmp(w, h, 24, b"".join(padded(bytes((x * 30 + y * 7) & 255 for x in range(3 * w)))
                                              for y in range(h)))
    out["rgb24topdown.bmp"] = bmp(w, h, 24, b"".join(padded(bytes(3 * w)) for _ in range(h)), top_down=True)
    out["rgb32.bmp"] = bmp(w, h, 32, bytes(range(4 * w * h)))
    out["rgb16-565.bmp"] = bmp(w, h, 16, b"".join(padded(b"\x1f\xf8" * w) for _ in range(h)), compression=3,
                               masks=(0xF800, 0x07E0, 0x001F))
    out["rgb32bf.bmp"] = bmp(w, h, 32, bytes(4 * w * h), compression=3, masks=(0xFF000000, 0xFF0000, 0xFF00))
    out["rle8.bmp"] = bmp(w, h, 8, bytes([3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 2, 1, 2, 5, 0, 1]), grey(8),
                          compression=1)
    out["rle4.bmp"] = bmp(w, h, 4, bytes([4, 0x12, 0, 3, 0x34, 0x50, 0, 0, 7, 0x77, 0, 1]), grey(8),
                          compression=2)
    out["os2core.bmp"] = bmp(w, h, 8, b"".join(padded(bytes(w)) for _ in range(h)), grey(4), core=True)
    out["twice.bmp"] = out["pal8.bmp"] + out["rgb24.bmp"]
    return out


def main():
    bmp_dir = os.path.join(here, "seeds", "bmp")
    jpeg_dir = os.path.join(here, "seeds", "jpeg")
    os.makedirs(bmp_dir, exist_ok=True)
    os.makedirs(jpeg_dir, exist_ok=True)
    files = seeds()
    for name, data in files.items():
        with open(os.path.join(bmp_dir, name), "wb") as f:
            f.write(data)
    # A picture with some detail for the JPEG encodings.
    w, h = 40, 24
    rows = b"".join(padded(bytes(((x * 37) ^ (y * 91) ^ (x * y)) & 255 for x in range(3 * w))) for y in range(h))
    encodings = {
        "baseline": ([], 0x00), "progressive": (["-progressive"], 0x00), "grey": (["-grayscale"], 0x01),
        "restart": (["-restart", "1"], 0x12), "optimized": (["-optimize"], 0x24),
        "arithmetic": (["-arithmetic"], 0x08), "444": (["-sample", "1x1"], 0x35),
        "progressive8bit": (["-progressive", "-quality", "30"], 0x01),
    }
    with tempfile.TemporaryDirectory() as tmp:
        source = os.path.join(tmp, "source.bmp")
        with open(source, "wb") as f:
            f.write(bmp(w, h, 24, rows))
        for name, (flags, option) in encodings.items():
            jpeg = subprocess.run(["cjpeg"] + flags + [source], check=True, capture_output=True).stdout
            with open(os.path.join(jpeg_dir, name + ".jpg"), "wb") as f:
                f.write(bytes([option]) + jpeg)
    with open(os.path.join(jpeg_dir, "empty.jpg"), "wb") as f:
        f.write(b"\0")


if __name__ == "__main__":
    main()
