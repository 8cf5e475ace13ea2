#include "platform/cp1251.h"
#include "platform/file_names.h"
#include "platform/shell.h"
#include "platform/shell_desktop.h"
#include "platform/wide_text_win.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>

namespace {

bool Open(const std::wstring& target, int show) {
    // ShellExecute's own way of saying it did: a value above 32. No parameters are
    // passed, so no part of a name can become a command line.
    auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, show));
    return result > 32;
}

} // namespace

bool HandToDesktop(const std::string& file, int show) {
    if (IsWebAddress(file)) return Open(WideFromUtf8(Cp1251ToUtf8(file)), show);
    if (LooksLikeHostName(file)) return Open(L"http://" + WideFromUtf8(Cp1251ToUtf8(file)), show);
    // A folder field naming a device would have the shell open the console or a port.
    if (NamesWindowsDevice(file)) return false;
    std::wstring path = WideFromUtf8(MapPath(file).FsPath);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    wchar_t full[MAX_PATH * 4];
    const DWORD length = ::GetFullPathNameW(path.c_str(), DWORD(std::size(full)), full, nullptr);
    if (length == 0 || length >= std::size(full)) return false;
    return Open(std::wstring(full, length), show);
}
