#include "disc_tree.h"

#include "platform/exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// Well-formed UTF-8: no overlong forms, surrogates or code points past U+10FFFF.
bool IsUtf8(const std::string& bytes) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t length = bytes.size();
    for (size_t i = 0; i < length;) {
        unsigned char lead = s[i];
        size_t more = lead < 0x80 ? 0 : lead >= 0xC2 && lead <= 0xDF ? 1 : lead >= 0xE0 && lead <= 0xEF ? 2
                    : lead >= 0xF0 && lead <= 0xF4 ? 3 : 4;
        if (more == 4 || length - i <= more) return false;
        // The second byte's range is what rules out the overlong and surrogate forms.
        unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
        unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
        for (size_t k = 1; k <= more; ++k) {
            unsigned char c = s[i + k];
            if (k == 1 ? (c < low || c > high) : (c < 0x80 || c > 0xBF)) return false;
        }
        i += more + 1;
    }
    return true;
}

// A file the scan saw may have become a pipe or a device since: the open must neither
// wait for a writer nor hand on a device's endless bytes. -1 with errno when refused.
int OpenFileOnly(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return -1;
    struct stat info {};
    int failure = fstat(fd, &info) != 0 ? errno : S_ISREG(info.st_mode) ? 0 : EINVAL;
    if (failure) {
        close(fd);
        errno = failure;
        return -1;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

std::string Join(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + "/" + name;
}

class TScanner {
public:
    TScanner(const std::function<bool(const std::string&)>& skip, TTreeScan& scan) : FSkip(skip), FScan(scan) {}

    void Folder(const std::string& source, const std::string& relative, const struct stat& info) {
        // A folder reached again inside itself, through a link: the tree would never end.
        for (const auto& [device, inode] : FOpenFolders)
            if (device == info.st_dev && inode == info.st_ino) return Problem(relative, "a symbolic link loop");
        std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(source.c_str()), closedir);
        if (!dir) return Problem(relative, std::string("cannot be read (") + std::strerror(errno) + ")");
        std::vector<std::string> names;
        errno = 0;
        while (dirent* entry = readdir(dir.get())) {
            std::string name = entry->d_name;
            if (name != "." && name != "..") names.push_back(std::move(name));
        }
        if (errno) return Problem(relative, std::string("cannot be read (") + std::strerror(errno) + ")");
        dir.reset();
        std::sort(names.begin(), names.end());
        FOpenFolders.emplace_back(info.st_dev, info.st_ino);
        for (const std::string& name : names) Entry(Join(source, name), Join(relative, name));
        FOpenFolders.pop_back();
    }

    void Entry(const std::string& source, const std::string& relative) {
        if (FSkip && FSkip(relative)) return;
        if (!IsUtf8(relative.substr(relative.rfind('/') + 1)))
            return Problem(relative, "its name is not UTF-8; Vitrina finds files by UTF-8 names, rename it");
        struct stat info;
        if (stat(source.c_str(), &info) != 0) {
            if (errno == ELOOP) return Problem(relative, "a symbolic link loop");
            struct stat link;
            if (errno == ENOENT && lstat(source.c_str(), &link) == 0)
                return Problem(relative, "a symbolic link to nothing");
            return Problem(relative, std::string("cannot be read (") + std::strerror(errno) + ")");
        }
        TTreeEntry entry{relative, source, S_ISDIR(info.st_mode), mode_t(info.st_mode & 07777), info.st_mtim,
                         std::uintmax_t(info.st_size)};
        if (S_ISDIR(info.st_mode)) {
            FScan.Entries.push_back(entry);
            return Folder(source, relative, info);
        }
        if (!S_ISREG(info.st_mode)) return Problem(relative, "not a file or a folder (a pipe, socket or device)");
        int fd = OpenFileOnly(source);
        if (fd < 0) return Problem(relative, std::string("cannot be read (") + std::strerror(errno) + ")");
        close(fd);
        FScan.Entries.push_back(entry);
    }

private:
    void Problem(const std::string& relative, const std::string& what) {
        FScan.Problems.push_back(PrintablePath(relative) + ": " + what);
    }

    const std::function<bool(const std::string&)>& FSkip;
    TTreeScan& FScan;
    std::vector<std::pair<dev_t, ino_t>> FOpenFolders;
};

[[noreturn]] void Fail(const std::string& relative, const std::string& what) {
    throw Exception(PrintablePath(relative) + ": " + what + " (" + std::strerror(errno) + ")");
}

void CopyFile(const TTreeEntry& entry, const std::string& target) {
    int in = OpenFileOnly(entry.Source);
    if (in < 0) Fail(entry.Relative, "cannot be read");
    int out = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) {
        close(in);
        Fail(entry.Relative, "cannot be written");
    }
    bool ok = true;
    bool plainCopy = false; // for file systems that cannot copy by themselves
    std::uintmax_t copied = 0;
    for (;;) {
        ssize_t n = plainCopy ? sendfile(out, in, nullptr, 1 << 30) : copy_file_range(in, nullptr, out, nullptr, 1 << 30, 0);
        if (n < 0 && !plainCopy && copied == 0 &&
            (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
            plainCopy = true;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0) break;
        copied += std::uintmax_t(n);
    }
    int saved = errno;
    timespec times[2] = {entry.Modified, entry.Modified};
    if (ok && (fchmod(out, entry.Mode) != 0 || futimens(out, times) != 0)) ok = false, saved = errno;
    if (close(out) != 0 && ok) ok = false, saved = errno;
    close(in);
    errno = saved;
    if (!ok) Fail(entry.Relative, "cannot be copied");
    if (copied != entry.Size) {
        errno = EIO;
        Fail(entry.Relative, "changed while it was copied");
    }
}

} // namespace

TTreeScan ScanTree(const std::string& root, const std::function<bool(const std::string&)>& skip) {
    TTreeScan scan;
    struct stat info;
    if (stat(root.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        scan.Problems.push_back(root + ": not a folder");
        return scan;
    }
    TScanner(skip, scan).Folder(root, "", info);
    return scan;
}

void CopyTree(const std::vector<TTreeEntry>& entries, const std::string& destination) {
    for (const TTreeEntry& entry : entries) {
        std::string target = destination + "/" + entry.Relative;
        if (!entry.IsFolder) {
            CopyFile(entry, target);
        } else if (mkdir(target.c_str(), 0700) != 0) {
            Fail(entry.Relative, "cannot be made");
        }
    }
    // Folders get their own permissions and times last: a read-only folder could not be
    // filled, and filling one changes its time.
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (!it->IsFolder) continue;
        std::string target = destination + "/" + it->Relative;
        timespec times[2] = {it->Modified, it->Modified};
        if (chmod(target.c_str(), it->Mode) != 0 || utimensat(AT_FDCWD, target.c_str(), times, 0) != 0)
            Fail(it->Relative, "cannot be finished");
    }
}

std::string PrintablePath(const std::string& bytes) {
    std::string result;
    for (size_t i = 0; i < bytes.size();) {
        size_t end = bytes.find('/', i);
        if (end == std::string::npos) end = bytes.size();
        std::string part = bytes.substr(i, end - i);
        if (IsUtf8(part)) {
            result += part;
        } else {
            for (unsigned char c : part) {
                char hex[5];
                std::snprintf(hex, sizeof hex, "\\x%02X", c);
                result += c < 0x80 ? std::string(1, char(c)) : std::string(hex);
            }
        }
        if (end < bytes.size()) result += '/';
        i = end + 1;
    }
    return result;
}
