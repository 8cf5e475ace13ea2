#include "skin_art.h"

#include "art_kit.h"
#include "bitmap_files.h"

#include <QPainterPath>

#include <algorithm>

namespace art {

namespace {

// skin.ini's rectangles: left, top, right, bottom, the right and bottom excluded.
QRect R(int l, int t, int r, int b) { return QRect(l, t, r - l, b - t); }

enum class State { Normal, Hover, Pressed };

// The skin's own greys for faces and forms.
const QColor kFormFace(0xD3, 0xD8, 0xCF);
const QColor kFaceEdge(0x6F, 0x7C, 0x71);

struct TFaceInk {
    QColor Top, Middle, Bottom, Edge;
};

TFaceInk FaceInk(State s) {
    switch (s) {
    case State::Hover: return {QColor(0xF6, 0xFB, 0xF4), QColor(0xE3, 0xEF, 0xE1), QColor(0xC6, 0xDC, 0xC9), ink::ThumbDark};
    case State::Pressed: return {QColor(0xB7, 0xC2, 0xB3), QColor(0xC9, 0xD1, 0xC5), QColor(0xD9, 0xDF, 0xD5), ink::Frame};
    default: return {QColor(0xF3, 0xF5, 0xF0), QColor(0xE2, 0xE7, 0xDE), QColor(0xC4, 0xCC, 0xC0), kFaceEdge};
    }
}

// A rounded face whose gradient lives in its top and bottom `ends` rows, so its middle
// rows and columns repeat without seams.
void Face(QImage& img, const QRect& r, State s, double radius = 3, int ends = 5, const QColor& ground = kFormFace) {
    FillRect(img, r, ground);
    const TFaceInk f = FaceInk(s);
    QPainter p(&img);
    Smooth(p);
    QLinearGradient g(0, r.top(), 0, r.top() + r.height());
    const double e = std::min(0.45, double(ends) / r.height());
    g.setColorAt(0, f.Top);
    g.setColorAt(e, f.Middle);
    g.setColorAt(1 - e, f.Middle);
    g.setColorAt(1, f.Bottom);
    QPainterPath path;
    path.addRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.setPen(QPen(f.Edge, 1));
    p.setBrush(g);
    p.drawPath(path);
}

// Pixel arrows: rows (or columns) of 2, 4, 6 ... pixels, tip first, centred on (cx, cy)
// which lies between pixels.
void PixelArrow(QImage& img, double cx, double cy, Arrow dir, int steps, const QColor& c) {
    const int x0 = int(cx), y0 = int(cy);
    for (int i = 0; i < steps; ++i) {
        const int half = i + 1;
        const int along = i - steps / 2;
        switch (dir) {
        case Arrow::Up: HLine(img, x0 - half, x0 + half - 1, y0 + along, c); break;
        case Arrow::Down: HLine(img, x0 - half, x0 + half - 1, y0 - along - 1, c); break;
        case Arrow::Left: VLine(img, x0 + along, y0 - half, y0 + half - 1, c); break;
        case Arrow::Right: VLine(img, x0 - along - 1, y0 - half, y0 + half - 1, c); break;
        }
    }
}

// A dark scroll button with a light arrow.
void ScrollButton(QImage& img, const QRect& r, Arrow dir, State s, const QColor& ground) {
    FillRect(img, r, ground);
    QColor top = ink::ButtonLight, bottom = ink::ButtonDark, edge = ink::Frame;
    if (s == State::Hover) {
        top = QColor(0x5C, 0x8F, 0x6C);
        bottom = QColor(0x2F, 0x5E, 0x42);
    } else if (s == State::Pressed) {
        top = QColor(0x1F, 0x2A, 0x24);
        bottom = QColor(0x38, 0x48, 0x3E);
    }
    {
        QPainter p(&img);
        Smooth(p);
        QLinearGradient g(0, r.top(), 0, r.top() + r.height());
        g.setColorAt(0, top);
        g.setColorAt(1, bottom);
        QPainterPath path;
        path.addRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 2.5, 2.5);
        p.setPen(QPen(edge, 1));
        p.setBrush(g);
        p.drawPath(path);
    }
    const int shift = s == State::Pressed ? 1 : 0;
    const int steps = std::min(r.width(), r.height()) >= 14 ? 4 : 3;
    PixelArrow(img, r.left() + r.width() / 2.0 + shift, r.top() + r.height() / 2.0 + shift, dir, steps,
               QColor(0xE4, 0xEA, 0xE2));
}

// The trough a thumb runs in: edges along the bar, a groove down the middle. Every row
// (vertical) or column (horizontal) is the same, so any stretch of it repeats cleanly.
void Trough(QImage& img, const QRect& r, bool vertical) {
    FillRect(img, r, ink::Trough);
    const QColor groove = Mix(ink::Trough, ink::TroughEdge, 0.45);
    if (vertical) {
        VLine(img, r.left(), r.top(), r.bottom(), ink::TroughEdge);
        VLine(img, r.right(), r.top(), r.bottom(), ink::TroughEdge);
        const int mid = r.left() + r.width() / 2;
        VLine(img, mid - 1, r.top(), r.bottom(), groove);
        VLine(img, mid, r.top(), r.bottom(), groove);
    } else {
        HLine(img, r.left(), r.right(), r.top(), ink::TroughEdge);
        HLine(img, r.left(), r.right(), r.bottom(), ink::TroughEdge);
        const int mid = r.top() + r.height() / 2;
        HLine(img, r.left(), r.right(), mid - 1, groove);
        HLine(img, r.left(), r.right(), mid, groove);
    }
}

// A thumb: rounded ends, shaded across the bar so it stretches along it.
void Thumb(QImage& img, const QRect& r, bool vertical, State s, const QColor& ground) {
    FillRect(img, r, ground);
    QColor light = ink::ThumbLight, dark = ink::ThumbDark, edge = QColor(0x15, 0x3D, 0x26);
    if (s == State::Hover) {
        light = QColor(0x62, 0xA8, 0x78);
        dark = QColor(0x2C, 0x6E, 0x47);
    } else if (s == State::Pressed) {
        light = QColor(0x2C, 0x6A, 0x44);
        dark = QColor(0x17, 0x45, 0x2B);
    }
    QPainter p(&img);
    Smooth(p);
    QLinearGradient g = vertical ? QLinearGradient(r.left(), 0, r.left() + r.width(), 0)
                                 : QLinearGradient(0, r.top(), 0, r.top() + r.height());
    g.setColorAt(0, light);
    g.setColorAt(0.35, Mix(light, dark, 0.2));
    g.setColorAt(1, dark);
    QPainterPath path;
    path.addRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    p.setPen(QPen(edge, 1));
    p.setBrush(g);
    p.drawPath(path);
}

// A 1-pixel sunken frame: darker above and left, lighter below and right.
void SunkenFrame(QImage& img, const QRect& r) { Bevel(img, r, ink::WellEdgeDark, ink::WellEdgeLight); }
void RaisedFrame(QImage& img, const QRect& r) { Bevel(img, r, QColor(0xF0, 0xF3, 0xEE), ink::BodyShade); }

void CheckBox(QImage& img, const QRect& r, bool checked, bool radio) {
    FillRect(img, r, kFormFace);
    QPainter p(&img);
    Smooth(p);
    const QRectF box = QRectF(r).adjusted(1.5, 1.5, -1.5, -1.5);
    p.setPen(QPen(kFaceEdge, 1));
    p.setBrush(ink::Well);
    if (radio) p.drawEllipse(box);
    else p.drawRoundedRect(box, 2, 2);
    if (!checked) return;
    if (radio) {
        Dot(p, r.left() + 8, r.top() + 8, 6, ink::ThumbDark);
    } else {
        QPen tick(ink::ThumbDark, 2.2);
        tick.setCapStyle(Qt::RoundCap);
        tick.setJoinStyle(Qt::RoundJoin);
        p.setPen(tick);
        p.setBrush(Qt::NoBrush);
        QPolygonF mark;
        mark << QPointF(r.left() + 4.5, r.top() + 8.5) << QPointF(r.left() + 7, r.top() + 11)
             << QPointF(r.left() + 11.5, r.top() + 5);
        p.drawPolyline(mark);
    }
}

void ListParts(QImage& img) {
    // List frame 115,154 - 182,218: a 1-pixel sunken edge around the list's ground.
    const QRect frame = R(115, 154, 182, 218);
    FillRect(img, frame, ink::Well);
    SunkenFrame(img, frame);
    // Item background 187,199 - 241,221: the ground with a faint rule along row 19; rows
    // 20 and 21 lie under the next item. The rule stops 2 pixels short of each end.
    const QRect item = R(187, 199, 241, 221);
    FillRect(img, item, ink::Well);
    HLine(img, item.left() + 2, item.right() - 2, item.top() + 19, ink::WellRule);
    // Drop-down list item and grid cells.
    const QRect combo = R(183, 146, 283, 164);
    FillRect(img, combo, ink::Well);
    HLine(img, combo.left() + 2, combo.right() - 2, combo.bottom(), ink::WellRule);
    const QRect fixed = R(183, 165, 233, 184), selected = R(234, 165, 284, 184), focused = R(285, 165, 335, 184);
    Face(img, fixed, State::Normal, 0, 4);
    FillRect(img, selected, QColor(0xD4, 0xE6, 0xD7));
    Outline(img, selected, QColor(0xB4, 0xCC, 0xB8));
    FillRect(img, focused, QColor(0xD4, 0xE6, 0xD7));
    Outline(img, focused, ink::ThumbDark);
}

void ScrollParts(QImage& img) {
    const QColor ground = ink::Trough;
    // Vertical bar 283,5 - 299,89: the top button in rows 0-16, the bottom one in rows
    // 67-83, the trough between; only the trough's rows repeat.
    const QRect v = R(283, 5, 299, 89);
    Trough(img, v, true);
    ScrollButton(img, QRect(v.left(), v.top(), 16, 17), Arrow::Up, State::Normal, ground);
    ScrollButton(img, QRect(v.left(), v.top() + 67, 16, 17), Arrow::Down, State::Normal, ground);
    // Its thumb, 14 x 22.
    Thumb(img, R(230, 17, 244, 39), true, State::Normal, ground);

    // Horizontal bar 230,66 - 283,84, the corner-sharing one reaching to 301 (over the
    // vertical bar's end): 12 x 12 buttons at columns 2 and 39, the trough between.
    const QRect h = R(230, 66, 283, 84);
    Trough(img, h, false);
    VLine(img, h.right(), h.top(), h.bottom(), ink::TroughEdge);
    ScrollButton(img, QRect(h.left() + 2, h.top() + 3, 12, 12), Arrow::Left, State::Normal, ground);
    ScrollButton(img, QRect(h.left() + 39, h.top() + 3, 12, 12), Arrow::Right, State::Normal, ground);
    FillRect(img, R(299, 66, 301, 84), kFormFace);
    // Its thumb, 18 x 14, and the pressed buttons.
    Thumb(img, R(259, 7, 277, 21), false, State::Normal, ground);
    ScrollButton(img, R(230, 87, 242, 99), Arrow::Right, State::Pressed, ground);
    ScrollButton(img, R(230, 101, 242, 113), Arrow::Left, State::Pressed, ground);

    // Small bars: vertical 303,20 - 315,100 and horizontal 303,101 - 383,113, with their
    // thumbs (normal, hover, pressed) and pressed buttons.
    const QRect sv = R(303, 20, 315, 100);
    Trough(img, sv, true);
    ScrollButton(img, QRect(sv.left(), sv.top(), 12, 12), Arrow::Up, State::Normal, ground);
    ScrollButton(img, QRect(sv.left(), sv.bottom() - 11, 12, 12), Arrow::Down, State::Normal, ground);
    const QRect sh = R(303, 101, 383, 113);
    Trough(img, sh, false);
    ScrollButton(img, QRect(sh.left(), sh.top(), 12, 12), Arrow::Left, State::Normal, ground);
    ScrollButton(img, QRect(sh.right() - 11, sh.top(), 12, 12), Arrow::Right, State::Normal, ground);
    Thumb(img, R(316, 20, 326, 40), true, State::Normal, ground);
    Thumb(img, R(327, 20, 337, 40), true, State::Hover, ground);
    Thumb(img, R(338, 20, 348, 40), true, State::Pressed, ground);
    Thumb(img, R(349, 20, 369, 30), false, State::Normal, ground);
    Thumb(img, R(349, 31, 369, 41), false, State::Hover, ground);
    Thumb(img, R(349, 42, 369, 52), false, State::Pressed, ground);
    ScrollButton(img, R(316, 48, 328, 60), Arrow::Down, State::Pressed, ground);
    ScrollButton(img, R(316, 61, 328, 73), Arrow::Up, State::Pressed, ground);
    ScrollButton(img, R(329, 48, 341, 60), Arrow::Right, State::Pressed, ground);
    ScrollButton(img, R(329, 61, 341, 73), Arrow::Left, State::Pressed, ground);
}

void ButtonParts(QImage& img) {
    Face(img, R(0, 0, 72, 25), State::Normal);
    Face(img, R(73, 0, 145, 25), State::Hover);
    Face(img, R(146, 0, 218, 25), State::Pressed);
    Face(img, R(0, 26, 24, 51), State::Normal);
    Face(img, R(25, 26, 49, 51), State::Hover);
    Face(img, R(50, 26, 74, 51), State::Pressed);
    // Edit frames: normal and focused.
    for (const QRect& r : {R(76, 26, 152, 48), R(152, 26, 228, 48)}) {
        FillRect(img, r, ink::Well);
        Outline(img, r, kFormFace);
        Outline(img, r.adjusted(1, 1, -1, -1), r.left() == 76 ? ink::WellEdgeDark : ink::ThumbDark);
    }
    // Edit buttons: normal, hover, pressed.
    const State states[] = {State::Normal, State::Hover, State::Pressed};
    for (int i = 0; i < 3; ++i) {
        const QRect r(18 * i, 51, 18, 21);
        Face(img, r, states[i], 2, 4);
        PixelArrow(img, r.left() + 9 + (i == 2), r.top() + 10.5 + (i == 2), Arrow::Down, 3, ink::Frame);
    }
    // Check box and radio button backgrounds: normal, hover.
    FillRect(img, R(55, 51, 135, 67), kFormFace);
    FillRect(img, R(135, 51, 215, 67), Mix(kFormFace, Qt::white, 0.35));
    CheckBox(img, R(0, 73, 16, 89), true, false);
    CheckBox(img, R(17, 73, 33, 89), false, false);
    CheckBox(img, R(34, 73, 50, 89), true, true);
    CheckBox(img, R(51, 73, 67, 89), false, true);
    // Check list marks, 14 x 14.
    {
        QImage mark = Canvas(16, 16, kFormFace);
        CheckBox(mark, QRect(0, 0, 16, 16), true, false);
        Blit(img, 303, 0, mark.copy(1, 1, 14, 14));
        mark = Canvas(16, 16, kFormFace);
        CheckBox(mark, QRect(0, 0, 16, 16), false, false);
        Blit(img, 317, 0, mark.copy(1, 1, 14, 14));
    }
    // Up-down: the pair, then hover and pressed halves; the side-by-side pair.
    Face(img, R(69, 73, 85, 89), State::Normal, 2, 3);
    Face(img, R(69, 89, 85, 105), State::Normal, 2, 3);
    Face(img, R(86, 73, 102, 89), State::Hover, 2, 3);
    Face(img, R(86, 89, 102, 105), State::Hover, 2, 3);
    Face(img, R(103, 73, 119, 89), State::Pressed, 2, 3);
    Face(img, R(103, 89, 119, 105), State::Pressed, 2, 3);
    for (int x : {69, 86, 103}) {
        PixelArrow(img, x + 8, 73 + 8, Arrow::Up, 3, ink::Frame);
        PixelArrow(img, x + 8, 89 + 8, Arrow::Down, 3, ink::Frame);
    }
    Face(img, R(120, 73, 136, 89), State::Normal, 2, 3);
    Face(img, R(136, 73, 152, 89), State::Normal, 2, 3);
    PixelArrow(img, 128, 81, Arrow::Left, 3, ink::Frame);
    PixelArrow(img, 144, 81, Arrow::Right, 3, ink::Frame);
}

void GaugeParts(QImage& img) {
    // Horizontal progress: frame, then the fill below it.
    const QRect frame = R(153, 73, 229, 91), fill = R(153, 92, 229, 104);
    FillRect(img, frame, ink::Well);
    SunkenFrame(img, frame);
    Outline(img, frame.adjusted(1, 1, -1, -1), Mix(ink::Well, ink::WellEdgeLight, 0.5));
    VGradient(img, fill, ink::ThumbLight, ink::ThumbDark);
    // Vertical progress: frame and fill.
    const QRect vframe = R(0, 91, 18, 146), vfill = R(19, 91, 31, 146);
    FillRect(img, vframe, ink::Well);
    SunkenFrame(img, vframe);
    HGradient(img, vfill, ink::ThumbLight, ink::ThumbDark);
    // Track bars: a groove with its thumbs, normal and hover.
    const QRect track = R(33, 106, 133, 126);
    FillRect(img, track, kFormFace);
    SunkenFrame(img, QRect(track.left() + 6, track.top() + 8, track.width() - 12, 4));
    Thumb(img, R(134, 106, 146, 126), true, State::Normal, kFormFace);
    Thumb(img, R(147, 106, 159, 126), true, State::Hover, kFormFace);
    const QRect vtrack = R(160, 106, 180, 146);
    FillRect(img, vtrack, kFormFace);
    SunkenFrame(img, QRect(vtrack.left() + 8, vtrack.top() + 6, 4, vtrack.height() - 12));
    Thumb(img, R(181, 106, 195, 118), false, State::Normal, kFormFace);
    Thumb(img, R(181, 119, 195, 131), false, State::Hover, kFormFace);
    FillRect(img, R(181, 131, 196, 146), kFormFace);
    // Splitters.
    const QRect split = R(33, 127, 133, 132), vsplit = R(196, 106, 201, 146);
    FillRect(img, split, kFormFace);
    HLine(img, split.left(), split.right(), split.top() + 1, QColor(0xF0, 0xF3, 0xEE));
    HLine(img, split.left(), split.right(), split.top() + 3, ink::BodyShade);
    FillRect(img, vsplit, kFormFace);
    VLine(img, vsplit.left() + 1, vsplit.top(), vsplit.bottom(), QColor(0xF0, 0xF3, 0xEE));
    VLine(img, vsplit.left() + 3, vsplit.top(), vsplit.bottom(), ink::BodyShade);
}

void DescriptionBoxParts(QImage& img) {
    // 1,146 - 97,226: two pixels of frame around the description's ground.
    const QRect box = R(1, 146, 97, 226);
    FillRect(img, box, ink::Well);
    Outline(img, box, ink::Frame);
    Outline(img, box.adjusted(1, 1, -1, -1), ink::WellEdgeLight);
}

void PanelParts(QImage& img) {
    // Panel, group box, roll-up panel.
    const QRect panel = R(0, 228, 100, 308);
    FillRect(img, panel, kFormFace);
    RaisedFrame(img, panel);
    Bevel(img, panel.adjusted(2, 2, -2, -2), ink::BodyShade, QColor(0xF0, 0xF3, 0xEE));
    const QRect group = R(101, 228, 201, 308);
    FillRect(img, group, kFormFace);
    Outline(img, QRect(group.left() + 1, group.top() + 8, group.width() - 2, group.height() - 9), ink::BodyShade);
    const QRect ex = R(202, 228, 302, 328);
    FillRect(img, ex, kFormFace);
    Outline(img, ex, ink::Frame);
    VGradient(img, QRect(ex.left() + 1, ex.top() + 1, ex.width() - 2, 17), ink::BannerTop, ink::BannerBottom);
    const QRect rollH = R(303, 228, 383, 246), rollV = R(303, 247, 321, 347);
    VGradient(img, rollH, ink::BannerTop, ink::BannerBottom);
    Outline(img, rollH, ink::Frame);
    HGradient(img, rollV, ink::BannerTop, ink::BannerBottom);
    Outline(img, rollV, ink::Frame);
    // Its buttons: close, roll, restore (both ways), each normal, hover, pressed.
    const Arrow glyphs[] = {Arrow::Up, Arrow::Up, Arrow::Down, Arrow::Left, Arrow::Right};
    for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 3; ++col) {
            const QRect r(322 + 15 * col, 247 + 15 * row, 14, 14);
            ScrollButton(img, r, glyphs[row], col == 0 ? State::Normal : col == 1 ? State::Hover : State::Pressed,
                         kFormFace);
            if (row == 0) {
                // The close button carries a cross instead of an arrow.
                const QRect inner = r.adjusted(2, 2, -2, -2);
                VGradient(img, inner, col == 2 ? QColor(0x1F, 0x2A, 0x24) : ink::ButtonLight,
                          col == 2 ? QColor(0x38, 0x48, 0x3E) : ink::ButtonDark);
                QPainter p(&img);
                Smooth(p);
                QPen pen(QColor(0xE4, 0xEA, 0xE2), 1.6);
                p.setPen(pen);
                const QPointF c = QRectF(r).center();
                p.drawLine(c + QPointF(-3, -3), c + QPointF(3, 3));
                p.drawLine(c + QPointF(3, -3), c + QPointF(-3, 3));
            }
        }
    // Status bar and its panel.
    const QRect status = R(0, 309, 120, 329), statusPanel = R(121, 309, 181, 329);
    FillRect(img, status, kFormFace);
    RaisedFrame(img, status);
    FillRect(img, statusPanel, kFormFace);
    SunkenFrame(img, statusPanel.adjusted(1, 1, -1, -1));
    // Tab page and the tab control: tabs normal, active, focused, the band behind them.
    const QRect sheet = R(0, 330, 100, 410);
    FillRect(img, sheet, Mix(kFormFace, Qt::white, 0.4));
    Outline(img, sheet, ink::BodyShade);
    const QRect tabs = R(223, 330, 303, 410);
    FillRect(img, tabs, Mix(kFormFace, Qt::white, 0.4));
    Outline(img, tabs, ink::BodyShade);
    Face(img, R(101, 330, 161, 350), State::Normal, 3, 5);
    Face(img, R(162, 330, 222, 350), State::Hover, 3, 5);
    Face(img, R(101, 351, 161, 371), State::Pressed, 3, 5);
    FillRect(img, R(101, 372, 201, 392), kFormFace);
    HLine(img, 101, 200, 391, ink::BodyShade);
    // Combo box: frame with its button, then the button hover and pressed.
    const QRect combo = R(304, 348, 383, 370);
    FillRect(img, combo, ink::Well);
    Outline(img, combo, kFormFace);
    Outline(img, combo.adjusted(1, 1, -1, -1), ink::WellEdgeDark);
    const QRect comboButton(combo.left() + 61, combo.top() + 2, 16, 18);
    Face(img, comboButton, State::Normal, 2, 4, ink::Well);
    PixelArrow(img, comboButton.left() + 8, comboButton.top() + 9, Arrow::Down, 3, ink::Frame);
    Face(img, R(304, 371, 320, 389), State::Hover, 2, 4, ink::Well);
    PixelArrow(img, 312, 380, Arrow::Down, 3, ink::Frame);
    Face(img, R(321, 371, 337, 389), State::Pressed, 2, 4, ink::Well);
    PixelArrow(img, 330, 381, Arrow::Down, 3, ink::Frame);
    // Menu bar, drawn after the tab control whose picture it shares.
    const QRect menu = R(202, 390, 383, 410);
    VGradient(img, menu, Mix(kFormFace, Qt::white, 0.5), kFormFace);
    HLine(img, menu.left(), menu.right(), menu.bottom(), ink::BodyShade);
    // Control bar and tool bar with their items.
    const QRect bar = R(0, 411, 120, 421);
    VGradient(img, bar, Mix(kFormFace, Qt::white, 0.5), kFormFace);
    const QRect barItem = R(121, 411, 161, 421), toolItem = R(162, 411, 202, 421);
    Face(img, barItem, State::Normal, 2, 3);
    Face(img, toolItem, State::Hover, 2, 3);
}

} // namespace

