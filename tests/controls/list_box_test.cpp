#include "test_application.h"

#include "platform/cp1251.h"
#include "platform/exceptions.h"
#include "toolkit/form.h"
#include "toolkit/grab.h"
#include "toolkit/pixel_buffer.h"
#include "toolkit/list_box.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class NativeListBox : public ::testing::Test {
protected:
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 300, 300);
        List = new TListBox(Form.get());
        List->SetParent(Form.get());
        List->SetItemHeight(20);
        List->SetBounds(10, 10, 150, 100); // five whole rows
        List->OnClick = [this](TObject*) { ++Clicks; };
        List->OnDblClick = [this](TObject*) { ++DoubleClicks; };
    }

    void Fill(int count) {
        for (int i = 0; i < count; ++i) List->Items().Add("item " + std::to_string(i));
    }
    void Key(std::uint16_t key) { List->Perform(WM_KEYDOWN, key, 1); }
    void Char(char c) { List->Perform(WM_CHAR, static_cast<unsigned char>(c), 1); }

    std::unique_ptr<TForm> Form;
    TListBox* List = nullptr;
    int Clicks = 0;
    int DoubleClicks = 0;
};

TEST_F(NativeListBox, ScrollStateIsEmptyUntilTheItemsOverflowThenFollowsTheTopIndex) {
    Fill(5);
    EXPECT_EQ(List->ScrollInfo(SB_VERT), TScrollInfo{});
    List->Items().Add("one more");
    EXPECT_EQ(List->ScrollInfo(SB_VERT), (TScrollInfo{0, 5, 5, 0}));
    Fill(20);
    List->SetTopIndex(7);
    EXPECT_EQ(List->TopIndex(), 7);
    EXPECT_EQ(List->ScrollInfo(SB_VERT).Pos, 7);
    // The last page stays full: the top never passes count - rows.
    List->SetTopIndex(24);
    EXPECT_EQ(List->TopIndex(), 21);
    List->Perform(WM_VSCROLL, SB_THUMBPOSITION | (3 << 16));
    EXPECT_EQ(List->TopIndex(), 3);
    List->Perform(WM_VSCROLL, SB_LINEUP);
    List->Perform(WM_VSCROLL, SB_LINEUP);
    List->Perform(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(List->TopIndex(), 2);
    // A taller list shows more: the top comes back so no rows stay empty.
    List->SetTopIndex(21);
    List->SetHeight(400);
    EXPECT_EQ(List->TopIndex(), 6);
    EXPECT_EQ(List->ScrollInfo(SB_VERT), (TScrollInfo{0, 25, 20, 6}));
    List->Clear();
    EXPECT_EQ(List->ScrollInfo(SB_VERT), TScrollInfo{});
    EXPECT_EQ(List->TopIndex(), 0);
}

TEST_F(NativeListBox, ColumnsScrollSidewaysByWholeColumns) {
    List->SetColumns(2); // five rows per column, two columns on screen
    Fill(23);            // five columns of items
    EXPECT_EQ(List->ScrollInfo(SB_VERT), TScrollInfo{});
    EXPECT_EQ(List->ScrollInfo(SB_HORZ), (TScrollInfo{0, 4, 2, 0}));
    EXPECT_EQ(List->ItemRect(7), Bounds(75, 40, 75, 20));
    List->Perform(WM_HSCROLL, SB_THUMBPOSITION | (2 << 16));
    EXPECT_EQ(List->TopIndex(), 10);
    EXPECT_EQ(List->ScrollInfo(SB_HORZ).Pos, 2);
    EXPECT_EQ(List->ItemAtPos({80, 30}, true), 16);
    List->SetItemIndex(0);
    EXPECT_EQ(List->TopIndex(), 0);
    Key(VK_RIGHT);
    EXPECT_EQ(List->ItemIndex(), 5);
}

TEST_F(NativeListBox, RequestsEditTheItemsAndKeepTheCurrentItem) {
    Fill(3);
    List->SetItemIndex(1);
    std::string text = "first";
    EXPECT_EQ(List->Perform(LB_INSERTSTRING, 0, reinterpret_cast<std::intptr_t>(&text)), 0);
    EXPECT_EQ(List->ItemIndex(), 2);
    EXPECT_EQ(List->Perform(LB_INSERTSTRING, 9, reinterpret_cast<std::intptr_t>(&text)), LB_ERR);
    EXPECT_EQ(List->Perform(LB_DELETESTRING, 0), 3);
    EXPECT_EQ(List->ItemIndex(), 1);
    EXPECT_EQ(List->Perform(LB_DELETESTRING, 1), 2);
    EXPECT_EQ(List->ItemIndex(), -1);
    EXPECT_EQ(List->Perform(LB_DELETESTRING, 5), LB_ERR);
    EXPECT_THROW(List->Items().Delete(5), EListError);
    EXPECT_THROW((void)List->Items()[2], EListError);
    EXPECT_EQ(List->Items().Text(), "item 0\r\nitem 2\r\n");

    TStringList source(std::vector<std::string>{"a", "b"});
    List->SetItems(source);
    source.Add("c");
    EXPECT_EQ(List->Count(), 2);
}

TEST_F(NativeListBox, SortedListsPlaceAddedItemsIgnoringCaseButInsertWhereTold) {
    List->SetSorted(true);
    for (const char* text : {"pear", "Apple", "banana"}) List->Items().Add(text);
    EXPECT_EQ(List->Items().Text(), "Apple\r\nbanana\r\npear\r\n");
    List->Items().Insert(0, "zebra");
    EXPECT_EQ(List->Items()[0], "zebra");
}

TEST_F(NativeListBox, WritingItemIndexSelectsAndScrollsButIsNoClick) {
    Fill(30);
    List->SetItemIndex(12);
    EXPECT_EQ(List->ItemIndex(), 12);
    EXPECT_TRUE(List->Selected(12));
    EXPECT_EQ(List->TopIndex(), 8);
    List->SetItemIndex(2);
    EXPECT_EQ(List->TopIndex(), 2);
    List->SetItemIndex(99);
    EXPECT_EQ(List->ItemIndex(), -1);
    EXPECT_EQ(Clicks, 0);
}

TEST_F(NativeListBox, KeysMoveTheCurrentItemKeepItInViewAndReportEachMove) {
    Fill(30);
    Key(VK_DOWN);
    EXPECT_EQ(List->ItemIndex(), 0);
    Key(VK_NEXT); // to the last whole row on screen
    EXPECT_EQ(List->ItemIndex(), 4);
    EXPECT_EQ(List->TopIndex(), 0);
    Key(VK_NEXT); // then a page further
    EXPECT_EQ(List->ItemIndex(), 8);
    EXPECT_EQ(List->TopIndex(), 4);
    Key(VK_PRIOR); // to the top row on screen
    EXPECT_EQ(List->ItemIndex(), 4);
    Key(VK_END);
    EXPECT_EQ(List->ItemIndex(), 29);
    EXPECT_EQ(List->TopIndex(), 25);
    Key(VK_DOWN); // nowhere to go, and reported all the same
    Key(VK_UP);
    EXPECT_EQ(List->ItemIndex(), 28);
    Key(VK_HOME);
    EXPECT_EQ(List->ItemIndex(), 0);
    EXPECT_EQ(List->TopIndex(), 0);
    EXPECT_EQ(Clicks, 8);

    // A key handler that clears the key keeps it from the list.
    List->OnKeyDown = [](TObject*, std::uint16_t& key, TShiftState) { key = 0; };
    Key(VK_DOWN);
    EXPECT_EQ(List->ItemIndex(), 0);
}

TEST_F(NativeListBox, AKeyThatLeavesTheCurrentItemStillBringsItIntoViewAndReportsIt) {
    Fill(30);
    struct TCase {
        std::uint16_t Key;
        int Current, ScrolledTo, Top;
    };
    for (TCase c : {TCase{VK_HOME, 0, 25, 0}, {VK_UP, 0, 25, 0}, {VK_PRIOR, 0, 25, 0},
                    {VK_END, 29, 0, 25}, {VK_DOWN, 29, 0, 25}, {VK_NEXT, 29, 0, 25}}) {
        SCOPED_TRACE(c.Key);
        List->SetItemIndex(c.Current);
        List->SetTopIndex(c.ScrolledTo); // the thumb dragged away from the current item
        Clicks = 0;
        Key(c.Key);
        EXPECT_EQ(List->ItemIndex(), c.Current);
        EXPECT_EQ(List->TopIndex(), c.Top);
        EXPECT_EQ(Clicks, 1);
    }
    // Typing the only match of the current item finds it again.
    List->Items().Add("zed");
    List->SetItemIndex(30);
    List->SetTopIndex(0);
    Char('z');
    EXPECT_EQ(List->ItemIndex(), 30);
    EXPECT_EQ(List->TopIndex(), 26);
    EXPECT_EQ(Clicks, 2);
    // In columns, Left in the first one goes nowhere and says nothing.
    List->SetColumns(2);
    List->SetItemIndex(3);
    Clicks = 0;
    Key(VK_LEFT);
    EXPECT_EQ(List->ItemIndex(), 3);
    EXPECT_EQ(Clicks, 0);
}

TEST_F(NativeListBox, TypedLettersFindItemsByTheirBeginningIgnoringCase) {
    for (const char* text : {"Alpha", "beta", "Bravo", "Беларусь", "бетон", "Дом"})
        List->Items().Add(Utf8ToCp1251(text));
    Char('b');
    EXPECT_EQ(List->ItemIndex(), 1);
    Char('r');
    EXPECT_EQ(List->ItemIndex(), 2);
    Clock().Advance(TypeAheadTimeoutMs + 1); // a pause starts a new search
    Char(Utf8ToCp1251("Б")[0]);
    EXPECT_EQ(List->ItemIndex(), 3);
    Char(Utf8ToCp1251("Е")[0]);
    Char(Utf8ToCp1251("т")[0]);
    EXPECT_EQ(List->ItemIndex(), 4);
    Clock().Advance(TypeAheadTimeoutMs + 1);
    Char('B'); // the same letter again steps to the next match, round the end
    EXPECT_EQ(List->ItemIndex(), 1);
    Char('B');
    EXPECT_EQ(List->ItemIndex(), 2);
    Char('B');
    EXPECT_EQ(List->ItemIndex(), 1);
    Clock().Advance(TypeAheadTimeoutMs + 1);
    Char('x');
    EXPECT_EQ(List->ItemIndex(), 1);
    EXPECT_EQ(Clicks, 8); // "бе" found "Беларусь" again: a find, reported

}

TEST_F(NativeListBox, MouseSelectsTheItemUnderThePointerAndDoubleClickFollows) {
    Fill(30);
    List->SetTopIndex(10);
    VITRINA_CLICK(*List, 20, 45);
    EXPECT_EQ(List->ItemIndex(), 12);
    EXPECT_EQ(Clicks, 1);
    // A click on the current item is still the user choosing it.
    VITRINA_CLICK(*List, 20, 50);
    EXPECT_EQ(Clicks, 2);
    List->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(20, 50));
    EXPECT_EQ(DoubleClicks, 1);
    // Dragging with the button held moves the current item along.
    List->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(20, 5));
    List->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(20, 65));
    EXPECT_EQ(List->ItemIndex(), 13);
    List->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(20, 130)); // below: one more
    EXPECT_EQ(List->ItemIndex(), 15);
    EXPECT_EQ(List->TopIndex(), 11);
    List->Perform(WM_LBUTTONUP, 0, MakeLParam(20, 130));
    List->Perform(WM_MOUSEMOVE, 0, MakeLParam(20, 5));
    EXPECT_EQ(List->ItemIndex(), 15);
    // Below the last item there is nothing to pick.
    List->Clear();
    Fill(2);
    VITRINA_CLICK(*List, 20, 90);
    EXPECT_EQ(List->ItemIndex(), -1);
}

