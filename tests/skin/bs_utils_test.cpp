#include <gtest/gtest.h>

#include <map>

#include "skin/bs_utils.h"

namespace {

// Walks the copies the way a painter would, over "pictures" whose pixel value is
// its own coordinate, and returns for each destination pixel where it came from
// (-1 where no copy lands). A source smaller than its destination repeats from the
// destination's top-left; the last copy wins, as in drawing.
std::vector<TPoint> Paint(const TbsStrip& s) {
    std::vector<TPoint> px(std::size_t(s.Width) * std::size_t(s.Height), TPoint{-1, -1});
    for (const TbsCopy& c : s.Copies) {
        EXPECT_TRUE(c.Source.Width() > 0 && c.Source.Height() > 0);
        EXPECT_LE(c.Source.Width(), c.Dest.Width());
        EXPECT_LE(c.Source.Height(), c.Dest.Height());
        EXPECT_TRUE(c.Dest.Left >= 0 && c.Dest.Top >= 0 && c.Dest.Right <= s.Width &&
                    c.Dest.Bottom <= s.Height);
        for (int y = 0; y < c.Dest.Height(); ++y)
            for (int x = 0; x < c.Dest.Width(); ++x)
                px[std::size_t(c.Dest.Top + y) * std::size_t(s.Width) + std::size_t(c.Dest.Left + x)] =
                    TPoint{c.Source.Left + x % c.Source.Width(), c.Source.Top + y % c.Source.Height()};
    }
    return px;
}

// The source column each destination column of a one-row strip shows.
std::vector<int> Columns(const TbsStrip& s) {
    std::vector<int> cols;
    for (const TPoint& p : Paint(s)) cols.push_back(p.X);
    return cols;
}

TEST(StripGeometry, HStripKeepsTheEndsAndRepeatsTheMiddle) {
    const TRect src = Rect(100, 7, 160, 8); // 60 wide, one row
    TbsStrip same = BuildHStrip(10, 5, 60, src);
    EXPECT_EQ(same.Width, 60);
    EXPECT_EQ(same.Height, 1);
    std::vector<int> identity;
    for (int x = 100; x < 160; ++x) identity.push_back(x);
    EXPECT_EQ(Columns(same), identity);

    TbsStrip wide = BuildHStrip(10, 5, 100, src);
    EXPECT_EQ(wide.Copies, (TbsCopyList{{Rect(100, 7, 110, 8), Rect(0, 0, 10, 1)},
                                        {Rect(155, 7, 160, 8), Rect(95, 0, 100, 1)},
                                        {Rect(110, 7, 155, 8), Rect(10, 0, 95, 1)}}));
    std::vector<int> wideColumns = Columns(wide);
    EXPECT_EQ(wideColumns[54], 154);
    EXPECT_EQ(wideColumns[55], 110); // the middle starts again
    EXPECT_EQ(wideColumns[94], 149);
}

TEST(StripGeometry, NarrowTargetsAndEmptyMiddles) {
    const TRect src = Rect(0, 0, 60, 1);
    // W < L + R: both ends, the right one over the left; no middle.
    TbsStrip narrow = BuildHStrip(10, 5, 12, src);
    EXPECT_EQ(Columns(narrow), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 55, 56, 57, 58, 59}));
    EXPECT_EQ(narrow.Copies.size(), 2u);
    EXPECT_TRUE(BuildHStrip(10, 5, 0, src).Copies.empty());
    EXPECT_EQ(BuildHStrip(10, 5, -40, src).Width, 0);
    // A middle of width 0 or less gets no copies; the unreached columns stay untouched.
    TbsStrip noMiddle = BuildHStrip(30, 30, 100, src);
    EXPECT_EQ(noMiddle.Copies.size(), 2u);
    EXPECT_EQ(Columns(noMiddle)[50], -1);
    EXPECT_EQ(BuildHStrip(40, 40, 100, src).Copies.size(), 2u);
    // Huge numbers stay bounded and never wrap.
    TbsStrip huge = BuildHStrip(0, 0, INT32_MAX, Rect(0, 0, 1, 1));
    EXPECT_EQ(huge.Width, MaxSkinBitmapSize);
    EXPECT_EQ(huge.Copies.size(), 1u) << "one repetition, not a copy per tile";
    EXPECT_TRUE(BuildHStrip(INT32_MAX, INT32_MAX, 50, Rect(INT32_MIN, 0, INT32_MAX, 1)).Copies.size() <= 3);
}

TEST(StripGeometry, VStripRepeatsRows) {
    TbsStrip s = BuildVStrip(2, 3, 12, Rect(40, 10, 41, 17)); // middle rows 12..13
    std::vector<int> rows;
    for (const TPoint& p : Paint(s)) rows.push_back(p.Y);
    EXPECT_EQ(rows, (std::vector<int>{10, 11, 12, 13, 12, 13, 12, 13, 12, 14, 15, 16}));
}

