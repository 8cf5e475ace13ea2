#include "skin/controls/skin_control.h"

#include "toolkit/canvas.h"
#include "toolkit/pixel_buffer.h"

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
    const std::vector<TBitmap*>& pictures = SkinData()->ActivePictures;
    auto picture = [&](int index) {
        return index >= 0 && index < int(pictures.size()) ? pictures[size_t(index)] : nullptr;
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

void TbsSkinCustomControl::DrawSkin(TPixelBuffer&) {
    // No skin image is drawn yet: a skinned control looks like one whose picture is
    // missing.
}

void TbsSkinCustomControl::UpdateSkinRegion() {}
