// The launcher as a user meets it, driven headless through vitrina-kit shot.

#include "shot_runner.h"
#include "support/scratch_folder.h"
#include "support/test_application.h"

#include "platform/cp1251.h"

#include <QColor>
#include <QImage>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <tuple>

using ::testing::ElementsAre;
using ::testing::StartsWith;
namespace fs = std::filesystem;

namespace {

class LauncherTest : public ::testing::Test {
protected:
    void SetUp() override { TestApplication(); }
    TTestDisc Disc;
};

std::vector<std::string> Titles(int count, const std::string& category) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        char title[16];
        std::snprintf(title, sizeof title, "t%02d", i);
        lines.push_back(category + "@" + title + "@f" + std::to_string(i) + "@@@" + "about " + title);
    }
    return lines;
}

} // namespace

TEST_F(LauncherTest, StartsOnTheFirstCategoryAndItsFirstTitle) {
    Disc.SetCatalogue({"Игры@Тетрис@tetris@@@Падающие фигуры", "Графика@Рисовалка@paint@@@Рисует",
                       "игры@Змейка@snake@@@Ползёт"});
    Disc.AddJpeg("Графика", "paint", "Resize of photo.jpg", 100, 80);
    Disc.AddJpeg("Графика", "paint", "photo.jpg", 640, 480);
    TShotRun run = RunShot(Disc, "state\n");
    ASSERT_EQ(run.Status, 0) << run.Err;
    const QJsonObject& s = run.States.at(0);
    // Sorted by the whole line ignoring case, so "игры@Змейка" comes before
    // "Игры@Тетрис"; names that differ in case stay two categories.
    EXPECT_THAT(Items(s, "ListBoxGame"), ElementsAre("Графика", "игры", "Игры"));
    EXPECT_EQ(Control(s, "ListBoxGame")["itemIndex"].toInt(), 0);
    EXPECT_THAT(Items(s, "ListBoxProg"), ElementsAre("Рисовалка"));
    EXPECT_EQ(Control(s, "ListBoxProg")["itemIndex"].toInt(), 0);
    EXPECT_EQ(Utf8(Control(s, "LbAbout")["caption"]), "Рисует");
    EXPECT_TRUE(s["thumbFound"].toBool());
    EXPECT_TRUE(Control(s, "ImPic")["visible"].toBool());
    EXPECT_FALSE(Control(s, "ImNoImag")["visible"].toBool());
    EXPECT_EQ(Control(s, "ImPic")["pictureWidth"].toInt(), 100);
    EXPECT_EQ(s["viewer"].toObject()["pictureWidth"].toInt(), 640);
    EXPECT_FALSE(Control(s, "Image3")["visible"].toBool());
    EXPECT_EQ(Control(s, "ListBoxProg")["height"].toInt(), 22);
    EXPECT_TRUE(s["errors"].toArray().isEmpty());
}

TEST_F(LauncherTest, CategoryAndTitleClicksShowTheirDetails) {
    std::vector<std::string> lines = Titles(3, "A");
    for (const auto& line : Titles(2, "B")) lines.push_back(line);
    Disc.SetCatalogue(lines);
    TShotRun first = RunShot(Disc, "state\n");
    ASSERT_EQ(first.Status, 0) << first.Err;
    TClientPoint categoryB = ListItemPoint(first.States[0], "ListBoxGame", 1);
    TClientPoint categoryA = ListItemPoint(first.States[0], "ListBoxGame", 0);
    TClientPoint third = ListItemPoint(first.States[0], "ListBoxProg", 2);
    std::string script = "click " + std::to_string(third.X) + " " + std::to_string(third.Y) + "\nstate\n" +
                         "click " + std::to_string(categoryA.X) + " " + std::to_string(categoryA.Y) + "\nstate\n" +
                         "click " + std::to_string(categoryB.X) + " " + std::to_string(categoryB.Y) + "\nstate\n";
    TShotRun run = RunShot(Disc, script);
    ASSERT_EQ(run.Status, 0) << run.Err;
    ASSERT_EQ(run.States.size(), 3u);
    EXPECT_EQ(Control(run.States[0], "ListBoxProg")["itemIndex"].toInt(), 2);
    EXPECT_EQ(Utf8(Control(run.States[0], "LbAbout")["caption"]), "about t02");
    // The category already shown: nothing changes, the chosen title stays.
    EXPECT_EQ(Control(run.States[1], "ListBoxProg")["itemIndex"].toInt(), 2);
    EXPECT_EQ(Utf8(Control(run.States[1], "LbAbout")["caption"]), "about t02");
    EXPECT_THAT(Items(run.States[2], "ListBoxProg"), ElementsAre("t00", "t01"));
    EXPECT_EQ(Control(run.States[2], "ListBoxProg")["itemIndex"].toInt(), 0);
    EXPECT_EQ(Control(run.States[2], "ListBoxProg")["height"].toInt(), 42);
}

