// The image view: where a picture lands, auto-size and opacity, and painting cut to
// the view with the parent showing through.

#include "pictures/bitmap.h"
#include "pictures/image.h"
#include "toolkit/canvas.h"
#include "toolkit/messages.h"
#include "toolkit/pixel_buffer.h"

#include <gtest/gtest.h>

namespace {

TEST(ImageDestRect, PlacesCentresStretchesAndKeepsProportions) {
    struct TCase {
        int W, H, CW, CH;
        bool Stretch, Proportional, Center;
        TRect Expected;
    };
    const TCase cases[] = {
        // The thumbnail view: 1:1, centred, cut equally on both sides.
        {300, 250, 242, 200, false, false, true, Rect(-29, -25, 271, 225)},
        {100, 80, 242, 200, false, false, true, Rect(71, 60, 171, 140)},
        {243, 200, 242, 200, false, false, true, Rect(0, 0, 243, 200)},
        {100, 80, 242, 200, false, false, false, Rect(0, 0, 100, 80)},
        // Stretch fills the view.
        {100, 80, 242, 200, true, false, true, Rect(0, 0, 242, 200)},
        // Proportional shrinks only what does not fit, wide and tall alike.
        {400, 100, 200, 200, false, true, false, Rect(0, 0, 200, 50)},
        {400, 100, 200, 200, false, true, true, Rect(0, 75, 200, 125)},
        {100, 400, 200, 200, false, true, false, Rect(0, 0, 50, 200)},
        {300, 200, 100, 50, false, true, false, Rect(0, 0, 75, 50)},
        {50, 40, 200, 200, false, true, false, Rect(0, 0, 50, 40)},
        // Stretch and proportional grow a small picture to the view's width or height.
        {50, 40, 200, 200, true, true, false, Rect(0, 0, 200, 160)},
        {3, 3, 10, 5, true, true, false, Rect(0, 0, 5, 5)},
        // Nothing to divide by: the whole view.
        {0, 0, 30, 20, true, true, false, Rect(0, 0, 30, 20)},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.W << "x" << c.H << " in " << c.CW << "x" << c.CH);
        TRect r = ImageDestRect(c.W, c.H, c.CW, c.CH, c.Stretch, c.Proportional, c.Center);
        EXPECT_EQ(r, c.Expected) << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom;
    }
}

std::unique_ptr<TBitmap> Solid(int width, int height, TColor color) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) bitmap->PixelBuffer().SetPixel(x, y, color);
    return bitmap;
}

TEST(ImageView, AutoSizeFollowsNonEmptyPicturesAndOpacityFollowsCoverage) {
    TImage image(nullptr);
    EXPECT_EQ(image.Width(), 105);
    EXPECT_EQ(image.Height(), 105);
    EXPECT_FALSE(image.Center() || image.Stretch() || image.Proportional() || image.Transparent() ||
                 image.IncrementalDisplay() || image.AutoSize());

    image.SetBounds(10, 20, 105, 105);
    image.SetAutoSize(true);
    // With nothing to show, the view keeps the size it is given.
    image.SetBounds(10, 20, 105, 105);
    EXPECT_EQ(image.BoundsRect(), Bounds(10, 20, 105, 105));
    image.Picture().SetGraphic(Solid(30, 15, clWhite));
    EXPECT_EQ(image.BoundsRect(), Bounds(10, 20, 30, 15));
    EXPECT_TRUE(image.ControlStyle() & csOpaque);

    // Clearing keeps the size and leaves the view see-through.
    image.Picture().SetGraphic(nullptr);
    EXPECT_EQ(image.BoundsRect(), Bounds(10, 20, 30, 15));
    image.SetBounds(5, 20, 50, 50);
    EXPECT_EQ(image.BoundsRect(), Bounds(5, 20, 50, 50));
    EXPECT_FALSE(image.ControlStyle() & csOpaque);

    // Without auto-size a smaller picture leaves part of the view uncovered.
    TImage thumb(nullptr);
    thumb.SetBounds(534, 71, 242, 200);
    thumb.SetCenter(true);
    thumb.Picture().SetGraphic(Solid(100, 80, clWhite));
    EXPECT_EQ(thumb.BoundsRect(), Bounds(534, 71, 242, 200));
    EXPECT_FALSE(thumb.ControlStyle() & csOpaque);
    thumb.SetStretch(true);
    EXPECT_TRUE(thumb.ControlStyle() & csOpaque);
    // A transparent picture never makes the view opaque; the flag reaches the picture.
    thumb.SetTransparent(true);
    EXPECT_TRUE(thumb.Picture().Graphic()->Transparent());
    EXPECT_FALSE(thumb.ControlStyle() & csOpaque);
}

// Paints the view the way its parent does: origin moved, clipped to the view.
void PaintAsParent(TImage& image, TPixelBuffer& surface) {
    TCanvas& canvas = surface.Canvas();
    canvas.SaveState();
    canvas.MoveOrigin(image.Left(), image.Top());
    canvas.IntersectClipRect(Rect(0, 0, image.Width(), image.Height()));
    image.Perform(WM_PAINT, reinterpret_cast<std::intptr_t>(&canvas));
    canvas.RestoreState();
    canvas.Flush();
}

TEST(ImageView, PaintsCutToTheViewAndLetsTheParentShowThrough) {
    const TColor parent = RGB(0, 128, 0);
    TPixelBuffer surface;
    surface.Allocate(300, 260, pf32bit);
    surface.Canvas().Brush() = {parent, bsSolid};
    surface.Canvas().FillRect(Rect(0, 0, 300, 260));

    TImage image(nullptr);
    image.SetBounds(20, 30, 242, 200);
    image.SetCenter(true);
    // 300x250: red with a blue pixel where the view's top-left corner lands.
    auto big = Solid(300, 250, RGB(255, 0, 0));
    big->PixelBuffer().SetPixel(29, 25, RGB(0, 0, 255));
    image.Picture().SetGraphic(std::move(big));
    PaintAsParent(image, surface);
    EXPECT_EQ(surface.Pixel(20, 30), RGB(0, 0, 255));
    EXPECT_EQ(surface.Pixel(20 + 241, 30 + 199), RGB(255, 0, 0));
    EXPECT_EQ(surface.Pixel(19, 30), parent);
    EXPECT_EQ(surface.Pixel(20 + 242, 30 + 100), parent);
    EXPECT_EQ(surface.Pixel(100, 30 + 200), parent);

    // A small picture sits in the middle; around it the parent's pixels stay.
    image.Picture().SetGraphic(Solid(100, 80, RGB(255, 255, 0)));
    surface.Canvas().FillRect(Rect(0, 0, 300, 260));
    PaintAsParent(image, surface);
    EXPECT_EQ(surface.Pixel(20 + 71, 30 + 60), RGB(255, 255, 0));
    EXPECT_EQ(surface.Pixel(20 + 170, 30 + 139), RGB(255, 255, 0));
    EXPECT_EQ(surface.Pixel(20 + 70, 30 + 60), parent);
    EXPECT_EQ(surface.Pixel(20 + 171, 30 + 139), parent);
    EXPECT_EQ(surface.Pixel(20, 30), parent);
}

} // namespace
