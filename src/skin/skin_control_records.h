#pragma once
// Records of the "SKINCONTROLS" list: one per named control section of a skin.
// Each reads its own section, base class keys first; fields follow their keys.

#include <memory>
#include <string>

#include "skin/skin_record_io.h"

class TbsDataSkinControl {
public:
    explicit TbsDataSkinControl(std::string sectionName) : SectionName(std::move(sectionName)) {}
    virtual ~TbsDataSkinControl() = default;

    virtual void ReadFromIni(const TIniTable& ini);
    virtual void WriteToIni(TIniTable& ini) const; // erases the section first
    virtual const char* ClassName() const { return "TbsDataSkinControl"; }
    virtual void EnumFields(TbsFieldVisitor& visitor) const;

    std::string SectionName;
    int PictureIndex = -1;
    int MaskPictureIndex = -1;
    TRect SkinRect;

private:
    template <class Self, class IO> static void Fields(Self& self, IO& io);
};

// Adds the stretch anchors and the client rect, offsets inside SkinRect.
class TbsDataSkinCustomControl : public TbsDataSkinControl {
    VITRINA_SKIN_RECORD(TbsDataSkinCustomControl, TbsDataSkinControl)
    TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
    TRect ClientRect;
};

class TbsDataSkinListBox : public TbsDataSkinCustomControl {
    VITRINA_SKIN_RECORD(TbsDataSkinListBox, TbsDataSkinCustomControl)
    TRect ItemRect, ActiveItemRect, FocusItemRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect ItemTextRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0;
    TRect CaptionRect;
    std::string CaptionFontName = "Arial";
    int CaptionFontHeight = 14;
    TFontStyles CaptionFontStyle = 0;
    TColor CaptionFontColor = 0;
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
    TRect CheckButtonRect, ActiveCheckButtonRect, DownCheckButtonRect;
    // Kept in this order, though the description is read vertical first.
    std::string HScrollBarName = "hscrollbar";
    std::string VScrollBarName = "vscrollbar";
    std::string BothHScrollBarName = "bothhscrollbar";
};

class TbsDataSkinCheckListBox : public TbsDataSkinListBox {
    VITRINA_SKIN_RECORD(TbsDataSkinCheckListBox, TbsDataSkinListBox)
    TRect UnCheckImageRect, CheckImageRect, ItemCheckRect;
};

class TbsDataSkinScrollBarControl : public TbsDataSkinCustomControl {
    VITRINA_SKIN_RECORD(TbsDataSkinScrollBarControl, TbsDataSkinCustomControl)
    TRect TrackArea;
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
    TRect ThumbRect, ActiveThumbRect, DownThumbRect;
    int ThumbOffset1 = 0, ThumbOffset2 = 0;
    TRect GlyphRect, ActiveGlyphRect, DownGlyphRect;
};

class TbsDataSkinScrollBoxControl : public TbsDataSkinCustomControl {
    VITRINA_SKIN_RECORD(TbsDataSkinScrollBoxControl, TbsDataSkinCustomControl)
    int BGPictureIndex = -1;
};

class TbsDataSkinComboBox : public TbsDataSkinCustomControl {
    VITRINA_SKIN_RECORD(TbsDataSkinComboBox, TbsDataSkinCustomControl)
    TRect ItemRect, FocusItemRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect ItemTextRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, FocusFontColor = 0;
    std::string ListBoxName;
    TRect ButtonRect, ActiveButtonRect, DownButtonRect;
};

class TbsDataSkinControlBar : public TbsDataSkinCustomControl {
    VITRINA_SKIN_RECORD(TbsDataSkinControlBar, TbsDataSkinCustomControl)
    TRect ItemRect;
    int BGPictureIndex = -1;
};

// Never stretched: its anchors and client rect are cleared after every read.
class TbsDataSkinUpDownControl : public TbsDataSkinCustomControl {
    VITRINA_SKIN_RECORD(TbsDataSkinUpDownControl, TbsDataSkinCustomControl)
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
};

class TbsDataSkinSpinEditControl : public TbsDataSkinCustomControl {
    VITRINA_SKIN_RECORD(TbsDataSkinSpinEditControl, TbsDataSkinCustomControl)
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
};

class TbsDataSkinLabelControl : public TbsDataSkinCustomControl {
    VITRINA_SKIN_RECORD(TbsDataSkinLabelControl, TbsDataSkinCustomControl)
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
};

class TbsDataSkinSplitterControl : public TbsDataSkinCustomControl {
    VITRINA_SKIN_RECORD(TbsDataSkinSplitterControl, TbsDataSkinCustomControl)
};

class TbsDataSkinGaugeControl : public TbsDataSkinCustomControl {
    VITRINA_SKIN_RECORD(TbsDataSkinGaugeControl, TbsDataSkinCustomControl)
    TRect ProgressArea, ProgressRect;
    int BeginOffset = 0, EndOffset = 0;
    bool Vertical = false;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
};

class TbsDataSkinTrackBarControl : public TbsDataSkinCustomControl {
    VITRINA_SKIN_RECORD(TbsDataSkinTrackBarControl, TbsDataSkinCustomControl)
    TRect TrackArea, ButtonRect, ActiveButtonRect;
    bool Vertical = false;
};