TEST_F(NativeListBox, WheelScrollsThreeLinesPerNotchAndKeepsPartialTurns) {
    Fill(30);
    auto wheel = [&](int delta) {
        List->Perform(WM_MOUSEWHEEL, std::intptr_t(std::uint32_t(std::uint16_t(delta)) << 16));
    };
    wheel(-WHEEL_DELTA);
    EXPECT_EQ(List->TopIndex(), 3);
    wheel(-60);
    EXPECT_EQ(List->TopIndex(), 3);
    wheel(-60);
    EXPECT_EQ(List->TopIndex(), 6);
    wheel(WHEEL_DELTA * 5);
    EXPECT_EQ(List->TopIndex(), 0);
    EXPECT_EQ(List->ItemIndex(), -1);
}

TEST_F(NativeListBox, MultiSelectionTogglesWithClicksAndExtendsWithShift) {
    Fill(10);
    List->SetMultiSelect(true);
    List->SetExtendedSelect(false);
    EXPECT_EQ(List->SelCount(), 0);
    VITRINA_CLICK(*List, 20, 25);
    VITRINA_CLICK(*List, 20, 65);
    EXPECT_EQ(List->SelCount(), 2);
    VITRINA_CLICK(*List, 20, 25);
    EXPECT_FALSE(List->Selected(1));
    EXPECT_EQ(List->ItemIndex(), 1);

    List->SetExtendedSelect(true);
    VITRINA_CLICK(*List, 20, 5);
    List->Perform(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MakeLParam(20, 65));
    List->Perform(WM_LBUTTONUP, MK_SHIFT, MakeLParam(20, 65));
    EXPECT_EQ(List->SelCount(), 4);
    EXPECT_EQ(List->ItemIndex(), 3);
    List->SetItemIndex(7);
    EXPECT_EQ(List->SelCount(), 1);
    EXPECT_TRUE(List->Selected(7));
}

TEST_F(NativeListBox, PaintingVisitsOnlyTheRowsOnScreen) {
    Fill(1000);
    List->SetStyle(lbOwnerDrawFixed);
    List->SetTopIndex(500);
    List->SetItemIndex(501);
    std::vector<std::pair<int, TOwnerDrawState>> drawn;
    List->OnDrawItem = [&](TCustomListBox*, int index, const TRect& rect, TOwnerDrawState state) {
        drawn.emplace_back(index, state & odSelected);
        EXPECT_EQ(rect, List->ItemRect(index));
    };
    TPixelBuffer picture;
    GrabControl(*List, picture);
    ASSERT_EQ(drawn.size(), 5u);
    EXPECT_EQ(drawn.front().first, 500);
    EXPECT_EQ(drawn.back().first, 504);
    EXPECT_EQ(drawn[1].second, odSelected);
    EXPECT_EQ(drawn[0].second, 0);
}

} // namespace
