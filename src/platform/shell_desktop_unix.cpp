#include "platform/shell.h"
#include "platform/shell_desktop.h"

#include <QDesktopServices>
#include <QUrl>

// xdg-open and its kin take a URL, one argument, never a command line.
bool HandToDesktop(const std::string& file, int /*show*/) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(ShellTargetUrl(file)), QUrl::StrictMode));
}
