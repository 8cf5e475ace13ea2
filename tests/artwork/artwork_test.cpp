// The committed artwork is what the program relies on: exact sizes, depths and byte
// counts, and a demo disc of the promised shape.

#include "catalogue/catalogue.h"
#include "pictures/bitmap.h"
#include "platform/file_names.h"
#include "platform/stream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct TExpected {
    const char* File;
    int Width, Height, Bits;
    std::uintmax_t Bytes;
    int PaletteEntries;
};

std::uint32_t ReadU32(const std::vector<char>& bytes, size_t at) {
    return std::uint32_t(std::uint8_t(bytes[at])) | std::uint32_t(std::uint8_t(bytes[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(bytes[at + 2])) << 16 | std::uint32_t(std::uint8_t(bytes[at + 3])) << 24;
}

void CheckBitmap(const TExpected& expected) {
    fs::path path = fs::path(VITRINA_SOURCE_DIR) / "resources" / expected.File;
    SCOPED_TRACE(expected.File);
    ASSERT_TRUE(fs::exists(path));
    EXPECT_EQ(fs::file_size(path), expected.Bytes);
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GE(bytes.size(), 54u);
    // Pixels follow the headers and exactly the palette the picture needs.
    EXPECT_EQ(ReadU32(bytes, 10), 54u + 4u * std::uint32_t(expected.PaletteEntries));
    EXPECT_EQ(ReadU32(bytes, 14), 40u);
    TMemoryStream stream(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    TBitmap bitmap;
    bitmap.LoadFromStream(stream);
    EXPECT_EQ(bitmap.Width(), expected.Width);
    EXPECT_EQ(bitmap.Height(), expected.Height);
    EXPECT_EQ(stream.Position(), std::int64_t(expected.Bytes));
}

} // namespace

TEST(Artwork, TheLauncherBitmapsHaveTheirExactSizes) {
    for (const TExpected& expected : {TExpected{"bitmaps/head.bmp", 800, 100, 24, 240054, 0},
                                      TExpected{"bitmaps/body.bmp", 800, 500, 24, 1200054, 0},
                                      TExpected{"bitmaps/marker.bmp", 18, 20, 24, 1174, 0},
                                      TExpected{"bitmaps/noimage.bmp", 243, 214, 24, 156702, 0},
                                      TExpected{"bitmaps/close.bmp", 19, 31, 24, 1914, 0},
                                      TExpected{"bitmaps/minimize.bmp", 75, 27, 24, 6210, 0},
                                      TExpected{"bitmaps/link.bmp", 110, 32, 24, 10678, 0}})
        CheckBitmap(expected);
}

TEST(Artwork, TheSkinPicturesHaveTheirExactSizesAndPalettes) {
    for (const TExpected& expected : {TExpected{"skin/main.bmp", 207, 138, 8, 29410, 163},
                                      TExpected{"skin/mainmask.bmp", 207, 138, 1, 3926, 2},
                                      TExpected{"skin/pw.bmp", 76, 51, 8, 4074, 0},
                                      TExpected{"skin/menuitems.bmp", 78, 99, 8, 8570, 0},
                                      TExpected{"skin/active.bmp", 167, 68, 8, 12330, 0},
                                      TExpected{"skin/controls.bmp", 384, 421, 24, 485046, 0},
                                      TExpected{"skin/hw.bmp", 42, 21, 8, 2002, 0}}) {
        // 8-bit pictures other than main.bmp: the palette is what the byte count leaves.
        TExpected e = expected;
        if (e.Bits == 8 && e.PaletteEntries == 0) {
            std::uintmax_t pixels = std::uintmax_t((e.Width + 3) / 4 * 4) * std::uintmax_t(e.Height);
            e.PaletteEntries = int((e.Bytes - 54 - pixels) / 4);
        }
        CheckBitmap(e);
    }
}

TEST(Artwork, TheDemoDiscHasTheShapeItPromises) {
    fs::path disc = fs::path(VITRINA_SOURCE_DIR) / "examples" / "demo-disc";
    TCatalogue catalogue(disc.string());
    catalogue.LoadCatalogue();
    catalogue.SplitRecords();
    catalogue.BuildCategoryIndex();
    EXPECT_GE(catalogue.GameCount(), 60u);
    EXPECT_GE(catalogue.CategoryCount(), 6u);
    EXPECT_LE(catalogue.CategoryCount(), 10u);
    size_t largest = 0, longest = 0, withoutThumbnail = 0, upperCase = 0;
    for (size_t k = 0; k < catalogue.CategoryCount(); ++k) {
        largest = std::max(largest, catalogue.Titles().Count(k));
        for (size_t j = 0; j < catalogue.Titles().Count(k); ++j) {
            longest = std::max(longest, catalogue.Abouts().At(k, j).size());
            std::string path = "soft\\" + std::string(catalogue.Category(k)) + "\\" +
                               std::string(catalogue.Folders().At(k, j));
            auto thumbnail = FindEntry(path + "\\Resize of photo.jpg", disc.string());
            if (!thumbnail) ++withoutThumbnail;
            else if (thumbnail->Name == "RESIZE OF PHOTO.JPG") ++upperCase;
            EXPECT_TRUE(FindEntry(path + "\\photo.jpg", disc.string())) << path;
        }
    }
    EXPECT_GT(largest, 20u);
    EXPECT_GT(longest, 600u); // well over ten lines at the description's width
    EXPECT_GE(withoutThumbnail, 1u);
    EXPECT_GE(upperCase, 1u);
}
