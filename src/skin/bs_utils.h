#pragma once
// Geometry of the skin bitmap primitives: which rectangle of a skin picture is copied
// where, as plain lists, so painting only walks them and tests need no pixels.
// Images grow only by repeating a part, the last repetition cut where its span ends:
// a copy whose source is smaller than its destination is that repetition, laid from
// the destination's top-left corner (TCanvas::TileRect); otherwise both have one size.
//
// All lists are total: copies are clipped to the destination bitmap and empty ones
// dropped, so a walker may copy them blindly; a tile of zero or negative size is
// never laid (that band is simply skipped); target and strip sizes are clamped to
// 0..MaxSkinBitmapSize. A list has a few entries whatever the number of tiles.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/basic_types.h"
#include "toolkit/region.h"

class TBitmap;
class TCanvas;

inline constexpr int MaxSkinBitmapSize = 32767;

struct TbsCopy {
    TRect Source; // in the source picture; repeated when smaller than Dest
    TRect Dest;   // in the destination bitmap
    friend bool operator==(const TbsCopy&, const TbsCopy&) = default;
};
using TbsCopyList = std::vector<TbsCopy>;

// A destination bitmap of Width x Height and the copies that draw it, in order.
struct TbsStrip {
    bool Made = false; // false: no bitmap is made for it at all
    int Width = 0;
    int Height = 0;
    TPoint Position; // where the strip goes in the control (border and region strips)
    TbsCopyList Copies;
};

inline int RectWidth(const TRect& r) { return r.Right - r.Left; }
inline int RectHeight(const TRect& r) { return r.Bottom - r.Top; }
inline TRect NullRect() { return TRect{0, 0, 0, 0}; }
inline bool IsNullRect(const TRect& r) { return RectWidth(r) < 1 || RectHeight(r) < 1; }
inline bool IsNullPoint(const TPoint& p) { return p.X == 0 || p.Y == 0; }

// Fixed left and right ends of the source rect, its middle repeated from the left end
// to the right one. The ends are drawn first, the right one last of the two, so it wins
// where they overlap. A middle of zero or negative width gets no copies.
TbsStrip BuildHStrip(int leftWidth, int rightWidth, int targetWidth, const TRect& source);
// The same with rows: fixed top and bottom, the middle repeated between them.
TbsStrip BuildVStrip(int topHeight, int bottomHeight, int targetHeight, const TRect& source);

// A skin image's anchors and client rect (offsets inside SkinRect) and the same
// moved for a target of Width x Height pixels.
struct TbsStretchGeometry {
    TPoint LT, RT, LB, RB;
    TRect CR;
    TPoint NLT, NRT, NLB, NRB;
    TRect NCR;
    int Width = 0;
    int Height = 0;
};

// The target anchors: the right ones move with the width, the bottom ones with the height.
TbsStretchGeometry StretchGeometry(TPoint lt, TPoint rt, TPoint lb, TPoint rb, const TRect& cr,
                                   int skinWidth, int skinHeight, int width, int height);

// The whole control image: repeated bands, the fixed pieces over them, then (if asked)
// the client rect tiled over the new client rect. Made is false, with the size still
// set, when RB.x = LT.x or RB.y = LT.y; a caller also draws nothing for an empty picture.
// Where the target is smaller than the fixed parts, the repeated parts draw nothing.
TbsStrip BuildNinePatch(const TbsStretchGeometry& g, const TRect& skinRect, bool fillCentre);

struct TbsBorderStrips {
    TbsStrip Top, Bottom, Left, Right;
};
// The frame of a control whose centre someone else draws; each strip is placed at its
// Position inside the control.
TbsBorderStrips BuildBorderStrips(const TbsStretchGeometry& g, const TRect& skinRect);

// The window region of a stretched control whose mask has the skin image's size:
// the new client rect united with the black parts of four mask strips, each strip's
// mask placed at its Position. No region at all when HasRegion is false.
struct TbsSkinRegionPlan {
    bool HasRegion = false;
    TRect Base; // the new client rect
    TbsStrip Top, Bottom, Left, Right;
};
TbsSkinRegionPlan BuildSkinRegion(const TbsStretchGeometry& g, int maskWidth, int maskHeight);

// A pen line from From to To, the To pixel left out.
struct TbsLine {
    TPoint From;
    TPoint To;
    friend bool operator==(const TbsLine&, const TbsLine&) = default;
};

// A 7-pixel triangle centred in the rect; direction 1 left, 2 right, 3 up, 4 down,
// anything else nothing.
std::vector<TbsLine> DrawArrowMark(const TRect& rect, int direction);
// A tick three pixels thick inside the 8 x 8 box at (x, y).
std::vector<TbsLine> DrawCheckMark(int x, int y);

// ---- The same with pictures: each sizes its destinations and walks the lists above.

// Destination = targetWidth x source height.
void BuildHStrip(int leftWidth, int rightWidth, TBitmap& dest, int targetWidth,
                 const TRect& source, const TBitmap& picture);
// Destination = source width x targetHeight.
void BuildVStrip(int topHeight, int bottomHeight, TBitmap& dest, int targetHeight,
                 const TRect& source, const TBitmap& picture);
// Destination = the whole control image; only sized when the picture is empty or the
// anchors leave nothing to repeat.
void BuildNinePatch(const TbsStretchGeometry& g, const TRect& skinRect, const TBitmap& picture,
                    TBitmap& dest, bool fillCentre);
// A strip that is not made is left 0 x 0.
void BuildBorderStrips(const TbsStretchGeometry& g, const TRect& skinRect, const TBitmap& picture,
                       TBitmap& top, TBitmap& bottom, TBitmap& left, TBitmap& right);

// Region data of the bitmap's pure black pixels, one rectangle per run in a row, moved
// by (x0, y0): a 32-byte header (size 32, type 1, count, 0, bounding rect) and 16 bytes
// per rectangle, all 32-bit little-endian. At most MaxMaskRects rectangles; nothing
// at all for an empty bitmap.
inline constexpr int MaxMaskRects = 10000;
std::vector<std::uint8_t> MaskToRects(const TBitmap& bitmap, int x0, int y0);
// The region such data describes; malformed data gives an empty region.
TRegion RegionFromRectData(const std::vector<std::uint8_t>& data);
// The black part of a mask at its own size; none for an empty mask.
std::optional<TRegion> RegionFromMask(const TBitmap& mask);
// The region of a control stretched by the geometry, from a mask of the skin image's
// size; none when the target is smaller than the fixed anchors or has no client area.
std::optional<TRegion> BuildSkinRegion(const TbsStretchGeometry& g, const TBitmap& mask);

// Frame n (from 1) of count frames side by side in the strip, drawn at (x, y) with the
// frame's bottom-left colour left out.
void DrawStripGlyph(TCanvas& canvas, int x, int y, int n, int count, const TBitmap& strip);
void DrawArrowMark(TCanvas& canvas, const TRect& rect, TColor color, int direction);
void DrawCheckMark(TCanvas& canvas, int x, int y, TColor color);
// Clipped to the rect, 2 + offset pixels from its left, centred by the font's height.
void DrawCenteredText(TCanvas& canvas, const std::string& text, const TRect& rect, int offset);
