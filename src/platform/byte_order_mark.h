#pragma once
// Text files saved by today's editors: UTF-8 behind a byte-order mark. Such a file is
// turned into code page 1251 as it is read; a file without the mark is code page 1251
// already and is left as it is, so a stored catalogue can never be misread.

#include <cstddef>
#include <span>
#include <string_view>

inline constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

inline bool StartsWithUtf8ByteOrderMark(std::string_view text) {
    return text.starts_with(Utf8ByteOrderMark);
}

// Drops the mark and converts the rest to code page 1251 over itself, a character the
// code page lacks becoming '?'. Returns the text's new length (the old one without the
// mark). Code page 1251 text is never longer than its UTF-8, so nothing is allocated.
std::size_t DecodeMarkedUtf8(std::span<char> text);
