#include "test_application.h"

#include "skin/controls/skin_scroll_bar.h"
#include "toolkit/form.h"
#include "toolkit/pixel_buffer.h"
#include "toolkit/system_colors.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(ScrollBarGeometry, PlainVerticalBarWithoutPageCentresTheThumbWithHalvesToEven) {
    TbsScrollBarValues v{sbVertical, 16, 127, 0, 100, 50, 0, false, 0};
    TbsScrollBarRects r = CalcPlainScrollBarRects(v);
    EXPECT_EQ(r.Parts[sbpDownButton], Rect(1, 1, 15, 17));
    EXPECT_EQ(r.Parts[sbpUpButton], Rect(1, 110, 15, 126));
    EXPECT_EQ(r.TrackRect, Rect(1, 17, 15, 110));
    EXPECT_EQ(r.ThumbMin, 25);
    EXPECT_EQ(r.ThumbMax, 102);
    EXPECT_EQ(r.ThumbPos, 38); // 38.5 goes to the even neighbour
    EXPECT_EQ(r.Parts[sbpThumb], Rect(1, 55, 15, 71));
}

TEST(ScrollBarGeometry, PageSizeSetsTheThumbLengthButNeverBelowSixteen) {
    // A page of a quarter of the range: a quarter of the 93-pixel track.
    TbsScrollBarValues v{sbVertical, 16, 127, 0, 99, 75, 25, false, 0};
    TbsScrollBarRects r = CalcPlainScrollBarRects(v);
    EXPECT_EQ(r.Parts[sbpThumb].Height(), 22); // nearest(23.25) = 23, halved and doubled
    EXPECT_EQ(r.Parts[sbpThumb].Bottom, 110);  // the last position puts it at the end
    v.PageSize = 1;
    r = CalcPlainScrollBarRects(v);
    EXPECT_EQ(r.Parts[sbpThumb].Height(), 16);
    // A page as large as the range: top of a vertical bar, right end of a horizontal one.
    v = {sbVertical, 16, 127, 0, 9, 0, 10, false, 0};
    r = CalcPlainScrollBarRects(v);
    EXPECT_EQ(r.Parts[sbpThumb], Rect(1, 17, 15, 109));
    v.Kind = sbHorizontal;
    v.Width = 127;
    r = CalcPlainScrollBarRects(v);
    EXPECT_EQ(r.ThumbPos, r.ThumbMax - r.ThumbMin);
}

TEST(ScrollBarGeometry, HorizontalBarSharingACornerLeavesTheMarkerFree) {
    TbsScrollBarValues v{sbHorizontal, 200, 19, 0, 100, 100, 0, true, 19};
    TbsScrollBarRects r = CalcPlainScrollBarRects(v);
    EXPECT_EQ(r.Parts[sbpUpButton], Rect(164, 1, 180, 18));
    EXPECT_EQ(r.TrackRect, Rect(17, 1, 164, 18));
    EXPECT_EQ(r.Parts[sbpThumb], Rect(148, 1, 164, 18));
}

TEST(ScrollBarGeometry, SkinnedPartsFollowTheAnchorsAndCentreTheThumbAcross) {
    TbsScrollBarSkin skin;
    skin.SkinRect = Rect(0, 0, 17, 100);
    skin.LeftBottomPoint = {0, 80};
    skin.TrackArea = Rect(0, 16, 17, 84);
    skin.DownButtonRect = Rect(0, 0, 17, 16);
    skin.UpButtonRect = Rect(0, 84, 17, 100);
    skin.ThumbRect = Rect(50, 0, 61, 20); // 11 x 20
    TbsScrollBarValues v{sbVertical, 17, 150, 0, 100, 0, 0, false, 0};
    TbsScrollBarRects r = CalcSkinScrollBarRects(v, skin);
    EXPECT_EQ(r.TrackRect, Rect(0, 16, 17, 134));
    EXPECT_EQ(r.Parts[sbpUpButton], Rect(0, 134, 17, 150));
    EXPECT_EQ(r.Parts[sbpDownButton], Rect(0, 0, 17, 16));
    EXPECT_EQ(r.Parts[sbpThumb], Rect(3, 16, 14, 36));
}

class ScrollBar : public ::testing::Test {
protected:
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Bar = new TbsSkinScrollBar(Form.get());
        Bar->SetParent(Form.get());
        Bar->SetKind(sbVertical);
        Bar->SetBounds(0, 0, 16, 127);
        Bar->OnChange = [this](TObject* sender) {
            EXPECT_EQ(sender, Bar);
            ++Changes;
        };
        Bar->OnLastChange = [this](TObject*) { ++LastChanges; };
    }

    void Move(int x, int y, bool held = true) {
        Bar->Perform(WM_MOUSEMOVE, held ? MK_LBUTTON : 0, MakeLParam(x, y));
    }
    void Press(int x, int y) {
        Move(x, y, false);
        Bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, y));
    }
    void Release(int x, int y) { Bar->Perform(WM_LBUTTONUP, 0, MakeLParam(x, y)); }

    std::unique_ptr<TForm> Form;
    TbsSkinScrollBar* Bar = nullptr;
    int Changes = 0;
    int LastChanges = 0;
};

