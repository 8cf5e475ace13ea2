// The bitmap side of the skin primitives: the geometry comes from bs_utils.cpp, and
// these only size destinations and copy what its lists say.

#include "skin/bs_utils.h"

#include "pictures/bitmap.h"
#include "skin/bs_fbitmap.h"
#include "toolkit/canvas.h"
#include "toolkit/pixel_buffer.h"

#include <algorithm>
#include <climits>

namespace {

void Paint(const TbsStrip& strip, const TBitmap& picture, TBitmap& dest) {
    dest.SetSize(strip.Width, strip.Height);
    if (picture.Empty()) return;
    TCanvas& canvas = dest.Canvas();
    for (const TbsCopy& copy : strip.Copies)
        canvas.TileRect(copy.Dest, picture.PixelBuffer(), copy.Source);
    canvas.Flush();
}

void PaintOrEmpty(const TbsStrip& strip, const TBitmap& picture, TBitmap& dest) {
    if (strip.Made)
        Paint(strip, picture, dest);
    else
        dest.SetSize(0, 0);
}

void Put32(std::vector<std::uint8_t>& out, std::int64_t value) {
    const auto v = std::uint32_t(std::int32_t(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX)));
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(std::uint8_t(v >> shift));
}

std::int32_t Get32(const std::uint8_t* p) {
    return std::int32_t(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                        std::uint32_t(p[3]) << 24);
}

} // namespace

void BuildHStrip(int leftWidth, int rightWidth, TBitmap& dest, int targetWidth, const TRect& source,
                 const TBitmap& picture) {
    Paint(BuildHStrip(leftWidth, rightWidth, targetWidth, source), picture, dest);
}

void BuildVStrip(int topHeight, int bottomHeight, TBitmap& dest, int targetHeight,
                 const TRect& source, const TBitmap& picture) {
    Paint(BuildVStrip(topHeight, bottomHeight, targetHeight, source), picture, dest);
}

void BuildNinePatch(const TbsStretchGeometry& g, const TRect& skinRect, const TBitmap& picture,
                    TBitmap& dest, bool fillCentre) {
    TbsStrip strip = BuildNinePatch(g, skinRect, fillCentre);
    if (!strip.Made) strip.Copies.clear();
    Paint(strip, picture, dest);
}

void BuildBorderStrips(const TbsStretchGeometry& g, const TRect& skinRect, const TBitmap& picture,
                       TBitmap& top, TBitmap& bottom, TBitmap& left, TBitmap& right) {
    const TbsBorderStrips strips = BuildBorderStrips(g, skinRect);
    PaintOrEmpty(strips.Top, picture, top);
    PaintOrEmpty(strips.Bottom, picture, bottom);
    PaintOrEmpty(strips.Left, picture, left);
    PaintOrEmpty(strips.Right, picture, right);
}

std::vector<std::uint8_t> MaskToRects(const TBitmap& bitmap, int x0, int y0) {
    if (bitmap.Empty()) return {};
    struct TRun {
        int Left, Top, Right;
    };
    std::vector<TRun> runs;
    runs.reserve(MaxMaskRects);
    {
        const TbsFBitmap pixels(bitmap);
        auto black = [](const std::uint8_t* p) { return p[0] == 0 && p[1] == 0 && p[2] == 0; };
        for (int y = 0; y < pixels.Height && int(runs.size()) < MaxMaskRects; ++y) {
            const std::uint8_t* row = pixels.RowTable[std::size_t(y)];
            int x = 0;
            while (x < pixels.Width && int(runs.size()) < MaxMaskRects) {
                if (!black(row + 3 * x)) {
                    ++x;
                    continue;
                }
                const int start = x;
                while (x < pixels.Width && black(row + 3 * x))
                    ++x;
                runs.push_back({start, y, x});
            }
        }
    }
    std::vector<std::uint8_t> data;
    data.reserve(32 + 16 * runs.size());
    Put32(data, 32);
    Put32(data, 1);
    Put32(data, std::int64_t(runs.size()));
    Put32(data, 0);
    Put32(data, x0);
    Put32(data, y0);
    Put32(data, std::int64_t(x0) + bitmap.Width());
    Put32(data, std::int64_t(y0) + bitmap.Height());
    for (const TRun& run : runs) {
        Put32(data, std::int64_t(run.Left) + x0);
        Put32(data, std::int64_t(run.Top) + y0);
        Put32(data, std::int64_t(run.Right) + x0);
        Put32(data, std::int64_t(run.Top) + 1 + y0);
    }
    return data;
}

