#pragma once
// Conversions between the toolkit's values and Qt's. Only toolkit sources include this.

#include "platform/basic_types.h"
#include "toolkit/font.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <string>
#include <string_view>

QString ToQString(std::string_view cp1251Text);
std::string FromQString(const QString& text);
QColor ToQColor(TColor color);
QFont ToQFont(const TFont& font);

inline QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }
inline TRect FromQRect(const QRect& r) { return Bounds(r.x(), r.y(), r.width(), r.height()); }

// A picture in a format Qt reads (PNG...), decoded whole; a null image when it cannot be
// read. A file is opened as the disc's files are, so a pipe, a device or a folder in its
// place gives nothing; a name beginning with ":" is one of the program's resources.
QImage ReadImageFile(const std::string& fileName);
