#pragma once
// A container that scrolls its children with scroll bars placed elsewhere on the form.
// Bound bars are shown while the children reach past the client area and hidden when
// they fit; the box does not watch its children, so its owner binds the same bar again
// after changing one.

#include "skin/controls/skin_control.h"
#include "skin/controls/skin_scroll_bar.h"

// Scoped: panels have bevels of the same names with other values.
enum class TbsSkinBorderStyle { bvRaised, bvLowered, bvNone, bvFrame };

#include "pictures/bitmap.h"

// The skinned frame's four strips for the box's present size.
struct TbsSkinFrameStrips {
    TBitmap Top, Bottom, Left, Right;
};

class TbsSkinScrollBox : public TbsSkinCustomControl {
public:
    explicit TbsSkinScrollBox(TComponent* owner);
    ~TbsSkinScrollBox() override;
    const char* ClassName() const override { return "TbsSkinScrollBox"; }

    TbsSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TbsSkinScrollBar* bar);
    TbsSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TbsSkinScrollBar* bar);
    TbsSkinBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TbsSkinBorderStyle style);

    void UpdateVScroll();
    void UpdateHScroll();
    int VGrowth() const { return FVGrowth; }
    int HGrowth() const { return FHGrowth; }

    void ResolveSkin() override;
    void ApplySkin() override;
    void DrawSkin(TPixelBuffer& bitmap) override;
    void BuildFrame(TbsSkinFrameStrips& frame) const;
    void SetBounds(int left, int top, int width, int height) override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void PaintNonClient(TCanvas& canvas) override;
    TRect AdjustClientRect() const override;
    void VisibleChanged() override;
    void DescribeAccessible(TAccessibleFacts& facts) const override;

private:
    void PaintSkinFrame(TCanvas& canvas);
    void UpdateScroll(bool vertical);
    void BindBar(TbsSkinScrollBar* bar, bool vertical);
    // The bar's handlers point into this box: a bar let go of, or outliving the box,
    // must not call them.
    void ReleaseBar(TbsSkinScrollBar* bar);
    // The lowest bottom (or rightmost edge) of the visible children, 0 without any.
    int ContentExtent(bool vertical) const;
    void ScrollContent(bool vertical, int delta);

    TbsSkinScrollBar* FHScrollBar = nullptr;
    TbsSkinScrollBar* FVScrollBar = nullptr;
    TbsSkinBorderStyle FBorderStyle = TbsSkinBorderStyle::bvRaised;
    bool FUpdatingBars = false;
    int FLastVPos = 0;
    int FLastHPos = 0;
    int FVGrowth = 0;
    int FHGrowth = 0;
    int FBGPictureIndex = -1;
};
