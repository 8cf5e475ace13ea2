#include "platform/file_open.h"

#include "platform/in_out_error.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// The Windows code for an errno of a failed file operation.
int ErrorFromErrno(int err) {
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

// The Windows code for a failed open of fsPath: a missing file in an existing folder
// is 2, a path whose folders do not all exist is 3.
int OpenError(int err, const std::string& fsPath) {
    if (err != ENOENT) return ErrorFromErrno(err);
    // Windows tells a missing file from a missing folder on the way to it.
    std::string::size_type slash = fsPath.find_last_of('/');
    if (slash == std::string::npos) return ERROR_FILE_NOT_FOUND;
    std::string folder = slash == 0 ? std::string("/") : fsPath.substr(0, slash);
    struct stat st;
    if (::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return ERROR_FILE_NOT_FOUND;
    return ERROR_PATH_NOT_FOUND;
}

int Whence(TSeekOrigin origin) {
    return origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
}

} // namespace

TReadOnlyFile::TReadOnlyFile(const std::string& fsPath) {
    // Looking first spares devices even the open, which does things of its own for some.
    struct stat st;
    if (::stat(fsPath.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        FErrorCode = ERROR_ACCESS_DENIED;
        return;
    }
    // Without O_NONBLOCK a pipe that appeared since would hold the open until a writer came.
    int handle = ::open(fsPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (handle < 0) {
        FErrorCode = OpenError(errno, fsPath);
        return;
    }
    if (::fstat(handle, &st) != 0)
        FErrorCode = ErrorFromErrno(errno);
    else if (!S_ISREG(st.st_mode))
        FErrorCode = ERROR_ACCESS_DENIED;
    if (FErrorCode != 0) {
        ::close(handle);
        return;
    }
    ::fcntl(handle, F_SETFL, ::fcntl(handle, F_GETFL) & ~O_NONBLOCK);
    // Others may read; writers that honour advisory locks wait until we are done.
    ::flock(handle, LOCK_SH | LOCK_NB);
    FHandle = handle;
    FSize = st.st_size;
}

void TReadOnlyFile::Close() {
    if (FHandle == kClosed) return;
    const int handle = int(std::exchange(FHandle, kClosed));
    if (FWritersKeptOut) ::fcntl(handle, F_SETLEASE, F_UNLCK);
    ::close(handle);
}

std::int64_t TReadOnlyFile::Read(void* buffer, std::int64_t count) {
    std::int64_t done = 0;
    auto* bytes = static_cast<char*>(buffer);
    while (done < count) {
        ssize_t n = ::read(int(FHandle), bytes + done, std::size_t(std::min<std::int64_t>(count - done, 1 << 30)));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            FErrorCode = ErrorFromErrno(errno);
            return -1;
        }
        if (n == 0) break;
        done += n;
    }
    return done;
}

std::int64_t TReadOnlyFile::Seek(std::int64_t offset, TSeekOrigin origin) {
    off_t result = ::lseek(int(FHandle), off_t(offset), Whence(origin));
    return result < 0 ? -1 : std::int64_t(result);
}

bool TReadOnlyFile::KeepWritersOut() {
    // A read lease: refused while another program has the file open for writing, and a
    // program that opens it for writing meanwhile waits until it ends. A writer's open
    // is announced to the holder by a signal, SIGIO unless told otherwise, and SIGIO
    // ends a process that has no handler for it; SIGURG is ignored unless asked for.
    // Where leases do not apply (a file of another user, a file system without them)
    // nothing is refused.
    ::fcntl(int(FHandle), F_SETSIG, SIGURG);
    if (::fcntl(int(FHandle), F_SETLEASE, F_RDLCK) == 0)
        FWritersKeptOut = true;
    else if (errno == EAGAIN)
        return false;
    return true;
}

TNewFile::TNewFile(const std::string& fsPath) {
    int handle = ::open(fsPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (handle < 0)
        FErrorCode = OpenError(errno, fsPath);
    else
        FHandle = handle;
}

TNewFile::~TNewFile() {
    if (FHandle != kClosed) ::close(int(FHandle));
}

std::int64_t TNewFile::Write(const void* buffer, std::int64_t count) {
    std::int64_t done = 0;
    auto* bytes = static_cast<const char*>(buffer);
    while (done < count) {
        ssize_t n = ::write(int(FHandle), bytes + done, std::size_t(std::min<std::int64_t>(count - done, 1 << 30)));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

std::int64_t TNewFile::Seek(std::int64_t offset, TSeekOrigin origin) {
    off_t result = ::lseek(int(FHandle), off_t(offset), Whence(origin));
    return result < 0 ? -1 : std::int64_t(result);
}

std::optional<TFileIdentity> FileIdentity(const std::string& fsPath) {
    struct stat st;
    if (::stat(fsPath.c_str(), &st) != 0) return std::nullopt;
    return TFileIdentity{std::uint64_t(st.st_dev), std::uint64_t(st.st_ino)};
}
