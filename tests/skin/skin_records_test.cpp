#include <gtest/gtest.h>

#include "platform/exceptions.h"
#include "skin/skin_control_records.h"
#include "skin/skin_object_records.h"
#include "skin/skin_window_records.h"

namespace {

template <class T> std::unique_ptr<T> ReadControl(const std::string& kind, const std::string& name,
                                                  const TIniTable& ini) {
    auto record = CreateSkinControl(kind, name);
    EXPECT_NE(dynamic_cast<T*>(record.get()), nullptr) << kind;
    record->ReadFromIni(ini);
    return std::unique_ptr<T>(dynamic_cast<T*>(record.release()));
}

TEST(SkinRecordKinds, EveryControlWordMakesItsClassAndOnlyExactWordsCount) {
    const std::pair<const char*, const char*> kinds[] = {
        {"panel", "TbsDataSkinPanelControl"},     {"expanel", "TbsDataSkinExPanelControl"},
        {"button", "TbsDataSkinButtonControl"},   {"menubutton", "TbsDataSkinMenuButtonControl"},
        {"checkradio", "TbsDataSkinCheckRadioControl"}, {"gauge", "TbsDataSkinGaugeControl"},
        {"splitter", "TbsDataSkinSplitterControl"}, {"trackbar", "TbsDataSkinTrackBarControl"},
        {"label", "TbsDataSkinLabelControl"},     {"stdlabel", "TbsDataSkinStdLabelControl"},
        {"updown", "TbsDataSkinUpDownControl"},   {"grid", "TbsDataSkinGridControl"},
        {"tab", "TbsDataSkinTabControl"},         {"mainmenubar", "TbsDataSkinMainMenuBar"},
        {"controlbar", "TbsDataSkinControlBar"},  {"edit", "TbsDataSkinEditControl"},
        {"memo", "TbsDataSkinMemoControl"},       {"combobox", "TbsDataSkinComboBox"},
        {"spinedit", "TbsDataSkinSpinEditControl"}, {"treeview", "TbsDataSkinTreeView"},
        {"listview", "TbsDataSkinListView"},      {"richedit", "TbsDataSkinRichEdit"},
        {"listbox", "TbsDataSkinListBox"},        {"checklistbox", "TbsDataSkinCheckListBox"},
        {"scrollbar", "TbsDataSkinScrollBarControl"}, {"scrollbox", "TbsDataSkinScrollBoxControl"}};
    for (const auto& [kind, cls] : kinds) {
        auto r = CreateSkinControl(kind, "n");
        ASSERT_NE(r, nullptr) << kind;
        EXPECT_STREQ(r->ClassName(), cls);
        EXPECT_EQ(r->SectionName, "n");
    }
    for (const char* other : {"ListBox", "slider", "bevel", "", " listbox", "listbox "})
        EXPECT_EQ(CreateSkinControl(other, "n"), nullptr) << other;

    const std::pair<const char*, const char*> objects[] = {
        {"menuitem", "TbsDataSkinMenuItem"},   {"mainmenubaritem", "TbsDataSkinMainMenuBarItem"},
        {"button", "TbsDataSkinButton"},       {"stdbutton", "TbsDataSkinStdButton"},
        {"mainmenubarbutton", "TbsDataSkinMainMenuBarButton"}, {"caption", "TbsDataSkinCaption"},
        {"userobject", "TbsDataUserObject"}};
    for (const auto& [kind, cls] : objects) {
        auto r = CreateSkinObject(kind, "n");
        ASSERT_NE(r, nullptr) << kind;
        EXPECT_STREQ(r->ClassName(), cls);
    }
    EXPECT_EQ(CreateSkinObject("Caption", "n"), nullptr);
    EXPECT_EQ(CreateSkinObject("listbox", "n"), nullptr);
    // The class tree the controls rely on when they check a record's class.
    EXPECT_NE(dynamic_cast<TbsDataSkinListBox*>(CreateSkinControl("checklistbox", "n").get()), nullptr);
    EXPECT_NE(dynamic_cast<TbsDataSkinCustomControl*>(CreateSkinControl("scrollbox", "n").get()), nullptr);
    EXPECT_EQ(dynamic_cast<TbsDataSkinCustomControl*>(CreateSkinControl("tab", "n").get()), nullptr);
    EXPECT_NE(dynamic_cast<TbsDataSkinStdButton*>(CreateSkinObject("mainmenubarbutton", "n").get()), nullptr);
}

TEST(SkinRecordReading, MissingSectionGivesTheDefaults) {
    TIniTable ini;
    auto lb = ReadControl<TbsDataSkinListBox>("listbox", "lb", ini);
    EXPECT_EQ(lb->PictureIndex, -1);
    EXPECT_EQ(lb->MaskPictureIndex, -1);
    EXPECT_EQ(lb->FontName, "Arial");
    EXPECT_EQ(lb->FontHeight, 14);
    EXPECT_EQ(lb->CaptionFontName, "Arial");
    EXPECT_EQ(lb->VScrollBarName, "vscrollbar");
    EXPECT_EQ(lb->HScrollBarName, "hscrollbar");
    EXPECT_EQ(lb->BothHScrollBarName, "bothhscrollbar");
    EXPECT_EQ(ReadControl<TbsDataSkinPanelControl>("panel", "p", ini)->Alignment, taCenter);
    EXPECT_EQ(ReadControl<TbsDataSkinGridControl>("grid", "g", ini)->FixedFontName, "Arial");
    EXPECT_EQ(ReadControl<TbsDataSkinScrollBoxControl>("scrollbox", "s", ini)->BGPictureIndex, -1);
    auto close = CreateSkinObject("stdbutton", "close");
    close->ReadFromIni(ini);
    EXPECT_EQ(dynamic_cast<TbsDataSkinStdButton&>(*close).Command, cmDefault);
    EXPECT_EQ(close->ActivePictureIndex, -1);
}

TEST(SkinRecordReading, ListBoxBarNamesAndCheckListRectsLandInTheirFields) {
    TIniTable ini({"[clb]", "vscrollbarname=v", "hscrollbarname=h", "bothhscrollbarname=b",
                   "checkimagerect=1,1,2,2", "itemcheckrect=3,3,4,4", "uncheckimagerect=5,5,6,6"});
    auto r = ReadControl<TbsDataSkinCheckListBox>("checklistbox", "clb", ini);
    EXPECT_EQ(r->VScrollBarName, "v");
    EXPECT_EQ(r->HScrollBarName, "h");
    EXPECT_EQ(r->BothHScrollBarName, "b");
    EXPECT_EQ(r->CheckImageRect, Rect(1, 1, 2, 2));
    EXPECT_EQ(r->ItemCheckRect, Rect(3, 3, 4, 4));
    EXPECT_EQ(r->UnCheckImageRect, Rect(5, 5, 6, 6));
}

TEST(SkinRecordReading, KeysAreReadBaseFirstInTheirOrder) {
    // A malformed rect stops the read where it stands, so what was filled shows the order.
    TIniTable ini({"[clb]", "pictureindex=3", "skinrect=1,2,3,4", "lefttoppoint=5,6",
                   "clientrect=1,1,9,9", "vscrollbarname=v", "hscrollbarname=h",
                   "checkimagerect=1,1,2,2", "itemcheckrect=bad", "uncheckimagerect=5,5,6,6",
                   "[cc]", "pictureindex=2", "skinrect=1,2", "lefttoppoint=5,6"});
    auto clb = CreateSkinControl("checklistbox", "clb");
    EXPECT_THROW(clb->ReadFromIni(ini), EConvertError);
    auto& r = dynamic_cast<TbsDataSkinCheckListBox&>(*clb);
    EXPECT_EQ(r.LeftTopPoint, (TPoint{5, 6}));
    EXPECT_EQ(r.HScrollBarName, "h");
    EXPECT_EQ(r.CheckImageRect, Rect(1, 1, 2, 2));
    EXPECT_EQ(r.UnCheckImageRect, TRect{}) << "read after the failing key";

    auto cc = CreateSkinControl("scrollbar", "cc");
    EXPECT_THROW(cc->ReadFromIni(ini), EConvertError);
    EXPECT_EQ(cc->PictureIndex, 2);
    EXPECT_EQ(dynamic_cast<TbsDataSkinCustomControl&>(*cc).LeftTopPoint, TPoint{});
}

TEST(SkinRecordReading, UpDownIsNeverStretchedAndUserObjectReadsOnlyItsRect) {
    TIniTable ini({"[ud]", "skinrect=0,0,20,20", "lefttoppoint=5,5", "rightbottompoint=9,9",
                   "clientrect=1,1,19,19", "upbuttonrect=0,0,20,10", "[uo]",
                   "activepictureindex=2", "skinrect=1,2,3,4", "activeskinrect=5,6,7,8"});
    auto ud = ReadControl<TbsDataSkinUpDownControl>("updown", "ud", ini);
    EXPECT_EQ(ud->SkinRect, Rect(0, 0, 20, 20));
    EXPECT_EQ(ud->LeftTopPoint, TPoint{});
    EXPECT_EQ(ud->RightBottomPoint, TPoint{});
    EXPECT_EQ(ud->ClientRect, TRect{});
    EXPECT_EQ(ud->UpButtonRect, Rect(0, 0, 20, 10));

    auto uo = CreateSkinObject("userobject", "uo");
    uo->ReadFromIni(ini);
    EXPECT_EQ(uo->SkinRect, Rect(1, 2, 3, 4));
    EXPECT_EQ(uo->ActivePictureIndex, -1);
    EXPECT_EQ(uo->ActiveSkinRect, TRect{});
}

TEST(SkinRecordReading, WindowRecordsReadTheirFixedSections) {
    TIniTable ini({"[POPUPWINDOW]", "windowpictureindex=0", "itemsrect=3,3,73,48",
                   "scrollmarkercolor=$FF", "[hintwindow]", "windowpictureindex=4",
                   "clientrect=2,2,40,19", "fontstyle=fsbold"});
    TbsDataSkinPopupWindow popup;
    popup.ReadFromIni(ini);
    EXPECT_EQ(popup.WindowPictureIndex, 0);
    EXPECT_EQ(popup.MaskPictureIndex, -1);
    EXPECT_EQ(popup.ItemsRect, Rect(3, 3, 73, 48));
    EXPECT_EQ(popup.ScrollMarkerColor, 255);
    TbsDataSkinHintWindow hint;
    hint.ReadFromIni(ini);
    EXPECT_EQ(hint.WindowPictureIndex, 4);
    EXPECT_EQ(hint.ClientRect, Rect(2, 2, 40, 19));
    EXPECT_EQ(hint.FontName, "Arial");
    EXPECT_EQ(hint.FontStyle, fsBold);
}

TEST(SkinRecordWriting, WrittenSectionReadsBackTheSameRecord) {
    TIniTable src({"[lb]", "pictureindex=3", "skinrect=1,2,3,4", "lefttoppoint=2,2",
                   "fontstyle=fsitalic fsbold", "fontcolor=$FF00", "vscrollbarname=v",
                   "hscrollbarname=h", "captionfontname=", "[cap]", "alignment=TACENTER",
                   "shadow=1", "[btn]", "command=cmnothing", "restorerect=1,1,5,5"});
    auto lb = ReadControl<TbsDataSkinListBox>("listbox", "lb", src);
    TIniTable out({"[lb]", "stale=1"});
    lb->WriteToIni(out);
    EXPECT_FALSE(out.ValueExists("lb", "stale")) << "the section is erased first";
    EXPECT_EQ(out.ReadString("lb", "skinrect", ""), "1,2,3,4");
    EXPECT_EQ(out.ReadString("lb", "fontstyle", ""), "fsbold,fsitalic");
    EXPECT_EQ(out.ReadString("lb", "fontcolor", ""), "65280");
    EXPECT_EQ(out.ReadString("lb", "captionfontname", "?"), "");
    auto keys = out.ReadSectionKeys("lb");
    ASSERT_EQ(keys.size(), 37u);
    EXPECT_EQ(keys.front(), "pictureindex");
    EXPECT_EQ(keys[keys.size() - 3], "vscrollbarname");
    EXPECT_EQ(keys[keys.size() - 2], "hscrollbarname");

    auto back = ReadControl<TbsDataSkinListBox>("listbox", "lb", out);
    EXPECT_EQ(back->SkinRect, lb->SkinRect);
    EXPECT_EQ(back->FontStyle, fsBold | fsItalic);
    EXPECT_EQ(back->FontColor, lb->FontColor);
    EXPECT_EQ(back->VScrollBarName, "v");
    EXPECT_EQ(back->HScrollBarName, "h");
    EXPECT_EQ(back->CaptionFontName, "");

    auto cap = CreateSkinObject("caption", "cap");
    cap->ReadFromIni(src);
    auto btn = CreateSkinObject("stdbutton", "btn");
    btn->ReadFromIni(src);
    TIniTable objs;
    cap->WriteToIni(objs);
    btn->WriteToIni(objs);
    EXPECT_EQ(objs.ReadString("cap", "alignment", ""), "tarightjustify");
    EXPECT_EQ(objs.ReadString("cap", "shadow", ""), "1");
    EXPECT_EQ(objs.ReadString("btn", "command", ""), "cmrollup");
    auto btn2 = CreateSkinObject("stdbutton", "btn");
    btn2->ReadFromIni(objs);
    EXPECT_EQ(dynamic_cast<TbsDataSkinStdButton&>(*btn2).Command, cmRollUp);
    EXPECT_EQ(dynamic_cast<TbsDataSkinStdButton&>(*btn2).RestoreRect, Rect(1, 1, 5, 5));
}

} // namespace
