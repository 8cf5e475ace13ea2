#include "skin/controls/skin_scroll_bar.h"

#include "pictures/bitmap.h"
#include "skin/bs_utils.h"
#include "toolkit/canvas.h"
#include "toolkit/pixel_buffer.h"

#include <algorithm>
#include <cmath>

namespace {

// Halves go to the even neighbour.
int Nearest(double value) { return int(std::nearbyint(value)); }

bool Empty(const TRect& r) { return IsNullRect(r); }

// Thumb length and position along a track from start to end, and the place across it.
void PlaceThumb(TbsScrollBarRects& rects, const TbsScrollBarValues& v, int minLength, int acrossStart,
                int acrossEnd) {
    bool horizontal = v.Kind == sbHorizontal;
    const TRect& track = rects.TrackRect;
    int start = horizontal ? track.Left : track.Top;
    int end = horizontal ? track.Right : track.Bottom;
    double r = v.Max == v.Min ? 0.0 : double(v.Position - v.Min) / double(v.Max - v.Min);
    int length = minLength;
    if (v.PageSize != 0) {
        int span = v.Max - v.Min + 1;
        length = span == 0 ? 0 : Nearest(double(end - start) * v.PageSize / span);
        length = std::max(length, minLength);
        int last = v.Max - v.PageSize + 1;
        if (v.Min < last)
            r = double(v.Position - v.Min) / double(last - v.Min);
        else
            r = horizontal ? 1.0 : 0.0;
    }
    int half = length / 2;
    rects.ThumbMin = start + half;
    rects.ThumbMax = end - half;
    rects.ThumbPos = Nearest(double(rects.ThumbMax - rects.ThumbMin) * r);
    int centre = rects.ThumbMin + rects.ThumbPos;
    rects.Parts[sbpThumb] = horizontal ? Rect(centre - half, acrossStart, centre + half, acrossEnd)
                                       : Rect(acrossStart, centre - half, acrossEnd, centre + half);
}

} // namespace

int ClampScrollPosition(int value, int min, int max, int pageSize) {
    if (value < min) return min;
    int limit = pageSize != 0 ? max - pageSize + 1 : max;
    return std::min(value, limit);
}

TbsScrollBarRects CalcPlainScrollBarRects(const TbsScrollBarValues& v) {
    TbsScrollBarRects rects;
    int h = v.Height;
    if (v.Kind == sbHorizontal) {
        int w = v.Both ? v.Width - v.BothMarkerWidth : v.Width;
        rects.Parts[sbpDownButton] = Rect(1, 1, 17, h - 1);
        rects.Parts[sbpUpButton] = Rect(w - 17, 1, w - 1, h - 1);
        rects.TrackRect = Rect(17, 1, w - 17, h - 1);
        PlaceThumb(rects, v, 16, rects.TrackRect.Top, rects.TrackRect.Bottom);
    } else {
        rects.Parts[sbpDownButton] = Rect(1, 1, v.Width - 1, 17);
        rects.Parts[sbpUpButton] = Rect(1, h - 17, v.Width - 1, h - 1);
        rects.TrackRect = Rect(1, 17, v.Width - 1, h - 17);
        PlaceThumb(rects, v, 16, rects.TrackRect.Left, rects.TrackRect.Right);
    }
    return rects;
}

TbsScrollBarRects CalcSkinScrollBarRects(const TbsScrollBarValues& v, const TbsScrollBarSkin& skin) {
    TbsScrollBarRects rects;
    int xo = v.Width - skin.SkinRect.Width();
    int yo = v.Height - skin.SkinRect.Height();
    int tw = skin.ThumbRect.Width(), th = skin.ThumbRect.Height();
    rects.TrackRect = skin.TrackArea;
    rects.Parts[sbpUpButton] = skin.UpButtonRect;
    rects.Parts[sbpDownButton] = skin.DownButtonRect;
    if (v.Kind == sbHorizontal) {
        rects.TrackRect.Right += xo;
        for (int part : {sbpUpButton, sbpDownButton})
            if (rects.Parts[part].Left > skin.RightTopPoint.X)
                rects.Parts[part] = OffsetRect(rects.Parts[part], xo, 0);
        int across = rects.TrackRect.Top + rects.TrackRect.Height() / 2 - th / 2;
        PlaceThumb(rects, v, tw, across, across + th);
    } else {
        rects.TrackRect.Bottom += yo;
        for (int part : {sbpUpButton, sbpDownButton})
            if (rects.Parts[part].Top > skin.LeftBottomPoint.Y)
                rects.Parts[part] = OffsetRect(rects.Parts[part], 0, yo);
        int across = rects.TrackRect.Left + rects.TrackRect.Width() / 2 - tw / 2;
        PlaceThumb(rects, v, th, across, across + tw);
    }
    return rects;
}

