#pragma once
// Value types shared by every layer: points, rectangles, colours and font styles
// with the platform's conventions (rectangles exclude their right and bottom edges,
// colours keep red in the low byte).

#include <algorithm>
#include <cstdint>

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    TPoint TopLeft() const { return {Left, Top}; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
inline TRect Bounds(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}
inline bool PtInRect(const TRect& r, TPoint p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}
inline TRect OffsetRect(TRect r, int dx, int dy) {
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}
// Empty when it encloses no pixel.
inline bool IsRectEmpty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }
inline TRect IntersectRect(const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    return IsRectEmpty(r) ? TRect{} : r;
}

// A Windows colour value: 0x00BBGGRR. Values with the high bit set name system colours.
using TColor = std::int32_t;

inline constexpr TColor RGB(int r, int g, int b) {
    return TColor((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
inline constexpr int GetRValue(TColor c) { return c & 0xFF; }
inline constexpr int GetGValue(TColor c) { return (c >> 8) & 0xFF; }
inline constexpr int GetBValue(TColor c) { return (c >> 16) & 0xFF; }

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clNone = 0x1FFFFFFF;
// System colours, resolved by the toolkit's colour table.
inline constexpr TColor clScrollBar = TColor(0x80000000);
inline constexpr TColor clWindow = TColor(0x80000005);
inline constexpr TColor clWindowText = TColor(0x80000008);
inline constexpr TColor clHighlight = TColor(0x8000000D);
inline constexpr TColor clHighlightText = TColor(0x8000000E);
inline constexpr TColor clBtnFace = TColor(0x8000000F);
inline constexpr TColor clBtnShadow = TColor(0x80000010);
inline constexpr TColor clBtnHighlight = TColor(0x80000014);

// Font style flags in the order bold, italic, underline, strike-out (bits 0 to 3).
enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = std::uint8_t;

// Horizontal text alignment, stored as left = 0, right = 1, centre = 2.
enum TAlignment : std::uint8_t { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };
