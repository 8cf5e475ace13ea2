#include "test_application.h"

#include "skin/controls/skin_scroll_bar.h"
#include "skin/stored_skin.h"
#include "toolkit/form.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TbsSkinGeometry Geometry(TPoint lt, TPoint rt, TPoint lb, TPoint rb) {
    TbsSkinGeometry g;
    g.SkinRect = Rect(10, 20, 110, 70); // 100 x 50
    g.ClientRect = Rect(5, 5, 95, 45);
    g.LeftTopPoint = lt;
    g.RightTopPoint = rt;
    g.LeftBottomPoint = lb;
    g.RightBottomPoint = rb;
    g.StretchMode = SkinStretchMode(g);
    return g;
}

TEST(SkinGeometry, StretchModeFollowsWhichAnchorsAreSet) {
    EXPECT_EQ(Geometry({5, 5}, {95, 5}, {5, 45}, {95, 45}).StretchMode, 1);
    EXPECT_EQ(Geometry({5, 0}, {95, 0}, {}, {95, 0}).StretchMode, 2);
    EXPECT_EQ(Geometry({0, 5}, {}, {0, 45}, {}).StretchMode, 3);
    EXPECT_EQ(Geometry({}, {}, {}, {}).StretchMode, 0);
    TbsSkinGeometry empty = Geometry({5, 5}, {95, 5}, {5, 45}, {95, 45});
    empty.SkinRect = Rect(0, 0, 0, 50);
    EXPECT_EQ(SkinStretchMode(empty), -1);
}

TEST(SkinGeometry, CalcSkinSizeMovesTheAnchorsWithTheGrowth) {
    TbsSkinGeometry nine = Geometry({5, 5}, {95, 5}, {5, 45}, {95, 45});
    int w = 160, h = 80;
    CalcSkinSize(nine, w, h);
    EXPECT_EQ(w, 160);
    EXPECT_EQ(h, 80);
    EXPECT_EQ(nine.NewRightTopPoint, (TPoint{155, 5}));
    EXPECT_EQ(nine.NewLeftBottomPoint, (TPoint{5, 75}));
    EXPECT_EQ(nine.NewRightBottomPoint, (TPoint{155, 75}));
    EXPECT_EQ(nine.NewClientRect, Rect(5, 5, 155, 75));

    TbsSkinGeometry across = Geometry({5, 0}, {95, 0}, {}, {});
    w = 160, h = 80;
    CalcSkinSize(across, w, h);
    EXPECT_EQ(h, 50); // the skin fixes the height
    EXPECT_EQ(across.NewClientRect, Rect(5, 5, 155, 45));

    TbsSkinGeometry down = Geometry({0, 5}, {}, {0, 45}, {});
    w = 160, h = 80;
    CalcSkinSize(down, w, h);
    EXPECT_EQ(w, 100); // and here the width
    EXPECT_EQ(down.NewLeftBottomPoint, (TPoint{0, 75}));

    TbsSkinGeometry fixed = Geometry({}, {}, {}, {});
    w = 160, h = 80;
    CalcSkinSize(fixed, w, h);
    EXPECT_EQ(w, 100);
    EXPECT_EQ(h, 50);
}

class SkinControl : public ::testing::Test {
protected:
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Skin = new TbsSkinData(Form.get());
        Bar = new TbsSkinScrollBar(Form.get());
        Bar->SetParent(Form.get());
        Bar->SetKind(sbVertical);
        Bar->SetBounds(0, 0, 40, 150);
    }

    // Two scroll bar records: "vscrollbar", 17 x 100 growing down from 80, and
    // "fixed", 30 x 40 without anchors.
    void LoadSkin() {
        TbsStoredSkin stored(nullptr);
        for (const char* line : {"[VERSION]", "[PICTURES]", "[FORMINFO]", "[SKINOBJECTS]", "count=0",
                                 "[SKINCONTROLS]", "count=2", "0=vscrollbar:scrollbar", "1=fixed:scrollbar",
                                 "[vscrollbar]", "skinrect=0,0,17,100", "leftbottompoint=0,80", "[fixed]",
                                 "skinrect=0,0,30,40"})
            stored.IniStrings().Add(line);
        Skin->LoadFromStoredSkin(stored);
        ASSERT_FALSE(Skin->Empty());
    }

    std::unique_ptr<TForm> Form;
    TbsSkinData* Skin = nullptr;
    TbsSkinScrollBar* Bar = nullptr;
};

