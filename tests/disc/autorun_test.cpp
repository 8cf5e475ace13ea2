// autorun.sh on a packed disc: the program runs in the disc's root wherever the desktop
// or a person starts the script from, also where the disc forbids running programs,
// and nothing is written on the disc.

#include "disc/disc_support.h"
#include "support/kit_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class Autorun : public ::testing::Test {
protected:
    void SetUp() override {
        scratch.Write("disc/db/base.txt", "Games@Tetris@tetris@@@Blocks\r\n");
        TShellRun run = RunShell(scratch, Quoted(bundle.Kit()) + " pack " + Quoted(scratch / "disc") + " " +
                                              Quoted(Disc()));
        ASSERT_EQ(run.Status, 0) << run.Err;
        scratch.MakeFolder("tmp");
        scratch.MakeFolder("elsewhere");
    }

    // A mount point with a space and Cyrillic letters.
    std::string Disc() const { return scratch / "media/user/Мой диск 1"; }

    // Runs `command` from the folder `from`, as an ordinary desktop would start it.
    TShellRun Start(const std::string& from, const std::string& command) {
        return RunShell(scratch, "cd " + Quoted(from) + " && VITRINA_TEST_RECORD=" + Quoted(scratch / "record") +
                                     " TMPDIR=" + Quoted(scratch / "tmp") + " XDG_RUNTIME_DIR= " + command);
    }

    std::string Record() const { return ReadWholeFile(scratch / "record"); }

    TTestBundle bundle;
    TScratchFolder scratch;
};

TEST_F(Autorun, RunsTheProgramInTheDiscRootFromAnyFolder) {
    const std::string root = fs::canonical(Disc()).string();
    const std::string script = Disc() + "/autorun.sh";
    // The desktop runs it from the disc's root, or by its full path; people type it.
    EXPECT_EQ(Start(Disc(), "./autorun.sh").Status, 0);
    EXPECT_EQ(Start(scratch / "elsewhere", Quoted(script)).Status, 0);
    EXPECT_EQ(Start(scratch / "elsewhere", "sh " + Quoted(script)).Status, 0);
    EXPECT_EQ(Start(scratch / "media/user", "sh './Мой диск 1/autorun.sh'").Status, 0);
    EXPECT_EQ(Record(), root + "\n" + root + "\n" + root + "\n" + root + "\n");
}

TEST_F(Autorun, RunsACopyWhereTheDiscForbidsRunningPrograms) {
    // A disc mounted noexec: the program cannot be started from it.
    chmod((Disc() + "/.vitrina/bin/vitrina").c_str(), 0644);
    TTree before = ReadTree(Disc());
    TShellRun run = Start(scratch / "elsewhere", "sh " + Quoted(Disc() + "/autorun.sh"));
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(Record(), fs::canonical(Disc()).string() + "\n");
    EXPECT_EQ(ReadTree(Disc()), before) << "nothing written on the disc";
    EXPECT_TRUE(fs::is_empty(scratch / "tmp")) << "the copy is gone afterwards";
}

TEST_F(Autorun, TheProgramsExitStatusComesBack) {
    std::ofstream(Disc() + "/.vitrina/bin/vitrina", std::ios::trunc) << "#!/bin/sh\nexit 3\n";
    EXPECT_EQ(Start(scratch / "elsewhere", Quoted(Disc() + "/autorun.sh")).Status, 3);
}

} // namespace
