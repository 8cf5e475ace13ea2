#include "launcher_art.h"

#include "art_kit.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace art {

namespace {

// One framed area of the body: its inside, the caption tab above it.
struct TArea {
    QRect Inside;
    int TabTop;
    QString Caption;
    bool Dark; // the thumbnail's backdrop is dark, the rest light
};

const int kFrame = 2;

QRect Outer(const TArea& a) { return a.Inside.adjusted(-kFrame, -kFrame, kFrame, kFrame); }

std::vector<TArea> Areas() {
    using namespace place;
    // The right column's two areas share their left and right edges.
    const int rightLeft = 531, rightRight = 779;
    return {
        {CategoryList, CategoryMarker.y(), QString::fromUtf8("разделы"), false},
        {TitleList, TitleMarker.y(), QString::fromUtf8("программы / файлы"), false},
        {QRect(QPoint(rightLeft, Thumbnail.top()), QPoint(rightRight - 1, Thumbnail.bottom())), 52,
         QString::fromUtf8("снимок экрана"), true},
        {QRect(QPoint(rightLeft, AboutBox.top()), QPoint(rightRight - 1, AboutBar.bottom() + 1)),
         AboutMarker.y(), QString::fromUtf8("описание"), false},
    };
}

QColor BodyAt(int y) { return Mix(ink::BodyTop, ink::BodyBottom, double(y) / 499); }

void DrawTab(QImage& img, QPainter& p, const QRect& frameOuter, int top, const QString& caption) {
    const QFont font = Sans(12, true);
    const int width = TextWidth(caption, font) + 20;
    const QRect tab(frameOuter.left(), top, width, frameOuter.top() - top);
    // Square bottom, rounded top corners of radius 3.
    QPainterPath path;
    path.addRoundedRect(QRectF(tab.left(), tab.top(), tab.width(), tab.height() + 6), 3, 3);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(ink::Frame);
    p.setClipRect(QRect(tab.left(), tab.top(), tab.width(), tab.height()));
    p.drawPath(path);
    p.restore();
    // A faint highlight along the tab's top, and a shade down its left like the frame's.
    HLine(img, tab.left() + 3, tab.right() - 3, tab.top(), ink::FrameLight);
    Text(p, tab.left() + 10, frameOuter.top() - 5, caption, font, ink::Cream);
}

void DrawArea(QImage& img, QPainter& p, const TArea& a) {
    const QRect o = Outer(a);
    // Sunk into the body: shade above and left, light below and right.
    Bevel(img, o.adjusted(-1, -1, 1, 1), ink::BodyShade, ink::BodyHighlight);
    Outline(img, o, ink::Frame, kFrame);
    if (a.Dark) {
        VGradient(img, a.Inside, QColor(0x34, 0x42, 0x3A), QColor(0x26, 0x31, 0x2B));
    } else {
        FillRect(img, a.Inside, ink::Well);
    }
    DrawTab(img, p, o, a.TabTop, a.Caption);
}

} // namespace

QImage DrawMarker() {
    QImage img = Canvas(18, 20, ink::Frame);
    HLine(img, 0, 17, 0, ink::FrameLight);
    const QColor dot(0xD6, 0xDC, 0xD3);
    for (int row : {6, 11})
        for (int col : {4, 8, 12}) FillRect(img, QRect(col, row, 2, 2), dot);
    return img;
}

QImage DrawClose() {
    QImage img = Canvas(19, 31, ink::ChromeDark);
    // Rows 1 to 27 and columns 1 to 18 show; the box's edge runs along them.
    HLine(img, 0, 18, 1, ink::ChromeEdge);
    HLine(img, 0, 18, 27, ink::ChromeEdge);
    VLine(img, 18, 1, 27, ink::ChromeEdge);
    QPainter p(&img);
    Smooth(p);
    QPen pen(ink::ChromeLight, 2.0);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    const QPointF c(9.5, 14.5);
    const double r = 4.0;
    p.drawLine(c + QPointF(-r, -r), c + QPointF(r, r));
    p.drawLine(c + QPointF(r, -r), c + QPointF(-r, r));
    return img;
}

QImage DrawMinimise() {
    QImage img = Canvas(75, 27, ink::ChromeDark);
    // Only columns 56 to 74 show: 56 is the box's left edge, 74 the line between the
    // two buttons.
    HLine(img, 0, 74, 0, ink::ChromeEdge);
    HLine(img, 0, 74, 26, ink::ChromeEdge);
    VLine(img, 56, 0, 26, ink::ChromeEdge);
    VLine(img, 74, 0, 26, ink::ChromeEdge);
    FillRect(img, QRect(61, 17, 9, 2), ink::ChromeLight);
    return img;
}

QImage ComposeMinClose(const QImage& minimise, const QImage& close) {
    QImage img = Canvas(place::MinClosePanel.width(), place::MinClosePanel.height(), Qt::magenta);
    QPainter p(&img);
    p.drawImage(place::CloseLeft, place::CloseTop, close);
    p.drawImage(place::MiniOffset, 0, minimise);
    return img;
}

QImage DrawLink() {
    QImage img = Canvas(110, 32, ink::ChromeDark);
    const QRect shown(0, 0, place::LinkPanel.width(), place::LinkPanel.height());
    Outline(img, shown, ink::ChromeEdge);
    QPainter p(&img);
    Smooth(p);
    SightEmblem(p, QPointF(13.5, 14), 5.0, 1.5, ink::PaleGreen);
    const QFont bold = Sans(12, true), plain = Sans(10);
    Text(p, 25, 14, QStringLiteral("vitrina"), bold, ink::Cream);
    Text(p, 25, 24, QStringLiteral("example.org"), plain, ink::ChromeLight);
    return img;
}

