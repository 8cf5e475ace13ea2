#include "test_application.h"

#include "skin/controls/skin_list_box.h"
#include "toolkit/canvas.h"
#include "toolkit/form.h"
#include "toolkit/grab.h"
#include "toolkit/pixel_buffer.h"
#include "toolkit/system_colors.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(ListBoxLayout, PlainBarTakesTheRightEdgeBelowTheCaptionLine) {
    TbsListBoxLayoutInput in;
    in.Width = 191;
    in.Height = 386;
    in.HasScrollBar = true;
    TbsListBoxLayout layout = ArrangeListBox(in);
    EXPECT_EQ(layout.ScrollBarBounds, Bounds(171, 1, 19, 384));
    EXPECT_EQ(layout.ListRect, Rect(2, 2, 171, 384));
    in.HasScrollBar = false;
    EXPECT_EQ(ArrangeListBox(in).ListRect, Rect(2, 2, 189, 384));
    in.CaptionBottom = 20; // a caption band pushes everything down
    EXPECT_EQ(ArrangeListBox(in).ListRect, Rect(2, 21, 189, 384));
}

TEST(ListBoxLayout, ExtentBarSitsBelowAndShortensTheVerticalBar) {
    TbsListBoxLayoutInput in;
    in.Width = 191;
    in.Height = 386;
    in.HasScrollBar = true;
    in.HasExtentBar = true;
    TbsListBoxLayout layout = ArrangeListBox(in);
    EXPECT_EQ(layout.ExtentBarBounds, Bounds(1, 366, 189, 19));
    EXPECT_EQ(layout.ScrollBarBounds, Bounds(171, 1, 19, 366));
    EXPECT_EQ(layout.ListRect, Rect(2, 2, 171, 366));
    // Columns scroll sideways: the bar lies along the bottom.
    in.HasExtentBar = false;
    in.Columns = 2;
    layout = ArrangeListBox(in);
    EXPECT_EQ(layout.ScrollBarBounds, Bounds(1, 366, 189, 19));
    EXPECT_EQ(layout.ListRect, Rect(2, 2, 189, 366));
}

TEST(ListBoxLayout, SkinnedBarsKeepTheirOwnThicknessInsideTheSkinClientArea) {
    TbsListBoxLayoutInput in;
    in.Width = 191;
    in.Height = 386;
    in.Skinned = true;
    in.ListClientRect = Rect(5, 5, 186, 381);
    in.HasScrollBar = true;
    in.ScrollBarWidth = 17;
    in.HasExtentBar = true;
    in.ExtentBarHeight = 15;
    TbsListBoxLayout layout = ArrangeListBox(in);
    EXPECT_EQ(layout.ExtentBarBounds, Bounds(5, 366, 181, 15));
    EXPECT_EQ(layout.ScrollBarBounds, Bounds(169, 5, 17, 361));
    EXPECT_EQ(layout.ListRect, Rect(5, 5, 169, 366));
}

TEST(ListBoxLayout, HeightForRowsAddsTheFrameCaptionAndExtentBar) {
    TbsListBoxHeightInput in;
    in.Rows = 19;
    in.ItemHeight = 20;
    EXPECT_EQ(ListBoxHeightForRows(in), 384);
    in.CaptionMode = true;
    in.CaptionHeight = 20;
    EXPECT_EQ(ListBoxHeightForRows(in), 404);
    in.Skinned = true; // the skin's frame replaces border and caption
    in.SkinFrameHeight = 10;
    in.ExtentBarHeight = 15;
    EXPECT_EQ(ListBoxHeightForRows(in), 405);
}

TEST(WidestItem, MeasuresAgainOnlyWhenTheLastOfTheWidestGoes) {
    std::vector<int> widths = {30, 50, 50, 10};
    int measured = 0;
    auto width = [&](int i) {
        ++measured;
        return widths[size_t(i)];
    };
    TbsWidestItem widest;
    EXPECT_EQ(widest.Width(4, width), 50);
    EXPECT_EQ(measured, 4);
    widths.push_back(40);
    widest.ItemAdded(40);
    widths.erase(widths.begin() + 1);
    widest.ItemRemoved(50); // another item is as wide
    EXPECT_EQ(widest.Width(4, width), 50);
    EXPECT_EQ(measured, 4);
    widths.erase(widths.begin() + 1);
    widest.ItemRemoved(50);
    EXPECT_EQ(widest.Width(3, width), 40);
    EXPECT_EQ(measured, 7);
    widest.ItemAdded(90);
    EXPECT_EQ(widest.Width(4, width), 90);
    widest.Reset();
    EXPECT_EQ(widest.Width(0, width), 0); // an empty list
    EXPECT_EQ(measured, 7);
}

