#pragma once
// The name an existing file or folder is stored under. Where the file system ignores
// letter case, a path written in another case still leads there, and only the system
// knows the stored spelling.

#include <string>

// fsPath (UTF-8) exists; its last component is written as writtenName.
std::string StoredName(const std::string& fsPath, const std::string& writtenName);
