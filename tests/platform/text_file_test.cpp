#include "platform/in_out_error.h"
#include "platform/text_file.h"

#include "support/scratch_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

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

int ErrorOf(const std::string& windowsPath, const std::string& base,
            std::string* message = nullptr) {
    try {
        TTextFileLines::ReadWindowsPath(windowsPath, base);
    } catch (const EInOutError& e) {
        if (message) *message = e.Message();
        return e.ErrorCode();
    }
    return 0;
}

TEST(TextFile, OpenFailuresCarryTheWindowsCodeAndMessage) {
    TScratchFolder dir;
    std::string message;
    EXPECT_EQ(ErrorOf("db\\base.txt", dir.Path(), &message), 3);
    EXPECT_EQ(message, "Invalid filename");
    dir.MakeFolder("db");
    EXPECT_EQ(ErrorOf("db\\base.txt", dir.Path(), &message), 2);
    EXPECT_EQ(message, "File not found");
    dir.MakeFolder("db/base.txt");
    EXPECT_EQ(ErrorOf("db\\base.txt", dir.Path(), &message), 5);
    EXPECT_EQ(message, "File access denied");

    dir.Write("file/x", "");
    EXPECT_EQ(ErrorOf("file\\x\\base.txt", dir.Path()), 3); // a file where a folder should be
    EXPECT_EQ(ErrorOf("nowhere\\deeper\\base.txt", dir.Path()), 3);
}

TEST(TextFile, UnreadableFileIsAccessDenied) {
    TScratchFolder dir;
    std::string path = dir.Write("db/base.txt", "x\n");
    ::chmod(path.c_str(), 0);
    if (::geteuid() != 0) {
        EXPECT_EQ(ErrorOf("db\\base.txt", dir.Path()), 5);
        return;
    }
    // Root reads anything; an unprivileged child sees what a user would.
    ::chmod(dir.Path().c_str(), 0755);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(100);
        ::_exit(ErrorOf("db\\base.txt", dir.Path()));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 100) GTEST_SKIP() << "cannot drop privileges here";
    EXPECT_EQ(WEXITSTATUS(status), 5);
}

TEST(TextFile, FileOpenForWritingIsASharingViolation) {
    TScratchFolder dir;
    std::string path = dir.Write("db/base.txt", "x\n");
    int reader = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(reader, 0);
    bool leasesWork = ::fcntl(reader, F_SETLEASE, F_RDLCK) == 0;
    ::fcntl(reader, F_SETLEASE, F_UNLCK);
    ::close(reader);
    if (!leasesWork) GTEST_SKIP() << "no file leases here";
    int writer = ::open(path.c_str(), O_WRONLY);
    ASSERT_GE(writer, 0);
    std::string message;
    EXPECT_EQ(ErrorOf("db\\base.txt", dir.Path(), &message), 32);
    EXPECT_EQ(message, "I/O error 32");
    ::close(writer);
    EXPECT_EQ(ErrorOf("db\\base.txt", dir.Path()), 0);
}

TEST(TextFile, MessagesOfOtherCodes) {
    EXPECT_EQ(InOutErrorMessage(4), "Too many open files");
    EXPECT_EQ(EInOutError(1117).Message(), "I/O error 1117");
}

} // namespace
