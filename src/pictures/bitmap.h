#pragma once
// TBitmap: a device-independent bitmap with a canvas. It reads and writes Windows
// BMP files and draws itself with a stretching copy that repeats or drops rows and
// columns.

#include "pictures/graphic.h"
#include "toolkit/pixel_buffer.h"

#include <memory>

class TBitmap : public TGraphic {
    VITRINA_GRAPHIC_CLASS(TBitmap)

public:
    TBitmap();
    ~TBitmap() override;

    bool Empty() const override { return FBuffer->Empty(); }
    int Width() const override { return FBuffer->Width(); }
    int Height() const override { return FBuffer->Height(); }
    void SetWidth(int value) override { SetSize(value, Height()); }
    void SetHeight(int value) override { SetSize(Width(), value); }
    // Keeps what fits of the old pixels; a new bitmap starts black.
    void SetSize(int width, int height);

    TPixelFormat PixelFormat() const { return FBuffer->PixelFormat(); }
    void SetPixelFormat(TPixelFormat format);

    std::vector<TColor> Palette() const override;
    void SetPalette(const std::vector<TColor>& colors);

    TCanvas& Canvas() { return FBuffer->Canvas(); }
    TPixelBuffer& PixelBuffer() { return *FBuffer; }
    const TPixelBuffer& PixelBuffer() const { return *FBuffer; }
    std::uint8_t* ScanLine(int row) { return FBuffer->ScanLine(row); }

    // The colour left out when the bitmap draws transparently: its bottom-left pixel.
    TColor TransparentColor() const;

    void Assign(const TBitmap& source);
    // A bitmap copies pixels; other pictures are drawn onto a 24-bit bitmap of their
    // size; nothing empties this one.
    void Assign(TGraphic* source);
    // Takes the pixels of buffer, leaving it with the old ones.
    void SwapPixels(TPixelBuffer& buffer);
    void Clear();

    // One complete BMP file, exactly as many bytes as its header declares.
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    // A 32-bit little-endian count, then a BMP file of that many bytes.
    void ReadData(TStream& stream) override;
    void WriteData(TStream& stream) override;

    std::unique_ptr<TGraphic> Clone() const override;
    void Draw(TCanvas& canvas, const TRect& rect) override;

private:
    std::unique_ptr<TPixelBuffer> FBuffer;
};
