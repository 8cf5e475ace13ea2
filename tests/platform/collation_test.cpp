#include "platform/collation.h"
#include "platform/cp1251.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>

namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

class Collation : public ::testing::TestWithParam<const char*> {
protected:
    TCollator FCollator{GetParam()};
    // Compares UTF-8 spellings, so the cases read naturally.
    int Cmp(const char* a, const char* b) {
        return Sign(FCollator.Compare(Utf8ToCp1251(a), Utf8ToCp1251(b)));
    }
};

TEST_P(Collation, IgnoresLetterCaseCyrillicIncluded) {
    EXPECT_EQ(Cmp("ИГРЫ@Тетрис", "игры@тетрис"), 0);
    EXPECT_EQ(Cmp("Ёжик", "ёЖИК"), 0);
    EXPECT_EQ(Cmp("Microsoft Office", "MICROSOFT office"), 0);
    EXPECT_EQ(Cmp("б", "А"), 1);
    EXPECT_EQ(Cmp("Б", "в"), -1);
    EXPECT_EQ(Cmp("apple", "Banana"), -1);
    EXPECT_EQ(Cmp("ежи", "Ёлка"), -1);
    EXPECT_EQ(Cmp("Ёлка", "жук"), -1);
    EXPECT_EQ(Cmp("", "a"), -1);
    EXPECT_EQ(Cmp("", "@"), -1);
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

TEST_P(Collation, SortKeysOrderAsCompareDoes) {
    std::vector<std::string> texts = {
        "",         "a",        "A",        "ab",    "a-b",
        "a b",      "\xc0\xc1", "\xe0\xe1", "\xa8",  "\xb8",
        "\xc5",     "z@",       "@z",       "\x98",  std::string("\0x", 2),
        "\x99\x99", "co-op",    "coop",     "\xb9 1"};
    std::vector<std::vector<std::uint8_t>> keys(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i)
        FCollator.SortKey(texts[i], keys[i]);
    for (std::size_t i = 0; i < texts.size(); ++i)
        for (std::size_t j = 0; j < texts.size(); ++j) {
            int byKeys = Sign(keys[i] < keys[j] ? -1 : keys[j] < keys[i] ? 1 : 0);
            EXPECT_EQ(byKeys, Sign(FCollator.Compare(texts[i], texts[j]))) << i << " " << j;
        }
    std::vector<std::uint8_t> key;
    EXPECT_TRUE(FCollator.SortKey("\x99\x99\x99\x99\x99\x99", key, 4));
    EXPECT_EQ(key.size(), 4u);
}

// Texts that share long beginnings and whose keys outgrow their length, so the sort
// must fall back to full comparisons.
std::vector<std::string> HardTexts(std::size_t n) {
    std::mt19937 rng(1);
    const char alphabet[] = "aAbB\xe0\xc0\xe1\xc1\xb8\xa8-' @\x99\x89\xa7";
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
    for (unsigned threads : {1u, 2u, 3u}) {
        std::vector<std::string> texts = HardTexts(70000);
        std::vector<std::string_view> items(texts.begin(), texts.end());
        CollationSort(items, FCollator, threads);
        for (std::size_t i = 1; i < items.size(); ++i)
            ASSERT_LE(FCollator.Compare(items[i - 1], items[i]), 0) << threads << " at " << i;
        std::vector<std::string_view> expected(texts.begin(), texts.end());
        std::sort(expected.begin(), expected.end());
        std::sort(items.begin(), items.end());
        EXPECT_EQ(items, expected);
    }
}

TEST(Collation, SortNeverCutsTextsInsideACollationUnit) {
    // In Czech "ch" is one letter, after "h": a long common beginning ending in "c"
    // must not be compared apart from the "h" that follows it.
    TCollator czech("cs_CZ");
    const std::string common(60, 'a');
    std::vector<std::string> texts;
    for (const char* tail : {"ch", "cz", "ca", "ci", "cd", "chb", "cha"})
        texts.push_back(common + tail);
    std::vector<std::string_view> items(texts.begin(), texts.end());
    CollationSort(items, czech, 1);
    std::vector<std::string> order;
    for (std::string_view item : items)
        order.emplace_back(item.substr(common.size()));
    EXPECT_EQ(order, (std::vector<std::string>{"ca", "cd", "ci", "cz", "ch", "cha", "chb"}));
}

INSTANTIATE_TEST_SUITE_P(Locales, Collation, ::testing::Values("", "ru_RU", "en_US"));

TEST(Collation, LocaleComesFromTheEnvironment) {
    auto with = [](const char* all, const char* collate, const char* lang) {
        for (auto [name, value] :
             {std::pair{"LC_ALL", all}, {"LC_COLLATE", collate}, {"LANG", lang}})
            value ? ::setenv(name, value, 1) : ::unsetenv(name);
        return TCollator::EnvironmentLocale();
    };
    EXPECT_EQ(with("ru_RU.UTF-8", "de_DE", "fr_FR"), "ru_RU");
    EXPECT_EQ(with("", "uk_UA.CP1251@x", "fr_FR"), "uk_UA");
    EXPECT_EQ(with(nullptr, nullptr, "en_GB.UTF-8"), "en_GB");
    EXPECT_EQ(with("C.UTF-8", nullptr, "ru_RU"), "");
    EXPECT_EQ(with(nullptr, nullptr, nullptr), "");
    with("C.UTF-8", nullptr, nullptr);
}

} // namespace
