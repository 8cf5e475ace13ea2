// The screenshot viewer as a user meets it: opened from the thumbnail, maximised at
// every opening, the screenshot unscaled at (1, 1), closed by a click on it.

#include "shot_runner.h"
#include "support/test_application.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

class ViewerTest : public ::testing::Test {
protected:
    void SetUp() override { TestApplication(); }

    // "click X Y" on the centre of the thumbnail, from the state of a first run.
    std::string ClickThumbnail(const QJsonObject& state) {
        TClientPoint at = PanelControlCentre(state, "ImPic");
        return "click " + std::to_string(at.X) + " " + std::to_string(at.Y) + "\n";
    }
    std::string ClickItem(const QJsonObject& state, const char* list, int index) {
        TClientPoint at = ListItemPoint(state, list, index);
        return "click " + std::to_string(at.X) + " " + std::to_string(at.Y) + "\n";
    }

    TTestDisc Disc;
};

QJsonObject Viewer(const QJsonObject& state) { return state["viewer"].toObject(); }

QRect BoundsOf(const QJsonObject& state, const char* name) {
    QJsonObject c = Control(state, name);
    return QRect(c["left"].toInt(), c["top"].toInt(), c["width"].toInt(), c["height"].toInt());
}

} // namespace

TEST_F(ViewerTest, EveryOpeningIsMaximisedWithTheScreenshotAtOneOne) {
    Disc.SetCatalogue({"A@Big@big@@@x", "A@Small@small@@@y"});
    Disc.AddJpeg("A", "big", "Resize of photo.jpg", 240, 180);
    Disc.AddJpeg("A", "big", "photo.jpg", 1600, 1200);
    Disc.AddJpeg("A", "small", "Resize of photo.jpg", 100, 80);
    Disc.AddJpeg("A", "small", "photo.jpg", 300, 200);
    TShotRun first = RunShot(Disc, "state\n");
    ASSERT_EQ(first.Status, 0) << first.Err;
    const QJsonObject& start = first.States.at(0);
    std::string png = (Disc.Root() / "viewer.png").string();
    std::string script = ClickThumbnail(start) + "state\nclick 5 5 viewer\nstate\n" + ClickThumbnail(start) +
                         "state\nshot " + png + " viewer\nclick 5 5 viewer\n" + ClickItem(start, "ListBoxProg", 1) +
                         ClickThumbnail(start) + "state\nclick 5 5 viewer\nstate\n";
    TShotRun run = RunShot(Disc, script, "--screen 1024x768");
    ASSERT_EQ(run.Status, 0) << run.Err;
    ASSERT_EQ(run.States.size(), 5u);
    for (size_t i : {0u, 2u, 3u}) {
        const QJsonObject& open = run.States[i];
        EXPECT_TRUE(Viewer(open)["visible"].toBool()) << i;
        EXPECT_TRUE(Viewer(open)["modal"].toBool()) << i;
        EXPECT_TRUE(Viewer(open)["maximized"].toBool()) << i;
        EXPECT_EQ(Viewer(open)["width"].toInt(), 1024) << i;
        EXPECT_EQ(Viewer(open)["height"].toInt(), 768) << i;
        EXPECT_EQ(BoundsOf(open, "ImPanel").left(), 0) << i;
        EXPECT_EQ(BoundsOf(open, "ImPanel").top(), 0) << i;
    }
    // Larger than the screen: unscaled, cut at the window's edge.
    EXPECT_EQ(BoundsOf(run.States[0], "ImageBigPic"), QRect(1, 1, 1600, 1200));
    EXPECT_EQ(BoundsOf(run.States[2], "ImageBigPic"), QRect(1, 1, 1600, 1200));
    EXPECT_EQ(BoundsOf(run.States[3], "ImageBigPic"), QRect(1, 1, 300, 200));
    EXPECT_EQ(BoundsOf(run.States[3], "ImPanel"), QRect(0, 0, 302, 202));
    // A click at (5, 5) is on the picture: it closed the viewer each time.
    EXPECT_FALSE(Viewer(run.States[1])["visible"].toBool());
    EXPECT_FALSE(Viewer(run.States[4])["visible"].toBool());

    // What the second opening shows: the bevel at (0, 0), the screenshot from (1, 1) on.
    QImage picture(QString::fromStdString(png));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.width(), Viewer(run.States[2])["clientWidth"].toInt());
    QColor bevel(picture.pixel(0, 0)), inside(picture.pixel(1, 1)), far(picture.pixel(900, 700));
    EXPECT_GT(bevel.lightness(), 200) << "the panel's raised bevel";
    for (QColor c : {inside, far}) {
        EXPECT_NEAR(c.red(), 40, 12);
        EXPECT_NEAR(c.green(), 120, 12);
        EXPECT_NEAR(c.blue(), 60, 12);
    }
}

