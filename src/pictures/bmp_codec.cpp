#include "pictures/bmp_codec.h"

#include "pictures/graphic.h"
#include "pictures/picture_limits.h"
#include "platform/stream.h"
#include "toolkit/pixel_buffer.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace {

constexpr std::int64_t kFileHeaderSize = 14;
constexpr std::int64_t kInfoHeaderSize = 40;
// Pixels per metre beyond this (25400 dpi) are not a resolution but garbage.
constexpr std::int64_t kMaxDensity = 1'000'000;

enum : std::uint32_t { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_JPEG = 4, BI_PNG = 5,
                       BI_ALPHABITFIELDS = 6 };

[[noreturn]] void Invalid(const std::string& why) {
    throw EInvalidGraphic("Bitmap image is not valid: " + why);
}

std::uint32_t Le16(const std::uint8_t* p) { return std::uint32_t(p[0] | (p[1] << 8)); }
std::uint32_t Le32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

void Put16(std::uint8_t*& p, std::uint32_t v) {
    *p++ = std::uint8_t(v);
    *p++ = std::uint8_t(v >> 8);
}
void Put32(std::uint8_t*& p, std::uint32_t v) {
    Put16(p, v & 0xFFFF);
    Put16(p, v >> 16);
}

// One colour channel of a bit-field pixel, widened or narrowed to 8 bits.
struct TChannel {
    std::uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;

    explicit TChannel(std::uint32_t mask = 0) : Mask(mask) {
        if (!mask) return;
        Shift = std::countr_zero(mask);
        Bits = std::popcount(mask);
    }
    bool Contiguous() const { return !Mask || ((Mask >> Shift) & ((Mask >> Shift) + 1)) == 0; }
    std::uint8_t Value(std::uint32_t pixel) const {
        std::uint32_t v = (pixel & Mask) >> Shift;
        if (Bits >= 8) return std::uint8_t(v >> (Bits - 8));
        std::uint32_t top = (1u << Bits) - 1;
        return std::uint8_t((v * 255 + top / 2) / top);
    }
};

struct TInfo {
    std::int64_t Width = 0;
    std::int64_t Height = 0;
    bool TopDown = false;
    int Bits = 0;
    std::uint32_t Compression = BI_RGB;
    std::int64_t SizeImage = 0;
    std::int64_t PaletteStart = 0;
    int PaletteEntrySize = 4;
    std::vector<TColor> Palette;
    std::uint32_t Masks[4] = {0, 0, 0, 0};
};

TPixelFormat FormatForBits(int bits) {
    switch (bits) {
    case 1: return pf1bit;
    case 2:
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16:
    case 24: return pf24bit;
    default: return pf32bit;
    }
}

void CheckIndex(unsigned index, const TInfo& info) {
    if (index >= info.Palette.size())
        Invalid("a pixel uses colour " + std::to_string(index) + " of a palette of " +
                std::to_string(info.Palette.size()));
}

