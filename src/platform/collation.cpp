#include "platform/collation.h"

#include "platform/cp1251.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/ucol.h>
#include <unicode/uiter.h>
#include <unicode/uset.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <thread>

namespace {

// Hyphen and apostrophe weigh lightly: texts are compared without them first, and
// only texts equal that way are ordered by where the two marks stood: "co-op" sorts
// with "coop", just after it, not among the words that begin "co". Doing this around
// the collator, not by tailoring it, keeps the collator one the locale ships ready-made.
bool IsLight(char c) { return c == '-' || c == '\''; }

// The text without its light marks, in UTF-16; `ties` gets where they stood and which
// they were, as bytes that order texts equal without them (none: first).
void ToUtf16(std::string_view text, std::u16string& out, std::string* ties = nullptr) {
    out.clear();
    out.reserve(text.size());
    if (ties) ties->clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsLight(text[i])) {
            if (ties) {
                // The position in the text without the marks, in three 7-bit bytes kept
                // clear of the key's level separator, then the mark.
                std::size_t at = out.size();
                ties->push_back(char(2 + ((at >> 14) & 0x7F)));
                ties->push_back(char(2 + ((at >> 7) & 0x7F)));
                ties->push_back(char(2 + (at & 0x7F)));
                ties->push_back(text[i] == '-' ? 3 : 2);
            }
            continue;
        }
        out.push_back(Cp1251ToUnicode(static_cast<unsigned char>(text[i])));
    }
}

std::string& TiesA() {
    thread_local std::string s;
    return s;
}
std::string& TiesB() {
    thread_local std::string s;
    return s;
}

// Appends the marks' bytes after a level separator, so they order only texts whose
// keys are equal up to there.
void AppendTies(const std::string& ties, std::vector<std::uint8_t>& key) {
    if (ties.empty()) return;
    key.push_back(1);
    key.insert(key.end(), ties.begin(), ties.end());
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
    FCollator = std::move(base);
    status = U_ZERO_ERROR;
    FCollator->setAttribute(UCOL_STRENGTH, UCOL_SECONDARY, status);
    FUnsafe = std::make_shared<TUnsafeSet>();
}

// Which characters may join their neighbours: only asked while ties are broken, and
// costly to work out, so it waits until then.
const std::array<bool, 256>& TCollator::UnsafeSet() const {
    std::call_once(FUnsafe->Once, [this] {
        UErrorCode status = U_ZERO_ERROR;
        USet* unsafe = uset_openEmpty();
        ucol_getUnsafeSet(FCollator->toUCollator(), unsafe, &status);
        for (int c = 0; c < 256; ++c)
            FUnsafe->Flags[c] = U_FAILURE(status) ||
                                uset_contains(unsafe, Cp1251ToUnicode(static_cast<unsigned char>(c)));
        uset_close(unsafe);
    });
    return FUnsafe->Flags;
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
    ToUtf16(a, ua, &TiesA());
    ToUtf16(b, ub, &TiesB());
    UErrorCode status = U_ZERO_ERROR;
    UCollationResult r = FCollator->compare(
        reinterpret_cast<const UChar*>(ua.data()), static_cast<int32_t>(ua.size()),
        reinterpret_cast<const UChar*>(ub.data()), static_cast<int32_t>(ub.size()), status);
    if (r != UCOL_EQUAL) return r == UCOL_LESS ? -1 : 1;
    int ties = TiesA().compare(TiesB());
    return ties < 0 ? -1 : ties > 0 ? 1 : 0;
}

bool TCollator::SortKey(std::string_view text, std::vector<std::uint8_t>& key,
                        std::size_t maxLength) const {
    std::u16string& u = ScratchA();
    std::string& ties = TiesA();
    ToUtf16(text, u, &ties);
    if (maxLength < std::size_t(INT32_MAX)) {
        // Only the leading bytes are wanted: ICU then reads no more of the text than
        // they take, which for long lines is most of the saving.
        key.resize(maxLength);
        UCharIterator iter;
        uiter_setString(&iter, reinterpret_cast<const UChar*>(u.data()),
                        static_cast<int32_t>(u.size()));
        uint32_t state[2] = {0, 0};
        UErrorCode status = U_ZERO_ERROR;
        int32_t got = ucol_nextSortKeyPart(FCollator->toUCollator(), &iter, state, key.data(),
                                           static_cast<int32_t>(maxLength), &status);
        if (U_FAILURE(status)) got = 0;
        key.resize(static_cast<std::size_t>(got));
        if (static_cast<std::size_t>(got) == maxLength) return true;
        AppendTies(ties, key);
        if (key.size() < maxLength) return false;
        key.resize(maxLength);
        return true;
    }
    if (key.size() < 64) key.resize(64);
    for (;;) {
        int32_t need = FCollator->getSortKey(reinterpret_cast<const UChar*>(u.data()),
                                             static_cast<int32_t>(u.size()), key.data(),
                                             static_cast<int32_t>(key.size()));
        if (static_cast<std::size_t>(need) <= key.size()) {
            // The terminating zero orders nothing: keys never hold a zero byte.
            key.resize(need > 0 ? static_cast<std::size_t>(need) - 1 : 0);
            AppendTies(ties, key);
            return false;
        }
        key.resize(static_cast<std::size_t>(need));
    }
}