QImage DrawBanner() {
    QImage img = Canvas(800, 100);
    VGradient(img, QRect(0, 0, 800, 60), ink::BannerTop, ink::BannerMid);
    VGradient(img, QRect(0, 60, 800, 37), ink::BannerMid, ink::BannerBottom);
    {
        QPainter p(&img);
        Smooth(p);
        // A soft light behind the title.
        QRadialGradient glow(QPointF(150, 58), 260);
        glow.setColorAt(0, QColor(0x5E, 0x9C, 0x6E, 70));
        glow.setColorAt(1, QColor(0x5E, 0x9C, 0x6E, 0));
        p.fillRect(QRect(0, 0, 800, 97), glow);
        // Fine diagonal lines, barely there, for texture.
        p.setPen(QPen(QColor(255, 255, 255, 9), 1));
        for (int x = -100; x < 800; x += 6) p.drawLine(QPointF(x, 97), QPointF(x + 97, 0));
        // The emblem, large and quiet, on the right.
        SightEmblem(p, QPointF(662, 50), 30, 3, QColor(0x9F, 0xC8, 0xA7, 60));

        // The title.
        const QFont title = Serif(58, true, true);
        Text(p, 28, 87, QStringLiteral("Vitrina"), title, QColor(0, 0, 0, 120));
        Text(p, 26, 85, QStringLiteral("Vitrina"), title, ink::Cream);
        const int after = 26 + TextWidth(QStringLiteral("Vitrina"), title) + 18;
        Text(p, after, 70, QString::fromUtf8("коллекция программ"), Sans(17, true), ink::Cream);
        Text(p, after, 88, QString::fromUtf8("для дома, учёбы и работы"), Sans(13), ink::PaleGreen);
    }
    // The banner's lower edge: a thin gold rule on a dark band.
    HLine(img, 0, 799, 97, Mix(ink::Gold, ink::BannerBottom, 0.25));
    HLine(img, 0, 799, 98, QColor(0x07, 0x19, 0x0F));
    HLine(img, 0, 799, 99, QColor(0x07, 0x19, 0x0F));
    // The boxes under the link and under minimise and close show what those images show.
    QImage link = DrawLink().copy(0, 0, place::LinkPanel.width(), place::LinkPanel.height());
    Blit(img, place::LinkPanel.left(), place::LinkPanel.top(), link);
    Blit(img, place::MinClosePanel.left(), place::MinClosePanel.top(),
         ComposeMinClose(DrawMinimise(), DrawClose()));
    return img;
}

QImage DrawBody() {
    QImage img = Canvas(800, 500);
    for (int y = 0; y < 500; ++y) HLine(img, 0, 799, y, BodyAt(y));
    HLine(img, 0, 799, 0, ink::BodyHighlight);
    QPainter p(&img);
    Smooth(p);
    for (const TArea& a : Areas()) DrawArea(img, p, a);
    const QFont hint = Sans(11);
    Text(p, 24, 489,
         QString::fromUtf8("Двойной щелчок или Enter открывает папку программы. "
                           "Щелчок по снимку показывает его в полном размере."),
         hint, ink::TextMuted);
    return img;
}

QImage DrawNoImage(const QImage& body) {
    QImage img = body.copy(place::NoImage);
    const QRect panel = place::Thumbnail.translated(-place::NoImage.topLeft());
    VGradient(img, panel, ink::NoImageTop, ink::NoImageBottom);
    Outline(img, panel, QColor(0x4F, 0x8F, 0x64));
    QPainter p(&img);
    Smooth(p);
    const QPointF c(panel.center().x() + 0.5, panel.top() + 78);
    SightEmblem(p, c, 24, 3, QColor(0xC4, 0xDD, 0xC8, 90));
    CentredText(p, QRectF(panel.left(), panel.top() + 122, panel.width(), 30), QStringLiteral("NO IMAGE"),
                Sans(22, true), ink::Cream);
    CentredText(p, QRectF(panel.left(), panel.top() + 150, panel.width(), 20),
                QString::fromUtf8("снимка экрана нет"), Sans(12), ink::PaleGreen);
    return img;
}

QImage DrawIcon(int size) {
    QImage img = Canvas(size, size, QColor(0x0C, 0x17, 0x38));
    // Drawn on the 32-pixel grid and scaled, so every size shows the same sight.
    const double scale = size / 32.0;
    const QColor dot(0x24, 0x3A, 0x72);
    QPainter p(&img);
    // A dotted dark blue ground.
    for (int y = 1; y < 32; y += 4)
        for (int x = 1 + (y / 4 % 2) * 2; x < 32; x += 4)
            p.fillRect(QRectF(x * scale, y * scale, std::max(1.0, scale), std::max(1.0, scale)), dot);
    Smooth(p);
    p.scale(scale, scale);
    const QPointF c(16, 16);
    QPen ring(QColor(0xB7, 0xBC, 0xC6), 2.6);
    p.setPen(ring);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 10.2, 10.2);
    QPen cross(QColor(0xD9, 0xDC, 0xE2), 2.0);
    cross.setCapStyle(Qt::FlatCap);
    p.setPen(cross);
    p.drawLine(QPointF(1.5, 16), QPointF(12, 16));
    p.drawLine(QPointF(20, 16), QPointF(30.5, 16));
    p.drawLine(QPointF(16, 1.5), QPointF(16, 12));
    p.drawLine(QPointF(16, 20), QPointF(16, 30.5));
    Dot(p, 16, 16, 2.6, QColor(0xE8, 0x6A, 0x4A));
    return img;
}

} // namespace art
