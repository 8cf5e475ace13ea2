// The primitives on real pixels: pictures whose pixels encode their own position, so
// a destination pixel tells where it was copied from.

#include "pictures/bitmap.h"
#include "skin/bs_utils.h"
#include "support/test_application.h"
#include "toolkit/canvas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace {

// A 24-bit picture whose pixel (x, y) is RGB(x % 256, y % 256, x / 256 * 16 + y / 256).
void Coordinates(TBitmap& picture, int width, int height) {
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = std::uint8_t(x / 256 * 16 + y / 256);
            row[3 * x + 1] = std::uint8_t(y);
            row[3 * x + 2] = std::uint8_t(x);
        }
    }
}

TPoint SourceOf(const TBitmap& bitmap, int x, int y) {
    TColor c = bitmap.PixelBuffer().Pixel(x, y);
    return {GetRValue(c) + GetBValue(c) / 16 * 256, GetGValue(c) + GetBValue(c) % 16 * 256};
}

void Fill(TBitmap& bitmap, int width, int height, TColor color) {
    bitmap.SetSize(width, height);
    bitmap.Canvas().Brush() = {color, bsSolid};
    bitmap.Canvas().FillRect(Rect(0, 0, width, height));
    bitmap.Canvas().Flush();
}

TEST(SkinBitmaps, HStripCopiesTheEndsAndRepeatsTheMiddle) {
    TBitmap picture, strip;
    Coordinates(picture, 80, 10);
    const TRect source = Rect(10, 2, 70, 5); // 60 x 3
    BuildHStrip(10, 5, strip, 60, source, picture);
    ASSERT_EQ(strip.Width(), 60);
    ASSERT_EQ(strip.Height(), 3);
    for (int x = 0; x < 60; ++x)
        EXPECT_EQ(SourceOf(strip, x, 1), (TPoint{10 + x, 3})) << x;

    BuildHStrip(10, 5, strip, 100, source, picture);
    ASSERT_EQ(strip.Width(), 100);
    for (int x = 0; x < 100; ++x) {
        // Left end, the 45-pixel middle at 10 and again at 55 cut to 40, right end at 95.
        int from = x < 55 ? x : x < 95 ? x - 45 : x - 40;
        EXPECT_EQ(SourceOf(strip, x, 2).X, 10 + from) << x;
    }

    BuildVStrip(2, 3, strip, 12, Rect(0, 0, 4, 7), picture);
    ASSERT_EQ(strip.Width(), 4);
    ASSERT_EQ(strip.Height(), 12);
    std::vector<int> rows;
    for (int y = 0; y < 12; ++y)
        rows.push_back(SourceOf(strip, 1, y).Y);
    EXPECT_EQ(rows, (std::vector<int>{0, 1, 2, 3, 2, 3, 2, 3, 2, 4, 5, 6}));
}

// The list box image of our skin, at an offset inside a larger picture.
TbsStretchGeometry ListBoxGeometry(int width, int height) {
    return StretchGeometry({2, 2}, {57, 4}, {2, 62}, {57, 60}, Rect(1, 1, 66, 63), 67, 64, width,
                           height);
}
const TRect kListBoxRect = Rect(115, 154, 182, 218);

