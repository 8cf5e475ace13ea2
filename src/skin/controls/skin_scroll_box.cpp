#include "skin/controls/skin_scroll_box.h"

#include "pictures/bitmap.h"
#include "toolkit/canvas.h"
#include "toolkit/pixel_buffer.h"

#include <algorithm>

TbsSkinScrollBox::TbsSkinScrollBox(TComponent* owner) : TbsSkinCustomControl(owner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetSkinDataName("scrollbox");
    SetBounds(Left(), Top(), 150, 150);
}

TbsSkinScrollBox::~TbsSkinScrollBox() {
    TbsSkinScrollBar* bars[] = {FVScrollBar, FHScrollBar};
    FVScrollBar = FHScrollBar = nullptr;
    for (TbsSkinScrollBar* bar : bars)
        ReleaseBar(bar);
}

void TbsSkinScrollBox::CreateParams(TCreateParams& params) {
    TbsSkinCustomControl::CreateParams(params);
    params.WindowClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TbsSkinScrollBox::BindBar(TbsSkinScrollBar* bar, bool vertical) {
    if (!bar) return;
    bar->FreeNotification(this);
    bar->SetCanFocused(false);
    if (vertical)
        bar->OnChange = [this](TObject*) {
            ScrollContent(true, -(FVScrollBar->Position() - FLastVPos));
            FLastVPos = FVScrollBar->Position();
        };
    else
        bar->OnChange = [this](TObject*) {
            ScrollContent(false, -(FHScrollBar->Position() - FLastHPos));
            FLastHPos = FHScrollBar->Position();
        };
    // One repaint once a drag or a track click ends.
    bar->OnLastChange = [this](TObject*) { Invalidate(); };
    bar->SetEnabled(true);
    bar->SetVisible(false);
}

void TbsSkinScrollBox::ReleaseBar(TbsSkinScrollBar* bar) {
    if (!bar || bar == FVScrollBar || bar == FHScrollBar) return;
    bar->OnChange = nullptr;
    bar->OnLastChange = nullptr;
    RemoveFreeNotification(bar);
}

void TbsSkinScrollBox::SetVScrollBar(TbsSkinScrollBar* bar) {
    TbsSkinScrollBar* old = FVScrollBar;
    FVScrollBar = bar;
    if (old != bar) {
        // The content scrolled by the old bar goes back to where a new bar starts.
        ScrollContent(true, FLastVPos);
        FLastVPos = 0;
        ReleaseBar(old);
    }
    BindBar(bar, true);
    UpdateVScroll();
}

void TbsSkinScrollBox::SetHScrollBar(TbsSkinScrollBar* bar) {
    TbsSkinScrollBar* old = FHScrollBar;
    FHScrollBar = bar;
    if (old != bar) {
        ScrollContent(false, FLastHPos);
        FLastHPos = 0;
        ReleaseBar(old);
    }
    BindBar(bar, false);
    UpdateHScroll();
}

void TbsSkinScrollBox::SetBorderStyle(TbsSkinBorderStyle style) {
    FBorderStyle = style;
    RecreateWnd();
}

void TbsSkinScrollBox::Notification(TComponent* component, TOperation operation) {
    TbsSkinCustomControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == FVScrollBar) FVScrollBar = nullptr;
    if (component == FHScrollBar) FHScrollBar = nullptr;
}

int TbsSkinScrollBox::ContentExtent(bool vertical) const {
    int extent = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (!child->Visible()) continue;
        extent = std::max(extent, vertical ? child->Top() + child->Height() : child->Left() + child->Width());
    }
    return extent;
}

void TbsSkinScrollBox::ScrollContent(bool vertical, int delta) {
    if (vertical)
        ScrollBy(0, delta);
    else
        ScrollBy(delta, 0);
}

void TbsSkinScrollBox::UpdateVScroll() { UpdateScroll(true); }
void TbsSkinScrollBox::UpdateHScroll() { UpdateScroll(false); }

