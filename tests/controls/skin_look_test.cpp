// The skinned look on pixels: every control paints from a skin whose controls picture
// encodes positions, so each checked pixel names the skin pixel it was copied from.

#include "test_application.h"

#include "coded_skin.h"
#include "skin/controls/skin_list_box.h"
#include "skin/controls/skin_scroll_box.h"
#include "toolkit/form.h"
#include "toolkit/grab.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class SkinLook : public ::testing::Test {
protected:
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 800, 600);
        Skin = new TbsSkinData(Form.get());
        LoadCodedSkin(*Skin);
        ASSERT_FALSE(Skin->Empty());
    }

    // The skin pixel behind (x, y) of a fresh paint of the control.
    static TPoint Source(TWinControl& control, int x, int y) {
        TPixelBuffer picture;
        GrabControl(control, picture);
        return SkinPixel(picture, x, y);
    }
    static TPoint Drawn(TbsSkinControl& control, int x, int y) {
        TPixelBuffer picture;
        picture.Allocate(control.Width(), control.Height(), pf32bit);
        control.ResolveSkin();
        control.DrawSkin(picture);
        return SkinPixel(picture, x, y);
    }

    TbsDataSkinControl& Record(const std::string& name) {
        return *Skin->SkinControls[size_t(Skin->FindControlIndex(name))];
    }

    std::unique_ptr<TForm> Form;
    TbsSkinData* Skin = nullptr;
};

TEST_F(SkinLook, NinePartImageRepeatsItsBandsAtAnotherSize) {
    // "scrollbox": 96 x 80 at (1, 146); anchors (4,4) (90,5) (3,74) (90,75), client (2,2)-(94,78).
    auto* box = new TbsSkinCustomControl(Form.get());
    box->SetParent(Form.get());
    box->SetSkinDataName("scrollbox");
    box->SetSkinData(Skin);
    box->SetBounds(0, 0, 150, 120); // 54 wider, 40 taller
    EXPECT_EQ(box->StretchMode(), 1);
    EXPECT_EQ(Drawn(*box, 0, 0), (TPoint{1, 146}));
    EXPECT_EQ(Drawn(*box, 100, 0), (TPoint{1 + 4 + 96 % 86, 146})); // top band, second tile
    EXPECT_EQ(Drawn(*box, 149, 0), (TPoint{1 + 95, 146}));           // top-right corner
    EXPECT_EQ(Drawn(*box, 0, 119), (TPoint{1, 146 + 79}));           // bottom-left corner
    EXPECT_EQ(Drawn(*box, 149, 100), (TPoint{1 + 95, 146 + 5 + 95 % 70})); // right column
    EXPECT_EQ(Drawn(*box, 149, 119), (TPoint{1 + 95, 146 + 79}));
    EXPECT_EQ(Drawn(*box, 2 + 93, 2), (TPoint{1 + 3, 146 + 2})); // the client image tiled
}

TEST_F(SkinLook, ThreePartImagesRepeatTheirMiddleAndKeepTheSkinThickness) {
    // "hscrollbar": 53 x 18, fixed left 17 and right 15, the middle 17..38 repeated.
    auto* bar = new TbsSkinScrollBar(Form.get());
    bar->SetParent(Form.get());
    bar->SetSkinDataName("hscrollbar");
    bar->SetSkinData(Skin);
    bar->SetBounds(0, 0, 100, 40);
    EXPECT_EQ(bar->Height(), 18);
    bar->SetEnabled(false); // no thumb over the image
    EXPECT_EQ(Drawn(*bar, 50, 3), (TPoint{230 + 17 + 33 % 21, 66 + 3}));
    EXPECT_EQ(Drawn(*bar, 99, 3), (TPoint{230 + 52, 66 + 3}));
    // "vscrollbar": 16 x 84, fixed top 21 and bottom 51 rows.
    auto* vbar = new TbsSkinScrollBar(Form.get());
    vbar->SetParent(Form.get());
    vbar->SetKind(sbVertical);
    vbar->SetSkinDataName("vscrollbar");
    vbar->SetSkinData(Skin);
    vbar->SetBounds(0, 0, 40, 200);
    EXPECT_EQ(vbar->Width(), 16);
    vbar->SetEnabled(false);
    EXPECT_EQ(Drawn(*vbar, 8, 40), (TPoint{283 + 8, 5 + 21 + 19 % 12}));
    EXPECT_EQ(Drawn(*vbar, 8, 199), (TPoint{283 + 8, 5 + 83}));
}

