#include "skin/controls/skin_list_box.h"

#include "pictures/bitmap.h"
#include "skin/bs_utils.h"
#include "toolkit/canvas.h"
#include "toolkit/pixel_buffer.h"

#include <algorithm>

TbsSkinCustomListBox::TbsSkinCustomListBox(TComponent* owner) : TbsSkinCustomControl(owner) {
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csOpaque | csDoubleClicks);
    TFont font;
    font.SetName("Arial");
    font.SetHeight(14);
    font.SetColor(clWindowText);
    font.SetStyle(0);
    SetFont(font);
    SetSkinDataName("listbox");
    SetBounds(Left(), Top(), 120, 120);
    FListBox = new TbsListBox(this);
    FListBox->SetOuterListBox(this);
    FListBox->SetItemHeight(FDefaultItemHeight);
    FListBox->SetParent(this);
    ArrangeChildren();
}

TbsSkinCustomListBox::~TbsSkinCustomListBox() {
    if (TbsSkinScrollBar* bar = FScrollBar) {
        FScrollBar = nullptr;
        delete bar;
    }
    if (TbsListBox* list = FListBox) {
        FListBox = nullptr;
        delete list;
    }
    KillTimer(1);
}

void TbsSkinCustomListBox::CreateParams(TCreateParams& params) {
    TbsSkinCustomControl::CreateParams(params);
    params.WindowClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

TStrings& TbsSkinCustomListBox::Items() { return FListBox->Items(); }

void TbsSkinCustomListBox::SetItems(const TStrings& items) {
    FListBox->Items().Assign(items);
    SyncScrollBars();
}

int TbsSkinCustomListBox::ItemIndex() const { return FListBox->ItemIndex(); }
void TbsSkinCustomListBox::SetItemIndex(int index) { FListBox->SetItemIndex(index); }

void TbsSkinCustomListBox::Clear() {
    FListBox->Clear();
    SyncScrollBars();
}

int TbsSkinCustomListBox::Columns() const { return FListBox ? FListBox->Columns() : 0; }

void TbsSkinCustomListBox::SetColumns(int value) {
    FListBox->SetColumns(value);
    SyncScrollBars();
}

void TbsSkinCustomListBox::SetImages(TCustomImageList* images) {
    if (FImages && FImages != images) RemoveFreeNotification(FImages);
    FImages = images;
    if (images) images->FreeNotification(this);
    FListBox->Invalidate();
}

void TbsSkinCustomListBox::SetImageIndex(int value) {
    FImageIndex = value;
    FListBox->Invalidate();
}

void TbsSkinCustomListBox::SetHorizontalExtent(bool value) {
    FHorizontalExtent = value;
    // Items came and went unmeasured while it was off.
    FWidestItem.Reset();
    SyncScrollBars();
}

void TbsSkinCustomListBox::SetRowCount(int value) {
    FRowCount = value;
    if (value != 0) SetHeight(HeightForRows(value));
}

void TbsSkinCustomListBox::SetDefaultItemHeight(int value) {
    FDefaultItemHeight = value;
    if (!Skinned()) FListBox->SetItemHeight(value);
}

bool TbsSkinCustomListBox::MultiSelect() const { return FListBox->MultiSelect(); }
void TbsSkinCustomListBox::SetMultiSelect(bool value) { FListBox->SetMultiSelect(value); }
bool TbsSkinCustomListBox::ExtandedSelect() const { return FListBox->ExtendedSelect(); }
void TbsSkinCustomListBox::SetExtandedSelect(bool value) { FListBox->SetExtendedSelect(value); }
bool TbsSkinCustomListBox::Sorted() const { return FListBox->Sorted(); }
void TbsSkinCustomListBox::SetSorted(bool value) { FListBox->SetSorted(value); }
TFont& TbsSkinCustomListBox::ListBoxFont() { return FListBox->Font(); }
void TbsSkinCustomListBox::SetListBoxFont(const TFont& font) { FListBox->SetFont(font); }
int TbsSkinCustomListBox::ListBoxTabOrder() const { return FListBox->TabOrder(); }
void TbsSkinCustomListBox::SetListBoxTabOrder(int value) { FListBox->SetTabOrder(value); }
bool TbsSkinCustomListBox::ListBoxTabStop() const { return FListBox->TabStop(); }
void TbsSkinCustomListBox::SetListBoxTabStop(bool value) { FListBox->SetTabStop(value); }

void TbsSkinCustomListBox::SetScrollBar(TbsSkinScrollBar* bar) {
    if (FScrollBar && FScrollBar != bar && FScrollBar->Owner() != this) RemoveFreeNotification(FScrollBar);
    FScrollBar = bar;
    if (bar) bar->FreeNotification(this);
}

void TbsSkinCustomListBox::Notification(TComponent* component, TOperation operation) {
    TbsSkinCustomControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == FScrollBar) FScrollBar = nullptr;
    if (component == FExtentScrollBar) FExtentScrollBar = nullptr;
    if (component == FListBox) FListBox = nullptr;
    if (component == FImages) FImages = nullptr;
}

