#include "test_application.h"

#include "coded_skin.h"
#include "skin/controls/skin_list_box.h"
#include "toolkit/form.h"
#include "toolkit/grab.h"
#include "toolkit/system_colors.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(CaptionGeometry, ButtonsAreAsWideAsTheBandAllowsUpToSeventeen) {
    //  ... caption text ...  [check][down][up]  2 px margin
    TbsCaptionButtonRects b = PlainCaptionButtons(200, 20);
    EXPECT_EQ(b.Rects[cbUpButton], Rect(181, 2, 198, 18));
    EXPECT_EQ(b.Rects[cbDownButton], Rect(164, 2, 181, 18));
    EXPECT_EQ(b.Rects[cbCheckButton], Rect(147, 2, 164, 18));
    b = PlainCaptionButtons(200, 12);
    EXPECT_EQ(b.Rects[cbUpButton].Width(), 9);
    EXPECT_EQ(b.Rects[cbCheckButton], Rect(171, 2, 180, 10));
    EXPECT_EQ(PlainCaptionButtons(200, 40).Rects[cbUpButton].Width(), 17);
    EXPECT_EQ(PlainCaptionTextRect(200, 20), Rect(3, 2, 146, 18));
}

TEST(CaptionGeometry, ContentIsPlacedByTheAlignment) {
    TbsCaptionContent c;
    c.TextWidth = 50;
    c.TextHeight = 16;
    c.GlyphWidth = 16;
    c.GlyphHeight = 16;
    c.Spacing = 2;
    TRect r = Rect(3, 2, 146, 18);
    // Plain: the glyph one pixel above centre, the text centred on the band.
    TbsCaptionPlacement p = PlaceCaptionContent(r, c, false, 20);
    EXPECT_EQ(p.Glyph, (TPoint{3, 1}));
    EXPECT_EQ(p.Text, (TPoint{21, 1}));
    c.Alignment = taRightJustify;
    EXPECT_EQ(PlaceCaptionContent(r, c, false, 20).Glyph.X, 146 - 68);
    c.Alignment = taCenter;
    EXPECT_EQ(PlaceCaptionContent(r, c, false, 20).Glyph.X, 3 + 71 - 34);
    // Skinned: two pixels inside the rect, both centred on it.
    r = Rect(10, 4, 110, 24);
    c.Alignment = taLeftJustify;
    p = PlaceCaptionContent(r, c, true, 20);
    EXPECT_EQ(p.Glyph, (TPoint{12, 6}));
    EXPECT_EQ(p.Text, (TPoint{30, 6}));
    c.Alignment = taRightJustify;
    EXPECT_EQ(PlaceCaptionContent(r, c, true, 20).Glyph.X, 110 - 68 - 2);
    c.GlyphWidth = 0; // no glyph: no spacing either
    EXPECT_EQ(PlaceCaptionContent(r, c, true, 20).Text.X, 110 - 50 - 2);
}

TEST(CaptionGeometry, SkinnedRectsFollowTheAnchorsTheyPass) {
    TbsSkinGeometry g;
    g.SkinRect = Rect(0, 0, 100, 60);
    g.LeftTopPoint = {5, 20};
    g.RightTopPoint = {70, 20};
    g.RightBottomPoint = {60, 50};
    const int w = 150, h = 90; // 50 wider, 30 taller than the skin
    EXPECT_EQ(SkinCaptionButtonRect(g, Rect(80, 2, 90, 12), w, h), Rect(130, 2, 140, 12));
    EXPECT_EQ(SkinCaptionButtonRect(g, Rect(65, 2, 75, 12), w, h), Rect(65, 2, 75, 12));
    // Below the top anchor: down with the bottom, and right of the bottom anchor's x.
    EXPECT_EQ(SkinCaptionButtonRect(g, Rect(65, 40, 75, 50), w, h), Rect(115, 70, 125, 80));
    EXPECT_EQ(SkinCaptionRect(g, Rect(2, 2, 70, 18), w), Rect(2, 2, 120, 18));
    EXPECT_EQ(SkinCaptionRect(g, Rect(2, 2, 69, 18), w), Rect(2, 2, 69, 18));
}

