// The list box's caption band: its geometry, painting in both looks, and the three
// buttons with their auto-repeat.

#include "skin/controls/skin_list_caption.h"

#include "pictures/bitmap.h"
#include "skin/bs_utils.h"
#include "skin/controls/skin_list_box.h"
#include "toolkit/canvas.h"
#include "toolkit/pixel_buffer.h"

#include <algorithm>

TbsCaptionButtonRects PlainCaptionButtons(int width, int captionHeight) {
    TbsCaptionButtonRects buttons;
    int a = std::min(17, captionHeight - 3);
    TRect& up = buttons.Rects[cbUpButton];
    TRect& down = buttons.Rects[cbDownButton];
    TRect& check = buttons.Rects[cbCheckButton];
    up = Rect(width - a - 2, 2, width - 2, a + 1);
    down = Rect(up.Left - a, 2, up.Left, a + 1);
    check = Rect(down.Left - a, 2, down.Left, a + 1);
    return buttons;
}

TRect PlainCaptionTextRect(int width, int captionHeight) {
    int a = std::min(17, captionHeight - 3);
    return Rect(3, 2, width - 3 * a - 3, captionHeight - 2);
}

TRect SkinCaptionRect(const TbsSkinGeometry& g, const TRect& captionRect, int width) {
    TRect rect = captionRect;
    if (rect.Right >= g.RightTopPoint.X) rect.Right += width - g.SkinRect.Width();
    return rect;
}

TRect SkinCaptionButtonRect(const TbsSkinGeometry& g, const TRect& buttonRect, int width, int height) {
    TRect rect = buttonRect;
    int anchorX = g.RightTopPoint.X;
    if (rect.Top > g.LeftTopPoint.Y) {
        rect = OffsetRect(rect, 0, height - g.SkinRect.Height());
        anchorX = g.RightBottomPoint.X;
    }
    if (rect.Left > anchorX) rect = OffsetRect(rect, width - g.SkinRect.Width(), 0);
    return rect;
}

TbsCaptionPlacement PlaceCaptionContent(const TRect& r, const TbsCaptionContent& c, bool skinned,
                                        int captionHeight) {
    int glyphAdvance = c.GlyphWidth > 0 ? c.GlyphWidth + c.Spacing : 0;
    int content = c.TextWidth + glyphAdvance;
    int x;
    switch (c.Alignment) {
    case taRightJustify: x = r.Right - content - (skinned ? 2 : 0); break;
    case taCenter: x = r.Left + (skinned ? 2 : 0) + r.Width() / 2 - content / 2; break;
    default: x = r.Left + (skinned ? 2 : 0); break;
    }
    TbsCaptionPlacement placement;
    int glyphTop = r.Top + r.Height() / 2 - c.GlyphHeight / 2;
    placement.Glyph = {x, skinned ? glyphTop : glyphTop - 1};
    int textTop = skinned ? r.Top + r.Height() / 2 - c.TextHeight / 2 : (captionHeight - 2) / 2 - c.TextHeight / 2;
    placement.Text = {x + glyphAdvance, textTop};
    return placement;
}

// ---------------------------------------------------------------------------------------
// The band on the list box

void TbsSkinCustomListBox::SetCaptionMode(bool value) {
    FCaptionMode = value;
    if (!Skinned()) {
        ArrangeChildren();
        Invalidate();
    }
}

void TbsSkinCustomListBox::SetDefaultCaptionHeight(int value) {
    FDefaultCaptionHeight = value;
    if (!Skinned() && FCaptionMode) {
        ArrangeChildren();
        Invalidate();
    }
}

void TbsSkinCustomListBox::SetDefaultCaptionFont(const TFont& font) { FDefaultCaptionFont.Assign(font); }

void TbsSkinCustomListBox::SetAlignment(TAlignment value) {
    if (value == FAlignment) return;
    FAlignment = value;
    if (FCaptionMode) Invalidate();
}

void TbsSkinCustomListBox::SetGlyph(const TBitmap& glyph) {
    FGlyph->Assign(glyph);
    Invalidate();
}

void TbsSkinCustomListBox::SetNumGlyphs(int value) {
    FNumGlyphs = value;
    Invalidate();
}

void TbsSkinCustomListBox::SetSpacing(int value) {
    FSpacing = value;
    Invalidate();
}

void TbsSkinCustomListBox::TextChanged() {
    TbsSkinCustomControl::TextChanged();
    if (FCaptionMode) Invalidate();
}

