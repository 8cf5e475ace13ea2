#!/usr/bin/env python3
"""Times Vitrina's catalogue start-up against GNU sort -f on the same lines.

Usage: bench_catalogue.py KIT SORT_BENCH WORKDIR [CASE...]
Generates catalogues (code page 1251), runs `KIT catalogue --summary` on each and
`sort -f` on the same lines in UTF-8 under ru_RU.UTF-8, best of three runs each, and
prints wall time and peak memory of both with the limits they are held to:
  time at most that of sort -f (half of it for realistic catalogues of 100,000 lines
  and more);
  peak memory at most 1.5 x the file + 32 bytes a line + 48 a category + 64 MB.
Cases of lines with long shared beginnings also time the catalogue's sort against a
plain std::sort with the same comparison (SORT_BENCH, in one process).
CASE names a case, or a size of the realistic ones (10000, 100000, 1000000); default:
all of them.
"""
import os
import random
import subprocess
import sys
import time

CYR = "абвгдеёжзийклмнопрстуфхцчшщъыьэюя"
LAT = "abcdefghijklmnopqrstuvwxyz"
WORDS_RU = ["программа", "игра", "утилита", "редактор", "система", "для", "работы", "с", "файлами",
            "графики", "звука", "видео", "диска", "сети", "интернет", "быстрый", "удобный",
            "новый", "полная", "версия", "русская", "бесплатная", "мощный", "простой", "архиватор",
            "антивирус", "драйвер", "обучение", "справочник", "словарь", "эмулятор", "плеер"]
WORDS_EN = ["Pro", "Studio", "Manager", "Commander", "Player", "Edition", "Office", "Tools",
            "Deluxe", "Gold", "Lite", "Plus", "Ultimate", "Classic", "Net", "Soft", "Media"]
MB = 1 << 20


def word(rng, alphabet, lo, hi):
    return "".join(rng.choice(alphabet) for _ in range(rng.randint(lo, hi)))


def phrase(rng, lo, hi):
    out = []
    for _ in range(rng.randint(lo, hi)):
        r = rng.random()
        if r < 0.55:
            out.append(rng.choice(WORDS_RU))
        elif r < 0.75:
            out.append(word(rng, CYR, 3, 10))
        elif r < 0.9:
            out.append(rng.choice(WORDS_EN))
        else:
            out.append(word(rng, LAT, 2, 8))
    s = " ".join(out)
    return s[:1].upper() + s[1:]


def realistic(lines, categories, long_names):
    """Catalogue lines: category, title with a version, folder, size, description; CR LF."""
    def make(rng):
        names = [phrase(rng, 1, 3) + (" %d" % i if categories > 50 else "")
                 for i in range(categories)]
        if long_names:
            # Names that share their first sixty letters keep many lines tied for long.
            names = ["Программы для работы с графикой, фотографиями и дизайном: " + n for n in names]
        for _ in range(lines):
            cat = rng.choice(names)
            title = phrase(rng, 1, 4) + " " + "%d.%d" % (rng.randint(1, 12), rng.randint(0, 99))
            folder = word(rng, LAT, 4, 14)
            about = phrase(rng, 12, 45) + "."
            yield "@".join([cat, title, folder, str(rng.randint(1, 700)) + " Mb", "", about])
    return make


def bare_line_feeds(size):
    def make(rng):
        for _ in range(size):
            yield ""
    return make


def unique_words(count, letters):
    def make(rng):
        seen = set()
        while len(seen) < count:
            w = "".join(rng.choice(LAT) for _ in range(letters))
            if w not in seen:
                seen.add(w)
                yield w
    return make


def shared_beginnings(count):
    """a, aa, aaa, ... each followed by b: every pair shares the shorter one's a's."""
    def make(rng):
        order = list(range(1, count + 1))
        rng.shuffle(order)
        for i in order:
            yield "a" * i + "b"
    return make


def case_variants(count, length):
    """One long random text in many letter-case variants: equal but for case."""
    def make(rng):
        base = "".join(rng.choice(LAT) for _ in range(length))
        for _ in range(count):
            yield "".join(c.upper() if rng.random() < 0.5 else c for c in base)
    return make


def long_lines(count, length):
    def make(rng):
        for i in range(count):
            yield chr(ord("a") + i) * length
    return make


