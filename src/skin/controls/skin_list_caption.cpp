#include "skin/controls/skin_list_caption.h"

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
