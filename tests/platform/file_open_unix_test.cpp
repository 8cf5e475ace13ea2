// Files that are not files, files nobody may read and files a writer holds, as Linux
// makes them: whatever stands at a name the disc gives, an open answers at once, and
// only a regular file is read.

#include "platform/file_open.h"
#include "platform/in_out_error.h"
#include "platform/stream.h"
#include "platform/text_file.h"

#include "read_errors.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs check in a child with a deadline, so an open that blocks fails the test instead
// of hanging it. The child's exit status is check's result.
int InChildWithDeadline(const std::function<int()>& check) {
    pid_t child = ::fork();
    if (child == 0) {
        ::alarm(10);
        ::_exit(check());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFSIGNALED(status)) {
        ADD_FAILURE() << "the child ended by signal " << WTERMSIG(status)
                      << (WTERMSIG(status) == SIGALRM ? " (it hung)" : "");
        return -1;
    }
    return WEXITSTATUS(status);
}

// A block device to link to, where the machine shows one.
std::string AnyBlockDevice() {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/dev", ec)) {
        struct stat st;
        if (::stat(entry.path().c_str(), &st) == 0 && S_ISBLK(st.st_mode)) return entry.path();
    }
    return {};
}

class NotAFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(::mkfifo((Dir / "fifo").c_str(), 0600), 0);
        std::filesystem::create_symlink("/dev/zero", Dir / "zero");
        Dir.MakeFolder("folder");
        if (std::string device = AnyBlockDevice(); !device.empty())
            std::filesystem::create_symlink(device, Dir / "block");
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names = {"fifo", "zero", "folder"};
        if (std::filesystem::exists(std::filesystem::symlink_status(Dir / "block"))) names.push_back("block");
        return names;
    }
    TScratchFolder Dir;
};

TEST_F(NotAFile, IsAccessDeniedAtOnceForTheCatalogueAndForStreams) {
    for (const std::string& name : Names()) {
        EXPECT_EQ(InChildWithDeadline([&] { return CatalogueReadError(Dir / name); }), ERROR_ACCESS_DENIED) << name;
        EXPECT_EQ(InChildWithDeadline([&] { return StreamOpenError(Dir / name); }), ERROR_ACCESS_DENIED) << name;
    }
}

TEST_F(NotAFile, AFifoWithAWriterWaitingIsStillRefused) {
    // A writer on the pipe would make a plain open succeed and the read wait for its data.
    pid_t writer = ::fork();
    if (writer == 0) {
        int fd = ::open((Dir / "fifo").c_str(), O_WRONLY);
        ::sleep(20);
        ::_exit(fd >= 0 ? 0 : 1);
    }
    EXPECT_EQ(InChildWithDeadline([&] { return CatalogueReadError(Dir / "fifo"); }), ERROR_ACCESS_DENIED);
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
}

TEST(RegularFile, EmptyAndLinkedFilesAreRead) {
    TScratchFolder dir;
    std::string empty = dir.Write("empty", "");
    std::string full = dir.Write("full", "a\nb\n");
    std::filesystem::create_symlink(full, dir / "link");
    EXPECT_EQ(TTextFileLines::Read(empty).Count(), 0u);
    EXPECT_EQ(TTextFileLines::Read(dir / "link").Count(), 2u);
    TReadOnlyFile file(dir / "link");
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(file.Size(), 4);
    char bytes[8] = {};
    EXPECT_EQ(file.Read(bytes, sizeof bytes), 4);
    EXPECT_STREQ(bytes, "a\nb\n");
    EXPECT_EQ(TReadOnlyFile(dir / "missing").ErrorCode(), ERROR_FILE_NOT_FOUND);
}

TEST(KeepingWritersOut, AWriterIsHeldOffAndItsOpenDoesNotEndTheReader) {
    TScratchFolder dir;
    std::string path = dir.Write("base.txt", "x\n");
    // The reader runs in a child: if the writer's open ended it, only the child dies.
    int result = InChildWithDeadline([&] {
        TReadOnlyFile file(path);
        if (!file.KeepWritersOut()) return 1;
        // A writer that will not wait is told so; one that waits tells the reader.
        pid_t hasty = ::fork();
        if (hasty == 0) {
            int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
            ::_exit(fd >= 0 ? 77 : errno == EWOULDBLOCK ? 0 : 2);
        }
        int status = 0;
        ::waitpid(hasty, &status, 0);
        if (WEXITSTATUS(status) != 0) return WEXITSTATUS(status); // 77: no leases on this file system
        pid_t writer = ::fork();
        if (writer == 0) ::_exit(::open(path.c_str(), O_WRONLY) >= 0 ? 0 : 1);
        ::usleep(300000);
        return 0;
    });
    if (result == 77) GTEST_SKIP() << "no file leases here";
    EXPECT_EQ(result, 0);
}


TEST(TextFile, UnreadableFileIsAccessDenied) {
    TScratchFolder dir;
    std::string path = dir.Write("db/base.txt", "x\n");
    ::chmod(path.c_str(), 0);
    if (::geteuid() != 0) {
        EXPECT_EQ(CatalogueReadError("db\\base.txt", dir.Path()), 5);
        return;
    }
    // Root reads anything; an unprivileged child sees what a user would.
    ::chmod(dir.Path().c_str(), 0755);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(100);
        ::_exit(CatalogueReadError("db\\base.txt", dir.Path()));
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
    EXPECT_EQ(CatalogueReadError("db\\base.txt", dir.Path(), &message), 32);
    EXPECT_EQ(message, "I/O error 32");
    ::close(writer);
    EXPECT_EQ(CatalogueReadError("db\\base.txt", dir.Path()), 0);
}

} // namespace
