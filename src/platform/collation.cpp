#include "platform/collation.h"

#include "platform/cp1251.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/tblcoll.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <thread>

namespace {

// Hyphen and apostrophe get a secondary weight only: "co-op" sorts with "coop",
// just after it, not among the words that begin "co".
const char16_t kLightPunctuation[] = u"&[last secondary ignorable] << '-' << ''";

void ToUtf16(std::string_view text, std::u16string& out) {
    out.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        out[i] = Cp1251ToUnicode(static_cast<unsigned char>(text[i]));
}

std::u16string& ScratchA() {
    thread_local std::u16string s;
    return s;
}
std::u16string& ScratchB() {
    thread_local std::u16string s;
    return s;
}

} // namespace

TCollator::TCollator(const std::string& localeName) : FLocaleName(localeName) {
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale locale = localeName.empty() || localeName == "root"
                             ? icu::Locale::getRoot()
                             : icu::Locale::createCanonical(localeName.c_str());
    std::unique_ptr<icu::Collator> base(icu::Collator::createInstance(locale, status));
    if (U_FAILURE(status) || !base) {
        status = U_ZERO_ERROR;
        base.reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
        if (U_FAILURE(status) || !base) throw std::runtime_error("no collation data available");
    }
    icu::UnicodeString rules;
    if (auto* ruleBased = dynamic_cast<icu::RuleBasedCollator*>(base.get()))
        rules = ruleBased->getRules();
    rules += icu::UnicodeString(kLightPunctuation);
    status = U_ZERO_ERROR;
    auto tailored = std::make_unique<icu::RuleBasedCollator>(rules, status);
    if (U_SUCCESS(status))
        FCollator = std::move(tailored);
    else
        FCollator = std::move(base);
    status = U_ZERO_ERROR;
    FCollator->setAttribute(UCOL_STRENGTH, UCOL_SECONDARY, status);
}

TCollator::~TCollator() = default;
TCollator::TCollator(TCollator&&) noexcept = default;
TCollator& TCollator::operator=(TCollator&&) noexcept = default;

std::string TCollator::EnvironmentLocale() {
    const char* value = nullptr;
    for (const char* name : {"LC_ALL", "LC_COLLATE", "LANG"}) {
        const char* v = std::getenv(name);
        if (v && *v) {
            value = v;
            break;
        }
    }
    if (!value) return {};
    std::string locale(value);
    locale = locale.substr(0, locale.find_first_of(".@"));
    if (locale == "C" || locale == "POSIX") return {};
    return locale;
}

const TCollator& TCollator::UserDefault() {
    static const TCollator collator(EnvironmentLocale());
    return collator;
}

int TCollator::Compare(std::string_view a, std::string_view b) const {
    if (a == b) return 0;
    std::u16string& ua = ScratchA();
    std::u16string& ub = ScratchB();
    ToUtf16(a, ua);
    ToUtf16(b, ub);
    UErrorCode status = U_ZERO_ERROR;
    UCollationResult r =
        FCollator->compare(reinterpret_cast<const UChar*>(ua.data()), static_cast<int32_t>(ua.size()),
                           reinterpret_cast<const UChar*>(ub.data()), static_cast<int32_t>(ub.size()),
                           status);
    return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
}

bool TCollator::SortKey(std::string_view text, std::vector<std::uint8_t>& key,
                        std::size_t maxLength) const {
    std::u16string& u = ScratchA();
    ToUtf16(text, u);
    if (key.size() < 64) key.resize(64);
    for (;;) {
        int32_t need = FCollator->getSortKey(reinterpret_cast<const UChar*>(u.data()),
                                             static_cast<int32_t>(u.size()), key.data(),
                                             static_cast<int32_t>(key.size()));
        if (static_cast<std::size_t>(need) <= key.size()) {
            // The terminating zero orders nothing: keys never hold a zero byte.
            std::size_t length = need > 0 ? static_cast<std::size_t>(need) - 1 : 0;
            bool cut = length > maxLength;
            key.resize(cut ? maxLength : length);
            return cut;
        }
        key.resize(static_cast<std::size_t>(need));
    }
}

TCollator TCollator::Clone() const {
    TCollator copy;
    copy.FCollator.reset(FCollator->clone());
    copy.FLocaleName = FLocaleName;
    return copy;
}

