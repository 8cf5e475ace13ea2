// The launcher on displays of other resolutions: drawn one to one, except on displays
// of two or more times 96 dpi, which double (triple...) every pixel.

#include "shot_runner.h"
#include "support/test_application.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

class DisplayScalingTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        Disc.SetCatalogue({"Игры@Тетрис@tetris@@@Падающие фигуры", "Игры@Змейка@snake@@@Ползёт"});
        Disc.AddJpeg("Игры", "snake", "Resize of photo.jpg", 200, 150);
    }

    // The state and a picture of the launcher at a resolution and screen size.
    std::pair<QJsonObject, QImage> Look(int dpi, const std::string& screen) {
        std::string png = (Disc.Root() / ("look" + std::to_string(dpi) + ".png")).string();
        TShotRun run = RunShot(Disc, "state\nshot " + png + "\n",
                               "--dpi " + std::to_string(dpi) + " --screen " + screen);
        EXPECT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.States.size(), 1u);
        return {run.States.empty() ? QJsonObject() : run.States[0], QImage(QString::fromStdString(png))};
    }

    TTestDisc Disc;
};

QJsonObject Window(const QJsonObject& state) { return state["window"].toObject(); }
QJsonObject ScreenOf(const QJsonObject& state) { return state["screen"].toObject(); }

// Whether every pixel of `small` fills a whole factor × factor block of `large`.
bool BlocksRepeat(const QImage& small, const QImage& large, QRect area, int factor) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            for (int dy = 0; dy < factor; ++dy)
                for (int dx = 0; dx < factor; ++dx)
                    if (large.pixel(x * factor + dx, y * factor + dy) != small.pixel(x, y)) return false;
    return true;
}

} // namespace

TEST_F(DisplayScalingTest, BetweenWholeFactorsTheWindowIsCopiedOneToOne) {
    auto [at96, picture96] = Look(96, "640x480");
    for (int dpi : {120, 144}) {
        auto [state, picture] = Look(dpi, "640x480");
        EXPECT_EQ(Window(state)["left"].toInt(), -80) << dpi;
        EXPECT_EQ(Window(state)["top"].toInt(), -60) << dpi;
        EXPECT_EQ(ScreenOf(state)["pixelsPerInch"].toInt(), dpi);
        EXPECT_EQ(ScreenOf(state)["scale"].toInt(), 1);
        EXPECT_EQ(picture.size(), QSize(800, 600)) << dpi;
        // The font heights are pixels, so the text too is what it is at 96 dpi.
        EXPECT_TRUE(picture == picture96) << dpi;
    }
    EXPECT_EQ(ScreenOf(at96)["pixelsPerInch"].toInt(), 96);
}

TEST_F(DisplayScalingTest, TwiceTheResolutionDoublesPicturesAndDrawsTextSharp) {
    auto [at96, picture96] = Look(96, "1024x768");
    auto [at192, picture192] = Look(192, "2048x1536");
    EXPECT_EQ(ScreenOf(at192)["scale"].toInt(), 2);
    EXPECT_EQ(ScreenOf(at192)["pixelsPerInch"].toInt(), 96);
    EXPECT_EQ(ScreenOf(at192)["width"].toInt(), 1024);
    EXPECT_EQ(Window(at192)["left"].toInt(), 112);
    ASSERT_EQ(picture192.size(), QSize(1600, 1200));
    // The banner, the body, the thumbnail: every stored pixel becomes four.
    EXPECT_TRUE(BlocksRepeat(picture96, picture192, QRect(0, 0, 800, 100), 2));
    EXPECT_TRUE(BlocksRepeat(picture96, picture192, QRect(534, 171, 242, 200), 2));
    // The list items are drawn at the display's resolution, not enlarged.
    QJsonObject titles = Control(at96, "ListBoxProg");
    QRect firstItem(titles["left"].toInt() + 4, 100 + titles["top"].toInt() + 4, 100, 14);
    EXPECT_FALSE(BlocksRepeat(picture96, picture192, firstItem, 2));
    // A display of three times the resolution: the window is 2400 × 1800.
    auto [at288, picture288] = Look(288, "3072x2304");
    EXPECT_EQ(ScreenOf(at288)["scale"].toInt(), 3);
    EXPECT_EQ(picture288.size(), QSize(2400, 1800));
    EXPECT_TRUE(BlocksRepeat(picture96, picture288, QRect(0, 0, 800, 100), 3));
}