void TbsSkinScrollBox::UpdateScroll(bool vertical) {
    TbsSkinScrollBar* bar = vertical ? FVScrollBar : FHScrollBar;
    if (!bar || FUpdatingBars || !Parent()) return;
    int& growth = vertical ? FVGrowth : FHGrowth;
    int& lastPos = vertical ? FLastVPos : FLastHPos;
    int client = vertical ? ClientHeight() : ClientWidth();
    int p = bar->Position();
    int b = ContentExtent(vertical);
    bool visible = bar->Visible();
    if (b + p > client) {
        visible = true;
        if (p > 0 && b < client && growth > 0) {
            // The box grew while scrolled: the content follows its bottom down.
            growth = std::min(growth, p);
            bar->SetRange(0, b + p - 1, client, p - growth);
            ScrollContent(vertical, growth);
        } else if (growth == 0 && b + p - 1 < bar->Max() && p > 0 && b < client) {
            // The content shrank while scrolled.
            int d = std::min(p, (bar->Max() - (b + p - 1)) + (bar->Max() - bar->PageSize() + 1) + p);
            ScrollContent(vertical, d);
            bar->SetRange(0, b + p - 1, client, p - d);
        } else {
            bar->SetRange(0, b + p - 1, client, p);
        }
        growth = 0;
        lastPos = bar->Position();
    } else {
        if (p > 0) ScrollContent(vertical, p);
        growth = 0;
        lastPos = 0;
        bar->SetRange(0, 0, 0, 0);
        visible = false;
    }
    if (FVScrollBar && FHScrollBar) {
        bool verticalShown = vertical ? visible : FVScrollBar->Visible();
        if (verticalShown != FHScrollBar->Both()) FHScrollBar->SetBoth(verticalShown);
    }
    if (visible != bar->Visible()) {
        FUpdatingBars = true;
        bar->SetVisible(visible);
        FUpdatingBars = false;
        if (Align() != alNone && Parent()) Parent()->Realign();
    }
}

void TbsSkinScrollBox::SetBounds(int left, int top, int width, int height) {
    int oldWidth = Width(), oldHeight = Height();
    TbsSkinCustomControl::SetBounds(left, top, width, height);
    FHGrowth = oldWidth != 0 && Width() > oldWidth ? Width() - oldWidth : 0;
    FVGrowth = oldHeight != 0 && Height() > oldHeight ? Height() - oldHeight : 0;
    UpdateVScroll();
    UpdateHScroll();
}

TRect TbsSkinScrollBox::AdjustClientRect() const {
    TRect rect = ClientRect();
    if (FHScrollBar && FHScrollBar->Visible()) {
        rect.Left = -FHScrollBar->Position();
        rect.Right = rect.Left + std::max(FHScrollBar->Max(), ClientWidth());
    }
    if (FVScrollBar && FVScrollBar->Visible()) {
        rect.Top = -FVScrollBar->Position();
        rect.Bottom = rect.Top + std::max(FVScrollBar->Max(), ClientHeight());
    }
    return rect;
}

void TbsSkinScrollBox::VisibleChanged() {
    TbsSkinCustomControl::VisibleChanged();
    if (FVScrollBar) FVScrollBar->SetVisible(Visible());
    if (FHScrollBar) FHScrollBar->SetVisible(Visible());
}

void TbsSkinScrollBox::ResolveSkin() {
    TbsSkinCustomControl::ResolveSkin();
    if (auto* record = dynamic_cast<TbsDataSkinScrollBoxControl*>(SkinRecord()))
        FBGPictureIndex = record->BGPictureIndex;
}

void TbsSkinScrollBox::ApplySkin() {
    TbsSkinCustomControl::ApplySkin();
    RecreateWnd();
    for (TbsSkinScrollBar* bar : {FVScrollBar, FHScrollBar})
        if (bar && bar->Parent()) bar->Parent()->Realign();
}

