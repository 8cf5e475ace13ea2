#include "platform/shell.h"

#include "platform/cp1251.h"
#include "platform/file_names.h"
#include "platform/shell_desktop.h"

#include <QDir>
#include <QUrl>

namespace {

std::function<void(const TShellRequest&)>& Recorder() {
    static std::function<void(const TShellRequest&)> recorder;
    return recorder;
}

} // namespace

bool LooksLikeHostName(const std::string& file) {
    if (file.find_first_of("\\/:") != std::string::npos) return false;
    if (file.find('.') == std::string::npos) return false;
    return !ResolvePath(file);
}

bool IsWebAddress(const std::string& address) {
    QString text = QString::fromStdString(Cp1251ToUtf8(address));
    for (QChar c : text)
        if (c.unicode() <= ' ' || c.unicode() == 0x7F) return false;
    QUrl url(text, QUrl::StrictMode);
    if (!url.isValid()) return false;
    QString scheme = url.scheme();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return !url.host().isEmpty() && text.startsWith(scheme + QLatin1String("://"), Qt::CaseInsensitive);
    if (scheme == QLatin1String("mailto")) {
        QString mailbox = url.path();
        qsizetype at = mailbox.indexOf(QLatin1Char('@'));
        return url.host().isEmpty() && at > 0 && at < mailbox.size() - 1;
    }
    return false;
}

std::string ShellTargetUrl(const std::string& file) {
    if (IsWebAddress(file)) return Cp1251ToUtf8(file);
    if (LooksLikeHostName(file)) return "http://" + Cp1251ToUtf8(file);
    TMappedPath mapped = MapPath(file);
    QString path = QDir::current().absoluteFilePath(QString::fromStdString(mapped.FsPath));
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded).toStdString();
}

bool ShellExecute(const std::string& verb, const std::string& file, int show) {
    if (Recorder()) {
        Recorder()({verb, file, show});
        return true;
    }
    if (verb != "open") return false;
    return HandToDesktop(file, show);
}

void SetShellRecorder(std::function<void(const TShellRequest&)> recorder) { Recorder() = std::move(recorder); }
