// The launcher's frame and chrome on the real window: dragging by the banner, the
// minimise, close and link images, the cursor over every area whatever the
// pointer's path, and the marker above the description's bar.

#include "shot_runner.h"
#include "support/test_application.h"

#include <gtest/gtest.h>

namespace {

constexpr int Arrow = -2, Hand = -21;

// Points of the stored window, in client coordinates.
const TClientPoint Banner{300, 50}, BannerRight{700, 60}, Body{400, 580}, Minimise{770, 15}, Close{790, 15},
    Link{60, 18}, CategoryList{100, 200}, TitleList{300, 180}, Description{600, 470},
    Thumbnail{655, 271}, DescriptionBar{771, 500};

std::string At(const char* verb, TClientPoint p) {
    return std::string(verb) + " " + std::to_string(p.X) + " " + std::to_string(p.Y) + "\n";
}

// A description that wraps to `lines` lines of the label: one long word a line.
std::string Lines(int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) text += (i ? " " : "") + std::string(15, 'W');
    return text;
}

class ChromeTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        Disc.SetCatalogue({"A@Long@long@@@" + Lines(12), "A@None@none@@@short"});
        Disc.AddJpeg("A", "long", "Resize of photo.jpg", 200, 150);
    }
    TTestDisc Disc;
};

} // namespace

TEST_F(ChromeTest, TheBannerDragsTheWindowAndTheBodyDoesNot) {
    // From the very corner, and then from the middle of the banner.
    std::string script = At("press", {0, 0}) + At("move", {40, 25}) + At("release", {0, 0}) + "state\n" +
                         At("press", Banner) + At("move", {Banner.X - 10, Banner.Y + 5}) + At("release", Banner) +
                         "state\n" + At("press", Body) + At("move", {Body.X + 40, Body.Y - 25}) +
                         At("release", {Body.X + 40, Body.Y - 25}) + "state\n";
    TShotRun run = RunShot(Disc, script);
    ASSERT_EQ(run.Status, 0) << run.Err;
    ASSERT_EQ(run.States.size(), 3u);
    auto position = [](const QJsonObject& state) {
        QJsonObject window = state["window"].toObject();
        return std::pair{window["left"].toInt(), window["top"].toInt()};
    };
    EXPECT_EQ(position(run.States[0]), (std::pair{112 + 40, 84 + 25}));
    EXPECT_EQ(position(run.States[1]), (std::pair{112 + 30, 84 + 30}));
    EXPECT_EQ(position(run.States[2]), position(run.States[1]));
}

TEST_F(ChromeTest, MinimiseCloseAndTheLink) {
    TShotRun run = RunShot(Disc, At("click", Link) + At("click", Minimise) + "state\nrestore\nstate\n" +
                                     At("click", Close) + "state\n");
    ASSERT_EQ(run.Status, 0) << run.Err;
    ASSERT_EQ(run.States.size(), 3u);
    QJsonArray shell = run.States[0]["shell"].toArray();
    ASSERT_EQ(shell.size(), 1);
    EXPECT_EQ(Utf8(shell[0].toObject()["verb"]), "open");
    EXPECT_EQ(Utf8(shell[0].toObject()["file"]), "vitrina.example.org");
    EXPECT_EQ(shell[0].toObject()["show"].toInt(), 5);
    EXPECT_TRUE(run.States[0]["window"].toObject()["minimized"].toBool());
    EXPECT_FALSE(run.States[1]["window"].toObject()["minimized"].toBool());
    EXPECT_TRUE(run.States[1]["window"].toObject()["visible"].toBool());
    EXPECT_FALSE(run.States[2]["window"].toObject()["visible"].toBool());
}

TEST_F(ChromeTest, EveryAreaGivesItsCursorWhateverThePath) {
    struct TStep {
        const char* Where;
        TClientPoint Point;
        int Cursor, Shown;
    };
    // The hand stays over areas without a handler; the banner shows the arrow
    // without changing the screen cursor.
    const TStep path[] = {
        {"body", Body, Arrow, Arrow},
        {"banner", Banner, Arrow, Arrow},
        {"minimise", Minimise, Hand, Hand},
        {"banner after minimise", BannerRight, Hand, Arrow},
        {"close", Close, Hand, Hand},
        {"banner after close", Banner, Hand, Arrow},
        {"link", Link, Hand, Hand},
        {"banner after link", Banner, Hand, Arrow},
        {"body", Body, Arrow, Arrow},
        {"category list", CategoryList, Hand, Hand},
        {"description", Description, Hand, Hand},
        {"body", Body, Arrow, Arrow},
        {"description bar", DescriptionBar, Hand, Hand},
        {"banner", Banner, Hand, Arrow},
        {"title list", TitleList, Hand, Hand},
        {"body", Body, Arrow, Arrow},
        {"thumbnail", Thumbnail, Hand, Hand},
        {"banner", Banner, Hand, Arrow},
        {"minimise from the banner", Minimise, Hand, Hand},
    };
    std::string script;
    for (const TStep& step : path) script += At("move", step.Point) + "state\n";
    TShotRun run = RunShot(Disc, script);
    ASSERT_EQ(run.Status, 0) << run.Err;
    ASSERT_EQ(run.States.size(), std::size(path));
    for (size_t i = 0; i < std::size(path); ++i) {
        EXPECT_EQ(run.States[i]["cursor"].toInt(), path[i].Cursor) << i << " " << path[i].Where;
        EXPECT_EQ(run.States[i]["cursorShown"].toInt(), path[i].Shown) << i << " " << path[i].Where;
    }
}

TEST_F(ChromeTest, WithoutAThumbnailItsAreaKeepsTheArrow) {
    TShotRun first = RunShot(Disc, "state\n");
    ASSERT_EQ(first.Status, 0) << first.Err;
    TClientPoint none = ListItemPoint(first.States.at(0), "ListBoxProg", 1);
    // From the hand of the list, the no-image picture keeps it; the body gives the
    // arrow, which the no-image picture then keeps.
    TShotRun run = RunShot(Disc, At("click", none) + At("move", Thumbnail) + "state\n" + At("move", Body) +
                                     At("move", Thumbnail) + "state\n");
    ASSERT_EQ(run.Status, 0) << run.Err;
    ASSERT_EQ(run.States.size(), 2u);
    EXPECT_FALSE(run.States[0]["thumbFound"].toBool());
    EXPECT_EQ(run.States[0]["cursor"].toInt(), Hand);
    EXPECT_EQ(run.States[1]["cursor"].toInt(), Arrow);
    EXPECT_EQ(run.States[1]["cursorShown"].toInt(), Arrow);
}

TEST_F(ChromeTest, TheDescriptionMarkerShowsFromTenLines) {
    Disc.SetCatalogue({"A@Nine@nine@@@" + Lines(9), "A@Ten@ten@@@" + Lines(10)});
    TShotRun first = RunShot(Disc, "state\n");
    ASSERT_EQ(first.Status, 0) << first.Err;
    TClientPoint ten = ListItemPoint(first.States.at(0), "ListBoxProg", 1);
    TShotRun run = RunShot(Disc, At("click", ten) + "state\n");
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(Control(first.States[0], "LbAbout")["height"].toInt(), 117);
    EXPECT_FALSE(Control(first.States[0], "Image2")["visible"].toBool());
    EXPECT_EQ(Control(run.States.at(0), "LbAbout")["height"].toInt(), 130);
    EXPECT_TRUE(Control(run.States[0], "Image2")["visible"].toBool());
}
