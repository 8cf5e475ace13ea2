#include "skin/bs_fbitmap.h"

#include "pictures/bitmap.h"
#include "toolkit/pixel_buffer.h"

#include <cstring>

TbsFBitmap::TbsFBitmap(const TBitmap& source) : Width(source.Width()), Height(source.Height()) {
    if (Width <= 0 || Height <= 0) {
        Width = Height = 0;
        return;
    }
    TPixelBuffer pixels;
    pixels.Assign(source.PixelBuffer());
    pixels.SetPixelFormat(pf24bit);
    RowPadding = Width % 4;
    RowStride = 3 * Width + RowPadding;
    DataSize = std::int64_t(RowStride) * Height;
    PixelData.assign(std::size_t(DataSize), 0);
    RowTable.resize(std::size_t(Height));
    for (int y = 0; y < Height; ++y) {
        RowTable[std::size_t(y)] = PixelData.data() + std::size_t(y) * std::size_t(RowStride);
        std::memcpy(RowTable[std::size_t(y)], pixels.ScanLine(y), std::size_t(3 * Width));
    }
}
