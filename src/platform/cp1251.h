#pragma once
// Code page 1251 (Windows Cyrillic), the 8-bit text every string of the program holds.
// Text becomes Unicode only at the edges: drawing, file names, the tools' output.

#include <cstddef>
#include <string>
#include <string_view>

// 0x98 has no character in the code page; it reads as U+FFFD so it stays visible.
char16_t Cp1251ToUnicode(unsigned char c);
// Characters the code page lacks become '?'.
char UnicodeToCp1251(char32_t c);

std::u16string Cp1251ToUtf16(std::string_view text);
std::string Cp1251ToUtf8(std::string_view text);
// Malformed UTF-8 and characters the code page lacks become '?'.
std::string Utf8ToCp1251(std::string_view text);
std::string Utf16ToCp1251(std::u16string_view text);

// One character of UTF-8 text and the bytes it takes. A malformed or truncated
// sequence, an overlong form or a surrogate is one character that is not Valid.
struct TUtf8Char {
    char32_t Code = 0;
    std::size_t Length = 1;
    bool Valid = false;
};
TUtf8Char DecodeUtf8Char(std::string_view text, std::size_t at);
// The character in the code page: '?' when it has none or the sequence is not valid.
char Utf8CharToCp1251(const TUtf8Char& c);
// Utf8ToCp1251 written to out, which may be the text itself or any place before it in
// the same buffer; returns the converted length.
std::size_t Utf8ToCp1251Into(std::string_view text, char* out);

// Locale-independent case mapping of the code page's letters, Latin and Cyrillic alike.
char Cp1251ToLower(char c);
char Cp1251ToUpper(char c);
std::string Cp1251LowerCase(std::string_view text);
std::string Cp1251UpperCase(std::string_view text);
bool Cp1251SameText(std::string_view a, std::string_view b);
