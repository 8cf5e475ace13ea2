// Where the user's locale comes from on Linux: the C library's variables.

#include "platform/collation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

namespace {

// Sets LC_ALL, LC_COLLATE and LANG (null: unset) and returns the locale read back.
std::string WithEnvironment(const char* all, const char* collate = nullptr, const char* lang = nullptr) {
    for (auto [name, value] : {std::pair{"LC_ALL", all}, {"LC_COLLATE", collate}, {"LANG", lang}})
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    return TCollator::EnvironmentLocale();
}

TEST(Collation, LocaleComesFromTheEnvironment) {
    EXPECT_EQ(WithEnvironment("ru_RU.UTF-8", "de_DE", "fr_FR"), "ru_RU");
    EXPECT_EQ(WithEnvironment("", "uk_UA.CP1251@x", "fr_FR"), "uk_UA");
    EXPECT_EQ(WithEnvironment(nullptr, nullptr, "en_GB.UTF-8"), "en_GB");
    EXPECT_EQ(WithEnvironment("C.UTF-8", nullptr, "ru_RU"), "");
    EXPECT_EQ(WithEnvironment(nullptr, nullptr, nullptr), "");
    WithEnvironment("C.UTF-8");
}

} // namespace