class CaptionBand : public ::testing::Test {
protected:
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 400, 400);
        List = new TbsSkinListBox(Form.get());
        List->SetParent(Form.get());
        List->SetBounds(10, 10, 200, 200);
        List->SetCaptionMode(true);
        for (int i = 0; i < 30; ++i) List->Items().Add("item " + std::to_string(i));
        List->SetItemIndex(5);
        List->OnListBoxClick = [this](TObject* sender) {
            EXPECT_EQ(sender, List);
            ++Clicks;
        };
    }

    void Move(int x, int y) { List->Perform(WM_MOUSEMOVE, 0, MakeLParam(x, y)); }
    void Press(int x, int y) {
        Move(x, y);
        List->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, y));
    }
    void Release(int x, int y) { List->Perform(WM_LBUTTONUP, 0, MakeLParam(x, y)); }
    TColor At(int x, int y) {
        TPixelBuffer picture;
        GrabControl(*List, picture);
        return picture.Pixel(x, y);
    }

    static constexpr int UpX = 189, DownX = 172, CheckX = 155, ButtonY = 10;
    std::unique_ptr<TForm> Form;
    TbsSkinListBox* List = nullptr;
    int Clicks = 0;
};

TEST_F(CaptionBand, QuickClicksMoveTheCurrentItemOnRelease) {
    Press(DownX, ButtonY);
    EXPECT_EQ(List->ItemIndex(), 5);
    Release(DownX, ButtonY);
    EXPECT_EQ(List->ItemIndex(), 6);
    VITRINA_CLICK(*List, UpX, ButtonY);
    VITRINA_CLICK(*List, UpX, ButtonY);
    EXPECT_EQ(List->ItemIndex(), 4);
    List->SetItemIndex(0);
    VITRINA_CLICK(*List, UpX, ButtonY); // nothing above the first item
    EXPECT_EQ(List->ItemIndex(), 0);
    EXPECT_EQ(Clicks, 0);
    VITRINA_CLICK(*List, CheckX, ButtonY); // the check button clicks the list
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(List->ItemIndex(), 0);
}

TEST_F(CaptionBand, HeldButtonWaitsThenRepeatsPausingOffTheButton) {
    Press(DownX, ButtonY);
    Clock().Advance(500); // only switches to the repeat interval
    EXPECT_EQ(List->ItemIndex(), 5);
    Clock().Advance(99);
    EXPECT_EQ(List->ItemIndex(), 5);
    Clock().Advance(1);
    EXPECT_EQ(List->ItemIndex(), 6);
    Clock().Advance(200);
    EXPECT_EQ(List->ItemIndex(), 8);
    Move(100, 100); // off the button: paused
    EXPECT_EQ(List->CaptionBand().HotButton(), -1);
    Clock().Advance(1000);
    EXPECT_EQ(List->ItemIndex(), 8);
    Move(UpX, ButtonY); // another button cannot become hot while one is held
    EXPECT_EQ(List->CaptionBand().HotButton(), -1);
    Move(DownX, ButtonY); // back: resumed, and from then on every 50 ms
    Clock().Advance(49);
    EXPECT_EQ(List->ItemIndex(), 8);
    Clock().Advance(1);
    EXPECT_EQ(List->ItemIndex(), 9);
    Clock().Advance(100);
    EXPECT_EQ(List->ItemIndex(), 11);
    Release(DownX, ButtonY); // and the release adds its own step
    EXPECT_EQ(List->ItemIndex(), 12);
    Clock().Advance(1000);
    EXPECT_EQ(List->ItemIndex(), 12);
    EXPECT_EQ(List->CaptionBand().RepeatMode(), crmNone);
}

TEST_F(CaptionBand, HandlersReplaceTheDefaultOnlyWhenReleasedOnTheButton) {
    int ups = 0;
    List->OnUpButtonClick = [&](TObject* sender) {
        EXPECT_EQ(sender, List);
        ++ups;
    };
    Press(UpX, ButtonY);
    Clock().Advance(2000); // a button with a handler never repeats
    EXPECT_EQ(List->ItemIndex(), 5);
    Release(UpX, ButtonY);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(List->ItemIndex(), 5);
    // Released away from it, the button does its own job instead.
    Press(UpX, ButtonY);
    Move(60, 100);
    Release(60, 100);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(List->ItemIndex(), 4);
    EXPECT_FALSE(List->CaptionBand().ButtonMouseIn(cbUpButton));
    EXPECT_FALSE(List->CaptionBand().ButtonDown(cbUpButton));
}

