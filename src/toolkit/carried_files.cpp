#include "toolkit/carried_files.h"

#include "platform/desktop_session.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>

#include <algorithm>
#include <mutex>
#include <set>

std::string CarriedFolder() {
    QDir folder(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/vitrina"));
    return folder.exists() ? folder.canonicalPath().toStdString() : std::string();
}

std::string PackedDiscFolder() {
    QDir folder(QCoreApplication::applicationDirPath());
    do {
        if (folder.dirName() == QStringLiteral(".vitrina") && folder.cdUp()) return folder.absolutePath().toStdString();
    } while (folder.cdUp());
    return {};
}

void EnterPackedDisc() {
    if (std::string disc = PackedDiscFolder(); !disc.empty()) QDir::setCurrent(QString::fromStdString(disc));
}

void UseCarriedFace(const std::string& family, bool bold, bool italic) {
    std::string file = family;
    file.erase(std::remove(file.begin(), file.end(), ' '), file.end());
    file += bold && italic ? "-BoldItalic.ttf" : bold ? "-Bold.ttf" : italic ? "-Italic.ttf" : "-Regular.ttf";
    // Held while the face registers, so no text is measured in its stand-in meanwhile.
    static std::mutex mutex;
    static std::set<std::string> asked;
    std::lock_guard lock(mutex);
    if (!asked.insert(file).second) return;
    static const std::string carried = CarriedFolder();
    if (carried.empty()) return;
    QString path = QString::fromStdString(carried + "/fonts/" + file);
    if (QFileInfo::exists(path)) QFontDatabase::addApplicationFont(path);
}

void KeepTextToCarriedFaces() {
    std::string carried = CarriedFolder();
    if (!carried.empty() && !QDir(QString::fromStdString(carried + "/fonts")).isEmpty()) LeaveOutSystemFonts();
}
