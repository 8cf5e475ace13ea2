#include "platform/in_out_error.h"

EInOutError::EInOutError(int errorCode)
    : Exception(InOutErrorMessage(errorCode)), FErrorCode(errorCode) {}

std::string InOutErrorMessage(int errorCode) {
    switch (errorCode) {
    case ERROR_FILE_NOT_FOUND:
        return "File not found";
    case ERROR_PATH_NOT_FOUND:
        return "Invalid filename";
    case ERROR_TOO_MANY_OPEN_FILES:
        return "Too many open files";
    case ERROR_ACCESS_DENIED:
        return "File access denied";
    default:
        return "I/O error " + std::to_string(errorCode);
    }
}