TCollator TCollator::Clone() const {
    TCollator copy;
    copy.FCollator.reset(FCollator->clone());
    copy.FLocaleName = FLocaleName;
    copy.FUnsafe = FUnsafe;
    return copy;
}

namespace {

// Sorting by the leading bytes of each sort key, then by longer and longer leading
// bytes only among the texts still tied: most texts part within the first few dozen
// bytes, but those of one category often share long beginnings.
constexpr std::size_t kFirstKeyBytes = 48;
// How much key memory the groups of tied texts may take, beyond a share of the texts'
// own size, before they are sorted by plain comparisons instead.
constexpr std::size_t kTieKeyBudget = 64 << 20;

struct TSortEntry {
    std::uint64_t Prefix;    // the key's first 8 bytes, big-endian, zero-padded
    const std::uint8_t* Key; // the key bytes made so far
    std::uint32_t Length;    // equals the byte limit when the key may go on
    std::uint32_t Index;
};

bool KeyLess(const TSortEntry& a, const TSortEntry& b) {
    if (a.Prefix != b.Prefix) return a.Prefix < b.Prefix;
    std::uint32_t common = std::min(a.Length, b.Length);
    if (common > 8) {
        int c = std::memcmp(a.Key + 8, b.Key + 8, common - 8);
        if (c != 0) return c < 0;
    }
    return a.Length < b.Length;
}

bool SameKey(const TSortEntry& a, const TSortEntry& b) {
    return a.Prefix == b.Prefix && a.Length == b.Length &&
           (a.Length <= 8 || std::memcmp(a.Key + 8, b.Key + 8, a.Length - 8) == 0);
}

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

class TSorter {
public:
    TSorter(const std::vector<std::string_view>& items, const TCollator& collator,
            std::size_t keyBudget)
        : FItems(items), FCollator(collator), FKeyBudget(keyBudget) {}

    // Keys of the texts from byte offset on, at most limit bytes each.
    void MakeKeys(TSortEntry* begin, TSortEntry* end, std::size_t offset, std::size_t limit,
                  TKeyArena& arena) {
        for (TSortEntry* e = begin; e != end; ++e) {
            FCollator.SortKey(FItems[e->Index].substr(offset), FKey, limit);
            std::uint64_t prefix = 0;
            for (std::size_t b = 0; b < 8; ++b)
                prefix = (prefix << 8) | (b < FKey.size() ? FKey[b] : 0);
            e->Prefix = prefix;
            e->Key = arena.Store(FKey.data(), FKey.size());
            e->Length = static_cast<std::uint32_t>(FKey.size());
        }
    }

