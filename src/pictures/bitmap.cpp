#include "pictures/bitmap.h"

#include "pictures/bmp_codec.h"
#include "platform/stream.h"

#include <cstring>
#include <vector>

TBitmap::TBitmap() : FBuffer(std::make_unique<TPixelBuffer>()) {}

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int width, int height) {
    if (width == Width() && height == Height()) return;
    FBuffer->SetSize(width, height);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == PixelFormat()) return;
    FBuffer->SetPixelFormat(format);
    Changed();
}

std::vector<TColor> TBitmap::Palette() const { return FBuffer->Palette(); }

void TBitmap::SetPalette(const std::vector<TColor>& colors) {
    FBuffer->SetPalette(colors);
    SetPaletteModified(true);
    Changed();
}

TColor TBitmap::TransparentColor() const {
    return Empty() ? clNone : FBuffer->Pixel(0, Height() - 1);
}

void TBitmap::Assign(const TBitmap& source) {
    if (&source == this) return;
    FBuffer->Assign(*source.FBuffer);
    SetTransparent(source.Transparent());
    Changed();
}

void TBitmap::Assign(TGraphic* source) {
    if (!source) {
        Clear();
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
        Assign(*bitmap);
        return;
    }
    TPixelBuffer pixels;
    pixels.Allocate(source->Width(), source->Height(), pf24bit);
    if (!pixels.Empty()) {
        source->Draw(pixels.Canvas(), Rect(0, 0, source->Width(), source->Height()));
        pixels.Canvas().Flush();
        pixels.SetPixelFormat(pf24bit);
    }
    SwapPixels(pixels);
}

void TBitmap::SwapPixels(TPixelBuffer& buffer) {
    FBuffer->Swap(buffer);
    Changed();
}

void TBitmap::Clear() {
    if (Empty() && PixelFormat() == pfDevice) return;
    FBuffer->Clear();
    Changed();
}

void TBitmap::LoadFromStream(TStream& stream) {
    ReadBmp(stream, *FBuffer);
    SetPaletteModified(true);
    Changed();
}

void TBitmap::SaveToStream(TStream& stream) { WriteBmp(stream, *FBuffer); }

void TBitmap::ReadData(TStream& stream) {
    std::uint8_t count[4];
    if (stream.Read(count, 4) != 4) throw EInvalidGraphic("Bitmap image is not valid: its data is cut short");
    std::int64_t size = std::int64_t(count[0]) | (std::int64_t(count[1]) << 8) |
                        (std::int64_t(count[2]) << 16) | (std::int64_t(count[3]) << 24);
    if (size == 0) {
        Clear();
        return;
    }
    if (size > stream.Remaining()) throw EInvalidGraphic("Bitmap image is not valid: its data is cut short");
    std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
    stream.ReadBuffer(data.data(), size);
    // The count, not the file header, says where the next value starts.
    DecodeBmp(data.data(), data.size(), *FBuffer);
    SetPaletteModified(true);
    Changed();
}

void TBitmap::WriteData(TStream& stream) {
    std::uint32_t size = std::uint32_t(BmpFileSize(*FBuffer));
    std::uint8_t count[4] = {std::uint8_t(size), std::uint8_t(size >> 8), std::uint8_t(size >> 16),
                             std::uint8_t(size >> 24)};
    stream.WriteBuffer(count, 4);
    SaveToStream(stream);
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(*this);
    return copy;
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
    if (Empty() || IsRectEmpty(rect)) return;
    if (!Transparent()) {
        canvas.StretchDraw(rect, *FBuffer);
        return;
    }
    // Stretch first, then leave out the transparent colour.
    TPixelBuffer stretched;
    stretched.Allocate(rect.Width(), rect.Height(), pf32bit);
    stretched.Canvas().StretchDraw(Rect(0, 0, rect.Width(), rect.Height()), *FBuffer);
    stretched.Canvas().Flush();
    canvas.DrawTransparent(rect.Left, rect.Top, stretched, TransparentColor());
}
