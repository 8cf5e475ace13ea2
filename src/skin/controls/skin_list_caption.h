#pragma once
// Geometry of the list box's caption band: the caption text with its glyph, and three
// small buttons (up, down, check) at the band's right end. Pure functions, so the
// band's layout is tested without painting.

#include "platform/basic_types.h"
#include "skin/controls/skin_control.h"

#include <string>

// The caption buttons, in hit-test order.
inline constexpr int cbUpButton = 0;
inline constexpr int cbDownButton = 1;
inline constexpr int cbCheckButton = 2;

// What a held caption button keeps doing.
inline constexpr int crmNone = 0;
inline constexpr int crmMoveUp = 1;
inline constexpr int crmMoveDown = 2;
inline constexpr int CaptionRepeatDelayMs = 500;
inline constexpr int CaptionRepeatIntervalMs = 100;
// Back on a held button after wandering off it.
inline constexpr int CaptionResumeIntervalMs = 50;

struct TbsCaptionButtonRects {
    TRect Rects[3]; // indexed by cbUpButton, cbDownButton, cbCheckButton
};

// Plain look: square buttons as tall as the band allows (17 at most), right to left.
TbsCaptionButtonRects PlainCaptionButtons(int width, int captionHeight);
// Plain look: where the caption text may go, left of the buttons.
TRect PlainCaptionTextRect(int width, int captionHeight);

// A skin's caption values, copied from its list box record.
struct TbsListCaptionSkin {
    TRect CaptionRect;
    std::string CaptionFontName = "Arial";
    int CaptionFontHeight = 14;
    TFontStyles CaptionFontStyle = 0;
    TColor CaptionFontColor = 0;
    // Normal rects in skin coordinates; active and down ones in picture coordinates.
    TRect ButtonRects[3], ActiveButtonRects[3], DownButtonRects[3];
};

// The skin's caption rect for a control of that width: it follows the right edge when
// it reaches the right-hand anchor.
TRect SkinCaptionRect(const TbsSkinGeometry& geometry, const TRect& captionRect, int width);
// A skin button rect for a control of that size: below the top anchor it moves with
// the bottom, and right of the relevant anchor with the right edge.
TRect SkinCaptionButtonRect(const TbsSkinGeometry& geometry, const TRect& buttonRect, int width,
                            int height);

struct TbsCaptionContent {
    int TextWidth = 0;
    int TextHeight = 0;
    int GlyphWidth = 0; // of one frame; 0 without a glyph
    int GlyphHeight = 0;
    int Spacing = 2;
    TAlignment Alignment = taLeftJustify;
};

struct TbsCaptionPlacement {
    TPoint Glyph;
    TPoint Text;
};

// Glyph and text placed in the caption rect by the alignment. The plain look keeps
// the text centred on the band (captionHeight) and its glyph one pixel higher; a
// skinned caption sits 2 pixels inside its rect and centres both on it.
TbsCaptionPlacement PlaceCaptionContent(const TRect& rect, const TbsCaptionContent& content, bool skinned,
                                        int captionHeight);
