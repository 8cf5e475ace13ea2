#include "bitmap_files.h"

#include "pictures/bitmap.h"
#include "platform/stream.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <stdexcept>

namespace art {

namespace {

struct TEntry {
    QRgb Colour;
    std::int64_t Count;
};

int Channel(QRgb c, int ch) { return ch == 0 ? qRed(c) : ch == 1 ? qGreen(c) : qBlue(c); }

struct TBox {
    std::vector<TEntry> Entries;
    int Widest = 0;
    int Range = 0;
    std::int64_t Weight = 0;

    void Measure() {
        Weight = 0;
        Range = -1;
        for (int ch = 0; ch < 3; ++ch) {
            int lo = 255, hi = 0;
            for (const TEntry& e : Entries) {
                lo = std::min(lo, Channel(e.Colour, ch));
                hi = std::max(hi, Channel(e.Colour, ch));
            }
            if (hi - lo > Range) {
                Range = hi - lo;
                Widest = ch;
            }
        }
        for (const TEntry& e : Entries) Weight += e.Count;
    }
    QRgb Representative() const {
        return std::max_element(Entries.begin(), Entries.end(), [](const TEntry& a, const TEntry& b) {
                   return a.Count < b.Count || (a.Count == b.Count && a.Colour > b.Colour);
               })->Colour;
    }
};

int Distance(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

void ToBitmap(const TIndexedImage& indexed, int bits, TBitmap& bmp) {
    bmp.SetPixelFormat(bits == 1 ? pf1bit : bits == 4 ? pf4bit : pf8bit);
    bmp.SetSize(indexed.Width, indexed.Height);
    std::vector<TColor> palette;
    for (QRgb c : indexed.Palette) palette.push_back(RGB(qRed(c), qGreen(c), qBlue(c)));
    bmp.SetPalette(palette);
    for (int y = 0; y < indexed.Height; ++y) {
        std::uint8_t* row = bmp.ScanLine(y);
        const std::uint8_t* src = &indexed.Indices[std::size_t(y) * indexed.Width];
        if (bits == 1) {
            std::memset(row, 0, std::size_t((indexed.Width + 7) / 8));
            for (int x = 0; x < indexed.Width; ++x)
                if (src[x]) row[x / 8] |= std::uint8_t(0x80 >> (x % 8));
        } else {
            std::memcpy(row, src, std::size_t(indexed.Width));
        }
    }
}

void Save(const std::string& path, TBitmap& bmp) {
    TFileStream stream(path, fmCreate);
    bmp.SaveToStream(stream);
}

} // namespace

TIndexedImage Quantise(const QImage& source, int colours) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    std::map<QRgb, std::int64_t> histogram;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) ++histogram[line[x] | 0xFF000000u];
    }

    std::vector<QRgb> palette;
    if (int(histogram.size()) <= colours) {
        for (const auto& [c, n] : histogram) palette.push_back(c);
    } else {
        std::vector<TBox> boxes(1);
        for (const auto& [c, n] : histogram) boxes[0].Entries.push_back({c, n});
        boxes[0].Measure();
        while (int(boxes.size()) < colours) {
            // Split the box whose spread costs most: its widest range times its weight.
            int pick = -1;
            double worst = 0;
            for (int i = 0; i < int(boxes.size()); ++i) {
                if (boxes[i].Entries.size() < 2) continue;
                const double cost = double(boxes[i].Range) * double(boxes[i].Weight);
                if (pick < 0 || cost > worst) {
                    pick = i;
                    worst = cost;
                }
            }
            if (pick < 0) break;
            TBox& box = boxes[pick];
            const int ch = box.Widest;
            std::stable_sort(box.Entries.begin(), box.Entries.end(), [ch](const TEntry& a, const TEntry& b) {
                return Channel(a.Colour, ch) < Channel(b.Colour, ch);
            });
            std::int64_t half = box.Weight / 2, sum = 0;
            std::size_t cut = 1;
            for (std::size_t i = 0; i + 1 < box.Entries.size(); ++i) {
                sum += box.Entries[i].Count;
                cut = i + 1;
                if (sum >= half) break;
            }
            TBox other;
            other.Entries.assign(box.Entries.begin() + std::ptrdiff_t(cut), box.Entries.end());
            box.Entries.resize(cut);
            box.Measure();
            other.Measure();
            boxes.push_back(std::move(other));
        }
        std::set<QRgb> seen;
        for (const TBox& box : boxes)
            if (seen.insert(box.Representative()).second) palette.push_back(box.Representative());
    }

    // Unused entries get distinct colours of their own, so the palette has no repeats.
    std::set<QRgb> used(palette.begin(), palette.end());
    for (int level = 0; int(palette.size()) < colours; ++level) {
        const int v = (level * 37) % 256, w = (level * 11 + 128) % 256;
        const QRgb c = qRgb(v, w, (v + w) / 2);
        if (used.insert(c).second) palette.push_back(c);
    }
    if (int(palette.size()) != colours) throw std::logic_error("palette size");

    TIndexedImage out;
    out.Width = image.width();
    out.Height = image.height();
    out.Palette = palette;
    out.Indices.resize(std::size_t(out.Width) * out.Height);
    std::map<QRgb, std::uint8_t> nearest;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = line[x] | 0xFF000000u;
            auto it = nearest.find(c);
            if (it == nearest.end()) {
                int best = 0;
                for (int i = 1; i < int(palette.size()); ++i)
                    if (Distance(c, palette[i]) < Distance(c, palette[best])) best = i;
                it = nearest.emplace(c, std::uint8_t(best)).first;
            }
            out.Indices[std::size_t(y) * out.Width + x] = it->second;
        }
    }
    return out;
}