TbsSkinScrollBar::TbsSkinScrollBar(TComponent* owner) : TbsSkinCustomControl(owner) {
    SetBounds(Left(), Top(), 200, 20);
}

TbsSkinScrollBar::~TbsSkinScrollBar() { KillTimer(1); }

void TbsSkinScrollBar::Changed() {
    CalcRects();
    Invalidate();
    AnnounceValue();
}

void TbsSkinScrollBar::SetBoth(bool value) {
    if (value == FBoth) return;
    FBoth = value;
    if (!Designing()) {
        if (value) {
            FSavedSkinDataName = SkinDataName();
            SetSkinDataName(FBothSkinDataName);
        } else if (!FSavedSkinDataName.empty()) {
            SetSkinDataName(FSavedSkinDataName);
        }
    }
    if (SkinIndex() == -1)
        Changed();
    else
        ApplySkin();
}

void TbsSkinScrollBar::SetBothMarkerWidth(int value) {
    if (value < 0) return;
    FBothMarkerWidth = value;
    if (SkinIndex() == -1) Changed();
}

void TbsSkinScrollBar::SetCanFocused(bool value) {
    FCanFocused = value;
    SetTabStop(value);
}

void TbsSkinScrollBar::SetKind(TScrollBarKind kind) {
    if (kind == FKind) return;
    FKind = kind;
    Changed();
}

void TbsSkinScrollBar::SetPageSize(int value) {
    if (FMax - FMin + 1 >= value + FPosition) FPageSize = value;
    Changed();
}

void TbsSkinScrollBar::SetMin(int value) {
    FMin = value;
    if (FPosition < value) FPosition = value;
    Changed();
}

void TbsSkinScrollBar::SetMax(int value) {
    FMax = value;
    if (FPageSize != 0) {
        if (value - FMin < FPageSize + FPosition) FPosition = std::max(FMin, value - FMin - FPageSize + 1);
    } else if (value < FPosition) {
        FPosition = value;
    }
    Changed();
}

void TbsSkinScrollBar::SetPosition(int value) {
    int position = ClampScrollPosition(value, FMin, FMax, FPageSize);
    if (position == FPosition) return;
    FPosition = position;
    Changed();
    if (OnChange) OnChange(this);
}

void TbsSkinScrollBar::SetSmallChange(int value) {
    FSmallChange = value;
    Invalidate();
}

void TbsSkinScrollBar::SetLargeChange(int value) {
    FLargeChange = value;
    Invalidate();
}

void TbsSkinScrollBar::SetRange(int min, int max, int pageSize, int position) {
    FMin = min;
    FMax = max;
    FPageSize = pageSize;
    FPosition = ClampScrollPosition(position, min, max, pageSize);
    Changed();
}

void TbsSkinScrollBar::CalcRects() {
    TbsScrollBarValues values{FKind, Width(), Height(), FMin, FMax, FPosition, FPageSize, FBoth,
                              FBothMarkerWidth};
    FRects = SkinIndex() == -1 ? CalcPlainScrollBarRects(values) : CalcSkinScrollBarRects(values, FSkin);
}

void TbsSkinScrollBar::ResolveSkin() {
    TbsSkinCustomControl::ResolveSkin();
    auto* record = dynamic_cast<TbsDataSkinScrollBarControl*>(SkinRecord());
    if (!record) return;
    FSkin.SkinRect = record->SkinRect;
    FSkin.RightTopPoint = record->RightTopPoint;
    FSkin.LeftBottomPoint = record->LeftBottomPoint;
    FSkin.TrackArea = record->TrackArea;
    FSkin.UpButtonRect = record->UpButtonRect;
    FSkin.DownButtonRect = record->DownButtonRect;
    FSkin.ThumbRect = record->ThumbRect;
    FActiveUpButtonRect = record->ActiveUpButtonRect;
    FDownUpButtonRect = Empty(record->DownUpButtonRect) ? FActiveUpButtonRect : record->DownUpButtonRect;
    FActiveDownButtonRect = record->ActiveDownButtonRect;
    FDownDownButtonRect =
        Empty(record->DownDownButtonRect) ? FActiveDownButtonRect : record->DownDownButtonRect;
    FActiveThumbRect = Empty(record->ActiveThumbRect) ? record->ThumbRect : record->ActiveThumbRect;
    FDownThumbRect = Empty(record->DownThumbRect) ? FActiveThumbRect : record->DownThumbRect;
    FThumbOffset1 = record->ThumbOffset1;
    FThumbOffset2 = record->ThumbOffset2;
    FGlyphRect = record->GlyphRect;
    FActiveGlyphRect = Empty(record->ActiveGlyphRect) ? FGlyphRect : record->ActiveGlyphRect;
    FDownGlyphRect = Empty(record->DownGlyphRect) ? FActiveGlyphRect : record->DownGlyphRect;
}

