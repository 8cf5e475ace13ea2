#include "skin/controls/skin_controls_classes.h"

#include "pictures/bitmap.h"
#include "platform/stream.h"
#include "skin/controls/skin_list_box.h"
#include "skin/controls/skin_scroll_box.h"
#include "skin/skin_classes.h"
#include "toolkit/toolkit_classes.h"

void RegisterSkinControlsClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterToolkitClasses();
    RegisterSkinClasses();

    TClassRegistration<TbsSkinControl>("TbsSkinControl", "TCustomControl")
        .Reference<TbsSkinData>("SkinData", [](TbsSkinControl& c, TbsSkinData* v) { c.SetSkinData(v); })
        .String("SkinDataName", [](TbsSkinControl& c, const std::string& v) { c.SetSkinDataName(v); })
        .Handler("OnMouseEnter", &TbsSkinControl::OnMouseEnter)
        .Handler("OnMouseLeave", &TbsSkinControl::OnMouseLeave);

    TClassRegistration<TbsSkinCustomControl>("TbsSkinCustomControl", "TbsSkinControl")
        .String("DefaultFont.Name", [](TbsSkinCustomControl& c, const std::string& v) { c.DefaultFont().SetName(v); })
        .Integer("DefaultFont.Height", [](TbsSkinCustomControl& c, int v) { c.DefaultFont().SetHeight(v); })
        .Color("DefaultFont.Color", [](TbsSkinCustomControl& c, TColor v) { c.DefaultFont().SetColor(v); })
        .Integer("DefaultFont.Charset", [](TbsSkinCustomControl& c, int v) { c.DefaultFont().SetCharset(v); })
        .Set("DefaultFont.Style", FontStyleIdents(),
             [](TbsSkinCustomControl& c, int v) { c.DefaultFont().SetStyle(TFontStyles(v)); })
        .Integer("DefaultWidth", [](TbsSkinCustomControl& c, int v) { c.SetDefaultWidth(v); })
        .Integer("DefaultHeight", [](TbsSkinCustomControl& c, int v) { c.SetDefaultHeight(v); });

    using Bar = TbsSkinScrollBar;
    TClassRegistration<Bar>("TbsSkinScrollBar", "TbsSkinCustomControl")
        .Boolean("Both", [](Bar& c, bool v) { c.SetBoth(v); })
        .Integer("BothMarkerWidth", [](Bar& c, int v) { c.SetBothMarkerWidth(v); })
        .String("BothSkinDataName", [](Bar& c, const std::string& v) { c.SetBothSkinDataName(v); })
        .Boolean("CanFocused", [](Bar& c, bool v) { c.SetCanFocused(v); })
        .Enum("Kind", {{"sbHorizontal", sbHorizontal}, {"sbVertical", sbVertical}},
              [](Bar& c, int v) { c.SetKind(TScrollBarKind(v)); })
        .Integer("PageSize", [](Bar& c, int v) { c.SetPageSize(v); })
        .Integer("Min", [](Bar& c, int v) { c.SetMin(v); })
        .Integer("Max", [](Bar& c, int v) { c.SetMax(v); })
        .Integer("Position", [](Bar& c, int v) { c.SetPosition(v); })
        .Integer("SmallChange", [](Bar& c, int v) { c.SetSmallChange(v); })
        .Integer("LargeChange", [](Bar& c, int v) { c.SetLargeChange(v); })
        .Handler("OnChange", &Bar::OnChange)
        .Handler("OnLastChange", &Bar::OnLastChange)
        .Handler("OnUpButtonClick", &Bar::OnUpButtonClick)
        .Handler("OnDownButtonClick", &Bar::OnDownButtonClick);

    using List = TbsSkinCustomListBox;
    TClassRegistration<List>("TbsSkinCustomListBox", "TbsSkinCustomControl")
        .Boolean("HorizontalExtent", [](List& c, bool v) { c.SetHorizontalExtent(v); })
        .Integer("Columns", [](List& c, int v) { c.SetColumns(v); })
        .Integer("RowCount", [](List& c, int v) { c.SetRowCount(v); })
        .Reference<TCustomImageList>("Images", [](List& c, TCustomImageList* v) { c.SetImages(v); })
        .Integer("ImageIndex", [](List& c, int v) { c.SetImageIndex(v); })
        .Boolean("CaptionMode", [](List& c, bool v) { c.SetCaptionMode(v); })
        .Integer("DefaultCaptionHeight", [](List& c, int v) { c.SetDefaultCaptionHeight(v); })
        .String("DefaultCaptionFont.Name", [](List& c, const std::string& v) { c.DefaultCaptionFont().SetName(v); })
        .Integer("DefaultCaptionFont.Height", [](List& c, int v) { c.DefaultCaptionFont().SetHeight(v); })
        .Color("DefaultCaptionFont.Color", [](List& c, TColor v) { c.DefaultCaptionFont().SetColor(v); })
        .Integer("DefaultCaptionFont.Charset", [](List& c, int v) { c.DefaultCaptionFont().SetCharset(v); })
        .Set("DefaultCaptionFont.Style", FontStyleIdents(),
             [](List& c, int v) { c.DefaultCaptionFont().SetStyle(TFontStyles(v)); })
        .Enum("Alignment", {{"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}, {"taCenter", taCenter}},
              [](List& c, int v) { c.SetAlignment(TAlignment(v)); })
        // A BMP file, as file("glyph.bmp") gives it.
        .Binary("Glyph.Data",
                [](List& c, const std::vector<std::uint8_t>& bytes) {
                    TMemoryStream stream(bytes);
                    TBitmap glyph;
                    glyph.LoadFromStream(stream);
                    c.SetGlyph(glyph);
                })
        .Integer("NumGlyphs", [](List& c, int v) { c.SetNumGlyphs(v); })
        .Integer("Spacing", [](List& c, int v) { c.SetSpacing(v); })
        .Handler("OnUpButtonClick", &List::OnUpButtonClick)
        .Handler("OnDownButtonClick", &List::OnDownButtonClick)
        .Handler("OnCheckButtonClick", &List::OnCheckButtonClick)
        .Integer("DefaultItemHeight", [](List& c, int v) { c.SetDefaultItemHeight(v); })
        .Lines("Items.Strings",
               [](List& c, const std::vector<std::string>& v) {
                   c.Items().BeginUpdate();
                   c.Items().AddStrings(v);
                   c.Items().EndUpdate();
               })
        .Integer("ItemIndex", [](List& c, int v) { c.SetItemIndex(v); })
        .Boolean("MultiSelect", [](List& c, bool v) { c.SetMultiSelect(v); })
        .Boolean("ExtandedSelect", [](List& c, bool v) { c.SetExtandedSelect(v); })
        .Boolean("Sorted", [](List& c, bool v) { c.SetSorted(v); })
        .String("ListBoxFont.Name", [](List& c, const std::string& v) { c.ListBoxFont().SetName(v); })
        .Integer("ListBoxFont.Height", [](List& c, int v) { c.ListBoxFont().SetHeight(v); })
        .Color("ListBoxFont.Color", [](List& c, TColor v) { c.ListBoxFont().SetColor(v); })
        .Integer("ListBoxFont.Charset", [](List& c, int v) { c.ListBoxFont().SetCharset(v); })
        .Set("ListBoxFont.Style", FontStyleIdents(),
             [](List& c, int v) { c.ListBoxFont().SetStyle(TFontStyles(v)); })
        .Integer("ListBoxTabOrder", [](List& c, int v) { c.SetListBoxTabOrder(v); })
        .Boolean("ListBoxTabStop", [](List& c, bool v) { c.SetListBoxTabStop(v); })
        .Handler("OnListBoxClick", &List::OnListBoxClick)
        .Handler("OnListBoxDblClick", &List::OnListBoxDblClick)
        .Handler("OnListBoxMouseDown", &List::OnListBoxMouseDown)
        .Handler("OnListBoxMouseMove", &List::OnListBoxMouseMove)
        .Handler("OnListBoxMouseUp", &List::OnListBoxMouseUp)
        .Handler("OnListBoxKeyDown", &List::OnListBoxKeyDown)
        .Handler("OnListBoxKeyPress", &List::OnListBoxKeyPress)
        .Handler("OnListBoxKeyUp", &List::OnListBoxKeyUp)
        .Handler("OnDrawItem", &List::OnDrawItem);

    TClassRegistration<TbsSkinListBox>("TbsSkinListBox", "TbsSkinCustomListBox");

    using Box = TbsSkinScrollBox;
    TClassRegistration<Box>("TbsSkinScrollBox", "TbsSkinCustomControl")
        .Reference<TbsSkinScrollBar>("HScrollBar", [](Box& c, TbsSkinScrollBar* v) { c.SetHScrollBar(v); })
        .Reference<TbsSkinScrollBar>("VScrollBar", [](Box& c, TbsSkinScrollBar* v) { c.SetVScrollBar(v); })
        .Enum("BorderStyle",
              {{"bvRaised", int(TbsSkinBorderStyle::bvRaised)},
               {"bvLowered", int(TbsSkinBorderStyle::bvLowered)},
               {"bvNone", int(TbsSkinBorderStyle::bvNone)},
               {"bvFrame", int(TbsSkinBorderStyle::bvFrame)}},
              [](Box& c, int v) { c.SetBorderStyle(TbsSkinBorderStyle(v)); });
}
