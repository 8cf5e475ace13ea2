#pragma once
// The system's half of ShellExecute: handing a target to the desktop to open.

#include <string>

// A bare host name: no path separators, a dot, nothing a file name would have alone.
bool LooksLikeHostName(const std::string& file);

// Opens file (code page 1251: a web address, a bare host name or a "\"-separated path
// relative to the current folder) the way the desktop opens what a user double-clicks.
bool HandToDesktop(const std::string& file, int show);
