#include "platform/file_open.h"

#include "platform/file_names.h"
#include "platform/in_out_error.h"
#include "platform/wide_text_win.h"

#include <windows.h>

#include <algorithm>
#include <utility>

namespace {

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

DWORD MoveMethod(TSeekOrigin origin) {
    return origin == soBeginning ? FILE_BEGIN : origin == soCurrent ? FILE_CURRENT : FILE_END;
}

std::int64_t SeekHandle(std::intptr_t handle, std::int64_t offset, TSeekOrigin origin) {
    LARGE_INTEGER distance, position;
    distance.QuadPart = offset;
    if (!::SetFilePointerEx(AsHandle(handle), distance, &position, MoveMethod(origin))) return -1;
    return position.QuadPart;
}

} // namespace

TReadOnlyFile::TReadOnlyFile(const std::string& fsPath) {
    // A device name opens the device wherever it stands in a path: the console, a port,
    // the null device. None of them is looked at, let alone read.
    if (NamesWindowsDevice(fsPath)) {
        FErrorCode = ERROR_ACCESS_DENIED;
        return;
    }
    // Readers may share it; a writer may not, now or while we read. A folder is refused
    // by the open itself (it would need backup semantics).
    HANDLE handle = ::CreateFileW(WideFromUtf8(fsPath).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        FErrorCode = int(::GetLastError());
        return;
    }
    LARGE_INTEGER size;
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        FErrorCode = ERROR_ACCESS_DENIED;
    } else if (!::GetFileSizeEx(handle, &size)) {
        FErrorCode = int(::GetLastError());
    }
    if (FErrorCode != 0) {
        ::CloseHandle(handle);
        return;
    }
    FHandle = reinterpret_cast<std::intptr_t>(handle);
    FSize = size.QuadPart;
}

void TReadOnlyFile::Close() {
    if (FHandle != kClosed) ::CloseHandle(AsHandle(std::exchange(FHandle, kClosed)));
}

std::int64_t TReadOnlyFile::Read(void* buffer, std::int64_t count) {
    std::int64_t done = 0;
    auto* bytes = static_cast<char*>(buffer);
    while (done < count) {
        DWORD got = 0;
        const DWORD asked = DWORD(std::min<std::int64_t>(count - done, 1 << 30));
        if (!::ReadFile(AsHandle(FHandle), bytes + done, asked, &got, nullptr)) {
            FErrorCode = int(::GetLastError());
            return -1;
        }
        if (got == 0) break;
        done += got;
    }
    return done;
}

std::int64_t TReadOnlyFile::Seek(std::int64_t offset, TSeekOrigin origin) {
    return SeekHandle(FHandle, offset, origin);
}

// The open's sharing already keeps writers out, and a file a writer holds was refused
// there with ERROR_SHARING_VIOLATION.
bool TReadOnlyFile::KeepWritersOut() { return true; }

TNewFile::TNewFile(const std::string& fsPath) {
    if (NamesWindowsDevice(fsPath)) {
        FErrorCode = ERROR_ACCESS_DENIED;
        return;
    }
    HANDLE handle = ::CreateFileW(WideFromUtf8(fsPath).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        FErrorCode = int(::GetLastError());
    else
        FHandle = reinterpret_cast<std::intptr_t>(handle);
}

TNewFile::~TNewFile() {
    if (FHandle != kClosed) ::CloseHandle(AsHandle(FHandle));
}

std::int64_t TNewFile::Write(const void* buffer, std::int64_t count) {
    std::int64_t done = 0;
    auto* bytes = static_cast<const char*>(buffer);
    while (done < count) {
        DWORD written = 0;
        const DWORD asked = DWORD(std::min<std::int64_t>(count - done, 1 << 30));
        if (!::WriteFile(AsHandle(FHandle), bytes + done, asked, &written, nullptr) || written == 0) break;
        done += written;
    }
    return done;
}

std::int64_t TNewFile::Seek(std::int64_t offset, TSeekOrigin origin) {
    return SeekHandle(FHandle, offset, origin);
}

std::optional<TFileIdentity> FileIdentity(const std::string& fsPath) {
    if (NamesWindowsDevice(fsPath)) return std::nullopt;
    // Backup semantics let a folder be opened; no access is asked for, only its facts.
    HANDLE handle = ::CreateFileW(WideFromUtf8(fsPath).c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info;
    const bool known = ::GetFileInformationByHandle(handle, &info);
    ::CloseHandle(handle);
    if (!known) return std::nullopt;
    return TFileIdentity{info.dwVolumeSerialNumber,
                         (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}
