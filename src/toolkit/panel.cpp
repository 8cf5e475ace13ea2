#include "toolkit/panel.h"

#include "toolkit/canvas.h"

namespace {

// A frame `width` pixels wide: top and left in one colour, bottom and right in another.
TRect Frame3D(TCanvas& canvas, TRect rect, TColor topLeft, TColor bottomRight, int width) {
    for (int i = 0; i < width && !IsRectEmpty(rect); ++i) {
        canvas.Brush() = {topLeft, bsSolid};
        canvas.FillRect(Rect(rect.Left, rect.Top, rect.Right - 1, rect.Top + 1));
        canvas.FillRect(Rect(rect.Left, rect.Top, rect.Left + 1, rect.Bottom - 1));
        canvas.Brush() = {bottomRight, bsSolid};
        canvas.FillRect(Rect(rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom));
        canvas.FillRect(Rect(rect.Right - 1, rect.Top, rect.Right, rect.Bottom));
        rect = Rect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
    }
    return rect;
}

int BevelSize(TBevelCut cut, int width) { return cut == bvNone ? 0 : width; }

} // namespace

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() | csAcceptsControls | csOpaque);
    StoreBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TPanel::Changed() {
    Realign();
    AdjustSize();
    Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut value) {
    FBevelOuter = value;
    Changed();
}

void TPanel::SetBevelInner(TBevelCut value) {
    FBevelInner = value;
    Changed();
}

void TPanel::SetBevelWidth(int value) {
    FBevelWidth = value;
    Changed();
}

void TPanel::SetBorderWidth(int value) {
    FBorderWidth = value;
    Changed();
}

void TPanel::SetAlignment(TAlignment value) {
    FAlignment = value;
    Invalidate();
}

TRect TPanel::AdjustClientRect() const {
    TRect rect = ClientRect();
    int inset = FBorderWidth + BevelSize(FBevelOuter, FBevelWidth) + BevelSize(FBevelInner, FBevelWidth);
    return Rect(rect.Left + inset, rect.Top + inset, rect.Right - inset, rect.Bottom - inset);
}

void TPanel::Paint() {
    TCanvas& canvas = Canvas();
    TRect rect = ClientRect();
    auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone) return;
        TColor topLeft = cut == bvLowered ? clBtnShadow : clBtnHighlight;
        TColor bottomRight = cut == bvLowered ? clBtnHighlight : clBtnShadow;
        if (cut == bvSpace) topLeft = bottomRight = Color();
        rect = Frame3D(canvas, rect, topLeft, bottomRight, FBevelWidth);
    };
    bevel(FBevelOuter);
    rect = Frame3D(canvas, rect, Color(), Color(), FBorderWidth);
    bevel(FBevelInner);
    canvas.Brush() = {Color(), bsSolid};
    canvas.FillRect(rect);
    if (Caption().empty()) return;
    canvas.Brush().Style = bsClear;
    canvas.SetFont(Font());
    int width = canvas.TextWidth(Caption());
    int height = canvas.TextHeight(Caption());
    int x = rect.Left;
    if (FAlignment == taCenter) x = rect.Left + (rect.Width() - width) / 2;
    if (FAlignment == taRightJustify) x = rect.Right - width;
    canvas.TextRect(rect, x, rect.Top + (rect.Height() - height) / 2, Caption());
}
