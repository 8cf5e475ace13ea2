#include "toolkit/list_box.h"

#include "platform/collation.h"
#include "platform/cp1251.h"
#include "platform/exceptions.h"

#include "toolkit/application.h"
#include "toolkit/canvas.h"
#include "toolkit/pixel_buffer.h"

#include <algorithm>

namespace {

int FloorDiv(int a, int b) {
    int q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

bool StartsWithIgnoringCase(const std::string& text, const std::string& lowerPrefix) {
    if (text.size() < lowerPrefix.size()) return false;
    for (size_t i = 0; i < lowerPrefix.size(); ++i)
        if (Cp1251ToLower(text[i]) != lowerPrefix[i]) return false;
    return true;
}

} // namespace

// The items as a string list whose every edit is a list-box request.
class TCustomListBox::TListBoxStrings : public TStrings {
public:
    explicit TListBoxStrings(TCustomListBox* listBox) : FListBox(listBox) {}

    int Count() const override { return FListBox->Count(); }

    const std::string& Get(int index) const override {
        CheckIndex(index, Count());
        return FListBox->FItems[size_t(index)];
    }

    void Put(int index, const std::string& text) override {
        CheckIndex(index, Count());
        int current = FListBox->ItemIndex();
        Delete(index);
        Insert(index, text);
        FListBox->SetItemIndex(current);
    }

    void Insert(int index, const std::string& text) override {
        CheckIndex(index, Count() + 1);
        FListBox->Perform(LB_INSERTSTRING, index, reinterpret_cast<std::intptr_t>(&text));
    }

    int Add(const std::string& text) override {
        return int(FListBox->Perform(LB_ADDSTRING, 0, reinterpret_cast<std::intptr_t>(&text)));
    }

    void Delete(int index) override {
        CheckIndex(index, Count());
        FListBox->Perform(LB_DELETESTRING, index);
    }

    void Clear() override { FListBox->Perform(LB_RESETCONTENT); }

protected:
    void SetUpdateState(bool updating) override {
        FListBox->FUpdating = updating;
        if (!updating) FListBox->ContentChanged();
    }

private:
    TCustomListBox* FListBox;
};

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner), FStrings(std::make_unique<TListBoxStrings>(this)),
      FMeasureBuffer(std::make_unique<TPixelBuffer>()) {
    // Clicks and double clicks are the list's own notifications, sent once it has
    // moved its selection.
    SetControlStyle(csCaptureMouse | csOpaque | csSetCaption);
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(Left(), Top(), 121, 97);
}

TCustomListBox::~TCustomListBox() = default;

TStrings& TCustomListBox::Items() { return *FStrings; }
const TStrings& TCustomListBox::Items() const { return *FStrings; }

void TCustomListBox::SetItems(const TStrings& items) { FStrings->Assign(items); }

void TCustomListBox::Clear() { FStrings->Clear(); }

void TCustomListBox::SetItemIndex(int index) { Perform(LB_SETCURSEL, index); }

void TCustomListBox::SetTopIndex(int index) { Perform(LB_SETTOPINDEX, index); }

void TCustomListBox::SetItemHeight(int value) {
    if (value <= 0 || value == FItemHeight) return;
    FItemHeight = value;
    ItemsChanged();
}

void TCustomListBox::SetStyle(TListBoxStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    Invalidate();
}

void TCustomListBox::SetMultiSelect(bool value) {
    if (value == FMultiSelect) return;
    FMultiSelect = value;
    std::fill(FSelection.begin(), FSelection.end(), 0);
    if (value && FItemIndex >= 0) FSelection[size_t(FItemIndex)] = 1;
    FAnchor = FItemIndex;
    Invalidate();
}

void TCustomListBox::SetExtendedSelect(bool value) { FExtendedSelect = value; }

