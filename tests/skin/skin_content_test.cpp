#include <gtest/gtest.h>

#include "platform/exceptions.h"
#include "skin/skin_content.h"
#include "support/read_skin_content.h"

namespace {

std::vector<std::string> Required() {
    return {"[VERSION]", "[PICTURES]", "[FORMINFO]", "[SKINOBJECTS]", "[SKINCONTROLS]"};
}

std::vector<std::string> Names(const TbsSkinContent& c) {
    std::vector<std::string> names;
    for (const auto& r : c.SkinControls) names.push_back(r->SectionName);
    return names;
}

TEST(SkinObjectLists, CountEntriesAndKindsDecideWhichRecordsAreMade) {
    TIniTable ini({"[SKINCONTROLS]", "count=8", "0=b:listbox", "1=nocolon", "2=x:ListBox",
                   "3=a:scrollbar", "4=slider:slider", "5=b:label", "6=c:", "7=d:scroll:bar",
                   "8=beyond:listbox", "[SKINOBJECTS]", "count=0", "0=cap:caption"});
    TbsSkinContent c;
    ReadSkinContent(c, ini);
    EXPECT_EQ(Names(c), (std::vector<std::string>{"b", "a", "b"}));
    EXPECT_STREQ(c.SkinControls[2]->ClassName(), "TbsDataSkinLabelControl");
    EXPECT_TRUE(c.SkinObjects.empty());

    for (const char* count : {"count=-3", "count=zero", "nocount=1"}) {
        TbsSkinContent d;
        ReadSkinContent(d, TIniTable({"[SKINCONTROLS]", count, "0=lb:listbox"}));
        EXPECT_TRUE(d.SkinControls.empty()) << count;
    }
    // Gaps and keys out of order: entries are taken by index.
    TbsSkinContent e;
    ReadSkinContent(e, TIniTable({"[SKINCONTROLS]", "count=$7FFFFFFF", "10=ten:label", "2=two:label",
                      "02=padded:label", "0=zero:label"}));
    EXPECT_EQ(Names(e), (std::vector<std::string>{"zero", "two", "ten"}));
}

TEST(SkinObjectLists, FindControlIndexIsExactAndTakesTheFirst) {
    TbsSkinContent c;
    ReadSkinContent(c, TIniTable({"[SKINCONTROLS]", "count=3", "0=listbox:listbox", "1=vscrollbar:scrollbar",
                      "2=listbox:label", "[LISTBOX]", "pictureindex=3"}));
    EXPECT_EQ(c.FindControlIndex("listbox"), 0);
    EXPECT_EQ(c.SkinControls[0]->PictureIndex, 3) << "section names ignore case";
    EXPECT_EQ(c.FindControlIndex("vscrollbar"), 1);
    EXPECT_EQ(c.FindControlIndex("ListBox"), -1);
    EXPECT_EQ(c.FindControlIndex("listbox "), -1);
    EXPECT_EQ(c.FindControlIndex(""), -1);
}

TEST(SkinContentLoad, RequiredSectionsVersionAndClear) {
    EXPECT_TRUE(TbsSkinContent::HasRequiredSections(TIniTable(Required())));
    for (std::size_t i = 0; i < 5; ++i) {
        auto lines = Required();
        lines.erase(lines.begin() + long(i));
        EXPECT_FALSE(TbsSkinContent::HasRequiredSections(TIniTable(lines))) << i;
    }
    auto lines = Required();
    lines.insert(lines.begin() + 1, {"skinname=Name", "authorurl=http://example.org/"});
    lines.insert(lines.end(), {"count=1", "0=lb:listbox", "[POPUPWINDOW]", "windowpictureindex=0",
                               "[HINTWINDOW]", "windowpictureindex=4"});
    TbsSkinContent c;
    ReadSkinContent(c, TIniTable(lines));
    EXPECT_EQ(c.SkinName, "Name");
    EXPECT_EQ(c.AuthorURL, "http://example.org/");
    EXPECT_EQ(c.SkinComments, "");
    EXPECT_EQ(c.PopupWindow.WindowPictureIndex, 0);
    EXPECT_EQ(c.HintWindow.WindowPictureIndex, 4);
    ASSERT_EQ(c.SkinControls.size(), 1u);
    c.Clear();
    EXPECT_TRUE(c.SkinControls.empty());
    EXPECT_EQ(c.PopupWindow.WindowPictureIndex, -1);
    EXPECT_EQ(c.HintWindow.WindowPictureIndex, -1);
}

TEST(SkinContentLoad, MalformedRectStopsTheLoadAndKeepsWhatWasMade) {
    TIniTable ini({"[SKINOBJECTS]", "count=1", "0=cap:caption", "[SKINCONTROLS]", "count=3",
                   "0=a:label", "1=b:listbox", "2=c:label", "[b]", "skinrect=1,2,3",
                   "[cap]", "skinrect=1,2,3,4"});
    TbsSkinContent c;
    EXPECT_THROW(ReadSkinContent(c, ini), EConvertError);
    EXPECT_EQ(c.SkinObjects.size(), 1u);
    EXPECT_EQ(Names(c), (std::vector<std::string>{"a", "b"}));
}

TEST(SkinContentLoad, FormAnchorsArePulledIntoTheClientRect) {
    TbsSkinContent c;
    ReadSkinContent(c, TIniTable({"[FORMINFO]", "lefttoppoint=2,3", "righttoppoint=250,1",
                      "leftbottompoint=1,200", "rightbottompoint=300,300", "clientrect=5,25,202,133",
                      "bgpictureindex=1", "borderwidth=4", "mainmenupopupup=1"}));
    EXPECT_EQ(c.LeftTopPoint, (TPoint{5, 25}));
    EXPECT_EQ(c.RightTopPoint, (TPoint{202, 25}));
    EXPECT_EQ(c.LeftBottomPoint, (TPoint{5, 133}));
    EXPECT_EQ(c.RightBottomPoint, (TPoint{202, 133}));
    EXPECT_EQ(c.BGPictureIndex, 1);
    EXPECT_EQ(c.BorderWidth, 4);
    EXPECT_TRUE(c.MainMenuPopupUp);

    // Right-bottom level with left-top on one axis: the anchors stay as read.
    TbsSkinContent d;
    ReadSkinContent(d, TIniTable({"[FORMINFO]", "lefttoppoint=2,3", "righttoppoint=250,1",
                      "rightbottompoint=300,3", "clientrect=5,25,202,133"}));
    EXPECT_EQ(d.LeftTopPoint, (TPoint{2, 3}));
    EXPECT_EQ(d.RightTopPoint, (TPoint{250, 1}));
    EXPECT_EQ(d.BGPictureIndex, -1);
}

} // namespace
