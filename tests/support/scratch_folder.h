#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it
// when the test ends.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

class TScratchFolder {
public:
    TScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vitrina-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        FPath = pattern;
    }
    ~TScratchFolder() {
        std::error_code ec;
        // Give back permissions a test took away so everything can be removed.
        for (auto it = std::filesystem::recursive_directory_iterator(
                 FPath, std::filesystem::directory_options::skip_permission_denied, ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(FPath, ec);
    }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    const std::string& Path() const { return FPath; }
    std::string operator/(std::string_view name) const { return FPath + "/" + std::string(name); }

    // Writes bytes to a file (UTF-8 path relative to the folder), making folders on the way.
    std::string Write(std::string_view name, std::string_view bytes) const {
        std::filesystem::path p = std::filesystem::path(FPath) / std::string(name);
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return p.string();
    }
    std::string MakeFolder(std::string_view name) const {
        std::filesystem::path p = std::filesystem::path(FPath) / std::string(name);
        std::filesystem::create_directories(p);
        return p.string();
    }

private:
    std::string FPath;
};