void TbsSkinScrollBar::CalcSkinSize(int& width, int& height) {
    TbsSkinCustomControl::CalcSkinSize(width, height);
    CalcRects();
}

void TbsSkinScrollBar::DrawPlainPart(TCanvas& canvas, int part) {
    const TPart& state = FParts[part];
    TRect rect = FRects.Parts[part];
    if (IsRectEmpty(rect)) return;
    bool focusedThumb = part == sbpThumb && FCanFocused && Focused();
    bool pressed = (state.Down && state.MouseIn) || (part == sbpThumb && (state.Down || focusedThumb));
    TColor frame = clBtnShadow, fill = clBtnFace;
    if (pressed) {
        frame = RGB(0, 0, 128);
        fill = RGB(133, 146, 181);
    } else if (state.MouseIn) {
        frame = RGB(0, 0, 128);
        fill = RGB(182, 189, 210);
    }
    canvas.Brush() = {frame, bsSolid};
    canvas.FrameRect(rect);
    TRect inner = Rect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
    canvas.Brush() = {fill, bsSolid};
    canvas.FillRect(inner);
    if (part == sbpThumb) return;
    int direction;
    if (part == sbpUpButton)
        direction = FKind == sbVertical ? 4 : 2;
    else
        direction = FKind == sbVertical ? 3 : 1;
    DrawArrowMark(canvas, inner, clBlack, direction);
}

void TbsSkinScrollBar::DrawDefault(TPixelBuffer& bitmap) {
    CalcRects();
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush() = {clBtnFace, bsSolid};
    canvas.FillRect(Rect(0, 0, bitmap.Width(), bitmap.Height()));
    if (Enabled()) DrawPlainPart(canvas, sbpThumb);
    DrawPlainPart(canvas, sbpUpButton);
    DrawPlainPart(canvas, sbpDownButton);
}

TRect TbsSkinScrollBar::SkinButtonSource(int part) const {
    const TPart& state = FParts[part];
    bool up = part == sbpUpButton;
    if (state.Down && state.MouseIn) return up ? FDownUpButtonRect : FDownDownButtonRect;
    if (state.MouseIn) return up ? FActiveUpButtonRect : FActiveDownButtonRect;
    return TRect{}; // the normal look is part of the skin image
}

TRect TbsSkinScrollBar::SkinThumbSource(bool glyph) const {
    const TPart& state = FParts[sbpThumb];
    if (state.Down || (FCanFocused && Focused())) return glyph ? FDownGlyphRect : FDownThumbRect;
    if (state.MouseIn) return glyph ? FActiveGlyphRect : FActiveThumbRect;
    return glyph ? FGlyphRect : FSkin.ThumbRect;
}

void TbsSkinScrollBar::DrawSkinThumb(TCanvas& canvas) {
    const TBitmap& picture = *SkinPicture();
    const TRect& thumb = FRects.Parts[sbpThumb];
    TRect source = SkinThumbSource(false);
    TBitmap image;
    if (FPageSize != 0) {
        if (FKind == sbHorizontal)
            BuildHStrip(FThumbOffset1, FThumbOffset2, image, thumb.Width(), source, picture);
        else
            BuildVStrip(FThumbOffset1, FThumbOffset2, image, thumb.Height(), source, picture);
    } else {
        image.SetSize(thumb.Width(), thumb.Height());
        CopyUnscaled(image.Canvas(), Rect(0, 0, image.Width(), image.Height()), picture, source);
    }
    TRect glyph = SkinThumbSource(true);
    if (!Empty(glyph)) {
        int x = image.Width() / 2 - glyph.Width() / 2, y = image.Height() / 2 - glyph.Height() / 2;
        CopyUnscaled(image.Canvas(), Bounds(x, y, glyph.Width(), glyph.Height()), picture, glyph);
    }
    image.Canvas().Flush();
    canvas.Draw(thumb.Left, thumb.Top, image.PixelBuffer());
}

