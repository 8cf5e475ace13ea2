#include "platform/cp1251.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

constexpr char16_t kHighHalf[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, // F8
};

// (code point, byte) pairs of the upper half, sorted by code point for the way back.
struct TReverse {
    std::array<std::pair<char16_t, unsigned char>, 127> Pairs{};
    constexpr TReverse() {
        std::size_t n = 0;
        for (int i = 0; i < 128; ++i)
            if (kHighHalf[i] != 0xFFFD)
                Pairs[n++] = {kHighHalf[i], static_cast<unsigned char>(0x80 + i)};
        std::sort(Pairs.begin(), Pairs.end());
    }
};
constexpr TReverse kReverse;

// Upper/lower pairs among the code page's letters outside A-Z and А-я.
constexpr std::pair<unsigned char, unsigned char> kCasePairs[] = {
    {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
    {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
    {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
};

struct TCaseTables {
    unsigned char Lower[256]{};
    unsigned char Upper[256]{};
    constexpr TCaseTables() {
        for (int i = 0; i < 256; ++i)
            Lower[i] = Upper[i] = static_cast<unsigned char>(i);
        for (int i = 'A'; i <= 'Z'; ++i) {
            Lower[i] = static_cast<unsigned char>(i + 32);
            Upper[i + 32] = static_cast<unsigned char>(i);
        }
        for (int i = 0xC0; i <= 0xDF; ++i) {
            Lower[i] = static_cast<unsigned char>(i + 32);
            Upper[i + 32] = static_cast<unsigned char>(i);
        }
        for (auto [up, low] : kCasePairs) {
            Lower[up] = low;
            Upper[low] = up;
        }
    }
};
constexpr TCaseTables kCase;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

char16_t Cp1251ToUnicode(unsigned char c) {
    return c < 0x80 ? c : kHighHalf[c - 0x80];
}

char UnicodeToCp1251(char32_t c) {
    if (c < 0x80) return static_cast<char>(c);
    if (c > 0xFFFF) return '?';
    auto it = std::lower_bound(kReverse.Pairs.begin(), kReverse.Pairs.end(),
                               std::pair<char16_t, unsigned char>{static_cast<char16_t>(c), 0});
    if (it != kReverse.Pairs.end() && it->first == c) return static_cast<char>(it->second);
    return '?';
}

std::u16string Cp1251ToUtf16(std::string_view text) {
    std::u16string out(text.size(), u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        out[i] = Cp1251ToUnicode(static_cast<unsigned char>(text[i]));
    return out;
}

std::string Cp1251ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text)
        AppendUtf8(out, Cp1251ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

TUtf8Char DecodeUtf8Char(std::string_view text, std::size_t at) {
    const std::size_t n = text.size();
    unsigned char b = static_cast<unsigned char>(text[at]);
    if (b < 0x80) return {b, 1, true};
    int extra = b >= 0xF0 && b <= 0xF4 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 && b < 0xE0 ? 1 : -1;
    if (extra < 0) return {0, 1, false};
    char32_t c = b & (0x3F >> extra);
    std::size_t j = at + 1;
    for (; j < n && j <= at + extra; ++j) {
        unsigned char t = static_cast<unsigned char>(text[j]);
        if ((t & 0xC0) != 0x80) break;
        c = (c << 6) | (t & 0x3F);
    }
    // A truncated sequence stands for one unknown character.
    if (j != at + extra + 1) return {0, j - at, false};
    constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    bool valid = c >= kLeast[extra] && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
    return {valid ? c : 0, j - at, valid};
}

char Utf8CharToCp1251(const TUtf8Char& c) {
    return c.Valid ? UnicodeToCp1251(c.Code) : '?';
}

std::string Utf8ToCp1251(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        TUtf8Char c = DecodeUtf8Char(text, i);
        out += Utf8CharToCp1251(c);
        i += c.Length;
    }
    return out;
}

std::size_t Utf8ToCp1251Into(std::string_view text, char* out) {
    // Every character takes at least one byte, so the writer never overtakes the reader.
    std::size_t w = 0;
    for (std::size_t i = 0; i < text.size();) {
        TUtf8Char c = DecodeUtf8Char(text, i);
        out[w++] = Utf8CharToCp1251(c);
        i += c.Length;
    }
    return w;
}

std::string Utf16ToCp1251(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF)
            ++i; // a supplementary character, outside the code page
        out += (c >= 0xD800 && c <= 0xDFFF) ? '?' : UnicodeToCp1251(c);
    }
    return out;
}

char Cp1251ToLower(char c) {
    return static_cast<char>(kCase.Lower[static_cast<unsigned char>(c)]);
}
char Cp1251ToUpper(char c) {
    return static_cast<char>(kCase.Upper[static_cast<unsigned char>(c)]);
}

std::string Cp1251LowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = Cp1251ToLower(c);
    return out;
}

std::string Cp1251UpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = Cp1251ToUpper(c);
    return out;
}

bool Cp1251SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Cp1251ToUpper(a[i]) != Cp1251ToUpper(b[i])) return false;
    return true;
}
