#include "volume_label.h"

#include <QList>
#include <QString>

#include <optional>

namespace {

// The Cyrillic letters of code page 1251, lower case from U+0430; the hard and soft
// signs write nothing. Readable rather than reversible: a label is only a name.
constexpr const char* BasicCyrillic[32] = {
    "a", "b", "v", "g", "d", "e", "zh", "z", "i", "j", "k", "l", "m", "n", "o", "p",
    "r", "s", "t", "u", "f", "kh", "ts", "ch", "sh", "shch", "", "y", "", "e", "ju", "ja"};

const char* CyrillicInLatin(char32_t lower) {
    if (lower >= 0x430 && lower <= 0x44F) return BasicCyrillic[lower - 0x430];
    switch (lower) {
    case 0x451: return "jo";  // ё
    case 0x452: return "dj";  // ђ
    case 0x453: return "gj";  // ѓ
    case 0x454: return "je";  // є
    case 0x455: return "dz";  // ѕ
    case 0x456: return "i";   // і
    case 0x457: return "ji";  // ї
    case 0x458: return "j";   // ј
    case 0x459: return "lj";  // љ
    case 0x45A: return "nj";  // њ
    case 0x45B: return "c";   // ћ
    case 0x45C: return "kj";  // ќ
    case 0x45E: return "u";   // ў
    case 0x45F: return "dz";  // џ
    case 0x491: return "g";   // ґ
    default: return nullptr;
    }
}

// What a character writes: Cyrillic by the table, another letter as its Latin base
// letter without marks ("é" gives "e"), a digit as it is, a mark nothing; nullopt for
// whatever separates words (and letters of other scripts).
std::optional<std::string> Latin(char32_t c) {
    if (QChar::isMark(c)) return std::string();
    if (const char* cyrillic = CyrillicInLatin(QChar::toLower(c))) return std::string(cyrillic);
    std::string latin;
    for (QChar part : QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD))
        if (part.unicode() < 0x80 && part.isLetterOrNumber()) latin += char(part.unicode());
    if (latin.empty()) return std::nullopt;
    return latin;
}

} // namespace

std::string MakeVolumeLabel(const std::string& utf8) {
    std::string label;
    for (char32_t c : QString::fromUtf8(utf8.data(), qsizetype(utf8.size())).toUcs4()) {
        std::optional<std::string> latin = Latin(c);
        if (!latin) {
            if (!label.empty() && label.back() != '_') label += '_';
            continue;
        }
        for (char l : *latin) label += (l >= 'a' && l <= 'z') ? char(l - 'a' + 'A') : l;
    }
    while (!label.empty() && label.back() == '_') label.pop_back();
    if (label.size() > 32) label.resize(32);
    while (!label.empty() && label.back() == '_') label.pop_back();
    return label.empty() ? "VITRINA" : label;
}
