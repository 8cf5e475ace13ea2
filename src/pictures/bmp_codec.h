#pragma once
// Windows BMP files. The reader trusts nothing in the headers: every size, offset
// and count is checked against the bytes at hand before use, and a bad file raises
// EInvalidGraphic. The writer produces what every reader accepts: a 40-byte
// information header, rows bottom-up, no compression.

#include <cstddef>
#include <cstdint>

class TPixelBuffer;
class TStream;

// Reads one BMP file from the stream, consuming exactly the file size its header
// gives. On failure nothing is changed in `target`; the stream position is then
// unspecified.
void ReadBmp(TStream& stream, TPixelBuffer& target);

// Parses a BMP file held in memory (the 14-byte file header included).
void DecodeBmp(const std::uint8_t* data, std::size_t size, TPixelBuffer& target);

// Writes the buffer as a BMP file of its own depth; an empty buffer writes nothing.
void WriteBmp(TStream& stream, const TPixelBuffer& source);

// Size in bytes of the file WriteBmp would write.
std::int64_t BmpFileSize(const TPixelBuffer& source);
