#include "platform/file_names.h"

#include "platform/cp1251.h"
#include "platform/stored_name.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool PathExists(const std::string& fsPath) {
    std::error_code error;
    return std::filesystem::exists(NativePath(fsPath.empty() ? "." : fsPath), error);
}

// The entry of folder whose name equals name ignoring case; the first by byte order
// when several do, so the choice does not depend on the directory's order.
std::optional<std::string> FindFolded(const std::string& folder, std::string_view name) {
    std::error_code error;
    std::filesystem::directory_iterator dir(NativePath(folder.empty() ? "." : folder), error);
    if (error) return std::nullopt;
    const std::string wanted = Cp1251UpperCase(name);
    std::optional<std::string> best;
    for (const std::filesystem::directory_entry& entry : dir) {
        std::string stored = FsPathString(entry.path().filename());
        if (Cp1251UpperCase(Utf8ToCp1251(stored)) != wanted) continue;
        if (!best || stored < *best) best = std::move(stored);
    }
    return best;
}

// Calls visit with each non-empty component of a "\\"- or "/"-separated path.
template <class TVisit>
void ForEachComponent(std::string_view path, TVisit visit) {
    std::size_t pos = 0;
    while (pos <= path.size()) {
        std::size_t end = pos;
        while (end < path.size() && !IsSeparator(path[end]))
            ++end;
        if (end > pos) visit(path.substr(pos, end - pos));
        pos = end + 1;
    }
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
    ForEachComponent(windowsPath, [&](std::string_view component) {
        const std::string written = Cp1251ToUtf8(component);
        std::string literal = JoinFsPath(path, written);
        if (found && component != "." && component != "..") {
            if (PathExists(literal))
                literal = JoinFsPath(path, StoredName(literal, written));
            else if (auto stored = FindFolded(path, component))
                literal = JoinFsPath(path, *stored);
            else
                found = false;
        }
        path = std::move(literal);
    });
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
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(NativePath(mapped.FsPath), error);
    if (error) return std::nullopt;
    TFoundEntry entry;
    std::string::size_type slash = mapped.FsPath.find_last_of('/');
    entry.Name = Utf8ToCp1251(slash == std::string::npos
                                  ? std::string_view(mapped.FsPath)
                                  : std::string_view(mapped.FsPath).substr(slash + 1));
    entry.IsFolder = std::filesystem::is_directory(status);
    entry.FsPath = std::move(mapped.FsPath);
    return entry;
}

std::filesystem::path NativePath(const std::string& fsPath) {
    return std::filesystem::path(std::u8string(fsPath.begin(), fsPath.end()));
}

std::string FsPathString(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

bool NamesWindowsDevice(std::string_view path) {
    // The device namespace itself.
    for (std::string_view prefix : {"\\\\.\\", "\\\\?\\", "//./", "//?/"})
        if (path.starts_with(prefix)) return true;
    static constexpr std::array<std::string_view, 6> kNames = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    bool device = false;
    ForEachComponent(path, [&](std::string_view component) {
        // Windows reads "con.txt" and "nul  " as the device too: the part before the
        // first dot, with trailing spaces dropped, is what counts.
        std::string_view stem = component.substr(0, component.find('.'));
        while (!stem.empty() && stem.back() == ' ')
            stem.remove_suffix(1);
        std::string upper(stem);
        std::transform(upper.begin(), upper.end(), upper.begin(),
                       [](unsigned char c) { return char(std::toupper(c)); });
        device |= std::find(kNames.begin(), kNames.end(), upper) != kNames.end() ||
                  (upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '0' &&
                   upper[3] <= '9');
    });
    return device;
}