void TCustomListBox::SetSorted(bool value) {
    if (value == FSorted) return;
    FSorted = value;
    if (!value || FItems.empty()) return;
    const TCollator& collator = TCollator::UserDefault();
    std::stable_sort(FItems.begin(), FItems.end(), [&](const std::string& a, const std::string& b) {
        return collator.Compare(a, b) < 0;
    });
    std::fill(FSelection.begin(), FSelection.end(), 0);
    if (FMultiSelect && FItemIndex >= 0) FSelection[size_t(FItemIndex)] = 1;
    Invalidate();
    NotifyAccessible(*this, acItemsChanged);
}

void TCustomListBox::SetColumns(int value) {
    value = std::max(0, value);
    if (value == FColumns) return;
    FColumns = value;
    ItemsChanged();
    if (FItemIndex >= 0) MakeVisible(FItemIndex);
}

int TCustomListBox::SelCount() const {
    // As the platform answers: a single-selection list has no selection count.
    if (!FMultiSelect) return -1;
    return int(std::count(FSelection.begin(), FSelection.end(), 1));
}

bool TCustomListBox::Selected(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FMultiSelect ? FSelection[size_t(index)] != 0 : index == FItemIndex;
}

void TCustomListBox::SetSelected(int index, bool value) {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    if (FMultiSelect) {
        FSelection[size_t(index)] = value;
    } else if (value) {
        SetCurrent(index, true, false);
    } else if (index == FItemIndex) {
        FItemIndex = -1;
    }
    Invalidate();
}

int TCustomListBox::VisibleRows() const { return std::max(1, ClientHeight() / FItemHeight); }

int TCustomListBox::ColumnWidth() const {
    return FColumns > 0 ? std::max(1, ClientWidth() / FColumns) : ClientWidth();
}

TRect TCustomListBox::ItemRect(int index) const {
    int relative = index - FTopIndex;
    if (FColumns == 0) return Bounds(0, relative * FItemHeight, ClientWidth(), FItemHeight);
    int rows = VisibleRows();
    int column = FloorDiv(relative, rows);
    int row = relative - column * rows;
    int width = ColumnWidth();
    return Bounds(column * width, row * FItemHeight, width, FItemHeight);
}

int TCustomListBox::ItemAtPos(TPoint point, bool existing) const {
    if (FItems.empty()) return -1;
    int index;
    if (FColumns == 0) {
        index = FTopIndex + FloorDiv(point.Y, FItemHeight);
    } else {
        int rows = VisibleRows();
        int row = std::clamp(FloorDiv(point.Y, FItemHeight), 0, rows - 1);
        index = FTopIndex + FloorDiv(point.X, ColumnWidth()) * rows + row;
    }
    if (!existing) return std::clamp(index, 0, Count() - 1);
    if (!PtInRect(ClientRect(), point) || index < 0 || index >= Count()) return -1;
    return index;
}

TScrollInfo TCustomListBox::ScrollInfo(int bar) const {
    int rows = VisibleRows();
    if (FColumns == 0) {
        if (bar != SB_VERT || Count() <= rows) return {};
        return {0, Count() - 1, rows, FTopIndex};
    }
    int columns = (Count() + rows - 1) / rows;
    if (bar != SB_HORZ || columns <= FColumns) return {};
    return {0, columns - 1, FColumns, FTopIndex / rows};
}

TCanvas& TCustomListBox::Canvas() {
    if (FPaintCanvas) return *FPaintCanvas;
    if (FMeasureBuffer->Empty()) FMeasureBuffer->Allocate(1, 1, pf32bit);
    return FMeasureBuffer->Canvas();
}

int TCustomListBox::MaxTopIndex() const {
    int rows = VisibleRows();
    if (FColumns == 0) return std::max(0, Count() - rows);
    int columns = (Count() + rows - 1) / rows;
    return std::max(0, columns - FColumns) * rows;
}

void TCustomListBox::ItemsChanged() {
    int top = std::clamp(FTopIndex, 0, MaxTopIndex());
    if (FColumns > 0) top -= top % VisibleRows();
    FTopIndex = top;
    if (!FUpdating) Invalidate();
}

