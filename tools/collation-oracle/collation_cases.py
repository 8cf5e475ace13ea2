"""The lines whose order the collation oracle records: code page 1251 byte strings.

Chosen to be hard: scripts side by side, every byte in several positions, symbols
among themselves and against "@", the marks Windows weighs lightly, letters whose
place depends on the language, long lines, and lines that look like a real catalogue.
"""
import random

# Every byte a catalogue line can hold: line feed and carriage return end or vanish
# from a line, and Ctrl-Z cuts it.
LINE_BYTES = [b for b in range(256) if b not in (0x0A, 0x0D, 0x1A)]


def cp(text):
    return text.encode("cp1251")


def recase(text, change):
    """text with change applied to each letter whose result the code page has."""
    def one(c):
        try:
            return change(c).encode("cp1251").decode("cp1251")
        except UnicodeEncodeError:
            return c
    return "".join(one(c) for c in text)


def hand_picked():
    words = [
        # Latin and Cyrillic side by side, in both cases.
        "apple", "Apple", "APPLE", "арбуз", "Арбуз", "zebra", "яблоко", "Яблоко", "mango",
        "манго", "x", "я", "a", "а", "A", "А", "ы", "z", "q1", "Игры@Apple", "Игры@Арбуз",
        "Games@Игры", "Игры@1", "Игры@!", "Ы", "ЯЯ", "zz", "Zz",
        # Symbols, digits and letters.
        "!", "1", "10", "2", "a1", "1a", "~", "~a", "a~", "+", "+1", "<", "=", ">", "±", "«", "»",
        "§", "©", "¬", "®", "°", "µ", "¶", "·", "…", "†", "‡", "•", "‰", "¦", "‘", "’", "‚", "“",
        "”", "„", "‹", "›", "¤", "€", "$", "%", "&", "(", ")", "*", ",", ".", "/", ":", ";", "?",
        "@", "[", "\\", "]", "^", "_", "{", "|", "}", "`", '"', "#",
        # "@" against its neighbours, as the field separator decides categories.
        "Игры@Тетрис", "Игры_2@Тетрис", "Игры 2@Тетрис", "Игры-2@Тетрис", "Игры.2@Тетрис",
        "Игры[1]@Тетрис", "Игры?@Тетрис", "Игры\\@Тетрис", "Игры@@", "Игры@", "Игры",
        "Игры 2", "Игры2@", "Игры:@", "Игры~@", "Игры^@", "Игры`@", "Игры'@", "Игры!@",
        # Dashes and hyphens.
        "re-sort", "re–sort", "re—sort", "resort", "resorts", "re-sorts", "re sort", "re--sort",
        "re–—sort", "re-—sort", "–", "—", "-", "--", "–a", "a–", "a—", "—a",
        "coop", "coop-", "co-op", "co--op", "-coop", "co'op", "co'-op", "c-oop", "coo-p",
        "Coop", "CO-OP", "co-op'", "co–op", "co—op", "'coop", "coop'", "co-op-", "co-opa",
        "coopa", "co-o-p", "don't", "dont", "donz", "don t", "don_t",
        # Letters with a place of their own, or a mark.
        "№", "№ 1", "№1", "N 1", "No 1", "N", "Nz", "Nzzz", "O", "Oa", "n", "nz", "№a",
        "™", "T", "Tzzz", "TM", "Tm", "T™", "U", "Ua", "µs", "mu", "m", "M", "ms",
        "ґ", "Ґ", "г", "Г", "ґа", "га", "гя", "д", "ѓ", "ѓа", "е", "ё", "Ё", "ёж", "ежа", "Ёлка",
        "жук", "ї", "Ї", "і", "І", "й", "Й", "и", "И", "иа", "йа", "ия", "ја", "ј", "к", "ќ",
        "ь", "Ь", "ы", "ъ", "э", "ю", "ў", "у", "ф", "є", "ѕ", "љ", "њ", "ћ", "ђ", "џ", "з",
        "ий", "йи", "ии", "йй", "иї", "її", "йо", "ио", "іа", "ia", "ьа", "ыа", "ъа", "ща",
        "еж", "ёж", "ежи", "ёжик", "Ёжик", "ЁЖИК", "ёлка", "елка", "ель", "ёрш",
        # Spaces and tabs.
        "a b", "a\u00a0b", "a\tb", "a@b", "ab", "a  b", "a \tb", "a\t@", " a", "\u00a0a", "\ta",
        "a ", "a\u00a0", "a\t", " ", "  ", "\t", "\u00a0", "a b c", "a\u00a0b\u00a0c",
        # Case only.
        "ИГРЫ@Тетрис", "игры@тетрис", "Microsoft Office", "MICROSOFT office", "б", "Б", "в",
        "", "  ", "@", "@@", "@a", "a@",
    ]
    lines = [cp(w) for w in words]
    lines += [b"Ga\x98me", b"Game", b"\x98", b"\x98\x98", b"a\x98", b"\x98a", b"0\x98",
              b"\x98 1", b"\x981", b"9", b"0", b"Gam\x98e", b"Ga\x98mes", b"\x98@", b"@\x98"]
    # Control characters and the soft hyphen, which weigh nothing or next to nothing.
    for c in (0x00, 0x01, 0x08, 0x09, 0x0B, 0x1F, 0x7F, 0xAD):
        byte = bytes([c])
        lines += [b"a" + byte + b"b", b"ab" + byte, byte + b"ab", b"a-" + byte + b"b",
                  b"a" + byte + b"-b", byte, byte + byte]
    return lines


