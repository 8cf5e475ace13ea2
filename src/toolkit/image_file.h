#pragma once
// Size of a PNG (or other image Qt reads) after decoding it whole.

#include <optional>
#include <string>

struct TImageFileSize {
    int Width = 0;
    int Height = 0;
};

// Nothing when the file cannot be read or decoded.
std::optional<TImageFileSize> ReadImageFileSize(const std::string& fileName);
