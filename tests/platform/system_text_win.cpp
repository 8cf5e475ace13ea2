#include "system_text.h"

#include <windows.h>

std::optional<char16_t> SystemCp1251Character(unsigned char byte) {
    const char in = static_cast<char>(byte);
    wchar_t out[2] = {};
    if (::MultiByteToWideChar(1251, MB_ERR_INVALID_CHARS, &in, 1, out, 2) != 1) return std::nullopt;
    return char16_t(out[0]);
}

namespace {

char16_t Mapped(char16_t c, DWORD how) {
    wchar_t in = wchar_t(c), out = 0;
    if (::LCMapStringEx(LOCALE_NAME_INVARIANT, how, &in, 1, &out, 1, nullptr, nullptr, 0) != 1) return c;
    return char16_t(out);
}

} // namespace

char16_t SystemLowerCase(char16_t c) { return Mapped(c, LCMAP_LOWERCASE); }
char16_t SystemUpperCase(char16_t c) { return Mapped(c, LCMAP_UPPERCASE); }

bool SystemIsPrintable(char16_t c) {
    const wchar_t in = wchar_t(c);
    WORD type = 0;
    return ::GetStringTypeW(CT_CTYPE1, &in, 1, &type) && (type & C1_DEFINED) && !(type & C1_CNTRL);
}
