#include "skin/skin_control_records.h"

#include <functional>
#include <map>

// The four font keys most kinds share, in their reading order.
#define VITRINA_FONT_FIELDS(self, io)                                                          \
    io.Str("fontname", self.FontName, "Arial");                                                \
    io.Int("fontheight", self.FontHeight, 14);                                                 \
    io.Styles("fontstyle", self.FontStyle);                                                    \
    io.Col("fontcolor", self.FontColor)

#define VITRINA_UPDOWN_RECTS(self, io)                                                         \
    io.Rect("upbuttonrect", self.UpButtonRect);                                                \
    io.Rect("activeupbuttonrect", self.ActiveUpButtonRect);                                    \
    io.Rect("downupbuttonrect", self.DownUpButtonRect);                                        \
    io.Rect("downbuttonrect", self.DownButtonRect);                                            \
    io.Rect("activedownbuttonrect", self.ActiveDownButtonRect);                                \
    io.Rect("downdownbuttonrect", self.DownDownButtonRect)

template <class Self, class IO> void TbsDataSkinControl::Fields(Self& self, IO& io) {
    io.Int("pictureindex", self.PictureIndex, -1);
    io.Int("maskpictureindex", self.MaskPictureIndex, -1);
    io.Rect("skinrect", self.SkinRect);
}

void TbsDataSkinControl::ReadFromIni(const TIniTable& ini) {
    TbsFieldReader io(ini, SectionName);
    Fields(*this, io);
}

void TbsDataSkinControl::WriteToIni(TIniTable& ini) const {
    ini.EraseSection(SectionName);
    TbsFieldWriter io(ini, SectionName);
    Fields(*this, io);
}

void TbsDataSkinControl::EnumFields(TbsFieldVisitor& visitor) const {
    TbsFieldEnumerator io(visitor);
    Fields(*this, io);
}

template <class Self, class IO> void TbsDataSkinCustomControl::Fields(Self& self, IO& io) {
    io.Point("lefttoppoint", self.LeftTopPoint);
    io.Point("righttoppoint", self.RightTopPoint);
    io.Point("leftbottompoint", self.LeftBottomPoint);
    io.Point("rightbottompoint", self.RightBottomPoint);
    io.Rect("clientrect", self.ClientRect);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinCustomControl, TbsDataSkinControl)

template <class Self, class IO> void TbsDataSkinListBox::Fields(Self& self, IO& io) {
    io.Rect("itemrect", self.ItemRect);
    io.Rect("activeitemrect", self.ActiveItemRect);
    io.Rect("focusitemrect", self.FocusItemRect);
    io.Int("itemleftoffset", self.ItemLeftOffset, 0);
    io.Int("itemrightoffset", self.ItemRightOffset, 0);
    io.Rect("itemtextrect", self.ItemTextRect);
    io.Str("fontname", self.FontName, "Arial");
    io.Int("fontheight", self.FontHeight, 14);
    io.Styles("fontstyle", self.FontStyle);
    io.Col("fontcolor", self.FontColor);
    io.Col("activefontcolor", self.ActiveFontColor);
    io.Col("focusfontcolor", self.FocusFontColor);
    io.Rect("captionrect", self.CaptionRect);
    io.Str("captionfontname", self.CaptionFontName, "Arial");
    io.Int("captionfontheight", self.CaptionFontHeight, 14);
    io.Styles("captionfontstyle", self.CaptionFontStyle);
    io.Col("captionfontcolor", self.CaptionFontColor);
    VITRINA_UPDOWN_RECTS(self, io);
    io.Rect("checkbuttonrect", self.CheckButtonRect);
    io.Rect("activecheckbuttonrect", self.ActiveCheckButtonRect);
    io.Rect("downcheckbuttonrect", self.DownCheckButtonRect);
    io.Str("vscrollbarname", self.VScrollBarName, "vscrollbar");
    io.Str("hscrollbarname", self.HScrollBarName, "hscrollbar");
    io.Str("bothhscrollbarname", self.BothHScrollBarName, "bothhscrollbar");
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinListBox, TbsDataSkinCustomControl)

