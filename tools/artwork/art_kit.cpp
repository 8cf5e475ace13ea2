#include "art_kit.h"

#include <QFontMetricsF>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace art {

namespace {

QFont MakeFont(const char* family, int pixels, bool bold, bool italic) {
    QFont f(QString::fromLatin1(family));
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setItalic(italic);
    // Small captions stay crisp with the full hinting; the result is the same every run.
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setKerning(true);
    return f;
}

} // namespace

QFont Sans(int pixels, bool bold, bool italic) { return MakeFont("Liberation Sans", pixels, bold, italic); }
QFont Serif(int pixels, bool bold, bool italic) { return MakeFont("Liberation Serif", pixels, bold, italic); }

QImage Canvas(int width, int height, const QColor& fill) {
    QImage img(width, height, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

void Smooth(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void FillRect(QImage& img, const QRect& r, const QColor& c) {
    const QRect clipped = r.intersected(img.rect());
    const QRgb v = c.rgba();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        std::fill(line + clipped.left(), line + clipped.right() + 1, v);
    }
}

void HLine(QImage& img, int x0, int x1, int y, const QColor& c) {
    FillRect(img, QRect(QPoint(std::min(x0, x1), y), QPoint(std::max(x0, x1), y)), c);
}

void VLine(QImage& img, int x, int y0, int y1, const QColor& c) {
    FillRect(img, QRect(QPoint(x, std::min(y0, y1)), QPoint(x, std::max(y0, y1))), c);
}

void Outline(QImage& img, const QRect& r, const QColor& c, int thickness) {
    for (int i = 0; i < thickness; ++i) {
        const QRect q = r.adjusted(i, i, -i, -i);
        if (q.width() <= 0 || q.height() <= 0) return;
        HLine(img, q.left(), q.right(), q.top(), c);
        HLine(img, q.left(), q.right(), q.bottom(), c);
        VLine(img, q.left(), q.top(), q.bottom(), c);
        VLine(img, q.right(), q.top(), q.bottom(), c);
    }
}

void Bevel(QImage& img, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    HLine(img, r.left(), r.right(), r.bottom(), bottomRight);
    VLine(img, r.right(), r.top(), r.bottom(), bottomRight);
    HLine(img, r.left(), r.right() - 1, r.top(), topLeft);
    VLine(img, r.left(), r.top(), r.bottom() - 1, topLeft);
}

QColor Mix(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto ch = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return QColor(ch(a.red(), b.red()), ch(a.green(), b.green()), ch(a.blue(), b.blue()));
}

void VGradient(QImage& img, const QRect& r, const QColor& top, const QColor& bottom) {
    const int n = std::max(1, r.height() - 1);
    for (int y = r.top(); y <= r.bottom(); ++y)
        HLine(img, r.left(), r.right(), y, Mix(top, bottom, double(y - r.top()) / n));
}

void HGradient(QImage& img, const QRect& r, const QColor& left, const QColor& right) {
    const int n = std::max(1, r.width() - 1);
    for (int x = r.left(); x <= r.right(); ++x)
        VLine(img, x, r.top(), r.bottom(), Mix(left, right, double(x - r.left()) / n));
}

void Text(QPainter& p, int x, int baseline, const QString& text, const QFont& font, const QColor& c) {
    p.save();
    p.setFont(font);
    p.setPen(c);
    p.drawText(QPointF(x, baseline), text);
    p.restore();
}

void CentredText(QPainter& p, const QRectF& r, const QString& text, const QFont& font, const QColor& c) {
    QFontMetricsF fm(font);
    const double w = fm.horizontalAdvance(text);
    const double x = std::round(r.left() + (r.width() - w) / 2);
    const double baseline = std::round(r.top() + (r.height() + fm.capHeight()) / 2);
    p.save();
    p.setFont(font);
    p.setPen(c);
    p.drawText(QPointF(x, baseline), text);
    p.restore();
}

int TextWidth(const QString& text, const QFont& font) {
    return int(std::ceil(QFontMetricsF(font).horizontalAdvance(text)));
}

void Dot(QPainter& p, double cx, double cy, double d, const QColor& c) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(cx, cy), d / 2, d / 2);
    p.restore();
}

void SightEmblem(QPainter& p, QPointF centre, double radius, double stroke, const QColor& c) {
    p.save();
    QPen pen(c, stroke);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius, radius);
    const double reach = radius * 1.45, gap = radius * 0.35;
    p.drawLine(QPointF(centre.x() - reach, centre.y()), QPointF(centre.x() - gap, centre.y()));
    p.drawLine(QPointF(centre.x() + gap, centre.y()), QPointF(centre.x() + reach, centre.y()));
    p.drawLine(QPointF(centre.x(), centre.y() - reach), QPointF(centre.x(), centre.y() - gap));
    p.drawLine(QPointF(centre.x(), centre.y() + gap), QPointF(centre.x(), centre.y() + reach));
    p.restore();
}

void ArrowGlyph(QPainter& p, const QRectF& r, Arrow dir, double size, const QColor& c) {
    const QPointF m = r.center();
    const double h = size / 2, k = size / 4;
    QPolygonF t;
    switch (dir) {
    case Arrow::Up: t << QPointF(m.x() - h, m.y() + k) << QPointF(m.x() + h, m.y() + k) << QPointF(m.x(), m.y() - k); break;
    case Arrow::Down: t << QPointF(m.x() - h, m.y() - k) << QPointF(m.x() + h, m.y() - k) << QPointF(m.x(), m.y() + k); break;
    case Arrow::Left: t << QPointF(m.x() + k, m.y() - h) << QPointF(m.x() + k, m.y() + h) << QPointF(m.x() - k, m.y()); break;
    case Arrow::Right: t << QPointF(m.x() - k, m.y() - h) << QPointF(m.x() - k, m.y() + h) << QPointF(m.x() + k, m.y()); break;
    }
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(t);
    p.restore();
}

void Blit(QImage& dest, int x, int y, const QImage& source) {
    QPainter p(&dest);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(x, y, source);
}

} // namespace art