TOwnerDrawState TbsSkinCustomListBox::ItemState(int index) const {
    if (index == FListBox->ItemIndex())
        return FListBox->Focused() ? TOwnerDrawState(odSelected | odFocused) : odSelected;
    if (FListBox->SelCount() >= 1 && FListBox->Selected(index)) return odSelected;
    return 0;
}

int TbsSkinCustomListBox::HeightForRows(int rows) const {
    TbsListBoxHeightInput in;
    in.Rows = rows;
    in.ItemHeight = FListBox->ItemHeight();
    in.Skinned = Skinned();
    in.CaptionMode = CaptionMode();
    in.CaptionHeight = DefaultCaptionHeight();
    in.SkinFrameHeight = FGeometry.SkinRect.Height() - FGeometry.ClientRect.Height();
    in.ExtentBarHeight = FExtentScrollBar ? FExtentScrollBar->Height() : 0;
    return ListBoxHeightForRows(in);
}

void TbsSkinCustomListBox::ArrangeChildren() {
    if (!FListBox) return;
    TbsListBoxLayoutInput in;
    in.Width = Width();
    in.Height = Height();
    in.Skinned = Skinned();
    in.Columns = Columns();
    in.CaptionBottom = CaptionMode() ? DefaultCaptionHeight() : 1;
    if (in.Skinned) {
        FListClientRect = FGeometry.ClientRect;
        FListClientRect.Right += Width() - FGeometry.SkinRect.Width();
        FListClientRect.Bottom += Height() - FGeometry.SkinRect.Height();
        in.ListClientRect = FListClientRect;
    }
    in.HasExtentBar = in.Columns == 0 && FExtentScrollBar && FExtentScrollBar->Visible();
    if (in.HasExtentBar) in.ExtentBarHeight = FExtentScrollBar->Height();
    in.HasScrollBar = FScrollBar && FScrollBar->Visible();
    if (in.HasScrollBar) {
        in.ScrollBarWidth = FScrollBar->Width();
        in.ScrollBarHeight = FScrollBar->Height();
    }
    TbsListBoxLayout layout = ArrangeListBox(in);
    auto place = [](TControl* control, const TRect& r) {
        control->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    };
    if (in.HasExtentBar) place(FExtentScrollBar, layout.ExtentBarBounds);
    if (in.HasScrollBar) place(FScrollBar, layout.ScrollBarBounds);
    FListRect = layout.ListRect;
    place(FListBox, FListRect);
}

int TbsSkinCustomListBox::GetItemTextWidth(int index, TCanvas& canvas) {
    return canvas.TextWidth(Items()[index]);
}

