#include "platform/in_out_error.h"

#include <cerrno>
#include <sys/stat.h>

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

int WindowsErrorFromErrno(int err) {
    switch (err) {
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EMFILE:
    case ENFILE:
        return ERROR_TOO_MANY_OPEN_FILES;
    case EACCES:
    case EPERM:
    case EISDIR:
        return ERROR_ACCESS_DENIED;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case EROFS:
        return ERROR_WRITE_PROTECT;
    case ENXIO:
    case ENODEV:
        return ERROR_NOT_READY;
    case ETXTBSY:
    case EBUSY:
    case EAGAIN:
        return ERROR_SHARING_VIOLATION;
    case ENOLCK:
        return ERROR_LOCK_VIOLATION;
    case ENOSPC:
        return ERROR_DISK_FULL;
    case EDQUOT:
        return ERROR_HANDLE_DISK_FULL;
    case EOPNOTSUPP:
        return ERROR_NOT_SUPPORTED;
    case EINVAL:
        return ERROR_INVALID_PARAMETER;
    case ENAMETOOLONG:
        return ERROR_FILENAME_EXCED_RANGE;
    case ELOOP:
        return ERROR_CANT_RESOLVE_FILENAME;
    case EIO:
        return ERROR_IO_DEVICE;
    default:
        return ERROR_GEN_FAILURE;
    }
}

int OpenErrorFromErrno(int err, const std::string& fsPath) {
    if (err != ENOENT) return WindowsErrorFromErrno(err);
    // Windows tells a missing file from a missing folder on the way to it.
    std::string::size_type slash = fsPath.find_last_of('/');
    if (slash == std::string::npos) return ERROR_FILE_NOT_FOUND;
    std::string folder = slash == 0 ? std::string("/") : fsPath.substr(0, slash);
    struct stat st;
    if (::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return ERROR_FILE_NOT_FOUND;
    return ERROR_PATH_NOT_FOUND;
}