namespace {

struct TSortEntry {
    std::uint64_t Prefix;     // the key's first 8 bytes, big-endian, zero-padded
    const std::uint8_t* Key;  // the whole stored key
    std::uint32_t Length;     // stored key length; kCut marks a key cut short
    std::uint32_t Index;
};
constexpr std::uint32_t kCut = 0x80000000u;

// Keys live in large blocks so that a million of them cost a handful of allocations.
class TKeyArena {
public:
    std::uint8_t* Store(const std::uint8_t* key, std::size_t length) {
        if (length > kBlock / 4) {
            FBlocks.emplace_back(new std::uint8_t[length]);
            std::memcpy(FBlocks.back().get(), key, length);
            return FBlocks.back().get();
        }
        if (FFree < length) {
            FBlocks.emplace_back(new std::uint8_t[kBlock]);
            FNext = FBlocks.back().get();
            FFree = kBlock;
        }
        std::uint8_t* at = FNext;
        std::memcpy(at, key, length);
        FNext += length;
        FFree -= length;
        return at;
    }

private:
    static constexpr std::size_t kBlock = 1 << 20;
    std::vector<std::unique_ptr<std::uint8_t[]>> FBlocks;
    std::uint8_t* FNext = nullptr;
    std::size_t FFree = 0;
};

// Keys are kept only a little longer than their texts: enough to order all but
// near-identical texts, which fall back to a full comparison.
std::size_t KeyLimit(std::size_t textLength) { return textLength + 32; }

void MakeEntries(const std::vector<std::string_view>& items, std::size_t from, std::size_t to,
                 const TCollator& collator, TSortEntry* entries, TKeyArena& arena) {
    std::vector<std::uint8_t> key;
    for (std::size_t i = from; i < to; ++i) {
        bool cut = collator.SortKey(items[i], key, KeyLimit(items[i].size()));
        std::uint64_t prefix = 0;
        for (std::size_t b = 0; b < 8; ++b)
            prefix = (prefix << 8) | (b < key.size() ? key[b] : 0);
        entries[i] = {prefix, arena.Store(key.data(), key.size()),
                      static_cast<std::uint32_t>(key.size()) | (cut ? kCut : 0),
                      static_cast<std::uint32_t>(i)};
    }
}

struct TEntryLess {
    const std::vector<std::string_view>* Items;
    const TCollator* Collator;
    bool operator()(const TSortEntry& a, const TSortEntry& b) const {
        if (a.Prefix != b.Prefix) return a.Prefix < b.Prefix;
        std::uint32_t la = a.Length & ~kCut, lb = b.Length & ~kCut;
        std::uint32_t common = std::min(la, lb);
        if (common > 8) {
            int c = std::memcmp(a.Key + 8, b.Key + 8, common - 8);
            if (c != 0) return c < 0;
        }
        if (((a.Length | b.Length) & kCut) == 0) return la < lb;
        // One key was cut where the other ends or both were cut at the same bytes.
        return Collator->Compare((*Items)[a.Index], (*Items)[b.Index]) < 0;
    }
};

} // namespace

void CollationSort(std::vector<std::string_view>& items, const TCollator& collator,
                   unsigned threads) {
    const std::size_t n = items.size();
    if (n < 2) return;
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    threads = static_cast<unsigned>(std::min<std::size_t>({threads, 8, n / 20000 + 1}));

    std::vector<TSortEntry> entries(n);
    std::vector<TKeyArena> arenas(threads);
    std::vector<TCollator> clones;
    for (unsigned t = 1; t < threads; ++t) clones.push_back(collator.Clone());
    auto part = [&](unsigned t) { return n * t / threads; };
    auto work = [&](unsigned t) {
        const TCollator& own = t == 0 ? collator : clones[t - 1];
        MakeEntries(items, part(t), part(t + 1), own, entries.data(), arenas[t]);
        std::sort(entries.begin() + part(t), entries.begin() + part(t + 1),
                  TEntryLess{&items, &own});
    };
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t) pool.emplace_back(work, t);
    work(0);
    for (auto& th : pool) th.join();
    for (unsigned t = 1; t < threads; ++t)
        std::inplace_merge(entries.begin(), entries.begin() + part(t), entries.begin() + part(t + 1),
                           TEntryLess{&items, &collator});

    std::vector<std::string_view> sorted(n);
    for (std::size_t i = 0; i < n; ++i) sorted[i] = items[entries[i].Index];
    items.swap(sorted);
}
