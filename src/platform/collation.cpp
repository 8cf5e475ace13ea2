#include "platform/collation.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

struct TLetterWeights {
    std::uint8_t Byte;
    TByteWeights Weights;
};

struct TLanguageWeights {
    const char* Language; // as in POSIX locale names
    const char* WindowsLocale;
    std::uint16_t Lcid;
    std::size_t LetterCount;
    std::array<TLetterWeights, 8> Letters;
};

#include "platform/collation_weights.inc"

// The bytes both texts begin with, eight at a time.
static_assert(std::endian::native == std::endian::little, "the first differing byte is the lowest");
std::size_t CommonPrefix(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    std::size_t i = 0;
    while (i + 8 <= n) {
        std::uint64_t x, y;
        std::memcpy(&x, a.data() + i, 8);
        std::memcpy(&y, b.data() + i, 8);
        if (x != y) return i + static_cast<std::size_t>(std::countr_zero(x ^ y) / 8);
        i += 8;
    }
    while (i < n && a[i] == b[i])
        ++i;
    return i;
}

} // namespace

TCollator::TCollator(std::string_view localeName) : FWindowsLocale("en-US") {
    std::copy(std::begin(kNeutralWeights), std::end(kNeutralWeights), FWeights.begin());
    const std::string_view language = localeName.substr(0, localeName.find_first_of("_-.@"));
    for (const TLanguageWeights& l : kLanguageWeights) {
        if (language != l.Language) continue;
        FWindowsLocale = l.WindowsLocale;
        for (std::size_t i = 0; i < l.LetterCount; ++i)
            FWeights[l.Letters[i].Byte] = l.Letters[i].Weights;
    }
}

const TCollator& TCollator::UserDefault() {
    static const TCollator collator(EnvironmentLocale());
    return collator;
}

int TCollator::Compare(std::string_view a, std::string_view b) const {
    // What both begin with weighs the same in both, at every level.
    const std::size_t common = CommonPrefix(a, b);
    if (common == a.size() && common == b.size()) return 0;
    const TByteWeights* w = FWeights.data();
    auto at = [w](std::string_view s, std::size_t i) -> const TByteWeights& {
        return w[static_cast<unsigned char>(s[i])];
    };
    int diacritic = 0;
    bool lightMarks = false; // after the common beginning
    for (std::size_t i = common, j = common;; ++i, ++j) {
        for (; i < a.size() && !at(a, i).Primary; ++i)
            lightMarks |= at(a, i).Light != 0;
        for (; j < b.size() && !at(b, j).Primary; ++j)
            lightMarks |= at(b, j).Light != 0;
        if (i == a.size() || j == b.size()) {
            if (i != a.size()) return 1;
            if (j != b.size()) return -1;
            break;
        }
        const TByteWeights& x = at(a, i);
        const TByteWeights& y = at(b, j);
        if (x.Primary != y.Primary) return x.Primary < y.Primary ? -1 : 1;
        if (!diacritic && x.Diacritic != y.Diacritic) diacritic = x.Diacritic < y.Diacritic ? -1 : 1;
    }
    if (diacritic) return diacritic;
    return lightMarks ? CompareLightMarks(a, b) : 0;
}

// Light marks count in the order they stand, each by its place, then by its weight; a
// text with fewer of them, all alike, comes first. A place is the number of letters
// before the mark, counted down from 0xFFFF in 16 bits as Windows counts it: a mark
// further on sorts first, and one after 65,535 letters sorts as if near the start.
int TCollator::CompareLightMarks(std::string_view a, std::string_view b) const {
    struct TCursor {
        std::string_view Text;
        const TByteWeights* Weights;
        std::size_t At = 0;
        std::uint16_t Letters = 0;
        // The next mark as (place << 8 | weight); -1 at the end.
        long Next() {
            for (; At < Text.size(); ++At) {
                const TByteWeights& w = Weights[static_cast<unsigned char>(Text[At])];
                if (w.Primary) {
                    ++Letters;
                } else if (w.Light) {
                    ++At;
                    return static_cast<long>(std::uint16_t(0xFFFF - Letters)) << 8 | w.Light;
                }
            }
            return -1;
        }
    };
    TCursor x{a, FWeights.data()};
    TCursor y{b, FWeights.data()};
    for (;;) {
        const long p = x.Next();
        const long q = y.Next();
        if (p != q) return p < q ? -1 : 1;
        if (p < 0) return 0;
    }
}

std::uint64_t TCollator::PrimaryPrefix(std::string_view text) const {
    std::uint64_t prefix = 0;
    int taken = 0;
    for (std::size_t i = 0; i < text.size() && taken < 8; ++i) {
        const std::uint8_t primary = FWeights[static_cast<unsigned char>(text[i])].Primary;
        if (!primary) continue;
        prefix = prefix << 8 | primary;
        ++taken;
    }
    return taken == 0 ? 0 : prefix << (8 * (8 - taken));
}

namespace {

// Twelve bytes, not sixteen: a catalogue of short lines has many of them.
#pragma pack(push, 4)
struct TSortEntry {
    std::uint64_t Prefix;
    std::uint32_t Index;
};
#pragma pack(pop)
static_assert(sizeof(TSortEntry) == 12);

} // namespace

void CollationSort(std::vector<std::string_view>& items, const TCollator& collator) {
    const std::size_t n = items.size();
    auto less = [&](std::string_view a, std::string_view b) { return collator.Compare(a, b) < 0; };
    if (n > UINT32_MAX) {
        std::sort(items.begin(), items.end(), less);
        return;
    }
    // Most lines part within their first few letters: those are sorted as numbers, and
    // only lines that share them are compared whole.
    std::vector<TSortEntry> entries(n);
    for (std::size_t i = 0; i < n; ++i)
        entries[i] = {collator.PrimaryPrefix(items[i]), static_cast<std::uint32_t>(i)};
    auto byPrefix = [](const TSortEntry& a, const TSortEntry& b) { return a.Prefix < b.Prefix; };
    if (!std::is_sorted(entries.begin(), entries.end(), byPrefix)) {
        std::sort(entries.begin(), entries.end(), byPrefix);
        // Put the lines in that order in place, one cycle of the permutation at a time; an
        // entry that points at itself is done.
        for (std::size_t k = 0; k < n; ++k) {
            if (entries[k].Index == k) continue;
            const std::string_view first = items[k];
            std::size_t to = k;
            for (;;) {
                const std::size_t from = entries[to].Index;
                entries[to].Index = static_cast<std::uint32_t>(to);
                if (from == k) {
                    items[to] = first;
                    break;
                }
                items[to] = items[from];
                to = from;
            }
        }
    }
    // The lines that share a prefix are sorted where they stand, with no index between
    // them and their text; a run kept in order, or one of equal lines, is left as it is.
    for (std::size_t run = 0; run < n;) {
        std::size_t next = run + 1;
        while (next < n && entries[next].Prefix == entries[run].Prefix)
            ++next;
        const auto first = items.begin() + static_cast<std::ptrdiff_t>(run);
        const auto last = items.begin() + static_cast<std::ptrdiff_t>(next);
        if (!std::is_sorted(first, last, less)) std::sort(first, last, less);
        run = next;
    }
}