TEST_F(SkinLook, ThumbIsStretchedAlongAPageSizedBarKeepingItsEnds) {
    auto* bar = new TbsSkinScrollBar(Form.get());
    bar->SetParent(Form.get());
    bar->SetKind(sbVertical);
    bar->SetSkinDataName("vscrollbar");
    bar->SetSkinData(Skin);
    bar->SetBounds(0, 0, 16, 200);
    bar->SetRange(0, 99, 50, 0);
    // Track 18..182; half of it for half the range; 14 wide across a 12-wide track.
    bar->CalcRects();
    ASSERT_EQ(bar->Rects().Parts[sbpThumb], Rect(1, 18, 15, 100));
    // ThumbRect (230,17)-(244,39): 5 rows kept at each end, the 12 between repeated.
    EXPECT_EQ(Drawn(*bar, 1, 18), (TPoint{230, 17}));
    EXPECT_EQ(Drawn(*bar, 14, 22), (TPoint{243, 21}));
    EXPECT_EQ(Drawn(*bar, 1, 23), (TPoint{230, 22}));
    EXPECT_EQ(Drawn(*bar, 1, 23 + 12 * 5 + 3), (TPoint{230, 25}));
    EXPECT_EQ(Drawn(*bar, 1, 95), (TPoint{230, 34}));
    EXPECT_EQ(Drawn(*bar, 1, 99), (TPoint{230, 38}));
    // Without a page the thumb keeps its own size.
    bar->SetRange(0, 100, 0, 0);
    bar->CalcRects();
    EXPECT_EQ(bar->Rects().Parts[sbpThumb].Height(), 22);
    EXPECT_EQ(Drawn(*bar, 1, 18 + 21), (TPoint{230, 38}));
}

TEST_F(SkinLook, ScrollBarPartsShowTheirHoverAndPressedPictures) {
    // "smallvscrollbar": 12 x 80; thumb 316,20 hover 327,20 pressed 338,20 (10 x 20);
    // its up button (bottom) has a pressed picture at 316,48 and no hover picture.
    auto* bar = new TbsSkinScrollBar(Form.get());
    bar->SetParent(Form.get());
    bar->SetKind(sbVertical);
    bar->SetSkinDataName("smallvscrollbar");
    bar->SetSkinData(Skin);
    bar->SetBounds(0, 0, 12, 120);
    bar->CalcRects();
    const TRect thumb = bar->Rects().Parts[sbpThumb];
    const TRect up = bar->Rects().Parts[sbpUpButton];
    ASSERT_EQ(up, Rect(0, 108, 12, 120));
    auto move = [&](int x, int y, bool held) { bar->Perform(WM_MOUSEMOVE, held ? MK_LBUTTON : 0, MakeLParam(x, y)); };

    EXPECT_EQ(Source(*bar, thumb.Left + 1, thumb.Top), (TPoint{317, 20}));
    move(thumb.Left + 1, thumb.Top + 1, false);
    EXPECT_EQ(Source(*bar, thumb.Left + 1, thumb.Top), (TPoint{328, 20}));
    bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(thumb.Left + 1, thumb.Top + 1));
    EXPECT_EQ(Source(*bar, thumb.Left + 1, thumb.Top), (TPoint{339, 20}));
    bar->Perform(WM_LBUTTONUP, 0, MakeLParam(thumb.Left + 1, thumb.Top + 1));

    const TPoint normalButton = Source(*bar, 2, 110);
    EXPECT_EQ(normalButton, (TPoint{303 + 2, 20 + 70})); // part of the bar's own image
    move(2, 110, false);
    EXPECT_EQ(Source(*bar, 2, 110), normalButton); // no hover picture in this skin
    bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(2, 110));
    EXPECT_EQ(Source(*bar, 2, 110), (TPoint{316 + 2, 48 + 2}));
    move(2, 60, true); // held, but off the button
    EXPECT_EQ(Source(*bar, 2, 110), normalButton);
    move(2, 110, true);
    EXPECT_EQ(Source(*bar, 2, 110), (TPoint{316 + 2, 48 + 2}));
    bar->Perform(WM_LBUTTONUP, 0, MakeLParam(2, 110));
    EXPECT_EQ(Source(*bar, 2, 110), normalButton);
}

