#pragma once
// The calls into libjpeg. Its fatal errors leave the library by longjmp, so every
// function here keeps only plain data in the frames that longjmp can cross and
// reports failure as the library's message code (0 = success); the caller turns the
// code into an exception once the library is left behind.

#include <cstddef>
#include <cstdint>

struct TJpegHeaderInfo {
    int Width = 0;
    int Height = 0;
    bool Grayscale = false;
    bool Progressive = false;
    // At the scale asked for.
    int OutputWidth = 0;
    int OutputHeight = 0;
};

struct TJpegLimits {
    std::int64_t MaxPixels = 0;
    int MaxScans = 0;
};

// Where the compressed bytes come from when they are not in memory: Read fills buffer with
// up to size bytes and returns how many, 0 at the end. It must not throw.
struct TJpegReader {
    void* Context = nullptr;
    std::size_t (*Read)(void* context, std::uint8_t* buffer, std::size_t size) = nullptr;
};

// Reads only the header; scaleDenominator is 1, 2, 4 or 8.
int ReadJpegHeader(const std::uint8_t* data, std::size_t size, int scaleDenominator, const TJpegLimits& limits,
                   TJpegHeaderInfo& info);
// The same, pulling bytes from reader only as far as the header goes.
int ReadJpegHeader(const TJpegReader& reader, int scaleDenominator, const TJpegLimits& limits,
                   TJpegHeaderInfo& info);

struct TJpegDecodeSettings {
    int ScaleDenominator = 1;
    bool Smoothing = true;
    bool Grayscale = false;
    bool EightBit = false;
    bool BestSpeed = false;
};

// Where the decoded rows go. The callbacks must not throw.
struct TJpegDecodeTarget {
    void* Context = nullptr;
    // Sizes the target: 8 bits per pixel with a palette when indexed, else 32 bits
    // blue-green-red-unused, the unused byte 255. False when there is no memory for it.
    bool (*Allocate)(void* context, int width, int height, bool indexed) = nullptr;
    std::uint8_t* (*Row)(void* context, int row) = nullptr;
    // `map` holds `components` arrays of `count` values (red, green, blue or grey).
    bool (*SetPalette)(void* context, const std::uint8_t* const* map, int components, int count) = nullptr;
};

int DecodeJpeg(const std::uint8_t* data, std::size_t size, const TJpegDecodeSettings& settings,
               const TJpegLimits& limits, const TJpegDecodeTarget& target);