void TCustomListBox::ContentChanged() {
    ItemsChanged();
    if (FUpdating) return;
    // A list emptied to be filled at once (a new category's titles) is heard once, with
    // what it then holds: the filling takes back the emptying's announcement.
    if (FItems.empty())
        NotifyAccessibleLater(*this, acItemsChanged);
    else
        NotifyAccessible(*this, acItemsChanged);
}

void TCustomListBox::AnnounceCurrent(TAccessibleChange selectionChange) {
    NotifyAccessible(*this, selectionChange, selectionChange == acSelection ? FItemIndex : -1);
    if (Focused()) NotifyAccessible(*this, acFocus);
}

void TCustomListBox::BoundsChanged() {
    TWinControl::BoundsChanged();
    ItemsChanged();
}

void TCustomListBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style |= WS_VSCROLL | WS_HSCROLL | WS_TABSTOP;
}

int TCustomListBox::InsertString(int index, const std::string& text, bool sorted) {
    if (sorted && FSorted) {
        const TCollator& collator = TCollator::UserDefault();
        auto at = std::upper_bound(FItems.begin(), FItems.end(), text,
                                   [&](const std::string& a, const std::string& b) {
                                       return collator.Compare(a, b) < 0;
                                   });
        index = int(at - FItems.begin());
    } else if (index < 0) {
        index = Count();
    } else if (index > Count()) {
        return int(LB_ERR);
    }
    FItems.insert(FItems.begin() + index, text);
    FSelection.insert(FSelection.begin() + index, 0);
    if (FItemIndex >= index) ++FItemIndex;
    if (FAnchor >= index) ++FAnchor;
    ContentChanged();
    return index;
}

bool TCustomListBox::DeleteString(int index) {
    if (index < 0 || index >= Count()) return false;
    FItems.erase(FItems.begin() + index);
    FSelection.erase(FSelection.begin() + index);
    if (FItemIndex == index)
        FItemIndex = -1;
    else if (FItemIndex > index)
        --FItemIndex;
    if (FAnchor >= index) FAnchor = std::max(-1, FAnchor - 1);
    ContentChanged();
    return true;
}

void TCustomListBox::ResetContent() {
    FItems.clear();
    FSelection.clear();
    FItemIndex = -1;
    FAnchor = -1;
    FTopIndex = 0;
    ContentChanged();
}

void TCustomListBox::ClearSelection() { std::fill(FSelection.begin(), FSelection.end(), 0); }

void TCustomListBox::SelectRange(int from, int to) {
    ClearSelection();
    if (from < 0) from = to;
    if (from > to) std::swap(from, to);
    for (int i = std::max(0, from); i <= to && i < Count(); ++i) FSelection[size_t(i)] = 1;
}

void TCustomListBox::SetCurrent(int index, bool selectOnly, bool user) {
    if (index < 0 || index >= Count()) return;
    bool moved = index != FItemIndex || (FMultiSelect && selectOnly);
    if (FMultiSelect && selectOnly) {
        ClearSelection();
        FSelection[size_t(index)] = 1;
        FAnchor = index;
    }
    FItemIndex = index;
    MakeVisible(index);
    Invalidate();
    // Heard before whatever the click handler changes in turn.
    if (moved) AnnounceCurrent(FMultiSelect ? acSelectionWithin : acSelection);
    if (user) Click();
}

void TCustomListBox::MakeVisible(int index) {
    if (index < 0) return;
    int rows = VisibleRows();
    int top = FTopIndex;
    if (FColumns == 0) {
        if (index < top)
            top = index;
        else if (index >= top + rows)
            top = index - rows + 1;
    } else {
        int column = index / rows, first = top / rows;
        if (column < first)
            first = column;
        else if (column >= first + FColumns)
            first = column - FColumns + 1;
        top = first * rows;
    }
    top = std::clamp(top, 0, MaxTopIndex());
    if (top != FTopIndex) {
        FTopIndex = top;
        Invalidate();
    }
}