// Restored to its normal size by the user, it opens maximised again the next time.
TEST_F(ViewerTest, ARestoredViewerOpensMaximisedAgain) {
    Disc.SetCatalogue({"A@T@t@@@x"});
    Disc.AddJpeg("A", "t", "Resize of photo.jpg", 100, 80);
    Disc.AddJpeg("A", "t", "photo.jpg", 300, 200);
    TShotRun first = RunShot(Disc, "state\n");
    ASSERT_EQ(first.Status, 0) << first.Err;
    const QJsonObject& start = first.States.at(0);
    TShotRun run = RunShot(Disc, ClickThumbnail(start) + "restore viewer\nstate\nclick 5 5 viewer\n" +
                                     ClickThumbnail(start) + "state\nclick 5 5 viewer\n");
    ASSERT_EQ(run.Status, 0) << run.Err;
    ASSERT_EQ(run.States.size(), 2u);
    EXPECT_TRUE(Viewer(run.States[0])["visible"].toBool());
    EXPECT_FALSE(Viewer(run.States[0])["maximized"].toBool());
    EXPECT_TRUE(Viewer(run.States[1])["visible"].toBool());
    EXPECT_TRUE(Viewer(run.States[1])["maximized"].toBool());
    EXPECT_EQ(Viewer(run.States[1])["width"].toInt(), 1024);
    EXPECT_EQ(BoundsOf(run.States[1], "ImageBigPic"), QRect(1, 1, 300, 200));
}

TEST_F(ViewerTest, WithoutAScreenshotThePictureKeepsTheSizeItHad) {
    Disc.SetCatalogue({"A@Never@never@@@x", "B@Alpha@shot@@@y", "B@Beta@gone@@@z"});
    Disc.AddJpeg("A", "never", "Resize of photo.jpg", 100, 80);
    Disc.AddJpeg("B", "shot", "Resize of photo.jpg", 100, 80);
    Disc.AddJpeg("B", "shot", "photo.jpg", 300, 200);
    Disc.AddJpeg("B", "gone", "Resize of photo.jpg", 100, 80);
    TShotRun first = RunShot(Disc, "state\n");
    ASSERT_EQ(first.Status, 0) << first.Err;
    const QJsonObject& start = first.States.at(0);
    // Never had a screenshot: the stored 105 × 105 picture in its 107 × 107 panel.
    EXPECT_EQ(BoundsOf(start, "ImageBigPic"), QRect(1, 1, 105, 105));
    EXPECT_EQ(BoundsOf(start, "ImPanel"), QRect(0, 0, 107, 107));

    std::string script = ClickThumbnail(start) + "state\nclick 150 150 viewer\nstate\nclick 100 100 viewer\nstate\n" +
                         ClickItem(start, "ListBoxGame", 1) + ClickItem(start, "ListBoxProg", 1) +
                         ClickThumbnail(start) + "state\nclick 250 150 viewer\nstate\n";
    TShotRun run = RunShot(Disc, script);
    ASSERT_EQ(run.Status, 0) << run.Err;
    ASSERT_EQ(run.States.size(), 5u);
    EXPECT_EQ(Viewer(run.States[0])["pictureWidth"].toInt(), 0);
    EXPECT_EQ(BoundsOf(run.States[0], "ImageBigPic"), QRect(1, 1, 105, 105));
    // Beside the panel is no picture to click; on the empty picture is.
    EXPECT_TRUE(Viewer(run.States[1])["visible"].toBool());
    EXPECT_FALSE(Viewer(run.States[2])["visible"].toBool());
    // After a 300 × 200 screenshot, a title without one shows an empty picture that size.
    EXPECT_EQ(Utf8(Control(run.States[3], "LbAbout")["caption"]), "z");
    EXPECT_EQ(Viewer(run.States[3])["pictureWidth"].toInt(), 0);
    EXPECT_EQ(BoundsOf(run.States[3], "ImageBigPic"), QRect(1, 1, 300, 200));
    EXPECT_FALSE(Viewer(run.States[4])["visible"].toBool());
}

// Only a thumbnail that was found and read opens the viewer, whatever came before.
TEST_F(ViewerTest, WithoutAThumbnailAClickOnItsPlaceOpensNothing) {
    Disc.SetCatalogue({"A@Broken@broken@@@x", "A@Found@found@@@y", "A@None@none@@@z"});
    Disc.AddFile("soft/A/broken/Resize of photo.jpg", "not a picture");
    Disc.AddJpeg("A", "broken", "photo.jpg", 300, 200);
    Disc.AddJpeg("A", "found", "Resize of photo.jpg", 100, 80);
    Disc.AddJpeg("A", "found", "photo.jpg", 300, 200);
    Disc.AddJpeg("A", "none", "photo.jpg", 300, 200);
    TShotRun first = RunShot(Disc, "state\n");
    ASSERT_EQ(first.Status, 0) << first.Err;
    const QJsonObject& start = first.States.at(0);
    // The view is there, empty, and takes the click.
    ASSERT_TRUE(Control(start, "ImPic")["visible"].toBool());
    ASSERT_FALSE(start["thumbFound"].toBool());
    std::string script = ClickThumbnail(start) + "state\n" + ClickItem(start, "ListBoxProg", 1) +
                         ClickThumbnail(start) + "state\nclick 5 5 viewer\n" + ClickItem(start, "ListBoxProg", 2) +
                         ClickThumbnail(start) + "state\n";
    TShotRun run = RunShot(Disc, script);
    ASSERT_EQ(run.Status, 0) << run.Err;
    ASSERT_EQ(run.States.size(), 3u);
    EXPECT_FALSE(Viewer(run.States[0])["visible"].toBool()) << "unreadable thumbnail";
    EXPECT_FALSE(Viewer(run.States[0])["modal"].toBool());
    EXPECT_TRUE(Viewer(run.States[1])["visible"].toBool()) << "a thumbnail";
    EXPECT_EQ(Utf8(Control(run.States[2], "LbAbout")["caption"]), "z");
    EXPECT_FALSE(Viewer(run.States[2])["visible"].toBool()) << "no thumbnail, after one";
}
