#include "pictures/image.h"

#include "toolkit/canvas.h"

TRect ImageDestRect(int w, int h, int cw, int ch, bool stretch, bool proportional, bool center) {
    int dw = w;
    int dh = h;
    if (stretch || (proportional && (w > cw || h > ch))) {
        if (proportional && w > 0 && h > 0) {
            const double aspect = double(w) / double(h);
            if (w > h) {
                dw = cw;
                dh = int(cw / aspect);
                if (dh > ch) {
                    dh = ch;
                    dw = int(ch * aspect);
                }
            } else {
                dh = ch;
                dw = int(ch * aspect);
                if (dw > cw) {
                    dw = cw;
                    dh = int(cw / aspect);
                }
            }
        } else {
            dw = cw;
            dh = ch;
        }
    }
    TRect rect = Rect(0, 0, dw, dh);
    // Integer division truncates toward zero, so a picture one pixel wider than the
    // view is not shifted.
    if (center) rect = OffsetRect(rect, (cw - dw) / 2, (ch - dh) / 2);
    return rect;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), FPicture(std::make_unique<TPicture>()) {
    FPicture->OnChange = [this](TObject*) { PictureChanged(); };
    FPicture->OnProgress = [this](TObject*, TProgressStage stage, std::uint8_t percent, bool redraw,
                                  const TRect& rect, const std::string& message) {
        PictureProgress(stage, percent, redraw, rect, message);
    };
    SetBounds(Left(), Top(), 105, 105);
}

TImage::~TImage() {
    FPicture->OnChange = nullptr;
    FPicture->OnProgress = nullptr;
}

TRect TImage::DestRect() const {
    return ImageDestRect(FPicture->Width(), FPicture->Height(), Width(), Height(), FStretch, FProportional, FCenter);
}

void TImage::SetCenter(bool value) {
    if (value == FCenter) return;
    FCenter = value;
    PictureChanged();
}

void TImage::SetStretch(bool value) {
    if (value == FStretch) return;
    FStretch = value;
    PictureChanged();
}

void TImage::SetProportional(bool value) {
    if (value == FProportional) return;
    FProportional = value;
    PictureChanged();
}

void TImage::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    PictureChanged();
}

void TImage::SetAutoSize(bool value) {
    TGraphicControl::SetAutoSize(value);
    PictureChanged();
}

bool TImage::CanAutoSize(int& newWidth, int& newHeight) {
    // An empty picture has no size to give: the view keeps its own.
    if (FPicture->Width() <= 0 || FPicture->Height() <= 0) return false;
    newWidth = FPicture->Width();
    newHeight = FPicture->Height();
    return true;
}

void TImage::PictureChanged() {
    if (AutoSize() && FPicture->Width() > 0 && FPicture->Height() > 0)
        SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
    if (TGraphic* graphic = FPicture->Graphic()) {
        if (!graphic->KeepsOwnTransparency()) graphic->SetTransparent(FTransparent);
        TRect dest = DestRect();
        // Opaque only when the picture covers the whole view: then the parent need not
        // paint underneath.
        bool covers = dest.Left <= 0 && dest.Top <= 0 && dest.Right >= Width() && dest.Bottom >= Height();
        if (!graphic->Transparent() && covers)
            SetControlStyle(ControlStyle() | csOpaque);
        else
            SetControlStyle(ControlStyle() & ~csOpaque);
    } else {
        SetControlStyle(ControlStyle() & ~csOpaque);
    }
    if (!FDrawing) Invalidate();
}

void TImage::PictureProgress(TProgressStage stage, std::uint8_t percentDone, bool redrawNow, const TRect& rect,
                             const std::string& message) {
    if (FIncrementalDisplay && redrawNow && !FDrawing) Repaint();
    if (OnProgress) OnProgress(this, stage, percentDone, redrawNow, rect, message);
}

void TImage::Paint() {
    TGraphic* graphic = FPicture->Graphic();
    if (!graphic) return;
    // The picture may change while it decodes; no repaint is asked for meanwhile.
    FDrawing = true;
    try {
        Canvas().StretchDraw(DestRect(), *graphic);
    } catch (...) {
        FDrawing = false;
        throw;
    }
    FDrawing = false;
}