TEST_F(LauncherTest, ArrowKeysBrowseLikeClicks) {
    std::vector<std::string> lines = Titles(2, "A");
    for (const auto& line : Titles(3, "B")) lines.push_back(line);
    Disc.SetCatalogue(lines);
    TShotRun first = RunShot(Disc, "state\n");
    TClientPoint categoryA = ListItemPoint(first.States.at(0), "ListBoxGame", 0);
    std::string script = "click " + std::to_string(categoryA.X) + " " + std::to_string(categoryA.Y) +
                         "\nkey Down\nstate\n";
    TShotRun run = RunShot(Disc, script);
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(Utf8(run.States.at(0)["focus"]), "ListBoxGame");
    EXPECT_EQ(Control(run.States[0], "ListBoxGame")["itemIndex"].toInt(), 1);
    EXPECT_THAT(Items(run.States[0], "ListBoxProg"), ElementsAre("t00", "t01", "t02"));
}

TEST_F(LauncherTest, TitleListHeightAndMarkersFollowTheCounts) {
    std::vector<std::string> lines;
    for (auto [count, name] : {std::pair{19, "a19"}, {20, "b20"}, {21, "c21"}, {1, "d01"}})
        for (const auto& line : Titles(count, name)) lines.push_back(line);
    Disc.SetCatalogue(lines);
    TShotRun first = RunShot(Disc, "state\n");
    ASSERT_EQ(first.Status, 0) << first.Err;
    std::string script;
    for (int k = 1; k < 4; ++k) {
        TClientPoint p = ListItemPoint(first.States[0], "ListBoxGame", k);
        script += "click " + std::to_string(p.X) + " " + std::to_string(p.Y) + "\nstate\n";
    }
    TShotRun run = RunShot(Disc, script);
    ASSERT_EQ(run.States.size(), 3u) << run.Err;
    std::vector<std::pair<int, bool>> seen;
    seen.emplace_back(Control(first.States[0], "ListBoxProg")["height"].toInt(),
                      Control(first.States[0], "Image1")["visible"].toBool());
    for (const auto& s : run.States)
        seen.emplace_back(Control(s, "ListBoxProg")["height"].toInt(), Control(s, "Image1")["visible"].toBool());
    EXPECT_THAT(seen, ElementsAre(std::pair{382, false}, std::pair{394, false}, std::pair{394, true}, std::pair{22, false}));
    EXPECT_TRUE(Control(first.States[0], "Image3")["visible"].toBool()); // 61 lines
}

