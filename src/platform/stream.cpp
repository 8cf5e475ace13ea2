#include "platform/stream.h"

#include "platform/file_names.h"
#include "platform/file_open.h"
#include "platform/in_out_error.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// The wording is the one Windows gives for these codes, so a report reads the same
// on every platform; other codes get a neutral text with the number.
std::string SysErrorMessage(int errorCode) {
    switch (errorCode) {
    case ERROR_FILE_NOT_FOUND: return "The system cannot find the file specified";
    case ERROR_PATH_NOT_FOUND: return "The system cannot find the path specified";
    case ERROR_TOO_MANY_OPEN_FILES: return "The system cannot open the file";
    case ERROR_ACCESS_DENIED: return "Access is denied";
    case ERROR_NOT_ENOUGH_MEMORY:
        return "Not enough storage is available to process this command";
    case ERROR_SHARING_VIOLATION:
        return "The process cannot access the file because it is being used by another process";
    case ERROR_FILENAME_EXCED_RANGE: return "The filename or extension is too long";
    default: return "System error " + std::to_string(errorCode);
    }
}

EFOpenError::EFOpenError(const std::string& fileName, int errorCode)
    : EStreamError("Cannot open file \"" + fileName + "\". " + SysErrorMessage(errorCode)),
      FErrorCode(errorCode) {}

std::int64_t TStream::Size() {
    std::int64_t position = Seek(0, soCurrent);
    std::int64_t size = Seek(0, soEnd);
    Seek(position, soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
    if (count < 0 || (count != 0 && Read(buffer, count) != count))
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
    if (count < 0 || (count != 0 && Write(buffer, count) != count))
        throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::vector<std::uint8_t> block(std::size_t(std::min<std::int64_t>(count, 1 << 16)));
    std::int64_t left = count;
    while (left > 0) {
        std::int64_t n = std::min<std::int64_t>(left, std::int64_t(block.size()));
        source.ReadBuffer(block.data(), n);
        WriteBuffer(block.data(), n);
        left -= n;
    }
    return count;
}

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
    if (count <= 0 || FPosition >= Size()) return 0;
    std::int64_t n = std::min(count, Size() - FPosition);
    std::memcpy(buffer, FBytes.data() + FPosition, std::size_t(n));
    FPosition += n;
    return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
    if (count <= 0) return 0;
    if (FPosition + count > Size()) FBytes.resize(std::size_t(FPosition + count));
    std::memcpy(FBytes.data() + FPosition, buffer, std::size_t(count));
    FPosition += count;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    switch (origin) {
    case soBeginning: FPosition = offset; break;
    case soCurrent: FPosition += offset; break;
    case soEnd: FPosition = Size() + offset; break;
    }
    if (FPosition < 0) FPosition = 0;
    return FPosition;
}

void TMemoryStream::SetSize(std::int64_t size) {
    FBytes.resize(std::size_t(std::max<std::int64_t>(size, 0)));
    if (FPosition > Size()) FPosition = Size();
}

void TMemoryStream::Clear() {
    FBytes.clear();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    std::int64_t size = source.Size();
    FBytes.resize(std::size_t(size));
    source.ReadBuffer(FBytes.data(), size);
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead);
    LoadFromStream(file);
}

TFileStream::TFileStream(const std::string& fileName, TFileMode mode) : FFileName(fileName) {
    std::string fsPath = MapPath(fileName).FsPath;
    if (mode == fmCreate) {
        FHandle = ::open(fsPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (FHandle < 0) throw EFOpenError(fileName, OpenErrorFromErrno(errno, fsPath));
        return;
    }
    TReadOnlyFile file(fsPath);
    if (!file.IsOpen()) throw EFOpenError(fileName, file.ErrorCode());
    FHandle = file.Release();
    // Others may read; writers that honour advisory locks wait until we are done.
    ::flock(FHandle, LOCK_SH | LOCK_NB);
}

TFileStream::~TFileStream() {
    if (FHandle >= 0) ::close(FHandle);
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
    std::int64_t done = 0;
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    while (done < count) {
        ssize_t n = ::read(FHandle, bytes + done, std::size_t(std::min<std::int64_t>(count - done, 1 << 30)));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
    std::int64_t done = 0;
    auto* bytes = static_cast<const std::uint8_t*>(buffer);
    while (done < count) {
        ssize_t n = ::write(FHandle, bytes + done, std::size_t(std::min<std::int64_t>(count - done, 1 << 30)));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
    off_t result = ::lseek(FHandle, off_t(offset), whence);
    return result < 0 ? -1 : std::int64_t(result);
}
