#include "test_application.h"

#include "skin/controls/skin_scroll_box.h"
#include "toolkit/form.h"
#include "toolkit/grab.h"
#include "toolkit/pixel_buffer.h"
#include "toolkit/system_colors.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A child of fixed size standing in for the description label.
class TBlock : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
};

class ScrollBox : public ::testing::Test {
protected:
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 800, 600);
        Box = new TbsSkinScrollBox(Form.get());
        Box->SetParent(Form.get());
        Box->SetBorderStyle(TbsSkinBorderStyle::bvNone);
        Box->SetBounds(532, 341, 230, 121);
        Label = new TBlock(Form.get());
        Label->SetParent(Box);
        Label->SetBounds(2, 3, 220, 13);
        Bar = new TbsSkinScrollBar(Form.get());
        Bar->SetParent(Form.get());
        Bar->SetKind(sbVertical);
        Bar->SetBounds(763, 341, 16, 127);
        Bar->SetCanFocused(true);
        Bar->SetEnabled(false);
    }

    void Bind() { Box->SetVScrollBar(Bar); }
    void ExpectRange(int min, int max, int page, int position) {
        EXPECT_EQ(Bar->Min(), min);
        EXPECT_EQ(Bar->Max(), max);
        EXPECT_EQ(Bar->PageSize(), page);
        EXPECT_EQ(Bar->Position(), position);
    }

    std::unique_ptr<TForm> Form;
    TbsSkinScrollBox* Box = nullptr;
    TBlock* Label = nullptr;
    TbsSkinScrollBar* Bar = nullptr;
};

TEST_F(ScrollBox, BindingTakesTheBarOverAndHidesItWhenTheContentFits) {
    Bind();
    EXPECT_FALSE(Bar->Visible());
    EXPECT_FALSE(Bar->CanFocused());
    EXPECT_TRUE(Bar->Enabled());
    ExpectRange(0, 0, 0, 0);
}

TEST_F(ScrollBox, TallContentShowsAndRangesTheBarWhichThenScrollsIt) {
    Bind();
    Label->SetHeight(300);
    Bind(); // the owner re-binds after changing a child
    EXPECT_TRUE(Bar->Visible());
    ExpectRange(0, 302, 121, 0);
    Bar->SetPosition(40);
    EXPECT_EQ(Label->Top(), 3 - 40);
    Bar->SetPosition(182); // the last position
    EXPECT_EQ(Label->Top() + Label->Height(), 121);
}

TEST_F(ScrollBox, ShortContentWhileScrolledMovesBackAndHidesTheBar) {
    Label->SetHeight(300);
    Bind();
    Bar->SetPosition(100);
    EXPECT_EQ(Label->Top(), -97);
    Label->SetHeight(13);
    Bind();
    EXPECT_EQ(Label->Top(), 3);
    EXPECT_FALSE(Bar->Visible());
    ExpectRange(0, 0, 0, 0);
}

TEST_F(ScrollBox, GrowingWhileScrolledBringsTheContentDownByTheGrowthAtMost) {
    Label->SetHeight(185);
    Bind();
    ExpectRange(0, 187, 121, 0);
    Bar->SetPosition(30);
    EXPECT_EQ(Label->Top(), -27);
    Box->SetHeight(171);
    EXPECT_EQ(Label->Top(), 3);
    EXPECT_EQ(Bar->Position(), 0);
    EXPECT_EQ(Bar->PageSize(), 171);
    EXPECT_TRUE(Bar->Visible());
    EXPECT_EQ(Box->VGrowth(), 0);
}

TEST_F(ScrollBox, ABarBoundBothWaysSharesTheCornerWhileTheVerticalShows) {
    auto* across = new TbsSkinScrollBar(Form.get());
    across->SetParent(Form.get());
    Box->SetHScrollBar(across);
    Bind();
    EXPECT_FALSE(across->Both());
    Label->SetHeight(300);
    Bind();
    EXPECT_TRUE(across->Both());
    Label->SetWidth(400);
    Box->SetHScrollBar(across);
    EXPECT_TRUE(across->Visible());
    across->SetPosition(50);
    EXPECT_EQ(Label->Left(), 2 - 50);
    delete Bar; // a destroyed bar is let go
    EXPECT_EQ(Box->VScrollBar(), nullptr);
}

TEST_F(ScrollBox, ABarLetGoOfNoLongerScrollsTheContent) {
    Label->SetHeight(300);
    Bind();
    // Another bar takes over; the old one moves nothing any more.
    auto* other = new TbsSkinScrollBar(Form.get());
    other->SetParent(Form.get());
    other->SetKind(sbVertical);
    Box->SetVScrollBar(other);
    Bar->SetPosition(20);
    EXPECT_EQ(Label->Top(), 3);
    other->SetPosition(10);
    EXPECT_EQ(Label->Top(), 3 - 10);
    // Unbound, the content goes back to the top and the bar is inert.
    Box->SetVScrollBar(nullptr);
    EXPECT_EQ(Box->VScrollBar(), nullptr);
    EXPECT_EQ(Label->Top(), 3);
    other->SetPosition(30);
    EXPECT_EQ(Label->Top(), 3);
}

TEST_F(ScrollBox, BarsOutlivingTheBoxAreSafeToMove) {
    Label->SetHeight(300);
    Bind();
    delete Box;
    Bar->SetPosition(40);
    EXPECT_EQ(Bar->Position(), 40);
}

TEST_F(ScrollBox, PlainFrameFollowsTheBorderStyle) {
    Box->SetBorderStyle(TbsSkinBorderStyle::bvRaised);
    Box->HandleNeeded();
    EXPECT_EQ(Box->ClientRect(), Rect(0, 0, 228, 119));
    TPixelBuffer picture;
    GrabControl(*Box, picture);
    EXPECT_EQ(picture.Pixel(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(picture.Pixel(229, 120), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(picture.Pixel(10, 10), ColorToRGB(clBtnFace));
    Box->SetBorderStyle(TbsSkinBorderStyle::bvLowered);
    GrabControl(*Box, picture);
    EXPECT_EQ(picture.Pixel(0, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(picture.Pixel(229, 120), ColorToRGB(clBtnShadow));
    Box->SetBorderStyle(TbsSkinBorderStyle::bvNone);
    EXPECT_EQ(Box->ClientRect(), Rect(0, 0, 230, 121));
}

} // namespace
