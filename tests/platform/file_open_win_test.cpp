// Files that are not files, files a writer holds and names outside the ANSI code page,
// as Windows makes them.

// Our error codes first: windows.h then defines the same names as macros.
#include "platform/file_names.h"
#include "platform/file_open.h"
#include "platform/in_out_error.h"
#include "platform/stream.h"
#include "platform/text_file.h"

#include "read_errors.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <thread>

#include <windows.h>

namespace {

std::wstring Wide(const std::string& utf8) { return Utf8Path(utf8).wstring(); }

// Runs open on a thread of its own: one that has not answered within ten seconds fails
// the test, and the whole program ends, since a thread stuck in the system cannot be
// taken back.
int WithDeadline(const std::string& what, const std::function<int()>& open) {
    std::packaged_task<int()> task(open);
    std::future<int> result = task.get_future();
    std::thread(std::move(task)).detach();
    if (result.wait_for(std::chrono::seconds(10)) == std::future_status::ready) return result.get();
    ADD_FAILURE() << "opening " << what << " hung";
    std::fflush(stdout);
    std::_Exit(1);
}

// A pipe server waiting for a client that never gets a byte: a reader that connected
// would wait for ever.
class TWaitingPipe {
public:
    explicit TWaitingPipe(const std::string& name)
        : FHandle(::CreateNamedPipeW(Wide(name).c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT,
                                     PIPE_UNLIMITED_INSTANCES, 4096, 4096, 0, nullptr)) {}
    ~TWaitingPipe() {
        if (FHandle != INVALID_HANDLE_VALUE) ::CloseHandle(FHandle);
    }
    bool IsOpen() const { return FHandle != INVALID_HANDLE_VALUE; }

private:
    HANDLE FHandle;
};

TEST(NotAFile, AFolderADeviceOrAPipeIsAccessDeniedAtOnce) {
    TScratchFolder dir;
    std::vector<std::string> places = {dir.MakeFolder("folder"), dir / "CON", dir / "con.txt", "NUL",
                                       "COM1", "CONIN$", dir / "soft/nul/photo.jpg"};
    for (const std::string& place : places) {
        EXPECT_EQ(WithDeadline(place, [&] { return CatalogueReadError(place); }), ERROR_ACCESS_DENIED) << place;
        EXPECT_EQ(WithDeadline(place, [&] { return StreamOpenError(place); }), ERROR_ACCESS_DENIED) << place;
    }
    const std::string pipe = "\\\\.\\pipe\\vitrina-test-" + std::to_string(::GetCurrentProcessId());
    for (const std::string& name : {pipe, "//./pipe/vitrina-test-" + std::to_string(::GetCurrentProcessId())}) {
        // A fresh instance for each open, so none is refused only for being busy.
        TWaitingPipe forCatalogue(pipe);
        ASSERT_TRUE(forCatalogue.IsOpen());
        EXPECT_EQ(WithDeadline(name, [&] { return CatalogueReadError(name); }), ERROR_ACCESS_DENIED) << name;
        TWaitingPipe forFile(pipe);
        EXPECT_EQ(WithDeadline(name, [&] { return TReadOnlyFile(name).ErrorCode(); }), ERROR_ACCESS_DENIED) << name;
    }
}

HANDLE OpenWith(const std::string& path, DWORD access, DWORD sharing) {
    return ::CreateFileW(Wide(path).c_str(), access, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
}


TEST(Sharing, ACatalogueOpenForWritingIsASharingViolationOneOpenForReadingIsRead) {
    TScratchFolder disc;
    const std::string path = disc.Write("db/base.txt", "A@b@c@@@d\r\n");
    HANDLE writer = OpenWith(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    std::string message;
    EXPECT_EQ(CatalogueReadError("db\\base.txt", disc.Path(), &message), ERROR_SHARING_VIOLATION);
    EXPECT_EQ(message, "I/O error 32");
    ::CloseHandle(writer);

    HANDLE reader = OpenWith(path, GENERIC_READ, FILE_SHARE_READ);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_EQ(CatalogueReadError("db\\base.txt", disc.Path()), 0);
    EXPECT_EQ(TTextFileLines::ReadWindowsPath("db\\base.txt", disc.Path()).Count(), 1u);
    ::CloseHandle(reader);
}

TEST(Sharing, AWriterIsKeptOutWhileTheCatalogueIsHeld) {
    TScratchFolder disc;
    const std::string path = disc.Write("db/base.txt", "x\r\n");
    TReadOnlyFile file(path);
    ASSERT_TRUE(file.IsOpen());
    ASSERT_TRUE(file.KeepWritersOut());
    EXPECT_EQ(OpenWith(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE), INVALID_HANDLE_VALUE);
    EXPECT_EQ(::GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    // Other readers are let in meanwhile.
    HANDLE reader = OpenWith(path, GENERIC_READ, FILE_SHARE_READ);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    ::CloseHandle(reader);
}

TEST(WideNames, NamesOutsideTheAnsiCodePageAreOpenedIntact) {
    TScratchFolder disc;
    // Cyrillic, which code page 1252 lacks, and letters no ANSI code page has.
    for (std::string folder : {"soft/Игры для детей/Ёжик", "soft/漢字 ελληνικά"}) {
        const std::string path = disc.Write(folder + "/photo.jpg", "bytes");
        TReadOnlyFile file(path);
        ASSERT_TRUE(file.IsOpen()) << folder << ": error " << file.ErrorCode();
        char bytes[8] = {};
        EXPECT_EQ(file.Read(bytes, sizeof bytes), 5);
        EXPECT_STREQ(bytes, "bytes");
        {
            TNewFile made(disc / (folder + "/новый.txt"));
            ASSERT_TRUE(made.IsOpen());
            EXPECT_EQ(made.Write("ok", 2), 2);
        }
        EXPECT_EQ(ReadWholeFile(disc / (folder + "/новый.txt")), "ok");
    }
    // The catalogue's own spelling, code page 1251, in another letter case.
    const std::string picture = "SOFT\\\xe8\xe3\xf0\xfb \xc4\xcb\xdf \xe4\xe5\xf2\xe5\xe9\\\xb8\xe6\xe8\xea\\PHOTO.JPG";
    EXPECT_EQ(ResolvePath(picture, disc.Path()), disc / "soft/Игры для детей/Ёжик/photo.jpg");
    TFileStream stream(disc.Path() + "\\" + picture, fmOpenRead);
    EXPECT_EQ(stream.Size(), 5);
}

TEST(FileIdentity, OneFolderByTwoLetterCasesIsOneTwoFoldersAreTwo) {
    TScratchFolder disc;
    disc.MakeFolder("soft/Игры");
    disc.MakeFolder("soft/Игры 2");
    const auto one = FileIdentity(disc / "soft/Игры");
    ASSERT_TRUE(one);
    EXPECT_EQ(FileIdentity(disc / "SOFT/иГРЫ"), one);
    EXPECT_EQ(FileIdentity(disc / "soft/./Игры/"), one);
    const auto other = FileIdentity(disc / "soft/Игры 2");
    ASSERT_TRUE(other);
    EXPECT_NE(other, one);
    EXPECT_FALSE(FileIdentity(disc / "soft/none"));
    EXPECT_FALSE(FileIdentity(disc / "soft/CON"));
}

} // namespace
