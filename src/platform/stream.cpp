#include "platform/stream.h"

#include "platform/file_names.h"
#include "platform/file_open.h"
#include "platform/in_out_error.h"

#include <algorithm>
#include <cstring>

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
        FWriter = std::make_unique<TNewFile>(fsPath);
        if (!FWriter->IsOpen()) throw EFOpenError(fileName, FWriter->ErrorCode());
        return;
    }
    FReader = std::make_unique<TReadOnlyFile>(fsPath);
    if (!FReader->IsOpen()) throw EFOpenError(fileName, FReader->ErrorCode());
}

TFileStream::~TFileStream() = default;

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
    if (!FReader || count <= 0) return 0;
    return std::max<std::int64_t>(FReader->Read(buffer, count), 0);
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
    if (!FWriter || count <= 0) return 0;
    return FWriter->Write(buffer, count);
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    return FReader ? FReader->Seek(offset, origin) : FWriter->Seek(offset, origin);
}
