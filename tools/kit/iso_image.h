#pragma once
// Disc images: ISO 9660 with Rock Ridge (permissions, long and Cyrillic names for Linux)
// and Joliet (names for Windows), written with libisofs.

#include <string>

// Writes an image of everything in `folder` to `imagePath`. The image is written under
// a temporary name beside it and renamed when complete, so no half image is ever left
// under the name. Throws Exception with the reason.
void WriteIsoImage(const std::string& folder, const std::string& imagePath, const std::string& label);