void TCustomListBox::ScrollRequest(int code, int position, bool horizontal) {
    // Rows scroll vertically, columns sideways; the other direction has nothing to scroll.
    if (horizontal != (FColumns > 0)) return;
    int rows = VisibleRows();
    int unit = FColumns > 0 ? rows : 1;
    int page = FColumns > 0 ? FColumns : rows;
    int first = FTopIndex / unit;
    switch (code) {
    case SB_LINEUP: --first; break;
    case SB_LINEDOWN: ++first; break;
    case SB_PAGEUP: first -= page; break;
    case SB_PAGEDOWN: first += page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: first = position; break;
    case SB_TOP: first = 0; break;
    case SB_BOTTOM: first = MaxTopIndex() / unit; break;
    default: return;
    }
    int top = std::clamp(first * unit, 0, MaxTopIndex());
    if (top == FTopIndex) return;
    FTopIndex = top;
    Invalidate();
}

void TCustomListBox::KeyNavigate(std::uint16_t key) {
    if (FItems.empty()) return;
    int rows = VisibleRows();
    int current = FItemIndex;
    int lastVisible = FTopIndex + rows - 1;
    bool inView = current >= FTopIndex && current <= lastVisible;
    int target;
    if (current < 0) {
        target = key == VK_END ? Count() - 1 : 0;
    } else {
        switch (key) {
        case VK_UP: target = current - 1; break;
        case VK_DOWN: target = current + 1; break;
        case VK_LEFT:
            // In the first column there is nowhere to go, and nothing to report.
            if (FColumns > 0 && current < rows) return;
            target = current - (FColumns > 0 ? rows : 1);
            break;
        case VK_RIGHT: target = current + (FColumns > 0 ? rows : 1); break;
        case VK_HOME: target = 0; break;
        case VK_END: target = Count() - 1; break;
        case VK_PRIOR:
            if (FColumns > 0)
                target = current - rows * FColumns;
            else
                target = inView && current != FTopIndex ? FTopIndex : current - std::max(1, rows - 1);
            break;
        case VK_NEXT:
            if (FColumns > 0)
                target = current + rows * FColumns;
            else
                target = inView && current != lastVisible ? lastVisible : current + std::max(1, rows - 1);
            break;
        default: return;
        }
    }
    target = std::clamp(target, 0, Count() - 1);
    // As the system's list does, a key that leaves the caret where it is still scrolls
    // it into view and is reported: Home after the view was scrolled away shows item 0.
    TShiftState shift = KeyboardShiftState();
    if (FMultiSelect && FExtendedSelect && (shift & ssShift)) {
        SelectRange(FAnchor, target);
        FItemIndex = target;
        MakeVisible(target);
        Invalidate();
        AnnounceCurrent(acSelectionWithin);
        Click();
        return;
    }
    if (FMultiSelect && !FExtendedSelect) {
        // The caret moves alone; Space selects.
        bool moved = target != current;
        FItemIndex = target;
        MakeVisible(target);
        Invalidate();
        if (moved && Focused()) NotifyAccessible(*this, acFocus);
        Click();
        return;
    }
    SetCurrent(target, true, true);
}

void TCustomListBox::TypeAhead(char key) {
    if (FItems.empty() || static_cast<unsigned char>(key) < 32) return;
    std::int64_t now = Application ? Application->Timers().NowMs() : 0;
    if (now - FTypedAt > TypeAheadTimeoutMs) FTypedPrefix.clear();
    FTypedAt = now;
    FTypedPrefix += Cp1251ToLower(key);
    // The same letter again steps through the items that begin with it.
    bool repeated = std::all_of(FTypedPrefix.begin(), FTypedPrefix.end(),
                                [&](char c) { return c == FTypedPrefix[0]; });
    std::string prefix = repeated ? FTypedPrefix.substr(0, 1) : FTypedPrefix;
    int start = repeated ? FItemIndex + 1 : std::max(FItemIndex, 0);
    for (int k = 0; k < Count(); ++k) {
        int index = (start + k) % Count();
        if (!StartsWithIgnoringCase(FItems[size_t(index)], prefix)) continue;
        // Finding the current item again is a find too: it comes into view.
        SetCurrent(index, true, true);
        return;
    }
}

