// vitrina-kit picture, run as a disc author would run it on a title's pictures.

#include "jpeg_samples.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace {

struct TRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TRun Kit(const TScratchFolder& scratch, const std::string& args) {
    std::string command = std::string("'") + VITRINA_KIT + "' picture " + args + " >'" + (scratch / "out") +
                          "' 2>'" + (scratch / "err") + "'";
    TRun run;
    int status = std::system(command.c_str());
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Out = Slurp(scratch / "out");
    run.Err = Slurp(scratch / "err");
    return run;
}

TEST(KitPicture, PrintsTypeAndSizeAndDecodesOnRequest) {
    TScratchFolder disc;
    TJpegSample sample;
    sample.Width = 40;
    sample.Height = 30;
    disc.Write("Игры/photo.JPG", MakeJpeg(sample));
    TRun run = Kit(disc, "'" + disc.Path() + "/Игры/photo.JPG'");
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "TJPEGImage 40x30\n");
    EXPECT_EQ(run.Err, "");

    run = Kit(disc, "--decode '" + disc.Path() + "/Игры/photo.JPG'");
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "TJPEGImage 40x30\ndecoded 40x30 24bpp\n");
}

TEST(KitPicture, ReportsErrorsAsTheLauncherWould) {
    TScratchFolder disc;
    disc.Write("empty.jpg", "");
    disc.Write("shot.png", "x");
    TRun run = Kit(disc, "'" + (disc / "empty.jpg") + "'");
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "TJPEGImage 0x0\n");

    run = Kit(disc, "'" + (disc / "empty.jpg") + "' --decode");
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "JPEG error #42.\n");

    run = Kit(disc, "'" + (disc / "shot.png") + "'");
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, "Unknown picture file extension (.png).\n");

    run = Kit(disc, "'" + (disc / "gone.jpg") + "'");
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "Cannot open file \"" + (disc / "gone.jpg") +
                           "\". The system cannot find the file specified.\n");

    EXPECT_EQ(Kit(disc, "").Status, 2);
}

} // namespace
