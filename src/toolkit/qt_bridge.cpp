#include "toolkit/qt_bridge.h"

#include "platform/cp1251.h"
#include "platform/file_open.h"
#include "toolkit/system_colors.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <limits>

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
    if (!file.IsOpen() || file.Size() > std::numeric_limits<int>::max()) return {};
    QByteArray bytes(qsizetype(file.Size()), Qt::Uninitialized);
    if (file.Read(bytes.data(), bytes.size()) != bytes.size()) return {};
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    return QImageReader(&device).read();
}
