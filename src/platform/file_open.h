#pragma once
// Files named by the disc, opened for reading as Windows would. Windows opens only
// files: a pipe, a device or a folder in its place is refused as "access denied", and
// nothing waits on a pipe with no writer or reads a device without end. What stands
// behind the handle is the system's business; nothing outside platform/ sees it.

#include "platform/stream.h"

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

class TReadOnlyFile {
public:
    // Opens fsPath (UTF-8) without blocking. Others may read it meanwhile; writers that
    // respect sharing wait or are refused. On failure IsOpen() is false and ErrorCode()
    // is the Windows code: ERROR_ACCESS_DENIED for anything but a regular file.
    explicit TReadOnlyFile(const std::string& fsPath);
    ~TReadOnlyFile();
    TReadOnlyFile(TReadOnlyFile&& other) noexcept;
    TReadOnlyFile& operator=(TReadOnlyFile&& other) noexcept;
    TReadOnlyFile(const TReadOnlyFile&) = delete;
    TReadOnlyFile& operator=(const TReadOnlyFile&) = delete;

    bool IsOpen() const { return FHandle != kClosed; }
    int ErrorCode() const { return FErrorCode; }
    // The size when it was opened.
    std::int64_t Size() const { return FSize; }

    // Up to count bytes; fewer only at the end. -1 when the system fails the read,
    // with ErrorCode() telling why.
    std::int64_t Read(void* buffer, std::int64_t count);
    // The new position, or -1.
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin);

    // Keeps every writer out until the file is closed. False when another program has
    // it open for writing already: Windows' sharing violation. Where the system cannot
    // tell, nothing is refused.
    bool KeepWritersOut();

private:
    static constexpr std::intptr_t kClosed = -1;
    void Close();

    std::intptr_t FHandle = kClosed;
    int FErrorCode = 0;
    std::int64_t FSize = 0;
    bool FWritersKeptOut = false;
};

// A file created (or emptied) for writing.
class TNewFile {
public:
    explicit TNewFile(const std::string& fsPath);
    ~TNewFile();
    TNewFile(const TNewFile&) = delete;
    TNewFile& operator=(const TNewFile&) = delete;

    bool IsOpen() const { return FHandle != kClosed; }
    int ErrorCode() const { return FErrorCode; }
    std::int64_t Write(const void* buffer, std::int64_t count);
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin);

private:
    static constexpr std::intptr_t kClosed = -1;
    std::intptr_t FHandle = kClosed;
    int FErrorCode = 0;
};

// Which file or folder a path leads to, whatever name or link led there: two paths
// with the same identity are one thing on the disc.
struct TFileIdentity {
    std::uint64_t Volume = 0;
    std::uint64_t Index = 0;
    auto operator<=>(const TFileIdentity&) const = default;
};

std::optional<TFileIdentity> FileIdentity(const std::string& fsPath);