TEST_F(SkinLook, ListItemsStretchTheirBackgroundToTheListWidth) {
    auto* list = new TbsSkinListBox(Form.get());
    list->SetParent(Form.get());
    list->SetBounds(26, 83, 191, 386);
    list->SetSkinData(Skin);
    for (const char* text : {"one", "two", "three"}) list->Items().Add(text);
    list->SetItemIndex(1);
    // The skin's client rect (1,1)-(66,63) grown with the control; items 22 high.
    EXPECT_EQ(list->ListRect(), Rect(1, 1, 190, 385));
    EXPECT_EQ(list->ListBox()->ItemHeight(), 22);
    std::vector<TRect> textRects;
    std::vector<TFont> fonts;
    std::vector<TBrushStyle> brushes;
    list->OnDrawItem = [&](TCanvas& canvas, int, int, int, TRect textRect, TOwnerDrawState) {
        textRects.push_back(textRect);
        fonts.push_back(canvas.Font());
        brushes.push_back(canvas.Brush().Style);
    };
    TPixelBuffer picture;
    GrabControl(*list, picture);
    // Item (187,199)-(241,221): left 10 and right 5 columns kept, the 39 between repeated.
    EXPECT_EQ(SkinPixel(picture, 1 + 5, 1 + 22 + 10), (TPoint{187 + 5, 199 + 10}));
    EXPECT_EQ(SkinPixel(picture, 1 + 60, 1 + 10), (TPoint{187 + 10 + 50 % 39, 199 + 10}));
    EXPECT_EQ(SkinPixel(picture, 1 + 188, 1 + 10), (TPoint{187 + 53, 199 + 10}));
    // Below the items the skin's client image (116,155)-(181,217) is tiled.
    EXPECT_EQ(SkinPixel(picture, 1 + 70, 1 + 66 + 4), (TPoint{116 + 5, 155 + 4}));
    EXPECT_EQ(SkinPixel(picture, 1 + 0, 1 + 66 + 62), (TPoint{116, 155}));
    // The frame comes from the skin image; the bar-less list reaches the client's edge.
    EXPECT_EQ(SkinPixel(picture, 0, 0), (TPoint{115, 154}));
    EXPECT_EQ(SkinPixel(picture, 190, 385), (TPoint{181, 217}));
    ASSERT_EQ(textRects.size(), 3u);
    EXPECT_EQ(textRects[1], Rect(2, 1, 188, 21)); // the skin's text rect, as wide as the item
    EXPECT_EQ(fonts[1].Name(), "Arial");
    EXPECT_EQ(fonts[1].Height(), 14);
    EXPECT_EQ(fonts[1].Color(), 0);
    EXPECT_EQ(brushes[1], bsClear);
}

TEST_F(SkinLook, ScrollBoxIsFramedByBorderStripsAndTiledInside) {
    auto* box = new TbsSkinScrollBox(Form.get());
    box->SetParent(Form.get());
    box->SetBounds(10, 10, 200, 150);
    box->HandleNeeded();
    box->SetSkinData(Skin);
    // The skin's client rect leaves a 2-pixel frame on every side.
    EXPECT_EQ(box->ClientWidth(), 196);
    EXPECT_EQ(box->ClientHeight(), 146);
    TPixelBuffer picture;
    GrabControl(*box, picture);
    EXPECT_EQ(SkinPixel(picture, 0, 0), (TPoint{1, 146}));
    EXPECT_EQ(SkinPixel(picture, 100, 1), (TPoint{1 + 4 + 100 % 86, 147})); // top, from column 0
    EXPECT_EQ(SkinPixel(picture, 197, 0), (TPoint{1 + 93, 146}));          // top-right corner
    EXPECT_EQ(SkinPixel(picture, 1, 2), (TPoint{2, 146 + 2}));             // left strip's top end
    EXPECT_EQ(SkinPixel(picture, 1, 2 + 50), (TPoint{2, 146 + 4 + 50 % 70}));
    EXPECT_EQ(SkinPixel(picture, 0, 2 + 145), (TPoint{1, 146 + 77}));      // and its bottom end
    EXPECT_EQ(SkinPixel(picture, 199, 100), (TPoint{1 + 95, 146 + 5 + 98 % 70}));
    EXPECT_EQ(SkinPixel(picture, 50, 149), (TPoint{1 + 3 + 50 % 87, 146 + 79}));
    EXPECT_EQ(SkinPixel(picture, 2, 2), (TPoint{3, 148}));          // client tiles
    EXPECT_EQ(SkinPixel(picture, 2 + 93, 2 + 77), (TPoint{4, 149})); // second column and row
    // Without a frame the box is all client.
    box->SetBorderStyle(TbsSkinBorderStyle::bvNone);
    EXPECT_EQ(box->ClientWidth(), 200);
    GrabControl(*box, picture);
    EXPECT_EQ(SkinPixel(picture, 0, 0), (TPoint{3, 148}));
}