void TbsSkinScrollBar::DrawSkin(TPixelBuffer& bitmap) {
    TbsSkinCustomControl::DrawSkin(bitmap);
    CalcRects();
    if (!SkinPicture()) return;
    TCanvas& canvas = bitmap.Canvas();
    for (int part : {sbpUpButton, sbpDownButton}) {
        TRect source = SkinButtonSource(part);
        if (!Empty(source)) CopyUnscaled(canvas, FRects.Parts[part], *SkinPicture(), source);
    }
    if (Enabled()) DrawSkinThumb(canvas);
}

bool TbsSkinScrollBar::BeforeThumb(int x, int y) const {
    const TRect& thumb = FRects.Parts[sbpThumb];
    return FKind == sbHorizontal ? x < thumb.Left : y < thumb.Top;
}

bool TbsSkinScrollBar::BeyondThumb(int x, int y) const {
    const TRect& thumb = FRects.Parts[sbpThumb];
    return FKind == sbHorizontal ? x > thumb.Right : y > thumb.Bottom;
}

void TbsSkinScrollBar::StepDown() {
    if (OnDownButtonClick)
        OnDownButtonClick(this);
    else
        SetPosition(FPosition - FSmallChange);
}

void TbsSkinScrollBar::StepUp() {
    if (OnUpButtonClick)
        OnUpButtonClick(this);
    else
        SetPosition(FPosition + FSmallChange);
}

void TbsSkinScrollBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TbsSkinCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    FMouseHeld = true;
    FLastPointer = {x, y};
    CalcRects();
    FRepeatMode = rmNone;
    FFirstTick = true;
    for (int part : {sbpThumb, sbpUpButton, sbpDownButton}) {
        if (!PtInRect(FRects.Parts[part], {x, y})) continue;
        FPressedPart = part;
        PartDown(part, x, y);
        return;
    }
    if (!PtInRect(FRects.TrackRect, {x, y})) return;
    if (BeforeThumb(x, y)) {
        SetPosition(FPosition - FLargeChange);
        FRepeatMode = rmTrackToMin;
    } else {
        SetPosition(FPosition + FLargeChange);
        FRepeatMode = rmTrackToMax;
    }
    SetTimer(1, ScrollRepeatDelayMs);
}

void TbsSkinScrollBar::PartDown(int part, int x, int y) {
    FParts[part].Down = true;
    Invalidate();
    switch (part) {
    case sbpThumb:
        FDragStart = FKind == sbVertical ? y : x;
        FDragThumbPos = FRects.ThumbPos;
        FDragPosition = FPosition;
        FDragging = true;
        break;
    case sbpUpButton:
        StepUp();
        FRepeatMode = rmUpButton;
        SetTimer(1, ScrollRepeatDelayMs);
        break;
    case sbpDownButton:
        StepDown();
        FRepeatMode = rmDownButton;
        SetTimer(1, ScrollRepeatDelayMs);
        break;
    }
}

void TbsSkinScrollBar::PartUp(int part) {
    FParts[part].Down = false;
    FParts[part].MouseIn = part == FHotPart;
    Invalidate();
    if (part == sbpThumb)
        FDragging = false;
    else
        StopRepeat();
}

void TbsSkinScrollBar::StopRepeat() {
    KillTimer(1);
    FRepeatMode = rmNone;
}

int TbsSkinScrollBar::PosFromOffset(int offset) {
    bool horizontal = FKind == sbHorizontal;
    int thumbMin = FRects.ThumbMin, thumbMax = FRects.ThumbMax;
    if (FPageSize != 0) {
        const TRect& thumb = FRects.Parts[sbpThumb];
        int half = (horizontal ? thumb.Width() : thumb.Height()) / 2;
        thumbMin = (horizontal ? FRects.TrackRect.Left : FRects.TrackRect.Top) + half;
        thumbMax = (horizontal ? FRects.TrackRect.Right : FRects.TrackRect.Bottom) - half;
    }
    int span = thumbMax - thumbMin;
    double f = span <= 0 ? 0.0 : double(offset + FDragThumbPos) / span;
    f = std::clamp(f, 0.0, 1.0);
    if (FPageSize != 0) return FMin + Nearest((FMax - FMin - FPageSize + 1) * f);
    return FMin + Nearest((FMax - FMin) * f);
}

