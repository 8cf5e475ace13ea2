#include "preview.h"

#include "art_kit.h"
#include "demo_disc.h"
#include "launcher_art.h"
#include "skin/bs_utils.h"
#include "skin_art.h"

#include <QFontMetrics>
#include <QTextLayout>

#include <algorithm>
#include <filesystem>

namespace art {

namespace {

// Draws the copies of a strip from the skin picture into dest at (x, y).
void Walk(QImage& dest, int x, int y, const QImage& skin, const TbsStrip& strip) {
    QPainter p(&dest);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (const TbsCopy& c : strip.Copies)
        p.drawImage(QPoint(x + c.Dest.Left, y + c.Dest.Top), skin,
                    QRect(c.Source.Left, c.Source.Top, c.Source.Right - c.Source.Left, c.Source.Bottom - c.Source.Top));
}

void VerticalBar(QImage& win, const QImage& skin, const QRect& bar, int first, int rows, int count) {
    const TRect skinRect{283, 5, 299, 89};
    Walk(win, bar.left(), bar.top(), skin, BuildVStrip(21, 84 - 33, bar.height(), skinRect));
    // The thumb, sized and placed as the bar does it for a page of `rows` out of `count`.
    const int trackTop = 18, trackLength = bar.height() - 18 - 18;
    const int length = std::max(22, int(std::lround(double(trackLength) * rows / count)));
    const double r = count > rows ? double(first) / (count - rows) : 0;
    const int half = length / 2, lo = trackTop + half, hi = trackTop + trackLength - half;
    const int centre = lo + int(std::lround((hi - lo) * r));
    Walk(win, bar.left() + 1, bar.top() + centre - half, skin, BuildVStrip(5, 5, length, TRect{230, 17, 244, 39}));
}

void List(QImage& win, const QImage& skin, const QRect& box, const QStringList& items, int current, bool withBar) {
    const TRect skinRect{115, 154, 182, 218};
    TbsStretchGeometry g = StretchGeometry({2, 2}, {57, 4}, {2, 62}, {57, 60}, TRect{1, 1, 66, 63}, 67, 64,
                                           box.width(), box.height());
    Walk(win, box.left(), box.top(), skin, BuildNinePatch(g, skinRect, true));
    QRect inner(box.left() + 1, box.top() + 1, box.width() - 2, box.height() - 2);
    if (withBar) {
        VerticalBar(win, skin, QRect(inner.right() - 15, inner.top(), 16, inner.height()), 0, inner.height() / 20,
                    int(items.size()));
        inner.setRight(inner.right() - 17);
    }
    QImage list = win.copy(inner);
    for (int i = 0; i < items.size() && i * 20 < inner.height(); ++i) {
        QImage item = Canvas(inner.width(), 22);
        Walk(item, 0, 0, skin, BuildHStrip(10, 5, inner.width(), TRect{187, 199, 241, 221}));
        QPainter p(&item);
        Smooth(p);
        const bool selected = i == current;
        const QFont f = Sans(selected ? 13 : 12, selected);
        p.setFont(f);
        p.setPen(selected ? ink::ItemGreen : QColor(Qt::black));
        p.drawText(QPointF(2, 1 + QFontMetrics(f).ascent()), items[i]);
        p.end();
        Blit(list, 0, i * 20, item);
    }
    Blit(win, inner.left(), inner.top(), list);
}

QStringList Wrap(const QString& text, const QFont& font, int width) {
    QStringList lines;
    QTextLayout layout(text, font);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}

QImage Window(int category, int title) {
    const QImage skin = DrawControls();
    QImage win = Canvas(800, 600);
    const QImage body = DrawBody();
    Blit(win, 0, 0, DrawBanner());
    Blit(win, 0, 100, body);
    const auto down = [](QRect r) { return r.translated(0, 100); };

    std::vector<TDemoCategory> cats = SortedDemoCatalogue();
    QStringList categories, titles;
    for (const TDemoCategory& c : cats) categories << c.Name;
    const TDemoCategory& shown = cats[std::size_t(category)];
    for (const TDemoTitle& t : shown.Titles) titles << t.Title;
    const TDemoTitle& chosen = shown.Titles[std::size_t(title)];

    List(win, skin, down(place::CategoryList), categories, category, categories.size() > 19);
    QRect titleBox = down(place::TitleList);
    if (titles.size() < 20) titleBox.setHeight(20 * int(titles.size()) + 2);
    List(win, skin, titleBox, titles, title, titles.size() > 19);

    if (titles.size() > 20) Blit(win, place::TitleMarker.x(), place::TitleMarker.y() + 100, DrawMarker());
    Blit(win, place::CategoryMarker.x(), place::CategoryMarker.y() + 100, DrawMarker());
    // The list boxes lie above the markers.
    List(win, skin, down(place::CategoryList), categories, category, categories.size() > 19);
    List(win, skin, titleBox, titles, title, titles.size() > 19);

    // Thumbnail, centred and cut to its frame, or the no-image panel.
    const QImage thumb = DemoThumbnail(chosen);
    if (thumb.isNull()) {
        Blit(win, place::NoImage.left(), place::NoImage.top() + 100, DrawNoImage(body));
    } else {
        const QRect pic = down(place::Thumbnail);
        QPainter p(&win);
        p.setClipRect(pic);
        p.drawImage(pic.left() + (pic.width() - thumb.width()) / 2, pic.top() + (pic.height() - thumb.height()) / 2, thumb);
    }

    // Description, with its bar when it does not fit.
    const QRect box = down(place::AboutBox);
    const QFont font = Sans(11);
    const QStringList lines = Wrap(chosen.About, font, 220);
    const int lineHeight = QFontMetrics(font).height();
    {
        QPainter p(&win);
        Smooth(p);
        p.setClipRect(box);
        p.setFont(font);
        p.setPen(Qt::black);
        for (int i = 0; i < lines.size(); ++i)
            p.drawText(QPointF(box.left() + 2, box.top() + 3 + i * lineHeight + QFontMetrics(font).ascent()), lines[i]);
    }
    const int textHeight = int(lines.size()) * lineHeight;
    if (textHeight + 3 > box.height())
        VerticalBar(win, skin, down(place::AboutBar), 0, box.height(), textHeight + 3);
    if (textHeight > 125) Blit(win, place::AboutMarker.x(), place::AboutMarker.y() + 100, DrawMarker());
    return win;
}

void Save(const QImage& img, const std::string& path, int scale = 1) {
    (scale == 1 ? img : img.scaled(img.width() * scale, img.height() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation))
        .save(QString::fromStdString(path));
}

} // namespace

void WritePreviews(const std::string& dir) {
    std::filesystem::create_directories(dir);
    const auto at = [&](const char* name) { return dir + "/" + name; };
    const QImage body = DrawBody();
    Save(DrawBanner(), at("banner.png"));
    Save(body, at("body.png"));
    Save(DrawNoImage(body), at("noimage.png"), 2);
    Save(DrawMarker(), at("marker.png"), 8);
    Save(DrawClose(), at("close.png"), 8);
    Save(DrawMinimise(), at("minimise.png"), 6);
    Save(DrawLink(), at("link.png"), 4);
    Save(DrawIcon(), at("icon.png"), 8);
    Save(DrawControls(), at("controls.png"), 3);
    Save(DrawFormFrame(), at("form.png"), 3);
    Save(DrawMenuItems(), at("menuitems.png"), 4);
    Save(DrawActiveParts(), at("active.png"), 4);
    Save(DrawPopupWindow(), at("popup.png"), 4);
    Save(DrawHintWindow(), at("hint.png"), 6);
    const std::vector<TDemoCategory> cats = SortedDemoCatalogue();
    for (std::size_t k = 0; k < cats.size(); ++k)
        for (std::size_t j = 0; j < cats[k].Titles.size(); ++j) {
            const TDemoTitle& t = cats[k].Titles[j];
            if (int(t.Scene) % 9 == 0 || t.Thumb != TThumb::Normal)
                Save(DemoScreenshot(t), dir + "/shot-" + std::to_string(int(t.Scene)) + "-" + std::to_string(t.Seed) + ".png");
        }
    // The whole window: the first category, then the biggest one, then a title without
    // a thumbnail and one with a long description.
    Save(Window(0, 0), at("window.png"));
    for (std::size_t k = 0; k < cats.size(); ++k)
        for (std::size_t j = 0; j < cats[k].Titles.size(); ++j) {
            const TDemoTitle& t = cats[k].Titles[j];
            if (t.Thumb == TThumb::Missing) Save(Window(int(k), int(j)), at("window-noimage.png"));
            if (t.About.size() > 600) Save(Window(int(k), int(j)), at("window-long.png"));
        }
}

} // namespace art
