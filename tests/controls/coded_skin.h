#pragma once
// Our skin description with a controls picture whose pixels name their own position,
// so a pixel of a painted control tells which pixel of the skin it was copied from.

#include "pictures/bitmap.h"
#include "skin/skin_data.h"
#include "skin/stored_skin.h"
#include "toolkit/pixel_buffer.h"
#include "toolkit/strings.h"

#include <fstream>
#include <string>

// Pixel (x, y) is RGB(x % 256, y % 256, x / 256 * 16 + y / 256).
inline void FillWithCoordinates(TBitmap& picture, int width, int height) {
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = std::uint8_t(x / 256 * 16 + y / 256);
            row[3 * x + 1] = std::uint8_t(y);
            row[3 * x + 2] = std::uint8_t(x);
        }
    }
}

// The skin pixel a painted pixel came from.
inline TPoint SkinPixel(const TPixelBuffer& painted, int x, int y) {
    TColor c = painted.Pixel(x, y);
    return {GetRValue(c) + GetBValue(c) / 16 * 256, GetGValue(c) + GetBValue(c) % 16 * 256};
}

// Loads resources/skin/skin.ini with a coded 384 x 421 controls picture (active
// picture 3) and small plain stand-ins for the others.
inline void LoadCodedSkin(TbsSkinData& skin) {
    TbsStoredSkin stored(nullptr);
    std::ifstream file(std::string(VITRINA_SOURCE_DIR) + "/resources/skin/skin.ini");
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        stored.IniStrings().Add(line);
    }
    const int sizes[5][2] = {{76, 51}, {78, 99}, {167, 68}, {384, 421}, {42, 21}};
    for (const auto& size : sizes) {
        auto picture = std::make_unique<TBitmap>();
        FillWithCoordinates(*picture, size[0], size[1]);
        stored.ActivePictures.push_back(std::move(picture));
    }
    skin.LoadFromStoredSkin(stored);
}
