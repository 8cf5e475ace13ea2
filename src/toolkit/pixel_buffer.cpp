#include "toolkit/pixel_buffer.h"

#include "toolkit/canvas.h"

#include <QImage>

#include <algorithm>
#include <cstring>

namespace {

QImage::Format QtFormat(TPixelFormat format) {
    switch (format) {
    case pf1bit: return QImage::Format_Mono;
    case pf4bit:
    case pf8bit: return QImage::Format_Indexed8;
    case pf24bit: return QImage::Format_BGR888;
    case pfDevice:
    case pf32bit: return QImage::Format_RGB32;
    }
    return QImage::Format_RGB32;
}

constexpr std::int64_t kLargestDrawCopy = std::int64_t(64) << 20;

bool IsIndexed(TPixelFormat format) { return format == pf1bit || format == pf4bit || format == pf8bit; }

int PaletteSize(TPixelFormat format) {
    switch (format) {
    case pf1bit: return 2;
    case pf4bit: return 16;
    case pf8bit: return 256;
    default: return 0;
    }
}

QRgb ToQRgb(TColor color) { return qRgb(GetRValue(color), GetGValue(color), GetBValue(color)); }
TColor FromQRgb(QRgb rgb) { return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb)); }

// The platform's default palettes: black and white, the 16 VGA colours, a greyscale ramp.
QList<QRgb> DefaultColorTable(TPixelFormat format) {
    QList<QRgb> table;
    if (format == pf1bit) {
        table = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    } else if (format == pf4bit) {
        static const QRgb vga[16] = {
            qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(128, 128, 128),
            qRgb(192, 192, 192), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
        table = QList<QRgb>(std::begin(vga), std::end(vga));
    } else if (format == pf8bit) {
        for (int i = 0; i < 256; ++i) table.push_back(qRgb(i, i, i));
    }
    return table;
}

} // namespace

TPixelBuffer::TPixelBuffer() : FImage(std::make_unique<QImage>()) {}

TPixelBuffer::~TPixelBuffer() {
    // The canvas may hold a painter on the image; it must end first.
    FCanvas.reset();
}

int TPixelBuffer::Width() const { return FImage->width() / FDeviceScale; }
int TPixelBuffer::Height() const { return FImage->height() / FDeviceScale; }

void TPixelBuffer::SetDeviceScale(int scale) { FDeviceScale = std::max(1, scale); }

int TPixelBuffer::BitsPerPixel() const {
    switch (FFormat) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf24bit: return 24;
    default: return 32;
    }
}

void TPixelBuffer::EndPainting() const {
    if (FCanvas) FCanvas->Flush();
}

void TPixelBuffer::Allocate(int width, int height, TPixelFormat format) {
    ++FGeneration;
    EndPainting();
    FFormat = format;
    if (width <= 0 || height <= 0) {
        *FImage = QImage();
        return;
    }
    QImage image(width * FDeviceScale, height * FDeviceScale, QtFormat(format));
    if (image.isNull()) throw std::bad_alloc();
    image.setDevicePixelRatio(FDeviceScale);
    if (IsIndexed(format)) image.setColorTable(DefaultColorTable(format));
    image.fill(0);
    *FImage = std::move(image);
}

void TPixelBuffer::SetSize(int width, int height) {
    ++FGeneration;
    if (width == Width() && height == Height()) return;
    EndPainting();
    QImage old = std::move(*FImage);
    Allocate(width, height, FFormat);
    if (old.isNull() || FImage->isNull()) return;
    if (IsIndexed(FFormat)) FImage->setColorTable(old.colorTable());
    int rows = std::min(old.height(), FImage->height());
    int bytes = std::min(old.bytesPerLine(), FImage->bytesPerLine());
    if (FFormat == pf1bit) bytes = (std::min(old.width(), FImage->width()) + 7) / 8;
    for (int y = 0; y < rows; ++y) std::memcpy(FImage->scanLine(y), old.constScanLine(y), size_t(bytes));
}