    // [begin, end) share their first offset bytes and are in order of the keys of the
    // rest, made with limit bytes; orders every group that is still tied.
    void Refine(TSortEntry* begin, TSortEntry* end, std::size_t offset, std::size_t limit) {
        for (TSortEntry* run = begin; run != end;) {
            TSortEntry* next = run + 1;
            while (next != end && SameKey(*run, *next))
                ++next;
            if (next - run > 1 && run->Length == limit) ResolveTie(run, next, offset, limit);
            run = next;
        }
    }

private:
    void ResolveTie(TSortEntry* begin, TSortEntry* end, std::size_t offset, std::size_t limit) {
        // Texts that begin alike compare as what follows the common beginning does, as
        // long as the cut does not split a sequence the collation reads as one.
        std::string_view first = FItems[begin->Index];
        std::size_t common = first.size();
        for (TSortEntry* e = begin + 1; e != end && common > offset; ++e) {
            std::string_view text = FItems[e->Index];
            std::size_t i = offset, n = std::min(common, text.size());
            while (i < n && text[i] == first[i])
                ++i;
            common = i;
        }
        if (common == first.size() && std::all_of(begin + 1, end, [&](const TSortEntry& e) {
                return FItems[e.Index] == first;
            }))
            return; // identical lines
        auto unsafeAt = [&](std::size_t at) {
            return std::any_of(begin, end, [&](const TSortEntry& e) {
                std::string_view text = FItems[e.Index];
                return at < text.size() && FCollator.IsUnsafeBoundary(text[at]);
            });
        };
        while (common > offset &&
               (FCollator.IsUnsafeBoundary(first[common - 1]) || unsafeAt(common)))
            --common;

        std::size_t newLimit = common > offset ? kFirstKeyBytes : limit * 2;
        std::size_t need = static_cast<std::size_t>(end - begin) * newLimit;
        if (newLimit > UINT32_MAX / 2 || FLiveKeyBytes + need > FKeyBudget) {
            std::sort(begin, end, [&](const TSortEntry& a, const TSortEntry& b) {
                return FCollator.Compare(FItems[a.Index].substr(common),
                                         FItems[b.Index].substr(common)) < 0;
            });
            return;
        }
        // These keys are read only while this group is ordered.
        TKeyArena arena;
        FLiveKeyBytes += need;
        MakeKeys(begin, end, common, newLimit, arena);
        std::sort(begin, end, KeyLess);
        Refine(begin, end, common, newLimit);
        FLiveKeyBytes -= need;
    }

    const std::vector<std::string_view>& FItems;
    const TCollator& FCollator;
    const std::size_t FKeyBudget;
    std::size_t FLiveKeyBytes = 0;
    std::vector<std::uint8_t> FKey;
};

} // namespace

void CollationSort(std::vector<std::string_view>& items, const TCollator& collator,
                   unsigned threads) {
    const std::size_t n = items.size();
    if (n < 2) return;
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    threads = static_cast<unsigned>(std::min<std::size_t>({threads, 8, n / 20000 + 1}));

    std::size_t textBytes = 0;
    for (std::string_view item : items)
        textBytes += item.size();
    std::vector<TSortEntry> entries(n);
    for (std::size_t i = 0; i < n; ++i)
        entries[i].Index = static_cast<std::uint32_t>(i);
    std::vector<TCollator> clones;
    for (unsigned t = 1; t < threads; ++t)
        clones.push_back(collator.Clone());
    std::vector<std::unique_ptr<TSorter>> sorters;
    for (unsigned t = 0; t < threads; ++t)
        sorters.push_back(std::make_unique<TSorter>(items, t == 0 ? collator : clones[t - 1],
                                                    kTieKeyBudget + textBytes / threads));
    auto inParallel = [&](const std::vector<std::size_t>& bounds, auto&& job) {
        std::vector<std::thread> pool;
        for (unsigned t = 1; t < threads; ++t)
            pool.emplace_back(
                [&, t] { job(t, entries.data() + bounds[t], entries.data() + bounds[t + 1]); });
        job(0u, entries.data() + bounds[0], entries.data() + bounds[1]);
        for (auto& th : pool)
            th.join();
    };

    std::vector<std::size_t> bounds;
    for (unsigned t = 0; t <= threads; ++t)
        bounds.push_back(n * t / threads);
    std::vector<TKeyArena> arenas(threads);
    inParallel(bounds, [&](unsigned t, TSortEntry* begin, TSortEntry* end) {
        sorters[t]->MakeKeys(begin, end, 0, kFirstKeyBytes, arenas[t]);
        std::sort(begin, end, KeyLess);
    });
    for (unsigned t = 1; t < threads; ++t)
        std::inplace_merge(entries.begin(), entries.begin() + bounds[t],
                           entries.begin() + bounds[t + 1], KeyLess);
    // Tied groups never straddle a boundary, so each thread refines its own share.
    for (unsigned t = 1; t < threads; ++t) {
        std::size_t b = std::max(bounds[t], bounds[t - 1]);
        while (b > 0 && b < n && SameKey(entries[b - 1], entries[b]))
            ++b;
        bounds[t] = b;
    }
    inParallel(bounds, [&](unsigned t, TSortEntry* begin, TSortEntry* end) {
        sorters[t]->Refine(begin, end, 0, kFirstKeyBytes);
    });

    std::vector<std::string_view> sorted(n);
    for (std::size_t i = 0; i < n; ++i)
        sorted[i] = items[entries[i].Index];
    items.swap(sorted);
}
