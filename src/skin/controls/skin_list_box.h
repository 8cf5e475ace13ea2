#pragma once
// The skinned list box: a skinned frame that owns a native list, paints every item of
// it itself (handing the text to OnDrawItem), keeps a scroll bar of its own in step with
// the native list's scroll state and republishes the list's events with itself as the
// sender.

#include "skin/controls/skin_control.h"
#include "skin/controls/skin_list_caption.h"
#include "skin/controls/skin_scroll_bar.h"
#include "toolkit/image_list.h"
#include "toolkit/list_box.h"

#include <memory>

class TBitmap;

class TbsSkinCustomListBox;

using TbsDrawSkinItemEvent = std::function<void(TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight,
                                                TRect TextRect, TOwnerDrawState State)>;

// The inner list: native behaviour, the outer control's painting and notifications.
class TbsListBox : public TCustomListBox {
public:
    explicit TbsListBox(TComponent* owner);
    const char* ClassName() const override { return "TbsListBox"; }

    TbsSkinCustomListBox* OuterListBox() const { return FOuterListBox; }
    void SetOuterListBox(TbsSkinCustomListBox* outer) { FOuterListBox = outer; }
    // Pixels the item texts are shifted left by the horizontal extent bar.
    int ExtentOffset() const { return FExtentOffset; }
    void SetExtentOffset(int value) { FExtentOffset = value; }

    void WndProc(TMessage& message) override;
    void Click() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void KeyUp(std::uint16_t& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void DescribeAccessible(TAccessibleFacts& facts) const override;

private:
    void PaintList(TCanvas& canvas);
    void EraseList(TCanvas& canvas);

    TbsSkinCustomListBox* FOuterListBox = nullptr;
    int FExtentOffset = 0;
};

// Where the inner list and the bars go.
struct TbsListBoxLayoutInput {
    int Width = 0;
    int Height = 0;
    bool Skinned = false;
    int Columns = 0;
    int CaptionBottom = 1; // the caption band's height in caption mode, else 1
    TRect ListClientRect;  // skinned: the skin's client rect fitted to the control
    bool HasScrollBar = false;
    int ScrollBarWidth = 0; // the bar's own size, kept when skinned
    int ScrollBarHeight = 0;
    bool HasExtentBar = false;
    int ExtentBarHeight = 0;
};

struct TbsListBoxLayout {
    TRect ListRect;
    TRect ScrollBarBounds;
    TRect ExtentBarBounds;
};

TbsListBoxLayout ArrangeListBox(const TbsListBoxLayoutInput& input);

struct TbsListBoxHeightInput {
    int Rows = 0;
    int ItemHeight = 0;
    bool Skinned = false;
    bool CaptionMode = false;
    int CaptionHeight = 0;
    int SkinFrameHeight = 0; // skin image height less its client height
    int ExtentBarHeight = 0; // 0 without that bar
};

// The height that shows exactly that many rows.
int ListBoxHeightForRows(const TbsListBoxHeightInput& input);

// The item values a list box record gives.
struct TbsListBoxSkinValues {
    TRect ItemRect, ActiveItemRect, FocusItemRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect ItemTextRect;
    std::string FontName = "Arial";
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0;
    std::string VScrollBarName = "vscrollbar";
    std::string HScrollBarName = "hscrollbar";
    std::string BothHScrollBarName = "bothhscrollbar";
};

class TbsSkinCustomListBox : public TbsSkinCustomControl {
public:
    explicit TbsSkinCustomListBox(TComponent* owner);
    ~TbsSkinCustomListBox() override;
    const char* ClassName() const override { return "TbsSkinCustomListBox"; }

    TbsListBox* ListBox() const { return FListBox; }

    TStrings& Items();
    void SetItems(const TStrings& items);
    int ItemIndex() const;
    void SetItemIndex(int index);
    void Clear();
    int Columns() const;
    void SetColumns(int value);
    // Pictures beside the item texts: picture ImageIndex for every item, or with
    // ImageIndex -1 the picture of the item's own number.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* images);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    bool HorizontalExtent() const { return FHorizontalExtent; }
    void SetHorizontalExtent(bool value);
    int RowCount() const { return FRowCount; }
    void SetRowCount(int value);
    int DefaultItemHeight() const { return FDefaultItemHeight; }
    void SetDefaultItemHeight(int value);
    bool MultiSelect() const;
    void SetMultiSelect(bool value);
    bool ExtandedSelect() const;
    void SetExtandedSelect(bool value);
    bool Sorted() const;
    void SetSorted(bool value);
    TFont& ListBoxFont();
    void SetListBoxFont(const TFont& font);
    int ListBoxTabOrder() const;
    void SetListBoxTabOrder(int value);
    bool ListBoxTabStop() const;
    void SetListBoxTabStop(bool value);

    // The caption band above the items: the Caption with an optional glyph, and up,
    // down and check buttons that move the current item (repeating while held) or
    // call the application.
    bool CaptionMode() const { return FCaptionMode; }
    void SetCaptionMode(bool value);
    int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    void SetDefaultCaptionHeight(int value);
    TFont& DefaultCaptionFont() { return FDefaultCaptionFont; }
    void SetDefaultCaptionFont(const TFont& font);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    // Frames side by side; the second one is shown while disabled when there are two.
    TBitmap& Glyph() { return *FGlyph; }
    void SetGlyph(const TBitmap& glyph);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);
    const TbsCaptionButtonRects& CaptionButtons() const { return FCaptionButtons; }
    bool CaptionButtonMouseIn(int button) const { return FCaptionButtonState[button].MouseIn; }
    bool CaptionButtonDown(int button) const { return FCaptionButtonState[button].Down; }
    int HotCaptionButton() const { return FHotCaptionButton; }
    int PressedCaptionButton() const { return FPressedCaptionButton; }
    int CaptionRepeatMode() const { return FCaptionRepeatMode; }
    const TbsListCaptionSkin& CaptionSkin() const { return FCaptionSkin; }
    // The buttons' rects for the current size and look.
    void CalcCaptionButtons();
    void TrackCaptionButtons(int x, int y);

