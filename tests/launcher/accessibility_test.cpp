// The launcher and the viewer as a screen reader meets them, through vitrina-kit
// shot's a11y commands on small discs with Cyrillic names.

#include "shot_runner.h"
#include "support/test_application.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

std::string Label(const QJsonObject& node) { return Utf8(node["role"]) + " " + Utf8(node["name"]); }

std::vector<std::string> Children(const QJsonObject& node) {
    std::vector<std::string> children;
    for (const QJsonValue& child : node["children"].toArray()) children.push_back(Label(child.toObject()));
    return children;
}

std::vector<std::string> States(const QJsonObject& node) {
    std::vector<std::string> states;
    for (const QJsonValue& state : node["states"].toArray()) states.push_back(Utf8(state));
    return states;
}

// The first node, depth first, with that role and name.
QJsonObject Find(const QJsonObject& node, const std::string& label) {
    if (Label(node) == label) return node;
    for (const QJsonValue& child : node["children"].toArray())
        if (QJsonObject found = Find(child.toObject(), label); !found.isEmpty()) return found;
    return {};
}

QJsonObject Child(const QJsonObject& node, int index) { return node["children"].toArray()[index].toObject(); }

// The announcements as "Type: Role Name". Unless `all`, without bars ranged anew and
// lists refilled, whose number depends on how the launcher refills them.
std::vector<std::string> Heard(const QJsonDocument& events, bool all = false) {
    std::vector<std::string> heard;
    for (const QJsonValue& value : events.array()) {
        QJsonObject event = value.toObject();
        std::string type = Utf8(event["type"]);
        if (all || (type != "ValueChanged" && type != "ObjectReorder")) heard.push_back(type + ": " + Label(event));
    }
    return heard;
}

class LauncherAccessibility : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        // Sorted: Графика@Рисовалка, Игры@Змейка, Игры@Тетрис.
        Disc.SetCatalogue({"Игры@Тетрис@tetris@@@Падающие &&фигуры", "Игры@Змейка@snake@@@Ползёт",
                           "Графика@Рисовалка@paint@@@Рисует"});
        Disc.AddJpeg("Игры", "tetris", "Resize of photo.jpg", 120, 90);
        Disc.AddJpeg("Игры", "tetris", "photo.jpg", 400, 300);
    }

    TShotRun Run(const std::string& script) {
        TShotRun run = RunShot(Disc, script);
        EXPECT_EQ(run.Status, 0) << run.Err;
        return run;
    }

    TTestDisc Disc;
};

TEST_F(LauncherAccessibility, TheTreeNamesWhatIsOnScreenAndLeavesOutDecoration) {
    TShotRun run = Run("a11y\n");
    ASSERT_EQ(run.Lines.size(), 1u);
    QJsonObject window = run.Lines[0].object();
    EXPECT_EQ(Utf8(window["role"]), "Window");
    EXPECT_THAT(States(window), Contains("active"));
    EXPECT_EQ(window["rect"].toArray(), (QJsonArray{112, 84, 800, 600}));
    // No thumbnail for the first title: the no-image picture says so. The banner, the
    // body and the markers are not there, nor the panels around the chrome.
    EXPECT_THAT(Children(window),
                ElementsAre("Graphic Снимка экрана нет", "List Разделы", "List Программы", "Pane ", "Button Закрыть",
                            "Button Свернуть", "Link vitrina.example.org"));

    QJsonObject categories = Find(window, "List Разделы");
    EXPECT_THAT(Children(categories), ElementsAre("ListItem Графика", "ListItem Игры"));
    EXPECT_THAT(States(categories), ElementsAre("focusable", "focused"));
    EXPECT_THAT(States(Child(categories, 0)), ElementsAre("focusable", "focused", "selectable", "selected"));
    EXPECT_THAT(States(Child(categories, 1)), ElementsAre("focusable", "selectable"));
    // Items lie one under the other from the top of their list.
    QJsonArray list = categories["rect"].toArray();
    EXPECT_EQ(Child(categories, 1)["rect"].toArray(), (QJsonArray{list[0], list[1].toInt() + 20, list[2], 20}));

    QJsonObject titles = Find(window, "List Программы");
    EXPECT_THAT(Children(titles), ElementsAre("ListItem Рисовалка"));
    EXPECT_THAT(States(Child(titles, 0)), ElementsAre("focusable", "selectable", "selected"));
    EXPECT_THAT(Children(Find(window, "Pane ")), ElementsAre("StaticText Рисует"));
    for (const char* button : {"Button Закрыть", "Button Свернуть", "Link vitrina.example.org"})
        EXPECT_EQ(Find(window, button)["actions"].toArray(), QJsonArray{"press"}) << button;
    EXPECT_EQ(Find(window, "Graphic Снимка экрана нет")["actions"].toArray(), QJsonArray{});
}