void TbsSkinCustomListBox::CalcCaptionButtons() {
    if (!Skinned()) {
        FCaptionButtons = PlainCaptionButtons(Width(), FDefaultCaptionHeight);
        return;
    }
    for (int b : {cbUpButton, cbDownButton, cbCheckButton})
        FCaptionButtons.Rects[b] = SkinCaptionButtonRect(FGeometry, FCaptionSkin.ButtonRects[b], Width(), Height());
}

void TbsSkinCustomListBox::DrawCaptionContent(TCanvas& canvas, const TRect& rect, bool skinned) {
    TbsCaptionContent content;
    content.TextWidth = canvas.TextWidth(Caption());
    content.TextHeight = canvas.TextHeight(Caption());
    content.Spacing = FSpacing;
    content.Alignment = FAlignment;
    if (FNumGlyphs == 0) FNumGlyphs = 1;
    if (!FGlyph->Empty()) {
        content.GlyphWidth = FGlyph->Width() / FNumGlyphs;
        content.GlyphHeight = FGlyph->Height();
    }
    TbsCaptionPlacement at = PlaceCaptionContent(rect, content, skinned, FDefaultCaptionHeight);
    if (!FGlyph->Empty()) {
        int frame = !Enabled() && FNumGlyphs == 2 ? 2 : 1;
        DrawStripGlyph(canvas, at.Glyph.X, at.Glyph.Y, frame, FNumGlyphs, *FGlyph);
    }
    canvas.Brush().Style = bsClear;
    canvas.TextRect(rect, at.Text.X, at.Text.Y, Caption());
}

void TbsSkinCustomListBox::DrawPlainCaptionButton(TCanvas& canvas, int button) {
    const TCaptionButtonState& state = FCaptionButtonState[button];
    TRect rect = FCaptionButtons.Rects[button];
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

void TbsSkinCustomListBox::DrawPlainCaption(TCanvas& canvas) {
    TRect textRect = PlainCaptionTextRect(Width(), FDefaultCaptionHeight);
    canvas.SetFont(FDefaultCaptionFont);
    DrawCaptionContent(canvas, textRect, false);
    canvas.Pen().Color = clBtnShadow;
    canvas.MoveTo(1, FDefaultCaptionHeight - 1);
    canvas.LineTo(Width() - 1, FDefaultCaptionHeight - 1);
    for (int b : {cbUpButton, cbDownButton, cbCheckButton})
        DrawPlainCaptionButton(canvas, b);
}

void TbsSkinCustomListBox::DrawSkinCaptionButton(TCanvas& canvas, int button) {
    const TRect& rect = FCaptionButtons.Rects[button];
    if (IsNullRect(rect) || !SkinPicture()) return;
    const TCaptionButtonState& state = FCaptionButtonState[button];
    TRect source;
    if (state.Down && state.MouseIn)
        source = FCaptionSkin.DownButtonRects[button];
    else if (state.MouseIn)
        source = FCaptionSkin.ActiveButtonRects[button];
    if (IsNullRect(source))
        source = OffsetRect(FCaptionSkin.ButtonRects[button], FGeometry.SkinRect.Left, FGeometry.SkinRect.Top);
    CopyUnscaled(canvas, rect, *SkinPicture(), source);
}

void TbsSkinCustomListBox::DrawSkinCaption(TCanvas& canvas) {
    if (!IsNullRect(FCaptionSkin.CaptionRect)) {
        TRect rect = SkinCaptionRect(FGeometry, FCaptionSkin.CaptionRect, Width());
        canvas.Font().SetName(FCaptionSkin.CaptionFontName);
        canvas.Font().SetHeight(FCaptionSkin.CaptionFontHeight);
        canvas.Font().SetColor(FCaptionSkin.CaptionFontColor);
        canvas.Font().SetStyle(FCaptionSkin.CaptionFontStyle);
        DrawCaptionContent(canvas, rect, true);
    }
    for (int b : {cbUpButton, cbDownButton, cbCheckButton})
        DrawSkinCaptionButton(canvas, b);
}

TNotifyEvent& TbsSkinCustomListBox::CaptionButtonEvent(int button) {
    if (button == cbUpButton) return OnUpButtonClick;
    if (button == cbDownButton) return OnDownButtonClick;
    return OnCheckButtonClick;
}

void TbsSkinCustomListBox::TrackCaptionButtons(int x, int y) {
    if (Skinned() && IsNullRect(FCaptionSkin.ButtonRects[cbUpButton]) &&
        IsNullRect(FCaptionSkin.ButtonRects[cbDownButton]))
        return;
    CalcCaptionButtons();
    int hot = -1;
    for (int b : {cbUpButton, cbDownButton, cbCheckButton})
        if (PtInRect(FCaptionButtons.Rects[b], {x, y})) {
            hot = b;
            break;
        }
    if (FPressedCaptionButton != -1 && hot != FPressedCaptionButton) hot = -1;
    if (hot == FHotCaptionButton) return;
    FOldHotCaptionButton = FHotCaptionButton;
    FHotCaptionButton = hot;
    bool repeating = FCaptionRepeatMode != crmNone;
    if (FOldHotCaptionButton != -1) {
        TCaptionButtonState& old = FCaptionButtonState[FOldHotCaptionButton];
        old.MouseIn = false;
        Invalidate();
        if (repeating && old.Down) KillTimer(1);
    }
    if (hot != -1) {
        TCaptionButtonState& now = FCaptionButtonState[hot];
        now.MouseIn = true;
        Invalidate();
        if (repeating && now.Down) SetTimer(1, CaptionResumeIntervalMs);
    }
}

void TbsSkinCustomListBox::StopCaptionRepeat() {
    KillTimer(1);
    FCaptionRepeatMode = crmNone;
}

void TbsSkinCustomListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (FCaptionMode) {
        TrackCaptionButtons(x, y);
        if (FHotCaptionButton != -1) {
            int pressed = FHotCaptionButton;
            FPressedCaptionButton = pressed;
            FCaptionButtonState[pressed].MouseIn = true;
            FCaptionButtonState[pressed].Down = true;
            Invalidate();
            if (!CaptionButtonEvent(pressed) && pressed != cbCheckButton) {
                FCaptionRepeatMode = pressed == cbUpButton ? crmMoveUp : crmMoveDown;
                FCaptionFirstTick = true;
                SetTimer(1, CaptionRepeatDelayMs);
            }
        }
    }
    TbsSkinCustomControl::MouseDown(button, shift, x, y);
}