// Uncompressed rows, and rows of bit fields.
void DecodeRows(const std::uint8_t* pixels, std::int64_t stride, const TInfo& info,
                TPixelBuffer& target) {
    const int w = int(info.Width);
    const int h = int(info.Height);
    const bool checkIndex = info.Bits <= 8 && info.Palette.size() < (1u << info.Bits);
    const bool bitFields = info.Bits == 16 || (info.Bits == 32 && (info.Masks[0] != 0xFF0000 ||
                                                                  info.Masks[1] != 0xFF00 ||
                                                                  info.Masks[2] != 0xFF));
    TChannel red(info.Masks[0]), green(info.Masks[1]), blue(info.Masks[2]);
    for (int r = 0; r < h; ++r) {
        const std::uint8_t* src = pixels + r * stride;
        std::uint8_t* dst = target.ScanLine(info.TopDown ? r : h - 1 - r);
        switch (info.Bits) {
        case 1:
            std::memcpy(dst, src, std::size_t((w + 7) / 8));
            if (checkIndex)
                for (int x = 0; x < w; ++x) CheckIndex((src[x >> 3] >> (7 - (x & 7))) & 1, info);
            break;
        case 2:
            for (int x = 0; x < w; ++x) dst[x] = (src[x >> 2] >> (6 - 2 * (x & 3))) & 3;
            break;
        case 4:
            for (int x = 0; x < w; ++x) dst[x] = (x & 1) ? (src[x >> 1] & 15) : (src[x >> 1] >> 4);
            break;
        case 8: std::memcpy(dst, src, std::size_t(w)); break;
        case 24: std::memcpy(dst, src, std::size_t(w) * 3); break;
        case 32:
            if (!bitFields) {
                for (int x = 0; x < w; ++x) {
                    std::memcpy(dst + 4 * x, src + 4 * x, 3);
                    dst[4 * x + 3] = 0xFF;
                }
                break;
            }
            [[fallthrough]];
        default:
            for (int x = 0; x < w; ++x) {
                std::uint32_t v = info.Bits == 16 ? Le16(src + 2 * x) : Le32(src + 4 * x);
                std::uint8_t* d = info.Bits == 16 ? dst + 3 * x : dst + 4 * x;
                d[0] = blue.Value(v);
                d[1] = green.Value(v);
                d[2] = red.Value(v);
                if (info.Bits == 32) d[3] = 0xFF;
            }
            break;
        }
        if (checkIndex && info.Bits != 1)
            for (int x = 0; x < w; ++x) CheckIndex(dst[x], info);
    }
}

// Run-length encoded 8- and 4-bit pixels. Runs must stay inside the picture; pixels
// that no run reaches keep colour 0. Data that ends without an end-of-bitmap mark
// leaves the rest unpainted, as a picture cut short would.
void DecodeRle(const std::uint8_t* p, const std::uint8_t* end, const TInfo& info,
               TPixelBuffer& target) {
    const bool rle8 = info.Compression == BI_RLE8;
    const std::int64_t w = info.Width;
    const std::int64_t h = info.Height;
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::uint8_t* row = target.ScanLine(int(h - 1));
    auto moveTo = [&](std::int64_t newX, std::int64_t newY) {
        if (newY > h || (newY == h && newX > 0) || newX > w) Invalid("a run moves outside the picture");
        if (newY != y) row = newY < h ? target.ScanLine(int(h - 1 - newY)) : nullptr;
        x = newX;
        y = newY;
    };
    auto put = [&](unsigned index) {
        if (x >= w || !row) Invalid("a run passes the end of a row");
        CheckIndex(index, info);
        row[x++] = std::uint8_t(index);
    };
    while (end - p >= 2) {
        unsigned count = p[0];
        unsigned value = p[1];
        p += 2;
        if (count) {
            for (unsigned i = 0; i < count; ++i) put(rle8 ? value : (i & 1) ? (value & 15) : (value >> 4));
            continue;
        }
        if (value == 0) {
            moveTo(0, y + 1);
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            if (end - p < 2) Invalid("the pixel data ends inside a move");
            moveTo(x + p[0], y + p[1]);
            p += 2;
        } else {
            std::int64_t bytes = rle8 ? value : (value + 1) / 2;
            if (end - p < bytes) Invalid("the pixel data ends inside a run");
            for (unsigned i = 0; i < value; ++i)
                put(rle8 ? p[i] : (i & 1) ? (p[i / 2] & 15) : (p[i / 2] >> 4));
            p += std::min<std::int64_t>((bytes + 1) & ~std::int64_t(1), end - p);
        }
    }
}

} // namespace

