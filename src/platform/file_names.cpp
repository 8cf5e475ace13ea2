#include "platform/file_names.h"

#include "platform/cp1251.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool PathExists(const std::string& fsPath) {
    struct stat st;
    return ::stat(fsPath.empty() ? "." : fsPath.c_str(), &st) == 0;
}

// The entry of folder whose name equals name ignoring case; the first by byte order
// when several do, so the choice does not depend on the directory's order.
std::optional<std::string> FindFolded(const std::string& folder, std::string_view name) {
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()),
                                            &::closedir);
    if (!dir) return std::nullopt;
    const std::string wanted = Cp1251UpperCase(name);
    std::optional<std::string> best;
    while (dirent* entry = ::readdir(dir.get())) {
        std::string_view stored(entry->d_name);
        if (stored == "." || stored == "..") continue;
        if (Cp1251UpperCase(Utf8ToCp1251(stored)) != wanted) continue;
        if (!best || stored < *best) best = std::string(stored);
    }
    return best;
}

} // namespace

std::string JoinFsPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

TMappedPath MapPath(std::string_view windowsPath, const std::string& baseFolder) {
    TMappedPath result;
    std::string path = baseFolder;
    if (!windowsPath.empty() && IsSeparator(windowsPath.front())) path.assign(1, '/');
    bool found = true;
    std::size_t pos = 0;
    while (pos <= windowsPath.size()) {
        std::size_t end = pos;
        while (end < windowsPath.size() && !IsSeparator(windowsPath[end]))
            ++end;
        std::string_view component = windowsPath.substr(pos, end - pos);
        pos = end + 1;
        if (component.empty()) continue;
        std::string literal = JoinFsPath(path, Cp1251ToUtf8(component));
        if (found && !PathExists(literal) && component != "." && component != "..") {
            if (auto stored = FindFolded(path, component))
                literal = JoinFsPath(path, *stored);
            else
                found = false;
        }
        path = std::move(literal);
    }
    result.Exists = found && PathExists(path);
    result.FsPath = path.empty() ? std::string(".") : std::move(path);
    return result;
}

std::optional<std::string> ResolvePath(std::string_view windowsPath,
                                       const std::string& baseFolder) {
    TMappedPath mapped = MapPath(windowsPath, baseFolder);
    if (!mapped.Exists) return std::nullopt;
    return std::move(mapped.FsPath);
}

std::optional<TFoundEntry> FindEntry(std::string_view windowsPath, const std::string& baseFolder) {
    TMappedPath mapped = MapPath(windowsPath, baseFolder);
    if (!mapped.Exists) return std::nullopt;
    struct stat st;
    if (::stat(mapped.FsPath.c_str(), &st) != 0) return std::nullopt;
    TFoundEntry entry;
    std::string::size_type slash = mapped.FsPath.find_last_of('/');
    entry.Name = Utf8ToCp1251(slash == std::string::npos
                                  ? std::string_view(mapped.FsPath)
                                  : std::string_view(mapped.FsPath).substr(slash + 1));
    entry.IsFolder = S_ISDIR(st.st_mode);
    entry.FsPath = std::move(mapped.FsPath);
    return entry;
}
