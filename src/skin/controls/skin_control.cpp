#include "skin/controls/skin_control.h"

#include "pictures/bitmap.h"
#include "skin/bs_utils.h"
#include "toolkit/canvas.h"
#include "toolkit/pixel_buffer.h"

#include <algorithm>

void CopyUnscaled(TCanvas& canvas, const TRect& dest, const TBitmap& picture, const TRect& source) {
    int w = std::min(source.Width(), dest.Width());
    int h = std::min(source.Height(), dest.Height());
    if (w < 1 || h < 1) return;
    canvas.CopyRect(Bounds(dest.Left, dest.Top, w, h), picture.PixelBuffer(), Bounds(source.Left, source.Top, w, h));
}

TbsSkinControl::TbsSkinControl(TComponent* owner) : TCustomControl(owner) {}

TbsSkinControl::~TbsSkinControl() = default;

TbsDataSkinControl* TbsSkinControl::SkinRecord() const {
    if (FSkinIndex < 0 || !FSkinData || FSkinIndex >= int(FSkinData->SkinControls.size()))
        return nullptr;
    return FSkinData->SkinControls[size_t(FSkinIndex)].get();
}

void TbsSkinControl::ResolveSkin() {
    if (!FSkinData || FSkinData->Empty())
        FSkinIndex = -1;
    else
        FSkinIndex = FSkinData->FindControlIndex(FSkinDataName);
}

void TbsSkinControl::SetSkinData(TbsSkinData* value) {
    if (FSkinData && FSkinData != value) RemoveFreeNotification(FSkinData);
    FSkinData = value;
    if (value) value->FreeNotification(this);
    if (value && !value->Empty() && !Designing()) ApplySkin();
}

void TbsSkinControl::DrawDefault(TPixelBuffer&) {}

void TbsSkinControl::DrawSkin(TPixelBuffer&) {}

void TbsSkinControl::ApplySkin() {
    ResolveSkin();
    Invalidate();
}

void TbsSkinControl::ClearSkinIndex() { FSkinIndex = -1; }

void TbsSkinControl::Paint() {
    if (Width() <= 0 || Height() <= 0) return;
    ResolveSkin();
    TPixelBuffer bitmap;
    bitmap.SetDeviceScale(Canvas().DeviceScale());
    bitmap.Allocate(Width(), Height(), pf32bit);
    if (FSkinIndex == -1)
        DrawDefault(bitmap);
    else
        DrawSkin(bitmap);
    Canvas().Draw(0, 0, bitmap);
}

void TbsSkinControl::WndProc(TMessage& message) {
    // The paint covers the whole control; erasing first would only flicker.
    if (message.Msg == WM_ERASEBKGND) {
        message.Result = 1;
        return;
    }
    TCustomControl::WndProc(message);
}

void TbsSkinControl::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == FSkinData) FSkinData = nullptr;
}

void TbsSkinControl::MouseEnter() {
    TCustomControl::MouseEnter();
    if (OnMouseEnter) OnMouseEnter(this);
}

void TbsSkinControl::MouseLeave() {
    TCustomControl::MouseLeave();
    if (OnMouseLeave) OnMouseLeave(this);
}

int SkinStretchMode(const TbsSkinGeometry& g) {
    auto isZero = [](TPoint p) { return p.X == 0 && p.Y == 0; };
    if (g.SkinRect.Width() < 1 || g.SkinRect.Height() < 1) return -1;
    if (g.RightBottomPoint.X != 0 && g.RightBottomPoint.Y != 0) return 1;
    if (!isZero(g.RightTopPoint)) return 2;
    if (!isZero(g.LeftBottomPoint)) return 3;
    return 0;
}