def every_byte():
    """Each byte alone, leading, inside, trailing, doubled, among Cyrillic letters, next to
    digits and inside a catalogue line."""
    lines = []
    for c in LINE_BYTES:
        x = bytes([c])
        lines += [x, x + b"a", b"a" + x, b"a" + x + b"b", x + x, cp("и") + x + cp("к"),
                  x + b"1", b"1" + x, cp("Игры@") + x + cp("Тетрис@tetris"),
                  b"co" + x + b"op", x + b"-" + x]
    return lines


CATEGORIES = ["Игры", "игры", "ИГРЫ", "Игры - Аркады", "Игры-Аркады", "Игры: аркады", "Игры_2",
              "Игры 2", " Игры", "Игры ", "Графика", "Утилиты", "Программы для работы с графикой",
              "Программы для работы с графикой и фото", "Internet", "Интернет", "Мультимедиа",
              "Multimedia", "Офис", "Office", "Драйверы", "Антивирусы", "Безопасность",
              "Обучение", "Ёлочные игрушки", "Елочные игрушки", "Разное", "1С", "3D", "Ґаджети",
              "Її пісні", "Йога", "Иностранные языки", "Њива", "Ѓорѓи"]
TITLES = ["WinRAR 3.70", "WinRAR 3.71 RUS", "Adobe Photoshop CS2", "Adobe Photoshop CS3",
          "Тетрис 1.0", "Тетрис 1.1", "Тетрис", "1С: Бухгалтерия 7.7", "1С:Предприятие 8.1",
          "Total Commander 7.0", "Total-Commander", "Microsoft Office 2003", "MS Office XP",
          "Косынка", "Сапёр", "Сапер", "Heroes of Might and Magic III", "Герои меча и магии III",
          "Nero Burning ROM 7", "K-Lite Codec Pack", "KLite Codec Pack", "Winamp 5.5",
          "ABBYY FineReader 8.0", "ABBYY Lingvo 12", "Антивирус Касперского 7.0",
          "Dr.Web 4.44", "DrWeb 4.44", "«Кот в сапогах»", "\"Кот в сапогах\"", "Кот в сапогах",
          "Word™ 2003", "Word 2003", "Справочник № 5", "Справочник N 5", "Справочник №5",
          "µTorrent 1.7", "uTorrent 1.7", "Мир — игра", "Мир – игра", "Мир - игра", "Мир-игра",
          "Йошкар-Ола", "Иван Грозный", "Ґедзь", "Гедзь", "Їжак", "Ижак", "Ыж", "Ёж", "Еж",
          "Книга о вкусной и здоровой пище", "O'Reilly", "OReilly", "O Reilly", "Q&A", "Q & A",
          "C++ Builder", "C# 2.0", "Delphi 7", "Far Manager 1.70", "FAR Manager 1.70",
          "ICQ 5.1", "QIP 2005", "Opera 9.2", "Opera 9.10", "Opera 9.02", "Firefox 2.0.0.6",
          "Skype 3.5", "Miranda IM 0.7", "The Bat! 3.99", "The Bat 3.99", "Daemon Tools 4.10",
          "Alcohol 120%", "Alcohol 52%", "Paint.NET 3.10", "GIMP 2.4", "Picasa 2.7",
          "Тест\u00a0скорости", "Тест скорости", "Тест\tскорости", "Пасьянс «Паук»",
          "Пасьянс \"Паук\"", "Пасьянс ‚Паук‘", "AIMP2", "AIMP 2", "VLC", "vlc", "Vlc",
          "7-Zip 4.57", "7Zip 4.57", "7 Zip", "Zip", "zip", "ZIP", "_Zip", "(Zip)", "[Zip]"]
