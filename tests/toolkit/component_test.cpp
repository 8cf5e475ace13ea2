#include "platform/exceptions.h"
#include "toolkit/component.h"
#include "toolkit/strings.h"

#include <gtest/gtest.h>

namespace {

// Keeps a reference to another component and lets go when it is destroyed.
class THolder : public TComponent {
public:
    using TComponent::TComponent;
    TComponent* Target = nullptr;
    void SetTarget(TComponent* target) {
        Target = target;
        if (target) target->FreeNotification(this);
    }
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove && component == Target) Target = nullptr;
    }
};

} // namespace

TEST(Component, OwnerDestroysWhatItOwnsAndFindsByName) {
    auto* owner = new TComponent(nullptr);
    auto* a = new TComponent(owner);
    a->SetName("A");
    auto* b = new TComponent(owner);
    b->SetName("B");
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->FindComponent("B"), b);
    EXPECT_EQ(owner->FindComponent("b"), nullptr);
    delete a;
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_THROW(owner->Components(1), EListError);
    delete owner;
}

TEST(Component, ReferencesAcrossOwnersAreClearedWhenTheTargetGoes) {
    TComponent formA(nullptr), formB(nullptr);
    auto* holder = new THolder(&formA);
    auto* target = new TComponent(&formB);
    holder->SetTarget(target);
    // Someone other than the owner destroys it.
    delete target;
    EXPECT_EQ(holder->Target, nullptr);
}

TEST(Component, LettingGoOfALinkLetsGoOnBothSides) {
    // Let go from either side, then free the two in either order: neither destructor
    // may reach the other through half a link left behind.
    for (bool fromTarget : {true, false})
        for (bool targetFirst : {true, false}) {
            auto* holder = new THolder(nullptr);
            auto* target = new TComponent(nullptr);
            holder->SetTarget(target);
            if (fromTarget)
                target->RemoveFreeNotification(holder);
            else
                holder->RemoveFreeNotification(target);
            holder->Target = nullptr;
            if (targetFirst) {
                delete target;
                delete holder;
            } else {
                delete holder;
                delete target;
            }
        }
}

TEST(Component, SiblingsHearOfARemovalWithoutAskingForIt) {
    TComponent owner(nullptr);
    auto* holder = new THolder(&owner);
    auto* sibling = new TComponent(&owner);
    holder->Target = sibling;
    delete sibling;
    EXPECT_EQ(holder->Target, nullptr);
}

TEST(StringList, AssignCopiesSoTheSourceMayChangeLater) {
    TStringList source;
    source.Add("one");
    source.Add("two");
    TStringList copy;
    copy.Assign(source);
    source.Put(0, "changed");
    source.Add("three");
    EXPECT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy[0], "one");
}

TEST(StringList, IndexesOutsideTheListRaise) {
    TStringList list;
    list.Add("x");
    EXPECT_THROW(list.Get(1), EListError);
    EXPECT_THROW(list.Get(-1), EListError);
    EXPECT_THROW(list.Delete(5), EListError);
    EXPECT_THROW(list.Insert(3, "y"), EListError);
    list.Insert(1, "y");
    EXPECT_EQ(list[1], "y");
    try {
        list.Get(7);
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (7)");
    }
}

TEST(StringList, SortedListsInsertInOrderAndTextRoundTrips) {
    TStringList list;
    list.SetSorted(true);
    list.Add("b");
    list.Add("a");
    EXPECT_EQ(list.Add("c"), 2);
    EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\n");
    TStringList lines;
    lines.SetText("x\r\ny\nz");
    EXPECT_EQ(lines.ToVector(), (std::vector<std::string>{"x", "y", "z"}));
}

TEST(StringList, OnChangeFiresOncePerUpdateBlock) {
    TStringList list;
    int changes = 0;
    list.OnChange = [&](TStringList&) { ++changes; };
    list.BeginUpdate();
    list.Add("a");
    list.Add("b");
    list.EndUpdate();
    EXPECT_EQ(changes, 1);
}