TEST_F(CaptionBand, LeavingTheControlClearsTheArrowsButNotTheCheckButton) {
    Move(CheckX, ButtonY);
    EXPECT_TRUE(List->CaptionBand().ButtonMouseIn(cbCheckButton));
    List->Perform(CM_MOUSELEAVE);
    EXPECT_TRUE(List->CaptionBand().ButtonMouseIn(cbCheckButton));
    Move(DownX, ButtonY);
    EXPECT_FALSE(List->CaptionBand().ButtonMouseIn(cbCheckButton));
    List->Perform(CM_MOUSELEAVE);
    EXPECT_FALSE(List->CaptionBand().ButtonMouseIn(cbDownButton));
    EXPECT_EQ(List->CaptionBand().HotButton(), cbDownButton); // left as it was
    List->Perform(CM_MOUSEENTER); // entering again finds no button under (-1, -1)
    EXPECT_EQ(List->CaptionBand().HotButton(), -1);
}

TEST_F(CaptionBand, PlainButtonsShowHoverAndPressAndTheBandMovesTheList) {
    EXPECT_EQ(List->ListRect(), Rect(2, 21, 180, 198)); // below the band
    EXPECT_EQ(At(DownX, ButtonY - 6), ColorToRGB(clBtnFace));
    Move(DownX, ButtonY);
    EXPECT_EQ(At(DownX, ButtonY - 6), RGB(182, 189, 210));
    EXPECT_EQ(At(164, 2), RGB(0, 0, 128)); // its frame
    Press(DownX, ButtonY);
    EXPECT_EQ(At(DownX, ButtonY - 6), RGB(133, 146, 181));
    Move(60, 100); // held but off the button: no frame, plain face
    EXPECT_EQ(At(DownX, ButtonY - 6), ColorToRGB(clBtnFace));
    Release(60, 100);
    EXPECT_EQ(At(100, 19), ColorToRGB(clBtnShadow)); // the line under the band
}

TEST_F(CaptionBand, GlyphStandsBeforeTheCaptionAndShowsItsSecondFrameWhenDisabled) {
    TBitmap glyph;
    glyph.SetSize(8, 6);
    glyph.Canvas().Brush() = {RGB(255, 0, 255), bsSolid}; // the bottom-left colour is left out
    glyph.Canvas().FillRect(Rect(0, 0, 8, 6));
    glyph.Canvas().Brush() = {RGB(255, 0, 0), bsSolid};
    glyph.Canvas().FillRect(Rect(0, 0, 4, 5));
    glyph.Canvas().Brush() = {RGB(0, 0, 255), bsSolid};
    glyph.Canvas().FillRect(Rect(4, 0, 8, 5));
    glyph.Canvas().Flush();
    List->SetGlyph(glyph);
    List->SetNumGlyphs(2);
    // Plain, left aligned: x 3, y 2 + 16 / 2 - 6 / 2 - 1 = 6.
    EXPECT_EQ(At(3, 6), RGB(255, 0, 0));
    EXPECT_EQ(At(3, 11), ColorToRGB(clBtnFace)); // its transparent row
    List->SetEnabled(false);
    EXPECT_EQ(At(3, 6), RGB(0, 0, 255));
}

TEST_F(CaptionBand, SkinnedButtonsCopyTheirStateFromTheSkinPicture) {
    auto* skin = new TbsSkinData(Form.get());
    LoadCodedSkin(*skin);
    auto* record = dynamic_cast<TbsDataSkinListBox*>(skin->SkinControls[size_t(skin->FindControlIndex("listbox"))].get());
    ASSERT_NE(record, nullptr);
    // A 67 x 64 list skin; a button right of the top-right anchor (57) follows the right edge.
    record->UpButtonRect = Rect(58, 0, 66, 1);
    record->ActiveUpButtonRect = Rect(300, 300, 308, 301);
    record->DownUpButtonRect = Rect(310, 310, 318, 311);
    record->DownButtonRect = Rect(48, 0, 56, 1);
    List->SetSkinData(skin);
    const TRect up = Rect(58 + 133, 0, 66 + 133, 1);
    TPixelBuffer painted;
    GrabControl(*List, painted); // a paint places the buttons
    EXPECT_EQ(List->CaptionBand().Buttons().Rects[cbUpButton], up);
    EXPECT_EQ(List->CaptionBand().Buttons().Rects[cbDownButton], Rect(48, 0, 56, 1));
    auto source = [&] {
        TPixelBuffer picture;
        GrabControl(*List, picture);
        return SkinPixel(picture, up.Left + 1, 0);
    };
    EXPECT_EQ(source(), (TPoint{115 + 58 + 1, 154})); // normal: from the skin image itself
    Move(up.Left + 1, 0);
    EXPECT_EQ(source(), (TPoint{301, 300}));
    Press(up.Left + 1, 0);
    EXPECT_EQ(source(), (TPoint{311, 310}));
    Release(up.Left + 1, 0);
    EXPECT_EQ(source(), (TPoint{301, 300}));
}

} // namespace
