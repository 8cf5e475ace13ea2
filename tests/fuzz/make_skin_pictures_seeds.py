#!/usr/bin/env python3
"""Writes the seed corpus of the skin_pictures fuzz target into seeds/skin_pictures:
stored skin picture values (three flagged frame pictures, a signed 32-bit count and
that many BMP files) built from the BMP seeds of make_picture_seeds.py."""
import os
import struct

from make_picture_seeds import seeds as bmp_seeds

here = os.path.dirname(os.path.abspath(__file__))


def payload(frames, actives, count=None):
    out = b""
    for frame in frames:
        out += b"\1" if frame is None else b"\0" + frame
    out += struct.pack("<i", len(actives) if count is None else count)
    return out + b"".join(actives)


def main():
    bmp = bmp_seeds()
    out = {
        "empty.bin": payload([None, None, None], []),
        "frames.bin": payload([bmp["pal8.bmp"], None, bmp["pal1.bmp"]], []),
        "actives.bin": payload([None, None, None], [bmp["rgb24.bmp"], bmp["pal4.bmp"], bmp["rle8.bmp"]]),
        "launcher-like.bin": payload([bmp["pal8.bmp"], None, bmp["pal1.bmp"]],
                                     [bmp["pal8.bmp"], bmp["rgb24.bmp"], bmp["rle4.bmp"]]),
        "negative.bin": payload([None, None, None], [bmp["rgb32.bmp"]], count=-2),
        "short.bin": payload([None, None, None], [bmp["rgb16-565.bmp"]], count=3),
    }
    folder = os.path.join(here, "seeds", "skin_pictures")
    os.makedirs(folder, exist_ok=True)
    for name, data in out.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
