#include "platform/byte_order_mark.h"
#include "platform/in_out_error.h"
#include "platform/text_file.h"

#include "read_errors.h"
#include "support/scratch_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::vector<std::string> Lines(std::string text) {
    std::vector<std::string_view> views;
    SplitTextLines(std::span<char>(text.data(), text.size()), views);
    return {views.begin(), views.end()};
}

TEST(TextLines, LineBreaks) {
    EXPECT_THAT(Lines("a\nb\r\nc"), ElementsAre("a", "b", "c"));
    EXPECT_THAT(Lines("a\r\n"), ElementsAre("a"));
    EXPECT_THAT(Lines("a\n\n"), ElementsAre("a", ""));
    EXPECT_THAT(Lines("\n"), ElementsAre(""));
    EXPECT_THAT(Lines(""), IsEmpty());
    // A lone CR is dropped wherever it stands, and never ends a line.
    EXPECT_THAT(Lines("a\rb\nc\r\r\nd\r"), ElementsAre("ab", "c", "d"));
    EXPECT_THAT(Lines("x\n\r"), ElementsAre("x", ""));
    EXPECT_THAT(Lines("\r\r\r"), ElementsAre(""));
}

TEST(TextLines, CtrlZ) {
    EXPECT_THAT(Lines("a\n\x1a"
                      "b\nc\n"),
                ElementsAre("a"));
    EXPECT_THAT(Lines("ab\x1a"
                      "cd\r\nef\n"),
                ElementsAre("ab", "ef"));
    EXPECT_THAT(Lines("ab\x1a\x1a\n\x1a"), ElementsAre("ab"));
    EXPECT_THAT(Lines("\x1a"), IsEmpty());
    EXPECT_THAT(Lines("\x1a\x1a\x1a\n\x1a"), IsEmpty());
    EXPECT_THAT(Lines("\r\x1a"
                      "zz\nq"),
                ElementsAre("", "q"));
    EXPECT_THAT(Lines("a\rb\x1a\rc\n"), ElementsAre("ab"));
}

TEST(TextLines, AnyBytesAndAnyLength) {
    EXPECT_THAT(Lines(std::string("a\0b\n\0", 5)),
                ElementsAre(std::string("a\0b", 3), std::string("\0", 1)));
    std::string huge(8 << 20, 'x');
    huge[123456] = '\r';
    auto lines = Lines("s\n" + huge + "\r\nt");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].size(), huge.size() - 1);
    EXPECT_EQ(lines[2], "t");
}

TEST(TextLines, RandomBytesKeepTheLineRules) {
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        std::string text(rng() % 2000, '\0');
        for (char& c : text) {
            unsigned r = rng() % 16;
            c = r == 0 ? '\n' : r == 1 ? '\r' : r == 2 ? '\x1a' : static_cast<char>(rng());
        }
        auto lines = Lines(text);
        std::size_t total = 0;
        for (auto& line : lines) {
            EXPECT_EQ(line.find_first_of(std::string("\n\r\x1a", 3)), std::string::npos);
            total += line.size();
        }
        EXPECT_LE(total + lines.size(), text.size() + 1);
    }
}

TEST(TextFile, ReadsAFileWhole) {
    TScratchFolder dir;
    dir.Write("db/base.txt", "one\r\ntwo\n\x1a"
                             "three");
    TTextFileLines file = TTextFileLines::ReadWindowsPath("db\\base.txt", dir.Path());
    ASSERT_EQ(file.Count(), 2u);
    EXPECT_EQ(file[0], "one");
    EXPECT_EQ(file[1], "two");
    TTextFileLines moved = std::move(file);
    EXPECT_EQ(moved[1], "two");
}


TEST(TextFile, OpenFailuresCarryTheWindowsCodeAndMessage) {
    TScratchFolder dir;
    std::string message;
    EXPECT_EQ(CatalogueReadError("db\\base.txt", dir.Path(), &message), 3);
    EXPECT_EQ(message, "Invalid filename");
    dir.MakeFolder("db");
    EXPECT_EQ(CatalogueReadError("db\\base.txt", dir.Path(), &message), 2);
    EXPECT_EQ(message, "File not found");
    dir.MakeFolder("db/base.txt");
    EXPECT_EQ(CatalogueReadError("db\\base.txt", dir.Path(), &message), 5);
    EXPECT_EQ(message, "File access denied");

    dir.Write("file/x", "");
    EXPECT_EQ(CatalogueReadError("file\\x\\base.txt", dir.Path()), 3); // a file where a folder should be
    EXPECT_EQ(CatalogueReadError("nowhere\\deeper\\base.txt", dir.Path()), 3);
}

TEST(TextFile, MessagesOfOtherCodes) {
    EXPECT_EQ(InOutErrorMessage(4), "Too many open files");
    EXPECT_EQ(EInOutError(1117).Message(), "I/O error 1117");
}

} // namespace

namespace {

std::string Decoded(std::string text) {
    text.resize(DecodeMarkedUtf8(std::span<char>(text.data(), text.size())));
    return text;
}

TEST(MarkedUtf8, BecomesCodePage1251WithQuestionMarksForTheRest) {
    EXPECT_EQ(Decoded("\xEF\xBB\xBF" "Игры@Тетрис №5"), "\xc8\xe3\xf0\xfb@\xd2\xe5\xf2\xf0\xe8\xf1 \xb9" "5");
    // é, a CJK letter, an emoji, a stray continuation byte and a cut sequence.
    EXPECT_EQ(Decoded("\xEF\xBB\xBF" "caf\xc3\xa9 漢😀\x80\xd0"), "caf? ????");
    EXPECT_EQ(Decoded("\xEF\xBB\xBF"), "");
    // A second mark is just a character the code page lacks.
    EXPECT_EQ(Decoded("\xEF\xBB\xBF\xEF\xBB\xBF" "a"), "?a");
    // Without the mark nothing changes, valid UTF-8 or not.
    EXPECT_EQ(Decoded("Игры"), "Игры");
    EXPECT_EQ(Decoded("\xEF\xBB"), "\xEF\xBB");
    EXPECT_EQ(Decoded(" \xEF\xBB\xBF"), " \xEF\xBB\xBF");
}

TEST(TextFile, AMarkedUtf8FileGivesTheLinesOfItsCodePage1251Twin) {
    TScratchFolder dir;
    dir.Write("utf8/db/base.txt", "\xEF\xBB\xBF" "Игры@Тетрис\r\nЁлка\x1a" "хвост\r\n\r\nкафе\xc3\xa9\n\x1a" "конец");
    dir.Write("cp1251/db/base.txt", "\xc8\xe3\xf0\xfb@\xd2\xe5\xf2\xf0\xe8\xf1\r\n\xa8\xeb\xea\xe0\x1a"
                                    "\xf5\xe2\xee\xf1\xf2\r\n\r\n\xea\xe0\xf4\xe5?\n\x1a\xea\xee\xed\xe5\xf6");
    TTextFileLines utf8 = TTextFileLines::ReadWindowsPath("db\\base.txt", dir / "utf8");
    TTextFileLines cp1251 = TTextFileLines::ReadWindowsPath("db\\base.txt", dir / "cp1251");
    EXPECT_EQ(utf8.Lines(), cp1251.Lines());
    ASSERT_EQ(utf8.Count(), 4u);
    EXPECT_EQ(utf8[3], "\xea\xe0\xf4\xe5?");
    // Lines still begin where their physical lines began in the decoded text.
    EXPECT_EQ(utf8[1].data() - utf8.Text(), 13);
}

} // namespace
