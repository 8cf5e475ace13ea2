// Reading and writing BMP files: every depth both ways, exact byte counts, files back
// to back, and headers that lie.

#include "pictures/bitmap.h"
#include "pictures/bmp_codec.h"
#include "pictures/picture_limits.h"
#include "platform/stream.h"
#include "bmp_bytes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

TMemoryStream StreamOf(const std::string& bytes) {
    return TMemoryStream(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

std::string BytesOf(TBitmap& bitmap) {
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

// A bitmap whose pixels differ from row to row and column to column.
void FillPattern(TBitmap& bitmap, TPixelFormat format, int width, int height) {
    TPixelBuffer& pixels = bitmap.PixelBuffer();
    pixels.Allocate(width, height, format);
    int bytesUsed = 0;
    switch (format) {
    case pf1bit: bytesUsed = (width + 7) / 8; break;
    case pf4bit:
    case pf8bit: bytesUsed = width; break;
    case pf24bit: bytesUsed = width * 3; break;
    default: bytesUsed = width * 4; break;
    }
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = pixels.ScanLine(y);
        for (int i = 0; i < bytesUsed; ++i) {
            std::uint8_t v = std::uint8_t(y * 31 + i * 7 + 1);
            if (format == pf4bit) v &= 15;
            if (format == pf32bit && i % 4 == 3) v = 0xFF;
            row[i] = v;
        }
        if (format == pf1bit && width % 8) row[bytesUsed - 1] &= std::uint8_t(0xFF << (8 - width % 8));
    }
    if (format == pf8bit) {
        std::vector<TColor> palette;
        for (int i = 0; i < 256; ++i) palette.push_back(RGB(i, 255 - i, i / 2));
        pixels.SetPalette(palette);
    }
}

int UsedBytes(const TPixelBuffer& pixels) {
    switch (pixels.PixelFormat()) {
    case pf1bit: return (pixels.Width() + 7) / 8;
    case pf4bit:
    case pf8bit: return pixels.Width();
    case pf24bit: return pixels.Width() * 3;
    default: return pixels.Width() * 4;
    }
}

void ExpectSamePixels(const TPixelBuffer& a, const TPixelBuffer& b) {
    ASSERT_EQ(a.Width(), b.Width());
    ASSERT_EQ(a.Height(), b.Height());
    ASSERT_EQ(a.PixelFormat(), b.PixelFormat());
    EXPECT_EQ(a.Palette(), b.Palette());
    for (int y = 0; y < a.Height(); ++y)
        ASSERT_EQ(0, std::memcmp(a.ScanLine(y), b.ScanLine(y), std::size_t(UsedBytes(a)))) << "row " << y;
}

TEST(BitmapFiles, RoundTripKeepsPixelsAndPaletteAtEveryDepth) {
    for (TPixelFormat format : {pf1bit, pf4bit, pf8bit, pf24bit, pf32bit}) {
        SCOPED_TRACE(format);
        TBitmap original;
        FillPattern(original, format, 13, 5);
        std::string bytes = BytesOf(original);
        int bits = format == pf1bit ? 1 : format == pf4bit ? 4 : format == pf8bit ? 8 : format == pf24bit ? 24 : 32;
        int stride = ((13 * bits + 31) / 32) * 4;
        int palette = bits <= 8 ? 4 << bits : 0;
        EXPECT_EQ(bytes.size(), std::size_t(54 + palette + stride * 5));

        // Two copies back to back and a stray byte: each read takes exactly one file.
        TMemoryStream stream = StreamOf(bytes + bytes + "x");
        TBitmap first, second;
        first.LoadFromStream(stream);
        EXPECT_EQ(stream.Position(), std::int64_t(bytes.size()));
        second.LoadFromStream(stream);
        EXPECT_EQ(stream.Position(), std::int64_t(2 * bytes.size()));
        ExpectSamePixels(original.PixelBuffer(), first.PixelBuffer());
        ExpectSamePixels(original.PixelBuffer(), second.PixelBuffer());
    }
}

TEST(BitmapFiles, WritesPlainHeadersBottomUpWithExactSizes) {
    TBitmap banner;
    banner.SetPixelFormat(pf24bit);
    banner.SetSize(800, 100);
    banner.PixelBuffer().ScanLine(99)[0] = 0x12; // bottom row, first blue byte
    std::string bytes = BytesOf(banner);
    ASSERT_EQ(bytes.size(), 240054u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    auto le32 = [&](std::size_t at) {
        return std::uint32_t(std::uint8_t(bytes[at])) | std::uint32_t(std::uint8_t(bytes[at + 1])) << 8 |
               std::uint32_t(std::uint8_t(bytes[at + 2])) << 16 | std::uint32_t(std::uint8_t(bytes[at + 3])) << 24;
    };
    EXPECT_EQ(le32(2), 240054u);
    EXPECT_EQ(le32(10), 54u);
    EXPECT_EQ(le32(14), 40u);
    EXPECT_EQ(le32(22), 100u); // positive height: bottom-up
    EXPECT_EQ(le32(30), 0u);   // no compression
    EXPECT_EQ(bytes[54], 0x12);

    TBitmap marker;
    marker.SetPixelFormat(pf24bit);
    marker.SetSize(18, 20);
    EXPECT_EQ(BytesOf(marker).size(), 1174u);
    TBitmap noImage;
    noImage.SetPixelFormat(pf24bit);
    noImage.SetSize(243, 214);
    EXPECT_EQ(BytesOf(noImage).size(), 156702u);

    // An 8-bit picture with 163 colours keeps its short palette.
    TBitmap frame;
    frame.SetPixelFormat(pf8bit);
    frame.SetSize(207, 138);
    frame.SetPalette(std::vector<TColor>(163, clWhite));
    std::string frameBytes = BytesOf(frame);
    EXPECT_EQ(frameBytes.size(), 29410u);
    TMemoryStream again = StreamOf(frameBytes);
    TBitmap reread;
    reread.LoadFromStream(again);
    EXPECT_EQ(reread.Palette().size(), 163u);
}

TEST(BitmapFiles, ReadsTopDownAndBottomUpRowsAlike) {
    // 2x2, 24 bits: top row red, blue; bottom row green, white. Rows padded to 8 bytes.
    std::string top = std::string("\x00\x00\xff\xff\x00\x00", 6) + std::string(2, '\0');
    std::string bottom = std::string("\x00\xff\x00\xff\xff\xff", 6) + std::string(2, '\0');
    TBmpHeader h;
    h.Width = 2;
    h.Height = 2;
    TMemoryStream bottomUp = StreamOf(MakeBmp(h, bottom + top));
    h.Height = -2;
    TMemoryStream topDown = StreamOf(MakeBmp(h, top + bottom));
    for (TMemoryStream* stream : {&bottomUp, &topDown}) {
        TBitmap bitmap;
        bitmap.LoadFromStream(*stream);
        EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
        EXPECT_EQ(bitmap.PixelBuffer().Pixel(0, 0), RGB(255, 0, 0));
        EXPECT_EQ(bitmap.PixelBuffer().Pixel(1, 0), RGB(0, 0, 255));
        EXPECT_EQ(bitmap.PixelBuffer().Pixel(0, 1), RGB(0, 255, 0));
        EXPECT_EQ(bitmap.PixelBuffer().Pixel(1, 1), RGB(255, 255, 255));
    }
}

TEST(BitmapFiles, DecodesBitFieldsSixteenBitsAndRunLengths) {
    // 16 bits, 5-6-5 fields: pure red, then pure blue.
    TBmpHeader h;
    h.Width = 2;
    h.Bits = 16;
    h.Compression = 3;
    h.Masks = {0xF800, 0x07E0, 0x001F};
    TMemoryStream rgb565 = StreamOf(MakeBmp(h, std::string("\x00\xf8\x1f\x00", 4)));
    TBitmap fields;
    fields.LoadFromStream(rgb565);
    EXPECT_EQ(fields.PixelBuffer().Pixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(fields.PixelBuffer().Pixel(1, 0), RGB(0, 0, 255));

    // RLE8, 4x2: bottom row "3 x colour 1, then colour 2", top row jumped over by a
    // move and left at colour 0 except its last pixel.
    TBmpHeader r;
    r.Width = 4;
    r.Height = 2;
    r.Bits = 8;
    r.Compression = 1;
    r.ColorsUsed = 3;
    r.Palette = {0x000000, 0xFF0000, 0x00FF00};
    std::string rle("\x03\x01\x01\x02\x00\x00\x00\x02\x03\x00\x01\x02\x00\x01", 14);
    TMemoryStream rle8 = StreamOf(MakeBmp(r, rle));
    TBitmap runs;
    runs.LoadFromStream(rle8);
    const TPixelBuffer& p = runs.PixelBuffer();
    EXPECT_EQ(p.ScanLine(1)[0], 1);
    EXPECT_EQ(p.ScanLine(1)[2], 1);
    EXPECT_EQ(p.ScanLine(1)[3], 2);
    EXPECT_EQ(p.ScanLine(0)[0], 0);
    EXPECT_EQ(p.ScanLine(0)[3], 2);

    // RLE4 alternates the two nibbles of a run.
    r.Bits = 4;
    r.Compression = 2;
    TMemoryStream rle4 = StreamOf(MakeBmp(r, std::string("\x04\x12\x00\x01", 4)));
    TBitmap nibbles;
    nibbles.LoadFromStream(rle4);
    EXPECT_EQ(nibbles.PixelFormat(), pf4bit);
    EXPECT_EQ(nibbles.PixelBuffer().ScanLine(1)[0], 1);
    EXPECT_EQ(nibbles.PixelBuffer().ScanLine(1)[1], 2);
    EXPECT_EQ(nibbles.PixelBuffer().ScanLine(1)[3], 2);
}

TEST(BitmapFiles, RefusesHeadersThatLieAndKeepsTheOldPicture) {
    auto valid = [] {
        TBmpHeader h;
        h.Width = 3;
        h.Height = 2;
        h.Bits = 8;
        h.ColorsUsed = 2;
        h.Palette = {0x000000, 0xFFFFFF};
        return h;
    };
    const std::string pixels(8, '\x01');
    struct TCase {
        const char* What;
        std::string Bytes;
    };
    std::vector<TCase> cases;
    auto add = [&](const char* what, auto bend, std::string data) {
        TBmpHeader h = valid();
        bend(h);
        cases.push_back({what, MakeBmp(h, data)});
    };
    add("zero width", [](TBmpHeader& h) { h.Width = 0; }, pixels);
    add("negative width", [](TBmpHeader& h) { h.Width = -3; }, pixels);
    add("zero height", [](TBmpHeader& h) { h.Height = 0; }, pixels);
    add("two planes", [](TBmpHeader& h) { h.Planes = 2; }, pixels);
    add("3 bits", [](TBmpHeader& h) { h.Bits = 3; }, pixels);
    add("file size beyond the data", [](TBmpHeader& h) { h.FileSize = 0x7FFFFFF0; }, pixels);
    add("file size below the headers", [](TBmpHeader& h) { h.FileSize = 20; }, pixels);
    add("pixels offset past the end", [](TBmpHeader& h) { h.OffBits = 4000; }, pixels);
    add("pixels offset inside the headers", [](TBmpHeader& h) { h.OffBits = 20; }, pixels);
    add("palette count far too big", [](TBmpHeader& h) { h.ColorsUsed = 0x12345678; }, pixels);
    add("index beyond the palette", [](TBmpHeader&) {}, std::string(8, '\x05'));
    add("rows missing", [](TBmpHeader&) {}, std::string(4, '\x01'));
    add("unknown header size", [](TBmpHeader& h) { h.HeaderSize = 66; }, pixels);
    add("absurd dimensions", [](TBmpHeader& h) { h.Width = 0x7FFFFFFF; h.Height = 0x7FFFFFFF; }, pixels);
    add("image size beyond the file", [](TBmpHeader& h) { h.SizeImage = 0x7F000000; }, pixels);
    add("JPEG inside", [](TBmpHeader& h) { h.Compression = 4; }, pixels);
    add("RLE stored top-down", [](TBmpHeader& h) { h.Compression = 1; h.Height = -2; }, std::string("\x00\x01", 2));
    add("RLE run past the row", [](TBmpHeader& h) { h.Compression = 1; }, std::string("\x05\x01\x00\x01", 4));
    add("RLE move past the picture", [](TBmpHeader& h) { h.Compression = 1; }, std::string("\x00\x02\x01\x09", 4));
    add("RLE literal cut off", [](TBmpHeader& h) { h.Compression = 1; }, std::string("\x00\x05\x01\x01", 4));
    add("bit fields without blue", [](TBmpHeader& h) {
        h.Bits = 16; h.Compression = 3; h.Palette.clear(); h.ColorsUsed = 0; h.Masks = {0xFF00, 0x00FF, 0};
    }, std::string(8, '\0'));
    add("overlapping bit fields", [](TBmpHeader& h) {
        h.Bits = 32; h.Compression = 3; h.Palette.clear(); h.ColorsUsed = 0; h.Masks = {0xFF00, 0x0FF0, 0xFF};
    }, std::string(24, '\0'));
    add("resolution of garbage", [](TBmpHeader& h) { h.XDensity = 30000000; }, pixels);
    cases.push_back({"not BM", "BX" + MakeBmp(valid(), pixels).substr(2)});
    cases.push_back({"cut inside the file header", MakeBmp(valid(), pixels).substr(0, 9)});
    cases.push_back({"cut inside the pixels", MakeBmp(valid(), pixels).substr(0, 66)});

    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TBitmap bitmap;
        FillPattern(bitmap, pf24bit, 4, 4);
        TMemoryStream stream = StreamOf(c.Bytes);
        try {
            bitmap.LoadFromStream(stream);
            ADD_FAILURE() << "loaded";
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message().rfind("Bitmap image is not valid: ", 0), 0u) << e.Message();
        }
        EXPECT_EQ(bitmap.Width(), 4);
        EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    }
}

TEST(BitmapFiles, StoredDataIsACountThenTheFile) {
    TBitmap bitmap;
    FillPattern(bitmap, pf24bit, 3, 3);
    TMemoryStream stored;
    bitmap.WriteData(stored);
    stored.WriteBuffer("tail", 4);
    const std::string file = BytesOf(bitmap);
    ASSERT_EQ(stored.Size(), std::int64_t(4 + file.size() + 4));
    EXPECT_EQ(std::uint8_t(stored.Bytes()[0]), file.size());
    stored.SetPosition(0);
    TBitmap copy;
    copy.ReadData(stored);
    EXPECT_EQ(stored.Position(), std::int64_t(4 + file.size()));
    ExpectSamePixels(bitmap.PixelBuffer(), copy.PixelBuffer());
}

// The public BMP Suite, when the shared folder beside the project has it.
std::filesystem::path BmpSuite() {
    if (const char* env = std::getenv("VITRINA_BMPSUITE")) return env;
    for (const char* up : {"/../shared", "/../../shared"}) {
        std::filesystem::path p = std::string(VITRINA_SOURCE_DIR) + up + "/test-suites/bmpsuite";
        if (std::filesystem::is_directory(p)) return p;
    }
    return {};
}

TEST(BitmapFiles, BmpSuiteGoodLoadsBadIsRefused) {
    std::filesystem::path suite = BmpSuite();
    if (suite.empty()) GTEST_SKIP() << "no BMP Suite beside the project";
    int seen = 0;
    for (const char* kind : {"g", "q", "b"}) {
        for (const auto& entry : std::filesystem::directory_iterator(suite / kind)) {
            SCOPED_TRACE(entry.path().string());
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream s;
            s << in.rdbuf();
            TMemoryStream stream = StreamOf(s.str());
            TBitmap bitmap;
            ++seen;
            try {
                bitmap.LoadFromStream(stream);
                EXPECT_NE(kind[0], 'b') << "a bad file loaded";
                EXPECT_FALSE(bitmap.Empty());
            } catch (const EInvalidGraphic& e) {
                EXPECT_NE(kind[0], 'g') << e.Message();
                if (kind[0] == 'q') std::printf("  %s: %s\n", entry.path().filename().string().c_str(), e.Message().c_str());
            }
        }
    }
    EXPECT_GT(seen, 50);
}

} // namespace