void TbsSkinScrollBar::UpdateHotPart(int x, int y) {
    int hot = -1;
    for (int part : {sbpThumb, sbpUpButton, sbpDownButton})
        if (PtInRect(FRects.Parts[part], {x, y})) {
            hot = part;
            break;
        }
    if (FPressedPart != -1 && hot != FPressedPart) hot = -1;
    if (hot == FHotPart) return;
    FOldHotPart = FHotPart;
    FHotPart = hot;
    if (FOldHotPart != -1) {
        FParts[FOldHotPart].MouseIn = false;
        Invalidate();
        if (FOldHotPart != sbpThumb && FParts[FOldHotPart].Down) KillTimer(1);
    }
    if (hot != -1) {
        FParts[hot].MouseIn = true;
        Invalidate();
        if (hot != sbpThumb && FParts[hot].Down) SetTimer(1, ScrollRepeatIntervalMs);
    }
}

void TbsSkinScrollBar::MouseMove(TShiftState shift, int x, int y) {
    FLastPointer = {x, y};
    UpdateHotPart(x, y);
    if (FDragging) SetPosition(PosFromOffset((FKind == sbVertical ? y : x) - FDragStart));
    TbsSkinCustomControl::MouseMove(shift, x, y);
}

void TbsSkinScrollBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TbsSkinCustomControl::MouseUp(button, shift, x, y);
    FMouseHeld = false;
    if (FRepeatMode >= rmTrackToMin) StopRepeat();
    int pressed = FPressedPart;
    if (pressed != -1) PartUp(pressed);
    if (button == mbLeft && OnLastChange && (pressed == -1 || pressed == sbpThumb)) OnLastChange(this);
    FPressedPart = -1;
}

void TbsSkinScrollBar::MouseLeave() {
    TbsSkinCustomControl::MouseLeave();
    if (FHotPart != -1 && FPressedPart == -1 && !FDragging) {
        FParts[FHotPart].MouseIn = false;
        Invalidate();
        FHotPart = -1;
    }
    // A track repeat towards the minimum ends by itself once the thumb reaches the pointer.
    if (FMouseHeld && FRepeatMode == rmTrackToMax) StopRepeat();
}

void TbsSkinScrollBar::TimerTick() {
    if (FFirstTick) {
        FFirstTick = false;
        SetTimer(1, ScrollRepeatIntervalMs);
        return;
    }
    switch (FRepeatMode) {
    case rmDownButton: StepDown(); break;
    case rmUpButton: StepUp(); break;
    case rmTrackToMin:
        UpdateHotPart(FLastPointer.X, FLastPointer.Y);
        if (BeforeThumb(FLastPointer.X, FLastPointer.Y))
            SetPosition(FPosition - FLargeChange);
        else
            StopRepeat();
        break;
    case rmTrackToMax:
        UpdateHotPart(FLastPointer.X, FLastPointer.Y);
        if (BeyondThumb(FLastPointer.X, FLastPointer.Y))
            SetPosition(FPosition + FLargeChange);
        else
            StopRepeat();
        break;
    default: break;
    }
}

void TbsSkinScrollBar::KeyDown(std::uint16_t& key, TShiftState shift) {
    TbsSkinCustomControl::KeyDown(key, shift);
    if (!FCanFocused) return;
    if (key == VK_LEFT || key == VK_UP)
        SetPosition(FPosition - FSmallChange);
    else if (key == VK_RIGHT || key == VK_DOWN)
        SetPosition(FPosition + FSmallChange);
}

void TbsSkinScrollBar::BoundsChanged() {
    TbsSkinCustomControl::BoundsChanged();
    CalcRects();
}

void TbsSkinScrollBar::DoEnter() {
    TbsSkinCustomControl::DoEnter();
    Invalidate();
}

void TbsSkinScrollBar::DoExit() {
    TbsSkinCustomControl::DoExit();
    Invalidate();
}

void TbsSkinScrollBar::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_TIMER:
        TbsSkinCustomControl::WndProc(message);
        if (message.WParam == 1) TimerTick();
        return;
    case WM_GETDLGCODE:
        message.Result = FCanFocused ? DLGC_WANTARROWS : 0;
        return;
    case WM_MOUSEWHEEL:
        if (FCanFocused && Focused()) {
            if (std::int32_t(message.WParam) <= 0)
                SetPosition(FPosition + FSmallChange);
            else
                SetPosition(FPosition - FSmallChange);
            return;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (FCanFocused && !Focused() && !FFocusing) {
            FFocusing = true;
            SetFocus();
            FFocusing = false;
            if (!Focused()) return;
        }
        break;
    default: break;
    }
    TbsSkinCustomControl::WndProc(message);
}