TCanvas& TbsSkinCustomListBox::MeasuringCanvas() {
    TCanvas& canvas = FListBox->Canvas();
    if (Skinned()) {
        canvas.Font().SetName(FListSkin.FontName);
        canvas.Font().SetStyle(FListSkin.FontStyle);
        canvas.Font().SetHeight(FListSkin.FontHeight);
    } else {
        canvas.SetFont(FListBox->Font());
    }
    return canvas;
}

int TbsSkinCustomListBox::WidestItemWidth(TCanvas& canvas) {
    if (!(canvas.Font() == FWidestItemFont)) {
        FWidestItem.Reset();
        FWidestItemFont.Assign(canvas.Font());
    }
    return FWidestItem.Width(FListBox->Count(), [&](int i) { return GetItemTextWidth(i, canvas); });
}

// The widest item is kept known as items come and go (only while it is wanted).
void TbsSkinCustomListBox::ListItemAdded(int index) {
    if (!FHorizontalExtent || !FWidestItem.Known()) return;
    TCanvas& canvas = MeasuringCanvas();
    if (canvas.Font() == FWidestItemFont)
        FWidestItem.ItemAdded(GetItemTextWidth(index, canvas));
    else
        FWidestItem.Reset();
}

void TbsSkinCustomListBox::ListItemRemoving(int index) {
    if (!FHorizontalExtent || !FWidestItem.Known()) return;
    TCanvas& canvas = MeasuringCanvas();
    if (canvas.Font() == FWidestItemFont)
        FWidestItem.ItemRemoved(GetItemTextWidth(index, canvas));
    else
        FWidestItem.Reset();
}

void TbsSkinCustomListBox::SyncScrollBars() {
    if (!FListBox) return;
    int count = FListBox->Count();
    int itemHeight = FListBox->ItemHeight();
    if (Columns() == 0) {
        if (!FHorizontalExtent || FApplyingSkin) {
            if (FExtentScrollBar && FExtentScrollBar->Visible()) RemoveExtentScrollBar();
        } else {
            TCanvas& canvas = MeasuringCanvas();
            int widest = WidestItemWidth(canvas);
            int available = Skinned() ? FListBox->Width() + FListSkin.ItemTextRect.Width() -
                                            FListSkin.ItemRect.Width()
                                      : FListBox->Width() - 4;
            if (FImages) available -= FImages->Width() + 4;
            if (available < widest) {
                if (!FExtentScrollBar) CreateExtentScrollBar();
                FExtentScrollBar->SetRange(0, widest, available, FExtentScrollBar->Position());
                int step = canvas.TextWidth("0");
                FExtentScrollBar->SetSmallChange(step);
                FExtentScrollBar->SetLargeChange(step);
            } else if (FExtentScrollBar && FExtentScrollBar->Visible()) {
                RemoveExtentScrollBar();
            }
        }
        if (FRowCount < 1 || FRowCount != count) {
            TScrollInfo info = FListBox->ScrollInfo(SB_VERT);
            int rows = FListBox->Height() / itemHeight;
            if (info.Min < info.Max && info.Max >= info.Pos && rows < count) {
                if (!FScrollBar) CreateScrollBar();
                FScrollBar->SetRange(info.Min, info.Max, rows, info.Pos);
                return;
            }
        }
    } else {
        TScrollInfo info = FListBox->ScrollInfo(SB_HORZ);
        if (info.Min < info.Max && info.Max >= info.Pos && info.Max >= Columns() &&
            (FListBox->Height() / itemHeight) * Columns() < count) {
            if (!FScrollBar) CreateScrollBar();
            FScrollBar->SetRange(info.Min, info.Max, Columns(), info.Pos);
            return;
        }
    }
    // A bar left invisible is neither ranged nor removed.
    if (FScrollBar && FScrollBar->Visible()) RemoveScrollBar();
}

TbsSkinScrollBar* TbsSkinCustomListBox::NewScrollBar(TScrollBarKind kind, void (TbsSkinCustomListBox::*changed)()) {
    auto* bar = new TbsSkinScrollBar(this);
    bar->SetKind(kind);
    bar->SetBounds(0, 0, 20, 100);
    bar->SetPageSize(0);
    bar->SetMin(0);
    bar->SetPosition(0);
    bar->OnChange = [this, changed](TObject*) { (this->*changed)(); };
    bar->SetParent(this);
    return bar;
}