TEST_F(SkinLook, MaskShapesTheWindowOnlyWhenTheSkinIsApplied) {
    // A fixed 4 x 3 image whose mask keeps the black pixels: two rows, the second short.
    auto mask = std::make_unique<TBitmap>();
    mask->SetSize(4, 3);
    mask->Canvas().Brush() = {RGB(255, 255, 255), bsSolid};
    mask->Canvas().FillRect(Rect(0, 0, 4, 3));
    mask->Canvas().Brush() = {RGB(0, 0, 0), bsSolid};
    mask->Canvas().FillRect(Rect(0, 0, 4, 1));
    mask->Canvas().FillRect(Rect(1, 1, 3, 2));
    mask->Canvas().Flush();
    Skin->ActivePictures.push_back(std::move(mask));
    auto record = std::make_unique<TbsDataSkinCustomControl>("masked");
    record->PictureIndex = 3;
    record->MaskPictureIndex = int(Skin->ActivePictures.size()) - 1;
    record->SkinRect = Rect(0, 0, 4, 3);
    Skin->SkinControls.push_back(std::move(record));
    auto* control = new TbsSkinCustomControl(Form.get());
    control->SetParent(Form.get());
    control->SetSkinDataName("masked");
    control->SetSkinData(Skin);
    EXPECT_EQ(control->Width(), 4);
    ASSERT_TRUE(control->WindowRegion());
    EXPECT_EQ(*control->WindowRegion(), TRegion::FromRects({Rect(0, 0, 4, 1), Rect(1, 1, 3, 2)}));
    // A picture index past the list is no picture: no mask, so no shape.
    dynamic_cast<TbsDataSkinCustomControl&>(Record("masked")).MaskPictureIndex = 99;
    control->SetSkinData(Skin);
    EXPECT_EQ(control->SkinMask(), nullptr);
    EXPECT_FALSE(control->WindowRegion());
}

TEST_F(SkinLook, ControlsMetByAnEmptySkinKeepTheirPlainSizesButPaintFromItLater) {
    auto* skin = new TbsSkinData(Form.get());
    auto* list = new TbsSkinListBox(Form.get());
    list->SetParent(Form.get());
    list->SetBounds(26, 83, 191, 386);
    list->SetSkinData(skin); // still empty
    LoadCodedSkin(*skin);
    for (const char* text : {"one", "two"}) list->Items().Add(text);
    TPixelBuffer picture;
    GrabControl(*list, picture);
    EXPECT_NE(list->SkinIndex(), -1);
    EXPECT_EQ(list->ListRect(), Rect(2, 2, 189, 384));  // the plain layout stays
    EXPECT_EQ(list->ListBox()->ItemHeight(), 20);       // and so does the item height
    EXPECT_EQ(SkinPixel(picture, 2 + 150, 2 + 10), (TPoint{187 + 10 + 140 % 39, 199 + 10})); // skinned items
    // Its frame fits its size though it was never resized since the skin came: the
    // corners sit at the corners ("listbox" is 67 x 64 at (115, 154)).
    EXPECT_EQ(SkinPixel(picture, 0, 0), (TPoint{115, 154}));
    EXPECT_EQ(SkinPixel(picture, 190, 0), (TPoint{115 + 66, 154}));
    EXPECT_EQ(SkinPixel(picture, 190, 385), (TPoint{115 + 66, 154 + 63}));
}

} // namespace
