#pragma once
// The catalogue's order: code page 1251 text compared as Windows' CompareStringA does
// with NORM_IGNORECASE in the user's locale. Every byte carries Windows' weights for it:
// letters, digits and most symbols a primary weight (symbols before digits before
// Latin before Cyrillic, case ignored), letters with a mark a diacritic weight that
// only breaks ties (ё after е), and hyphen, apostrophe, dashes and control characters a
// light weight that counts only between texts equal otherwise. The locale changes only
// where a few letters stand (й under Russian), never the order of scripts or symbols.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Windows' weights for one byte.
struct TByteWeights {
    std::uint8_t Primary;   // rank among all letters, digits and symbols; 0: none
    std::uint8_t Diacritic; // with Primary: the mark's weight, 2 for none
    std::uint8_t Light;     // without Primary: the light mark's weight; 0 with neither: ignored
};

class TCollator {
public:
    // localeName is a POSIX or Windows locale name ("ru_RU.UTF-8", "uk_UA", "ru-RU", "C"); its language
    // picks the Windows locale whose rules apply, English (United States) for any other.
    explicit TCollator(std::string_view localeName = {});

    // The collator of the user's locale (LC_ALL, LC_COLLATE, LANG; on Windows the user's
    // default locale).
    static const TCollator& UserDefault();
    // The user's locale without its code set and modifier ("ru_RU", "ru-RU"), empty for
    // none, C and POSIX.
    static std::string EnvironmentLocale();

    // The Windows locale whose rules apply ("ru-RU").
    std::string_view WindowsLocale() const { return FWindowsLocale; }

    // Negative, zero or positive, as a is less than, equal to or greater than b.
    int Compare(std::string_view a, std::string_view b) const;

    // The first eight primary weights of text, most significant first, zero after its
    // last: texts in Compare order have their prefixes in ascending order.
    std::uint64_t PrimaryPrefix(std::string_view text) const;

private:
    int CompareLightMarks(std::string_view a, std::string_view b) const;

    std::array<TByteWeights, 256> FWeights;
    std::string_view FWindowsLocale;
};

// Sorts cp1251 texts in ascending order of collator; equal texts end in no particular
// order.
void CollationSort(std::vector<std::string_view>& items, const TCollator& collator);
