// vitrina-kit picture, run as a disc author would run it on a title's pictures.

#include "jpeg_samples.h"
#include "support/kit_runner.h"

#include <gtest/gtest.h>

namespace {

TKitRun Kit(const std::string& args) { return RunKit("picture " + args); }

TEST(KitPicture, PrintsTypeAndSizeAndDecodesOnRequest) {
    TScratchFolder disc;
    TJpegSample sample;
    sample.Width = 40;
    sample.Height = 30;
    disc.Write("Игры/photo.JPG", MakeJpeg(sample));
    TKitRun run = Kit("'" + disc.Path() + "/Игры/photo.JPG'");
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "TJPEGImage 40x30\n");
    EXPECT_EQ(run.Err, "");

    run = Kit("--decode '" + disc.Path() + "/Игры/photo.JPG'");
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "TJPEGImage 40x30\ndecoded 40x30 24bpp\n");
}

TEST(KitPicture, ReportsErrorsAsTheLauncherWould) {
    TScratchFolder disc;
    disc.Write("empty.jpg", "");
    disc.Write("shot.png", "x");
    TKitRun run = Kit("'" + (disc / "empty.jpg") + "'");
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "TJPEGImage 0x0\n");

    run = Kit("'" + (disc / "empty.jpg") + "' --decode");
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "JPEG error #42.\n");

    run = Kit("'" + (disc / "shot.png") + "'");
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Out, "");
    // The error box adds no full stop after a closing parenthesis.
    EXPECT_EQ(run.Err, "Unknown picture file extension (.png)\n");
    run = Kit("'" + (disc / "shot") + "'");
    EXPECT_EQ(run.Err, "Unknown picture file extension (.)\n");

    run = Kit("'" + (disc / "gone.jpg") + "'");
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "Cannot open file \"" + (disc / "gone.jpg") +
                           "\". The system cannot find the file specified.\n");

    EXPECT_EQ(Kit("").Status, 2);
}

} // namespace
