// What a disc may hold where a file should be: a pipe, a link to a device, a folder, an
// empty file. Every command answers within seconds and says what is wrong.

#include "support/kit_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

constexpr int kDeadline = 60;
constexpr char kLine[] = "Games@Tetris@tetris@@@Blocks\r\n";

TKitRun Kit(const std::string& args) { return RunKit(args, "C.UTF-8", kDeadline); }

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

enum TOddKind { Fifo, DeviceLink, Folder };
const TOddKind kOddKinds[] = {Fifo, DeviceLink, Folder};
const char* Name(TOddKind kind) { return kind == Fifo ? "a pipe" : kind == DeviceLink ? "a link to /dev/zero" : "a folder"; }

void MakeOdd(const std::string& path, TOddKind kind) {
    fs::create_directories(fs::path(path).parent_path());
    fs::remove_all(path);
    if (kind == Fifo) {
        ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    } else if (kind == DeviceLink) {
        fs::create_symlink("/dev/zero", path);
    } else {
        fs::create_directory(path);
    }
}

TEST(OddFiles, TheCatalogueIsAccessDenied) {
    for (TOddKind kind : kOddKinds) {
        TScratchFolder disc;
        MakeOdd(disc / "db/base.txt", kind);
        TKitRun run = Kit("catalogue " + Quoted(disc.Path()));
        EXPECT_EQ(run.Status, 1) << Name(kind);
        EXPECT_EQ(run.Err, "File access denied.\n") << Name(kind);
        run = Kit("check " + Quoted(disc.Path()));
        EXPECT_EQ(run.Status, 1) << Name(kind);
        EXPECT_EQ(run.Err, "File access denied.\n") << Name(kind);
    }
}

TEST(OddFiles, PicturesCannotBeOpenedAndTheCheckSaysSo) {
    for (TOddKind kind : kOddKinds) {
        TScratchFolder disc;
        disc.Write("db/base.txt", kLine);
        MakeOdd(disc / "soft/Games/tetris/Resize of photo.jpg", kind);
        MakeOdd(disc / "soft/Games/tetris/photo.jpg", kind);
        std::string picture = disc / "soft/Games/tetris/photo.jpg";
        TKitRun run = Kit("picture " + Quoted(picture));
        EXPECT_EQ(run.Status, 1) << Name(kind);
        EXPECT_EQ(run.Err, "Cannot open file \"" + picture + "\". Access is denied.\n") << Name(kind);

        run = Kit("check " + Quoted(disc.Path()));
        EXPECT_EQ(run.Status, 1) << Name(kind);
        for (const char* which : {"the thumbnail fails to load: Cannot open file", "the screenshot fails to load: Cannot open file"})
            EXPECT_NE(run.Out.find(which), std::string::npos) << Name(kind) << "\n" << run.Out << run.Err;
    }
}

TEST(OddFiles, AnEmptyCatalogueAndAnEmptyPictureAreFiles) {
    TScratchFolder disc;
    disc.Write("db/base.txt", "");
    disc.Write("photo.jpg", "");
    EXPECT_EQ(Kit("catalogue --summary " + Quoted(disc.Path())).Out, "{\"lines\": 0, \"categories\": 0}\n");
    TKitRun run = Kit("picture --decode " + Quoted(disc / "photo.jpg"));
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "JPEG error #42.\n");
}

TEST(OddFiles, SkinFilesAreNotWaitedOn) {
    TScratchFolder scratch;
    MakeOdd(scratch / "skin/skin.ini", Fifo);
    TKitRun run = Kit("skin --ini " + Quoted(scratch / "skin/skin.ini"));
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("Access is denied"), std::string::npos) << run.Err;

    fs::remove(scratch / "skin/skin.ini");
    scratch.Write("skin/skin.ini", "[PICTURES]\npicture=main.bmp\n");
    for (TOddKind kind : kOddKinds) {
        MakeOdd(scratch / "skin/main.bmp", kind);
        run = Kit("skin --ini " + Quoted(scratch / "skin/skin.ini"));
        EXPECT_EQ(run.Status, 1) << Name(kind);
        EXPECT_NE(run.Err.find("main.bmp\". Access is denied"), std::string::npos) << Name(kind) << run.Err;
    }
}

TEST(OddFiles, EveryFileOfABrandIsRefusedAsUnreadable) {
    for (TOddKind kind : kOddKinds) {
        TScratchFolder scratch;
        for (const char* file : {"head.bmp", "icon.png", "site.txt"}) MakeOdd(scratch / ("brand/" + std::string(file)), kind);
        TKitRun run = Kit("brand-check " + Quoted(scratch / "brand"));
        EXPECT_EQ(run.Status, 1) << Name(kind);
        for (const char* file : {"head.bmp: ", "icon.png: ", "site.txt: "})
            EXPECT_NE(run.Err.find(file), std::string::npos) << Name(kind) << ": " << file << "\n" << run.Err;
    }
}

// A catalogue larger than the memory the kit may take: a sparse file costs no disc space.
#if defined(__SANITIZE_ADDRESS__)
#define VITRINA_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VITRINA_ADDRESS_SANITIZER 1
#endif
#endif

TEST(OddFiles, ACatalogueLargerThanMemoryIsOutOfMemory) {
#ifdef VITRINA_ADDRESS_SANITIZER
    GTEST_SKIP() << "not under the address sanitizer: it cannot reserve its shadow memory within `ulimit -v`, "
                    "and without the limit it ends the process on an allocation that fails instead of "
                    "throwing, so no run of the kit can say \"Out of memory.\" there";
#endif
    TScratchFolder disc;
    std::string catalogue = disc.Write("db/base.txt", "");
    fs::resize_file(catalogue, std::uintmax_t(4) << 30);
    for (const char* command : {"catalogue", "check"}) {
        std::string limited = "sh -c 'ulimit -v 1500000; exec \"$0\" \"$@\"' '" + std::string(VITRINA_KIT) + "' " +
                              command + " " + Quoted(disc.Path());
        std::string full = "timeout -k 5 " + std::to_string(kDeadline) + " " + limited + " >'" + (disc / "out") +
                           "' 2>'" + (disc / "err") + "'";
        int status = std::system(full.c_str());
        EXPECT_TRUE(WIFEXITED(status)) << command;
        EXPECT_EQ(WEXITSTATUS(status), 1) << command;
        EXPECT_EQ(ReadWholeFile(disc / "err"), "Out of memory.\n") << command;
    }
}

} // namespace