class SkinListBox : public ::testing::Test {
protected:
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 800, 600);
        List = new TbsSkinListBox(Form.get());
        List->SetParent(Form.get());
        List->SetBounds(26, 83, 191, 386); // nineteen whole rows of 20 pixels
        List->OnListBoxClick = [this](TObject* sender) {
            EXPECT_EQ(sender, List);
            ++Clicks;
        };
    }

    void Fill(int count) {
        for (int i = 0; i < count; ++i) List->Items().Add("item " + std::to_string(i));
    }
    TbsListBox& Inner() { return *List->ListBox(); }
    void Repaint() {
        TPixelBuffer picture;
        GrabControl(*List, picture);
    }

    std::unique_ptr<TForm> Form;
    TbsSkinListBox* List = nullptr;
    int Clicks = 0;
};

TEST_F(SkinListBox, KeepsTheContractTheLauncherReliesOn) {
    Fill(5);
    List->SetItemIndex(0);
    EXPECT_EQ(List->ItemIndex(), 0);
    EXPECT_EQ(Clicks, 0);

    TStringList titles(std::vector<std::string>{"a", "b", "c"});
    List->SetItems(titles);
    titles.Add("d");
    titles.Put(0, "z");
    EXPECT_EQ(List->Items().Count(), 3);
    EXPECT_EQ(List->Items()[0], "a");

    List->SetItemIndex(2);
    List->Clear();
    EXPECT_EQ(List->Items().Count(), 0);
    EXPECT_EQ(List->ItemIndex(), -1);
}

TEST_F(SkinListBox, UserChoicesAreReportedWithTheOuterControlAsSender) {
    Fill(30);
    int doubleClicks = 0, moves = 0;
    std::vector<std::uint16_t> keys;
    List->OnListBoxDblClick = [&](TObject* sender) {
        EXPECT_EQ(sender, List);
        EXPECT_EQ(List->ItemIndex(), 2); // the first click already made it current
        ++doubleClicks;
    };
    List->OnListBoxMouseMove = [&](TObject* sender, TShiftState, int x, int y) {
        EXPECT_EQ(sender, List);
        EXPECT_EQ(x, 10); // the inner list's coordinates
        EXPECT_EQ(y, 45);
        ++moves;
    };
    List->OnListBoxKeyDown = [&](TObject* sender, std::uint16_t& key, TShiftState) {
        EXPECT_EQ(sender, List);
        keys.push_back(key);
        if (key == VK_END) key = 0;
    };
    Inner().Perform(WM_MOUSEMOVE, 0, MakeLParam(10, 45));
    VITRINA_CLICK(Inner(), 10, 45);
    Inner().Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(10, 45));
    Inner().Perform(WM_LBUTTONUP, 0, MakeLParam(10, 45));
    EXPECT_EQ(List->ItemIndex(), 2);
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(moves, 1);
    Inner().Perform(WM_KEYDOWN, VK_DOWN);
    Inner().Perform(WM_KEYDOWN, VK_END); // taken by the handler
    EXPECT_EQ(List->ItemIndex(), 3);
    EXPECT_EQ(keys, (std::vector<std::uint16_t>{VK_DOWN, VK_END}));
    EXPECT_EQ(Clicks, 2);
}

TEST_F(SkinListBox, ListRequestsSentToTheOuterControlChangeNothing) {
    Fill(40);
    std::string text = "extra";
    List->Perform(LB_ADDSTRING, 0, reinterpret_cast<std::intptr_t>(&text));
    List->Perform(LB_SETTOPINDEX, 10);
    List->Perform(LB_DELETESTRING, 0);
    EXPECT_EQ(List->Items().Count(), 40);
    EXPECT_EQ(Inner().TopIndex(), 0);
    Inner().Perform(LB_SETTOPINDEX, 10);
    EXPECT_EQ(Inner().TopIndex(), 10);
}

