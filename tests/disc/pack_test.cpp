// vitrina-kit pack run as a disc author runs it, from a bundle: the disc folder it
// writes, the image, and what it refuses.

#include "disc/disc_support.h"
#include "support/kit_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// "Игры@Тетрис@tetris@@@Блоки" in code page 1251.
const std::string CatalogueLine = "\xC8\xE3\xF0\xFB@\xD2\xE5\xF2\xF0\xE8\xF1@tetris@@@\xC1\xEB\xEE\xEA\xE8\r\n";

std::string Bytes(size_t count, unsigned seed) {
    std::string bytes(count, '\0');
    for (size_t i = 0; i < count; ++i) bytes[i] = char((i * 2654435761u + seed) >> 13);
    return bytes;
}

// A path of 12 folders of 40 letters: deeper and longer than plain ISO 9660 allows.
std::string DeepPath() {
    std::string path = "deep";
    for (int i = 0; i < 12; ++i) path += "/" + std::string(38, char('a' + i)) + "-" + std::to_string(i % 10);
    return path;
}

// A disc folder named in Cyrillic with names a shell or a file system could get wrong.
void MakeOddDisc(const TScratchFolder& scratch, const std::string& disc) {
    scratch.Write(disc + "/db/base.txt", CatalogueLine);
    scratch.Write(disc + "/soft/Игры/Тетрис 2/photo.jpg", Bytes(3 << 20, 1));
    scratch.Write(disc + "/soft/Игры/Тетрис 2/Resize of photo.jpg", Bytes(5000, 2));
    for (const char* name : {"a  b", "quote'\"", "$(touch pwned)", "`x`", "-rf", "line\nbreak", "тире — «ёлка».txt"})
        scratch.Write(disc + "/odd/" + name, name);
    scratch.Write(disc + "/odd/empty", "");
    scratch.MakeFolder(disc + "/odd/empty folder");
    chmod(scratch.Write(disc + "/setup.sh", "#!/bin/sh\necho hi\n").c_str(), 0755);
    chmod(scratch.Write(disc + "/read-only.txt", "keep").c_str(), 0444);
    scratch.Write(disc + "/" + DeepPath() + "/end.txt", "deep");
    symlink("soft/Игры/Тетрис 2/Resize of photo.jpg", (scratch / (disc + "/thumb-link.jpg")).c_str());
}

class PackedDisc : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Bundle = new TTestBundle;
        Scratch = new TScratchFolder;
        MakeOddDisc(*Scratch, "Мой диск");
        Run = RunKit(*Scratch, "pack " + Quoted(*Scratch / "Мой диск") + " " + Quoted(*Scratch / "out") + " --iso " +
                                   Quoted(*Scratch / "disc.iso"));
    }
    static void TearDownTestSuite() {
        delete Scratch;
        delete Bundle;
    }
    static TKitRun RunKit(const TScratchFolder& scratch, const std::string& args) {
        TShellRun run = RunShell(scratch, Quoted(Bundle->Kit()) + " " + args);
        return {run.Status, run.Out, run.Err};
    }
    static TTree DiscAsPacked() {
        TTree disc = ReadTree(*Scratch / "Мой диск");
        // A link is carried as what it points to.
        disc["thumb-link.jpg"] = disc["soft/Игры/Тетрис 2/Resize of photo.jpg"];
        return disc;
    }

    static inline TTestBundle* Bundle = nullptr;
    static inline TScratchFolder* Scratch = nullptr;
    static inline TKitRun Run;
};

TEST_F(PackedDisc, TheFolderHoldsTheDiscUntouchedWithTheBundleAndAutorunBeside) {
    ASSERT_EQ(Run.Status, 0) << Run.Err;
    TTree out = ReadTree(*Scratch / "out");
    TTree bundle = ReadTree(Bundle->Root());
    TTree windows = ReadTree(Bundle->WindowsRoot());
    TTree rest;
    for (auto& [path, file] : out) {
        if (path.starts_with(".vitrina/windows/")) EXPECT_EQ(file, windows.at(path.substr(17))) << path;
        else if (path.starts_with(".vitrina/") && path != ".vitrina/windows") EXPECT_EQ(file, bundle.at(path.substr(9))) << path;
        else if (path != ".vitrina" && path != ".vitrina/windows" && path != "autorun.sh" && path != "autorun.inf") rest[path] = file;
    }
    EXPECT_EQ(rest, DiscAsPacked());
    EXPECT_EQ(out.size(), bundle.size() + windows.size() + rest.size() + 4);
    // Windows starts the launcher the disc carries, shows its icon and names the disc.
    EXPECT_EQ(out.at("autorun.inf").Bytes, "[autorun]\r\nopen=.vitrina\\windows\\bin\\vitrina.exe\r\n"
                                           "icon=.vitrina\\windows\\bin\\vitrina.exe,0\r\nlabel=MOJ_DISK\r\n");
    EXPECT_EQ(out.at(".vitrina/windows/bin/vitrina.exe").Bytes, "MZ stand-in");
    EXPECT_EQ(out.at(".vitrina/bin/vitrina").Mode & 0111, 0111u);
    EXPECT_EQ(out.at("autorun.sh").Mode, 0755u);
    EXPECT_EQ(out.at("autorun.sh").Bytes, ReadWholeFile(std::string(VITRINA_SOURCE_DIR) + "/resources/autorun.sh"));
    EXPECT_FALSE(fs::exists(*Scratch / "pwned"));
}

