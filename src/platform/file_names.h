#pragma once
// Windows-style file names on a POSIX file system. Catalogue paths are code page 1251
// text with "\" between components; the file system stores UTF-8 names and is case
// sensitive. Each component is matched exactly first, then ignoring letter case
// (Cyrillic included), as Windows would find it.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

struct TMappedPath {
    std::string FsPath;  // the file-system path, as far as it could be matched
    bool Exists = false; // every component was found
};

// Maps windowsPath (relative to baseFolder, the current directory when empty) to a
// file-system path. Components that cannot be found are converted as written, so
// opening the result gives the error Windows would give.
TMappedPath MapPath(std::string_view windowsPath, const std::string& baseFolder = {});

// The file-system path of an existing file or folder, or nothing.
std::optional<std::string> ResolvePath(std::string_view windowsPath,
                                       const std::string& baseFolder = {});

struct TFoundEntry {
    std::string Name; // the name as stored on disc, in code page 1251
    std::string FsPath;
    bool IsFolder = false;
};

// Finds a file or folder by name whatever its attributes (hidden ones too) and
// reports the name it is stored under.
std::optional<TFoundEntry> FindEntry(std::string_view windowsPath,
                                     const std::string& baseFolder = {});

// A file-system path (UTF-8 text on every system) as the standard library takes it,
// and back: the wide names of Windows arrive intact both ways.
std::filesystem::path NativePath(const std::string& fsPath);
std::string FsPathString(const std::filesystem::path& path);

// Whether Windows would read path as a device (CON, NUL, COM1, LPT1, CONIN$, ... in any
// component, with any extension, in any letter case) rather than a file or folder.
bool NamesWindowsDevice(std::string_view path);

// Joins a file-system folder and a name; an empty folder means the current one.
std::string JoinFsPath(const std::string& folder, const std::string& name);