template <class Self, class IO> void TbsDataSkinCheckListBox::Fields(Self& self, IO& io) {
    io.Rect("checkimagerect", self.CheckImageRect);
    io.Rect("itemcheckrect", self.ItemCheckRect);
    io.Rect("uncheckimagerect", self.UnCheckImageRect);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinCheckListBox, TbsDataSkinListBox)

template <class Self, class IO> void TbsDataSkinScrollBarControl::Fields(Self& self, IO& io) {
    io.Rect("trackarea", self.TrackArea);
    VITRINA_UPDOWN_RECTS(self, io);
    io.Rect("thumbrect", self.ThumbRect);
    io.Rect("activethumbrect", self.ActiveThumbRect);
    io.Rect("downthumbrect", self.DownThumbRect);
    io.Int("thumboffset1", self.ThumbOffset1, 0);
    io.Int("thumboffset2", self.ThumbOffset2, 0);
    io.Rect("glyphrect", self.GlyphRect);
    io.Rect("activeglyphrect", self.ActiveGlyphRect);
    io.Rect("downglyphrect", self.DownGlyphRect);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinScrollBarControl, TbsDataSkinCustomControl)

template <class Self, class IO> void TbsDataSkinScrollBoxControl::Fields(Self& self, IO& io) {
    io.Int("bgpictureindex", self.BGPictureIndex, -1);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinScrollBoxControl, TbsDataSkinCustomControl)

template <class Self, class IO> void TbsDataSkinComboBox::Fields(Self& self, IO& io) {
    io.Rect("itemrect", self.ItemRect);
    io.Rect("focusitemrect", self.FocusItemRect);
    io.Int("itemleftoffset", self.ItemLeftOffset, 0);
    io.Int("itemrightoffset", self.ItemRightOffset, 0);
    io.Rect("itemtextrect", self.ItemTextRect);
    VITRINA_FONT_FIELDS(self, io);
    io.Col("focusfontcolor", self.FocusFontColor);
    io.Str("listboxname", self.ListBoxName, "");
    io.Rect("buttonrect", self.ButtonRect);
    io.Rect("activebuttonrect", self.ActiveButtonRect);
    io.Rect("downbuttonrect", self.DownButtonRect);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinComboBox, TbsDataSkinCustomControl)

template <class Self, class IO> void TbsDataSkinControlBar::Fields(Self& self, IO& io) {
    io.Rect("itemrect", self.ItemRect);
    io.Int("bgpictureindex", self.BGPictureIndex, -1);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinControlBar, TbsDataSkinCustomControl)

template <class Self, class IO> void TbsDataSkinUpDownControl::Fields(Self& self, IO& io) {
    VITRINA_UPDOWN_RECTS(self, io);
}

void TbsDataSkinUpDownControl::ReadFromIni(const TIniTable& ini) {
    TbsDataSkinCustomControl::ReadFromIni(ini);
    TbsFieldReader io(ini, SectionName);
    Fields(*this, io);
    LeftTopPoint = RightTopPoint = LeftBottomPoint = RightBottomPoint = TPoint{};
    ClientRect = TRect{};
}

void TbsDataSkinUpDownControl::WriteToIni(TIniTable& ini) const {
    TbsDataSkinCustomControl::WriteToIni(ini);
    TbsFieldWriter io(ini, SectionName);
    Fields(*this, io);
}

void TbsDataSkinUpDownControl::EnumFields(TbsFieldVisitor& visitor) const {
    TbsDataSkinCustomControl::EnumFields(visitor);
    TbsFieldEnumerator io(visitor);
    Fields(*this, io);
}

template <class Self, class IO> void TbsDataSkinSpinEditControl::Fields(Self& self, IO& io) {
    VITRINA_FONT_FIELDS(self, io);
    VITRINA_UPDOWN_RECTS(self, io);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinSpinEditControl, TbsDataSkinCustomControl)

template <class Self, class IO> void TbsDataSkinLabelControl::Fields(Self& self, IO& io) {
    VITRINA_FONT_FIELDS(self, io);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinLabelControl, TbsDataSkinCustomControl)

