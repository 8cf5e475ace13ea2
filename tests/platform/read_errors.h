#pragma once
// The Windows code a read of a file by name ends with, 0 when it succeeds: the
// catalogue's reader and the picture's stream, as the program opens them.

#include "platform/in_out_error.h"
#include "platform/stream.h"
#include "platform/text_file.h"

#include <string>

inline int CatalogueReadError(const std::string& fsPath) {
    try {
        TTextFileLines::Read(fsPath);
    } catch (const EInOutError& e) {
        return e.ErrorCode();
    }
    return 0;
}

// windowsPath relative to base, as the launcher names db\base.txt; the runtime's text
// goes to message.
inline int CatalogueReadError(const std::string& windowsPath, const std::string& base,
                              std::string* message = nullptr) {
    try {
        TTextFileLines::ReadWindowsPath(windowsPath, base);
    } catch (const EInOutError& e) {
        if (message) *message = e.Message();
        return e.ErrorCode();
    }
    return 0;
}

// Pictures are streams on names the catalogue gives.
inline int StreamOpenError(const std::string& path) {
    try {
        TFileStream stream(path, fmOpenRead);
    } catch (const EFOpenError& e) {
        return e.ErrorCode();
    }
    return 0;
}
