#pragma once
// The runtime's input/output error: a Windows system error code and the message
// the runtime shows for it.

#include "platform/exceptions.h"

#include <string>

// Windows system error codes the file functions report.
enum : int {
    ERROR_FILE_NOT_FOUND = 2,
    ERROR_PATH_NOT_FOUND = 3,
    ERROR_TOO_MANY_OPEN_FILES = 4,
    ERROR_ACCESS_DENIED = 5,
    ERROR_NOT_ENOUGH_MEMORY = 8,
    ERROR_WRITE_PROTECT = 19,
    ERROR_NOT_READY = 21,
    ERROR_CRC = 23,
    ERROR_GEN_FAILURE = 31,
    ERROR_SHARING_VIOLATION = 32,
    ERROR_LOCK_VIOLATION = 33,
    ERROR_HANDLE_DISK_FULL = 39,
    ERROR_NOT_SUPPORTED = 50,
    ERROR_INVALID_PARAMETER = 87,
    ERROR_DISK_FULL = 112,
    ERROR_FILENAME_EXCED_RANGE = 206,
    ERROR_IO_DEVICE = 1117,
    ERROR_CANT_RESOLVE_FILENAME = 1921,
};

class EInOutError : public Exception {
public:
    explicit EInOutError(int errorCode);
    int ErrorCode() const { return FErrorCode; }

private:
    int FErrorCode;
};

// "File not found", "Invalid filename", ... or "I/O error 32".
std::string InOutErrorMessage(int errorCode);
