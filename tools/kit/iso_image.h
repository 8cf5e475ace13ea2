#pragma once
// Disc images: ISO 9660 with Rock Ridge (permissions, long and Cyrillic names for Linux)
// and Joliet (names for Windows), written with libisofs.

#include <string>

// A volume label from any text: Latin transliteration, upper case, A–Z, 0–9 and "_",
// at most 32 characters; "VITRINA" when nothing is left.
std::string MakeVolumeLabel(const std::string& utf8);

// Writes an image of everything in `folder` to `imagePath`. The image is written under
// a temporary name beside it and renamed when complete, so no half image is ever left
// under the name. Throws Exception with the reason.
void WriteIsoImage(const std::string& folder, const std::string& imagePath, const std::string& label);
