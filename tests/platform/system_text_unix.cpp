#include "system_text.h"

#include <QChar>

#include <iconv.h>

std::optional<char16_t> SystemCp1251Character(unsigned char byte) {
    iconv_t cd = ::iconv_open("UTF-16LE", "CP1251");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    char in = static_cast<char>(byte);
    unsigned char out[4] = {};
    char* inp = &in;
    char* outp = reinterpret_cast<char*>(out);
    size_t inLeft = 1, outLeft = sizeof out;
    const bool converted = ::iconv(cd, &inp, &inLeft, &outp, &outLeft) != size_t(-1);
    ::iconv_close(cd);
    if (!converted) return std::nullopt;
    return char16_t(out[0] | out[1] << 8);
}

// Qt's Unicode tables: the C library's case mapping depends on the locale.
char16_t SystemLowerCase(char16_t c) { return char16_t(QChar::toLower(char32_t(c))); }
char16_t SystemUpperCase(char16_t c) { return char16_t(QChar::toUpper(char32_t(c))); }
bool SystemIsPrintable(char16_t c) { return QChar::isPrint(char32_t(c)); }
