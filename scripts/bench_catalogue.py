#!/usr/bin/env python3
"""Times Vitrina's catalogue start-up against GNU sort -f on the same lines.

Usage: bench_catalogue.py KIT WORKDIR [SIZES...]
Generates catalogues (code page 1251, CR LF) with few and with very many categories,
and with few categories whose names share a long beginning,
runs `KIT catalogue --summary` on each and `sort -f` on the same lines in UTF-8 under
ru_RU.UTF-8, and prints wall time and peak memory of both, best of three runs.
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


def generate(path_cp1251, path_utf8, lines, categories, seed, long_names):
    rng = random.Random(seed)
    names = [phrase(rng, 1, 3) + (" %d" % i if categories > 50 else "") for i in range(categories)]
    if long_names:
        # Names that share their first sixty letters keep many lines tied for long.
        names = ["Программы для работы с графикой, фотографиями и дизайном: " + n for n in names]
    with open(path_cp1251, "wb") as out1251, open(path_utf8, "wb") as out8:
        for i in range(lines):
            cat = rng.choice(names)
            title = phrase(rng, 1, 4) + " " + "%d.%d" % (rng.randint(1, 12), rng.randint(0, 99))
            folder = word(rng, LAT, 4, 14)
            about = phrase(rng, 12, 45) + "."
            line = "@".join([cat, title, folder, str(rng.randint(1, 700)) + " Mb", "", about])
            out1251.write(line.encode("cp1251") + b"\r\n")
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
    kit, work = sys.argv[1], sys.argv[2]
    sizes = [int(s) for s in sys.argv[3:]] or [10000, 100000, 1000000]
    env = dict(os.environ, LC_ALL="ru_RU.UTF-8")
    print("%-9s %-10s %9s | %9s %9s %9s | %9s %9s | %s" % (
        "lines", "categories", "file MB", "kit s", "kit MB", "kit/file", "sort s", "sort MB",
        "kit/sort time"))
    for n in sizes:
        for label, m in (("few", 20), ("many", max(1, n // 10)), ("long", 20)):
            disc = os.path.join(work, "%d-%s" % (n, label))
            os.makedirs(os.path.join(disc, "db"), exist_ok=True)
            base = os.path.join(disc, "db", "base.txt")
            utf8 = os.path.join(disc, "lines.utf8")
            if not os.path.exists(utf8):
                generate(base, utf8, n, m, n * 31 + m, label == "long")
            size_mb = os.path.getsize(base) / 1e6
            kit_s, kit_mb, summary = run([kit, "catalogue", "--summary", disc], env, work)
            sort_s, sort_mb, _ = run(["sort", "-f", utf8, "-o", "/dev/null"], env, work)
            print("%-9d %-10s %9.1f | %9.3f %9.1f %9.2f | %9.3f %9.1f | %.2f   %s" % (
                n, "%d%s" % (m, " long" if label == "long" else ""), size_mb, kit_s, kit_mb, kit_mb / (size_mb / 1.048576), sort_s,
                sort_mb, kit_s / sort_s, summary), flush=True)


if __name__ == "__main__":
    main()
