#pragma once
// Device-independent pixels with a palette and a canvas. Rows are addressed top
// first; each row has the byte layout of a Windows bitmap row of its format
// (blue-green-red for 24 and 32 bits, most significant bit first for 1 bit), except
// that 4-bit rows hold one palette index per byte.

#include "platform/basic_types.h"

#include <QImage>

#include <cstdint>
#include <memory>
#include <vector>

class TCanvas;

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };

class TPixelBuffer {
public:
    TPixelBuffer();
    ~TPixelBuffer();
    TPixelBuffer(const TPixelBuffer&) = delete;
    TPixelBuffer& operator=(const TPixelBuffer&) = delete;

    int Width() const;
    int Height() const;
    // A buffer composed for a screen of `scale` device pixels to a pixel: drawing on its
    // canvas lands at the screen's resolution (text stays sharp, pictures grow pixel for
    // pixel) and copies onto that screen are one to one. Sizes, coordinates and Pixel
    // stay in pixels; ScanLine, BytesPerLine and Image are in device pixels. Takes
    // effect at the next Allocate or SetSize.
    void SetDeviceScale(int scale);
    int DeviceScale() const { return FDeviceScale; }
    bool Empty() const { return Width() <= 0 || Height() <= 0; }
    TPixelFormat PixelFormat() const { return FFormat; }
    int BitsPerPixel() const;

    // A fresh buffer: every pixel index 0 (black for colour formats).
    void Allocate(int width, int height, TPixelFormat format);
    // Resizes, keeping what fits of the old pixels.
    void SetSize(int width, int height);
    // Converts the pixels to another format (indexed formats keep the palette size).
    void SetPixelFormat(TPixelFormat format);
    void Clear();
    void Assign(const TPixelBuffer& source);
    // Exchanges pixels and formats; each buffer keeps its own canvas.
    void Swap(TPixelBuffer& other);

    // Colours of the palette entries of an indexed format (up to 2^bits entries).
    std::vector<TColor> Palette() const;
    void SetPalette(const std::vector<TColor>& colors);

    std::uint8_t* ScanLine(int row);
    const std::uint8_t* ScanLine(int row) const;
    int BytesPerLine() const;

    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    // Drawing on an indexed buffer first turns it into a 32-bit one.
    TCanvas& Canvas();

    // The pixels for the toolkit's own drawing code; painting on them must go
    // through Canvas().
    const QImage& Image() const;
    // The pixels in the screen's format, as copies read them.
    const QImage& DrawSource() const;
    // Copies read the pixels as they are stored, never through a converted copy: for
    // pictures such as a decoded screenshot, drawn seldom and possibly huge.
    void SetDrawnAsStored(bool drawnAsStored);

private:
    friend class TCanvas;
    void EndPainting() const;
    // The image a canvas paints on; indexed pixels become 32-bit first.
    QImage& PaintTarget();

    TPixelFormat FFormat = pfDevice;
    int FDeviceScale = 1;
    std::unique_ptr<QImage> FImage;
    // Counts changes to the pixels, so the converted copy knows when it is stale.
    std::uint64_t FGeneration = 0;
    bool FDrawnAsStored = false;
    mutable QImage FDrawCache;
    mutable std::uint64_t FDrawCacheGeneration = ~std::uint64_t(0);
    mutable std::unique_ptr<TCanvas> FCanvas;
};
