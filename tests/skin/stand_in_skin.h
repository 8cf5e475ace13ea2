#pragma once
// A skin folder for tests: our skin description beside pictures of the sizes, depths
// and colour counts our skin's pictures have. Once the drawn pictures are in the
// source tree they are used instead.

#include "pictures/bitmap.h"
#include "platform/stream.h"
#include "support/scratch_folder.h"

#include <filesystem>
#include <string>
#include <vector>

struct TStandInPicture {
    const char* Name;
    int Width, Height;
    TPixelFormat Format;
    int Colors;
};

inline const std::vector<TStandInPicture>& OurSkinPictures() {
    static const std::vector<TStandInPicture> pictures = {
        {"main.bmp", 207, 138, pf8bit, 163},  {"mainmask.bmp", 207, 138, pf1bit, 2},
        {"pw.bmp", 76, 51, pf8bit, 36},       {"menuitems.bmp", 78, 99, pf8bit, 149},
        {"active.bmp", 167, 68, pf8bit, 213}, {"controls.bmp", 384, 421, pf24bit, 0},
        {"hw.bmp", 42, 21, pf8bit, 256}};
    return pictures;
}

// Pixels that differ from row to row and column to column.
inline void FillPattern(TBitmap& bitmap, TPixelFormat format, int width, int height, int colors) {
    bitmap.SetPixelFormat(format);
    bitmap.SetSize(width, height);
    if (colors > 0) {
        std::vector<TColor> palette;
        for (int i = 0; i < colors; ++i)
            palette.push_back(RGB(i * 255 / colors, i, 255 - i));
        bitmap.SetPalette(palette);
    }
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        const int bytes = bitmap.PixelBuffer().BytesPerLine();
        for (int i = 0; i < bytes; ++i)
            row[i] = std::uint8_t(colors > 0 ? (i + y) % (format == pf1bit ? 256 : colors)
                                             : (i * 7 + y * 3));
    }
}

inline void SaveBitmap(TBitmap& bitmap, const std::string& path) {
    TFileStream file(path, fmCreate);
    bitmap.SaveToStream(file);
}

// The path of skin.ini in a folder of `scratch`.
inline std::string OurSkinFolder(const TScratchFolder& scratch) {
    const std::string source = std::string(VITRINA_SOURCE_DIR) + "/resources/skin";
    if (std::filesystem::exists(source + "/controls.bmp")) return source + "/skin.ini";
    std::string folder = scratch.MakeFolder("skin");
    std::filesystem::copy_file(source + "/skin.ini", folder + "/skin.ini");
    for (const TStandInPicture& p : OurSkinPictures()) {
        TBitmap bitmap;
        FillPattern(bitmap, p.Format, p.Width, p.Height, p.Colors);
        SaveBitmap(bitmap, folder + "/" + p.Name);
    }
    return folder + "/skin.ini";
}