# name, lines, line break, time limit as a share of sort -f, compare with a plain std::sort.
# At 10,000 lines the kit's process start is most of its time, so those are held only to
# sort -f itself.
CASES = [
    ("10000", realistic(10000, 20, False), "\r\n", 1.0, False),
    ("10000-many", realistic(10000, 1000, False), "\r\n", 1.0, False),
    ("100000", realistic(100000, 20, False), "\r\n", 0.5, False),
    ("100000-many", realistic(100000, 10000, False), "\r\n", 0.5, False),
    ("1000000", realistic(1000000, 20, False), "\r\n", 0.5, False),
    ("1000000-many", realistic(1000000, 100000, False), "\r\n", 0.5, False),
    ("1000000-long", realistic(1000000, 20, True), "\r\n", 0.5, False),
    ("line-feeds", bare_line_feeds(20 * MB), "\n", 1.0, False),
    ("seven-letters", unique_words(2600000, 7), "\n", 1.0, False),
    ("shared-beginnings", shared_beginnings(16000), "\n", 1.0, True),
    ("case-only", case_variants(1000, 100000), "\n", 1.0, True),
    ("two-long-lines", long_lines(2, 200 * MB), "\n", 1.0, True),
]


def generate(make, seed, line_break, path_cp1251, path_utf8):
    rng = random.Random(seed)
    with open(path_cp1251, "wb") as out1251, open(path_utf8, "wb") as out8:
        for line in make(rng):
            out1251.write(line.encode("cp1251") + line_break.encode())
            out8.write(line.encode("utf-8") + b"\n")


def run(cmd, env, work):
    """Best wall time of three runs, with the peak memory (MB) of that run."""
    stats = os.path.join(work, "time.txt")
    best = None
    for _ in range(3):
        start = time.perf_counter()
        # GNU time reports the command's own peak; measured from here it would include
        # this interpreter's memory, inherited before exec.
        proc = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", stats] + cmd, env=env,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        elapsed = time.perf_counter() - start
        if proc.returncode != 0:
            sys.exit("failed: %s\n%s" % (" ".join(cmd), proc.stderr.decode()))
        with open(stats) as f:
            peak_mb = int(f.read().split()[-1]) / 1024.0
        result = (elapsed, peak_mb, proc.stdout.decode().strip())
        if best is None or result[0] < best[0]:
            best = result
    return best


def main():
    kit, sort_bench, work = sys.argv[1], sys.argv[2], sys.argv[3]
    wanted = sys.argv[4:]
    env = dict(os.environ, LC_ALL="ru_RU.UTF-8")
    print("%-17s %9s %8s | %8s %8s %8s | %8s %8s | %9s %9s | %s" % (
        "case", "lines", "file MB", "kit s", "kit MB", "limit MB", "sort s", "sort MB",
        "kit/sort", "limit", "summary"))
    for name, make, line_break, share, plain in CASES:
        if wanted and name not in wanted and name.split("-")[0] not in wanted:
            continue
        disc = os.path.join(work, name)
        os.makedirs(os.path.join(disc, "db"), exist_ok=True)
        base = os.path.join(disc, "db", "base.txt")
        utf8 = os.path.join(disc, "lines.utf8")
        if not os.path.exists(utf8):
            generate(make, len(name) * 7919 + 1251, line_break, base, utf8)
        file_mb = os.path.getsize(base) / MB
        kit_s, kit_mb, summary = run([kit, "catalogue", "--summary", disc], env, work)
        sort_s, sort_mb, _ = run(["sort", "-f", utf8, "-o", "/dev/null"], env, work)
        counts = dict(item.split(": ") for item in summary.strip("{}").replace('"', "").split(", "))
        lines, categories = int(counts["lines"]), int(counts["categories"])
        limit_mb = 1.5 * file_mb + (32 * lines + 48 * categories) / MB + 64
        verdict = "ok" if kit_mb <= limit_mb and kit_s <= share * sort_s else "OVER"
        print("%-17s %9d %8.1f | %8.3f %8.1f %8.1f | %8.3f %8.1f | %9.2f %9.2f | %s %s" % (
            name, lines, file_mb, kit_s, kit_mb, limit_mb, sort_s, sort_mb, kit_s / sort_s,
            share, summary, verdict), flush=True)
        if plain:
            proc = subprocess.run([sort_bench, base, "ru_RU"], stdout=subprocess.PIPE,
                                  stderr=subprocess.PIPE)
            print("%17s %s" % ("", proc.stdout.decode().strip() or proc.stderr.decode().strip()),
                  flush=True)


if __name__ == "__main__":
    main()
