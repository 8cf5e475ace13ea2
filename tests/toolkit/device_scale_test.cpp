// Buffers composed for a display of two device pixels to a pixel: pictures grow pixel
// for pixel, text is drawn at the display's resolution, and the finished buffer goes
// onto the display one to one.

#include "support/test_application.h"
#include "toolkit/canvas.h"
#include "toolkit/pixel_buffer.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// Four pixels of four colours, side by side.
void MakeStrip(TPixelBuffer& strip) {
    strip.Allocate(4, 1, pf32bit);
    const TColor colors[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
    for (int x = 0; x < 4; ++x) strip.SetPixel(x, 0, colors[x]);
}

bool EveryBlockIsOneColour(const QImage& image, int factor) {
    for (int y = 0; y + factor <= image.height(); y += factor)
        for (int x = 0; x + factor <= image.width(); x += factor)
            for (int dy = 0; dy < factor; ++dy)
                for (int dx = 0; dx < factor; ++dx)
                    if (image.pixel(x + dx, y + dy) != image.pixel(x, y)) return false;
    return true;
}

} // namespace

TEST(DeviceScale, SizesStayInPixelsAndCopiesGrowPixelForPixel) {
    TestApplication();
    TPixelBuffer strip;
    MakeStrip(strip);
    TPixelBuffer composed;
    composed.SetDeviceScale(2);
    composed.Allocate(8, 2, pf32bit);
    EXPECT_EQ(composed.Width(), 8);
    EXPECT_EQ(composed.Height(), 2);
    EXPECT_EQ(composed.Image().size(), QSize(16, 4));
    composed.Canvas().CopyRect(Rect(2, 0, 6, 1), strip, Rect(0, 0, 4, 1));
    composed.Canvas().Flush();
    EXPECT_EQ(composed.Pixel(2, 0), RGB(255, 0, 0));
    EXPECT_EQ(composed.Pixel(5, 0), RGB(255, 255, 0));
    EXPECT_EQ(composed.Pixel(5, 1), clBlack);
    EXPECT_TRUE(EveryBlockIsOneColour(composed.Image(), 2));
    // Growing keeps what was drawn.
    composed.SetSize(10, 3);
    EXPECT_EQ(composed.Image().size(), QSize(20, 6));
    EXPECT_EQ(composed.Pixel(3, 0), RGB(0, 255, 0));

    // Composed onto another such buffer, it lands one to one, a part of it too.
    TPixelBuffer screen;
    screen.SetDeviceScale(2);
    screen.Allocate(10, 3, pf32bit);
    screen.Canvas().Draw(0, 1, composed);
    screen.Canvas().CopyRect(Rect(0, 0, 2, 1), composed, Rect(4, 0, 6, 1));
    screen.Canvas().Flush();
    EXPECT_EQ(screen.Pixel(2, 1), RGB(255, 0, 0));
    EXPECT_EQ(screen.Pixel(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(screen.Pixel(1, 0), RGB(255, 255, 0));
    EXPECT_EQ(screen.Image().copy(0, 2, 20, 4), composed.Image().copy(0, 0, 20, 4));
}

TEST(DeviceScale, TextIsDrawnAtTheDisplaysResolution) {
    TestApplication();
    TPixelBuffer buffer;
    buffer.SetDeviceScale(2);
    buffer.Allocate(60, 16, pf32bit);
    TCanvas& canvas = buffer.Canvas();
    canvas.Brush() = {clWhite, bsSolid};
    canvas.FillRect(Rect(0, 0, 60, 16));
    canvas.Font().SetName("Arial");
    canvas.Font().SetHeight(-11);
    canvas.TextOut(2, 2, "Sharp");
    canvas.Flush();
    QImage image = buffer.Image();
    ASSERT_EQ(image.size(), QSize(120, 32));
    // Enlarged text (or none) would repeat each pixel in a 2 × 2 block.
    EXPECT_FALSE(EveryBlockIsOneColour(image, 2));
}
