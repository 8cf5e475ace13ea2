#include "skin/bs_utils.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

using i64 = std::int64_t;

i64 ClampSize(i64 v) { return std::clamp<i64>(v, 0, MaxSkinBitmapSize); }
int ClampInt(i64 v) { return static_cast<int>(std::clamp<i64>(v, INT_MIN, INT_MAX)); }
bool FitsInt(i64 v) { return v >= INT_MIN && v <= INT_MAX; }

// Collects copies into one destination of a known size, clipping each to it.
class TCopier {
public:
    TCopier(TbsStrip& strip, i64 sourceLeft, i64 sourceTop)
        : FStrip(strip), FSrcLeft(sourceLeft), FSrcTop(sourceTop) {}

    // Source columns [sl, sr) x rows [st, sb) (relative to the source origin) to
    // destination [dl, dr) x [dt, db); a size mismatch is cut to the smaller.
    void Copy(i64 sl, i64 sr, i64 st, i64 sb, i64 dl, i64 dr, i64 dt, i64 db) {
        i64 w = std::min(sr - sl, dr - dl);
        i64 h = std::min(sb - st, db - dt);
        sl += FSrcLeft;
        st += FSrcTop;
        if (dl < 0) { w += dl; sl -= dl; dl = 0; }
        if (dt < 0) { h += dt; st -= dt; dt = 0; }
        w = std::min(w, FStrip.Width - dl);
        h = std::min(h, FStrip.Height - dt);
        if (w <= 0 || h <= 0) return;
        if (!FitsInt(sl) || !FitsInt(st) || !FitsInt(sl + w) || !FitsInt(st + h)) return;
        FStrip.Copies.push_back(
            {TRect{int(sl), int(st), int(sl + w), int(st + h)},
             TRect{int(dl), int(dt), int(dl + w), int(dt + h)}});
    }

    // Source columns [sl, sr) x rows [st, sb) repeated over destination [dl, dr) x
    // [dt, db) from its top-left corner, along the axes asked for; along the others
    // one to one, cut to the smaller. The few copies this makes say the same, each
    // a source smaller than its destination where it repeats.
    void Fill(i64 sl, i64 sr, i64 st, i64 sb, i64 dl, i64 dr, i64 dt, i64 db, bool repeatX, bool repeatY) {
        const i64 tw = sr - sl, th = sb - st;
        if (tw <= 0 || th <= 0) return;
        if (!repeatX) dr = dl + std::min(tw, dr - dl);
        if (!repeatY) db = dt + std::min(th, db - dt);
        TSpan xs[2], ys[2];
        const int nx = Spans(sl + FSrcLeft, tw, dl, std::min<i64>(dr, FStrip.Width), xs);
        const int ny = Spans(st + FSrcTop, th, dt, std::min<i64>(db, FStrip.Height), ys);
        for (int i = 0; i < nx; ++i)
            for (int j = 0; j < ny; ++j) Emit(xs[i], ys[j]);
    }

private:
    // Source [From, From + Size) repeated over destination [DestFrom, DestTo).
    struct TSpan {
        i64 From, Size, DestFrom, DestTo;
    };

    // One axis of Fill: a repetition cut by the strip's edge at 0 starts inside the
    // tile, so that first piece is a span of its own.
    static int Spans(i64 source, i64 tile, i64 from, i64 to, TSpan* out) {
        if (to <= std::max<i64>(from, 0)) return 0;
        int n = 0;
        if (from < 0) {
            const i64 phase = (-from) % tile;
            from = 0;
            if (phase) {
                out[n++] = {source + phase, tile - phase, 0, std::min(tile - phase, to)};
                from = tile - phase;
            }
        }
        if (from < to) out[n++] = {source, tile, from, to};
        return n;
    }

    void Emit(const TSpan& x, const TSpan& y) {
        const i64 w = std::min(x.Size, x.DestTo - x.DestFrom), h = std::min(y.Size, y.DestTo - y.DestFrom);
        if (!FitsInt(x.From) || !FitsInt(y.From) || !FitsInt(x.From + w) || !FitsInt(y.From + h)) return;
        FStrip.Copies.push_back({TRect{int(x.From), int(y.From), int(x.From + w), int(y.From + h)},
                                 TRect{int(x.DestFrom), int(y.DestFrom), int(x.DestTo), int(y.DestTo)}});
    }

    TbsStrip& FStrip;
    i64 FSrcLeft, FSrcTop;
};

TbsStrip MakeStrip(i64 width, i64 height) {
    TbsStrip s;
    s.Made = true;
    s.Width = int(ClampSize(width));
    s.Height = int(ClampSize(height));
    return s;
}

} // namespace