void TCustomListBox::MousePress(TPoint point, TShiftState shift, bool isDouble) {
    if (!Focused() && CanFocus()) SetFocus();
    if (isDouble) {
        DblClick();
        return;
    }
    int index = ItemAtPos(point, true);
    if (index < 0) return;
    FTracking = true;
    if (!FMultiSelect) {
        SetCurrent(index, true, true);
        return;
    }
    if (!FExtendedSelect || (shift & ssCtrl)) {
        FSelection[size_t(index)] = !FSelection[size_t(index)];
        FAnchor = index;
    } else if (shift & ssShift) {
        SelectRange(FAnchor, index);
    } else {
        ClearSelection();
        FSelection[size_t(index)] = 1;
        FAnchor = index;
    }
    FItemIndex = index;
    MakeVisible(index);
    Invalidate();
    AnnounceCurrent(acSelectionWithin);
    Click();
}

void TCustomListBox::MouseTrack(TPoint point) {
    if (FItems.empty()) return;
    // Dragging past an edge scrolls one item at a time.
    int index;
    if (FColumns == 0 && point.Y < 0)
        index = FTopIndex - 1;
    else if (FColumns == 0 && point.Y >= ClientHeight())
        index = FTopIndex + ClientHeight() / FItemHeight;
    else
        index = ItemAtPos(point, false);
    index = std::clamp(index, 0, Count() - 1);
    if (index == FItemIndex) return;
    if (FMultiSelect && FExtendedSelect) {
        SelectRange(FAnchor, index);
        FItemIndex = index;
        MakeVisible(index);
        Invalidate();
        AnnounceCurrent(acSelectionWithin);
        Click();
    } else if (!FMultiSelect) {
        SetCurrent(index, true, true);
    }
}

void TCustomListBox::WheelTurn(int delta) {
    FWheelRemainder += delta;
    int notches = FWheelRemainder / WHEEL_DELTA;
    FWheelRemainder -= notches * WHEEL_DELTA;
    if (notches == 0) return;
    if (FColumns > 0) {
        ScrollRequest(SB_THUMBPOSITION, FTopIndex / VisibleRows() - notches, true);
        return;
    }
    int top = std::clamp(FTopIndex - notches * WheelScrollLines, 0, MaxTopIndex());
    if (top == FTopIndex) return;
    FTopIndex = top;
    Invalidate();
}

