#pragma once
// The skinned list box: a skinned frame that owns a native list, paints every item of
// it itself (handing the text to OnDrawItem), keeps a scroll bar of its own in step with
// the native list's scroll state and republishes the list's events with itself as the
// sender.

#include "skin/controls/skin_caption_band.h"
#include "skin/controls/skin_control.h"
#include "skin/controls/skin_inner_list.h"
#include "skin/controls/skin_list_box_layout.h"
#include "skin/controls/skin_scroll_bar.h"
#include "skin/controls/skin_widest_item.h"
#include "toolkit/image_list.h"

using TbsDrawSkinItemEvent = std::function<void(TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight,
                                                TRect TextRect, TOwnerDrawState State)>;

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

class TbsSkinCustomListBox : public TbsSkinCustomControl, private TbsCaptionBandOwner, private TbsInnerListOwner {
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

    // The caption band above the items (off by default).
    const TbsListCaptionBand& CaptionBand() const { return FCaptionBand; }
    bool CaptionMode() const { return FCaptionBand.Mode(); }
    void SetCaptionMode(bool value);
    int DefaultCaptionHeight() const { return FCaptionBand.DefaultHeight(); }
    void SetDefaultCaptionHeight(int value);
    TFont& DefaultCaptionFont() { return FCaptionBand.DefaultFont(); }
    void SetDefaultCaptionFont(const TFont& font) { FCaptionBand.DefaultFont().Assign(font); }
    TAlignment Alignment() const { return FCaptionBand.Alignment(); }
    void SetAlignment(TAlignment value) { FCaptionBand.SetAlignment(value); }
    TBitmap& Glyph() { return FCaptionBand.Glyph(); }
    void SetGlyph(const TBitmap& glyph) { FCaptionBand.SetGlyph(glyph); }
    int NumGlyphs() const { return FCaptionBand.NumGlyphs(); }
    void SetNumGlyphs(int value) { FCaptionBand.SetNumGlyphs(value); }
    int Spacing() const { return FCaptionBand.Spacing(); }
    void SetSpacing(int value) { FCaptionBand.SetSpacing(value); }

    // Replace the caption buttons' default actions.
    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;
    TNotifyEvent OnCheckButtonClick;

    // A plain reference: the list treats whatever bar it holds as its own, places and
    // ranges it and destroys it once nothing needs scrolling.
    TbsSkinScrollBar* ScrollBar() const override { return FScrollBar; }
    void SetScrollBar(TbsSkinScrollBar* bar);
    TbsSkinScrollBar* ExtentScrollBar() const override { return FExtentScrollBar; }

    TRect ListRect() const { return FListRect; }
    TRect ListClientRect() const { return FListClientRect; }
    const TbsListBoxSkinValues& ListSkin() const { return FListSkin; }

    void ArrangeChildren();
    void SyncScrollBars() override;
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

    virtual int GetItemTextWidth(int index, TCanvas& canvas);
    // What the inner list reports, in this order.
    void ListBoxMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void ListBoxMouseMove(TShiftState shift, int x, int y) override;
    void ListBoxMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void ListBoxClick() override;
    void ListBoxDblClick() override;
    void ListBoxKeyDown(std::uint16_t& key, TShiftState shift) override;
    void ListBoxKeyUp(std::uint16_t& key, TShiftState shift) override;
    void ListBoxKeyPress(char& key) override;
    void ListBoxEnter() override {}
    void ListBoxExit() override {}
    // Clearing pass keeps a message from the inner list.
    void ListBoxWndProcHook(TMessage& message, bool& pass) override;
    void ListBoxCreateWnd() override {}

protected:
    void CreateParams(TCreateParams& params) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void TextChanged() override;

private:
    const TNotifyEvent& CaptionButtonEvent(int button) const override;
    void CaptionButtonAction(int button) override;
    void PaintListItem(TCanvas& canvas, int index, const TRect& rect) override;
    // The skin's client image or the window colour, by the look in force.
    void PaintListBackground(TCanvas& canvas, const TRect& area) override;
    void ListItemAdded(int index) override;
    void ListItemRemoving(int index) override;
    void ListItemsReset() override { FWidestItem.Reset(); }
    const TControl& NamedControl() const override { return *this; }
    // One item at its rectangle of the inner list's canvas, by the look in force.
    void PaintItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state);
    void DrawPlainItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state);
    void DrawSkinItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state);
    void DrawItemContent(TCanvas& canvas, int index, const TRect& textRect);
    // The skin's client image repeated over an area of the inner list.
    void TileSkinClient(TCanvas& canvas, const TRect& area);
    // A bar of the list's own, hooked to call back on every change.
    TbsSkinScrollBar* NewScrollBar(TScrollBarKind kind, void (TbsSkinCustomListBox::*changed)());
    // The extent bar's look: it shares the corner with the list's bar when there is one.
    void RestyleExtentScrollBar();
    void ScrollBarChanged();
    void ExtentScrollBarChanged();
    bool Skinned() const { return SkinIndex() != -1; }
    // The inner list's canvas in the font its item texts are measured in.
    TCanvas& MeasuringCanvas();
    int WidestItemWidth(TCanvas& canvas);

    TbsListBox* FListBox = nullptr;
    TbsSkinScrollBar* FScrollBar = nullptr;
    TbsSkinScrollBar* FExtentScrollBar = nullptr;
    TCustomImageList* FImages = nullptr;
    int FImageIndex = -1;
    bool FHorizontalExtent = false;
    int FRowCount = 0;
    int FDefaultItemHeight = 20;
    TbsListCaptionBand FCaptionBand{*this, *this};
    bool FApplyingSkin = false;
    TRect FListClientRect;
    TRect FListRect;
    TbsListBoxSkinValues FListSkin;
    TbsWidestItem FWidestItem;
    TFont FWidestItemFont; // the font FWidestItem was measured in
};

class TbsSkinListBox : public TbsSkinCustomListBox {
public:
    explicit TbsSkinListBox(TComponent* owner) : TbsSkinCustomListBox(owner) {}
    const char* ClassName() const override { return "TbsSkinListBox"; }
};