void TbsSkinCustomListBox::RestyleExtentScrollBar() {
    TbsSkinScrollBar* bar = FExtentScrollBar;
    if (!Skinned()) {
        bar->SetSkinDataName("");
        if (FScrollBar) {
            bar->SetBothField(true);
            bar->SetBothMarkerWidth(19);
        }
    } else {
        const std::string& name = FScrollBar ? FListSkin.BothHScrollBarName : FListSkin.HScrollBarName;
        bar->SetSkinDataName(name);
        bar->SetBothSkinDataName(name);
        bar->SetBothField(FScrollBar != nullptr);
    }
    bar->SetSkinData(SkinData());
}

void TbsSkinCustomListBox::CreateScrollBar() {
    TbsSkinScrollBar* bar =
        NewScrollBar(Columns() <= 0 ? sbVertical : sbHorizontal, &TbsSkinCustomListBox::ScrollBarChanged);
    if (!Skinned())
        bar->SetSkinDataName("");
    else
        bar->SetSkinDataName(Columns() <= 0 ? FListSkin.VScrollBarName : FListSkin.HScrollBarName);
    FScrollBar = bar;
    bar->SetSkinData(SkinData());
    bar->SetVisible(true);
    if (FExtentScrollBar) RestyleExtentScrollBar();
    ArrangeChildren();
    Invalidate();
}

void TbsSkinCustomListBox::CreateExtentScrollBar() {
    FExtentScrollBar = NewScrollBar(sbHorizontal, &TbsSkinCustomListBox::ExtentScrollBarChanged);
    RestyleExtentScrollBar();
    FExtentScrollBar->SetVisible(true);
    ArrangeChildren();
    Invalidate();
}

void TbsSkinCustomListBox::RemoveScrollBar() {
    TbsSkinScrollBar* bar = FScrollBar;
    if (!bar) return;
    bar->SetVisible(false);
    FScrollBar = nullptr;
    delete bar;
    ArrangeChildren();
}

void TbsSkinCustomListBox::RemoveExtentScrollBar() {
    TbsSkinScrollBar* bar = FExtentScrollBar;
    if (!bar) return;
    FListBox->SetExtentOffset(0);
    bar->SetVisible(false);
    FExtentScrollBar = nullptr;
    delete bar;
    ArrangeChildren();
    FListBox->Invalidate();
}

void TbsSkinCustomListBox::ScrollBarChanged() {
    if (!FScrollBar) return;
    unsigned msg = Columns() <= 0 ? WM_VSCROLL : WM_HSCROLL;
    FListBox->Perform(msg, MakeScrollRequest(SB_THUMBPOSITION, FScrollBar->Position()));
}

void TbsSkinCustomListBox::ExtentScrollBarChanged() {
    if (!FExtentScrollBar) return;
    FListBox->SetExtentOffset(FExtentScrollBar->Position());
    FListBox->Invalidate();
}

void TbsSkinCustomListBox::SetBounds(int left, int top, int width, int height) {
    TbsSkinCustomControl::SetBounds(left, top, width, height);
    if (!Skinned()) Invalidate();
}

void TbsSkinCustomListBox::WndProc(TMessage& message) {
    TbsSkinCustomControl::WndProc(message);
    if (message.Msg == WM_TIMER && message.WParam == 1) FCaptionBand.TimerTick();
    if (message.Msg == WM_SIZE) {
        ArrangeChildren();
        SyncScrollBars();
        if (FScrollBar) FScrollBar->Invalidate();
    }
}

