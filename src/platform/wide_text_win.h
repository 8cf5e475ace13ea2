#pragma once
// UTF-8, the program's file-system text, to and from the UTF-16 of Windows' wide calls.

#include <string>
#include <string_view>

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);
