#pragma once
// Drawn images become the program's own bitmaps here: 24-bit ones as they are, indexed
// ones through a palette of an exact size, all written by TBitmap so the files hold
// exactly what the program reads back.

#include <QImage>

#include <cstdint>
#include <string>
#include <vector>

namespace art {

struct TIndexedImage {
    int Width = 0;
    int Height = 0;
    std::vector<QRgb> Palette;         // exactly the size asked for
    std::vector<std::uint8_t> Indices; // one per pixel, rows top first
};

// Reduces the image to a palette of exactly `colours` entries. The most common colour
// of each group stands for it, so flat areas keep their exact colour; entries no pixel
// needs are filled with distinct unused colours.
TIndexedImage Quantise(const QImage& image, int colours);

// The image's pixels as they will read back from an indexed bitmap.
QImage Expand(const TIndexedImage& indexed);

// Writes path (an ordinary file-system path) as a BMP file, bottom row first.
void Write24(const std::string& path, const QImage& image);
// bits is 1, 4 or 8; the palette keeps its size.
void WriteIndexed(const std::string& path, const TIndexedImage& indexed, int bits);
// A 1-bit bitmap: white where `white` says so, black elsewhere.
void WriteMask(const std::string& path, const std::vector<bool>& white, int width, int height);
// A Windows icon file with one 4-bit image (16 colours) and an all-opaque mask.
void WriteIcon(const std::string& path, const TIndexedImage& indexed);

} // namespace art
