#include "platform/file_open.h"

#include "platform/in_out_error.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

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
        FErrorCode = OpenErrorFromErrno(errno, fsPath);
        return;
    }
    if (::fstat(handle, &st) != 0)
        FErrorCode = WindowsErrorFromErrno(errno);
    else if (!S_ISREG(st.st_mode))
        FErrorCode = ERROR_ACCESS_DENIED;
    if (FErrorCode != 0) {
        ::close(handle);
        return;
    }
    ::fcntl(handle, F_SETFL, ::fcntl(handle, F_GETFL) & ~O_NONBLOCK);
    FHandle = handle;
    FSize = st.st_size;
}

TReadOnlyFile::~TReadOnlyFile() {
    if (FHandle >= 0) ::close(FHandle);
}

TReadOnlyFile::TReadOnlyFile(TReadOnlyFile&& other) noexcept
    : FHandle(std::exchange(other.FHandle, -1)), FErrorCode(other.FErrorCode), FSize(other.FSize) {}

TReadOnlyFile& TReadOnlyFile::operator=(TReadOnlyFile&& other) noexcept {
    if (this != &other) {
        if (FHandle >= 0) ::close(FHandle);
        FHandle = std::exchange(other.FHandle, -1);
        FErrorCode = other.FErrorCode;
        FSize = other.FSize;
    }
    return *this;
}

int TReadOnlyFile::Release() { return std::exchange(FHandle, -1); }

TReadLease::TReadLease(int handle) : FHandle(handle) {
#ifdef F_SETLEASE
    // A writer's open is announced to the lease holder by a signal, SIGIO unless told
    // otherwise, and SIGIO ends a process that has no handler for it. SIGURG is ignored
    // unless someone asks for it.
    ::fcntl(handle, F_SETSIG, SIGURG);
    if (::fcntl(handle, F_SETLEASE, F_RDLCK) == 0)
        FHeld = true;
    else
        FRefused = errno == EAGAIN;
#endif
}

TReadLease::~TReadLease() {
#ifdef F_SETLEASE
    if (FHeld) ::fcntl(FHandle, F_SETLEASE, F_UNLCK);
#endif
}
