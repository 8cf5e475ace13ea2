#pragma once
// A thumbnail or screenshot as the launcher meets it: loaded by its name, which reads its
// header, then decoded once, as its first drawing does. Safe to run on any thread.

#include <string>

struct TPictureCheck {
    bool Loaded = false; // loading raised no error
    std::string Error;   // the error report's text; empty when the picture shows
    int Width = 0;       // of the loaded picture
    int Height = 0;
};

// windowsPath is relative to the current folder, as the launcher gives it.
TPictureCheck CheckPicture(const std::string& windowsPath);