TEST_F(ScrollBar, StartsWithItsDefaults) {
    TbsSkinScrollBar bar(nullptr);
    EXPECT_EQ(bar.Kind(), sbHorizontal);
    EXPECT_EQ(bar.Width(), 200);
    EXPECT_EQ(bar.Height(), 20);
    EXPECT_EQ(bar.Max(), 100);
    EXPECT_EQ(bar.SmallChange(), 1);
    EXPECT_EQ(bar.LargeChange(), 1);
    EXPECT_EQ(bar.BothSkinDataName(), "bothhscrollbar");
    EXPECT_EQ(bar.SkinDataName(), "");
    EXPECT_FALSE(bar.TabStop());
    bar.SetCanFocused(true);
    EXPECT_TRUE(bar.TabStop());
}

TEST_F(ScrollBar, PositionIsClampedToTheRangeAndOnlySetRangeIsSilent) {
    Bar->SetRange(0, 99, 20, 95);
    EXPECT_EQ(Bar->Position(), 80);
    EXPECT_EQ(Changes, 0);
    Bar->SetPosition(-5);
    EXPECT_EQ(Bar->Position(), 0);
    Bar->SetPosition(0);
    EXPECT_EQ(Changes, 1);
    Bar->SetPosition(500);
    EXPECT_EQ(Bar->Position(), 80);
    // Without a page the upper limit is Max itself; below Min wins over it.
    Bar->SetRange(10, 5, 0, 12);
    EXPECT_EQ(Bar->Position(), 5);
    Bar->SetRange(10, 5, 0, 2);
    EXPECT_EQ(Bar->Position(), 10);
    EXPECT_EQ(Changes, 2);
}

TEST_F(ScrollBar, RangeWritersKeepThePositionInside) {
    Bar->SetRange(0, 100, 10, 85);
    Bar->SetMax(50); // the page must still fit after the position
    EXPECT_EQ(Bar->Position(), 41);
    Bar->SetRange(0, 100, 0, 85);
    Bar->SetMax(60);
    EXPECT_EQ(Bar->Position(), 60);
    Bar->SetMin(70);
    EXPECT_EQ(Bar->Position(), 70);
    Bar->SetRange(0, 100, 0, 50);
    Bar->SetPageSize(60); // would pass the end: refused
    EXPECT_EQ(Bar->PageSize(), 0);
    Bar->SetPageSize(51);
    EXPECT_EQ(Bar->PageSize(), 51);
    EXPECT_EQ(Changes, 0);
}

TEST_F(ScrollBar, HeldButtonStepsAtOnceThenAfterHalfASecondEveryFiftyMilliseconds) {
    Press(8, 115); // the up button, at the bottom of a vertical bar
    EXPECT_EQ(Bar->Position(), 1);
    EXPECT_TRUE(Bar->PartIsDown(sbpUpButton));
    Clock().Advance(500); // only switches to the fast interval
    EXPECT_EQ(Bar->Position(), 1);
    Clock().Advance(49);
    EXPECT_EQ(Bar->Position(), 1);
    Clock().Advance(1);
    EXPECT_EQ(Bar->Position(), 2);
    Clock().Advance(100);
    EXPECT_EQ(Bar->Position(), 4);
    Move(8, 60); // off the button: paused
    Clock().Advance(300);
    EXPECT_EQ(Bar->Position(), 4);
    Move(8, 115); // back: resumes at the fast interval
    Clock().Advance(50);
    EXPECT_EQ(Bar->Position(), 5);
    Release(8, 115);
    Clock().Advance(500);
    EXPECT_EQ(Bar->Position(), 5);
    EXPECT_EQ(Bar->RepeatMode(), rmNone);
    EXPECT_FALSE(Bar->PartIsDown(sbpUpButton));
    EXPECT_TRUE(Bar->PartMouseIn(sbpUpButton));
    EXPECT_EQ(LastChanges, 0); // a button click is no last change

    Press(8, 8); // the down button
    Release(8, 8);
    EXPECT_EQ(Bar->Position(), 4);
}

TEST_F(ScrollBar, ButtonHandlersReplaceTheStepAndRepeatToo) {
    int ups = 0;
    Bar->OnUpButtonClick = [&](TObject*) { ++ups; };
    Press(8, 115);
    Clock().Advance(600);
    Release(8, 115);
    EXPECT_EQ(ups, 3);
    EXPECT_EQ(Bar->Position(), 0);
}

