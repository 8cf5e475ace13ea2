#include "brand_art.h"

#include "art_kit.h"
#include "bitmap_files.h"
#include "launcher_art.h"
#include "skin_art.h"

#include <QPainter>
#include <QPainterPath>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace art {

namespace {

// The publisher's palette: our greens turned to deep blues, our golds to reds.
QColor Recolour(const QColor& c) {
    int h, s, v, a;
    c.getHsv(&h, &s, &v, &a);
    if (h < 0) return c; // greys stay grey
    return QColor::fromHsv((h + 85) % 360, s, v, a);
}

QImage Recoloured(const QImage& image) {
    QImage result = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < result.height(); ++y)
        for (int x = 0; x < result.width(); ++x) result.setPixel(x, y, Recolour(result.pixel(x, y)).rgb());
    return result;
}

QImage DrawPublisherBanner() {
    QImage img = Canvas(800, 100);
    VGradient(img, QRect(0, 0, 800, 97), QColor(0x12, 0x2A, 0x4F), QColor(0x07, 0x12, 0x26));
    QPainter p(&img);
    Smooth(p);
    // Three quiet wind lines across the banner.
    for (int i = 0; i < 3; ++i) {
        QPainterPath wind;
        wind.moveTo(380, 30 + i * 18);
        wind.cubicTo(480, 10 + i * 18, 560, 55 + i * 18, 780, 25 + i * 18);
        p.strokePath(wind, QPen(QColor(0xB8, 0xD4, 0xF0, 40 - i * 8), 3));
    }
    const QFont title = Sans(44, true);
    const QString name = QString::fromUtf8("Северный ветер");
    Text(p, 150, 62, name, title, QColor(0xEE, 0xF4, 0xFA));
    Text(p, 152, 86, QString::fromUtf8("программы на каждый день"), Sans(16), QColor(0x9F, 0xC3, 0xE6));
    p.end();
    HLine(img, 0, 799, 97, QColor(0xD9, 0x5B, 0x43));
    HLine(img, 0, 799, 98, QColor(0x05, 0x0C, 0x1A));
    HLine(img, 0, 799, 99, QColor(0x05, 0x0C, 0x1A));
    return img;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

void WriteExampleBrand(const std::string& dir, const std::string& skinIni) {
    namespace fs = std::filesystem;
    fs::create_directories(dir + "/skin");
    const QImage body = DrawBody();
    Write24(dir + "/head.bmp", DrawPublisherBanner());
    Write24(dir + "/body.bmp", Recoloured(body));
    Write24(dir + "/noimage.bmp", Recoloured(DrawNoImage(body)));
    Recoloured(DrawIcon(64)).save(QString::fromStdString(dir + "/icon.png"));
    std::ofstream(dir + "/site.txt") << "https://severny-veter.example/discs/\n";

    // Our skin's pictures in the publisher's colours; the mask keeps its two colours.
    WriteSkinPictures(dir + "/skin");
    for (const char* name : {"main.bmp", "pw.bmp", "menuitems.bmp", "active.bmp", "controls.bmp", "hw.bmp"}) {
        std::string path = dir + "/skin/" + name;
        Write24(path, Recoloured(QImage(QString::fromStdString(path))));
    }
    std::string ini = ReadText(skinIni);
    const std::string ours = "skinname=Vitrina Slate";
    if (size_t at = ini.find(ours); at != std::string::npos) ini.replace(at, ours.size(), "skinname=Severny Veter");
    std::ofstream(dir + "/skin/skin.ini", std::ios::binary) << ini;
}

} // namespace art
