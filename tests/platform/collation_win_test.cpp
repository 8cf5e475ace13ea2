// Our order against the system's own: CompareStringA reads the catalogue's bytes in the
// code page of the locale it is given, so under Russian it sees what the catalogue
// means whatever the machine's ANSI code page is.

#include "recorded_order.h"

#include "platform/collation.h"
#include "platform/cp1251.h"

#include <gtest/gtest.h>

#include <random>

#include <windows.h>

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

int SystemCompare(const std::string& a, const std::string& b) {
    const LCID russian = MAKELCID(0x419, SORT_DEFAULT);
    const int result = ::CompareStringA(russian, NORM_IGNORECASE, a.data(), int(a.size()), b.data(), int(b.size()));
    EXPECT_NE(result, 0) << "CompareStringA failed: " << ::GetLastError();
    return result - CSTR_EQUAL;
}

TEST(SystemCollation, OurOrderIsCompareStringAUnderRussian) {
    const TCollator collator("ru-RU");
    const std::vector<TOracleLine> lines = ReadOrder("ru-RU");
    ASSERT_GT(lines.size(), 4000u);
    auto agree = [&](const std::string& a, const std::string& b) {
        return Sign(collator.Compare(a, b)) == Sign(SystemCompare(a, b));
    };
    for (std::size_t i = 1; i < lines.size(); ++i)
        ASSERT_TRUE(agree(lines[i - 1].Text, lines[i].Text))
            << Cp1251ToUtf8(lines[i - 1].Text) << " | " << Cp1251ToUtf8(lines[i].Text);
    // Far apart too: an order can agree with every neighbour and still wrap around.
    std::mt19937 rng(3);
    std::uniform_int_distribution<std::size_t> any(0, lines.size() - 1);
    for (int n = 0; n < 20000; ++n) {
        const std::string& a = lines[any(rng)].Text;
        const std::string& b = lines[any(rng)].Text;
        ASSERT_TRUE(agree(a, b)) << Cp1251ToUtf8(a) << " | " << Cp1251ToUtf8(b);
    }
}

} // namespace
