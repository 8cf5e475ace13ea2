#pragma once
// How large a picture the decoders agree to build. A header that asks for more is
// refused before anything is allocated, so a hostile file cannot exhaust memory.

#include <cstdint>

// 100 megapixels by default: far above any screenshot, at most 400 MB at 32 bits
// per pixel. Fuzz targets lower it to keep each run quick.
std::int64_t MaxPicturePixels();
void SetMaxPicturePixels(std::int64_t pixels);

// A progressive JPEG with more scans than this is refused (default 300; real files
// have about ten).
int MaxJpegScans();
void SetMaxJpegScans(int scans);

inline bool PictureTooLarge(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width * height > MaxPicturePixels();
}