// A 20 x 16 skin at (50, 60): anchors (4,3) (15,3) (4,12) (15,12), client (2,2,18,14).
const TRect SkinRect = Rect(50, 60, 70, 76);
TbsStretchGeometry Geometry(int width, int height) {
    return StretchGeometry({4, 3}, {15, 3}, {4, 12}, {15, 12}, Rect(2, 2, 18, 14), 20, 16, width,
                           height);
}

TEST(NinePatchGeometry, SkinSizeReproducesTheImage) {
    TbsStrip s = BuildNinePatch(Geometry(20, 16), SkinRect, true);
    ASSERT_TRUE(s.Made);
    std::vector<TPoint> px = Paint(s);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 20; ++x) EXPECT_EQ(px[std::size_t(y * 20 + x)], (TPoint{50 + x, 60 + y}));
}

TEST(NinePatchGeometry, LargerTargetRepeatsBandsAndKeepsCorners) {
    TbsStretchGeometry g = Geometry(45, 30);
    EXPECT_EQ(g.NRT, (TPoint{40, 3}));
    EXPECT_EQ(g.NRB, (TPoint{40, 26}));
    EXPECT_EQ(g.NCR, Rect(2, 2, 43, 28));
    std::vector<TPoint> px = Paint(BuildNinePatch(g, SkinRect, false));
    auto at = [&](int x, int y) { return px[std::size_t(y * 45 + x)]; };
    EXPECT_EQ(at(0, 0), (TPoint{50, 60}));
    EXPECT_EQ(at(44, 29), (TPoint{69, 75}));
    EXPECT_EQ(at(44, 0), (TPoint{69, 60}));
    // Top band: columns 4..14 repeat from 4, the copy at 37 cut at 40.
    EXPECT_EQ(at(15, 0), (TPoint{54, 60}));
    EXPECT_EQ(at(39, 0), (TPoint{56, 60}));
    EXPECT_EQ(at(40, 0), (TPoint{65, 60}));
    // Fill flag clear: the new client rect is left alone.
    EXPECT_EQ(at(20, 15), (TPoint{-1, -1}));
    std::vector<TPoint> filled = Paint(BuildNinePatch(g, SkinRect, true));
    EXPECT_EQ(filled[std::size_t(15 * 45 + 20)], (TPoint{52 + (20 - 2) % 16, 62 + (15 - 2) % 12}));
}

TEST(NinePatchGeometry, DegenerateAnchorsAndSmallTargets) {
    TbsStretchGeometry flat =
        StretchGeometry({4, 3}, {15, 3}, {4, 12}, {4, 12}, Rect(2, 2, 18, 14), 20, 16, 40, 30);
    TbsStrip none = BuildNinePatch(flat, SkinRect, true);
    EXPECT_FALSE(none.Made);
    EXPECT_EQ(none.Width, 40);
    EXPECT_TRUE(none.Copies.empty());
    // RT.x = LT.x with RB.x elsewhere: the top band is skipped, nothing loops.
    TbsStretchGeometry noTop =
        StretchGeometry({4, 3}, {4, 3}, {4, 12}, {15, 12}, Rect(0, 0, 0, 0), 20, 16, 500, 500);
    EXPECT_LT(BuildNinePatch(noTop, SkinRect, true).Copies.size(), 20u);
    // A one-pixel client over a huge target: still a handful of copies.
    TbsStretchGeometry dotCentre =
        StretchGeometry({4, 3}, {5, 3}, {4, 4}, {5, 4}, Rect(4, 3, 5, 4), 20, 16, 30000, 30000);
    EXPECT_LT(BuildNinePatch(dotCentre, SkinRect, true).Copies.size(), 20u);
    // A repetition starting left of the strip is cut inside its first tile.
    std::vector<int> shifted = Columns(BuildHStrip(-5, 0, 30, Rect(100, 0, 110, 1)));
    EXPECT_EQ(shifted[0], 100);
    EXPECT_EQ(shifted[9], 109);
    EXPECT_EQ(shifted[10], 95);
    EXPECT_EQ(shifted[25], 95);
    // Smaller than the fixed parts: still a valid list.
    Paint(BuildNinePatch(Geometry(3, 2), SkinRect, true));
    Paint(BuildNinePatch(Geometry(-5, -5), SkinRect, true));
}

TEST(BorderStripGeometry, FourStripsAroundTheClientRect) {
    TbsBorderStrips b = BuildBorderStrips(Geometry(45, 30), SkinRect);
    ASSERT_TRUE(b.Top.Made && b.Bottom.Made && b.Left.Made && b.Right.Made);
    EXPECT_EQ((std::pair{b.Top.Width, b.Top.Height}), (std::pair{45, 2}));
    EXPECT_EQ((std::pair{b.Bottom.Width, b.Bottom.Height}), (std::pair{45, 2}));
    EXPECT_EQ(b.Bottom.Position, (TPoint{0, 28}));
    EXPECT_EQ((std::pair{b.Left.Width, b.Left.Height}), (std::pair{2, 26}));
    EXPECT_EQ(b.Left.Position, (TPoint{0, 2}));
    EXPECT_EQ((std::pair{b.Right.Width, b.Right.Height}), (std::pair{2, 26}));
    EXPECT_EQ(b.Right.Position, (TPoint{43, 2}));
    std::vector<TPoint> top = Paint(b.Top);
    EXPECT_EQ(top[0], (TPoint{50, 60}));
    EXPECT_EQ(top[44], (TPoint{69, 60}));
    std::vector<TPoint> left = Paint(b.Left);
    EXPECT_EQ(left[0], (TPoint{50, 62}));     // rows 2..3 above the repeat
    EXPECT_EQ(left[1 * 2], (TPoint{50, 64})); // the repeat starts at row 0 under them
    EXPECT_EQ(left[25 * 2], (TPoint{50, 73})); // rows 12..13 at the bottom
    EXPECT_FALSE(BuildBorderStrips(Geometry(0, 30), SkinRect).Top.Made);
}

