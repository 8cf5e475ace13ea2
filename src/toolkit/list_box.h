#pragma once
// The native list box: a list of code page 1251 strings in rows (or columns) of one
// item height, with a current item, optional multi-selection and the scroll state a
// desktop list keeps for itself. All of its own behaviour sits in DefaultHandler, so
// a subclass can intercept any message in WndProc before the list sees it.

#include "toolkit/strings.h"
#include "toolkit/win_control.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TPixelBuffer;

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed };

using TOwnerDrawState = std::uint16_t;
inline constexpr TOwnerDrawState odSelected = 0x0001;
inline constexpr TOwnerDrawState odGrayed = 0x0002;
inline constexpr TOwnerDrawState odDisabled = 0x0004;
inline constexpr TOwnerDrawState odChecked = 0x0008;
inline constexpr TOwnerDrawState odFocused = 0x0010;

// Which of a window's scroll states to read.
inline constexpr int SB_HORZ = 0;
inline constexpr int SB_VERT = 1;

// A scroll state as the window keeps it: an empty range (Min = Max) means nothing to scroll.
struct TScrollInfo {
    int Min = 0;
    int Max = 0;
    int Page = 0;
    int Pos = 0;
    friend bool operator==(const TScrollInfo&, const TScrollInfo&) = default;
};

// A scroll request's word parameter: the kind (SB_LINEUP ... SB_ENDSCROLL) in the low
// 16 bits and, for the thumb kinds, the position above them. A desktop list gets 16 bits
// of position there; ours keeps all 32, so a bar can bring any row of a list of more
// than 65,535 rows to the top.
static_assert(sizeof(std::intptr_t) >= 8, "scroll requests carry 32-bit positions above the kind");
inline std::intptr_t MakeScrollRequest(int kind, int position = 0) {
    return std::intptr_t(std::uint16_t(kind)) | std::intptr_t(std::uint64_t(std::uint32_t(position)) << 16);
}
inline int ScrollRequestKind(std::intptr_t wParam) { return int(std::uint16_t(wParam)); }
inline int ScrollRequestPosition(std::intptr_t wParam) {
    return int(std::uint32_t(std::uint64_t(wParam) >> 16));
}

inline constexpr std::intptr_t LB_ERR = -1;
// Notches of the wheel come in steps of this many units; each scrolls WheelScrollLines rows.
inline constexpr int WHEEL_DELTA = 120;
inline constexpr int WheelScrollLines = 3;
// Letters typed within this time extend the search prefix; a longer pause starts anew.
inline constexpr int TypeAheadTimeoutMs = 1000;

class TCustomListBox;
using TDrawItemEvent =
    std::function<void(TCustomListBox* control, int index, const TRect& rect, TOwnerDrawState state)>;

class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent* owner);
    ~TCustomListBox() override;
    const char* ClassName() const override { return "TCustomListBox"; }

    // Edits of Items go through the list-box requests, so a subclass sees each one.
    TStrings& Items();
    const TStrings& Items() const;
    // Replaces the items by a copy of the given list.
    void SetItems(const TStrings& items);
    int Count() const { return int(FItems.size()); }
    void Clear();

    // The current item (the caret of a multi-selection list), or -1. Writing it makes the
    // item current and selected and scrolls it into view; it is never reported as a click.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int index);
    int TopIndex() const { return FTopIndex; }
    void SetTopIndex(int index);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int value);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle style);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool value);
    bool ExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool value);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    // 0: one column of rows; n: n visible columns, scrolled sideways.
    int Columns() const { return FColumns; }
    void SetColumns(int value);

    int SelCount() const;
    bool Selected(int index) const;
    void SetSelected(int index, bool value);

    // Whole rows that fit (at least 1).
    int VisibleRows() const;
    int ColumnWidth() const;
    TRect ItemRect(int index) const;
    // The item under a client point; with `existing`, -1 where there is none, otherwise
    // the nearest item.
    int ItemAtPos(TPoint point, bool existing) const;

    // The scroll state kept for the window: vertical for rows, horizontal for columns.
    TScrollInfo ScrollInfo(int bar) const;

    // The paint canvas while painting, otherwise one for measuring text.
    TCanvas& Canvas();

    TDrawItemEvent OnDrawItem;
    // What a screen reader reads after an item's text (code page 1251); none: nothing.
    std::function<std::string(int index)> AccessibleItemDescription;

    void DefaultHandler(TMessage& message) override;

protected:
    // Draws one item on Canvas(); owner-drawn lists hand it to OnDrawItem.
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
    TOwnerDrawState ItemState(int index) const;
    void PaintWindow(TCanvas& canvas) override;
    void EraseBackground(TCanvas& canvas) override;
    void CreateParams(TCreateParams& params) override;
    void BoundsChanged() override;
    void DescribeAccessible(TAccessibleFacts& facts) const override;

private:
    class TListBoxStrings;
    friend class TListBoxStrings;

    int InsertString(int index, const std::string& text, bool sorted);
    bool DeleteString(int index);
    void ResetContent();
    // Makes an item current; `user` reports the change as a click.
    void SetCurrent(int index, bool selectOnly, bool user);
    void MakeVisible(int index);
    int MaxTopIndex() const;
    void ScrollRequest(int code, int position, bool horizontal);
    void KeyNavigate(std::uint16_t key);
    void TypeAhead(char key);
    void MousePress(TPoint point, TShiftState shift, bool isDouble);
    void MouseTrack(TPoint point);
    void WheelTurn(int delta);
    void ItemsChanged();
    // Items added, removed or replaced.
    void ContentChanged();
    void AnnounceCurrent(TAccessibleChange selectionChange);
    void SelectRange(int from, int to);
    void ClearSelection();

    std::unique_ptr<TListBoxStrings> FStrings;
    std::vector<std::string> FItems;
    std::vector<char> FSelection; // multi-selection flags, parallel to FItems
    int FItemIndex = -1;
    int FTopIndex = 0;
    int FAnchor = -1;
    int FItemHeight = 16;
    TListBoxStyle FStyle = lbStandard;
    bool FMultiSelect = false;
    bool FExtendedSelect = true;
    bool FSorted = false;
    int FColumns = 0;
    bool FTracking = false;
    bool FUpdating = false;
    int FWheelRemainder = 0;
    std::string FTypedPrefix;
    std::int64_t FTypedAt = 0;
    TCanvas* FPaintCanvas = nullptr;
    std::unique_ptr<TPixelBuffer> FMeasureBuffer;
};

class TListBox : public TCustomListBox {
public:
    explicit TListBox(TComponent* owner) : TCustomListBox(owner) {}
    const char* ClassName() const override { return "TListBox"; }
};