TEST(SkinBitmaps, NinePatchAtTheSkinSizeReproducesTheImage) {
    TBitmap picture, image;
    Coordinates(picture, 384, 421);
    BuildNinePatch(ListBoxGeometry(67, 64), kListBoxRect, picture, image, true);
    ASSERT_EQ(image.Width(), 67);
    ASSERT_EQ(image.Height(), 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 67; ++x)
            ASSERT_EQ(SourceOf(image, x, y), (TPoint{115 + x, 154 + y})) << x << "," << y;

    // Larger: the corners stay, the edges repeat; without the fill flag the new client
    // rect keeps what the bitmap held.
    Fill(image, 150, 100, clWhite);
    BuildNinePatch(ListBoxGeometry(150, 100), kListBoxRect, picture, image, false);
    EXPECT_EQ(SourceOf(image, 0, 0), (TPoint{115, 154}));
    EXPECT_EQ(SourceOf(image, 149, 99), (TPoint{181, 217}));
    EXPECT_EQ(SourceOf(image, 0, 70), (TPoint{115, 154 + 2 + (70 - 2) % 60}));
    EXPECT_EQ(image.PixelBuffer().Pixel(75, 50), clWhite);
    EXPECT_EQ(image.PixelBuffer().Pixel(147, 97), clWhite);

    // With the flag the client rect repeats both ways from the new client rect's corner.
    BuildNinePatch(ListBoxGeometry(150, 100), kListBoxRect, picture, image, true);
    for (int y : {1, 40, 63, 64, 97})
        for (int x : {1, 64, 65, 66, 130, 147})
            ASSERT_EQ(SourceOf(image, x, y), (TPoint{116 + (x - 1) % 65, 155 + (y - 1) % 62})) << x << "," << y;

    // An empty picture only sizes the destination.
    TBitmap none;
    Fill(image, 5, 5, clWhite);
    BuildNinePatch(ListBoxGeometry(30, 20), kListBoxRect, none, image, true);
    EXPECT_EQ(image.Width(), 30);
    EXPECT_EQ(image.Height(), 20);
}

TEST(SkinBitmaps, BorderStripsFrameTheClientRect) {
    // Our scroll box: a 96 x 80 frame around a client rect 2,2,94,78.
    TBitmap picture, top, bottom, left, right;
    Coordinates(picture, 384, 421);
    const TRect skin = Rect(1, 146, 97, 226);
    TbsStretchGeometry g =
        StretchGeometry({4, 4}, {90, 5}, {3, 74}, {90, 75}, Rect(2, 2, 94, 78), 96, 80, 200, 150);
    Fill(left, 3, 3, clWhite);
    BuildBorderStrips(g, skin, picture, top, bottom, left, right);
    EXPECT_EQ(top.Width(), 200);
    EXPECT_EQ(top.Height(), 2);
    EXPECT_EQ(bottom.Width(), 200);
    EXPECT_EQ(bottom.Height(), 2);
    EXPECT_EQ(left.Width(), 2);
    EXPECT_EQ(left.Height(), 146);
    EXPECT_EQ(right.Width(), 2);
    EXPECT_EQ(right.Height(), 146);
    EXPECT_EQ(SourceOf(top, 0, 0), (TPoint{1, 146}));
    EXPECT_EQ(SourceOf(top, 199, 1), (TPoint{96, 147}));
    EXPECT_EQ(SourceOf(bottom, 199, 1), (TPoint{96, 225}));
    EXPECT_EQ(SourceOf(right, 1, 145), (TPoint{96, 223}));

    // A strip the geometry does not make is left empty.
    g = StretchGeometry({4, 4}, {90, 5}, {3, 74}, {90, 75}, Rect(0, 2, 94, 78), 96, 80, 200, 150);
    BuildBorderStrips(g, skin, picture, top, bottom, left, right);
    EXPECT_TRUE(left.Empty());
}

TEST(SkinBitmaps, MaskToRectsMakesOneRectPerBlackRunAndAHeader) {
    TBitmap mask;
    Fill(mask, 3, 1, clBlack);
    mask.Canvas().SetPixel(1, 0, clWhite);
    std::vector<std::uint8_t> data = MaskToRects(mask, 10, 20);
    ASSERT_EQ(data.size(), 64u);
    std::vector<std::int32_t> words(16);
    std::memcpy(words.data(), data.data(), 64);
    EXPECT_EQ(words, (std::vector<std::int32_t>{32, 1, 2, 0, 10, 20, 13, 21,       // header
                                                10, 20, 11, 21, 12, 20, 13, 21})); // the runs
    EXPECT_TRUE(MaskToRects(TBitmap(), 0, 0).empty());
    EXPECT_FALSE(RegionFromMask(TBitmap()));

    // Only pure black counts, whatever the depth.
    TBitmap mono;
    mono.SetPixelFormat(pf1bit);
    mono.SetSize(4, 2);
    mono.SetPalette({clWhite, clBlack});
    mono.ScanLine(0)[0] = 0x60; // pixels 1 and 2 of the top row
    mono.ScanLine(1)[0] = 0x10; // pixel 3 of the bottom row
    std::optional<TRegion> region = RegionFromMask(mono);
    ASSERT_TRUE(region);
    EXPECT_TRUE(*region == TRegion::FromRects({Rect(1, 0, 3, 1), Rect(3, 1, 4, 2)}));
    Fill(mono, 4, 2, RGB(0, 0, 1));
    EXPECT_TRUE(RegionFromMask(mono)->IsEmpty());
}