    // Replace the caption buttons' default actions.
    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;
    TNotifyEvent OnCheckButtonClick;

    // A plain reference: the list treats whatever bar it holds as its own, places and
    // ranges it and destroys it once nothing needs scrolling.
    TbsSkinScrollBar* ScrollBar() const { return FScrollBar; }
    void SetScrollBar(TbsSkinScrollBar* bar);
    TbsSkinScrollBar* ExtentScrollBar() const { return FExtentScrollBar; }

    TRect ListRect() const { return FListRect; }
    TRect ListClientRect() const { return FListClientRect; }
    const TbsListBoxSkinValues& ListSkin() const { return FListSkin; }

    void ArrangeChildren();
    void SyncScrollBars();
    void CreateScrollBar();
    void RemoveScrollBar();
    void CreateExtentScrollBar();
    void RemoveExtentScrollBar();
    int HeightForRows(int rows) const;
    // Selected, and focused too when the inner list has the keyboard focus.
    TOwnerDrawState ItemState(int index) const;

    TbsDrawSkinItemEvent OnDrawItem;
    TNotifyEvent OnListBoxClick;
    TNotifyEvent OnListBoxDblClick;
    TMouseEvent OnListBoxMouseDown;
    TMouseMoveEvent OnListBoxMouseMove;
    TMouseEvent OnListBoxMouseUp;
    TKeyEvent OnListBoxKeyDown;
    TKeyPressEvent OnListBoxKeyPress;
    TKeyEvent OnListBoxKeyUp;

    void ResolveSkin() override;
    void DrawDefault(TPixelBuffer& bitmap) override;
    void DrawSkin(TPixelBuffer& bitmap) override;
    void ApplySkin() override;
    void DefaultFontChanged() override;
    void SetBounds(int left, int top, int width, int height) override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

    // What the inner list reports, in this order.
    virtual int GetItemTextWidth(int index, TCanvas& canvas);
    virtual void ListBoxMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void ListBoxMouseMove(TShiftState shift, int x, int y);
    virtual void ListBoxMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void ListBoxClick();
    virtual void ListBoxDblClick();
    virtual void ListBoxKeyDown(std::uint16_t& key, TShiftState shift);
    virtual void ListBoxKeyUp(std::uint16_t& key, TShiftState shift);
    virtual void ListBoxKeyPress(char& key);
    virtual void ListBoxEnter() {}
    virtual void ListBoxExit() {}
    // Clearing pass keeps a message from the inner list.
    virtual void ListBoxWndProcHook(TMessage& message, bool& pass);
    virtual void ListBoxCreateWnd() {}

protected:
    void CreateParams(TCreateParams& params) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void TextChanged() override;

private:
    friend class TbsListBox;
    struct TCaptionButtonState {
        bool MouseIn = false;
        bool Down = false;
    };
    void DrawPlainCaption(TCanvas& canvas);
    void DrawSkinCaption(TCanvas& canvas);
    void DrawCaptionContent(TCanvas& canvas, const TRect& rect, bool skinned);
    void DrawPlainCaptionButton(TCanvas& canvas, int button);
    void DrawSkinCaptionButton(TCanvas& canvas, int button);
    void CaptionTimerTick();
    void StopCaptionRepeat();
    TNotifyEvent& CaptionButtonEvent(int button);
    // One item at its rectangle of the inner list's canvas, by the look in force.
    void PaintItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state);
    void DrawPlainItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state);
    void DrawSkinItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state);
    void DrawItemContent(TCanvas& canvas, int index, const TRect& textRect);
    // The skin's client image repeated over an area of the inner list.
    void TileSkinClient(TCanvas& canvas, const TRect& area);
    void ScrollBarChanged();
    void ExtentScrollBarChanged();
    bool Skinned() const { return SkinIndex() != -1; }

    TbsListBox* FListBox = nullptr;
    TbsSkinScrollBar* FScrollBar = nullptr;
    TbsSkinScrollBar* FExtentScrollBar = nullptr;
    TCustomImageList* FImages = nullptr;
    int FImageIndex = -1;
    bool FHorizontalExtent = false;
    int FRowCount = 0;
    int FDefaultItemHeight = 20;
    bool FCaptionMode = false;
    int FDefaultCaptionHeight = 20;
    TFont FDefaultCaptionFont;
    TAlignment FAlignment = taLeftJustify;
    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    int FSpacing = 2;
    TbsCaptionButtonRects FCaptionButtons;
    TCaptionButtonState FCaptionButtonState[3];
    int FHotCaptionButton = -1;
    int FOldHotCaptionButton = -1;
    int FPressedCaptionButton = -1;
    int FCaptionRepeatMode = crmNone;
    bool FCaptionFirstTick = false;
    TbsListCaptionSkin FCaptionSkin;
    bool FApplyingSkin = false;
    TRect FListClientRect;
    TRect FListRect;
    TbsListBoxSkinValues FListSkin;
};

class TbsSkinListBox : public TbsSkinCustomListBox {
public:
    explicit TbsSkinListBox(TComponent* owner) : TbsSkinCustomListBox(owner) {}
    const char* ClassName() const override { return "TbsSkinListBox"; }
};
