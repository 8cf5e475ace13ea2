#include "screenshots.h"

#include "art_kit.h"

#include <QPainterPath>
#include <QRandomGenerator>

#include <cmath>

namespace art {

namespace {

// Colours of an invented program, picked from its seed.
struct TScheme {
    QColor Accent, Paper, Ink, Soft;
};

TScheme SchemeFor(int seed) {
    static const QColor accents[] = {{0x2F, 0x6B, 0xB0}, {0xB0, 0x4A, 0x2F}, {0x3B, 0x8C, 0x5A}, {0x7A, 0x4F, 0xA8},
                                     {0xC2, 0x8A, 0x1E}, {0x1E, 0x8A, 0x8A}, {0x9C, 0x2E, 0x5E}, {0x4A, 0x5A, 0x6E}};
    QColor accent = accents[seed % 8];
    return {accent, QColor(0xF7, 0xF6, 0xF1), QColor(0x22, 0x26, 0x2A), Mix(accent, Qt::white, 0.75)};
}

// A desktop window of the invented program: title bar, menu bar, status bar; returns
// the rectangle its contents go in.
QRect DrawWindowFrame(QImage& img, QPainter& p, const TDemoTitle& title, const TScheme& s) {
    const int w = img.width(), h = img.height();
    VGradient(img, QRect(0, 0, w, h), QColor(0x3A, 0x4A, 0x5A), QColor(0x1C, 0x24, 0x2C));
    QRect window(12, 10, w - 24, h - 20);
    FillRect(img, window, QColor(0xE4, 0xE4, 0xDE));
    Outline(img, window, QColor(0x10, 0x14, 0x18));
    QRect bar(window.left() + 1, window.top() + 1, window.width() - 2, 24);
    HGradient(img, bar, s.Accent.darker(140), s.Accent);
    Text(p, bar.left() + 10, bar.top() + 17, title.Title, Sans(14, true), Qt::white);
    for (int i = 0; i < 3; ++i) {
        QRect box(bar.right() - 22 - i * 22, bar.top() + 4, 17, 16);
        FillRect(img, box, QColor(0xDD, 0xDD, 0xD6));
        Bevel(img, box, Qt::white, QColor(0x6A, 0x6A, 0x66));
    }
    static const char* menu[] = {"Файл", "Правка", "Вид", "Сервис", "Справка"};
    int x = window.left() + 10;
    for (const char* item : menu) {
        QString text = QString::fromUtf8(item);
        Text(p, x, bar.bottom() + 17, text, Sans(13), s.Ink);
        x += TextWidth(text, Sans(13)) + 16;
    }
    QRect status(window.left() + 1, window.bottom() - 20, window.width() - 2, 20);
    FillRect(img, status, QColor(0xD6, 0xD6, 0xCF));
    HLine(img, status.left(), status.right(), status.top(), QColor(0xA0, 0xA0, 0x98));
    Text(p, status.left() + 8, status.bottom() - 5, QString::fromUtf8("Готово"), Sans(12), s.Ink);
    return QRect(window.left() + 6, bar.bottom() + 24, window.width() - 12, status.top() - bar.bottom() - 30);
}

void DrawDocument(QImage& img, QPainter& p, QRect area, const TScheme& s, QRandomGenerator& rng) {
    FillRect(img, area, QColor(0x9A, 0x9E, 0x98));
    QRect page(area.left() + area.width() / 8, area.top() + 10, area.width() * 3 / 4, area.height() - 10);
    FillRect(img, page, s.Paper);
    Outline(img, page, QColor(0x70, 0x74, 0x70));
    int y = page.top() + 30;
    Text(p, page.left() + 30, y, QString::fromUtf8("Глава ") + QString::number(1 + rng.bounded(9)), Serif(22, true), s.Ink);
    y += 24;
    while (y < page.bottom() - 20) {
        int len = page.width() - 60 - (rng.bounded(4) == 0 ? rng.bounded(page.width() / 2) : 0);
        FillRect(img, QRect(page.left() + 30, y, len, 3), s.Ink.lighter(180));
        y += rng.bounded(7) == 0 ? 16 : 9;
    }
}

void DrawTable(QImage& img, QPainter& p, QRect area, const TScheme& s, QRandomGenerator& rng, bool chart) {
    FillRect(img, area, Qt::white);
    const int cell = 22;
    for (int x = area.left(); x < area.right(); x += 70) VLine(img, x, area.top(), area.bottom(), QColor(0xD0, 0xD3, 0xCC));
    for (int y = area.top(); y < area.bottom(); y += cell) HLine(img, area.left(), area.right(), y, QColor(0xD0, 0xD3, 0xCC));
    FillRect(img, QRect(area.left(), area.top(), area.width(), cell), s.Soft);
    for (int y = area.top() + cell; y < area.bottom() - cell; y += cell)
        for (int x = area.left(); x < area.right() - 70; x += 70)
            Text(p, x + 6, y + 16, QString::number(rng.bounded(10000) / 10.0, 'f', 1), Sans(12), s.Ink);
    if (!chart) return;
    QRect plot(area.center().x() - area.width() / 4, area.top() + 40, area.width() / 2, area.height() / 2);
    FillRect(img, plot, QColor(0xFB, 0xFB, 0xF8));
    Outline(img, plot, s.Ink);
    int bars = 8, bw = plot.width() / (bars * 2);
    for (int i = 0; i < bars; ++i) {
        int bh = 10 + rng.bounded(plot.height() - 20);
        FillRect(img, QRect(plot.left() + bw / 2 + i * 2 * bw, plot.bottom() - bh, bw, bh), i % 2 ? s.Accent : s.Accent.lighter(140));
    }
}

void DrawCode(QImage& img, QPainter& p, QRect area, const TScheme& s, QRandomGenerator& rng) {
    FillRect(img, area, QColor(0x1E, 0x22, 0x28));
    FillRect(img, QRect(area.left(), area.top(), 40, area.height()), QColor(0x2A, 0x2F, 0x37));
    static const char* words[] = {"procedure", "begin", "end;", "if", "then", "for", "var", ":=", "while", "result"};
    int line = 1;
    for (int y = area.top() + 16; y < area.bottom(); y += 16, ++line) {
        Text(p, area.left() + 6, y, QString::number(line), Sans(11), QColor(0x70, 0x78, 0x84));
        int x = area.left() + 50 + 16 * rng.bounded(4);
        for (int i = 0, n = 1 + rng.bounded(5); i < n && x < area.right() - 60; ++i) {
            QString word = QString::fromLatin1(words[rng.bounded(10)]);
            QColor c = i == 0 ? s.Accent.lighter(170) : QColor(0xD8, 0xDC, 0xE2);
            Text(p, x, y, word, Sans(12), c);
            x += TextWidth(word, Sans(12)) + 8;
        }
    }
}

void DrawPicture(QImage& img, QPainter& p, QRect area, const TScheme& s, QRandomGenerator& rng) {
    FillRect(img, area, QColor(0x60, 0x64, 0x60));
    QRect tools(area.left(), area.top(), 36, area.height());
    FillRect(img, tools, QColor(0xDA, 0xDA, 0xD2));
    for (int i = 0; i < 10; ++i) {
        QRect button(tools.left() + 4, tools.top() + 4 + i * 30, 28, 26);
        Bevel(img, button, Qt::white, QColor(0x80, 0x80, 0x7A));
    }
    QRect canvas(area.left() + 50, area.top() + 10, area.width() - 60, area.height() - 20);
    VGradient(img, canvas, Mix(s.Accent, Qt::white, 0.6), s.Paper);
    Smooth(p);
    for (int i = 0; i < 14; ++i) {
        QColor c = QColor::fromHsv(int(rng.bounded(360)), 90 + int(rng.bounded(120)), 140 + int(rng.bounded(110)));
        double r = 12 + rng.bounded(60);
        Dot(p, canvas.left() + rng.bounded(canvas.width()), canvas.top() + rng.bounded(canvas.height()), r, c);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
}

// A full-screen game: a playfield of its own kind, a score line.
void DrawGame(QImage& img, QPainter& p, const TDemoTitle& title, const TScheme& s, QRandomGenerator& rng) {
    const int w = img.width(), h = img.height();
    VGradient(img, QRect(0, 0, w, h), s.Accent.darker(300), QColor(0x05, 0x07, 0x0C));
    Smooth(p);
    switch (title.Scene) {
    case TScene::Space:
    case TScene::Stars:
        for (int i = 0; i < 180; ++i)
            Dot(p, rng.bounded(w), rng.bounded(h), 1 + rng.bounded(3), QColor(255, 255, 255, 120 + int(rng.bounded(135))));
        Dot(p, w * 0.7, h * 0.35, 120, s.Accent.lighter(130));
        break;
    case TScene::Maze:
    case TScene::Tiles:
    case TScene::Board: {
        int cell = 40;
        for (int y = 60; y + cell < h - 40; y += cell)
            for (int x = 40; x + cell < w - 40; x += cell) {
                bool dark = ((x + y) / cell + rng.bounded(title.Scene == TScene::Board ? 1 : 3)) % 2;
                FillRect(img, QRect(x, y, cell - 2, cell - 2), dark ? s.Accent.darker(160) : s.Soft);
            }
        break;
    }
    case TScene::Cards:
        for (int i = 0; i < 7; ++i) {
            QRect card(60 + i * (w - 160) / 7, h / 3 + (i % 2) * 30, 80, 115);
            FillRect(img, card, Qt::white);
            Outline(img, card, QColor(0x30, 0x30, 0x30));
            Text(p, card.left() + 8, card.top() + 24, QString::number(2 + rng.bounded(9)), Serif(20, true),
                 i % 2 ? QColor(0xB0, 0x20, 0x20) : Qt::black);
        }
        break;
    case TScene::Racing:
        FillRect(img, QRect(w / 3, 0, w / 3, h), QColor(0x40, 0x40, 0x44));
        for (int y = 0; y < h; y += 60) FillRect(img, QRect(w / 2 - 4, y, 8, 30), Qt::white);
        FillRect(img, QRect(w / 2 - 40, h - 160, 50, 90), s.Accent);
        break;
    case TScene::Underwater:
        VGradient(img, QRect(0, 0, w, h), QColor(0x10, 0x60, 0x90), QColor(0x04, 0x18, 0x30));
        for (int i = 0; i < 25; ++i) Dot(p, rng.bounded(w), rng.bounded(h), 6 + rng.bounded(10), QColor(200, 240, 255, 90));
        break;
    default: // a wall of bricks and a ball
        for (int row = 0; row < 6; ++row)
            for (int x = 20; x + 60 < w; x += 64)
                FillRect(img, QRect(x + (row % 2) * 20, 70 + row * 24, 58, 20), QColor::fromHsv((row * 50 + title.Seed * 7) % 360, 160, 220));
        FillRect(img, QRect(w / 2 - 50, h - 50, 100, 12), s.Soft);
        Dot(p, w / 2 + 30, h - 140, 14, Qt::white);
        break;
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    FillRect(img, QRect(0, 0, w, 34), QColor(0, 0, 0));
    Text(p, 16, 24, title.Title.toUpper(), Sans(18, true), s.Soft);
    QString score = QString::fromUtf8("ОЧКИ ") + QString::number(100 * (1 + rng.bounded(900)));
    Text(p, w - 20 - TextWidth(score, Sans(18, true)), 24, score, Sans(18, true), Qt::white);
}

bool IsGame(TScene scene) {
    switch (scene) {
    case TScene::Space: case TScene::Maze: case TScene::Board: case TScene::Cards: case TScene::Tiles:
    case TScene::Racing: case TScene::Underwater: case TScene::Breakout: case TScene::Stars:
        return true;
    default:
        return false;
    }
}

} // namespace

QImage DrawScreenshot(const TDemoTitle& title) {
    QImage img = Canvas(title.Shot.width(), title.Shot.height());
    QPainter p(&img);
    QRandomGenerator rng(quint32(title.Seed * 7919 + 17));
    TScheme s = SchemeFor(title.Seed);
    if (IsGame(title.Scene)) {
        DrawGame(img, p, title, s, rng);
        return img;
    }
    QRect area = DrawWindowFrame(img, p, title, s);
    switch (title.Scene) {
    case TScene::Paint: case TScene::PixelArt: case TScene::Photo: case TScene::Cad: case TScene::Atlas:
        DrawPicture(img, p, area, s, rng);
        break;
    case TScene::Table: case TScene::Calendar: case TScene::Periodic:
        DrawTable(img, p, area, s, rng, false);
        break;
    case TScene::Chart: case TScene::Player: case TScene::Waveform: case TScene::Keyboard:
        DrawTable(img, p, area, s, rng, true);
        break;
    case TScene::Code: case TScene::Hex:
        DrawCode(img, p, area, s, rng);
        break;
    default:
        DrawDocument(img, p, area, s, rng);
        break;
    }
    return img;
}

} // namespace art
