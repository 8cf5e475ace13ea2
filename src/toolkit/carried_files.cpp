#include "toolkit/carried_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>

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

void RegisterCarriedFonts() {
    std::string carried = CarriedFolder();
    if (carried.empty()) return;
    QDir fonts(QString::fromStdString(carried) + QStringLiteral("/fonts"));
    for (const QString& name : fonts.entryList({QStringLiteral("*.ttf")}, QDir::Files, QDir::Name))
        QFontDatabase::addApplicationFont(fonts.filePath(name));
}