template <class Self, class IO> void TbsDataSkinSplitterControl::Fields(Self&, IO&) {}
VITRINA_SKIN_RECORD_IO(TbsDataSkinSplitterControl, TbsDataSkinCustomControl)

template <class Self, class IO> void TbsDataSkinGaugeControl::Fields(Self& self, IO& io) {
    io.Rect("progressarea", self.ProgressArea);
    io.Rect("progressrect", self.ProgressRect);
    io.Int("beginoffset", self.BeginOffset, 0);
    io.Int("endoffset", self.EndOffset, 0);
    io.Bool("vertical", self.Vertical);
    VITRINA_FONT_FIELDS(self, io);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinGaugeControl, TbsDataSkinCustomControl)

template <class Self, class IO> void TbsDataSkinTrackBarControl::Fields(Self& self, IO& io) {
    io.Rect("trackarea", self.TrackArea);
    io.Rect("buttonrect", self.ButtonRect);
    io.Rect("activebuttonrect", self.ActiveButtonRect);
    io.Bool("vertical", self.Vertical);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinTrackBarControl, TbsDataSkinCustomControl)

template <class Self, class IO> void TbsDataSkinCheckRadioControl::Fields(Self& self, IO& io) {
    VITRINA_FONT_FIELDS(self, io);
    io.Col("activefontcolor", self.ActiveFontColor);
    io.Rect("activeskinrect", self.ActiveSkinRect);
    io.Rect("checkimagearea", self.CheckImageArea);
    io.Rect("textarea", self.TextArea);
    io.Rect("checkimagerect", self.CheckImageRect);
    io.Rect("uncheckimagerect", self.UnCheckImageRect);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinCheckRadioControl, TbsDataSkinCustomControl)

template <class Self, class IO> void TbsDataSkinPanelControl::Fields(Self& self, IO& io) {
    io.Int("bgpictureindex", self.BGPictureIndex, -1);
    io.Rect("captionrect", self.CaptionRect);
    io.Rect("rollupmarkerrect", self.RollUpMarkerRect);
    io.Rect("restoremarkerrect", self.RestoreMarkerRect);
    io.Align("alignment", self.Alignment);
    VITRINA_FONT_FIELDS(self, io);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinPanelControl, TbsDataSkinCustomControl)

template <class Self, class IO> void TbsDataSkinExPanelControl::Fields(Self& self, IO& io) {
    io.Rect("rollhskinrect", self.RollHSkinRect);
    io.Rect("rollvskinrect", self.RollVSkinRect);
    io.Int("rollleftoffset", self.RollLeftOffset, 0);
    io.Int("rollrightoffset", self.RollRightOffset, 0);
    io.Int("rolltopoffset", self.RollTopOffset, 0);
    io.Int("rollbottomoffset", self.RollBottomOffset, 0);
    io.Rect("rollvcaptionrect", self.RollVCaptionRect);
    io.Rect("rollhcaptionrect", self.RollHCaptionRect);
    io.Rect("closebuttonrect", self.CloseButtonRect);
    io.Rect("closebuttonactiverect", self.CloseButtonActiveRect);
    io.Rect("closebuttondownrect", self.CloseButtonDownRect);
    io.Rect("hrollbuttonrect", self.HRollButtonRect);
    io.Rect("hrollbuttonactiverect", self.HRollButtonActiveRect);
    io.Rect("hrollbuttondownrect", self.HRollButtonDownRect);
    io.Rect("hrestorebuttonrect", self.HRestoreButtonRect);
    io.Rect("hrestorebuttonactiverect", self.HRestoreButtonActiveRect);
    io.Rect("hrestorebuttondownrect", self.HRestoreButtonDownRect);
    io.Rect("vrollbuttonrect", self.VRollButtonRect);
    io.Rect("vrollbuttonactiverect", self.VRollButtonActiveRect);
    io.Rect("vrollbuttondownrect", self.VRollButtonDownRect);
    io.Rect("vrestorebuttonrect", self.VRestoreButtonRect);
    io.Rect("vrestorebuttonactiverect", self.VRestoreButtonActiveRect);
    io.Rect("vrestorebuttondownrect", self.VRestoreButtonDownRect);
    io.Rect("captionrect", self.CaptionRect);
    VITRINA_FONT_FIELDS(self, io);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinExPanelControl, TbsDataSkinCustomControl)