void TPixelBuffer::SetPixelFormat(TPixelFormat format) {
    ++FGeneration;
    if (format == FFormat) return;
    EndPainting();
    TPixelFormat old = FFormat;
    FFormat = format;
    if (FImage->isNull()) return;
    QImage::Format target = QtFormat(format);
    if (IsIndexed(format)) {
        // Keep the existing palette when going between indexed formats of room enough.
        QList<QRgb> table = IsIndexed(old) && FImage->colorTable().size() <= PaletteSize(format)
                                ? FImage->colorTable()
                                : DefaultColorTable(format);
        *FImage = FImage->convertToFormat(target, table, Qt::ThresholdDither | Qt::AvoidDither);
    } else if (FImage->format() != target) {
        *FImage = FImage->convertToFormat(target);
    }
}

void TPixelBuffer::Clear() {
    ++FGeneration;
    EndPainting();
    *FImage = QImage();
}

void TPixelBuffer::Assign(const TPixelBuffer& source) {
    ++FGeneration;
    if (&source == this) return;
    EndPainting();
    source.EndPainting();
    FFormat = source.FFormat;
    FDeviceScale = source.FDeviceScale;
    *FImage = source.FImage->copy();
}

void TPixelBuffer::Swap(TPixelBuffer& other) {
    if (&other == this) return;
    EndPainting();
    other.EndPainting();
    ++FGeneration;
    ++other.FGeneration;
    std::swap(FFormat, other.FFormat);
    std::swap(FDeviceScale, other.FDeviceScale);
    FImage->swap(*other.FImage);
}

std::vector<TColor> TPixelBuffer::Palette() const {
    std::vector<TColor> colors;
    for (QRgb rgb : FImage->colorTable()) colors.push_back(FromQRgb(rgb));
    return colors;
}

void TPixelBuffer::SetPalette(const std::vector<TColor>& colors) {
    ++FGeneration;
    EndPainting();
    QList<QRgb> table;
    for (TColor color : colors) table.push_back(ToQRgb(color));
    FImage->setColorTable(table);
}

std::uint8_t* TPixelBuffer::ScanLine(int row) {
    ++FGeneration;
    EndPainting();
    return FImage->scanLine(row);
}

const std::uint8_t* TPixelBuffer::ScanLine(int row) const {
    EndPainting();
    return FImage->constScanLine(row);
}

int TPixelBuffer::BytesPerLine() const { return int(FImage->bytesPerLine()); }

TColor TPixelBuffer::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return clNone;
    EndPainting();
    return FromQRgb(FImage->pixel(x * FDeviceScale, y * FDeviceScale));
}

void TPixelBuffer::SetPixel(int x, int y, TColor color) {
    ++FGeneration;
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
    EndPainting();
    if (IsIndexed(FFormat)) SetPixelFormat(pf32bit);
    for (int dy = 0; dy < FDeviceScale; ++dy)
        for (int dx = 0; dx < FDeviceScale; ++dx)
            FImage->setPixel(x * FDeviceScale + dx, y * FDeviceScale + dy, ToQRgb(color));
}

TCanvas& TPixelBuffer::Canvas() {
    if (!FCanvas) FCanvas = std::make_unique<TCanvas>(*this);
    return *FCanvas;
}

QImage& TPixelBuffer::PaintTarget() {
    ++FGeneration;
    if (IsIndexed(FFormat)) SetPixelFormat(pf32bit);
    return *FImage;
}

const QImage& TPixelBuffer::DrawSource() const {
    EndPainting();
    if (FImage->format() == QImage::Format_RGB32 || FDrawnAsStored) return *FImage;
    // A copy of a picture many screens large would cost more than the picture itself;
    // painting reads such a picture as it is.
    if (std::int64_t(FImage->width()) * FImage->height() * 4 > kLargestDrawCopy) return *FImage;
    // Other formats would be converted at every copy; once is enough until they change.
    if (FDrawCacheGeneration != FGeneration || FDrawCache.isNull() != FImage->isNull()) {
        FDrawCache = FImage->convertToFormat(QImage::Format_RGB32);
        FDrawCacheGeneration = FGeneration;
    }
    return FDrawCache;
}

void TPixelBuffer::SetDrawnAsStored(bool drawnAsStored) {
    FDrawnAsStored = drawnAsStored;
    if (drawnAsStored) FDrawCache = QImage();
}

const QImage& TPixelBuffer::Image() const {
    EndPainting();
    return *FImage;
}
