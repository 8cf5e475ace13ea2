#!/usr/bin/env python3
"""Drives the real launcher (vitrina-kit shot) with seeded random input for a while.

Usage: soak.py KIT SECONDS SEED WORKDIR DEMO_DISC REPORTS_DIR

Two lanes at once, each for SECONDS: one on the demo disc, one on a hostile disc made
in WORKDIR. A lane whose run ends early starts another. Prints the seed, the number of
inputs and each run's resident memory after its first minute (or half its time, for a
shorter run) and at its end; exits 1 on any sanitizer report, a failed run or memory
growing over 10 % between the two within any one run: a leak that a restart resets
still fails.
"""

import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

SCREEN = (1024, 768)
KEYS = ["Enter", "Up", "Down", "Left", "Right", "PageUp", "PageDown", "Home", "End", "Tab", "Escape",
        "a", "z", "Q", "1", "ж", "Я", "ё", "-"]
MODIFIERS = ["", "", "", " shift", " ctrl", " alt", " shift ctrl"]
SETTLE_SECONDS = 60  # start-up and the first caches filled
MIN_MEASURED_SECONDS = 20
GROWTH_LIMIT = 1.10


def cp1251(text):
    return text.encode("cp1251")


def jpeg(path, width, height, rng, quality=75):
    """A JPEG of noise and bands, through cjpeg (libjpeg-turbo-progs)."""
    header = b"P6\n%d %d\n255\n" % (width, height)
    row = bytes(rng.randrange(256) for _ in range(width * 3))
    body = b"".join(row[(y * 7) % (width * 3):] + row[:(y * 7) % (width * 3)] for y in range(height))
    with tempfile.NamedTemporaryFile(suffix=".ppm") as ppm:
        ppm.write(header + body)
        ppm.flush()
        with open(path, "wb") as out:
            subprocess.run(["cjpeg", "-quality", str(quality), ppm.name], stdout=out, check=True)