template <class Self, class IO> void TbsDataSkinEditControl::Fields(Self& self, IO& io) {
    io.Rect("activeskinrect", self.ActiveSkinRect);
    VITRINA_FONT_FIELDS(self, io);
    io.Col("activefontcolor", self.ActiveFontColor);
    io.Rect("buttonrect", self.ButtonRect);
    io.Rect("activebuttonrect", self.ActiveButtonRect);
    io.Rect("downbuttonrect", self.DownButtonRect);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinEditControl, TbsDataSkinCustomControl)

template <class Self, class IO> void TbsDataSkinMemoControl::Fields(Self& self, IO& io) {
    io.Col("bgcolor", self.BGColor);
    io.Col("activebgcolor", self.ActiveBGColor);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinMemoControl, TbsDataSkinEditControl)

template <class Self, class IO> void TbsDataSkinButtonControl::Fields(Self& self, IO& io) {
    VITRINA_FONT_FIELDS(self, io);
    io.Col("activefontcolor", self.ActiveFontColor);
    io.Col("downfontcolor", self.DownFontColor);
    io.Rect("activeskinrect", self.ActiveSkinRect);
    io.Rect("downskinrect", self.DownSkinRect);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinButtonControl, TbsDataSkinCustomControl)

template <class Self, class IO> void TbsDataSkinMenuButtonControl::Fields(Self& self, IO& io) {
    io.Rect("trackbuttonrect", self.TrackButtonRect);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinMenuButtonControl, TbsDataSkinButtonControl)

template <class Self, class IO> void TbsDataSkinTreeView::Fields(Self& self, IO& io) {
    VITRINA_FONT_FIELDS(self, io);
    io.Col("bgcolor", self.BGColor);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinTreeView, TbsDataSkinControl)

template <class Self, class IO> void TbsDataSkinListView::Fields(Self& self, IO& io) {
    VITRINA_FONT_FIELDS(self, io);
    io.Col("bgcolor", self.BGColor);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinListView, TbsDataSkinControl)

template <class Self, class IO> void TbsDataSkinRichEdit::Fields(Self& self, IO& io) {
    VITRINA_FONT_FIELDS(self, io);
    io.Col("bgcolor", self.BGColor);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinRichEdit, TbsDataSkinControl)

template <class Self, class IO> void TbsDataSkinMainMenuBar::Fields(Self& self, IO& io) {
    io.Rect("itemsrect", self.ItemsRect);
    io.Str("menubaritem", self.MenuBarItem, "");
    io.Str("closebutton", self.CloseButton, "");
    io.Str("minbutton", self.MinButton, "");
    io.Str("maxbutton", self.MaxButton, "");
    io.Str("sysmenubutton", self.SysMenuButton, "");
    io.Col("trackmarkcolor", self.TrackMarkColor);
    io.Col("trackmarkactivecolor", self.TrackMarkActiveColor);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinMainMenuBar, TbsDataSkinControl)

template <class Self, class IO> void TbsDataSkinTabControl::Fields(Self& self, IO& io) {
    io.Rect("tabrect", self.TabRect);
    io.Rect("activetabrect", self.ActiveTabRect);
    io.Rect("focustabrect", self.FocusTabRect);
    io.Rect("clientrect", self.ClientRect);
    io.Int("bgpictureindex", self.BGPictureIndex, -1);
    io.Point("lefttoppoint", self.LeftTopPoint);
    io.Point("righttoppoint", self.RightTopPoint);
    io.Point("leftbottompoint", self.LeftBottomPoint);
    io.Point("rightbottompoint", self.RightBottomPoint);
    io.Int("tableftoffset", self.TabLeftOffset, 0);
    io.Int("tabrightoffset", self.TabRightOffset, 0);
    io.Rect("tabsbgrect", self.TabsBGRect);
    VITRINA_FONT_FIELDS(self, io);
    io.Col("activefontcolor", self.ActiveFontColor);
    io.Col("focusfontcolor", self.FocusFontColor);
    io.Str("updown", self.UpDown, "");
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinTabControl, TbsDataSkinControl)