void TbsSkinCustomListBox::MouseMove(TShiftState shift, int x, int y) {
    TbsSkinCustomControl::MouseMove(shift, x, y);
    if (FCaptionMode) TrackCaptionButtons(x, y);
}

void TbsSkinCustomListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (FCaptionMode && FPressedCaptionButton != -1) {
        int pressed = FPressedCaptionButton;
        TCaptionButtonState& state = FCaptionButtonState[pressed];
        state.Down = false;
        state.MouseIn = pressed == FHotCaptionButton;
        Invalidate();
        TNotifyEvent& event = CaptionButtonEvent(pressed);
        if (state.MouseIn && event) {
            FPressedCaptionButton = -1;
            event(this);
        } else {
            // Released anywhere, a button still does its own job.
            if (pressed == cbUpButton) {
                if (ItemIndex() > 0) SetItemIndex(ItemIndex() - 1);
            } else if (pressed == cbDownButton) {
                SetItemIndex(ItemIndex() + 1);
            } else {
                FListBox->Click();
            }
            if (FCaptionRepeatMode != crmNone) StopCaptionRepeat();
            FPressedCaptionButton = -1;
        }
    }
    TbsSkinCustomControl::MouseUp(button, shift, x, y);
}

void TbsSkinCustomListBox::MouseEnter() {
    TbsSkinCustomControl::MouseEnter();
    if (FCaptionMode) TrackCaptionButtons(-1, -1);
}

void TbsSkinCustomListBox::MouseLeave() {
    TbsSkinCustomControl::MouseLeave();
    if (!FCaptionMode) return;
    // The check button keeps its look, and the hot button is left as it was.
    for (int b : {cbUpButton, cbDownButton}) {
        if (!FCaptionButtonState[b].MouseIn) continue;
        FCaptionButtonState[b].MouseIn = false;
        Invalidate();
    }
}

void TbsSkinCustomListBox::CaptionTimerTick() {
    if (FCaptionFirstTick) {
        FCaptionFirstTick = false;
        SetTimer(1, CaptionRepeatIntervalMs);
        return;
    }
    if (FCaptionRepeatMode == crmMoveUp) {
        if (ItemIndex() >= 1) SetItemIndex(ItemIndex() - 1);
    } else if (FCaptionRepeatMode == crmMoveDown) {
        SetItemIndex(ItemIndex() + 1);
    }
}