QImage Expand(const TIndexedImage& indexed) {
    QImage img(indexed.Width, indexed.Height, QImage::Format_RGB32);
    for (int y = 0; y < indexed.Height; ++y)
        for (int x = 0; x < indexed.Width; ++x)
            img.setPixel(x, y, indexed.Palette[indexed.Indices[std::size_t(y) * indexed.Width + x]]);
    return img;
}

void Write24(const std::string& path, const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    TBitmap bmp;
    bmp.SetPixelFormat(pf24bit);
    bmp.SetSize(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        std::uint8_t* row = bmp.ScanLine(y);
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            row[3 * x] = std::uint8_t(qBlue(line[x]));
            row[3 * x + 1] = std::uint8_t(qGreen(line[x]));
            row[3 * x + 2] = std::uint8_t(qRed(line[x]));
        }
    }
    Save(path, bmp);
}

void WriteIndexed(const std::string& path, const TIndexedImage& indexed, int bits) {
    TBitmap bmp;
    ToBitmap(indexed, bits, bmp);
    Save(path, bmp);
}

void WriteMask(const std::string& path, const std::vector<bool>& white, int width, int height) {
    TIndexedImage mask;
    mask.Width = width;
    mask.Height = height;
    mask.Palette = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    for (bool w : white) mask.Indices.push_back(w ? 1 : 0);
    WriteIndexed(path, mask, 1);
}

void WriteIcon(const std::string& path, const TIndexedImage& indexed) {
    TBitmap bmp;
    ToBitmap(indexed, 4, bmp);
    TMemoryStream dib;
    bmp.SaveToStream(dib);
    // An icon's image is the bitmap file without its 14-byte file header, its height
    // counted twice (colour rows, then the transparency mask), the mask appended.
    std::vector<std::uint8_t> image(dib.Bytes().begin() + 14, dib.Bytes().end());
    const int w = indexed.Width, h = indexed.Height;
    for (int i = 0; i < 4; ++i) image[std::size_t(8 + i)] = std::uint8_t((2 * h) >> (8 * i));
    const int maskStride = ((w + 31) / 32) * 4;
    image.insert(image.end(), std::size_t(maskStride) * h, 0);

    std::vector<std::uint8_t> file;
    auto put16 = [&](int v) { file.push_back(std::uint8_t(v)); file.push_back(std::uint8_t(v >> 8)); };
    auto put32 = [&](std::uint32_t v) { put16(int(v & 0xFFFF)); put16(int(v >> 16)); };
    put16(0);
    put16(1); // an icon
    put16(1); // one image
    file.push_back(std::uint8_t(w));
    file.push_back(std::uint8_t(h));
    file.push_back(16); // colours
    file.push_back(0);
    put16(1);  // planes
    put16(4);  // bits per pixel
    put32(std::uint32_t(image.size()));
    put32(6 + 16);
    file.insert(file.end(), image.begin(), image.end());

    TFileStream stream(path, fmCreate);
    stream.WriteBuffer(file.data(), std::int64_t(file.size()));
}

} // namespace art
