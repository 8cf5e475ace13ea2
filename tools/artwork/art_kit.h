#pragma once
// The artwork's shared look: one palette for the launcher, its skin and its icon, the
// fonts, and the few drawing moves every picture is made of. Everything is drawn on
// 32-bit images with fixed coordinates, so a run gives the same pixels every time.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

namespace art {

// The launcher's colours.
namespace ink {
// Banner greens, darkest last.
inline const QColor BannerTop{0x1E, 0x4F, 0x34};
inline const QColor BannerMid{0x14, 0x3C, 0x27};
inline const QColor BannerBottom{0x0B, 0x26, 0x18};
inline const QColor Cream{0xF2, 0xED, 0xD8};
inline const QColor Gold{0xCF, 0xB3, 0x62};
inline const QColor PaleGreen{0x9F, 0xC8, 0xA7};
// The body: greys with a trace of green.
inline const QColor BodyTop{0xC6, 0xCB, 0xC3};
inline const QColor BodyBottom{0xAD, 0xB3, 0xAA};
inline const QColor BodyHighlight{0xE2, 0xE6, 0xDF};
inline const QColor BodyShade{0x8E, 0x96, 0x8C};
// Frames, caption tabs and marker tiles share this dark green-grey.
inline const QColor Frame{0x26, 0x37, 0x2D};
inline const QColor FrameLight{0x3C, 0x55, 0x45};
// Inside the framed areas: lists and description.
inline const QColor Well{0xF5, 0xF7, 0xF1};
inline const QColor WellRule{0xE0, 0xE6, 0xDA};
inline const QColor WellEdgeDark{0x9C, 0xA6, 0x98};
inline const QColor WellEdgeLight{0xD3, 0xDA, 0xCF};
// The current list item's text, as the program draws it.
inline const QColor ItemGreen{0x00, 0x5E, 0x1C};
// Scroll bars.
inline const QColor Trough{0xD9, 0xDF, 0xD5};
inline const QColor TroughEdge{0xB5, 0xBE, 0xB1};
inline const QColor ThumbLight{0x4A, 0x8C, 0x60};
inline const QColor ThumbDark{0x1F, 0x58, 0x37};
inline const QColor ButtonLight{0x4C, 0x5E, 0x52};
inline const QColor ButtonDark{0x2A, 0x38, 0x30};
// The chrome buttons and the link box.
inline const QColor ChromeDark{0x2C, 0x31, 0x2E};
inline const QColor ChromeEdge{0x44, 0x4B, 0x46};
inline const QColor ChromeLight{0xC9, 0xCE, 0xC9};
// The no-image panel.
inline const QColor NoImageTop{0x3A, 0x7A, 0x51};
inline const QColor NoImageBottom{0x1D, 0x4F, 0x33};
// Text on light grounds.
inline const QColor Text{0x1A, 0x22, 0x1D};
inline const QColor TextMuted{0x4E, 0x58, 0x51};
} // namespace ink

// Liberation fonts, sized in pixels.
QFont Sans(int pixels, bool bold = false, bool italic = false);
QFont Serif(int pixels, bool bold = false, bool italic = false);

// A blank 32-bit image filled with one colour.
QImage Canvas(int width, int height, const QColor& fill = Qt::black);

// A painter with antialiasing for shapes and text.
void Smooth(QPainter& p);

// Hard-edged fills and lines (no antialiasing), in pixel coordinates.
void FillRect(QImage& img, const QRect& r, const QColor& c);
void HLine(QImage& img, int x0, int x1, int y, const QColor& c); // x1 included
void VLine(QImage& img, int x, int y0, int y1, const QColor& c); // y1 included
// A rectangle outline of the given thickness, drawn inside r.
void Outline(QImage& img, const QRect& r, const QColor& c, int thickness = 1);
// Top and left in one colour, bottom and right in the other, drawn inside r.
void Bevel(QImage& img, const QRect& r, const QColor& topLeft, const QColor& bottomRight);
// A vertical gradient over r, row by row (rows are uniform, so it tiles sideways).
void VGradient(QImage& img, const QRect& r, const QColor& top, const QColor& bottom);
// A horizontal gradient over r, column by column.
void HGradient(QImage& img, const QRect& r, const QColor& left, const QColor& right);

QColor Mix(const QColor& a, const QColor& b, double t);

// Text with its left end at x and its baseline at y.
void Text(QPainter& p, int x, int baseline, const QString& text, const QFont& font, const QColor& c);
// Text centred in r (horizontally on its advance, vertically on the font's cap height).
void CentredText(QPainter& p, const QRectF& r, const QString& text, const QFont& font, const QColor& c);
int TextWidth(const QString& text, const QFont& font);

// A filled disc of diameter d centred at (cx, cy), antialiased.
void Dot(QPainter& p, double cx, double cy, double d, const QColor& c);
// A ring with a cross through it, like a sight; the product's emblem.
void SightEmblem(QPainter& p, QPointF centre, double radius, double stroke, const QColor& c);
// A filled triangle pointing up, down, left or right, centred in r.
enum class Arrow { Up, Down, Left, Right };
void ArrowGlyph(QPainter& p, const QRectF& r, Arrow dir, double size, const QColor& c);

// Copies the pixels of source into dest at (x, y).
void Blit(QImage& dest, int x, int y, const QImage& source);

} // namespace art