TEST_F(SkinListBox, BarAppearsOnlyWhenTheRowsOverflow) {
    Fill(19);
    EXPECT_EQ(List->ScrollBar(), nullptr);
    EXPECT_EQ(Inner().BoundsRect(), Rect(2, 2, 189, 384));
    List->Items().Add("one more");
    TbsSkinScrollBar* bar = List->ScrollBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->Owner(), List);
    EXPECT_EQ(bar->Kind(), sbVertical);
    EXPECT_TRUE(bar->Visible());
    EXPECT_EQ(bar->BoundsRect(), Bounds(171, 1, 19, 384));
    EXPECT_EQ(Inner().BoundsRect(), Rect(2, 2, 171, 384));
    EXPECT_EQ(bar->Max(), 19);
    EXPECT_EQ(bar->PageSize(), 19);
    EXPECT_EQ(bar->Position(), 0);

    List->Items().Delete(0);
    EXPECT_EQ(List->ScrollBar(), nullptr);
    EXPECT_EQ(Inner().BoundsRect(), Rect(2, 2, 189, 384));

    // As many rows as items: no bar, whatever the height.
    List->Items().Add("again");
    ASSERT_NE(List->ScrollBar(), nullptr);
    List->SetRowCount(20);
    EXPECT_EQ(List->Height(), 404);
    EXPECT_EQ(List->ScrollBar(), nullptr);
    List->SetHeight(100);
    EXPECT_EQ(List->ScrollBar(), nullptr);
    List->SetRowCount(0);
    List->SetHeight(394);
    EXPECT_NE(List->ScrollBar(), nullptr);
}

TEST_F(SkinListBox, AnAdoptedBarIsDestroyedAtTheFirstEmptySyncAndANewOneMadeLater) {
    auto* adopted = new TbsSkinScrollBar(Form.get());
    adopted->SetName("ScrollBarGame");
    adopted->SetKind(sbVertical);
    adopted->SetParent(List);
    adopted->SetBounds(174, 0, 17, 153);
    List->SetScrollBar(adopted);
    EXPECT_EQ(adopted->BoundsRect(), Bounds(174, 0, 17, 153)); // stored only
    List->SetHeight(380);
    EXPECT_EQ(List->ScrollBar(), nullptr);
    EXPECT_EQ(Form->FindComponent("ScrollBarGame"), nullptr);

    Fill(30);
    TbsSkinScrollBar* own = List->ScrollBar();
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->Owner(), List);
    EXPECT_EQ(own->SkinDataName(), "");
}

TEST_F(SkinListBox, AnAdoptedBarIsRangedAndPlacedButKeepsItsHandler) {
    auto* adopted = new TbsSkinScrollBar(Form.get());
    adopted->SetParent(List);
    adopted->SetVisible(false); // hidden bars are never removed
    int changes = 0;
    adopted->OnChange = [&](TObject*) { ++changes; };
    List->SetScrollBar(adopted);
    Fill(25);
    EXPECT_EQ(List->ScrollBar(), adopted);
    EXPECT_EQ(adopted->Max(), 24);
    adopted->SetVisible(true);
    List->SetHeight(390);
    EXPECT_EQ(adopted->BoundsRect(), Bounds(171, 1, 19, 388));
    adopted->SetPosition(3);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Inner().TopIndex(), 0);
}

TEST_F(SkinListBox, BarAndListScrollEachOther) {
    Fill(100);
    TbsSkinScrollBar* bar = List->ScrollBar();
    ASSERT_NE(bar, nullptr);
    bar->SetPosition(40);
    EXPECT_EQ(Inner().TopIndex(), 40);

    // Keyboard scrolling shows in the bar at the list's next paint.
    Inner().Perform(WM_KEYDOWN, VK_END);
    EXPECT_EQ(Inner().TopIndex(), 81);
    EXPECT_EQ(bar->Position(), 40);
    Repaint();
    EXPECT_EQ(bar->Position(), 81);

    // A notch of the wheel: the native three lines and one more.
    Inner().Perform(WM_MOUSEWHEEL, std::intptr_t(std::uint32_t(std::uint16_t(WHEEL_DELTA)) << 16));
    EXPECT_EQ(Inner().TopIndex(), 77);
    EXPECT_EQ(bar->Position(), 77);
}

