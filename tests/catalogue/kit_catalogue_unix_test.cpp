// The kit's order under the locale a person's environment names. On Windows the
// language is the user's, which a program's environment does not change.

#include "support/kit_runner.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// The category names of a catalogue as the kit lists them, in order.
std::vector<std::string> CategoryNames(const std::string& json) {
    std::vector<std::string> names;
    const std::string key = "{\"name\": \"";
    for (std::size_t at = json.find(key); at != std::string::npos; at = json.find(key, at)) {
        at += key.size();
        names.push_back(json.substr(at, json.find('"', at) - at));
    }
    return names;
}

TEST(KitCatalogue, OrderFollowsTheLocaleOnlyInItsLetters) {
    TScratchFolder disc;
    // й, ия, иа, арбуз, apple, ёж, еж
    disc.Write("db/base.txt", "\xe9@t\n\xe8\xff@t\n\xe8\xe0@t\n\xe0\xf0\xe1\xf3\xe7@t\napple@t\n"
                              "\xb8\xe6@t\n\xe5\xe6@t\n");
    // Russian places й after и as a letter of its own; elsewhere it is и with a mark.
    // Latin comes before Cyrillic in both.
    const std::vector<std::string> russian = {"apple", "арбуз", "еж", "ёж", "иа", "ия", "й"};
    const std::vector<std::string> english = {"apple", "арбуз", "еж", "ёж", "й", "иа", "ия"};
    for (auto [locale, expected] : {std::pair{"ru_RU.UTF-8", russian}, {"ru_UA", russian},
                                    {"en_US.UTF-8", english}, {"C", english}, {"de_DE", english}}) {
        TKitRun run = RunKit("catalogue '" + disc.Path() + "'", locale);
        EXPECT_EQ(run.Status, 0);
        EXPECT_EQ(CategoryNames(run.Out), expected) << locale;
    }
}

} // namespace