void TbsSkinScrollBox::WndProc(TMessage& message) {
    if (message.Msg == WM_NCCALCSIZE) {
        ResolveSkin();
        auto& rect = *reinterpret_cast<TRect*>(message.LParam);
        if (FBorderStyle == TbsSkinBorderStyle::bvNone) return;
        if (SkinIndex() == -1) {
            rect = Rect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
        } else if (FBGPictureIndex == -1) {
            const TbsSkinGeometry& g = FGeometry;
            rect.Left += g.ClientRect.Left;
            rect.Top += g.ClientRect.Top;
            rect.Right -= g.SkinRect.Width() - g.ClientRect.Right;
            rect.Bottom -= g.SkinRect.Height() - g.ClientRect.Bottom;
        }
        return;
    }
    TbsSkinCustomControl::WndProc(message);
}

void TbsSkinScrollBox::PaintNonClient(TCanvas& canvas) {
    if (FBorderStyle == TbsSkinBorderStyle::bvNone || (SkinIndex() != -1 && FBGPictureIndex != -1)) return;
    if (SkinIndex() != -1) {
        PaintSkinFrame(canvas);
        return;
    }
    TColor topLeft = clBtnShadow, bottomRight = clBtnShadow;
    if (FBorderStyle == TbsSkinBorderStyle::bvRaised) bottomRight = clBtnHighlight;
    if (FBorderStyle == TbsSkinBorderStyle::bvLowered) topLeft = clBtnHighlight;
    int w = Width(), h = Height();
    canvas.Brush() = {topLeft, bsSolid};
    canvas.FillRect(Rect(0, 0, w, 1));
    canvas.FillRect(Rect(0, 0, 1, h));
    canvas.Brush() = {bottomRight, bsSolid};
    canvas.FillRect(Rect(0, h - 1, w, h));
    canvas.FillRect(Rect(w - 1, 0, w, h));
}

void TbsSkinScrollBox::BuildFrame(TbsSkinFrameStrips& frame) const {
    if (!SkinPicture()) return;
    const TbsSkinGeometry& g = FGeometry;
    TbsStretchGeometry sized =
        StretchGeometry(g.LeftTopPoint, g.RightTopPoint, g.LeftBottomPoint, g.RightBottomPoint, g.ClientRect,
                        g.SkinRect.Width(), g.SkinRect.Height(), Width(), Height());
    BuildBorderStrips(sized, g.SkinRect, *SkinPicture(), frame.Top, frame.Bottom, frame.Left, frame.Right);
}

void TbsSkinScrollBox::PaintSkinFrame(TCanvas& canvas) {
    TbsSkinFrameStrips frame;
    BuildFrame(frame);
    int top = frame.Top.Height();
    canvas.Draw(0, 0, frame.Top.PixelBuffer());
    canvas.Draw(0, top, frame.Left.PixelBuffer());
    canvas.Draw(Width() - frame.Right.Width(), top, frame.Right.PixelBuffer());
    canvas.Draw(0, Height() - frame.Bottom.Height(), frame.Bottom.PixelBuffer());
}

void TbsSkinScrollBox::DrawSkin(TPixelBuffer& bitmap) {
    int width = ClientWidth(), height = ClientHeight();
    if (width < 1 || height < 1 || !SkinPicture()) return;
    TCanvas& canvas = bitmap.Canvas();
    const auto& pictures = SkinData()->ActivePictures;
    if (FBGPictureIndex >= 0 && FBGPictureIndex < int(pictures.size())) {
        const TBitmap& background = *pictures[size_t(FBGPictureIndex)];
        canvas.TileRect(Rect(0, 0, width, height), background.PixelBuffer(),
                        Rect(0, 0, background.Width(), background.Height()));
        return;
    }
    const TbsSkinGeometry& g = FGeometry;
    TRect source = OffsetRect(g.ClientRect, g.SkinRect.Left, g.SkinRect.Top);
    canvas.TileRect(Rect(0, 0, width, height), SkinPicture()->PixelBuffer(), source);
}