TbsStrip BuildHStrip(int leftWidth, int rightWidth, int targetWidth, const TRect& source) {
    const i64 l = leftWidth, r = rightWidth, sw = i64(source.Right) - source.Left;
    const i64 sh = i64(source.Bottom) - source.Top;
    TbsStrip strip = MakeStrip(targetWidth, sh);
    const i64 w = strip.Width, h = strip.Height;
    TCopier c(strip, source.Left, source.Top);
    if (l != 0) c.Copy(0, l, 0, h, 0, l, 0, h);
    if (r != 0) c.Copy(sw - r, sw, 0, h, w - r, w, 0, h);
    c.Fill(l, sw - r, 0, h, l, w - r, 0, h, true, false);
    return strip;
}

TbsStrip BuildVStrip(int topHeight, int bottomHeight, int targetHeight, const TRect& source) {
    const i64 t = topHeight, b = bottomHeight, sh = i64(source.Bottom) - source.Top;
    const i64 sw = i64(source.Right) - source.Left;
    TbsStrip strip = MakeStrip(sw, targetHeight);
    const i64 w = strip.Width, h = strip.Height;
    TCopier c(strip, source.Left, source.Top);
    if (t != 0) c.Copy(0, w, 0, t, 0, w, 0, t);
    if (b != 0) c.Copy(0, w, sh - b, sh, 0, w, h - b, h);
    c.Fill(0, w, t, sh - b, 0, w, t, h - b, false, true);
    return strip;
}

TbsStretchGeometry StretchGeometry(TPoint lt, TPoint rt, TPoint lb, TPoint rb, const TRect& cr,
                                   int skinWidth, int skinHeight, int width, int height) {
    TbsStretchGeometry g{lt, rt, lb, rb, cr, {}, {}, {}, {}, {}, width, height};
    const i64 dw = i64(width) - skinWidth, dh = i64(height) - skinHeight;
    g.NLT = lt;
    g.NRT = {ClampInt(rt.X + dw), rt.Y};
    g.NLB = {lb.X, ClampInt(lb.Y + dh)};
    g.NRB = {ClampInt(rb.X + dw), ClampInt(rb.Y + dh)};
    g.NCR = {cr.Left, cr.Top, ClampInt(cr.Right + dw), ClampInt(cr.Bottom + dh)};
    return g;
}

TbsStrip BuildNinePatch(const TbsStretchGeometry& g, const TRect& skinRect, bool fillCentre) {
    TbsStrip strip = MakeStrip(g.Width, g.Height);
    if (g.RB.X == g.LT.X || g.RB.Y == g.LT.Y) {
        strip.Made = false;
        return strip;
    }
    const i64 W = strip.Width, H = strip.Height;
    const i64 sw = i64(skinRect.Right) - skinRect.Left, sh = i64(skinRect.Bottom) - skinRect.Top;
    const TPoint &LT = g.LT, &RT = g.RT, &LB = g.LB, &RB = g.RB;
    const TPoint &NLT = g.NLT, &NRT = g.NRT, &NLB = g.NLB, &NRB = g.NRB;
    const TRect &CR = g.CR, &NCR = g.NCR;
    TCopier c(strip, skinRect.Left, skinRect.Top);

    c.Fill(LT.X, RT.X, 0, CR.Top, NLT.X, NRT.X, 0, NCR.Top, true, false);
    c.Fill(LB.X, RB.X, CR.Bottom, sh, NLB.X, NRB.X, NCR.Bottom, H, true, false);
    c.Fill(0, CR.Left, LT.Y, LB.Y, 0, NCR.Left, NLT.Y, NLB.Y, false, true);
    c.Fill(CR.Right, sw, RT.Y, RB.Y, NCR.Right, W, NRT.Y, NRB.Y, false, true);

    c.Copy(0, LT.X, 0, CR.Top, 0, NLT.X, 0, NCR.Top);
    c.Copy(0, CR.Left, CR.Top, LT.Y, 0, NCR.Left, NCR.Top, NLT.Y);
    c.Copy(RT.X, sw, 0, CR.Top, NRT.X, W, 0, NCR.Top);
    c.Copy(CR.Right, sw, CR.Top, RT.Y, NCR.Right, W, NCR.Top, NRT.Y);
    c.Copy(0, CR.Left, LB.Y, sh, 0, NCR.Left, NLB.Y, H);
    c.Copy(CR.Left, LB.X, CR.Bottom, sh, NCR.Left, NLB.X, NCR.Bottom, H);
    c.Copy(RB.X, sw, CR.Bottom, sh, NRB.X, W, NCR.Bottom, H);
    c.Copy(CR.Right, sw, RB.Y, CR.Bottom, NCR.Right, W, NRB.Y, NCR.Bottom);

    if (fillCentre) c.Fill(CR.Left, CR.Right, CR.Top, CR.Bottom, NCR.Left, NCR.Right, NCR.Top, NCR.Bottom, true, true);
    return strip;
}