TEST_F(LauncherTest, ThumbnailsAreFoundWhateverTheirCase) {
    Disc.SetCatalogue({"A@Upper@up@@@x", "B@None@none@@@y", "C@Broken@broken@@@z"});
    Disc.AddJpeg("A", "up", "RESIZE OF PHOTO.JPG", 300, 250);
    Disc.AddJpeg("B", "none", "photo.jpg", 320, 200);
    Disc.AddFile("soft/C/broken/Resize of photo.jpg", "this is not a picture");
    TShotRun first = RunShot(Disc, "state\n");
    ASSERT_EQ(first.Status, 0) << first.Err;
    const QJsonObject& a = first.States[0];
    EXPECT_TRUE(a["thumbFound"].toBool());
    EXPECT_EQ(Control(a, "ImPic")["pictureWidth"].toInt(), 300);

    TClientPoint b = ListItemPoint(a, "ListBoxGame", 1), c = ListItemPoint(a, "ListBoxGame", 2);
    auto click = [](TClientPoint p) { return "click " + std::to_string(p.X) + " " + std::to_string(p.Y) + "\n"; };
    // The unreadable thumbnail straight after a found one, then after none.
    TShotRun run = RunShot(Disc, click(c) + "state\n" + click(b) + "state\n" + click(c) + "state\n");
    ASSERT_EQ(run.States.size(), 3u) << run.Err;
    // A thumbnail that cannot be read: reported, the view shown but empty, and whether
    // a thumbnail was found stays what it was.
    for (size_t i : {0u, 2u}) {
        const QJsonObject& broken = run.States[i];
        ASSERT_EQ(broken["errors"].toArray().size(), i == 0 ? 1 : 2) << i;
        EXPECT_THAT(Utf8(broken["errors"].toArray()[0]), StartsWith("JPEG error #"));
        EXPECT_TRUE(Control(broken, "ImPic")["visible"].toBool()) << i;
        EXPECT_FALSE(Control(broken, "ImNoImag")["visible"].toBool()) << i;
        EXPECT_EQ(Control(broken, "ImPic")["pictureWidth"].toInt(), 0) << i;
    }
    EXPECT_TRUE(run.States[0]["thumbFound"].toBool()) << "kept from the title before";
    EXPECT_FALSE(run.States[2]["thumbFound"].toBool()) << "kept from the title before";
    // No thumbnail: the no-image picture, and the screenshot is still loaded.
    EXPECT_FALSE(run.States[1]["thumbFound"].toBool());
    EXPECT_FALSE(Control(run.States[1], "ImPic")["visible"].toBool());
    EXPECT_TRUE(Control(run.States[1], "ImNoImag")["visible"].toBool());
    EXPECT_EQ(run.States[1]["viewer"].toObject()["pictureWidth"].toInt(), 320);
}

namespace {

// What the launcher's painter put on one row of a list: pixels of the given colour, the
// darkest pixel, where the ink is (anything much darker than the row's lightest), and
// how much of that area it covers, whatever its colour (bold strokes cover more).
struct TRowInk {
    int OfColour = 0;
    QColor Darkest = Qt::white;
    QRect Extent;
    double Cover = 0;
};

TRowInk RowInk(const QImage& window, const QJsonObject& state, const char* list, int index, QColor colour) {
    QJsonObject c = Control(state, list);
    QRect row(c["left"].toInt() + 1, 100 + c["top"].toInt() + 1 + 20 * (index - c["topIndex"].toInt()),
              c["width"].toInt() - 2, 20);
    int lightest = 0;
    for (int y = row.top(); y <= row.bottom(); ++y)
        for (int x = row.left(); x <= row.right(); ++x) lightest = std::max(lightest, QColor(window.pixel(x, y)).lightness());
    TRowInk ink;
    for (int y = row.top(); y <= row.bottom(); ++y)
        for (int x = row.left(); x <= row.right(); ++x) {
            QColor pixel(window.pixel(x, y));
            ink.OfColour += pixel == colour;
            if (pixel.lightness() < ink.Darkest.lightness()) ink.Darkest = pixel;
            if (pixel.lightness() < lightest - 100) ink.Extent |= QRect(x, y, 1, 1);
        }
    double covered = 0;
    for (int y = ink.Extent.top(); y <= ink.Extent.bottom(); ++y)
        for (int x = ink.Extent.left(); x <= ink.Extent.right(); ++x)
            covered += double(lightest - QColor(window.pixel(x, y)).lightness()) / (lightest - ink.Darkest.lightness());
    if (!ink.Extent.isEmpty()) ink.Cover = covered / (ink.Extent.width() * ink.Extent.height());
    return ink;
}

} // namespace

