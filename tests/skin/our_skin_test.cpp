#include <gtest/gtest.h>

#include <fstream>

#include "skin/skin_content.h"
#include "support/read_skin_content.h"

namespace {

TbsSkinContent& OurSkin() {
    static TbsSkinContent content;
    static bool loaded = false;
    if (!loaded) {
        std::ifstream in(std::string(VITRINA_SOURCE_DIR) + "/resources/skin/skin.ini");
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        TIniTable ini(lines);
        EXPECT_TRUE(TbsSkinContent::HasRequiredSections(ini));
        EXPECT_EQ(ReadObjectListEntries(ini, "SKINCONTROLS").size(), 59u);
        ReadSkinContent(content, ini);
        loaded = true;
    }
    return content;
}

template <class T> const T& Control(const std::string& name) {
    int i = OurSkin().FindControlIndex(name);
    EXPECT_GE(i, 0) << name;
    auto* r = dynamic_cast<const T*>(OurSkin().SkinControls.at(std::size_t(i)).get());
    EXPECT_NE(r, nullptr) << name;
    return *r;
}

TEST(OurSkin, ListsAndWindows) {
    const TbsSkinContent& c = OurSkin();
    EXPECT_EQ(c.SkinControls.size(), 57u);
    EXPECT_EQ(c.SkinObjects.size(), 12u);
    EXPECT_EQ(c.FindControlIndex("slider"), -1);
    EXPECT_EQ(c.FindControlIndex("bevel"), -1);
    EXPECT_EQ(c.SkinAuthor, "Vitrina team");
    EXPECT_EQ(c.SkinComments, "");
    EXPECT_EQ(c.PopupWindow.WindowPictureIndex, 0);
    EXPECT_EQ(c.HintWindow.WindowPictureIndex, 4);
    // Every stretchable part stays inside the 384 x 421 picture of control parts.
    for (const auto& r : c.SkinControls) {
        if (r->PictureIndex != 3) continue;
        const TRect& s = r->SkinRect;
        EXPECT_TRUE(s.Left <= s.Right && s.Top <= s.Bottom && s.Right <= 384 && s.Bottom <= 421)
            << r->SectionName;
    }
}

TEST(OurSkin, ListBoxValues) {
    const auto& lb = Control<TbsDataSkinListBox>("listbox");
    EXPECT_EQ(lb.PictureIndex, 3);
    EXPECT_EQ(lb.MaskPictureIndex, -1);
    EXPECT_EQ(lb.SkinRect, Rect(115, 154, 182, 218));
    EXPECT_EQ(lb.LeftTopPoint, (TPoint{2, 2}));
    EXPECT_EQ(lb.RightTopPoint, (TPoint{57, 4}));
    EXPECT_EQ(lb.LeftBottomPoint, (TPoint{2, 62}));
    EXPECT_EQ(lb.RightBottomPoint, (TPoint{57, 60}));
    EXPECT_EQ(lb.ClientRect, Rect(1, 1, 66, 63));
    for (const TRect& r : {lb.ItemRect, lb.ActiveItemRect, lb.FocusItemRect})
        EXPECT_EQ(r, Rect(187, 199, 241, 221));
    EXPECT_EQ(lb.ItemLeftOffset, 10);
    EXPECT_EQ(lb.ItemRightOffset, 5);
    EXPECT_EQ(lb.ItemTextRect, Rect(2, 1, 53, 21));
    EXPECT_EQ(lb.FontName, "Arial");
    EXPECT_EQ(lb.FontHeight, 14);
    EXPECT_EQ(lb.FontStyle, 0);
    EXPECT_EQ(lb.FontColor | lb.ActiveFontColor | lb.FocusFontColor, 0);
    EXPECT_EQ(lb.CaptionRect, TRect{});
    EXPECT_EQ(lb.CaptionFontName, "Arial");
    EXPECT_EQ(lb.CaptionFontHeight, 14);
    EXPECT_EQ(lb.CaptionFontStyle, fsBold);
    EXPECT_EQ(lb.CaptionFontColor, 0);
    for (const TRect& r : {lb.UpButtonRect, lb.ActiveUpButtonRect, lb.DownUpButtonRect,
                           lb.DownButtonRect, lb.ActiveDownButtonRect, lb.DownDownButtonRect,
                           lb.CheckButtonRect, lb.ActiveCheckButtonRect, lb.DownCheckButtonRect})
        EXPECT_EQ(r, TRect{});
    EXPECT_EQ(lb.VScrollBarName, "vscrollbar");
    EXPECT_EQ(lb.HScrollBarName, "hscrollbar");
    EXPECT_EQ(lb.BothHScrollBarName, "bothhscrollbar");
}

struct TBarValues {
    const char* Name;
    TRect Skin;
    TPoint LT, RT, LB, RB;
    TRect Client, Track, Up, DownUp, Down, DownDown, Thumb, ActiveThumb, DownThumb, ActiveGlyph,
        DownGlyph;
};

TEST(OurSkin, ScrollBarAndScrollBoxValues) {
    const TBarValues bars[] = {
        {"vscrollbar", Rect(283, 5, 299, 89), {8, 21}, {0, 0}, {8, 33}, {0, 0},
         Rect(2, 18, 14, 66), Rect(2, 18, 14, 66), Rect(0, 66, 18, 84), Rect(295, 85, 295, 85),
         Rect(0, 0, 18, 18), Rect(296, 84, 296, 84), Rect(230, 17, 244, 39),
         Rect(136, 187, 136, 187), Rect(129, 193, 129, 193), Rect(145, 189, 145, 189),
         Rect(141, 177, 141, 177)},
        {"hscrollbar", Rect(230, 66, 283, 84), {17, 0}, {38, 17}, {0, 0}, {0, 0},
         Rect(17, 0, 39, 18), Rect(17, 0, 39, 18), Rect(38, 0, 52, 18), Rect(230, 87, 242, 99),
         Rect(0, 0, 16, 18), Rect(230, 101, 242, 113), Rect(259, 7, 277, 21), {}, {}, {}, {}},
        {"bothhscrollbar", Rect(230, 66, 301, 84), {19, 6}, {32, 10}, {0, 0}, {0, 0},
         Rect(15, 2, 47, 14), Rect(15, 4, 39, 14), Rect(39, 3, 51, 15), Rect(230, 87, 242, 99),
         Rect(2, 3, 14, 15), Rect(230, 101, 242, 113), Rect(259, 7, 277, 21), {}, {}, {}, {}},
    };
    for (const TBarValues& v : bars) {
        SCOPED_TRACE(v.Name);
        const auto& b = Control<TbsDataSkinScrollBarControl>(v.Name);
        EXPECT_EQ(b.PictureIndex, 3);
        EXPECT_EQ(b.MaskPictureIndex, -1);
        EXPECT_EQ(b.ThumbOffset1, 5);
        EXPECT_EQ(b.ThumbOffset2, 5);
        EXPECT_EQ(b.ActiveUpButtonRect, TRect{});
        EXPECT_EQ(b.ActiveDownButtonRect, TRect{});
        EXPECT_EQ(b.GlyphRect, TRect{});
        EXPECT_EQ(b.SkinRect, v.Skin);
        EXPECT_EQ(b.LeftTopPoint, v.LT);
        EXPECT_EQ(b.RightTopPoint, v.RT);
        EXPECT_EQ(b.LeftBottomPoint, v.LB);
        EXPECT_EQ(b.RightBottomPoint, v.RB);
        EXPECT_EQ(b.ClientRect, v.Client);
        EXPECT_EQ(b.TrackArea, v.Track);
        EXPECT_EQ(b.UpButtonRect, v.Up);
        EXPECT_EQ(b.DownUpButtonRect, v.DownUp);
        EXPECT_EQ(b.DownButtonRect, v.Down);
        EXPECT_EQ(b.DownDownButtonRect, v.DownDown);
        EXPECT_EQ(b.ThumbRect, v.Thumb);
        EXPECT_EQ(b.ActiveThumbRect, v.ActiveThumb);
        EXPECT_EQ(b.DownThumbRect, v.DownThumb);
        EXPECT_EQ(b.ActiveGlyphRect, v.ActiveGlyph);
        EXPECT_EQ(b.DownGlyphRect, v.DownGlyph);
    }
    const auto& box = Control<TbsDataSkinScrollBoxControl>("scrollbox");
    EXPECT_EQ(box.PictureIndex, 3);
    EXPECT_EQ(box.MaskPictureIndex, -1);
    EXPECT_EQ(box.SkinRect, Rect(1, 146, 97, 226));
    EXPECT_EQ(box.LeftTopPoint, (TPoint{4, 4}));
    EXPECT_EQ(box.RightTopPoint, (TPoint{90, 5}));
    EXPECT_EQ(box.LeftBottomPoint, (TPoint{3, 74}));
    EXPECT_EQ(box.RightBottomPoint, (TPoint{90, 75}));
    EXPECT_EQ(box.ClientRect, Rect(2, 2, 94, 78));
    EXPECT_EQ(box.BGPictureIndex, -1);
}

} // namespace