QImage DrawControls() {
    QImage img = Canvas(384, 421, kFormFace);
    ButtonParts(img);
    GaugeParts(img);
    DescriptionBoxParts(img);
    ListParts(img);
    PanelParts(img);
    ScrollParts(img);
    return img;
}

QImage DrawFormFrame() {
    QImage img = Canvas(207, 138, kFormFace);
    // Caption: rows 0-24; the frame 5 pixels wide; a menu band in rows 25-40.
    VGradient(img, QRect(0, 0, 207, 25), ink::BannerTop, ink::BannerBottom);
    FillRect(img, QRect(0, 25, 5, 113), ink::BannerBottom);
    FillRect(img, QRect(202, 25, 5, 113), ink::BannerBottom);
    FillRect(img, QRect(0, 133, 207, 5), ink::BannerBottom);
    Outline(img, img.rect(), ink::Frame);
    HLine(img, 5, 201, 24, ink::Frame);
    VGradient(img, QRect(5, 25, 197, 16), Mix(kFormFace, Qt::white, 0.5), kFormFace);
    QPainter p(&img);
    Smooth(p);
    SightEmblem(p, QPointF(14, 12), 4.5, 1.4, ink::PaleGreen);
    // Inactive caption buttons: roll-up, minimise, maximise, close.
    p.end();
    const Arrow glyphs[] = {Arrow::Up, Arrow::Down, Arrow::Up};
    for (int i = 0; i < 3; ++i) ScrollButton(img, QRect(138 + 16 * i, 5, 14, 14), glyphs[i], State::Normal, ink::BannerMid);
    ScrollButton(img, QRect(186, 5, 14, 14), Arrow::Up, State::Normal, ink::BannerMid);
    FillRect(img, QRect(188, 7, 10, 10), ink::ButtonDark);
    QPainter q(&img);
    Smooth(q);
    q.setPen(QPen(QColor(0xE4, 0xEA, 0xE2), 1.6));
    q.drawLine(QPointF(189.5, 8.5), QPointF(196.5, 15.5));
    q.drawLine(QPointF(196.5, 8.5), QPointF(189.5, 15.5));
    // The logo object in the lower left.
    SightEmblem(q, QPointF(24, 122), 6, 1.6, ink::ThumbDark);
    return img;
}

