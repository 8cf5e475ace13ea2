#pragma once

#include <string>

// A volume label from any text: Latin transliteration, upper case, A–Z, 0–9 and "_",
// at most 32 characters; "VITRINA" when nothing is left.
std::string MakeVolumeLabel(const std::string& utf8);
