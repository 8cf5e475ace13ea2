#!/usr/bin/env python3
"""Records Windows' catalogue order under Wine and derives the byte weights from it.

Usage: make_oracle.py COMPARE_STRING_EXE REPO_ROOT

Runs compare_string.exe (see compare_string.c) under Wine over the lines of
collation_cases.py for every Windows locale the program uses, then:
  - writes each locale's order to tests/data/collation/LOCALE.order;
  - reads the sort key Windows gives each single byte and writes the weight tables to
    src/platform/collation_weights.inc;
  - checks that keys built from those weights equal Windows' keys for every line, and
    that ordering by them gives exactly CompareString's order: if not, it stops.
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from collation_cases import all_cases  # noqa: E402

# Language of the user's locale -> the Windows locale whose rules apply. Every other
# language, and none, gets English (United States), whose rules are Windows' defaults.
LOCALES = [
    ("", "en-US", 0x0409),
    ("ru", "ru-RU", 0x0419),
    ("uk", "uk-UA", 0x0422),
    ("be", "be-BY", 0x0423),
    ("bg", "bg-BG", 0x0402),
    ("sr", "sr-Cyrl-RS", 0x281A),
    ("mk", "mk-MK", 0x042F),
]
# The locales whose whole order is kept for the test suite; the others differ from
# these only in the weights of single letters, which the keys check covers.
ORDER_FILES = ["en-US", "ru-RU", "uk-UA", "mk-MK"]

# Windows' sort key: primary weights, then after a 01 byte the diacritic weights, the
# case weights and an extra level, then the weights of the marks that only break ties
# (hyphen, apostrophe, dashes, control characters), each as its position counted
# backwards from FFFF in 16 bits, its weight and 12; a 00 byte ends it.
LEVEL_END, KEY_END, LIGHT_TAG, NO_MARK = 0x01, 0x00, 0x12, 0x02
# Room for the letters a language places otherwise (TLanguageWeights::Letters).
MAX_LETTERS = 8


class Wine:
    def __init__(self, exe):
        self.exe = exe
        self.env = dict(os.environ, WINEDEBUG="-all")

    def run(self, args, lines=(), locale="C"):
        data = "".join(line.hex() + "\n" for line in lines).encode()
        proc = subprocess.run(["wine", self.exe] + args, input=data, capture_output=True,
                              env=dict(self.env, LC_ALL=locale))
        if proc.returncode != 0:
            sys.exit("compare_string %s failed:\n%s" % (" ".join(args), proc.stderr.decode()))
        return proc.stdout.decode().splitlines()


def parse_key(hex_key):
    """(primary pairs, diacritic bytes, light marks as (position, weight)) of a key."""
    key = bytes.fromhex(hex_key)
    at, pairs = 0, []
    while key[at] != LEVEL_END:
        pairs.append((key[at], key[at + 1]))
        at += 2
    levels = []
    for _ in range(3):
        end = key.index(LEVEL_END, at + 1)
        levels.append(key[at + 1:end])
        at = end
    diacritic, case, extra = levels
    assert not case and not extra, "case weights left under NORM_IGNORECASE: " + hex_key
    marks, rest = [], key[at + 1:-1]
    assert key[-1] == KEY_END and len(rest) % 4 == 0, hex_key
    for i in range(0, len(rest), 4):
        assert rest[i + 3] == LIGHT_TAG, hex_key
        marks.append(((rest[i] << 8) | rest[i + 1], rest[i + 2]))
    return pairs, diacritic, marks


def byte_weights(wine, lcid):
    """Each byte's (primary pair or None, diacritic, light weight or 0)."""
    keys = wine.run(["keys", "%04x" % lcid], [bytes([b]) for b in range(256)])
    weights = []
    for b, hex_key in enumerate(keys):
        pairs, diacritic, marks = parse_key(hex_key)
        assert len(pairs) <= 1 and len(diacritic) <= len(pairs) and len(marks) <= 1, \
            "byte %02x needs more than one weight: %s" % (b, hex_key)
        assert not (pairs and marks), hex_key
        if marks:
            assert marks[0][0] == 0xFFFF, hex_key
        weights.append((pairs[0] if pairs else None, diacritic[0] if diacritic else NO_MARK,
                        marks[0][1] if marks else 0))
    return weights