std::vector<bool> FormMask() {
    const int w = 207, h = 138;
    std::vector<bool> white(std::size_t(w) * h, false);
    // Rounded top corners: a radius of 5 cut out.
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
            const double dx = 4.5 - x, dy = 4.5 - y;
            if (dx * dx + dy * dy > 25) {
                white[std::size_t(y) * w + x] = true;
                white[std::size_t(y) * w + (w - 1 - x)] = true;
            }
        }
    return white;
}

QImage DrawPopupWindow() {
    QImage img = Canvas(76, 51, ink::Well);
    Outline(img, img.rect(), ink::Frame);
    Outline(img, img.rect().adjusted(1, 1, -1, -1), ink::WellEdgeLight);
    Outline(img, img.rect().adjusted(2, 2, -2, -2), ink::Well);
    return img;
}

QImage DrawMenuItems() {
    QImage img = Canvas(78, 99, ink::Well);
    // Popup item: normal, hover (a soft green bar), divider.
    Face(img, QRect(0, 20, 78, 20), State::Hover, 3, 4, ink::Well);
    HLine(img, 4, 73, 42, ink::WellEdgeDark);
    HLine(img, 4, 73, 43, Qt::white);
    // Menu bar item: normal, hover, pressed.
    VGradient(img, QRect(0, 46, 78, 18), Mix(kFormFace, Qt::white, 0.5), kFormFace);
    Face(img, QRect(0, 64, 78, 18), State::Hover, 3, 4, kFormFace);
    FillRect(img, QRect(0, 82, 78, 17), ink::ThumbDark);
    VGradient(img, QRect(1, 83, 76, 15), ink::ThumbLight, ink::ThumbDark);
    return img;
}

