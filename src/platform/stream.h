#pragma once
// Byte streams: the abstract TStream, a growable TMemoryStream and a TFileStream over
// a Windows-style file name. Pictures, stored skins and stored forms read through them.

#include "platform/exceptions.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class EStreamError : public Exception {
public:
    using Exception::Exception;
};

// "Stream read error": a ReadBuffer that got fewer bytes than it asked for.
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// A file that could not be opened: `Cannot open file "NAME". REASON`.
class EFOpenError : public EStreamError {
public:
    EFOpenError(const std::string& fileName, int errorCode);
    int ErrorCode() const { return FErrorCode; }

private:
    int FErrorCode;
};

// The system's text for a Windows error code, without a final full stop.
std::string SysErrorMessage(int errorCode);

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;

    // Up to count bytes; fewer only at the end of the data.
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    // The new position.
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

    std::int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, soBeginning); }
    virtual std::int64_t Size();
    // The bytes between the position and the end.
    std::int64_t Remaining() { return Size() - Position(); }

    // Exactly count bytes, or EReadError / EWriteError.
    void ReadBuffer(void* buffer, std::int64_t count);
    void WriteBuffer(const void* buffer, std::int64_t count);
    // Copies count bytes from source (everything from its position on when count is 0).
    std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<std::uint8_t> bytes) : FBytes(std::move(bytes)) {}

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return std::int64_t(FBytes.size()); }
    void SetSize(std::int64_t size);
    void Clear();

    const std::uint8_t* Memory() const { return FBytes.data(); }
    const std::vector<std::uint8_t>& Bytes() const { return FBytes; }

    void LoadFromStream(TStream& source);
    void LoadFromFile(const std::string& fileName);

private:
    std::vector<std::uint8_t> FBytes;
    std::int64_t FPosition = 0;
};

// Open modes. A file opened for reading lets others read it but not write it.
enum TFileMode { fmOpenRead, fmCreate };

class TReadOnlyFile;
class TNewFile;

class TFileStream : public TStream {
public:
    // fileName is a Windows-style path (code page 1251, "\" or "/"), relative to the
    // current folder unless absolute; letter case is matched as Windows would.
    TFileStream(const std::string& fileName, TFileMode mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;

    const std::string& FileName() const { return FFileName; }

private:
    std::string FFileName;
    std::unique_ptr<TReadOnlyFile> FReader; // one of the two, by mode
    std::unique_ptr<TNewFile> FWriter;
};