TEST_F(SkinListBox, ItemsAreHandedToTheTextPainterOnAPreparedPicture) {
    Fill(30);
    List->SetItemIndex(1);
    struct TCall {
        int Index, Width, Height;
        TRect TextRect;
        TOwnerDrawState State;
        TColor Brush;
        std::string FontName;
        int FontHeight;
    };
    std::vector<TCall> calls;
    List->OnDrawItem = [&](TCanvas& canvas, int index, int width, int height, TRect textRect,
                           TOwnerDrawState state) {
        calls.push_back({index, width, height, textRect, state, canvas.Brush().Color,
                         canvas.Font().Name(), canvas.Font().Height()});
    };
    Repaint();
    ASSERT_EQ(calls.size(), 20u); // nineteen rows and the partial one below them
    const TCall& selected = calls[1];
    EXPECT_EQ(selected.Width, 169);
    EXPECT_EQ(selected.Height, 20);
    EXPECT_EQ(selected.TextRect, Rect(2, 0, 167, 20));
    EXPECT_EQ(selected.State, odSelected);
    EXPECT_EQ(selected.Brush, clHighlight);
    EXPECT_EQ(selected.FontName, "Arial");
    EXPECT_EQ(selected.FontHeight, 14);
    EXPECT_EQ(calls[0].State, 0);
    EXPECT_EQ(calls[0].Brush, clWindow);

    // An unskinned list draws its items in its default font, set whole or changed.
    TFont font;
    font.SetName("Courier New");
    font.SetHeight(-16);
    List->SetDefaultFont(font);
    EXPECT_EQ(List->Font().Name(), "Courier New");
    List->DefaultFont().SetHeight(-18);
    calls.clear();
    Repaint();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0].FontName, "Courier New");
    EXPECT_EQ(calls[0].FontHeight, -18);
}

