#pragma once
// Locale-aware, case-insensitive comparison of code page 1251 text, standing in for
// CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE): the user's locale from the
// environment, letter case ignored, hyphen and apostrophe weighed lightly (they only
// break ties between otherwise equal texts), spaces and other punctuation significant.

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class Collator;
U_NAMESPACE_END

class TCollator {
public:
    // localeName is an ICU locale id ("ru_RU"); "" and "root" mean the root collation.
    explicit TCollator(const std::string& localeName);
    ~TCollator();
    TCollator(TCollator&&) noexcept;
    TCollator& operator=(TCollator&&) noexcept;

    // The collator of the user's locale (LC_ALL, LC_COLLATE, LANG; root for none, C, POSIX).
    static const TCollator& UserDefault();
    // The locale id the environment names, as UserDefault reads it.
    static std::string EnvironmentLocale();

    const std::string& LocaleName() const { return FLocaleName; }

    // Negative, zero or positive, as a is less than, equal to or greater than b.
    int Compare(std::string_view a, std::string_view b) const;

    // Writes the sort key of text over key (bytes compared with memcmp order the texts
    // as Compare does). With maxLength, at most that many leading bytes of it, made
    // without reading more of the text than they need; the result then tells whether
    // the key may go on beyond them.
    bool SortKey(std::string_view text, std::vector<std::uint8_t>& key,
                 std::size_t maxLength = SIZE_MAX) const;

    // Whether a text may not be cut next to c for its two parts to be compared apart:
    // c can join its neighbours into one collation unit.
    bool IsUnsafeBoundary(char c) const { return UnsafeSet()[static_cast<unsigned char>(c)]; }

    // An independent copy for another thread.
    TCollator Clone() const;

private:
    struct TUnsafeSet {
        std::once_flag Once;
        std::array<bool, 256> Flags{};
    };

    TCollator() = default;
    const std::array<bool, 256>& UnsafeSet() const;

    std::unique_ptr<U_ICU_NAMESPACE::Collator> FCollator;
    std::string FLocaleName;
    // Shared with clones: the same collation, worked out once.
    std::shared_ptr<TUnsafeSet> FUnsafe;
};

// Sorts cp1251 texts in ascending order of collator; equal texts end in no particular
// order. Uses sort keys and up to threads threads (0: as many as the machine has).
void CollationSort(std::vector<std::string_view>& items, const TCollator& collator,
                   unsigned threads = 0);
