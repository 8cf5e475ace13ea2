#include "toolkit/qt_bridge.h"

#include "platform/cp1251.h"
#include "platform/file_open.h"
#include "toolkit/system_colors.h"

#include <QFile>
#include <QImageReader>

QString ToQString(std::string_view cp1251Text) {
    std::u16string utf16 = Cp1251ToUtf16(cp1251Text);
    return QString::fromUtf16(utf16.data(), qsizetype(utf16.size()));
}

std::string FromQString(const QString& text) {
    return Utf16ToCp1251(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                             size_t(text.size())));
}

QColor ToQColor(TColor color) {
    TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QImage ReadImageFile(const std::string& fileName) {
    if (fileName.starts_with(':')) return QImage(QString::fromStdString(fileName));
    TReadOnlyFile file(fileName);
    if (!file.IsOpen()) return {};
    QFile device;
    if (!device.open(file.Release(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return {};
    return QImageReader(&device).read();
}
