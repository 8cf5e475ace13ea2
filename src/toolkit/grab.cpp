#include "toolkit/grab.h"

#include "toolkit/pixel_buffer.h"
#include "toolkit/win_control.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <cstring>

namespace {

QImage GrabImage(TWinControl& control) {
    control.HandleNeeded();
    return control.Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

void GrabControl(TWinControl& control, TPixelBuffer& target) {
    QImage image = GrabImage(control);
    target.Allocate(image.width(), image.height(), pf32bit);
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(target.ScanLine(y), image.constScanLine(y), size_t(image.width()) * 4);
}

bool SaveControlPng(TWinControl& control, const std::string& fileName) {
    return GrabImage(control).save(QString::fromStdString(fileName), "PNG");
}

bool SavePng(const TPixelBuffer& picture, const std::string& fileName) {
    return picture.Image().save(QString::fromStdString(fileName), "PNG");
}