TbsBorderStrips BuildBorderStrips(const TbsStretchGeometry& g, const TRect& skinRect) {
    TbsBorderStrips s;
    const i64 W = ClampSize(g.Width), H = ClampSize(g.Height);
    const i64 sw = i64(skinRect.Right) - skinRect.Left, sh = i64(skinRect.Bottom) - skinRect.Top;
    const TPoint &LT = g.LT, &RT = g.RT, &LB = g.LB, &RB = g.RB;
    const TRect &CR = g.CR, &NCR = g.NCR;

    if (W > 0 && NCR.Top > 0 && RT.X > LT.X) {
        s.Top = MakeStrip(W, NCR.Top);
        const i64 h = s.Top.Height;
        TCopier c(s.Top, skinRect.Left, skinRect.Top);
        c.Fill(LT.X, RT.X, 0, h, 0, W, 0, h, true, false);
        c.Copy(0, LT.X, 0, h, 0, g.NLT.X, 0, h);
        c.Copy(RT.X, sw, 0, h, g.NRT.X, W, 0, h);
    }
    const i64 hb = H - NCR.Bottom;
    if (W > 0 && hb > 0 && RB.X > LB.X) {
        s.Bottom = MakeStrip(W, hb);
        const i64 h = s.Bottom.Height;
        TCopier c(s.Bottom, skinRect.Left, skinRect.Top);
        c.Fill(LB.X, RB.X, sh - h, sh, 0, W, 0, h, true, false);
        c.Copy(0, LB.X, sh - h, sh, 0, g.NLB.X, 0, h);
        c.Copy(RB.X, sw, sh - h, sh, g.NRB.X, W, 0, h);
        s.Bottom.Position = {0, int(H - h)};
    }
    const i64 hl = H - s.Top.Height - s.Bottom.Height;
    if (NCR.Left > 0 && hl > 0 && LB.Y > LT.Y) {
        s.Left = MakeStrip(NCR.Left, hl);
        const i64 w = s.Left.Width, h = s.Left.Height;
        TCopier c(s.Left, skinRect.Left, skinRect.Top);
        c.Fill(0, w, LT.Y, LB.Y, 0, w, 0, h, false, true);
        const i64 top = i64(LT.Y) - CR.Top, bottom = i64(CR.Bottom) - LB.Y;
        if (top > 0) c.Copy(0, w, CR.Top, LT.Y, 0, w, 0, top);
        if (bottom > 0) c.Copy(0, w, LB.Y, CR.Bottom, 0, w, h - bottom, h);
        s.Left.Position = {0, s.Top.Height};
    }
    const i64 wr = W - NCR.Right;
    if (wr >= 1 && hl >= 1 && i64(RB.Y) - RT.Y >= 1) {
        s.Right = MakeStrip(wr, hl);
        const i64 w = s.Right.Width, h = s.Right.Height;
        TCopier c(s.Right, skinRect.Left, skinRect.Top);
        const i64 sl = CR.Right, sr = sw;
        c.Fill(sl, sr, RT.Y, RB.Y, 0, w, 0, h, false, true);
        const i64 top = i64(RT.Y) - CR.Top, bottom = i64(CR.Bottom) - RB.Y;
        if (top > 0) c.Copy(sl, sr, CR.Top, RT.Y, 0, w, 0, top);
        if (bottom > 0) c.Copy(sl, sr, RB.Y, CR.Bottom, 0, w, h - bottom, h);
        s.Right.Position = {int(W - w), s.Top.Height};
    }
    return s;
}