void TbsSkinCustomListBox::ResolveSkin() {
    TbsSkinCustomControl::ResolveSkin();
    auto* record = dynamic_cast<TbsDataSkinListBox*>(SkinRecord());
    if (!record) return;
    TbsListBoxSkinValues& v = FListSkin;
    v.ItemRect = record->ItemRect;
    v.ActiveItemRect = IsNullRect(record->ActiveItemRect) ? record->ItemRect : record->ActiveItemRect;
    v.FocusItemRect = IsNullRect(record->FocusItemRect) ? record->ItemRect : record->FocusItemRect;
    v.ItemLeftOffset = record->ItemLeftOffset;
    v.ItemRightOffset = record->ItemRightOffset;
    v.ItemTextRect = record->ItemTextRect;
    v.FontName = record->FontName;
    v.FontStyle = record->FontStyle;
    v.FontHeight = record->FontHeight;
    v.FontColor = record->FontColor;
    v.ActiveFontColor = record->ActiveFontColor;
    v.FocusFontColor = record->FocusFontColor;
    v.VScrollBarName = record->VScrollBarName;
    v.HScrollBarName = record->HScrollBarName;
    v.BothHScrollBarName = record->BothHScrollBarName;
    FCaptionBand.ReadSkin(*record);
}

void TbsSkinCustomListBox::DrawDefault(TPixelBuffer& bitmap) {
    TbsSkinCustomControl::DrawDefault(bitmap);
    if (CaptionMode()) FCaptionBand.CalcButtons();
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush() = {clBtnShadow, bsSolid};
    canvas.FrameRect(Rect(0, 0, bitmap.Width(), bitmap.Height()));
    if (CaptionMode()) FCaptionBand.DrawPlain(canvas);
}

void TbsSkinCustomListBox::DrawSkin(TPixelBuffer& bitmap) {
    TbsSkinCustomControl::DrawSkin(bitmap);
    FListClientRect = FGeometry.ClientRect;
    FListClientRect.Right += Width() - FGeometry.SkinRect.Width();
    FListClientRect.Bottom += Height() - FGeometry.SkinRect.Height();
    if (!CaptionMode()) return;
    FCaptionBand.CalcButtons();
    FCaptionBand.DrawSkinned(bitmap.Canvas());
}

void TbsSkinCustomListBox::ApplySkin() {
    TbsSkinCustomControl::ApplySkin();
    FApplyingSkin = true;
    if (!Skinned()) {
        FListBox->SetItemHeight(FDefaultItemHeight);
        SetFont(DefaultFont());
    } else {
        FListBox->SetItemHeight(FListSkin.ItemRect.Height());
    }
    if (FScrollBar) {
        if (!Skinned())
            FScrollBar->SetSkinDataName("");
        else
            FScrollBar->SetSkinDataName(Columns() <= 0 ? FListSkin.VScrollBarName : FListSkin.HScrollBarName);
        FScrollBar->SetSkinData(SkinData());
    }
    if (FExtentScrollBar) RestyleExtentScrollBar();
    if (FRowCount != 0) SetHeight(HeightForRows(FRowCount));
    ArrangeChildren();
    FApplyingSkin = false;
    SyncScrollBars();
    FListBox->Invalidate();
}

void TbsSkinCustomListBox::DefaultFontChanged() {
    // The item painter reads the list box's own font.
    if (!Skinned()) SetFont(DefaultFont());
}

void TbsSkinCustomListBox::PaintItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state) {
    if (Skinned())
        DrawSkinItem(canvas, index, rect, state);
    else
        DrawPlainItem(canvas, index, rect, state);
}

