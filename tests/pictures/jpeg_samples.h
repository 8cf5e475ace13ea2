#pragma once
// JPEG files made on the spot with libjpeg's compressor, for the tests and the
// benchmark.

#include <cstdint>
#include <functional>
#include <string>

// Printers' inks instead of red, green and blue: plain CMYK without Adobe's marker, or
// with it and stored inverted as Adobe's programs store it, as CMYK or as YCCK.
enum TJpegInks { NoInks, PlainCmyk, AdobeCmyk, AdobeYcck };

struct TJpegSample {
    int Width = 16;
    int Height = 16;
    bool Grayscale = false;
    TJpegInks Inks = NoInks;
    bool Progressive = false;
    int Quality = 90;
    // Red, green, blue of pixel (x, y); grey uses the red value.
    std::function<void(int x, int y, std::uint8_t rgb[3])> Pixel;
};

std::string MakeJpeg(const TJpegSample& sample);

// Rewrites the frame header's picture size (for files that lie about it).
std::string WithFrameSize(std::string jpeg, int width, int height);
