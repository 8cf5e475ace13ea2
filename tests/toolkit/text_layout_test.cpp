#include "toolkit/text_layout.h"

#include <gtest/gtest.h>

namespace {

// Every character 5 pixels wide.
int FiveEach(std::string_view text) { return int(text.size()) * 5; }

std::vector<std::string> Texts(const std::vector<TTextLine>& lines) {
    std::vector<std::string> texts;
    for (const auto& line : lines) texts.push_back(line.Text);
    return texts;
}

TTextLayoutOptions Wrapped(int width) {
    TTextLayoutOptions options;
    options.WordWrap = true;
    options.MaxWidth = width;
    options.TabWidth = 40;
    return options;
}

} // namespace

TEST(TextLayout, HardLineBreaksOfEveryKind) {
    TTextLayoutOptions options;
    EXPECT_EQ(Texts(LayoutText("one\r\ntwo\nthree\rfour", options, FiveEach)),
              (std::vector<std::string>{"one", "two", "three", "four"}));
    EXPECT_EQ(Texts(LayoutText("", options, FiveEach)), (std::vector<std::string>{""}));
}

TEST(TextLayout, WrapsAtSpacesAndDropsTheBlanksAtTheBreak) {
    // "aaa bbb" is 35 pixels, "aaa bbb ccc" 55.
    EXPECT_EQ(Texts(LayoutText("aaa bbb ccc", Wrapped(40), FiveEach)),
              (std::vector<std::string>{"aaa bbb", "ccc"}));
    EXPECT_EQ(Texts(LayoutText("aaa    bbb", Wrapped(20), FiveEach)),
              (std::vector<std::string>{"aaa", "bbb"}));
}

TEST(TextLayout, AWordWiderThanTheLineKeepsALineOfItsOwnUncut) {
    EXPECT_EQ(Texts(LayoutText("a verylongword b", Wrapped(20), FiveEach)),
              (std::vector<std::string>{"a", "verylongword", "b"}));
}

TEST(TextLayout, ExactFitStaysOnOneLine) {
    EXPECT_EQ(Texts(LayoutText("aaa bbb", Wrapped(35), FiveEach)), (std::vector<std::string>{"aaa bbb"}));
    EXPECT_EQ(LayoutText("aaa bbb", Wrapped(34), FiveEach).size(), 2u);
}

TEST(TextLayout, AcceleratorMarksTakeNoRoom) {
    TTextLayoutOptions options;
    auto lines = LayoutText("&File", options, FiveEach);
    EXPECT_EQ(lines[0].Text, "File");
    EXPECT_EQ(lines[0].AcceleratorIndex, 0);
    EXPECT_EQ(lines[0].Width, 20);

    lines = LayoutText("Salt && pepper", options, FiveEach);
    EXPECT_EQ(lines[0].Text, "Salt & pepper");
    EXPECT_EQ(lines[0].AcceleratorIndex, -1);

    options.ShowAccelChar = false;
    EXPECT_EQ(LayoutText("a&b", options, FiveEach)[0].Text, "a&b");
}

TEST(TextLayout, AcceleratorOnASecondWrappedLine) {
    auto lines = LayoutText("aaa b&cd", Wrapped(20), FiveEach);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].Text, "bcd");
    EXPECT_EQ(lines[1].AcceleratorIndex, 1);
    EXPECT_EQ(lines[0].AcceleratorIndex, -1);
}

TEST(TextLayout, TabsExpandToTheNextStop) {
    EXPECT_EQ(MeasureWithTabs("a\tb", 40, FiveEach), 45);
    EXPECT_EQ(MeasureWithTabs("\t\t", 40, FiveEach), 80);
    // A tab right at a stop goes to the next one.
    EXPECT_EQ(MeasureWithTabs("aaaaaaaa\tb", 40, FiveEach), 85);
}