ABOUTS = ["Архиватор.", "Лучшая игра года!", "Описание: см. файл readme.txt",
          "Версия 2.0 — исправлены ошибки…", "Freeware; 1,5 Mb", "Shareware, 30 дней",
          "Полная версия + русификатор", "Цена: 300 €", "Размер — 700 Мб", "©2007 ООО «Фирма»",
          "Работает в Windows 98/ME/2000/XP", "50% скидка", "", "Нет описания", "См. также № 12",
          "Автор: Иван Петров", "E-mail: ivan@mail.ru", "http://www.example.ru/~ivan/",
          "Температура: 36,6° ± 0,1°", "Глава 3 § 2 ¶ 1", "Цитата: „так“", "† 1999",
          "‰ — промилле", "Товар™ и знак®", "A · B • C"]


def catalogue_lines(rng, count):
    lines = []
    for _ in range(count):
        fields = [rng.choice(CATEGORIES), rng.choice(TITLES), rng.choice(["tetris", "winrar", "rar",
                  "photoshop", "Тетрис", "1c", "klite", "k-lite", "_setup", "setup"]),
                  rng.choice(["", "1", "700 Mb", "x"]), rng.choice(["", "y", "2007"]),
                  rng.choice(ABOUTS)]
        keep = rng.choice([2, 3, 6, 6, 6, 6, 7])
        text = "@".join(fields[:keep])
        if keep == 7:
            text += "@" + rng.choice(["лишнее", "extra@more", ""])
        if rng.random() < 0.2:
            text = recase(text, str.swapcase if rng.random() < 0.5 else str.upper)
        lines.append(cp(text))
    return lines


# Characters that interact: case pairs, marks, symbols that weigh little or nothing.
HARD_ALPHABET = (list(cp("aAbB-' @_.1 ёЁеЕйЙиИїЇіІґҐгГ–—№™µ")) +
                 [0x98, 0xA0, 0xAD, 0x09, 0x01, 0x00, 0x7F])


def random_lines(rng, count):
    lines = []
    for _ in range(count):
        length = rng.randint(1, 7)
        lines.append(bytes(rng.choice(HARD_ALPHABET) for _ in range(length)))
    return lines


def long_lines():
    """Lines where a mark stands far from the start: Windows counts its place in 16 bits."""
    lines = []
    for n in (40, 255, 256, 300, 1000):
        lines += [b"a" * n + b"-b", b"a" * n + b"b-", b"a" * n + b"b", b"a" * n + b"-b" + b"-",
                  b"-" + b"a" * n + b"b"]
    for n in (65534, 65535, 65536, 65537):
        lines += [b"a" * n + b"-b", b"a" * n + b"\x01b"]
    lines += [b"a" * 65536 + b"b", b"-ab", b"a-b", b"\x01ab"]
    return lines


def all_cases():
    rng = random.Random(1251)
    lines = (hand_picked() + every_byte() + catalogue_lines(rng, 900) + random_lines(rng, 1200) +
             long_lines())
    # Distinct lines only, in a fixed shuffled order so the sort has work to do.
    unique = list(dict.fromkeys(lines))
    rng.shuffle(unique)
    return unique