void CalcSkinSize(TbsSkinGeometry& g, int& width, int& height) {
    int xo = width - g.SkinRect.Width();
    int yo = height - g.SkinRect.Height();
    switch (g.StretchMode) {
    case 1:
        g.NewLeftTopPoint = g.LeftTopPoint;
        g.NewRightTopPoint = {g.RightTopPoint.X + xo, g.RightTopPoint.Y};
        g.NewLeftBottomPoint = {g.LeftBottomPoint.X, g.LeftBottomPoint.Y + yo};
        g.NewRightBottomPoint = {g.RightBottomPoint.X + xo, g.RightBottomPoint.Y + yo};
        g.NewClientRect = g.ClientRect;
        g.NewClientRect.Right += xo;
        g.NewClientRect.Bottom += yo;
        break;
    case 2:
        height = g.SkinRect.Height();
        g.NewLeftTopPoint = g.LeftTopPoint;
        g.NewRightTopPoint = {g.RightTopPoint.X + xo, g.RightTopPoint.Y};
        g.NewClientRect = g.ClientRect;
        g.NewClientRect.Right += xo;
        break;
    case 3:
        width = g.SkinRect.Width();
        g.NewLeftTopPoint = g.LeftTopPoint;
        g.NewLeftBottomPoint = {g.LeftBottomPoint.X, g.LeftBottomPoint.Y + yo};
        g.NewClientRect = g.ClientRect;
        g.NewClientRect.Bottom += yo;
        break;
    case 0:
        width = g.SkinRect.Width();
        height = g.SkinRect.Height();
        g.NewClientRect = g.ClientRect;
        break;
    default: break;
    }
}

TbsSkinCustomControl::TbsSkinCustomControl(TComponent* owner) : TbsSkinControl(owner) {
    FDefaultFont.SetName("Arial");
    FDefaultFont.SetHeight(14);
    FDefaultFont.OnChange = [this](TFont&) {
        DefaultFontChanged();
        if (SkinIndex() == -1) Invalidate();
    };
}

TbsSkinCustomControl::~TbsSkinCustomControl() { FDefaultFont.OnChange = nullptr; }

void TbsSkinCustomControl::SetDefaultFont(const TFont& font) {
    auto handler = std::move(FDefaultFont.OnChange);
    FDefaultFont.Assign(font);
    FDefaultFont.OnChange = std::move(handler);
    DefaultFontChanged();
}

void TbsSkinCustomControl::SetDefaultWidth(int value) {
    FDefaultWidth = value;
    if (SkinIndex() == -1 && value > 0) SetWidth(value);
}

void TbsSkinCustomControl::SetDefaultHeight(int value) {
    FDefaultHeight = value;
    if (SkinIndex() == -1 && value > 0) SetHeight(value);
}

void TbsSkinCustomControl::ResolveSkin() {
    TbsSkinControl::ResolveSkin();
    TbsDataSkinControl* record = SkinRecord();
    if (!record) return;
    auto* custom = dynamic_cast<TbsDataSkinCustomControl*>(record);
    if (!custom) {
        FGeometry.StretchMode = 0;
        FSkinPicture = nullptr;
        FSkinMask = nullptr;
        return;
    }
    FGeometry.LeftTopPoint = custom->LeftTopPoint;
    FGeometry.RightTopPoint = custom->RightTopPoint;
    FGeometry.LeftBottomPoint = custom->LeftBottomPoint;
    FGeometry.RightBottomPoint = custom->RightBottomPoint;
    FGeometry.SkinRect = custom->SkinRect;
    FGeometry.ClientRect = custom->ClientRect;
    const auto& pictures = SkinData()->ActivePictures;
    auto picture = [&](int index) -> TBitmap* {
        return index >= 0 && index < int(pictures.size()) ? pictures[size_t(index)].get() : nullptr;
    };
    FSkinPicture = picture(custom->PictureIndex);
    FSkinMask = picture(custom->MaskPictureIndex);
    FGeometry.StretchMode = SkinStretchMode(FGeometry);
}

void TbsSkinCustomControl::CalcSkinSize(int& width, int& height) {
    if (SkinIndex() == -1) return;
    ::CalcSkinSize(FGeometry, width, height);
}

void TbsSkinCustomControl::SetBounds(int left, int top, int width, int height) {
    ResolveSkin();
    bool adjusted = false;
    if (SkinIndex() != -1 && (width != Width() || height != Height())) {
        CalcSkinSize(width, height);
        adjusted = true;
    }
    TbsSkinControl::SetBounds(left, top, width, height);
    if (adjusted) {
        UpdateSkinRegion();
        Invalidate();
    }
}