TEST_F(PackedDisc, TheImageListsEveryNameModeAndByte) {
    ASSERT_EQ(Run.Status, 0) << Run.Err;
    TIsoContents iso = ReadIso(*Scratch / "disc.iso");
    EXPECT_EQ(iso.VolumeId, "MOJ_DISK") << "made from the folder's name";
    TTree out = ReadTree(*Scratch / "out");
    ASSERT_EQ(iso.Files.size(), out.size());
    for (auto& [path, file] : out) {
        auto found = iso.Files.find(path);
        ASSERT_NE(found, iso.Files.end()) << path;
        EXPECT_EQ(found->second.IsFolder, file.IsFolder) << path;
        EXPECT_TRUE(found->second.Bytes == file.Bytes) << path;
        // Read-only for everyone; what could be run still can.
        mode_t expected = file.IsFolder || (file.Mode & 0111) ? 0555 : 0444;
        EXPECT_EQ(found->second.Mode, expected) << path;
    }
    EXPECT_EQ(iso.Files.at("autorun.sh").Mode, 0555u);
}

TEST_F(PackedDisc, NothingIsLeftBesideTheResults) {
    ASSERT_EQ(Run.Status, 0) << Run.Err;
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(Scratch->Path())) names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"Мой диск", "out", "disc.iso", "shell-out", "shell-err"}));
}

class PackRefusals : public PackedDisc {
protected:
    static void SetUpTestSuite() { Bundle = new TTestBundle; }
    static void TearDownTestSuite() { delete Bundle; }
    TScratchFolder scratch;
    TKitRun Pack(const std::string& args) { return RunKit(scratch, "pack " + args); }
};

TEST_F(PackRefusals, ADiscWithoutACatalogue) {
    scratch.Write("disc/soft/a.txt", "a");
    TKitRun run = Pack(Quoted(scratch / "disc") + " " + Quoted(scratch / "out"));
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("db\\base.txt cannot be read; Vitrina would say: Invalid filename."), std::string::npos)
        << run.Err;
    scratch.MakeFolder("disc/db");
    run = Pack(Quoted(scratch / "disc") + " " + Quoted(scratch / "out"));
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("Vitrina would say: File not found."), std::string::npos) << run.Err;
    EXPECT_FALSE(fs::exists(scratch / "out"));
}

TEST_F(PackRefusals, PlacesThatWouldLoseOrMixFiles) {
    scratch.Write("disc/db/base.txt", CatalogueLine);
    scratch.Write("full/mine.txt", "mine");
    scratch.Write("image.iso", "old");
    struct TCase {
        std::string Args, Says;
    } cases[] = {
        {Quoted(scratch / "disc") + " " + Quoted(scratch / "full"), "exists and is not an empty folder"},
        {Quoted(scratch / "image.iso") + " " + Quoted(scratch / "out"), "is not a folder"},
        {Quoted(scratch / "disc") + " " + Quoted(scratch / "disc/out"), "lies inside the disc folder"},
        {Quoted(scratch / "disc") + " " + Quoted(scratch / "disc"), "lies inside the disc folder"},
        {Quoted(scratch / "disc") + " " + Quoted(scratch / "out") + " --iso " + Quoted(scratch / "image.iso"),
         "exists; pack does not overwrite it"},
        {Quoted(scratch / "disc") + " " + Quoted(scratch / "out") + " --iso " + Quoted(scratch / "out/x.iso"),
         "would lie inside"},
    };
    for (const TCase& c : cases) {
        TKitRun run = Pack(c.Args);
        EXPECT_EQ(run.Status, 1) << c.Args;
        EXPECT_NE(run.Err.find(c.Says), std::string::npos) << c.Args << "\n" << run.Err;
    }
    EXPECT_EQ(ReadTree(scratch / "full").size(), 1u);
    EXPECT_EQ(ReadWholeFile(scratch / "image.iso"), "old");
    EXPECT_FALSE(fs::exists(scratch / "out"));
    EXPECT_EQ(Pack("only-one").Status, 2);
    EXPECT_EQ(Pack("a b --label X").Status, 2) << "a label without an image";
}

TEST_F(PackRefusals, AnEmptyFolderIsAPlaceToPackInto) {
    scratch.Write("disc/db/base.txt", CatalogueLine);
    scratch.MakeFolder("out");
    TKitRun run = Pack(Quoted(scratch / "disc") + " " + Quoted(scratch / "out"));
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(ReadWholeFile(scratch / "out/db/base.txt"), CatalogueLine);
}

