#pragma once
// The skinned list box's inner list: a native owner-drawn list whose own border and
// scroll bars take no room. It keeps the native behaviour (items, current item, scroll
// state, keys, wheel) and hands painting and every notification to the list box that
// owns it.

#include "toolkit/list_box.h"

class TbsSkinScrollBar;

// What the inner list tells, and asks of, the list box that owns it.
class TbsInnerListOwner {
public:
    // The list's events, in the order the owner republishes them.
    virtual void ListBoxMouseDown(TMouseButton button, TShiftState shift, int x, int y) = 0;
    virtual void ListBoxMouseMove(TShiftState shift, int x, int y) = 0;
    virtual void ListBoxMouseUp(TMouseButton button, TShiftState shift, int x, int y) = 0;
    virtual void ListBoxClick() = 0;
    virtual void ListBoxDblClick() = 0;
    virtual void ListBoxKeyDown(std::uint16_t& key, TShiftState shift) = 0;
    virtual void ListBoxKeyUp(std::uint16_t& key, TShiftState shift) = 0;
    virtual void ListBoxKeyPress(char& key) = 0;
    virtual void ListBoxEnter() = 0;
    virtual void ListBoxExit() = 0;
    // Clearing pass keeps a message from the inner list.
    virtual void ListBoxWndProcHook(TMessage& message, bool& pass) = 0;
    virtual void ListBoxCreateWnd() = 0;
    // Painting is the owner's: an item at its rectangle, the background of an area.
    virtual void PaintListItem(TCanvas& canvas, int index, const TRect& rect) = 0;
    virtual void PaintListBackground(TCanvas& canvas, const TRect& area) = 0;
    // The scroll state may have changed; items come and go.
    virtual void SyncScrollBars() = 0;
    virtual void ListItemAdded(int index) = 0;
    virtual void ListItemRemoving(int index) = 0;
    virtual void ListItemsReset() = 0;
    // The bars the wheel and the sideways keys move; null when there is none.
    virtual TbsSkinScrollBar* ScrollBar() const = 0;
    virtual TbsSkinScrollBar* ExtentScrollBar() const = 0;
    // The control a screen reader knows the list by.
    virtual const TControl& NamedControl() const = 0;

protected:
    ~TbsInnerListOwner() = default;
};

class TbsListBox : public TCustomListBox {
public:
    explicit TbsListBox(TComponent* owner);
    const char* ClassName() const override { return "TbsListBox"; }

    TbsInnerListOwner* OuterListBox() const { return FOuterListBox; }
    void SetOuterListBox(TbsInnerListOwner* outer) { FOuterListBox = outer; }
    // Pixels the item texts are shifted left by the horizontal extent bar.
    int ExtentOffset() const { return FExtentOffset; }
    void SetExtentOffset(int value) { FExtentOffset = value; }

    void WndProc(TMessage& message) override;
    void Click() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void KeyUp(std::uint16_t& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void DescribeAccessible(TAccessibleFacts& facts) const override;

private:
    void PaintList(TCanvas& canvas);

    TbsInnerListOwner* FOuterListBox = nullptr;
    int FExtentOffset = 0;
};
