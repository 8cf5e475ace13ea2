#pragma once
// Opening a file named by the disc for reading, as Windows would. Windows opens only
// files: a pipe, a device or a folder in its place is refused as "access denied", and
// nothing waits on a pipe with no writer or reads a device without end.

#include <cstdint>
#include <string>

class TReadOnlyFile {
public:
    // Opens fsPath without blocking. On failure IsOpen() is false and ErrorCode() is the
    // Windows code: ERROR_ACCESS_DENIED for anything but a regular file.
    explicit TReadOnlyFile(const std::string& fsPath);
    ~TReadOnlyFile();
    TReadOnlyFile(TReadOnlyFile&& other) noexcept;
    TReadOnlyFile& operator=(TReadOnlyFile&& other) noexcept;
    TReadOnlyFile(const TReadOnlyFile&) = delete;
    TReadOnlyFile& operator=(const TReadOnlyFile&) = delete;

    bool IsOpen() const { return FHandle >= 0; }
    int ErrorCode() const { return FErrorCode; }
    int Handle() const { return FHandle; }
    // The size when it was opened.
    std::int64_t Size() const { return FSize; }
    // Hands the descriptor over to the caller, who closes it.
    int Release();

private:
    int FHandle = -1;
    int FErrorCode = 0;
    std::int64_t FSize = 0;
};

// A read lease on an open file, held while the object lives. It is refused while
// another program has the file open for writing, which is how Windows' read-only
// sharing is told here; a program that opens the file for writing meanwhile waits until
// the lease ends. Where leases do not apply (a file of another user, a file system
// without them) nothing is refused.
class TReadLease {
public:
    explicit TReadLease(int handle);
    ~TReadLease();
    TReadLease(const TReadLease&) = delete;
    TReadLease& operator=(const TReadLease&) = delete;

    bool OpenForWritingElsewhere() const { return FRefused; }

private:
    int FHandle;
    bool FHeld = false;
    bool FRefused = false;
};