// A disc for Windows needs the Windows bundle; without it nothing is written, and a
// disc for Linux alone needs none. A disc's own autorun.inf would start instead of ours.
TEST_F(PackRefusals, WhatADiscForWindowsLacks) {
    scratch.Write("disc/db/base.txt", CatalogueLine);
    const std::string places = Quoted(scratch / "disc") + " " + Quoted(scratch / "out");
    TKitRun run = Pack(places + " --windows-bundle " + Quoted(scratch / "nowhere"));
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("a disc for Windows needs the Windows bundle, and " + (scratch / "nowhere") +
                           " is not one (it has no bin/vitrina.exe with bin/qt.conf); nothing was written"),
              std::string::npos) << run.Err;
    EXPECT_FALSE(fs::exists(scratch / "out"));
    EXPECT_EQ(Pack(places + " --system mac").Status, 2);

    run = Pack(places + " --system linux --windows-bundle " + Quoted(scratch / "nowhere"));
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_FALSE(fs::exists(scratch / "out/autorun.inf"));
    EXPECT_FALSE(fs::exists(scratch / "out/.vitrina/windows"));

    run = Pack(Quoted(scratch / "disc") + " " + Quoted(scratch / "win") + " --system windows");
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_FALSE(fs::exists(scratch / "win/autorun.sh"));
    EXPECT_FALSE(fs::exists(scratch / "win/.vitrina/bin"));
    EXPECT_TRUE(fs::exists(scratch / "win/.vitrina/windows/bin/vitrina.exe"));

    scratch.Write("disc/AutoRun.INF", "[autorun]\r\nopen=setup.exe\r\n");
    run = Pack(Quoted(scratch / "disc") + " " + Quoted(scratch / "again"));
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("AutoRun.INF would start instead of Vitrina"), std::string::npos) << run.Err;
    // Packing a packed disc again replaces our own autorun files and bundles.
    run = Pack(Quoted(scratch / "win") + " " + Quoted(scratch / "repacked"));
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_TRUE(fs::exists(scratch / "repacked/autorun.sh"));
}

TEST_F(PackRefusals, AKitOutsideABundle) {
    scratch.Write("disc/db/base.txt", CatalogueLine);
    TShellRun run = RunShell(scratch, Quoted(VITRINA_KIT) + " pack " + Quoted(scratch / "disc") + " " +
                                          Quoted(scratch / "out"));
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("make one with scripts/bundle"), std::string::npos) << run.Err;
}

// Each file that cannot go onto a disc is named, all of them at once, before anything
// is written.
TEST_F(PackRefusals, FilesThatCannotGoOntoADiscAreNamedAndNothingIsWritten) {
    scratch.Write("disc/db/base.txt", CatalogueLine);
    symlink("loop", (scratch / "disc/loop").c_str());
    scratch.MakeFolder("disc/soft/a");
    symlink("../..", (scratch / "disc/soft/a/up").c_str());
    symlink("nowhere", (scratch / "disc/gone").c_str());
    mkfifo((scratch / "disc/pipe").c_str(), 0644);
    scratch.Write("disc/soft/\xE8\xE3\xF0\xE0.txt", "cp1251 name");
    TKitRun run = Pack(Quoted(scratch / "disc") + " " + Quoted(scratch / "out") + " --iso " + Quoted(scratch / "d.iso"));
    EXPECT_EQ(run.Status, 1);
    for (const char* says : {"loop: a symbolic link loop", "soft/a/up: a symbolic link loop",
                             "gone: a symbolic link to nothing", "pipe: not a file or a folder",
                             "soft/\\xE8\\xE3\\xF0\\xE0.txt: its name is not UTF-8"})
        EXPECT_NE(run.Err.find(says), std::string::npos) << says << "\n" << run.Err;
    EXPECT_FALSE(fs::exists(scratch / "out"));
    EXPECT_FALSE(fs::exists(scratch / "d.iso"));
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch.Path()), fs::directory_iterator()), 3)
        << "disc and the shell's two files only";
}

TEST_F(PackRefusals, AFileThatCannotBeReadIsNamed) {
    scratch.Write("disc/db/base.txt", CatalogueLine);
    chmod(scratch.Write("disc/soft/secret.txt", "x").c_str(), 0);
    std::string kit = Quoted(Bundle->Kit());
    if (geteuid() == 0) {
        // Root reads everything: pack as nobody, in folders nobody may use.
        if (std::system("command -v setpriv >/dev/null 2>&1") != 0) GTEST_SKIP() << "no setpriv";
        for (const std::string& folder : {scratch.Path(), fs::path(Bundle->Root()).parent_path().string()})
            chmod(folder.c_str(), 0777);
        kit = "setpriv --reuid=65534 --regid=65534 --clear-groups " + kit;
    }
    TShellRun run = RunShell(scratch, kit + " pack " + Quoted(scratch / "disc") + " " + Quoted(scratch / "out"));
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("soft/secret.txt: cannot be read (Permission denied)"), std::string::npos) << run.Err;
    EXPECT_FALSE(fs::exists(scratch / "out"));
}

} // namespace
