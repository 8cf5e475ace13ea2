// Lists far longer than 65,535 titles, driven through the real launcher: the thumb,
// the track, the arrows, the wheel and the keys reach every row.

#include "shot_runner.h"
#include "support/test_application.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// Category A holds 70,000 titles and B 1,000,000.
void WriteLongCatalogue(TTestDisc& disc) {
    std::vector<std::string> lines;
    lines.reserve(1070000);
    char line[64];
    for (int i = 0; i < 70000; ++i) {
        std::snprintf(line, sizeof line, "A@a%07d@f%d@@@", i, i);
        lines.emplace_back(line);
    }
    for (int i = 0; i < 1000000; ++i) {
        std::snprintf(line, sizeof line, "B@b%07d@f%d@@@", i, i);
        lines.emplace_back(line);
    }
    disc.SetCatalogue(lines);
}

struct TBarPoints {
    std::string Top, Bottom, Thumb, ThumbAtEnd, TrackTop, FarBelow, Middle, List;
};

std::string At(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }

// Where to point at the title list's bar and rows; Thumb is the thumb at the top.
TBarPoints BarPoints(const QJsonObject& state) {
    QJsonObject list = Control(state, "ListBoxProg");
    QJsonObject bar = list["scrollBar"].toObject();
    int x = list["left"].toInt() + bar["left"].toInt() + bar["width"].toInt() / 2;
    int top = 100 + list["top"].toInt() + bar["top"].toInt();
    int height = bar["height"].toInt();
    int button = bar["width"].toInt(); // square step buttons
    TBarPoints p;
    p.Top = At(x, top + button / 2);
    p.Bottom = At(x, top + height - button / 2);
    p.Thumb = At(x, top + button + 4);
    p.ThumbAtEnd = At(x, top + height - button - 4);
    p.TrackTop = At(x, top + button + 2);
    p.FarBelow = At(x, top + height + 200);
    p.Middle = At(x, top + height / 2);
    TClientPoint row = ListItemPoint(state, "ListBoxProg", 0);
    p.List = At(row.X, row.Y);
    return p;
}

// Every gesture, each followed by a state.
std::string Gestures(const TBarPoints& p) {
    return "press " + p.Thumb + "\nmove " + p.FarBelow + "\nrelease " + p.FarBelow + "\nstate\n" + // thumb to the end
           "click " + p.Top + "\nstate\n" +                                                       // one row up
           "click " + p.Bottom + "\nstate\n" +                                                    // and down again
           "click " + p.TrackTop + "\nstate\n" +                                                  // the track above the thumb
           "wheel " + p.List + " 1\nstate\n" +                                                    // a notch up
           "press " + p.ThumbAtEnd + "\nmove " + p.Middle + "\nrelease " + p.Middle + "\nstate\n" +     // thumb from the end to the middle
           "key End\nstate\n";
}

} // namespace

