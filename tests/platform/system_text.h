#pragma once
// The system's own code page 1251 and letter case, to hold ours against.

#include <optional>

// The character the system's converter reads a byte of code page 1251 as; nothing when
// the system has no such converter.
std::optional<char16_t> SystemCp1251Character(unsigned char byte);
char16_t SystemLowerCase(char16_t c);
char16_t SystemUpperCase(char16_t c);
bool SystemIsPrintable(char16_t c);
