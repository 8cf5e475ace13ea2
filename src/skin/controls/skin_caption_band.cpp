#include "skin/controls/skin_caption_band.h"

#include "pictures/bitmap.h"
#include "skin/bs_utils.h"
#include "skin/controls/skin_control.h"
#include "toolkit/canvas.h"

TbsListCaptionBand::TbsListCaptionBand(TbsSkinCustomControl& control, TbsCaptionBandOwner& owner)
    : FControl(control), FOwner(owner), FGlyph(std::make_unique<TBitmap>()) {
    FDefaultFont.SetName("Arial");
    FDefaultFont.SetHeight(14);
    FDefaultFont.OnChange = [this](TFont&) {
        if (!Skinned() && FMode) FControl.Invalidate();
    };
}

TbsListCaptionBand::~TbsListCaptionBand() { FDefaultFont.OnChange = nullptr; }

bool TbsListCaptionBand::Skinned() const { return FControl.SkinIndex() != -1; }

void TbsListCaptionBand::SetAlignment(TAlignment value) {
    if (value == FAlignment) return;
    FAlignment = value;
    if (FMode) FControl.Invalidate();
}

void TbsListCaptionBand::SetGlyph(const TBitmap& glyph) {
    FGlyph->Assign(glyph);
    FControl.Invalidate();
}

void TbsListCaptionBand::SetNumGlyphs(int value) {
    FNumGlyphs = value;
    FControl.Invalidate();
}

void TbsListCaptionBand::SetSpacing(int value) {
    FSpacing = value;
    FControl.Invalidate();
}

void TbsListCaptionBand::ReadSkin(const TbsDataSkinListBox& record) {
    TbsListCaptionSkin& c = FSkin;
    c.CaptionRect = record.CaptionRect;
    c.CaptionFontName = record.CaptionFontName;
    c.CaptionFontStyle = record.CaptionFontStyle;
    c.CaptionFontHeight = record.CaptionFontHeight;
    c.CaptionFontColor = record.CaptionFontColor;
    c.ButtonRects[cbUpButton] = record.UpButtonRect;
    c.ButtonRects[cbDownButton] = record.DownButtonRect;
    c.ButtonRects[cbCheckButton] = record.CheckButtonRect;
    c.ActiveButtonRects[cbUpButton] = record.ActiveUpButtonRect;
    c.ActiveButtonRects[cbDownButton] = record.ActiveDownButtonRect;
    c.ActiveButtonRects[cbCheckButton] = record.ActiveCheckButtonRect;
    const TRect down[3] = {record.DownUpButtonRect, record.DownDownButtonRect, record.DownCheckButtonRect};
    for (int b : {cbUpButton, cbDownButton, cbCheckButton})
        c.DownButtonRects[b] = IsNullRect(down[b]) ? c.ActiveButtonRects[b] : down[b];
}

void TbsListCaptionBand::CalcButtons() {
    if (!Skinned()) {
        FButtons = PlainCaptionButtons(FControl.Width(), FDefaultHeight);
        return;
    }
    for (int b : {cbUpButton, cbDownButton, cbCheckButton})
        FButtons.Rects[b] = SkinCaptionButtonRect(FControl.SkinGeometry(), FSkin.ButtonRects[b], FControl.Width(),
                                                  FControl.Height());
}

void TbsListCaptionBand::DrawContent(TCanvas& canvas, const TRect& rect, bool skinned) {
    const std::string& caption = FControl.Caption();
    TbsCaptionContent content;
    content.TextWidth = canvas.TextWidth(caption);
    content.TextHeight = canvas.TextHeight(caption);
    content.Spacing = FSpacing;
    content.Alignment = FAlignment;
    if (FNumGlyphs == 0) FNumGlyphs = 1;
    if (!FGlyph->Empty()) {
        content.GlyphWidth = FGlyph->Width() / FNumGlyphs;
        content.GlyphHeight = FGlyph->Height();
    }
    TbsCaptionPlacement at = PlaceCaptionContent(rect, content, skinned, FDefaultHeight);
    if (!FGlyph->Empty()) {
        int frame = !FControl.Enabled() && FNumGlyphs == 2 ? 2 : 1;
        DrawStripGlyph(canvas, at.Glyph.X, at.Glyph.Y, frame, FNumGlyphs, *FGlyph);
    }
    canvas.Brush().Style = bsClear;
    canvas.TextRect(rect, at.Text.X, at.Text.Y, caption);
}

void TbsListCaptionBand::DrawPlainButton(TCanvas& canvas, int button) {
    const TButtonState& state = FButtonState[button];
    TRect rect = FButtons.Rects[button];
    if (state.MouseIn) {
        canvas.Brush() = {RGB(0, 0, 128), bsSolid};
        canvas.FrameRect(rect);
        canvas.Brush() = {state.Down ? RGB(133, 146, 181) : RGB(182, 189, 210), bsSolid};
        canvas.FillRect(Rect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1));
    } else {
        canvas.Brush() = {clBtnFace, bsSolid};
        canvas.FillRect(rect);
    }
    if (button == cbCheckButton)
        DrawCheckMark(canvas, rect.Left + 4, rect.Top + 4, clBlack);
    else
        DrawArrowMark(canvas, rect, clBlack, button == cbUpButton ? 3 : 4);
}

