#include "toolkit/canvas.h"

#include "toolkit/font_metrics.h"
#include "toolkit/pixel_buffer.h"
#include "toolkit/qt_bridge.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

TCanvas::TCanvas(TPixelBuffer& target) : FTarget(&target) {}

TCanvas::TCanvas(QPainter& painter) : FPainter(&painter) {
    FPainter->setRenderHint(QPainter::SmoothPixmapTransform, false);
}

TCanvas::~TCanvas() { Flush(); }

QPainter& TCanvas::Painter() {
    if (FPainter) return *FPainter;
    QImage& image = FTarget->PaintTarget();
    FOwnPainter = std::make_unique<QPainter>();
    FOwnPainter->begin(&image);
    FOwnPainter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    FPainter = FOwnPainter.get();
    return *FPainter;
}

void TCanvas::Flush() {
    if (!FOwnPainter) return;
    FOwnPainter->end();
    FOwnPainter.reset();
    FPainter = nullptr;
    FSaveDepth = 0;
}

int TCanvas::DeviceScale() {
    if (FTarget) return FTarget->DeviceScale();
    const QPaintDevice* device = FPainter->device();
    return device ? std::max(1, qRound(device->devicePixelRatio())) : 1;
}

void TCanvas::FillRect(const TRect& rect) {
    if (FBrush.Style == bsClear || IsRectEmpty(rect)) return;
    Painter().fillRect(ToQRect(rect), ToQColor(FBrush.Color));
}

void TCanvas::FrameRect(const TRect& rect) {
    if (IsRectEmpty(rect)) return;
    QPainter& painter = Painter();
    QColor color = ToQColor(FBrush.Color);
    painter.fillRect(QRect(rect.Left, rect.Top, rect.Width(), 1), color);
    painter.fillRect(QRect(rect.Left, rect.Bottom - 1, rect.Width(), 1), color);
    painter.fillRect(QRect(rect.Left, rect.Top, 1, rect.Height()), color);
    painter.fillRect(QRect(rect.Right - 1, rect.Top, 1, rect.Height()), color);
}

void TCanvas::Rectangle(const TRect& rect) {
    if (IsRectEmpty(rect)) return;
    if (FBrush.Style != bsClear)
        Painter().fillRect(QRect(rect.Left + 1, rect.Top + 1, rect.Width() - 2, rect.Height() - 2),
                           ToQColor(FBrush.Color));
    if (FPen.Style == psClear) return;
    TBrush saved = FBrush;
    FBrush = {FPen.Color, bsSolid};
    FrameRect(rect);
    FBrush = saved;
}

void TCanvas::MoveTo(int x, int y) {
    FPendingText.reset();
    FPenPos = {x, y};
}

void TCanvas::LineTo(int x, int y) {
    TPoint from = PenPos();
    if (FPen.Style != psClear) PlotLine(from.X, from.Y, x, y);
    FPenPos = {x, y};
}

// Bresenham's line without its end point, one pixel wide, as the platform draws it.
void TCanvas::PlotLine(int x0, int y0, int x1, int y1) {
    QPainter& painter = Painter();
    QColor color = ToQColor(FPen.Color);
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int step = 0;
    while (x0 != x1 || y0 != y1) {
        bool dotted = FPen.Style == psDot && (step & 1);
        bool dashed = FPen.Style == psDash && (step % 9) >= 6;
        if (!dotted && !dashed) painter.fillRect(QRect(x0, y0, 1, 1), color);
        ++step;
        int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x0 += sx; }
        if (e2 <= dx) { err += dx; y0 += sy; }
    }
}

void TCanvas::DrawFocusRect(const TRect& rect) {
    if (IsRectEmpty(rect)) return;
    QPainter& painter = Painter();
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QColor white(255, 255, 255);
    auto dot = [&](int x, int y) { painter.fillRect(QRect(x, y, 1, 1), white); };
    // Every other pixel along the border, the pattern continuing round the corners.
    int phase = 0;
    for (int x = rect.Left; x < rect.Right; ++x, ++phase)
        if (!(phase & 1)) dot(x, rect.Top);
    for (int y = rect.Top + 1; y < rect.Bottom; ++y, ++phase)
        if (!(phase & 1)) dot(rect.Right - 1, y);
    for (int x = rect.Right - 2; x >= rect.Left; --x, ++phase)
        if (!(phase & 1) && rect.Bottom - 1 > rect.Top) dot(x, rect.Bottom - 1);
    for (int y = rect.Bottom - 2; y > rect.Top; --y, ++phase)
        if (!(phase & 1) && rect.Right - 1 > rect.Left) dot(rect.Left, y);
    painter.restore();
}

TColor TCanvas::Pixel(int x, int y) {
    if (!FTarget) return clNone;
    Flush();
    return FTarget->Pixel(x, y);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    Painter().fillRect(QRect(x, y, 1, 1), ToQColor(color));
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
    QPainter& painter = Painter();
    TTextMetric metric = FontTextMetric(FFont);
    if (FBrush.Style != bsClear)
        painter.fillRect(QRect(x, y, TextWidth(text), metric.Height()), ToQColor(FBrush.Color));
    painter.setFont(ToQFont(FFont));
    painter.setPen(ToQColor(FFont.Color()));
    painter.drawText(QPoint(x, y + metric.Ascent), ToQString(text));
    // The pen ends after the text; measured only if someone asks where.
    FPenPos = {x, y};
    FPendingText = {std::string(text), FFont};
}

TPoint TCanvas::PenPos() const {
    if (FPendingText) {
        FPenPos.X += FontTextWidth(FPendingText->second, FPendingText->first);
        FPendingText.reset();
    }
    return FPenPos;
}

