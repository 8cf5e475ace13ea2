#include "platform/stored_name.h"

#include "platform/wide_text_win.h"

#include <windows.h>

std::string StoredName(const std::string& fsPath, const std::string& writtenName) {
    // An existing name holds no wildcards, so the search finds that one entry.
    WIN32_FIND_DATAW entry;
    HANDLE search = ::FindFirstFileExW(WideFromUtf8(fsPath).c_str(), FindExInfoBasic, &entry,
                                       FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return writtenName; // a device, a root
    ::FindClose(search);
    std::string stored = Utf8FromWide(entry.cFileName);
    return ::CompareStringOrdinal(WideFromUtf8(stored).c_str(), -1, WideFromUtf8(writtenName).c_str(), -1, TRUE) ==
                   CSTR_EQUAL
               ? stored
               : writtenName;
}