void TbsListCaptionBand::DrawPlain(TCanvas& canvas) {
    int width = FControl.Width();
    TRect textRect = PlainCaptionTextRect(width, FDefaultHeight);
    canvas.SetFont(FDefaultFont);
    DrawContent(canvas, textRect, false);
    canvas.Pen().Color = clBtnShadow;
    canvas.MoveTo(1, FDefaultHeight - 1);
    canvas.LineTo(width - 1, FDefaultHeight - 1);
    for (int b : {cbUpButton, cbDownButton, cbCheckButton})
        DrawPlainButton(canvas, b);
}

void TbsListCaptionBand::DrawSkinButton(TCanvas& canvas, int button) {
    const TRect& rect = FButtons.Rects[button];
    TBitmap* picture = FControl.SkinPicture();
    if (IsNullRect(rect) || !picture) return;
    const TButtonState& state = FButtonState[button];
    TRect source;
    if (state.Down && state.MouseIn)
        source = FSkin.DownButtonRects[button];
    else if (state.MouseIn)
        source = FSkin.ActiveButtonRects[button];
    if (IsNullRect(source)) {
        const TRect& skinRect = FControl.SkinGeometry().SkinRect;
        source = OffsetRect(FSkin.ButtonRects[button], skinRect.Left, skinRect.Top);
    }
    CopyUnscaled(canvas, rect, *picture, source);
}

void TbsListCaptionBand::DrawSkinned(TCanvas& canvas) {
    if (!IsNullRect(FSkin.CaptionRect)) {
        TRect rect = SkinCaptionRect(FControl.SkinGeometry(), FSkin.CaptionRect, FControl.Width());
        canvas.Font().SetName(FSkin.CaptionFontName);
        canvas.Font().SetHeight(FSkin.CaptionFontHeight);
        canvas.Font().SetColor(FSkin.CaptionFontColor);
        canvas.Font().SetStyle(FSkin.CaptionFontStyle);
        DrawContent(canvas, rect, true);
    }
    for (int b : {cbUpButton, cbDownButton, cbCheckButton})
        DrawSkinButton(canvas, b);
}

void TbsListCaptionBand::TrackButtons(int x, int y) {
    if (Skinned() && IsNullRect(FSkin.ButtonRects[cbUpButton]) && IsNullRect(FSkin.ButtonRects[cbDownButton]))
        return;
    CalcButtons();
    int hot = -1;
    for (int b : {cbUpButton, cbDownButton, cbCheckButton})
        if (PtInRect(FButtons.Rects[b], {x, y})) {
            hot = b;
            break;
        }
    if (FPressedButton != -1 && hot != FPressedButton) hot = -1;
    if (hot == FHotButton) return;
    FOldHotButton = FHotButton;
    FHotButton = hot;
    bool repeating = FRepeatMode != crmNone;
    if (FOldHotButton != -1) {
        TButtonState& old = FButtonState[FOldHotButton];
        old.MouseIn = false;
        FControl.Invalidate();
        if (repeating && old.Down) FControl.KillTimer(1);
    }
    if (hot != -1) {
        TButtonState& now = FButtonState[hot];
        now.MouseIn = true;
        FControl.Invalidate();
        if (repeating && now.Down) FControl.SetTimer(1, CaptionResumeIntervalMs);
    }
}

void TbsListCaptionBand::StopRepeat() {
    FControl.KillTimer(1);
    FRepeatMode = crmNone;
}

void TbsListCaptionBand::MouseDown(int x, int y) {
    TrackButtons(x, y);
    if (FHotButton == -1) return;
    int pressed = FHotButton;
    FPressedButton = pressed;
    FButtonState[pressed].MouseIn = true;
    FButtonState[pressed].Down = true;
    FControl.Invalidate();
    if (!FOwner.CaptionButtonEvent(pressed) && pressed != cbCheckButton) {
        FRepeatMode = pressed == cbUpButton ? crmMoveUp : crmMoveDown;
        FFirstTick = true;
        FControl.SetTimer(1, CaptionRepeatDelayMs);
    }
}

void TbsListCaptionBand::MouseUp() {
    if (FPressedButton == -1) return;
    int pressed = FPressedButton;
    TButtonState& state = FButtonState[pressed];
    state.Down = false;
    state.MouseIn = pressed == FHotButton;
    FControl.Invalidate();
    const TNotifyEvent& event = FOwner.CaptionButtonEvent(pressed);
    if (state.MouseIn && event) {
        FPressedButton = -1;
        event(&FControl);
        return;
    }
    // Released anywhere, a button still does its own job.
    FOwner.CaptionButtonAction(pressed);
    if (FRepeatMode != crmNone) StopRepeat();
    FPressedButton = -1;
}

void TbsListCaptionBand::MouseLeave() {
    // The check button keeps its look, and the hot button is left as it was.
    for (int b : {cbUpButton, cbDownButton}) {
        if (!FButtonState[b].MouseIn) continue;
        FButtonState[b].MouseIn = false;
        FControl.Invalidate();
    }
}

void TbsListCaptionBand::TimerTick() {
    if (FFirstTick) {
        FFirstTick = false;
        FControl.SetTimer(1, CaptionRepeatIntervalMs);
        return;
    }
    if (FRepeatMode == crmMoveUp)
        FOwner.CaptionButtonAction(cbUpButton);
    else if (FRepeatMode == crmMoveDown)
        FOwner.CaptionButtonAction(cbDownButton);
}