def make_hostile_disc(root, rng, demo):
    """Damaged, empty, huge and case-twisted pictures, a long catalogue, odd names."""
    if os.path.exists(root):
        shutil.rmtree(root)
    os.makedirs(os.path.join(root, "db"))
    sample = None
    for dirpath, _, files in os.walk(demo):
        for name in files:
            if name == "photo.jpg":
                sample = os.path.join(dirpath, name)
                break
        if sample:
            break
    good = open(sample, "rb").read()
    categories = ["Игры", "игры", "ИГРЫ", "", " ", "a" * 200, "Кат;егория", "[x]", "..", "Ёлки\tпалки", "Z"]
    lines = []
    kinds = ["good", "truncated", "empty", "noise", "huge", "twisted", "folder", "none", "thumb-only",
             "swapped"]
    huge = os.path.join(root, "huge.jpg")
    jpeg(huge, 3000, 2200, rng, quality=40)
    for i in range(2500):
        category = rng.choice(categories)
        folder = "t%04d" % i
        title = rng.choice(["Программа %d" % i, "x" * rng.randrange(1, 400), "Title %d" % i, ""])
        description = " ".join(rng.choice(["слово", "word", "\u00a0", "длинноесловобезпробелов" * 5, "%s", "\\n"])
                               for _ in range(rng.randrange(0, 120)))
        line = "@".join([category, title, folder, "", "", description])
        lines.append(cp1251(line))
        kind = kinds[i % len(kinds)] if i < 200 else "none"
        place = os.path.join(root, "soft", category, folder)
        os.makedirs(place, exist_ok=True)
        photo, thumb = "photo.jpg", "Resize of photo.jpg"
        if kind == "twisted":
            photo, thumb = "PHOTO.JPG", "resize OF Photo.Jpg"
        content = {
            "good": good,
            "truncated": good[: max(1, len(good) // 3)],
            "empty": b"",
            "noise": bytes(rng.randrange(256) for _ in range(4096)),
            "twisted": good,
            "thumb-only": good,
            "swapped": good[:2] + bytes(reversed(good[2:200])) + good[200:],
        }
        if kind in content:
            with open(os.path.join(place, thumb), "wb") as f:
                f.write(content[kind])
            if kind != "thumb-only":
                with open(os.path.join(place, photo), "wb") as f:
                    f.write(content[kind])
        elif kind == "huge":
            shutil.copy(huge, os.path.join(place, photo))
            shutil.copy(huge, os.path.join(place, thumb))
        elif kind == "folder":
            os.makedirs(os.path.join(place, photo))
            os.makedirs(os.path.join(place, thumb))
    lines.append(b"\xff\xfe\x00odd bytes@\x01@\x02")
    lines.append(b"@" * 50)
    with open(os.path.join(root, "db", "base.txt"), "wb") as f:
        f.write(b"\r\n".join(lines) + b"\r\n")


def script(rng, count, shots):
    """count random inputs for both windows."""
    out = []
    for i in range(count):
        r = rng.random()
        viewer = " viewer" if rng.random() < 0.3 else ""
        w, h = (SCREEN if viewer else (800, 600))
        x, y = rng.randrange(-5, w + 5), rng.randrange(-5, h + 5)
        if r < 0.30:
            out.append("click %d %d%s" % (x, y, viewer))
        elif r < 0.42:
            out.append("dblclick %d %d%s" % (x, y, viewer))
        elif r < 0.47:
            out.append("move %d %d%s" % (x, y, viewer))
        elif r < 0.67:
            out.append("key %s%s" % (rng.choice(KEYS), rng.choice(MODIFIERS)))
        elif r < 0.77:
            out.append("wheel %d %d %d%s" % (x, y, rng.choice([-3, -1, 1, 2, 5]), viewer))
        elif r < 0.95:
            out.append("advance %d" % rng.choice([1, 10, 55, 100, 500, 2000]))
        else:
            # The thumbnail opens the viewer; a click in it closes it again.
            out.append("click %d %d" % (rng.randrange(520, 780), rng.randrange(90, 300)))
            out.append("advance 100")
            out.append("click %d %d viewer" % (rng.randrange(0, 900), rng.randrange(0, 700)))
        if shots and i % 500 == 499:
            out.append("shot %s" % os.path.join(shots, "last.png"))
    return "\n".join(out) + "\n"


def rss_kb(pid):
    try:
        with open("/proc/%d/status" % pid) as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


class Run:
    def __init__(self, name, kit, disc, text, inputs):
        self.name, self.inputs = name, inputs
        self.out = tempfile.TemporaryFile()
        self.err = tempfile.TemporaryFile()
        self.proc = subprocess.Popen([kit, "shot", "-C", disc, "-"], stdin=subprocess.PIPE, stdout=self.out,
                                     stderr=self.err)
        self.proc.stdin.write(text.encode("utf-8"))
        self.proc.stdin.close()
        self.started = time.monotonic()
        self.samples = []  # (seconds into the run, resident KB)
        self.ended = None

    def poll(self):
        if self.ended is not None:
            return
        if self.proc.poll() is not None:
            self.ended = time.monotonic() - self.started
            return
        kb = rss_kb(self.proc.pid)
        if kb is not None:
            self.samples.append((time.monotonic() - self.started, kb))

    def memory(self):
        """Resident KB once settled (a minute in, or half way for a shorter run) and at
        the end; None for a run too short to tell."""
        if not self.samples or self.samples[-1][0] < MIN_MEASURED_SECONDS:
            return None
        settle = min(SETTLE_SECONDS, self.samples[-1][0] / 2)
        first = next(kb for t, kb in self.samples if t >= settle)
        return first, self.samples[-1][1]

    def stderr_tail(self):
        self.err.seek(0)
        return self.err.read().decode("utf-8", "replace")[-3000:]


def rate_per_second(kit, disc, rng):
    """Inputs per second on this disc, start-up left out."""
    def timed(count):
        start = time.monotonic()
        text = script(rng, count, None)
        subprocess.run([kit, "shot", "-C", disc, "-"], input=text.encode(), stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        return time.monotonic() - start
    empty = timed(0)
    some = timed(300)
    return 300 / max(some - empty, 0.05)


def main():
    kit, seconds, seed, work, demo, reports = sys.argv[1:7]
    seconds, seed = int(seconds), int(seed)
    print("soak: seed %d, %d s per disc" % (seed, seconds), flush=True)
    rng = random.Random(seed)
    hostile = os.path.join(work, "hostile-disc")
    make_hostile_disc(hostile, rng, demo)
    shots = os.path.join(work, "shots")
    os.makedirs(shots, exist_ok=True)
    lanes = []
    for name, disc in (("demo", demo), ("hostile", hostile)):
        rate = rate_per_second(kit, disc, random.Random(seed + len(name)))
        lanes.append({"name": name, "disc": disc, "rate": rate, "runs": [], "start": time.monotonic(),
                      "inputs": 0})

    def start(lane):
        left = seconds - (time.monotonic() - lane["start"])
        count = max(100, int(lane["rate"] * left * 1.1))
        lane["runs"].append(Run(lane["name"], kit, lane["disc"], script(rng, count, shots), count))
        lane["inputs"] += count

    for lane in lanes:
        start(lane)
    # A run that ends early (the machine got faster) is followed by another for the time
    # left, its length from the rate the last one showed.
    while True:
        busy = False
        for lane in lanes:
            run = lane["runs"][-1]
            run.poll()
            if run.ended is None:
                busy = True
            elif run.proc.returncode == 0 and time.monotonic() - lane["start"] < seconds - 5:
                lane["rate"] = run.inputs / max(run.ended, 1.0)
                start(lane)
                busy = True
        if not busy:
            break
        time.sleep(1)
    failed = False
    total = 0
    for lane in lanes:
        total += lane["inputs"]
        elapsed = sum(r.ended for r in lane["runs"])
        print("soak: %-7s %6d inputs in %5.0f s (%d run%s)"
              % (lane["name"], lane["inputs"], elapsed, len(lane["runs"]), "" if len(lane["runs"]) == 1 else "s"),
              flush=True)
        for number, r in enumerate(lane["runs"], 1):
            memory = r.memory()
            if memory is None:
                said = "too short to measure"
            else:
                first, last = memory
                said = "resident once settled %d KB, at the end %d KB (%+.1f %%)" % (
                    first, last, 100.0 * (last - first) / first)
            print("soak:   run %d, %4.0f s: %s" % (number, r.ended, said), flush=True)
            if r.proc.returncode != 0:
                failed = True
                print("soak: %s run failed with %d:\n%s" % (r.name, r.proc.returncode, r.stderr_tail()))
            if memory and memory[1] > memory[0] * GROWTH_LIMIT:
                failed = True
                print("soak: %s run %d: resident memory grew by %.1f %% once settled"
                      % (lane["name"], number, 100.0 * (memory[1] - memory[0]) / memory[0]))
    print("soak: %d inputs in all" % total)
    reported = [f for f in os.listdir(reports) if os.path.getsize(os.path.join(reports, f)) > 0]
    if reported:
        failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