void DecodeBmp(const std::uint8_t* data, std::size_t size, TPixelBuffer& target) {
    if (std::int64_t(size) < kFileHeaderSize + 12) Invalid("the file is shorter than its headers");
    if (data[0] != 'B' || data[1] != 'M') Invalid("it does not start with \"BM\"");
    const std::int64_t end = Le32(data + 2);
    if (end > std::int64_t(size)) Invalid("the file is shorter than its header says");
    const std::int64_t headerSize = Le32(data + 14);
    const std::int64_t offBits = Le32(data + 10);

    const bool core = headerSize == 12;
    const bool windows = headerSize == 40 || headerSize == 52 || headerSize == 56 ||
                         headerSize == 108 || headerSize == 124;
    const bool os2v2 = !windows && headerSize >= 16 && headerSize <= 64;
    if (!core && !windows && !os2v2)
        Invalid("its information header has an unknown size (" + std::to_string(headerSize) + " bytes)");
    if (kFileHeaderSize + headerSize > end) Invalid("the file is shorter than its headers");

    TInfo info;
    const std::uint8_t* h = data + kFileHeaderSize;
    // Fields an OS/2 header may leave out read as zero.
    auto field32 = [&](int offset) -> std::uint32_t { return offset + 4 <= headerSize ? Le32(h + offset) : 0; };
    int planes;
    if (core) {
        info.Width = Le16(h + 4);
        info.Height = Le16(h + 6);
        planes = int(Le16(h + 8));
        info.Bits = int(Le16(h + 10));
        info.PaletteEntrySize = 3;
    } else {
        info.Width = std::int32_t(Le32(h + 4));
        info.Height = std::int32_t(Le32(h + 8));
        planes = int(Le16(h + 12));
        info.Bits = int(Le16(h + 14));
        info.Compression = field32(16);
        info.SizeImage = field32(20);
        std::int64_t xDensity = std::int32_t(field32(24));
        std::int64_t yDensity = std::int32_t(field32(28));
        if (xDensity < 0 || yDensity < 0 || xDensity > kMaxDensity || yDensity > kMaxDensity)
            Invalid("its resolution is out of range");
    }
    if (planes != 1) Invalid("it has " + std::to_string(planes) + " colour planes");
    if (info.Width <= 0) Invalid("its width is " + std::to_string(info.Width));
    if (info.Height == 0) Invalid("its height is 0");
    if (info.Height < 0) {
        info.TopDown = true;
        info.Height = -info.Height;
    }
    if (info.Compression == BI_JPEG)
        Invalid(os2v2 ? "RLE24-compressed bitmaps are not supported" : "JPEG-compressed bitmaps are not supported");
    if (info.Compression == BI_PNG && !os2v2) Invalid("PNG-compressed bitmaps are not supported");
    const int bits = info.Bits;
    if (bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        Invalid(std::to_string(bits) + " bits per pixel are not supported");

    std::int64_t masksEnd = kFileHeaderSize + headerSize;
    switch (info.Compression) {
    case BI_RGB: break;
    case BI_RLE8:
    case BI_RLE4:
        if (bits != (info.Compression == BI_RLE8 ? 8 : 4))
            Invalid("its compression does not fit " + std::to_string(bits) + " bits per pixel");
        if (info.TopDown) Invalid("a compressed bitmap cannot be stored top-down");
        break;
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS:
        if (os2v2 && info.Compression == BI_BITFIELDS) Invalid("Huffman-compressed bitmaps are not supported");
        if (bits != 16 && bits != 32) Invalid("bit fields need 16 or 32 bits per pixel");
        if (headerSize == kInfoHeaderSize) {
            // The masks follow a plain information header.
            masksEnd += info.Compression == BI_BITFIELDS ? 12 : 16;
            if (masksEnd > end) Invalid("the file is shorter than its colour masks");
            for (int i = 0; i < (info.Compression == BI_BITFIELDS ? 3 : 4); ++i)
                info.Masks[i] = Le32(data + kFileHeaderSize + kInfoHeaderSize + 4 * i);
        } else {
            for (int i = 0; i < 4; ++i) info.Masks[i] = field32(40 + 4 * i);
        }
        break;
    default: Invalid("its compression " + std::to_string(info.Compression) + " is unknown");
    }
    if (info.Compression == BI_RGB && bits == 16) {
        info.Masks[0] = 0x7C00;
        info.Masks[1] = 0x03E0;
        info.Masks[2] = 0x001F;
    } else if (info.Compression == BI_RGB && bits == 32) {
        info.Masks[0] = 0xFF0000;
        info.Masks[1] = 0xFF00;
        info.Masks[2] = 0xFF;
    }
    if (bits >= 16) {
        std::uint32_t all = 0;
        const std::uint32_t room = bits == 16 ? 0xFFFFu : 0xFFFFFFFFu;
        for (int i = 0; i < 4; ++i) {
            std::uint32_t mask = info.Masks[i];
            if ((i < 3 && bits != 24 && !mask) || !TChannel(mask).Contiguous() || (mask & all) || (mask & ~room))
                Invalid("its colour masks are not valid");
            all |= mask;
        }
    }

    if (PictureTooLarge(info.Width, info.Height))
        Invalid("its " + std::to_string(info.Width) + "x" + std::to_string(info.Height) +
                " pixels exceed the limit of " + std::to_string(MaxPicturePixels()));

    // The palette.
    info.PaletteStart = masksEnd;
    if (bits <= 8) {
        const std::int64_t full = std::int64_t(1) << bits;
        std::int64_t declared = core ? full : field32(32);
        if (declared == 0) declared = full;
        // Old-style files may carry fewer entries than the depth allows.
        if (core && offBits > info.PaletteStart && (offBits - info.PaletteStart) / 3 < declared)
            declared = (offBits - info.PaletteStart) / 3;
        if (declared <= 0) Invalid("it has no palette");
        if (info.PaletteStart + declared * info.PaletteEntrySize > end) Invalid("its palette lies outside the file");
        std::int64_t used = std::min(declared, full);
        for (std::int64_t i = 0; i < used; ++i) {
            const std::uint8_t* e = data + info.PaletteStart + i * info.PaletteEntrySize;
            info.Palette.push_back(RGB(e[2], e[1], e[0]));
        }
    }

    if (offBits < kFileHeaderSize + headerSize || offBits >= end)
        Invalid("its pixel data offset lies outside the file");
    if (info.SizeImage > end - offBits) Invalid("its image size is larger than the file");
    const std::int64_t stride = ((info.Width * bits + 31) / 32) * 4;
    const bool rle = info.Compression == BI_RLE8 || info.Compression == BI_RLE4;
    if (!rle && stride * info.Height > end - offBits) Invalid("the file ends before its last row");

    TPixelBuffer pixels;
    try {
        pixels.Allocate(int(info.Width), int(info.Height), FormatForBits(bits));
    } catch (const std::bad_alloc&) {
        Invalid("there is not enough memory for its pixels");
    }
    if (bits <= 8) pixels.SetPalette(info.Palette);
    if (rle) {
        std::int64_t dataEnd = info.SizeImage ? offBits + info.SizeImage : end;
        DecodeRle(data + offBits, data + dataEnd, info, pixels);
    } else {
        DecodeRows(data + offBits, stride, info, pixels);
    }
    target.Swap(pixels);
}

void ReadBmp(TStream& stream, TPixelBuffer& target) {
    std::uint8_t fileHeader[kFileHeaderSize];
    if (stream.Read(fileHeader, kFileHeaderSize) != kFileHeaderSize)
        Invalid("the file is shorter than its headers");
    if (fileHeader[0] != 'B' || fileHeader[1] != 'M') Invalid("it does not start with \"BM\"");
    const std::int64_t fileSize = Le32(fileHeader + 2);
    if (fileSize < kFileHeaderSize + 12) Invalid("its file size field is too small");
    // Checked before allocating, so a lying size cannot ask for gigabytes.
    if (fileSize - kFileHeaderSize > stream.Remaining()) Invalid("the file is shorter than its header says");
    std::vector<std::uint8_t> data(static_cast<std::size_t>(fileSize));
    std::memcpy(data.data(), fileHeader, kFileHeaderSize);
    if (stream.Read(data.data() + kFileHeaderSize, fileSize - kFileHeaderSize) != fileSize - kFileHeaderSize)
        Invalid("the file is shorter than its header says");
    DecodeBmp(data.data(), data.size(), target);
}

namespace {

struct TLayout {
    int Bits = 0;
    int PaletteCount = 0;
    std::int64_t Stride = 0;
    std::int64_t OffBits = 0;
    std::int64_t FileSize = 0;
};

TLayout LayoutOf(const TPixelBuffer& source) {
    TLayout layout;
    switch (source.PixelFormat()) {
    case pf1bit: layout.Bits = 1; break;
    case pf4bit: layout.Bits = 4; break;
    case pf8bit: layout.Bits = 8; break;
    case pf24bit: layout.Bits = 24; break;
    default: layout.Bits = 32; break;
    }
    if (layout.Bits <= 8) {
        int full = 1 << layout.Bits;
        int have = int(source.Palette().size());
        layout.PaletteCount = have == 0 ? full : std::min(have, full);
    }
    layout.Stride = ((std::int64_t(source.Width()) * layout.Bits + 31) / 32) * 4;
    layout.OffBits = kFileHeaderSize + kInfoHeaderSize + 4 * layout.PaletteCount;
    layout.FileSize = layout.OffBits + layout.Stride * source.Height();
    return layout;
}

} // namespace

std::int64_t BmpFileSize(const TPixelBuffer& source) {
    return source.Empty() ? 0 : LayoutOf(source).FileSize;
}

void WriteBmp(TStream& stream, const TPixelBuffer& source) {
    if (source.Empty()) return;
    const TLayout layout = LayoutOf(source);
    const int w = source.Width();
    const int h = source.Height();

    std::vector<std::uint8_t> head(std::size_t(layout.OffBits), 0);
    std::uint8_t* p = head.data();
    *p++ = 'B';
    *p++ = 'M';
    Put32(p, std::uint32_t(layout.FileSize));
    Put32(p, 0);
    Put32(p, std::uint32_t(layout.OffBits));
    Put32(p, std::uint32_t(kInfoHeaderSize));
    Put32(p, std::uint32_t(w));
    Put32(p, std::uint32_t(h));
    Put16(p, 1);
    Put16(p, std::uint32_t(layout.Bits));
    Put32(p, BI_RGB);
    Put32(p, std::uint32_t(layout.Stride * h));
    Put32(p, 0);
    Put32(p, 0);
    Put32(p, layout.Bits <= 8 && layout.PaletteCount < (1 << layout.Bits) ? std::uint32_t(layout.PaletteCount) : 0);
    Put32(p, 0);
    std::vector<TColor> palette = source.Palette();
    for (int i = 0; i < layout.PaletteCount; ++i) {
        TColor c = i < int(palette.size()) ? palette[std::size_t(i)] : clBlack;
        *p++ = std::uint8_t(GetBValue(c));
        *p++ = std::uint8_t(GetGValue(c));
        *p++ = std::uint8_t(GetRValue(c));
        *p++ = 0;
    }
    stream.WriteBuffer(head.data(), std::int64_t(head.size()));

    std::vector<std::uint8_t> row(std::size_t(layout.Stride));
    for (int y = h - 1; y >= 0; --y) {
        std::fill(row.begin(), row.end(), 0);
        const std::uint8_t* src = source.ScanLine(y);
        switch (layout.Bits) {
        case 1: std::memcpy(row.data(), src, std::size_t((w + 7) / 8)); break;
        case 4:
            for (int x = 0; x < w; ++x) row[std::size_t(x / 2)] |= std::uint8_t((src[x] & 15) << ((x & 1) ? 0 : 4));
            break;
        case 8: std::memcpy(row.data(), src, std::size_t(w)); break;
        case 24: std::memcpy(row.data(), src, std::size_t(w) * 3); break;
        default:
            for (int x = 0; x < w; ++x) std::memcpy(&row[std::size_t(4 * x)], src + 4 * x, 3);
            break;
        }
        stream.WriteBuffer(row.data(), layout.Stride);
    }
}
