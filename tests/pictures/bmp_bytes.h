#pragma once
// Hand-made BMP files for the reader's tests: a header builder whose fields a test
// can bend to lie.

#include <cstdint>
#include <string>
#include <vector>

struct TBmpHeader {
    std::uint32_t FileSize = 0; // 0: computed
    std::uint32_t OffBits = 0;  // 0: computed
    std::uint32_t HeaderSize = 40;
    std::int32_t Width = 1;
    std::int32_t Height = 1;
    std::uint16_t Planes = 1;
    std::uint16_t Bits = 24;
    std::uint32_t Compression = 0;
    std::uint32_t SizeImage = 0;
    std::int32_t XDensity = 2835;
    std::int32_t YDensity = 2835;
    std::uint32_t ColorsUsed = 0;
    std::vector<std::uint32_t> Masks;   // written right after a 40-byte header
    std::vector<std::uint32_t> Palette; // 0x00RRGGBB entries
};

inline void Le(std::string& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
}

// Headers, masks, palette, then the pixel bytes as given.
inline std::string MakeBmp(const TBmpHeader& h, const std::string& pixels) {
    std::string body;
    Le(body, h.HeaderSize, 4);
    Le(body, std::uint32_t(h.Width), 4);
    Le(body, std::uint32_t(h.Height), 4);
    Le(body, h.Planes, 2);
    Le(body, h.Bits, 2);
    Le(body, h.Compression, 4);
    Le(body, h.SizeImage, 4);
    Le(body, std::uint32_t(h.XDensity), 4);
    Le(body, std::uint32_t(h.YDensity), 4);
    Le(body, h.ColorsUsed, 4);
    Le(body, 0, 4);
    body.resize(h.HeaderSize, '\0');
    for (std::uint32_t m : h.Masks) Le(body, m, 4);
    for (std::uint32_t c : h.Palette) Le(body, c, 4);
    std::uint32_t offBits = h.OffBits ? h.OffBits : std::uint32_t(14 + body.size());
    std::uint32_t fileSize = h.FileSize ? h.FileSize : std::uint32_t(14 + body.size() + pixels.size());
    std::string file = "BM";
    Le(file, fileSize, 4);
    Le(file, 0, 4);
    Le(file, offBits, 4);
    return file + body + pixels;
}