class TbsDataSkinCheckRadioControl : public TbsDataSkinCustomControl {
    VITRINA_SKIN_RECORD(TbsDataSkinCheckRadioControl, TbsDataSkinCustomControl)
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0;
    TRect ActiveSkinRect, CheckImageArea, TextArea, CheckImageRect, UnCheckImageRect;
};

class TbsDataSkinPanelControl : public TbsDataSkinCustomControl {
    VITRINA_SKIN_RECORD(TbsDataSkinPanelControl, TbsDataSkinCustomControl)
    int BGPictureIndex = -1;
    TRect CaptionRect, RollUpMarkerRect, RestoreMarkerRect;
    TAlignment Alignment = taCenter;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
};

class TbsDataSkinExPanelControl : public TbsDataSkinCustomControl {
    VITRINA_SKIN_RECORD(TbsDataSkinExPanelControl, TbsDataSkinCustomControl)
    TRect RollHSkinRect, RollVSkinRect;
    int RollLeftOffset = 0, RollRightOffset = 0, RollTopOffset = 0, RollBottomOffset = 0;
    TRect RollVCaptionRect, RollHCaptionRect;
    TRect CloseButtonRect, CloseButtonActiveRect, CloseButtonDownRect;
    TRect HRollButtonRect, HRollButtonActiveRect, HRollButtonDownRect;
    TRect HRestoreButtonRect, HRestoreButtonActiveRect, HRestoreButtonDownRect;
    TRect VRollButtonRect, VRollButtonActiveRect, VRollButtonDownRect;
    TRect VRestoreButtonRect, VRestoreButtonActiveRect, VRestoreButtonDownRect;
    TRect CaptionRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
};

class TbsDataSkinEditControl : public TbsDataSkinCustomControl {
    VITRINA_SKIN_RECORD(TbsDataSkinEditControl, TbsDataSkinCustomControl)
    TRect ActiveSkinRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0;
    TRect ButtonRect, ActiveButtonRect, DownButtonRect;
};

class TbsDataSkinMemoControl : public TbsDataSkinEditControl {
    VITRINA_SKIN_RECORD(TbsDataSkinMemoControl, TbsDataSkinEditControl)
    TColor BGColor = 0, ActiveBGColor = 0;
};

class TbsDataSkinButtonControl : public TbsDataSkinCustomControl {
    VITRINA_SKIN_RECORD(TbsDataSkinButtonControl, TbsDataSkinCustomControl)
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0;
    TRect ActiveSkinRect, DownSkinRect;
};

class TbsDataSkinMenuButtonControl : public TbsDataSkinButtonControl {
    VITRINA_SKIN_RECORD(TbsDataSkinMenuButtonControl, TbsDataSkinButtonControl)
    TRect TrackButtonRect;
};

// The kinds below hang directly on the root: they have no stretch anchors.

class TbsDataSkinTreeView : public TbsDataSkinControl {
    VITRINA_SKIN_RECORD(TbsDataSkinTreeView, TbsDataSkinControl)
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, BGColor = 0;
};

class TbsDataSkinListView : public TbsDataSkinControl {
    VITRINA_SKIN_RECORD(TbsDataSkinListView, TbsDataSkinControl)
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, BGColor = 0;
};

class TbsDataSkinRichEdit : public TbsDataSkinControl {
    VITRINA_SKIN_RECORD(TbsDataSkinRichEdit, TbsDataSkinControl)
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, BGColor = 0;
};

class TbsDataSkinMainMenuBar : public TbsDataSkinControl {
    VITRINA_SKIN_RECORD(TbsDataSkinMainMenuBar, TbsDataSkinControl)
    TRect ItemsRect;
    // Names of records in the object list.
    std::string MenuBarItem, CloseButton, MinButton, MaxButton, SysMenuButton;
    TColor TrackMarkColor = 0, TrackMarkActiveColor = 0;
};

class TbsDataSkinTabControl : public TbsDataSkinControl {
    VITRINA_SKIN_RECORD(TbsDataSkinTabControl, TbsDataSkinControl)
    TRect TabRect, ActiveTabRect, FocusTabRect, ClientRect;
    int BGPictureIndex = -1;
    TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
    int TabLeftOffset = 0, TabRightOffset = 0;
    TRect TabsBGRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0;
    std::string UpDown; // name of an up-down record
};

class TbsDataSkinGridControl : public TbsDataSkinControl {
    VITRINA_SKIN_RECORD(TbsDataSkinGridControl, TbsDataSkinControl)
    TRect FixedCellRect, SelectCellRect, FocusCellRect;
    int FixedCellLeftOffset = 0, FixedCellRightOffset = 0;
    TRect FixedCellTextRect;
    int CellLeftOffset = 0, CellRightOffset = 0;
    TRect CellTextRect;
    TColor LinesColor = 0, BGColor = 0;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, SelectFontColor = 0, FocusFontColor = 0;
    std::string FixedFontName = "Arial";
    int FixedFontHeight = 14;
    TFontStyles FixedFontStyle = 0;
    TColor FixedFontColor = 0;
};

class TbsDataSkinStdLabelControl : public TbsDataSkinControl {
    VITRINA_SKIN_RECORD(TbsDataSkinStdLabelControl, TbsDataSkinControl)
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
};

// The record class a "SKINCONTROLS" kind word stands for (compared exactly), or none.
std::unique_ptr<TbsDataSkinControl> CreateSkinControl(const std::string& kind,
                                                      const std::string& name);
