// The toolkit's controls as a screen reader meets them through Qt's accessibility
// interfaces: the tree, list items and their states, announcements, presses, and
// interfaces that outlive nothing.

#include "platform/cp1251.h"
#include "support/test_application.h"
#include "toolkit/accessible_objects.h"
#include "toolkit/form.h"
#include "toolkit/input_simulation.h"
#include "toolkit/label.h"
#include "toolkit/list_box.h"
#include "toolkit/panel.h"

#include <QAccessible>
#include <QApplication>
#include <QMetaEnum>
#include <QWidget>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <utility>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

std::vector<std::string> heard;

std::string Describe(QAccessibleInterface* iface) {
    if (!iface) return "?";
    const char* role = QMetaEnum::fromType<QAccessible::Role>().valueToKey(iface->role());
    return std::string(role ? role : "?") + " " + iface->text(QAccessible::Name).toStdString();
}

void Hear(QAccessibleEvent* event) {
    heard.push_back(std::string(QMetaEnum::fromType<QAccessible::Event>().valueToKey(event->type())) + ": " +
                      Describe(event->accessibleInterface()));
}

std::vector<std::string> TakeHeard() { return std::exchange(heard, {}); }

std::vector<std::string> ChildrenOf(QAccessibleInterface* iface) {
    std::vector<std::string> children;
    for (int i = 0; i < iface->childCount(); ++i) children.push_back(Describe(iface->child(i)));
    return children;
}

class Accessibility : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        SetAccessibleObserver(Hear);
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBorderStyle(bsSingle);
        Form->SetBounds(40, 30, 400, 300);
        Form->SetCaption("Okno");

        auto* panel = new TPanel(Form.get());
        panel->SetParent(Form.get());
        panel->SetBounds(0, 0, 400, 60);
        Label = new TLabel(panel);
        Label->SetParent(panel);
        Label->SetBounds(5, 5, 200, 20);
        Label->SetCaption(Utf8ToCp1251("Сыр && хлеб, &вино"));
        auto* decoration = new TGraphicControl(panel);
        decoration->SetParent(panel);
        decoration->SetBounds(300, 0, 100, 60);

        Button = new TGraphicControl(Form.get());
        Button->SetParent(Form.get());
        Button->SetBounds(380, 280, 40, 40); // half beyond the form's edge
        Button->SetAccessibleRole(arButton);
        Button->SetAccessibleName(Utf8ToCp1251("Закрыть"));
        Button->SetHint(Utf8ToCp1251("Закрывает окно"));
        Button->OnClick = [this](TObject*) { ++Clicks; };

        List = new TListBox(Form.get());
        List->SetParent(Form.get());
        List->SetItemHeight(20);
        List->SetBounds(10, 100, 150, 100); // five whole rows
        List->SetAccessibleName(Utf8ToCp1251("Разделы"));
        for (const char* item : {"Графика", "Игры", "Интернет", "Мультимедиа", "Образование", "Офис", "Система"})
            List->Items().Add(Utf8ToCp1251(item));
        Form->Show();
        ProcessPendingInput();
        TakeHeard();
    }

    void TearDown() override {
        Form.reset();
        SetAccessibleObserver(nullptr);
    }

    QAccessibleInterface* Window() { return QAccessible::queryAccessibleInterface(Form->Widget()); }
    QAccessibleInterface* ListInterface() { return QAccessible::queryAccessibleInterface(List->Widget()); }
    QAccessibleInterface* Item(int index) { return ListInterface()->child(index); }

    std::unique_ptr<TForm> Form;
    TLabel* Label = nullptr;
    TGraphicControl* Button = nullptr;
    TListBox* List = nullptr;
    int Clicks = 0;
};

TEST_F(Accessibility, PanelsStandAsideDecorationIsLeftOutItemsShowTheListsState) {
    QAccessibleInterface* window = Window();
    EXPECT_EQ(Describe(window), "Window Okno");
    // Windowless children first; the label's panel only groups, the undescribed probe
    // beside it is decoration.
    EXPECT_THAT(ChildrenOf(window), ElementsAre("Button Закрыть", "StaticText Сыр & хлеб, вино", "List Разделы"));
    QAccessibleInterface* button = window->child(0);
    EXPECT_EQ(button->parent(), window);
    EXPECT_EQ(window->indexOfChild(ListInterface()), 2);
    EXPECT_EQ(button->text(QAccessible::Description).toStdString(), "Закрывает окно");
    // On screen only the part the form shows.
    QPoint client = Form->Widget()->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(button->rect(), QRect(client + QPoint(380, 280), QSize(20, 20)));

    Form->SetFocus();
    ProcessPendingInput();
    List->SetItemIndex(6);
    EXPECT_EQ(Describe(Item(6)), "ListItem Система");
    EXPECT_TRUE(Item(6)->state().selected);
    EXPECT_FALSE(Item(6)->state().focused);
    // Scrolled to show the last item: the first two are out of view.
    EXPECT_TRUE(Item(1)->state().offscreen);
    EXPECT_FALSE(Item(2)->state().offscreen);
    EXPECT_EQ(Item(6)->rect(), QRect(List->Widget()->mapToGlobal(QPoint(0, 80)), QSize(150, 20)));
    List->SetFocus();
    ProcessPendingInput();
    EXPECT_TRUE(Item(6)->state().focused);
    EXPECT_EQ(Window()->focusChild(), Item(6));
}