void TbsSkinCustomListBox::DrawPlainItem(TCanvas& canvas, int index, const TRect& rect,
                                         TOwnerDrawState state) {
    if (index < 0 || index >= FListBox->Count() || IsRectEmpty(rect)) return;
    int width = rect.Width(), height = rect.Height();
    TPixelBuffer bitmap;
    bitmap.SetDeviceScale(canvas.DeviceScale());
    bitmap.Allocate(width, height, pf32bit);
    TCanvas& item = bitmap.Canvas();
    item.Font().SetName(Font().Name());
    item.Font().SetStyle(Font().Style());
    item.Font().SetHeight(Font().Height());
    if (state & odSelected) {
        item.Brush() = {clHighlight, bsSolid};
        item.Font().SetColor(clHighlightText);
    } else {
        item.Brush() = {clWindow, bsSolid};
        item.Font().SetColor(Font().Color());
    }
    item.FillRect(Rect(0, 0, width, height));
    TRect textRect = Rect(2, 0, width - 2, height);
    if (OnDrawItem) {
        OnDrawItem(item, index, width, height, textRect, state);
    } else {
        item.Brush().Style = bsClear;
        DrawItemContent(item, index, textRect);
    }
    if (state & odFocused) item.DrawFocusRect(Rect(0, 0, width, height));
    canvas.Draw(rect.Left, rect.Top, bitmap);
}

void TbsSkinCustomListBox::DrawSkinItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state) {
    if (!SkinPicture() || index < 0 || index >= FListBox->Count()) return;
    const TbsListBoxSkinValues& v = FListSkin;
    int width = rect.Width();
    // As tall as the skin's item, whatever the list's item height: a taller picture
    // reaches into the next row, which covers it when painted.
    int height = v.ItemRect.Height();
    TRect source = state & odFocused ? v.FocusItemRect : state & odSelected ? v.ActiveItemRect : v.ItemRect;
    TBitmap image;
    image.PixelBuffer().SetDeviceScale(canvas.DeviceScale());
    BuildHStrip(v.ItemLeftOffset, v.ItemRightOffset, image, width, source, *SkinPicture());
    image.SetSize(width, height);
    TRect textRect = v.ItemTextRect;
    textRect.Right += width - v.ItemRect.Width();
    TCanvas& item = image.Canvas();
    item.Font().SetName(v.FontName);
    item.Font().SetStyle(v.FontStyle);
    item.Font().SetHeight(v.FontHeight);
    item.Font().SetColor(state & odFocused ? v.FocusFontColor : state & odSelected ? v.ActiveFontColor : v.FontColor);
    item.Brush().Style = bsClear;
    if (OnDrawItem)
        OnDrawItem(item, index, width, height, textRect, state);
    else
        DrawItemContent(item, index, textRect);
    item.Flush();
    canvas.Draw(rect.Left, rect.Top, image.PixelBuffer());
}

void TbsSkinCustomListBox::PaintListItem(TCanvas& canvas, int index, const TRect& rect) {
    PaintItem(canvas, index, rect, ItemState(index));
}

void TbsSkinCustomListBox::PaintListBackground(TCanvas& canvas, const TRect& area) {
    ResolveSkin();
    if (Skinned()) {
        TileSkinClient(canvas, area);
        return;
    }
    canvas.Brush() = {clWindow, bsSolid};
    canvas.FillRect(area);
}

void TbsSkinCustomListBox::TileSkinClient(TCanvas& canvas, const TRect& area) {
    if (!SkinPicture() || IsNullRect(area)) return;
    const TbsSkinGeometry& g = FGeometry;
    TRect source = OffsetRect(g.ClientRect, g.SkinRect.Left, g.SkinRect.Top);
    TBitmap image;
    image.SetSize(area.Width(), area.Height());
    image.Canvas().TileRect(Rect(0, 0, area.Width(), area.Height()), SkinPicture()->PixelBuffer(), source);
    image.Canvas().Flush();
    canvas.Draw(area.Left, area.Top, image.PixelBuffer());
}

void TbsSkinCustomListBox::DrawItemContent(TCanvas& canvas, int index, const TRect& textRect) {
    const std::string& text = Items()[index];
    int offset = 0;
    if (FImages) {
        int image = FImageIndex >= 0 ? FImageIndex : index;
        if (image < FImages->Count())
            FImages->Draw(canvas, textRect.Left - FListBox->ExtentOffset(),
                          textRect.Top + textRect.Height() / 2 - FImages->Height() / 2, image);
        offset = FImages->Width() + 2;
    }
    int x = textRect.Left + offset - FListBox->ExtentOffset() + 2;
    int y = textRect.Top + textRect.Height() / 2 - canvas.TextHeight(text) / 2;
    canvas.TextRect(textRect, x, y, text);
}