TEST(LongLists, EveryGestureReachesTheEndOfSeventyThousandAndAMillionTitles) {
    TestApplication();
    TTestDisc disc;
    WriteLongCatalogue(disc);
    TShotRun first = RunShot(disc, "state\n");
    ASSERT_EQ(first.Status, 0) << first.Err;
    TBarPoints p = BarPoints(first.States.at(0));
    TClientPoint categoryB = ListItemPoint(first.States[0], "ListBoxGame", 1);
    std::string script = "click " + p.List + "\n" + Gestures(p) + "click " + At(categoryB.X, categoryB.Y) +
                         "\nclick " + p.List + "\n" + Gestures(p);
    TShotRun run = RunShot(disc, script);
    ASSERT_EQ(run.Status, 0) << run.Err;
    ASSERT_EQ(run.States.size(), 14u);
    for (int count : {70000, 1000000}) {
        SCOPED_TRACE(count);
        const int last = count - 19; // nineteen rows show
        const std::vector<QJsonObject> states(run.States.begin() + (count == 70000 ? 0 : 7),
                                              run.States.begin() + (count == 70000 ? 7 : 14));
        auto top = [&](size_t i) { return Control(states.at(i), "ListBoxProg")["topIndex"].toInt(); };
        for (const QJsonObject& s : states) {
            QJsonObject list = Control(s, "ListBoxProg");
            ASSERT_EQ(list["itemCount"].toInt(), count);
            EXPECT_EQ(list["topIndex"].toInt(), list["scrollBar"].toObject()["position"].toInt());
        }
        // The state names the ends of the list and what it leaves out between them.
        QJsonArray items = Control(states[0], "ListBoxProg")["items"].toArray();
        ASSERT_EQ(items.size(), 200);
        EXPECT_EQ(items[99].toString().mid(1).toInt(), 99);
        EXPECT_EQ(items[100].toString().mid(1).toInt(), count - 100);
        EXPECT_EQ(items[199].toString().mid(1).toInt(), count - 1);
        EXPECT_EQ(Control(states[0], "ListBoxProg")["itemsLeftOut"].toArray(), (QJsonArray{100, count - 101}));
        EXPECT_EQ(top(0), last);
        EXPECT_EQ(top(1), last - 1);
        EXPECT_EQ(top(2), last);
        EXPECT_EQ(top(3), last - 1);
        EXPECT_EQ(top(4), last - 1 - 4); // the native three rows and one more
        EXPECT_NEAR(top(5), count / 2, count / 20);
        EXPECT_EQ(top(6), last);
        EXPECT_EQ(Control(states[6], "ListBoxProg")["itemIndex"].toInt(), count - 1);
    }
}

TEST(LongLists, HomeEndAndTypingBringTheCurrentTitleBackAfterTheThumbTookTheViewAway) {
    TestApplication();
    TTestDisc disc;
    std::vector<std::string> lines;
    char line[64];
    for (int i = 0; i < 70000; ++i) {
        std::snprintf(line, sizeof line, "A@a%07d@f%d@@@", i, i);
        lines.emplace_back(line);
    }
    lines.emplace_back("A@zed@z@@@"); // the last title, and the only one with a z
    disc.SetCatalogue(lines);
    TShotRun first = RunShot(disc, "state\n");
    ASSERT_EQ(first.Status, 0) << first.Err;
    TBarPoints p = BarPoints(first.States.at(0));
    std::string farAbove = p.Top.substr(0, p.Top.find(' ')) + " -300";
    std::string script = "click " + p.List + "\n" + // title 0, and the thumb takes the view to the end
                         "press " + p.Thumb + "\nmove " + p.FarBelow + "\nrelease " + p.FarBelow + "\n" +
                         "state\nkey Home\nstate\n" +
                         "key End\npress " + p.ThumbAtEnd + "\nmove " + farAbove + "\nrelease " + farAbove + "\n" +
                         "state\nkey z\nstate --all-items\n";
    TShotRun run = RunShot(disc, script);
    ASSERT_EQ(run.Status, 0) << run.Err;
    ASSERT_EQ(run.States.size(), 4u);
    auto list = [&](size_t i) { return Control(run.States.at(i), "ListBoxProg"); };
    const int last = 70000, lastTop = 70001 - 19;
    EXPECT_EQ(list(0)["topIndex"].toInt(), lastTop);
    EXPECT_EQ(list(0)["itemIndex"].toInt(), 0);
    EXPECT_EQ(list(1)["topIndex"].toInt(), 0);
    EXPECT_EQ(list(1)["scrollBar"].toObject()["position"].toInt(), 0);
    EXPECT_EQ(list(2)["topIndex"].toInt(), 0);
    EXPECT_EQ(list(2)["itemIndex"].toInt(), last);
    EXPECT_EQ(list(3)["topIndex"].toInt(), lastTop);
    EXPECT_EQ(list(3)["itemIndex"].toInt(), last);
    EXPECT_EQ(list(3)["items"].toArray().size(), 70001);
    EXPECT_TRUE(list(3)["itemsLeftOut"].isNull());
}