void TCanvas::TextRect(const TRect& clip, int x, int y, std::string_view text) {
    QPainter& painter = Painter();
    painter.save();
    painter.setClipRect(ToQRect(clip), Qt::IntersectClip);
    if (FBrush.Style != bsClear) painter.fillRect(ToQRect(clip), ToQColor(FBrush.Color));
    TBrushStyle saved = FBrush.Style;
    FBrush.Style = bsClear;
    TextOut(x, y, text);
    FBrush.Style = saved;
    painter.restore();
}

int TCanvas::TextWidth(std::string_view text) { return FontTextWidth(FFont, text); }

int TCanvas::TextHeight(std::string_view) { return FontTextMetric(FFont).Height(); }

void TCanvas::CopyRect(const TRect& dest, const TPixelBuffer& source, const TRect& sourceRect) {
    if (IsRectEmpty(dest) || IsRectEmpty(sourceRect) || source.Empty()) return;
    const QImage& image = source.DrawSource();
    QPainter& painter = Painter();
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    // The source rectangle is in the image's own (device) pixels.
    const int scale = source.DeviceScale();
    QRect from(sourceRect.Left * scale, sourceRect.Top * scale, sourceRect.Width() * scale,
               sourceRect.Height() * scale);
    painter.drawImage(ToQRect(dest), image, from);
    painter.restore();
}

void TCanvas::TileRect(const TRect& dest, const TPixelBuffer& source, const TRect& tile) {
    if (IsRectEmpty(dest) || IsRectEmpty(tile) || source.Empty()) return;
    if (dest.Width() <= tile.Width() && dest.Height() <= tile.Height()) {
        CopyRect(dest, source, Bounds(tile.Left, tile.Top, dest.Width(), dest.Height()));
        return;
    }
    // The repetitions are laid out in one picture of the destination's size, doubling
    // what is done along each row, then row by row: the time and memory follow the
    // destination's pixels, whatever the number of tiles.
    const int scale = source.DeviceScale();
    const QImage& image = source.DrawSource();
    const QImage piece = image.copy(tile.Left * scale, tile.Top * scale, tile.Width() * scale, tile.Height() * scale)
                             .convertToFormat(QImage::Format_ARGB32);
    const int width = dest.Width() * scale, height = dest.Height() * scale;
    QImage tiled(width, height, QImage::Format_ARGB32);
    if (tiled.isNull()) throw std::bad_alloc();
    const int rowBytes = width * 4;
    for (int y = 0; y < std::min(height, piece.height()); ++y) {
        uchar* row = tiled.scanLine(y);
        int done = std::min(width, piece.width());
        std::memcpy(row, piece.constScanLine(y), std::size_t(done) * 4);
        for (; done < width; done += std::min(done, width - done))
            std::memcpy(row + done * 4, row, std::size_t(std::min(done, width - done)) * 4);
    }
    for (int y = piece.height(); y < height; ++y)
        std::memcpy(tiled.scanLine(y), tiled.constScanLine(y - piece.height()), std::size_t(rowBytes));
    QPainter& painter = Painter();
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(ToQRect(dest), tiled, QRect(0, 0, width, height));
    painter.restore();
}

void TCanvas::Draw(int x, int y, const TPixelBuffer& source) {
    CopyRect(Bounds(x, y, source.Width(), source.Height()), source,
             Rect(0, 0, source.Width(), source.Height()));
}

void TCanvas::StretchDraw(const TRect& dest, const TPixelBuffer& source) {
    CopyRect(dest, source, Rect(0, 0, source.Width(), source.Height()));
}

void TCanvas::DrawTransparent(int x, int y, const TPixelBuffer& source, TColor transparentColor) {
    if (source.Empty()) return;
    QImage image = source.Image().convertToFormat(QImage::Format_ARGB32);
    QRgb key = ToQColor(transparentColor).rgb() & 0xFFFFFF;
    for (int row = 0; row < image.height(); ++row) {
        auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int col = 0; col < image.width(); ++col)
            if ((pixels[col] & 0xFFFFFF) == key) pixels[col] = 0;
    }
    Painter().drawImage(QPoint(x, y), image);
}

void TCanvas::Draw(int x, int y, TCanvasDrawable& graphic, int width, int height) {
    graphic.Draw(*this, Bounds(x, y, width, height));
}

void TCanvas::StretchDraw(const TRect& dest, TCanvasDrawable& graphic) { graphic.Draw(*this, dest); }

void TCanvas::SaveState() {
    Painter().save();
    ++FSaveDepth;
}

void TCanvas::RestoreState() {
    if (FSaveDepth == 0 || !FPainter) return;
    --FSaveDepth;
    FPainter->restore();
}

void TCanvas::RestoreStateTo(int depth) {
    while (FPainter && FSaveDepth > std::max(depth, 0))
        RestoreState();
}

void TCanvas::MoveOrigin(int dx, int dy) { Painter().translate(dx, dy); }

void TCanvas::IntersectClipRect(const TRect& rect) {
    QPainter& painter = Painter();
    painter.setClipRect(ToQRect(rect), painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

TRect TCanvas::ClipRect() {
    QPainter& painter = Painter();
    if (painter.hasClipping()) return FromQRect(painter.clipBoundingRect().toAlignedRect());
    if (FTarget) return Rect(0, 0, FTarget->Width(), FTarget->Height());
    const QPaintDevice* device = painter.device();
    return device ? Rect(0, 0, device->width(), device->height()) : TRect{};
}
