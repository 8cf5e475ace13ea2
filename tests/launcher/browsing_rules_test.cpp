#include "launcher/browsing_rules.h"
#include "platform/shell.h"

#include <QUrl>

#include <gtest/gtest.h>

TEST(BrowsingRules, TitleListHeight) {
    EXPECT_EQ(TitleListHeight(1), 22);
    EXPECT_EQ(TitleListHeight(19), 382);
    EXPECT_EQ(TitleListHeight(20), 394);
    EXPECT_EQ(TitleListHeight(21), 394);
    EXPECT_EQ(TitleListHeight(0), 2);
}

// Ten lines of the description are 130 pixels, nine 117: the rule sits between.
TEST(BrowsingRules, TheDescriptionMarkerShowsFrom126Pixels) {
    EXPECT_FALSE(DescriptionMarkerShown(125));
    EXPECT_TRUE(DescriptionMarkerShown(126));
}

TEST(BrowsingRules, TitlePathKeepsTheNamesAsWritten) {
    EXPECT_EQ(TitlePath("A", "B"), "soft\\A\\B");
    EXPECT_EQ(TitlePath(" Игры ", ""), "soft\\ Игры \\");
}

TEST(BrowsingRules, CentringDividesTowardZero) {
    EXPECT_EQ(CentredPosition(1024, 800), 112);
    EXPECT_EQ(CentredPosition(799, 800), 0);
    EXPECT_EQ(CentredPosition(641, 800), -79);
}

TEST(Shell, TargetsBecomeURLsWithNothingLeftToInterpret) {
    EXPECT_EQ(ShellTargetUrl("vitrina.example.org"), "http://vitrina.example.org");
    std::string url = ShellTargetUrl("soft\\A\\-x \"q\"; $(id)");
    EXPECT_EQ(url.rfind("file:///", 0), 0u) << url;
    EXPECT_EQ(url.find_first_of(" \"`"), std::string::npos) << url;
    // The URL names exactly that folder, whatever characters its name has.
    EXPECT_TRUE(QUrl(QString::fromStdString(url)).toLocalFile().endsWith("/soft/A/-x \"q\"; $(id)")) << url;
}