TEST_F(ScrollBar, DraggingTheThumbMapsThePointerOntoTheRange) {
    Press(8, 25); // the thumb's centre at position 0
    EXPECT_TRUE(Bar->Dragging());
    Move(8, 25 + 38);
    EXPECT_EQ(Bar->Position(), 49); // 38 of 77 pixels
    Move(8, 25 + 77);
    EXPECT_EQ(Bar->Position(), 100);
    Move(8, 200);
    EXPECT_EQ(Bar->Position(), 100);
    Move(8, -50);
    EXPECT_EQ(Bar->Position(), 0);
    EXPECT_EQ(Changes, 3);
    EXPECT_EQ(LastChanges, 0);
    Release(8, -50);
    EXPECT_FALSE(Bar->Dragging());
    EXPECT_EQ(LastChanges, 1);

    // With a page the thumb travels over what the page leaves.
    Bar->SetRange(0, 99, 50, 0);
    EXPECT_EQ(Bar->PosFromOffset(0), 0);
    int travel = Bar->Rects().ThumbMax - Bar->Rects().ThumbMin;
    EXPECT_EQ(Bar->PosFromOffset(travel), 50);
}

TEST_F(ScrollBar, TrackPressPagesTowardsThePointerUntilTheThumbReachesIt) {
    Bar->SetLargeChange(10);
    Press(8, 100);
    EXPECT_EQ(Bar->Position(), 10);
    EXPECT_EQ(Bar->RepeatMode(), rmTrackToMax);
    Clock().Advance(550);
    EXPECT_EQ(Bar->Position(), 20);
    Clock().Advance(1000);
    EXPECT_EQ(Bar->Position(), 90); // the thumb now covers the pointer
    EXPECT_EQ(Bar->RepeatMode(), rmNone);
    Release(8, 100);
    EXPECT_EQ(LastChanges, 1);

    Press(8, 20); // before the thumb
    EXPECT_EQ(Bar->Position(), 80);
    EXPECT_EQ(Bar->RepeatMode(), rmTrackToMin);
    Release(8, 20);
    EXPECT_EQ(LastChanges, 2);
}

TEST_F(ScrollBar, KeysAndWheelMoveOnlyAFocusableBar) {
    Bar->SetSmallChange(5);
    Bar->Perform(WM_KEYDOWN, VK_DOWN);
    Bar->Perform(WM_MOUSEWHEEL, std::intptr_t(std::uint32_t(std::uint16_t(-120)) << 16));
    EXPECT_EQ(Bar->Position(), 0);
    Bar->SetCanFocused(true);
    Bar->Perform(WM_KEYDOWN, VK_DOWN);
    Bar->Perform(WM_KEYDOWN, VK_RIGHT);
    Bar->Perform(WM_KEYDOWN, VK_UP);
    EXPECT_EQ(Bar->Position(), 5);
    EXPECT_EQ(Bar->Perform(WM_GETDLGCODE), DLGC_WANTARROWS);
}

TEST_F(ScrollBar, BothSwitchesToTheCornerRecordAndBack) {
    Bar->SetSkinDataName("hscrollbar");
    Bar->SetBoth(true);
    EXPECT_EQ(Bar->SkinDataName(), "bothhscrollbar");
    Bar->SetBoth(false);
    EXPECT_EQ(Bar->SkinDataName(), "hscrollbar");
    Bar->SetBothMarkerWidth(-3);
    EXPECT_EQ(Bar->BothMarkerWidth(), 0);
}

TEST_F(ScrollBar, PlainLookShowsHoverAndPressAndArrows) {
    TPixelBuffer picture;
    picture.Allocate(16, 127, pf32bit);
    Bar->DrawDefault(picture);
    EXPECT_EQ(picture.Pixel(0, 60), ColorToRGB(clBtnFace));
    EXPECT_EQ(picture.Pixel(1, 1), ColorToRGB(clBtnShadow)); // the down button's frame
    EXPECT_EQ(picture.Pixel(8, 7), clBlack);                 // tip of its up arrow
    EXPECT_EQ(picture.Pixel(5, 10), clBlack);
    EXPECT_EQ(picture.Pixel(4, 10), ColorToRGB(clBtnFace));
    EXPECT_EQ(picture.Pixel(8, 120), clBlack); // tip of the up button's down arrow

    Move(8, 115, false);
    Bar->DrawDefault(picture);
    EXPECT_EQ(picture.Pixel(1, 110), RGB(0, 0, 128));
    EXPECT_EQ(picture.Pixel(2, 111), RGB(182, 189, 210));
    Bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(8, 115));
    Bar->DrawDefault(picture);
    EXPECT_EQ(picture.Pixel(2, 111), RGB(133, 146, 181));
    Release(8, 115);

    // A disabled bar has no thumb.
    Bar->DrawDefault(picture);
    EXPECT_EQ(picture.Pixel(1, 20), ColorToRGB(clBtnShadow));
    Bar->SetEnabled(false);
    Bar->DrawDefault(picture);
    EXPECT_EQ(picture.Pixel(1, 20), ColorToRGB(clBtnFace));
}

} // namespace