TEST_F(SkinListBox, PlainLookFramesTheControlAndFillsBelowTheLastItem) {
    Fill(3);
    List->SetItemIndex(0);
    TPixelBuffer picture;
    GrabControl(*List, picture);
    EXPECT_EQ(picture.Pixel(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(picture.Pixel(1, 1), ColorToRGB(clBtnFace));
    EXPECT_EQ(picture.Pixel(3, 3), ColorToRGB(clHighlight));  // the current item
    EXPECT_EQ(picture.Pixel(3, 23), ColorToRGB(clWindow));    // the next one
    EXPECT_EQ(picture.Pixel(100, 300), ColorToRGB(clWindow)); // no items there
}

TEST_F(SkinListBox, ItemPicturesStandBesideTheTextsAndGoWithTheirList) {
    auto* images = new TCustomImageList(Form.get());
    images->SetSize(8, 8);
    TPixelBuffer red;
    red.Allocate(8, 8, pf32bit);
    red.Canvas().Brush() = {RGB(255, 0, 0), bsSolid};
    red.Canvas().FillRect(Rect(0, 0, 8, 8));
    images->Add(red);
    Fill(3);
    List->SetImages(images);
    TPixelBuffer picture;
    GrabControl(*List, picture);
    EXPECT_EQ(picture.Pixel(4, 8), RGB(255, 0, 0));           // item 0 shows picture 0
    EXPECT_EQ(picture.Pixel(4, 28), ColorToRGB(clWindow));    // there is no picture 1
    List->SetImageIndex(0);
    GrabControl(*List, picture);
    EXPECT_EQ(picture.Pixel(4, 28), RGB(255, 0, 0));
    delete images;
    EXPECT_EQ(List->Images(), nullptr);
}

TEST_F(SkinListBox, WideTextsGetASidewaysBarThatTheArrowKeysMove) {
    List->Items().Add(std::string(60, 'W'));
    List->SetHorizontalExtent(true);
    TbsSkinScrollBar* extent = List->ExtentScrollBar();
    ASSERT_NE(extent, nullptr);
    EXPECT_EQ(extent->Kind(), sbHorizontal);
    EXPECT_EQ(extent->BoundsRect(), Bounds(1, 366, 189, 19));
    EXPECT_EQ(extent->PageSize(), Inner().Width() - 4);
    int step = extent->SmallChange();
    EXPECT_GT(step, 0);
    Inner().Perform(WM_KEYDOWN, VK_RIGHT);
    Inner().Perform(WM_KEYDOWN, VK_RIGHT);
    EXPECT_EQ(extent->Position(), 2 * step);
    EXPECT_EQ(Inner().ExtentOffset(), 2 * step);
    EXPECT_EQ(List->ItemIndex(), -1); // the keys never reached the list

    Fill(30); // a vertical bar too: the sideways bar leaves it the corner
    ASSERT_NE(List->ScrollBar(), nullptr);
    EXPECT_TRUE(extent->Both());
    EXPECT_EQ(extent->BothMarkerWidth(), 19);
    EXPECT_EQ(List->HeightForRows(10), 10 * 20 + 4 + 19);

    List->SetHorizontalExtent(false);
    EXPECT_EQ(List->ExtentScrollBar(), nullptr);
    EXPECT_EQ(Inner().ExtentOffset(), 0);
}

TEST_F(SkinListBox, TheSidewaysBarFollowsTheWidestItemAsItemsComeAndGo) {
    List->SetHorizontalExtent(true);
    Fill(3);
    EXPECT_EQ(List->ExtentScrollBar(), nullptr);
    List->Items().Add(std::string(40, 'W'));
    ASSERT_NE(List->ExtentScrollBar(), nullptr);
    int wide = List->ExtentScrollBar()->Max();
    List->Items().Insert(0, std::string(60, 'W'));
    EXPECT_GT(List->ExtentScrollBar()->Max(), wide);
    List->Items().Delete(0);
    EXPECT_EQ(List->ExtentScrollBar()->Max(), wide);
    List->Items().Delete(3); // the last wide one
    EXPECT_EQ(List->ExtentScrollBar(), nullptr);

    // Another font measures every item again.
    List->Items().Add(std::string(40, 'W'));
    ASSERT_NE(List->ExtentScrollBar(), nullptr);
    TFont bigger = List->ListBoxFont();
    bigger.SetHeight(28);
    List->SetListBoxFont(bigger);
    List->Items().Add("short");
    EXPECT_GT(List->ExtentScrollBar()->Max(), wide * 3 / 2);
    List->Clear();
    EXPECT_EQ(List->ExtentScrollBar(), nullptr);
}

TEST_F(SkinListBox, BarKeysAndWheelReachEveryRowOfAMillionItems) {
    const int count = 1000000, last = count - 19;
    TStringList items;
    for (int i = 0; i < count; ++i) items.Add(std::to_string(i));
    List->SetItems(items);
    TbsSkinScrollBar* bar = List->ScrollBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->Max(), count - 1);
    auto centre = [&](int part) {
        bar->CalcRects();
        const TRect& r = bar->Rects().Parts[part];
        return TPoint{r.Left + r.Width() / 2, r.Top + r.Height() / 2};
    };
    auto drag = [&](int y) {
        TPoint thumb = centre(sbpThumb);
        bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(thumb.X, thumb.Y));
        bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(thumb.X, y));
        bar->Perform(WM_LBUTTONUP, 0, MakeLParam(thumb.X, y));
    };

    drag(bar->Height() + 50); // past the end
    EXPECT_EQ(Inner().TopIndex(), last);
    TPoint up = centre(sbpDownButton); // the step button at the top
    VITRINA_CLICK(*bar, up.X, up.Y);
    EXPECT_EQ(Inner().TopIndex(), last - 1);
    drag(bar->Height() / 2);
    EXPECT_EQ(Inner().TopIndex(), bar->Position());
    EXPECT_NEAR(Inner().TopIndex(), count / 2, count / 20);
    // The track above the thumb.
    VITRINA_CLICK(*bar, up.X, centre(sbpThumb).Y - 20);
    EXPECT_EQ(Inner().TopIndex(), bar->Position());

    Inner().Perform(WM_KEYDOWN, VK_END);
    EXPECT_EQ(List->ItemIndex(), count - 1);
    EXPECT_EQ(Inner().TopIndex(), last);
    Inner().Perform(WM_MOUSEWHEEL, std::intptr_t(std::uint32_t(std::uint16_t(WHEEL_DELTA)) << 16));
    EXPECT_EQ(Inner().TopIndex(), last - 4);
    EXPECT_EQ(bar->Position(), last - 4);
    bar->SetPosition(700001);
    EXPECT_EQ(Inner().TopIndex(), 700001);
}

} // namespace