// Each list's first row, current and then not: only the current one is dark green,
// bold and a size larger; both start at the text area's corner.
TEST_F(LauncherTest, TheCurrentItemIsDarkGreenBoldAndLarger) {
    Disc.SetCatalogue({"Same@Same@f1@@@x", "Same@Other@f2@@@y", "Zed@T@f3@@@z"});
    TShotRun first = RunShot(Disc, "state\n");
    ASSERT_EQ(first.Status, 0) << first.Err;
    const QJsonObject& start = first.States.at(0);
    auto click = [&](const char* list) {
        TClientPoint p = ListItemPoint(start, list, 1);
        return "click " + std::to_string(p.X) + " " + std::to_string(p.Y) + "\n";
    };
    std::string png = (Disc.Root() / "window").string();
    TShotRun run = RunShot(Disc, "shot " + png + "0.png\n" + click("ListBoxProg") + "shot " + png + "1.png\n" +
                                     click("ListBoxGame") + "shot " + png + "2.png\n");
    ASSERT_EQ(run.Status, 0) << run.Err;
    QImage before(QString::fromStdString(png + "0.png")), titleAway(QString::fromStdString(png + "1.png")),
        categoryAway(QString::fromStdString(png + "2.png"));
    ASSERT_FALSE(before.isNull() || titleAway.isNull() || categoryAway.isNull());
    const QColor green(0, 94, 28);
    for (auto [list, away] : {std::pair{"ListBoxProg", &titleAway}, std::pair{"ListBoxGame", &categoryAway}}) {
        TRowInk current = RowInk(before, start, list, 0, green), other = RowInk(*away, start, list, 0, green);
        EXPECT_GT(current.OfColour, 10) << list;
        EXPECT_EQ(other.OfColour, 0) << list;
        // Black, smoothed at the edges of thin strokes.
        EXPECT_LT(other.Darkest.lightness(), 20) << list;
        EXPECT_EQ(other.Darkest.red(), other.Darkest.green()) << list;
        ASSERT_FALSE(current.Extent.isEmpty() || other.Extent.isEmpty()) << list;
        // A bold letter may reach one pixel further left.
        EXPECT_NEAR(current.Extent.left(), other.Extent.left(), 1) << list;
        EXPECT_GT(current.Extent.width(), other.Extent.width()) << list;
        EXPECT_GT(current.Extent.height(), other.Extent.height()) << list;
        EXPECT_GT(current.Cover, 1.12 * other.Cover) << list << ": bold";
    }
}

TEST_F(LauncherTest, DoubleClickAndEnterOpenTheTitleFolder) {
    Disc.SetCatalogue({"A@Title@B@@@x"});
    TShotRun first = RunShot(Disc, "state\n");
    TClientPoint item = ListItemPoint(first.States.at(0), "ListBoxProg", 0);
    std::string at = std::to_string(item.X) + " " + std::to_string(item.Y);
    TShotRun run = RunShot(Disc, "dblclick " + at + "\nkey Enter shift\nkey Enter ctrl\nstate\n");
    ASSERT_EQ(run.Status, 0) << run.Err;
    QJsonArray shell = run.States.at(0)["shell"].toArray();
    ASSERT_EQ(shell.size(), 3);
    for (const QJsonValue& request : shell) {
        EXPECT_EQ(Utf8(request.toObject()["verb"]), "open");
        EXPECT_EQ(Utf8(request.toObject()["file"]), "soft\\A\\B");
        EXPECT_EQ(request.toObject()["show"].toInt(), 5);
    }
}

TEST_F(LauncherTest, TheViewerOpensModallyOnTheThumbnailAndClosesOnAClick) {
    Disc.SetCatalogue({"A@T@f@@@x"});
    Disc.AddJpeg("A", "f", "Resize of photo.jpg", 200, 150);
    Disc.AddJpeg("A", "f", "photo.jpg", 500, 400);
    TShotRun first = RunShot(Disc, "state\n");
    TClientPoint thumbnail = PanelControlCentre(first.States.at(0), "ImPic");
    std::string at = std::to_string(thumbnail.X) + " " + std::to_string(thumbnail.Y);
    TShotRun run = RunShot(Disc, "move " + at + "\nclick " + at + "\nstate\nclick 100 100 viewer\nstate\n");
    ASSERT_EQ(run.Status, 0) << run.Err;
    ASSERT_EQ(run.States.size(), 2u);
    QJsonObject open = run.States[0]["viewer"].toObject();
    EXPECT_TRUE(open["visible"].toBool());
    EXPECT_TRUE(open["modal"].toBool());
    EXPECT_EQ(open["pictureWidth"].toInt(), 500);
    EXPECT_EQ(Control(run.States[0], "ImageBigPic")["width"].toInt(), 500);
    EXPECT_EQ(Control(run.States[0], "ImageBigPic")["left"].toInt(), 1);
    EXPECT_EQ(Control(run.States[0], "ImPanel")["width"].toInt(), 502);
    EXPECT_EQ(run.States[0]["cursor"].toInt(), 0); // the default while the viewer is open
    QJsonObject closed = run.States[1]["viewer"].toObject();
    EXPECT_FALSE(closed["visible"].toBool());
    EXPECT_EQ(closed["pictureWidth"].toInt(), 500); // hidden, not destroyed
    EXPECT_EQ(run.States[1]["cursor"].toInt(), -21); // the hand, saved before it opened
}

