#pragma once
// A 24-bit, top-down copy of a bitmap's pixels with a table of row addresses, for
// scans that read every pixel (the mask scan) without going through a canvas.

#include <cstdint>
#include <vector>

class TBitmap;

class TbsFBitmap {
public:
    explicit TbsFBitmap(const TBitmap& source);
    TbsFBitmap(const TbsFBitmap&) = delete;
    TbsFBitmap& operator=(const TbsFBitmap&) = delete;

    // Rows of 3-byte pixels (blue, green, red), each followed by RowPadding bytes.
    std::vector<std::uint8_t> PixelData;
    // Height row addresses into PixelData, the top row first.
    std::vector<std::uint8_t*> RowTable;
    int RowPadding = 0;        // Width mod 4: brings a row to a multiple of 4 bytes
    int RowStride = 0;         // 3 x Width + RowPadding
    std::int64_t DataSize = 0; // RowStride x Height
    int Width = 0;
    int Height = 0;
};