TEST(SkinRegionGeometry, StripsAndPlacement) {
    TbsSkinRegionPlan p = BuildSkinRegion(Geometry(45, 30), 20, 16);
    ASSERT_TRUE(p.HasRegion);
    EXPECT_EQ(p.Base, Rect(2, 2, 43, 28));
    EXPECT_EQ((std::pair{p.Top.Width, p.Top.Height}), (std::pair{45, 2}));
    EXPECT_EQ(p.Bottom.Position, (TPoint{0, 28}));
    EXPECT_EQ((std::pair{p.Bottom.Width, p.Bottom.Height}), (std::pair{45, 2}));
    EXPECT_EQ(p.Left.Position, (TPoint{0, 2}));
    EXPECT_EQ(p.Right.Position, (TPoint{43, 2}));
    EXPECT_EQ((std::pair{p.Right.Width, p.Right.Height}), (std::pair{2, 26}));
    // Mask coordinates, not picture ones.
    EXPECT_EQ(Paint(p.Bottom)[0], (TPoint{0, 14}));
    EXPECT_EQ(Paint(p.Top)[44], (TPoint{19, 0}));
    EXPECT_FALSE(BuildSkinRegion(Geometry(8, 30), 20, 16).HasRegion) << "narrower than the anchors";

    // A client rect far outside a 300 x 300 control and its mask: every strip stays
    // inside both, and the rows below the repeat still land where they belong.
    TbsStretchGeometry far = StretchGeometry({0, 0}, {300, 0}, {0, 300}, {300, 300},
                                             Rect(20000, 1, 20001, 20000), 300, 300, 300, 300);
    TbsSkinRegionPlan clamped = BuildSkinRegion(far, 300, 300);
    for (const TbsStrip* s : {&clamped.Top, &clamped.Bottom, &clamped.Left, &clamped.Right}) {
        EXPECT_LE(s->Position.X + s->Width, 300);
        EXPECT_LE(s->Position.Y + s->Height, 300);
        Paint(*s);
    }
    EXPECT_EQ((std::pair{clamped.Left.Width, clamped.Left.Height}), (std::pair{300, 299}));
    EXPECT_FALSE(BuildSkinRegion(Geometry(4, 4), 20, 16).HasRegion);
}

std::map<int, std::vector<int>> RowsOf(const std::vector<TbsLine>& lines) {
    std::map<int, std::vector<int>> rows;
    for (const TbsLine& l : lines) {
        EXPECT_EQ(l.From.Y, l.To.Y);
        for (int x = l.From.X; x < l.To.X; ++x) rows[l.From.Y].push_back(x);
    }
    return rows;
}

TEST(MarkGeometry, ArrowsAndCheckMark) {
    auto down = RowsOf(DrawArrowMark(Rect(0, 0, 16, 16), 4));
    EXPECT_EQ(down, (std::map<int, std::vector<int>>{
                        {7, {5, 6, 7, 8, 9, 10, 11}}, {8, {6, 7, 8, 9, 10}}, {9, {7, 8, 9}}, {10, {8}}}));
    auto up = RowsOf(DrawArrowMark(Rect(0, 0, 16, 16), 3));
    EXPECT_EQ(up.at(6), (std::vector<int>{8}));
    EXPECT_EQ(up.at(9).size(), 7u);
    auto left = DrawArrowMark(Rect(10, 10, 21, 21), 1); // centre (15, 15)
    EXPECT_EQ(left.front(), (TbsLine{{13, 15}, {13, 16}}));
    EXPECT_EQ(left.back(), (TbsLine{{16, 12}, {16, 19}}));
    EXPECT_EQ(DrawArrowMark(Rect(0, 0, 16, 16), 2).front(), (TbsLine{{7, 5}, {7, 12}}));
    EXPECT_TRUE(DrawArrowMark(Rect(0, 0, 16, 16), 5).empty());
    EXPECT_TRUE(DrawArrowMark(Rect(0, 0, 16, 16), 0).empty());

    auto check = DrawCheckMark(3, 4);
    ASSERT_EQ(check.size(), 6u);
    EXPECT_EQ(check[0], (TbsLine{{3, 9}, {5, 11}}));
    EXPECT_EQ(check[1], (TbsLine{{5, 11}, {10, 6}}));
    EXPECT_EQ(check[5], (TbsLine{{5, 9}, {10, 4}}));
}

} // namespace
