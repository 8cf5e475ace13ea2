#pragma once
// JPEG files made on the spot with libjpeg's compressor, for the tests and the
// benchmark.

#include <cstdint>
#include <functional>
#include <string>

struct TJpegSample {
    int Width = 16;
    int Height = 16;
    bool Grayscale = false;
    bool Progressive = false;
    int Quality = 90;
    // Red, green, blue of pixel (x, y); grey uses the red value.
    std::function<void(int x, int y, std::uint8_t rgb[3])> Pixel;
};

std::string MakeJpeg(const TJpegSample& sample);

// Rewrites the frame header's picture size (for files that lie about it).
std::string WithFrameSize(std::string jpeg, int width, int height);
