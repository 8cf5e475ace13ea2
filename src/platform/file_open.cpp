// What an open file is on every system; file_open_unix.cpp and file_open_win.cpp
// open, read and close it.

#include "platform/file_open.h"

#include <utility>

TReadOnlyFile::~TReadOnlyFile() { Close(); }

TReadOnlyFile::TReadOnlyFile(TReadOnlyFile&& other) noexcept
    : FHandle(std::exchange(other.FHandle, kClosed)), FErrorCode(other.FErrorCode), FSize(other.FSize),
      FWritersKeptOut(other.FWritersKeptOut) {}

TReadOnlyFile& TReadOnlyFile::operator=(TReadOnlyFile&& other) noexcept {
    if (this != &other) {
        Close();
        FHandle = std::exchange(other.FHandle, kClosed);
        FErrorCode = other.FErrorCode;
        FSize = other.FSize;
        FWritersKeptOut = other.FWritersKeptOut;
    }
    return *this;
}
