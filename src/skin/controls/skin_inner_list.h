#pragma once
// The skinned list box's inner list: a native owner-drawn list whose own border and
// scroll bars take no room. It keeps the native behaviour (items, current item, scroll
// state, keys, wheel) and hands painting and every notification to the list box that
// owns it.

#include "toolkit/list_box.h"

class TbsSkinCustomListBox;

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
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void KeyUp(std::uint16_t& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void DescribeAccessible(TAccessibleFacts& facts) const override;

private:
    void PaintList(TCanvas& canvas);
    // The skin's client image or the window colour, by the outer control's look.
    void FillBackground(TCanvas& canvas, const TRect& area);

    TbsSkinCustomListBox* FOuterListBox = nullptr;
    int FExtentOffset = 0;
};