TEST_F(LauncherAccessibility, KeysAndClicksMoveSelectionAndFocus) {
    TShotRun first = Run("state\n");
    TClientPoint snake = ListItemPoint(first.States.at(0), "ListBoxProg", 0);
    TShotRun run = Run("key Down\nkey Tab\nkey Down\na11y\nclick " + std::to_string(snake.X) + " " +
                       std::to_string(snake.Y) + "\na11y\n");
    ASSERT_EQ(run.Lines.size(), 2u);
    QJsonObject keyed = run.Lines[0].object();
    QJsonObject categories = Find(keyed, "List Разделы"), titles = Find(keyed, "List Программы");
    EXPECT_THAT(States(categories), ElementsAre("focusable"));
    EXPECT_THAT(States(Child(categories, 1)), ElementsAre("focusable", "selectable", "selected"));
    EXPECT_THAT(Children(titles), ElementsAre("ListItem Змейка", "ListItem Тетрис"));
    EXPECT_THAT(States(Child(titles, 1)), ElementsAre("focusable", "focused", "selectable", "selected"));
    // A title is read with its description; the accelerator mark is not read out.
    EXPECT_EQ(Utf8(Child(titles, 1)["description"]), "Падающие &фигуры");
    EXPECT_EQ(Utf8(Child(titles, 0)["description"]), "Ползёт");
    EXPECT_THAT(Children(Find(keyed, "Pane ")), ElementsAre("StaticText Падающие &фигуры"));
    QJsonObject thumbnail = Find(keyed, "Graphic Тетрис");
    EXPECT_EQ(Utf8(thumbnail["description"]), "Щелкните мышью, чтобы просмотреть в 100 %-ном масштабе");
    EXPECT_EQ(thumbnail["actions"].toArray(), QJsonArray{"press"});
    EXPECT_TRUE(Find(keyed, "Graphic Снимка экрана нет").isEmpty());

    QJsonObject clicked = run.Lines[1].object();
    titles = Find(clicked, "List Программы");
    EXPECT_THAT(States(Child(titles, 0)), ElementsAre("focusable", "focused", "selectable", "selected"));
    EXPECT_THAT(States(Child(titles, 1)), ElementsAre("focusable", "selectable"));
    EXPECT_THAT(Children(Find(clicked, "Pane ")), ElementsAre("StaticText Ползёт"));
}

TEST_F(LauncherAccessibility, OneDownKeyInEachListIsHeardItemFirstThenItsDetails) {
    TShotRun run = Run("a11y-events\nkey Down\na11y-events\nkey Tab\na11y-events\nkey Down\na11y-events\n");
    ASSERT_EQ(run.Lines.size(), 4u);
    // The new category's titles are announced once, not emptied and then filled.
    EXPECT_THAT(Heard(run.Lines[1], true), Contains("ObjectReorder: List Программы").Times(1));
    EXPECT_THAT(Heard(run.Lines[1]), ElementsAre("Selection: ListItem Игры", "Focus: ListItem Игры",
                                                  "Selection: ListItem Змейка", "NameChanged: StaticText Ползёт"));
    EXPECT_THAT(Heard(run.Lines[2]), ElementsAre("Focus: ListItem Змейка"));
    EXPECT_THAT(Heard(run.Lines[3]),
                ElementsAre("Selection: ListItem Тетрис", "Focus: ListItem Тетрис",
                            "NameChanged: StaticText Падающие &фигуры", "ObjectShow: Graphic Тетрис",
                            "ObjectHide: Graphic Снимка экрана нет"));
    // Each announcement is said once.
    EXPECT_THAT(Heard(run.Lines[0]), Contains("Focus: ListItem Графика"));
    TShotRun again = Run("a11y-events\na11y-events\n");
    EXPECT_THAT(Heard(again.Lines.at(1), true), IsEmpty());
}

TEST_F(LauncherAccessibility, TheViewerIsADialogWhosePictureClosesIt) {
    TShotRun run = Run("key Down\nkey Tab\nkey Down\na11y-events\na11y-press Тетрис\na11y\na11y-events\n"
                       "a11y-press Тетрис\na11y-events\nstate\n");
    ASSERT_EQ(run.Lines.size(), 5u);
    QJsonObject viewer = run.Lines[1].object();
    EXPECT_EQ(Label(viewer), "Dialog Screenshot");
    EXPECT_THAT(States(viewer), Contains("modal"));
    ASSERT_THAT(Children(viewer), ElementsAre("Graphic Тетрис"));
    QJsonObject picture = Child(viewer, 0);
    EXPECT_EQ(Utf8(picture["description"]), "Для закрытия нажмите левую кнопку мыши");
    EXPECT_EQ(picture["rect"].toArray()[2].toInt(), 400);
    EXPECT_EQ(picture["actions"].toArray(), QJsonArray{"press"});
    EXPECT_THAT(Heard(run.Lines[2]), ElementsAre("DialogStart: Dialog Screenshot"));
    // The launcher's list has the keyboard again.
    EXPECT_THAT(Heard(run.Lines[3]), ElementsAre("DialogEnd: Dialog Screenshot", "Focus: ListItem Тетрис"));
    QJsonObject state = run.Lines[4].object();
    EXPECT_FALSE(state["viewer"].toObject()["visible"].toBool());
    EXPECT_EQ(Utf8(state["focus"]), "ListBoxProg");
    EXPECT_TRUE(state["errors"].toArray().isEmpty());
}

TEST_F(LauncherAccessibility, PressesDoWhatTheMouseDoes) {
    auto after = [&](const std::string& action) {
        QJsonObject state = Run(action + "\nstate\n").States.at(0);
        return QJsonArray{state["window"], state["shell"]};
    };
    // Each against a click on the visible part of its picture (client coordinates).
    QJsonArray minimized = after("a11y-press Свернуть"), closed = after("a11y-press Закрыть"),
               opened = after("a11y-press vitrina.example.org");
    EXPECT_EQ(minimized, after("click 770 10"));
    EXPECT_EQ(closed, after("click 790 10"));
    EXPECT_EQ(opened, after("click 60 15"));
    EXPECT_TRUE(minimized[0].toObject()["minimized"].toBool());
    EXPECT_FALSE(closed[0].toObject()["visible"].toBool());
    EXPECT_EQ(opened[1].toArray().size(), 1);

    // Nothing of that name: the script stops with a message.
    TShotRun missing = RunShot(Disc, "a11y-press Нет такого\n");
    EXPECT_EQ(missing.Status, 1);
    EXPECT_THAT(missing.Err, ::testing::HasSubstr("nothing named"));
}

} // namespace
