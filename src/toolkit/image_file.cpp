#include "toolkit/image_file.h"

#include <QImage>

std::optional<TImageFileSize> ReadImageFileSize(const std::string& fileName) {
    QImage image(QString::fromStdString(fileName));
    if (image.isNull()) return std::nullopt;
    return TImageFileSize{image.width(), image.height()};
}
