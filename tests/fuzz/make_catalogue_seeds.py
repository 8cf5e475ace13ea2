#!/usr/bin/env python3
"""Writes the seed corpus of the catalogue fuzz target into seeds/catalogue: a byte
choosing the language (0 English, 1 Russian, 2 Ukrainian, 3 Macedonian), then a
catalogue file in code page 1251 — hard lines of the collation oracle, catalogue-like
lines, and the line reader's edge cases."""
import os
import random
import sys

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "..", "tools", "collation-oracle"))
from collation_cases import catalogue_lines, hand_picked, random_lines  # noqa: E402


def main():
    rng = random.Random(13)
    hard = hand_picked()
    seeds = {
        "empty.bin": b"\0",
        "breaks.bin": b"\1a@b\r\n\r\n\nc@d\re\x1af@g\nh\x1a\n\x1a\nignored\n",
        "no-final-break.bin": b"\2x@y@z@4@5@6@7\n\xc8\xe3\xf0\xfb@\xd2",
        "hard-lines.bin": b"\1" + b"\n".join(hard[:len(hard) // 2]) + b"\n",
        "hard-lines-en.bin": b"\0" + b"\r\n".join(hard[len(hard) // 2:]) + b"\r\n",
        "catalogue-ru.bin": b"\1" + b"\r\n".join(catalogue_lines(rng, 60)),
        "catalogue-uk.bin": b"\2" + b"\n".join(catalogue_lines(rng, 60)),
        "catalogue-mk.bin": b"\3" + b"\n".join(catalogue_lines(rng, 60)),
        "random.bin": b"\1" + b"\n".join(random_lines(rng, 300)),
        "shared-beginnings.bin": b"\1" + b"\n".join(b"a" * i + b"-b" for i in range(60)),
        "same-category.bin": b"\1" + b"\n".join(b"Games@" + bytes([65 + i % 7]) * (i % 5)
                                              for i in range(80)),
    }
    out = os.path.join(here, "seeds", "catalogue")
    os.makedirs(out, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
