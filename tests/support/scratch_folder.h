#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it
// when the test ends. Its path is UTF-8 text with "/" between components on every
// system, as the program's own file-system paths are.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>

// The standard library's path for UTF-8 text and back, whatever the system's narrow
// code page is.
inline std::filesystem::path Utf8Path(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
inline std::string Utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}

inline std::string ReadWholeFile(const std::string& utf8Path) {
    std::ifstream in(Utf8Path(utf8Path), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

class TScratchFolder {
public:
    TScratchFolder() {
        std::random_device seed;
        const std::filesystem::path temporary = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100 && FPath.empty(); ++attempt) {
            std::filesystem::path candidate = temporary / ("vitrina-" + std::to_string(seed()));
            std::error_code ec;
            if (!std::filesystem::create_directory(candidate, ec)) continue;
            // Only its owner may enter it, as mkdtemp makes it.
            std::filesystem::permissions(candidate, std::filesystem::perms::owner_all, ec);
            FPath = Utf8Of(candidate);
        }
        if (FPath.empty()) std::abort();
    }
    ~TScratchFolder() {
        std::error_code ec;
        // Give back permissions a test took away so everything can be removed.
        for (auto it = std::filesystem::recursive_directory_iterator(
                 Utf8Path(FPath), std::filesystem::directory_options::skip_permission_denied, ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(Utf8Path(FPath), ec);
    }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    const std::string& Path() const { return FPath; }
    std::string operator/(std::string_view name) const { return FPath + "/" + std::string(name); }

    // Writes bytes to a file (UTF-8 path relative to the folder), making folders on the way.
    std::string Write(std::string_view name, std::string_view bytes) const {
        std::filesystem::path p = Utf8Path(*this / name);
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return Utf8Of(p);
    }
    std::string MakeFolder(std::string_view name) const {
        std::filesystem::path p = Utf8Path(*this / name);
        std::filesystem::create_directories(p);
        return Utf8Of(p);
    }

private:
    std::string FPath;
};
