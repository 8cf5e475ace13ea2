#include "toolkit/image_file.h"

#include "toolkit/qt_bridge.h"

std::optional<TImageFileSize> ReadImageFileSize(const std::string& fileName) {
    QImage image = ReadImageFile(fileName);
    if (image.isNull()) return std::nullopt;
    return TImageFileSize{image.width(), image.height()};
}