TEST(SkinBitmaps, MaskToRectsStopsAtTenThousandRuns) {
    TBitmap mask;
    Fill(mask, 2 * 10005, 1, clWhite);
    for (int x = 0; x < 2 * 10005; x += 2)
        mask.Canvas().SetPixel(x, 0, clBlack);
    std::vector<std::uint8_t> data = MaskToRects(mask, 0, 0);
    EXPECT_EQ(data.size(), 32u + 16u * 10000u);
    EXPECT_EQ(data[8] | data[9] << 8, 10000);
}

TEST(SkinBitmaps, ASkinRegionStretchesTheMaskLikeTheImage) {
    // A 10 x 10 mask whose four corner pixels are cut away.
    TBitmap mask;
    Fill(mask, 10, 10, clBlack);
    for (TPoint p : {TPoint{0, 0}, TPoint{9, 0}, TPoint{0, 9}, TPoint{9, 9}})
        mask.Canvas().SetPixel(p.X, p.Y, clWhite);
    auto geometry = [](int w, int h) {
        return StretchGeometry({3, 3}, {7, 3}, {3, 7}, {7, 7}, Rect(2, 2, 8, 8), 10, 10, w, h);
    };
    std::optional<TRegion> region = BuildSkinRegion(geometry(23, 15), mask);
    ASSERT_TRUE(region);
    TRegion expected(Rect(0, 0, 23, 15));
    EXPECT_EQ(region->BoundingRect(), Rect(0, 0, 23, 15));
    for (TPoint p : {TPoint{0, 0}, TPoint{22, 0}, TPoint{0, 14}, TPoint{22, 14}})
        EXPECT_FALSE(region->Contains(p)) << p.X << "," << p.Y;
    EXPECT_EQ(region->Rects().size(), 3u);
    EXPECT_TRUE(region->Contains({1, 0}));
    EXPECT_TRUE(region->Contains({21, 14}));

    // Smaller than the fixed anchors, or no client area: no region.
    EXPECT_FALSE(BuildSkinRegion(geometry(5, 15), mask));
    EXPECT_FALSE(BuildSkinRegion(geometry(23, 4), mask));
}

class SkinDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        Fill(Target, 40, 24, clWhite);
    }
    std::vector<int> BlackColumns(int row) {
        std::vector<int> columns;
        for (int x = 0; x < Target.Width(); ++x)
            if (Target.PixelBuffer().Pixel(x, row) == clBlack) columns.push_back(x);
        return columns;
    }
    TBitmap Target;
};

