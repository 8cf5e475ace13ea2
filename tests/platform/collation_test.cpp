#include "recorded_order.h"

#include "platform/collation.h"
#include "platform/cp1251.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <random>
#include <unordered_map>

namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

struct TOracleCase {
    const char* Locale; // as the user's environment names it
    const char* WindowsLocale;
};

void PrintTo(const TOracleCase& c, std::ostream* os) {
    *os << c.Locale << " against " << c.WindowsLocale;
}

class WindowsOrder : public ::testing::TestWithParam<TOracleCase> {};

// The order Windows gives a set of hard lines (scripts side by side, every byte in
// several places, symbols, dashes, marks, long lines, catalogue lines), recorded under
// Wine by scripts/make-collation-oracle, for the user's locale.
TEST_P(WindowsOrder, SortAndCompareFollowWindows) {
    const TCollator collator(GetParam().Locale);
    EXPECT_EQ(collator.WindowsLocale(), GetParam().WindowsLocale);
    std::vector<TOracleLine> expected = ReadOrder(GetParam().WindowsLocale);
    ASSERT_GT(expected.size(), 4000u);

    for (std::size_t i = 1; i < expected.size(); ++i)
        ASSERT_EQ(Sign(collator.Compare(expected[i - 1].Text, expected[i].Text)),
                  expected[i - 1].Rank == expected[i].Rank ? 0 : -1)
            << Cp1251ToUtf8(expected[i - 1].Text) << " | " << Cp1251ToUtf8(expected[i].Text);

    std::vector<std::string_view> items;
    std::unordered_map<const char*, int> rankOf;
    for (const TOracleLine& line : expected) {
        items.push_back(line.Text);
        rankOf[line.Text.data()] = line.Rank;
    }
    std::shuffle(items.begin(), items.end(), std::mt19937(7));
    CollationSort(items, collator);
    std::vector<int> ranks;
    for (std::string_view item : items)
        ranks.push_back(rankOf.count(item.data()) ? rankOf[item.data()] : -1);
    EXPECT_TRUE(std::is_sorted(ranks.begin(), ranks.end()));
    // Every line once: the sort is a permutation.
    std::sort(items.begin(), items.end(), [](auto a, auto b) { return a.data() < b.data(); });
    EXPECT_EQ(std::unique(items.begin(), items.end(),
                          [](auto a, auto b) { return a.data() == b.data(); }) - items.begin(),
              static_cast<std::ptrdiff_t>(expected.size()));
    EXPECT_EQ(std::count(ranks.begin(), ranks.end(), -1), 0);
}

INSTANTIATE_TEST_SUITE_P(Locales, WindowsOrder,
                         ::testing::Values(TOracleCase{"ru_RU.UTF-8", "ru-RU"},
                                           TOracleCase{"C", "en-US"},
                                           TOracleCase{"en_US.UTF-8", "en-US"},
                                           TOracleCase{"uk_UA.UTF-8", "uk-UA"},
                                           TOracleCase{"mk_MK", "mk-MK"}),
                         [](const auto& info) {
                             std::string name = info.param.Locale;
                             std::replace_if(name.begin(), name.end(),
                                             [](char c) { return !std::isalnum(c); }, '_');
                             return name;
                         });

class Collation : public ::testing::TestWithParam<const char*> {
protected:
    TCollator FCollator{GetParam()};
    // Compares UTF-8 spellings, so the cases read naturally.
    int Cmp(const char* a, const char* b) {
        return Sign(FCollator.Compare(Utf8ToCp1251(a), Utf8ToCp1251(b)));
    }
};

TEST_P(Collation, IgnoresLetterCaseLatinBeforeCyrillic) {
    EXPECT_EQ(Cmp("ИГРЫ@Тетрис", "игры@тетрис"), 0);
    EXPECT_EQ(Cmp("Ёжик", "ёЖИК"), 0);
    EXPECT_EQ(Cmp("Microsoft Office", "MICROSOFT office"), 0);
    EXPECT_EQ(Cmp("б", "А"), 1);
    EXPECT_EQ(Cmp("apple", "арбуз"), -1);
    EXPECT_EQ(Cmp("Zebra", "абв"), -1);
    EXPECT_EQ(Cmp("ежи", "Ёлка"), -1);
    EXPECT_EQ(Cmp("", "a"), -1);
    EXPECT_EQ(Cmp("!", "1"), -1);
    EXPECT_EQ(Cmp("1", "a"), -1);
}

TEST_P(Collation, HyphenAndApostropheWeighLittleSpacesCount) {
    EXPECT_EQ(Cmp("coop", "co-op"), -1);
    EXPECT_EQ(Cmp("co-op", "cop"), -1);
    EXPECT_EQ(Cmp("Игры@b", "И-гры@a"), 1);
    EXPECT_EQ(Cmp("dont", "don't"), -1);
    EXPECT_EQ(Cmp("don't", "donz"), -1);
    EXPECT_NE(Cmp("a b", "ab"), 0);
    EXPECT_NE(Cmp("a@b", "ab"), 0);
}

// Texts that share long beginnings, with many equal and nearly equal ones.
std::vector<std::string> HardTexts(std::size_t n) {
    std::mt19937 rng(1);
    const char alphabet[] = "aAbB\xe0\xc0\xe1\xc1\xb8\xa8-' @\x99\x89\xa7\x96\xad";
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < n; ++i) {
        unsigned kind = rng() % 3;
        std::string s = kind == 0   ? std::string(40, '\x99')
                        : kind == 1 ? std::string(300, 'a')
                                    : "\xc8\xe3\xf0\xfb@";
        std::size_t len = rng() % 6;
        for (std::size_t k = 0; k < len; ++k)
            s += alphabet[rng() % (sizeof alphabet - 1)];
        texts.push_back(std::move(s));
    }
    return texts;
}

TEST_P(Collation, SortOrdersLikeCompare) {
    std::vector<std::string> texts = HardTexts(70000);
    std::vector<std::string_view> items(texts.begin(), texts.end());
    CollationSort(items, FCollator);
    for (std::size_t i = 1; i < items.size(); ++i)
        ASSERT_LE(FCollator.Compare(items[i - 1], items[i]), 0) << " at " << i;
    // Lines that all begin alike, given in reverse: the order is all in one run.
    std::vector<std::string_view> alike;
    std::copy_if(items.rbegin(), items.rend(), std::back_inserter(alike),
                 [](std::string_view s) { return s.starts_with(std::string(300, 'a')); });
    ASSERT_GT(alike.size(), 1000u);
    CollationSort(alike, FCollator);
    for (std::size_t i = 1; i < alike.size(); ++i)
        ASSERT_LE(FCollator.Compare(alike[i - 1], alike[i]), 0) << " at " << i;

    std::vector<std::string_view> expected(texts.begin(), texts.end());
    std::sort(expected.begin(), expected.end());
    std::sort(items.begin(), items.end());
    EXPECT_EQ(items, expected);
}

INSTANTIATE_TEST_SUITE_P(Locales, Collation, ::testing::Values("", "ru_RU", "en_US"));

TEST(Collation, LanguagePicksTheWindowsLocale) {
    for (auto [posix, windows] : {std::pair{"ru_UA.UTF-8", "ru-RU"}, {"sr_RS@latin", "sr-Cyrl-RS"},
                                  {"be", "be-BY"}, {"de_DE", "en-US"}, {"", "en-US"},
                                  {"russian", "en-US"}})
        EXPECT_EQ(TCollator(posix).WindowsLocale(), windows) << posix;
}

} // namespace