void TbsSkinCustomListBox::ListBoxMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnListBoxMouseDown) OnListBoxMouseDown(this, button, shift, x, y);
}

void TbsSkinCustomListBox::ListBoxMouseMove(TShiftState shift, int x, int y) {
    if (OnListBoxMouseMove) OnListBoxMouseMove(this, shift, x, y);
}

void TbsSkinCustomListBox::ListBoxMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnListBoxMouseUp) OnListBoxMouseUp(this, button, shift, x, y);
}

void TbsSkinCustomListBox::ListBoxClick() {
    if (OnListBoxClick) OnListBoxClick(this);
}

void TbsSkinCustomListBox::ListBoxDblClick() {
    if (OnListBoxDblClick) OnListBoxDblClick(this);
}

void TbsSkinCustomListBox::ListBoxKeyDown(std::uint16_t& key, TShiftState shift) {
    if (OnListBoxKeyDown) OnListBoxKeyDown(this, key, shift);
}

void TbsSkinCustomListBox::ListBoxKeyUp(std::uint16_t& key, TShiftState shift) {
    if (OnListBoxKeyUp) OnListBoxKeyUp(this, key, shift);
}

void TbsSkinCustomListBox::ListBoxKeyPress(char& key) {
    if (OnListBoxKeyPress) OnListBoxKeyPress(this, key);
}

void TbsSkinCustomListBox::ListBoxWndProcHook(TMessage&, bool& pass) { pass = true; }

// ---------------------------------------------------------------------------------------
// The caption band

void TbsSkinCustomListBox::SetCaptionMode(bool value) {
    FCaptionBand.SetMode(value);
    if (!Skinned()) {
        ArrangeChildren();
        Invalidate();
    }
}

void TbsSkinCustomListBox::SetDefaultCaptionHeight(int value) {
    FCaptionBand.SetDefaultHeight(value);
    if (!Skinned() && CaptionMode()) {
        ArrangeChildren();
        Invalidate();
    }
}

const TNotifyEvent& TbsSkinCustomListBox::CaptionButtonEvent(int button) const {
    if (button == cbUpButton) return OnUpButtonClick;
    if (button == cbDownButton) return OnDownButtonClick;
    return OnCheckButtonClick;
}

void TbsSkinCustomListBox::CaptionButtonAction(int button) {
    if (button == cbUpButton) {
        if (ItemIndex() > 0) SetItemIndex(ItemIndex() - 1);
    } else if (button == cbDownButton) {
        SetItemIndex(ItemIndex() + 1);
    } else {
        FListBox->Click();
    }
}

void TbsSkinCustomListBox::TextChanged() {
    TbsSkinCustomControl::TextChanged();
    if (CaptionMode()) Invalidate();
}

void TbsSkinCustomListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (CaptionMode()) FCaptionBand.MouseDown(x, y);
    TbsSkinCustomControl::MouseDown(button, shift, x, y);
}

void TbsSkinCustomListBox::MouseMove(TShiftState shift, int x, int y) {
    TbsSkinCustomControl::MouseMove(shift, x, y);
    if (CaptionMode()) FCaptionBand.TrackButtons(x, y);
}

void TbsSkinCustomListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (CaptionMode()) FCaptionBand.MouseUp();
    TbsSkinCustomControl::MouseUp(button, shift, x, y);
}

void TbsSkinCustomListBox::MouseEnter() {
    TbsSkinCustomControl::MouseEnter();
    if (CaptionMode()) FCaptionBand.TrackButtons(-1, -1);
}

void TbsSkinCustomListBox::MouseLeave() {
    TbsSkinCustomControl::MouseLeave();
    if (CaptionMode()) FCaptionBand.MouseLeave();
}