TEST_F(Accessibility, KeysTypingClicksAndTheProgramAnnounceTheSelectionThenTheFocus) {
    Form->SetFocus();
    ProcessPendingInput();
    TakeHeard();
    List->SetFocus();
    // The platform says first that the list took the focus; its item comes after.
    EXPECT_THAT(TakeHeard(), IsEmpty());
    ProcessPendingInput();
    EXPECT_THAT(TakeHeard(), ElementsAre("Focus: List Разделы"));

    SimulateKey(*Form, VK_DOWN);
    SimulateKey(*Form, VK_DOWN);
    EXPECT_THAT(TakeHeard(), ElementsAre("Selection: ListItem Графика", "Focus: ListItem Графика",
                                         "Selection: ListItem Игры", "Focus: ListItem Игры"));
    SimulateChar(*Form, Utf8ToCp1251("о")[0]);
    EXPECT_THAT(TakeHeard(), ElementsAre("Selection: ListItem Образование", "Focus: ListItem Образование"));
    SimulateMouse(*Form, maClick, {30, 100 + 2 * 20 + 10});
    SimulateMouse(*Form, maClick, {30, 100 + 2 * 20 + 10}); // the same item again says nothing
    EXPECT_THAT(TakeHeard(), ElementsAre("Selection: ListItem Интернет", "Focus: ListItem Интернет"));

    Form->SetFocus();
    ProcessPendingInput();
    List->SetItemIndex(0);
    Label->SetCaption(Utf8ToCp1251("Другое"));
    EXPECT_THAT(TakeHeard(), ElementsAre("Selection: ListItem Графика", "NameChanged: StaticText Другое"));
    // A click into the list focuses its item once, not again when the list's focus is told.
    SimulateMouse(*Form, maClick, {30, 100 + 20 + 10});
    EXPECT_THAT(TakeHeard(), ElementsAre("Selection: ListItem Игры", "Focus: ListItem Игры"));
    // Nothing is said of what is not on screen.
    Form->Hide();
    List->SetItemIndex(3);
    EXPECT_THAT(TakeHeard(), IsEmpty());
}

TEST_F(Accessibility, InterfacesDoNotOutliveWhatTheyDescribe) {
    QAccessible::Id oldItem = QAccessible::uniqueId(Item(6));
    List->Clear();
    List->Items().Add(Utf8ToCp1251("Новое"));
    EXPECT_EQ(QAccessible::accessibleInterface(oldItem), nullptr);
    EXPECT_THAT(ChildrenOf(ListInterface()), ElementsAre("ListItem Новое"));

    QAccessible::Id label = QAccessible::uniqueId(Window()->child(1));
    QAccessible::Id item = QAccessible::uniqueId(Item(0));
    delete Label;
    EXPECT_EQ(QAccessible::accessibleInterface(label), nullptr);
    delete List;
    // The list's window waits for the event loop; until then its items are invalid.
    if (QAccessibleInterface* stale = QAccessible::accessibleInterface(item)) {
        EXPECT_FALSE(stale->isValid());
    }
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(QAccessible::accessibleInterface(item), nullptr);
    EXPECT_THAT(ChildrenOf(Window()), ElementsAre("Button Закрыть"));
}

TEST_F(Accessibility, APressClicksOnceTheScreenReaderHasItsAnswerAndNotAfterTheControlWent) {
    QAccessibleActionInterface* press = Window()->child(0)->actionInterface();
    ASSERT_EQ(press->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    EXPECT_THAT(ListInterface()->actionInterface()->actionNames(), IsEmpty());
    press->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(Clicks, 0);
    ProcessPendingInput();
    EXPECT_EQ(Clicks, 1);
    press->doAction(QAccessibleActionInterface::pressAction());
    delete Button;
    ProcessPendingInput();
    EXPECT_EQ(Clicks, 1);
}

} // namespace
