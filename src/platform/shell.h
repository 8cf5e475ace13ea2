#pragma once
// Asking the desktop shell to open something: a folder in the file manager, a web
// address in the browser. The target is one argument handed to the desktop, never
// a command line, so nothing in a catalogue's text is ever interpreted.

#include <functional>
#include <string>

inline constexpr int SW_SHOW = 5;

struct TShellRequest {
    std::string Verb;   // "open"
    std::string File;   // code page 1251: a "\"-separated path or a bare host name
    int Show = SW_SHOW;
};

// Opens `file` with the verb; a path relative to the current folder is found the way
// Windows finds it (letter case ignored), a bare host name opens as a web address.
// Returns false when the desktop refused; callers may ignore it.
bool ShellExecute(const std::string& verb, const std::string& file, int show);

// Headless runs record the requests instead of carrying them out.
void SetShellRecorder(std::function<void(const TShellRequest&)> recorder);

// A well-formed absolute http, https or mailto address (code page 1251 or ASCII): the
// only addresses the shell is handed as they are.
bool IsWebAddress(const std::string& address);

// What the desktop would be handed for a target: a web address as it is, an http URL
// for a bare host name, otherwise an absolute file URL. Exposed for tests.
std::string ShellTargetUrl(const std::string& file);