TEST_F(SkinDrawing, ArrowMarkRows) {
    DrawArrowMark(Target.Canvas(), Rect(0, 0, 16, 16), clBlack, 4);
    Target.Canvas().Flush();
    EXPECT_EQ(BlackColumns(6), std::vector<int>{});
    EXPECT_EQ(BlackColumns(7), (std::vector<int>{5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(BlackColumns(8), (std::vector<int>{6, 7, 8, 9, 10}));
    EXPECT_EQ(BlackColumns(9), (std::vector<int>{7, 8, 9}));
    EXPECT_EQ(BlackColumns(10), (std::vector<int>{8}));
    EXPECT_EQ(BlackColumns(11), std::vector<int>{});

    Fill(Target, 40, 24, clWhite);
    DrawCheckMark(Target.Canvas(), 0, 0, clBlack);
    Target.Canvas().Flush();
    // Three ticks, one row apart; the last pixel of each stroke is left out.
    EXPECT_EQ(BlackColumns(7), (std::vector<int>{2}));
    EXPECT_EQ(BlackColumns(6), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(BlackColumns(1), (std::vector<int>{6}));
    EXPECT_EQ(BlackColumns(0), std::vector<int>{});
}

TEST_F(SkinDrawing, StripGlyphDrawsOneFrameLeavingOutItsBottomLeftColour) {
    TBitmap strip;
    Coordinates(strip, 64, 6);
    strip.Canvas().SetPixel(16, 5, clBlack); // frame 2's transparent colour
    strip.Canvas().SetPixel(20, 1, clBlack);
    DrawStripGlyph(Target.Canvas(), 3, 2, 2, 4, strip);
    Target.Canvas().Flush();
    EXPECT_EQ(SourceOf(Target, 3, 2), (TPoint{16, 0}));
    EXPECT_EQ(SourceOf(Target, 18, 7), (TPoint{31, 5}));
    EXPECT_EQ(Target.PixelBuffer().Pixel(19, 2), clWhite);
    EXPECT_EQ(Target.PixelBuffer().Pixel(2, 2), clWhite);
    EXPECT_EQ(Target.PixelBuffer().Pixel(7, 3), clWhite); // left out
    EXPECT_EQ(Target.PixelBuffer().Pixel(3, 7), clWhite);

    // Nothing for an empty strip, no frames or a frame past the end.
    Fill(Target, 40, 24, clWhite);
    DrawStripGlyph(Target.Canvas(), 0, 0, 1, 4, TBitmap());
    DrawStripGlyph(Target.Canvas(), 0, 0, 1, 0, strip);
    DrawStripGlyph(Target.Canvas(), 0, 0, 5, 4, strip);
    EXPECT_EQ(BlackColumns(0).size() + BlackColumns(1).size(), 0u);
    EXPECT_EQ(Target.PixelBuffer().Pixel(0, 0), clWhite);
}

// Placed by the rect and the font's height, whatever their parities; cut at the rect,
// the top included when the rect is lower than the text.
TEST_F(SkinDrawing, CenteredTextStartsTwoPlusOffsetInCentredByTheFontsHeight) {
    const std::string text = "WgWg";
    std::set<int> textHeightParities;
    for (int fontHeight : {13, 14, 15, 16})
        for (int offset : {0, 3})
            for (int height : {8, 20, 21, 22, 23}) {
                auto useFont = [fontHeight](TCanvas& canvas) {
                    canvas.Font().SetName("Arial");
                    canvas.Font().SetHeight(fontHeight);
                    canvas.Brush().Style = bsClear;
                };
                const TRect rect = Rect(4, 3, 34, 3 + height);
                Fill(Target, 40, 30, clWhite);
                useFont(Target.Canvas());
                DrawCenteredText(Target.Canvas(), text, rect, offset);
                Target.Canvas().Flush();
                TBitmap expected;
                Fill(expected, 40, 30, clWhite);
                useFont(expected.Canvas());
                const int textHeight = expected.Canvas().TextHeight(text);
                textHeightParities.insert(textHeight % 2);
                expected.Canvas().TextOut(rect.Left + 2 + offset,
                                          rect.Top + height / 2 - textHeight / 2, text);
                expected.Canvas().Flush();
                int ink = 0;
                for (int y = 0; y < 30; ++y)
                    for (int x = 0; x < 40; ++x) {
                        TColor want =
                            PtInRect(rect, {x, y}) ? expected.PixelBuffer().Pixel(x, y) : clWhite;
                        ASSERT_EQ(Target.PixelBuffer().Pixel(x, y), want)
                            << x << "," << y << " font " << fontHeight << " offset " << offset
                            << " height " << height;
                        ink += want != clWhite;
                    }
                EXPECT_GT(ink, 0);
            }
    EXPECT_EQ(textHeightParities.size(), 2u) << "odd and even text heights";
}

} // namespace
