#include "platform/collation.h"

#include "platform/wide_text_win.h"

#include <windows.h>

// The user's language as Windows keeps it ("ru-RU"). Wine takes it from LC_ALL, LC_MESSAGES
// or LANG, so tests choose it the same way on both systems.
std::string TCollator::EnvironmentLocale() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (::GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH) == 0) return {};
    return Utf8FromWide(name);
}