TRegion RegionFromRectData(const std::vector<std::uint8_t>& data) {
    if (data.size() < 32 || Get32(&data[0]) != 32 || Get32(&data[4]) != 1) return TRegion();
    const std::int64_t count = Get32(&data[8]);
    if (count < 0 || std::int64_t(data.size()) < 32 + 16 * count) return TRegion();
    std::vector<TRect> rects(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const std::uint8_t* p = &data[32 + 16 * i];
        rects[i] = Rect(Get32(p), Get32(p + 4), Get32(p + 8), Get32(p + 12));
    }
    return TRegion::FromRects(rects);
}

std::optional<TRegion> RegionFromMask(const TBitmap& mask) {
    if (mask.Empty()) return std::nullopt;
    return RegionFromRectData(MaskToRects(mask, 0, 0));
}

std::optional<TRegion> BuildSkinRegion(const TbsStretchGeometry& g, const TBitmap& mask) {
    const TbsSkinRegionPlan plan = BuildSkinRegion(g, mask.Width(), mask.Height());
    if (!plan.HasRegion) return std::nullopt;
    TRegion region(plan.Base);
    for (const TbsStrip* strip : {&plan.Top, &plan.Bottom, &plan.Left, &plan.Right}) {
        if (!strip->Made || strip->Width <= 0 || strip->Height <= 0) continue;
        // What no copy reaches is outside the control, as a non-black mask pixel is.
        TBitmap cut;
        cut.SetSize(strip->Width, strip->Height);
        cut.Canvas().Brush() = {clWhite, bsSolid};
        cut.Canvas().FillRect(Rect(0, 0, strip->Width, strip->Height));
        Paint(*strip, mask, cut);
        region.Unite(RegionFromRectData(MaskToRects(cut, strip->Position.X, strip->Position.Y)));
    }
    return region;
}

void DrawStripGlyph(TCanvas& canvas, int x, int y, int n, int count, const TBitmap& strip) {
    if (strip.Empty() || count < 1) return;
    const int w = strip.Width() / count, h = strip.Height();
    const std::int64_t left = std::int64_t(w) * (std::int64_t(n) - 1);
    if (w < 1 || left < 0 || left + w > strip.Width()) return;
    TPixelBuffer frame;
    frame.Allocate(w, h, pf32bit);
    frame.Canvas().CopyRect(Rect(0, 0, w, h), strip.PixelBuffer(),
                            Rect(int(left), 0, int(left) + w, h));
    frame.Canvas().Flush();
    canvas.DrawTransparent(x, y, frame, frame.Pixel(0, h - 1));
}

void DrawArrowMark(TCanvas& canvas, const TRect& rect, TColor color, int direction) {
    canvas.Pen().Color = color;
    for (const TbsLine& line : DrawArrowMark(rect, direction)) {
        canvas.MoveTo(line.From.X, line.From.Y);
        canvas.LineTo(line.To.X, line.To.Y);
    }
}

void DrawCheckMark(TCanvas& canvas, int x, int y, TColor color) {
    canvas.Pen().Color = color;
    for (const TbsLine& line : DrawCheckMark(x, y)) {
        canvas.MoveTo(line.From.X, line.From.Y);
        canvas.LineTo(line.To.X, line.To.Y);
    }
}

void DrawCenteredText(TCanvas& canvas, const std::string& text, const TRect& rect, int offset) {
    const int top = rect.Top + RectHeight(rect) / 2 - canvas.TextHeight(text) / 2;
    canvas.TextRect(rect, rect.Left + 2 + offset, top, text);
}
