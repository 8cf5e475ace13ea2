#include "system_text.h"

#include "platform/cp1251.h"

#include <gtest/gtest.h>

namespace {

std::string Byte(int b) {
    return std::string(1, static_cast<char>(b));
}

TEST(Cp1251, EveryByteMatchesTheSystemConverter) {
    if (!SystemCp1251Character('A')) GTEST_SKIP() << "no CP1251 converter here";
    for (int b = 0; b < 256; ++b) {
        if (b == 0x98) continue;
        std::optional<char16_t> theirs = SystemCp1251Character(static_cast<unsigned char>(b));
        ASSERT_TRUE(theirs) << b;
        EXPECT_EQ(Cp1251ToUnicode(static_cast<unsigned char>(b)), *theirs) << "byte " << b;
    }
}

TEST(Cp1251, RoundTripsThroughUtf8AndUtf16) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        if (b != 0x98) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
    EXPECT_EQ(Utf16ToCp1251(Cp1251ToUtf16(all)), all);
    EXPECT_EQ(Cp1251ToUtf8("\xcf\xf0\xe8\xe2\xe5\xf2, \xa8\xeb\xea\xe0 \xb9"
                           "5"),
              "Привет, Ёлка №5");
}

TEST(Cp1251, UndefinedByteStaysPrintable) {
    char16_t c = Cp1251ToUnicode(0x98);
    EXPECT_TRUE(SystemIsPrintable(c)) << int(c);
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8("a\x98z")), "a?z");
}

TEST(Cp1251, UnknownAndMalformedInputBecomesQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1251("ä漢😀x"), "???x");
    EXPECT_EQ(Utf8ToCp1251("\xff\xfe"
                           "a\xd0"),
              "??a?");
    EXPECT_EQ(Utf8ToCp1251("\xe0\x80\x80"
                           "b"),
              "?b"); // overlong NUL
    EXPECT_EQ(Utf8ToCp1251("\xd0\x9f"
                           "\xe2\x82"),
              "\xcf?");
    EXPECT_EQ(Utf16ToCp1251(u"\xd83d\xde00\xdc00z"), "??z");
}

TEST(Cp1251, CaseMappingFollowsUnicodeForEveryByte) {
    for (int b = 0; b < 256; ++b) {
        if (b == 0x98) continue;
        char16_t u = Cp1251ToUnicode(static_cast<unsigned char>(b));
        for (auto [mine, theirs] : {std::pair{Cp1251ToLower(char(b)), SystemLowerCase(u)},
                                    std::pair{Cp1251ToUpper(char(b)), SystemUpperCase(u)}}) {
            std::string expected = Utf16ToCp1251(std::u16string(1, char16_t(theirs)));
            if (expected == "?") expected = Byte(b); // no such letter in the code page
            EXPECT_EQ(Byte(static_cast<unsigned char>(mine)), expected) << "byte " << b;
        }
    }
    EXPECT_TRUE(Cp1251SameText("\xc8\xc3\xd0\xdb Games", "\xe8\xe3\xf0\xfb gAMES"));
    EXPECT_FALSE(Cp1251SameText("\xc5", "\xa8")); // Е and Ё are different letters
}

} // namespace