QImage DrawActiveParts() {
    QImage img = Canvas(167, 68, ink::BannerMid);
    // The active caption, 147 x 24: brighter than the inactive one.
    VGradient(img, QRect(0, 0, 147, 24), QColor(0x2A, 0x66, 0x43), ink::BannerBottom);
    HLine(img, 0, 146, 0, QColor(0x4F, 0x8F, 0x64));
    FillRect(img, QRect(147, 0, 20, 24), ink::BannerBottom);
    // Caption buttons, hover row then pressed row: close, maximise, restore, minimise,
    // system menu, roll-up; then the menu bar's close, minimise, maximise in three rows.
    const Arrow glyphs[] = {Arrow::Up, Arrow::Up, Arrow::Left, Arrow::Down, Arrow::Right, Arrow::Up};
    for (int row = 0; row < 2; ++row)
        for (int i = 0; i < 6; ++i)
            ScrollButton(img, QRect(14 * i, 24 + 14 * row, 14, 14), glyphs[i], row == 0 ? State::Hover : State::Pressed,
                         ink::BannerMid);
    const Arrow barGlyphs[] = {Arrow::Up, Arrow::Down, Arrow::Up};
    for (int row = 0; row < 3; ++row)
        for (int i = 0; i < 3; ++i)
            ScrollButton(img, QRect(98 + 14 * i, 24 + 14 * row, 14, 14), barGlyphs[i],
                         row == 0 ? State::Normal : row == 1 ? State::Hover : State::Pressed, ink::BannerMid);
    return img;
}

