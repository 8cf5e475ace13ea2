// A pipe, a device or a folder where the disc names a file, as Linux makes them.

#include "shot_runner.h"
#include "support/test_application.h"

#include <QJsonArray>

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

TEST(LauncherOddFiles, PipesDevicesAndFoldersInPlaceOfFilesAreDeniedAtOnce) {
    TestApplication();
    TTestDisc Disc;
    fs::path catalogue = Disc.Root() / "db" / "base.txt";
    ASSERT_EQ(mkfifo(catalogue.c_str(), 0644), 0);
    TShotRun run = RunShot(Disc, "state\n");
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.States.at(0)["errors"].toArray(), QJsonArray{"File access denied."});
    fs::remove(catalogue);
    fs::create_symlink("/dev/zero", catalogue);
    run = RunShot(Disc, "state\n");
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.States.at(0)["errors"].toArray(), QJsonArray{"File access denied."});

    fs::remove(catalogue);
    Disc.SetCatalogue({"A@a pipe@p@@@x", "A@b zero@z@@@y", "A@c folder@f@@@z"});
    Disc.AddFolder("soft/A/p");
    ASSERT_EQ(mkfifo((Disc.Root() / "soft/A/p/Resize of photo.jpg").c_str(), 0644), 0);
    Disc.AddJpeg("A", "z", "Resize of photo.jpg", 50, 40);
    fs::create_symlink("/dev/zero", Disc.Root() / "soft/A/z/photo.jpg");
    Disc.AddJpeg("A", "f", "Resize of photo.jpg", 60, 40);
    Disc.AddFolder("soft/A/f/photo.jpg");
    TShotRun first = RunShot(Disc, "state\n");
    std::string clicks;
    for (int item : {1, 2}) {
        TClientPoint point = ListItemPoint(first.States.at(0), "ListBoxProg", item);
        clicks += "click " + std::to_string(point.X) + " " + std::to_string(point.Y) + "\nstate\n";
    }
    run = RunShot(Disc, clicks);
    ASSERT_EQ(run.Status, 0) << run.Err;
    const QString pipe = "Cannot open file \"soft\\A\\p\\Resize of photo.jpg\". Access is denied.";
    EXPECT_EQ(first.States[0]["errors"].toArray(), QJsonArray{pipe});
    // The start shows the first title again, so its error comes first.
    EXPECT_EQ(run.States.at(0)["errors"].toArray(),
              (QJsonArray{pipe, "Cannot open file \"soft\\A\\z\\photo.jpg\". Access is denied."}));
    EXPECT_EQ(Control(run.States[0], "ImPic")["pictureWidth"].toInt(), 50);
    EXPECT_EQ(run.States.at(1)["errors"].toArray(),
              (QJsonArray{pipe, "Cannot open file \"soft\\A\\z\\photo.jpg\". Access is denied.",
                          "Cannot open file \"soft\\A\\f\\photo.jpg\". Access is denied."}));
}