def model_key(line, weights):
    """The key Windows should give line, built from the byte weights."""
    primary, diacritic, marks = bytearray(), bytearray(), bytearray()
    for b in line:
        pair, mark, light = weights[b]
        if pair:
            primary += bytes(pair)
            diacritic.append(mark)
        elif light:
            position = (0xFFFF - len(primary) // 2) & 0xFFFF
            marks += bytes([position >> 8, position & 0xFF, light, LIGHT_TAG])
    while diacritic and diacritic[-1] == NO_MARK:
        diacritic.pop()
    return bytes(primary + b"\x01" + diacritic + b"\x01\x01\x01" + marks + b"\x00")


def groups(order):
    """Line number -> rank of its group of equal lines, from sort's output."""
    rank, result = -1, {}
    for entry in order:
        relation, index = entry.split()
        rank += relation == "<"
        result[int(index)] = rank
    return result


def escape(line):
    """The line as readable UTF-8: bytes without a plain printable character as \\xNN,
    runs of one character as the character and \\{COUNT}."""
    out, i = [], 0
    while i < len(line):
        b = line[i]
        run = 1
        while i + run < len(line) and line[i + run] == b:
            run += 1
        if b == 0x5C:
            text = "\\\\"
        elif 0x20 < b < 0x7F or (b >= 0x80 and b not in (0x98, 0xA0, 0xAD)):
            text = bytes([b]).decode("cp1251")
        elif b == 0x20 and 0 < i and i + run < len(line):
            text = " "
        else:
            text = "\\x%02X" % b
        if run > 8:
            out.append(text + "\\{%d}" % run)
            i += run
        else:
            out.append(text)
            i += 1
    return "".join(out)


def write_order(path, name, lines, order):
    with open(path, "w", encoding="utf-8") as f:
        f.write("# The test lines in the order CompareStringW(%s, NORM_IGNORECASE) gives them\n"
                "# under Wine, text decoded from code page 1251; made by\n"
                "# scripts/make-collation-oracle, do not edit. \"<\" starts a line Windows puts\n"
                "# after the one before, \"=\" one it calls equal to it. Text is UTF-8; \\xNN is a\n"
                "# byte, \\\\ a backslash, X\\{N} the character X N times.\n" % name)
        for entry in order:
            relation, index = entry.split()
            f.write("%s %s\n" % (relation, escape(lines[int(index)])))


def char_comment(b):
    if b < 0x20 or b in (0x5C, 0x7F, 0x98, 0xA0, 0xAD):
        return {0x00: "NUL", 0x09: "tab", 0x5C: "backslash", 0x98: "unassigned",
                0xA0: "no-break space", 0xAD: "soft hyphen", 0x7F: "DEL"}.get(b, "control")
    return bytes([b]).decode("cp1251")


def write_table(path, tables):
    pairs = sorted({w[0] for t in tables.values() for w in t if w[0]})
    assert len(pairs) < 256, "primary weights do not fit a byte"
    rank = {pair: i + 1 for i, pair in enumerate(pairs)}

    def entry(w):
        return "{%d, %d, %d}" % (rank[w[0]] if w[0] else 0, w[1], w[2])

    neutral = tables["en-US"]
    out = ["// Generated by scripts/make-collation-oracle from the sort keys Windows gives each",
           "// byte of code page 1251 (LCMapStringW with NORM_IGNORECASE, under Wine). Do not",
           "// edit. Each byte: {primary rank (0: none), diacritic weight, light weight (0: none)}.",
           "// A byte with neither a primary nor a light weight is ignored.",
           "",
           "inline constexpr TByteWeights kNeutralWeights[256] = {"]
    for b in range(256):
        out.append("    %-13s // %02X %s" % (entry(neutral[b]) + ",", b, char_comment(b)))
    out += ["};", "",
            "// The letters each language places otherwise, and the Windows locale it stands for.",
            "inline constexpr TLanguageWeights kLanguageWeights[] = {"]
    for language, name, lcid in LOCALES:
        if not language:
            continue
        changes = ["{0x%02X, %s}" % (b, entry(w)) for b, w in enumerate(tables[name])
                   if w != neutral[b]]
        assert len(changes) <= MAX_LETTERS, name
        out.append('    {"%s", "%s", 0x%04X, %d, {{%s}}},'
                   % (language, name, lcid, len(changes), ", ".join(changes)))
    out += ["};", ""]
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(out))


def main():
    exe, root = sys.argv[1], sys.argv[2]
    wine = Wine(exe)
    who = wine.run(["whoami"], locale="ru_RU.UTF-8")
    if who != ["0419 1251"]:
        sys.exit("Wine gives LC_ALL=ru_RU.UTF-8 the locale and code page %s, not 0419 1251" % who)

    lines = all_cases()
    print("%d lines" % len(lines))
    data = os.path.join(root, "tests", "data", "collation")
    os.makedirs(data, exist_ok=True)
    tables, orders, failures = {}, {}, 0
    for language, name, lcid in LOCALES:
        order = wine.run(["sort", "%04x" % lcid], lines)
        if name == "ru-RU" and wine.run(["sort", "user"], lines, locale="ru_RU.UTF-8") != order:
            sys.exit("CompareStringA(LOCALE_USER_DEFAULT) differs from CompareStringW(ru-RU)")
        weights = byte_weights(wine, lcid)
        tables[name] = weights

        windows_keys = wine.run(["keys", "%04x" % lcid], lines)
        wrong_keys = [i for i, line in enumerate(lines)
                      if model_key(line, weights).hex() != windows_keys[i]]
        expected = groups(order)
        by_model = sorted(range(len(lines)), key=lambda i: model_key(lines[i], weights))
        wrong_order = sum(1 for a, b in zip(by_model, by_model[1:])
                          if expected[a] > expected[b] or
                          (expected[a] == expected[b]) != (model_key(lines[a], weights) ==
                                                           model_key(lines[b], weights)))
        print("%-10s %04x: %d groups; keys from byte weights: %d differ from Windows'; "
              "order by them: %d neighbours out of Windows' order"
              % (name, lcid, max(expected.values()) + 1, len(wrong_keys), wrong_order))
        for i in wrong_keys[:5]:
            print("  key of %r: %s, Windows %s" % (escape(lines[i]), model_key(lines[i], weights).hex(),
                                                   windows_keys[i]))
        failures += len(wrong_keys) + wrong_order
        orders[name] = order
    if failures:
        sys.exit("the byte weights do not reproduce Windows' order; nothing written")
    for name in ORDER_FILES:
        write_order(os.path.join(data, name + ".order"), name, lines, orders[name])
    write_table(os.path.join(root, "src", "platform", "collation_weights.inc"), tables)


if __name__ == "__main__":
    main()