void TCustomListBox::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
    case LB_ADDSTRING:
        message.Result = InsertString(-1, *reinterpret_cast<const std::string*>(message.LParam), true);
        return;
    case LB_INSERTSTRING:
        message.Result = InsertString(int(message.WParam),
                                      *reinterpret_cast<const std::string*>(message.LParam), false);
        return;
    case LB_DELETESTRING:
        message.Result = DeleteString(int(message.WParam)) ? Count() : LB_ERR;
        return;
    case LB_RESETCONTENT: ResetContent(); return;
    case LB_SETCURSEL: {
        int index = int(message.WParam);
        if (index < 0 || index >= Count()) {
            FItemIndex = -1;
            if (FMultiSelect) ClearSelection();
            Invalidate();
            message.Result = LB_ERR;
            return;
        }
        SetCurrent(index, true, false);
        message.Result = index;
        return;
    }
    case LB_GETCURSEL: message.Result = FItemIndex; return;
    case LB_GETCOUNT: message.Result = Count(); return;
    case LB_GETTOPINDEX: message.Result = FTopIndex; return;
    case LB_SETTOPINDEX: {
        int index = int(message.WParam);
        if (index < 0 || (index >= Count() && index > 0)) {
            message.Result = LB_ERR;
            return;
        }
        int top = std::min(index, MaxTopIndex());
        if (FColumns > 0) top -= top % VisibleRows();
        if (top != FTopIndex) {
            FTopIndex = top;
            Invalidate();
        }
        return;
    }
    case WM_VSCROLL:
    case WM_HSCROLL:
        ScrollRequest(ScrollRequestKind(message.WParam), ScrollRequestPosition(message.WParam),
                      message.Msg == WM_HSCROLL);
        return;
    case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return;
    case WM_KEYDOWN: {
        auto key = std::uint16_t(message.WParam);
        if (key == VK_SPACE && FMultiSelect && !FExtendedSelect && FItemIndex >= 0) {
            FSelection[size_t(FItemIndex)] = !FSelection[size_t(FItemIndex)];
            Invalidate();
            NotifyAccessible(*this, acSelectionWithin);
            Click();
            return;
        }
        KeyNavigate(key);
        return;
    }
    case WM_CHAR: TypeAhead(char(message.WParam)); return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        MousePress({LParamX(message.LParam), LParamY(message.LParam)}, KeysToShiftState(message.WParam),
                   message.Msg == WM_LBUTTONDBLCLK);
        return;
    case WM_MOUSEMOVE:
        if (FTracking && (message.WParam & MK_LBUTTON))
            MouseTrack({LParamX(message.LParam), LParamY(message.LParam)});
        return;
    case WM_LBUTTONUP: FTracking = false; return;
    case WM_KILLFOCUS: Invalidate(); return;
    case WM_SETFOCUS:
        Invalidate();
        // After the platform has said the list took the focus, its item.
        NotifyAccessibleLater(*this, acFocus);
        return;
    case WM_MOUSEWHEEL: WheelTurn(HighWordSigned(message.WParam)); return;
    default: TWinControl::DefaultHandler(message);
    }
}

TOwnerDrawState TCustomListBox::ItemState(int index) const {
    TOwnerDrawState state = 0;
    if (FMultiSelect ? FSelection[size_t(index)] != 0 : index == FItemIndex) state |= odSelected;
    if (index == FItemIndex && Focused()) state |= odFocused;
    return state;
}

void TCustomListBox::EraseBackground(TCanvas& canvas) {
    canvas.Brush() = {Color(), bsSolid};
    canvas.FillRect(ClientRect());
}

void TCustomListBox::PaintWindow(TCanvas& canvas) {
    if (FItems.empty()) return;
    // Only the rows on screen are visited, however long the list.
    int last = FColumns == 0 ? FTopIndex + ClientHeight() / FItemHeight
                             : FTopIndex + VisibleRows() * (FColumns + 1) - 1;
    last = std::min(last, Count() - 1);
    TRect clip = canvas.ClipRect();
    FPaintCanvas = &canvas;
    try {
        for (int i = FTopIndex; i <= last; ++i) {
            TRect rect = ItemRect(i);
            if (IsRectEmpty(IntersectRect(rect, clip))) continue;
            TCanvasState state(canvas);
            canvas.SetFont(Font());
            DrawItem(i, rect, ItemState(i));
        }
    } catch (...) {
        FPaintCanvas = nullptr;
        throw;
    }
    FPaintCanvas = nullptr;
}

void TCustomListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    TCanvas& canvas = Canvas();
    if (FStyle == lbOwnerDrawFixed && OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    bool selected = state & odSelected;
    canvas.Brush() = {selected ? clHighlight : Color(), bsSolid};
    canvas.Font().SetColor(selected ? clHighlightText : Font().Color());
    canvas.FillRect(rect);
    if (index >= 0 && index < Count()) {
        const std::string& text = FItems[size_t(index)];
        canvas.Brush().Style = bsClear;
        canvas.TextRect(rect, rect.Left + 2, rect.Top + (rect.Height() - canvas.TextHeight(text)) / 2,
                        text);
    }
    if (state & odFocused) canvas.DrawFocusRect(rect);
}