void TbsSkinCustomControl::ApplySkin() {
    ResolveSkin();
    int width = Width(), height = Height();
    bool resized = false;
    if (SkinIndex() == -1) {
        if (FDefaultWidth > 0) SetWidth(FDefaultWidth);
        if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
    } else {
        CalcSkinSize(width, height);
        if (width != Width() || height != Height()) {
            SetBounds(Left(), Top(), width, height);
            resized = true;
        }
    }
    // A skinned size change has already shaped and repainted the control.
    if (!resized) {
        UpdateSkinRegion();
        Invalidate();
    }
}

void TbsSkinCustomControl::DrawDefault(TPixelBuffer& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush() = {clBtnFace, bsSolid};
    canvas.FillRect(Rect(0, 0, bitmap.Width(), bitmap.Height()));
}

TbsStretchGeometry TbsSkinCustomControl::SizedGeometry() const {
    // The anchors fitted to the size the control has now. The copy kept from the last
    // size change is stale for a control that met its skin only after its last resize
    // (the skin loads after the window's controls are placed), which drew its frame
    // with anchors fitted to no size at all.
    TbsSkinGeometry g = FGeometry;
    int width = Width(), height = Height();
    ::CalcSkinSize(g, width, height);
    TbsStretchGeometry s;
    s.LT = g.LeftTopPoint;
    s.RT = g.RightTopPoint;
    s.LB = g.LeftBottomPoint;
    s.RB = g.RightBottomPoint;
    s.CR = g.ClientRect;
    s.NLT = g.NewLeftTopPoint;
    s.NRT = g.NewRightTopPoint;
    s.NLB = g.NewLeftBottomPoint;
    s.NRB = g.NewRightBottomPoint;
    s.NCR = g.NewClientRect;
    s.Width = Width();
    s.Height = Height();
    return s;
}

void TbsSkinCustomControl::BuildSkinImage(TBitmap& image) {
    const TbsSkinGeometry& g = FGeometry;
    if (!FSkinPicture) return;
    const TBitmap& picture = *FSkinPicture;
    switch (g.StretchMode) {
    case 0:
        image.SetSize(g.SkinRect.Width(), g.SkinRect.Height());
        image.Canvas().CopyRect(Rect(0, 0, image.Width(), image.Height()), picture.PixelBuffer(), g.SkinRect);
        image.Canvas().Flush();
        break;
    case 1: BuildNinePatch(SizedGeometry(), g.SkinRect, picture, image, true); break;
    case 2:
        BuildHStrip(g.LeftTopPoint.X, g.SkinRect.Width() - g.RightTopPoint.X, image, Width(), g.SkinRect, picture);
        break;
    case 3:
        BuildVStrip(g.LeftTopPoint.Y, g.SkinRect.Height() - g.LeftBottomPoint.Y, image, Height(), g.SkinRect,
                    picture);
        break;
    default: break;
    }
}

void TbsSkinCustomControl::DrawSkin(TPixelBuffer& bitmap) {
    TBitmap image;
    BuildSkinImage(image);
    if (!image.Empty()) bitmap.Canvas().Draw(0, 0, image.PixelBuffer());
}

void TbsSkinCustomControl::UpdateSkinRegion() {
    if (!FSkinMask || SkinIndex() == -1) {
        if (WindowRegion()) SetWindowRegion(std::nullopt);
        return;
    }
    const TbsSkinGeometry& g = FGeometry;
    TbsStretchGeometry sized = SizedGeometry();
    std::optional<TRegion> region;
    switch (g.StretchMode) {
    case 0: region = RegionFromMask(*FSkinMask); break;
    case 1: region = BuildSkinRegion(sized, *FSkinMask); break;
    case 2: // only the right-hand points move
        sized = StretchGeometry(g.LeftTopPoint, g.RightTopPoint, g.LeftBottomPoint, g.RightBottomPoint, g.ClientRect,
                                g.SkinRect.Width(), g.SkinRect.Height(), Width(), g.SkinRect.Height());
        sized.Height = Height();
        region = BuildSkinRegion(sized, *FSkinMask);
        break;
    case 3: // only the bottom points move
        sized = StretchGeometry(g.LeftTopPoint, g.RightTopPoint, g.LeftBottomPoint, g.RightBottomPoint, g.ClientRect,
                                g.SkinRect.Width(), g.SkinRect.Height(), g.SkinRect.Width(), Height());
        sized.Width = Width();
        region = BuildSkinRegion(sized, *FSkinMask);
        break;
    default: break;
    }
    SetWindowRegion(std::move(region));
}