TEST_F(SkinControl, AnUnknownRecordNameLeavesTheControlUnskinned) {
    LoadSkin();
    Bar->SetSkinDataName("VScrollBar"); // names are compared exactly
    Bar->SetSkinData(Skin);
    EXPECT_EQ(Bar->SkinIndex(), -1);
    EXPECT_EQ(Bar->Width(), 40);
    Bar->SetSkinDataName("vscrollbar");
    Bar->ResolveSkin();
    EXPECT_EQ(Bar->SkinIndex(), 0);
}

TEST_F(SkinControl, AnEmptySkinChangesNoSizeButIsUsedOnceLoaded) {
    Bar->SetSkinDataName("vscrollbar");
    Bar->SetSkinData(Skin);
    EXPECT_EQ(Bar->SkinIndex(), -1);
    EXPECT_EQ(Bar->Width(), 40);
    LoadSkin();
    Bar->ResolveSkin(); // as the next paint does
    EXPECT_EQ(Bar->SkinIndex(), 0);
    EXPECT_EQ(Bar->Width(), 40);
    Bar->SetSkinData(Skin); // assigned again: the skin's size is taken
    EXPECT_EQ(Bar->Width(), 17);
    EXPECT_EQ(Bar->Height(), 150);
    Bar->SetBounds(0, 0, 60, 200); // a vertical three-part image keeps its width
    EXPECT_EQ(Bar->Width(), 17);
    EXPECT_EQ(Bar->Height(), 200);
}

TEST_F(SkinControl, AnImageWithoutAnchorsFixesTheSize) {
    LoadSkin();
    Bar->SetSkinDataName("fixed");
    Bar->SetSkinData(Skin);
    EXPECT_EQ(Bar->StretchMode(), 0);
    EXPECT_EQ(Bar->BoundsRect(), Bounds(0, 0, 30, 40));
}

TEST_F(SkinControl, DefaultSizesApplyOnlyWhenSetAndUnskinned) {
    Bar->SetDefaultWidth(0);
    Bar->SetDefaultHeight(0);
    EXPECT_EQ(Bar->BoundsRect(), Bounds(0, 0, 40, 150));
    Bar->SetDefaultWidth(25);
    EXPECT_EQ(Bar->Width(), 25);
    EXPECT_EQ(Bar->DefaultFont().Name(), "Arial");
    EXPECT_EQ(Bar->DefaultFont().Height(), 14);
}

TEST_F(SkinControl, ForgetsASkinDataComponentThatGoes) {
    Bar->SetSkinData(Skin);
    delete Skin;
    EXPECT_EQ(Bar->SkinData(), nullptr);
    Bar->ResolveSkin();
    EXPECT_EQ(Bar->SkinIndex(), -1);
}

TEST_F(SkinControl, EnterAndLeaveAreReportedWithTheControlAsSender) {
    std::vector<std::string> seen;
    Bar->OnMouseEnter = [&](TObject* sender) {
        EXPECT_EQ(sender, Bar);
        seen.push_back("enter");
    };
    Bar->OnMouseLeave = [&](TObject*) { seen.push_back("leave"); };
    Bar->Perform(CM_MOUSEENTER);
    Bar->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(seen, (std::vector<std::string>{"enter", "leave"}));
    // Erasing is left to the paint.
    EXPECT_EQ(Bar->Perform(WM_ERASEBKGND), 1);
}

} // namespace