TbsSkinRegionPlan BuildSkinRegion(const TbsStretchGeometry& g, int maskWidth, int maskHeight) {
    TbsSkinRegionPlan p;
    const TPoint &LT = g.LT, &RT = g.RT, &LB = g.LB, &RB = g.RB;
    const TRect &CR = g.CR, &NCR = g.NCR;
    if (g.NRT.X < g.NLT.X || g.NLB.Y < g.NLT.Y || IsRectEmpty(NCR)) return p;
    p.HasRegion = true;
    p.Base = NCR;
    // Every strip is cut to the control and to the mask: a skin's client rect may
    // reach far past both, and nothing out there belongs to the window.
    const i64 W = ClampSize(g.Width), H = ClampSize(g.Height), mw = maskWidth, mh = maskHeight;
    const i64 ncrHeight = std::min<i64>(i64(NCR.Bottom) - NCR.Top, H - NCR.Top);

    const i64 topHeight = std::min<i64>({CR.Top, mh, H});
    if (W > 0 && topHeight > 0) {
        p.Top = MakeStrip(W, topHeight);
        const i64 h = p.Top.Height;
        TCopier c(p.Top, 0, 0);
        c.Fill(LT.X, RT.X, 0, h, g.NLT.X, g.NRT.X, 0, h, true, false);
        c.Copy(0, LT.X, 0, h, 0, LT.X, 0, h);
        c.Copy(RT.X, mw, 0, h, g.NRT.X, W, 0, h);
    }
    const i64 bottomHeight = std::min<i64>(mh - CR.Bottom, H - NCR.Bottom);
    if (W > 0 && bottomHeight > 0) {
        p.Bottom = MakeStrip(W, bottomHeight);
        const i64 h = p.Bottom.Height;
        TCopier c(p.Bottom, 0, CR.Bottom);
        c.Fill(LB.X, RB.X, 0, h, g.NLB.X, g.NRB.X, 0, h, true, false);
        c.Copy(0, LB.X, 0, h, 0, LB.X, 0, h);
        c.Copy(RB.X, mw, 0, h, g.NRB.X, W, 0, h);
        p.Bottom.Position = {0, NCR.Bottom};
    }
    // The side strips: mask columns [sl, sr), repeated rows [from, to) from row 0,
    // then the rows above `from` at the top and those below `to` at the bottom.
    auto side = [&](TbsStrip& strip, i64 sl, i64 sr, i64 from, i64 to) {
        strip = MakeStrip(sr - sl, ncrHeight);
        const i64 w = strip.Width, h = strip.Height;
        TCopier c(strip, 0, 0);
        c.Fill(sl, sr, from, to, 0, w, 0, h, false, true);
        const i64 top = from - CR.Top, bottom = i64(CR.Bottom) - to;
        const i64 full = i64(NCR.Bottom) - NCR.Top; // h, unless cut by the control
        if (top > 0) c.Copy(sl, sr, CR.Top, from, 0, w, 0, top);
        if (bottom > 0) c.Copy(sl, sr, to, CR.Bottom, 0, w, full - bottom, full);
    };
    const i64 leftWidth = std::min<i64>({CR.Left, mw, W});
    if (leftWidth > 0 && ncrHeight > 0) {
        side(p.Left, 0, leftWidth, LT.Y, LB.Y);
        p.Left.Position = {0, NCR.Top};
    }
    const i64 rightWidth = std::min<i64>(mw - CR.Right, W - NCR.Right);
    if (rightWidth > 0 && ncrHeight > 0) {
        side(p.Right, CR.Right, CR.Right + rightWidth, RT.Y, RB.Y);
        p.Right.Position = {NCR.Right, NCR.Top};
    }
    return p;
}

std::vector<TbsLine> DrawArrowMark(const TRect& rect, int direction) {
    std::vector<TbsLine> lines;
    // Kept a few pixels inside the int range so the mark's ends never overflow.
    auto centre = [](int a, int b) {
        return int(std::clamp<i64>(a + (i64(b) - a) / 2, INT_MIN + 8, INT_MAX - 8));
    };
    const int cx = centre(rect.Left, rect.Right), cy = centre(rect.Top, rect.Bottom);
    switch (direction) {
    case 1:
        for (int i = 0; i <= 3; ++i) lines.push_back({{cx - 2 + i, cy - i}, {cx - 2 + i, cy + i + 1}});
        break;
    case 2:
        for (int i = 3; i >= 0; --i) lines.push_back({{cx + 2 - i, cy - i}, {cx + 2 - i, cy + i + 1}});
        break;
    case 3:
        for (int i = 0; i <= 3; ++i) lines.push_back({{cx - i, cy - 2 + i}, {cx + i + 1, cy - 2 + i}});
        break;
    case 4:
        for (int i = 3; i >= 0; --i) lines.push_back({{cx - i, cy + 2 - i}, {cx + i + 1, cy + 2 - i}});
        break;
    default:
        break;
    }
    return lines;
}

std::vector<TbsLine> DrawCheckMark(int x, int y) {
    std::vector<TbsLine> lines;
    x = std::clamp(x, INT_MIN + 8, INT_MAX - 8);
    y = std::clamp(y, INT_MIN + 8, INT_MAX - 8);
    for (int i = 0; i <= 2; ++i) {
        lines.push_back({{x, y + 5 - i}, {x + 2, y + 7 - i}});
        lines.push_back({{x + 2, y + 7 - i}, {x + 7, y + 2 - i}});
    }
    return lines;
}