TEST_F(LauncherTest, AMissingCatalogueIsReportedOnce) {
    Disc.RemoveCatalogue();
    TShotRun run = RunShot(Disc, "advance 100\nstate\n");
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.States.at(0)["errors"].toArray(), QJsonArray{"File not found."});
    EXPECT_TRUE(Items(run.States[0], "ListBoxGame").empty());
    EXPECT_EQ(Utf8(Control(run.States[0], "LbAbout")["caption"]), "LbAbout");

    Disc.RemoveDbFolder();
    run = RunShot(Disc, "state\n");
    EXPECT_EQ(run.States.at(0)["errors"].toArray(), QJsonArray{"Invalid filename."});
}

TEST_F(LauncherTest, TheWindowIsCentredWithDivisionTowardZero) {
    Disc.SetCatalogue({"A@T@f@@@x"});
    auto position = [&](const std::string& screen) {
        TShotRun run = RunShot(Disc, "state\n", "--screen " + screen);
        QJsonObject window = run.States.at(0)["window"].toObject();
        return std::pair{window["left"].toInt(), window["top"].toInt()};
    };
    EXPECT_EQ(position("1024x768"), (std::pair{112, 84}));
    EXPECT_EQ(position("800x600"), (std::pair{0, 0}));
    EXPECT_EQ(position("640x480"), (std::pair{-80, -60}));
    EXPECT_EQ(position("799x641"), (std::pair{0, 20}));
}

TEST_F(LauncherTest, AUtf8CatalogueWithAByteOrderMarkShowsAsItsCodePage1251Twin) {
    // The same disc twice: é is not in the code page, so the twin has "?" in its place.
    auto lists = [this](const std::string& catalogue) {
        Disc.AddFile("db/base.txt", catalogue);
        TShotRun first = RunShot(Disc, "state\n");
        EXPECT_EQ(first.Status, 0) << first.Err;
        TClientPoint second = ListItemPoint(first.States.at(0), "ListBoxGame", 1);
        TShotRun run = RunShot(Disc, "click " + std::to_string(second.X) + " " + std::to_string(second.Y) + "\nstate\n");
        const QJsonObject& s = run.States.at(0);
        return std::tuple{Items(s, "ListBoxGame"), Items(s, "ListBoxProg"), Utf8(Control(s, "LbAbout")["caption"]),
                          first.States[0]["errors"].toArray().size()};
    };
    auto utf8 = lists("\xEF\xBB\xBF" "Игры@Tetris@t@@@Фигуры\r\nИгры@Café@c@@@Кофе\r\nАрхив@Ёж@e@@@Колючий\r\n");
    auto twin = lists(Utf8ToCp1251("Игры@Tetris@t@@@Фигуры\r\nИгры@Caf?@c@@@Кофе\r\nАрхив@Ёж@e@@@Колючий\r\n"));
    EXPECT_EQ(utf8, twin);
    EXPECT_THAT(std::get<0>(utf8), ElementsAre("Архив", "Игры"));
    EXPECT_THAT(std::get<1>(utf8), ElementsAre("Caf?", "Tetris"));
    EXPECT_EQ(std::get<2>(utf8), "Кофе");
}

TEST_F(LauncherTest, AShotRunLeavesNothingInTheTemporaryFolder) {
    Disc.SetCatalogue({"A@T@f@@@x"});
    TScratchFolder temporary;
    // TMPDIR on Linux, TMP and TEMP on Windows.
    const char* names[] = {"TMPDIR", "TMP", "TEMP"};
    std::vector<std::pair<QByteArray, bool>> saved;
    for (const char* name : names) {
        saved.emplace_back(qgetenv(name), qEnvironmentVariableIsSet(name));
        qputenv(name, QByteArray::fromStdString(temporary.Path()));
    }
    TShotRun run = RunShot(Disc, "state\n", "--screen 800x600");
    for (std::size_t i = 0; i < std::size(names); ++i)
        saved[i].second ? qputenv(names[i], saved[i].first) : qunsetenv(names[i]);
    ASSERT_EQ(run.Status, 0) << run.Err;
    std::string left;
    for (const auto& entry : std::filesystem::directory_iterator(temporary.Path()))
        // Qt's own runtime folder, made once and kept, is not the run's.
        if (entry.path().filename().string().rfind("runtime-", 0) != 0) left += entry.path().filename().string() + " ";
    EXPECT_EQ(left, "");
}