QImage DrawHintWindow() {
    QImage img = Canvas(42, 21, QColor(0xFB, 0xF8, 0xE8));
    Outline(img, img.rect(), ink::Frame);
    Outline(img, img.rect().adjusted(1, 1, -1, -1), QColor(0xE6, 0xDF, 0xC2));
    // A faint warm shading toward the bottom, in the fixed rows only.
    HLine(img, 2, 39, 18, QColor(0xF1, 0xEC, 0xD6));
    return img;
}

void WriteSkinPictures(const std::string& dir) {
    const auto at = [&](const char* name) { return dir + "/" + name; };
    // Palette sizes: the skin is known by them.
    WriteIndexed(at("main.bmp"), Quantise(DrawFormFrame(), 163), 8);
    WriteMask(at("mainmask.bmp"), FormMask(), 207, 138);
    WriteIndexed(at("pw.bmp"), Quantise(DrawPopupWindow(), 36), 8);
    WriteIndexed(at("menuitems.bmp"), Quantise(DrawMenuItems(), 149), 8);
    WriteIndexed(at("active.bmp"), Quantise(DrawActiveParts(), 213), 8);
    Write24(at("controls.bmp"), DrawControls());
    WriteIndexed(at("hw.bmp"), Quantise(DrawHintWindow(), 256), 8);
}

} // namespace art