template <class Self, class IO> void TbsDataSkinGridControl::Fields(Self& self, IO& io) {
    io.Rect("fixedcellrect", self.FixedCellRect);
    io.Rect("selectcellrect", self.SelectCellRect);
    io.Rect("focuscellrect", self.FocusCellRect);
    io.Int("fixedcellleftoffset", self.FixedCellLeftOffset, 0);
    io.Int("fixedcellrightoffset", self.FixedCellRightOffset, 0);
    io.Rect("fixedcelltextrect", self.FixedCellTextRect);
    io.Int("cellleftoffset", self.CellLeftOffset, 0);
    io.Int("cellrightoffset", self.CellRightOffset, 0);
    io.Rect("celltextrect", self.CellTextRect);
    io.Col("linescolor", self.LinesColor);
    io.Col("bgcolor", self.BGColor);
    VITRINA_FONT_FIELDS(self, io);
    io.Col("selectfontcolor", self.SelectFontColor);
    io.Col("focusfontcolor", self.FocusFontColor);
    io.Str("fixedfontname", self.FixedFontName, "Arial");
    io.Int("fixedfontheight", self.FixedFontHeight, 14);
    io.Styles("fixedfontstyle", self.FixedFontStyle);
    io.Col("fixedfontcolor", self.FixedFontColor);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinGridControl, TbsDataSkinControl)

template <class Self, class IO> void TbsDataSkinStdLabelControl::Fields(Self& self, IO& io) {
    VITRINA_FONT_FIELDS(self, io);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinStdLabelControl, TbsDataSkinControl)

namespace {

template <class T> std::unique_ptr<TbsDataSkinControl> Make(const std::string& name) {
    return std::make_unique<T>(name);
}

using TControlFactory = std::unique_ptr<TbsDataSkinControl> (*)(const std::string&);

const std::map<std::string, TControlFactory, std::less<>>& ControlKinds() {
    static const std::map<std::string, TControlFactory, std::less<>> kinds = {
        {"panel", Make<TbsDataSkinPanelControl>},
        {"expanel", Make<TbsDataSkinExPanelControl>},
        {"button", Make<TbsDataSkinButtonControl>},
        {"menubutton", Make<TbsDataSkinMenuButtonControl>},
        {"checkradio", Make<TbsDataSkinCheckRadioControl>},
        {"gauge", Make<TbsDataSkinGaugeControl>},
        {"splitter", Make<TbsDataSkinSplitterControl>},
        {"trackbar", Make<TbsDataSkinTrackBarControl>},
        {"label", Make<TbsDataSkinLabelControl>},
        {"stdlabel", Make<TbsDataSkinStdLabelControl>},
        {"updown", Make<TbsDataSkinUpDownControl>},
        {"grid", Make<TbsDataSkinGridControl>},
        {"tab", Make<TbsDataSkinTabControl>},
        {"mainmenubar", Make<TbsDataSkinMainMenuBar>},
        {"controlbar", Make<TbsDataSkinControlBar>},
        {"edit", Make<TbsDataSkinEditControl>},
        {"memo", Make<TbsDataSkinMemoControl>},
        {"combobox", Make<TbsDataSkinComboBox>},
        {"spinedit", Make<TbsDataSkinSpinEditControl>},
        {"treeview", Make<TbsDataSkinTreeView>},
        {"listview", Make<TbsDataSkinListView>},
        {"richedit", Make<TbsDataSkinRichEdit>},
        {"listbox", Make<TbsDataSkinListBox>},
        {"checklistbox", Make<TbsDataSkinCheckListBox>},
        {"scrollbar", Make<TbsDataSkinScrollBarControl>},
        {"scrollbox", Make<TbsDataSkinScrollBoxControl>},
    };
    return kinds;
}

} // namespace

std::unique_ptr<TbsDataSkinControl> CreateSkinControl(const std::string& kind,
                                                      const std::string& name) {
    auto it = ControlKinds().find(kind);
    return it == ControlKinds().end() ? nullptr : it->second(name);
}
