#include "toolkit/font_metrics.h"

#include "toolkit/carried_files.h"
#include "toolkit/qt_bridge.h"

#include <QFontMetrics>
#include <QFontMetricsF>

#include <cctype>
#include <cmath>
#include <map>
#include <tuple>
#include <unordered_map>

namespace {

std::string Lower(const std::string& text) {
    std::string result = text;
    for (char& c : result) c = char(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

QFont FamilyFont(const TFont& font, int pixelSize) {
    std::string family = ResolveFontFamily(font.Name());
    UseCarriedFace(family, font.Style() & fsBold, font.Style() & fsItalic);
    QFont qfont(QString::fromStdString(family));
    qfont.setPixelSize(std::max(1, pixelSize));
    qfont.setBold(font.Style() & fsBold);
    qfont.setItalic(font.Style() & fsItalic);
    qfont.setUnderline(font.Style() & fsUnderline);
    qfont.setStrikeOut(font.Style() & fsStrikeOut);
    qfont.setHintingPreference(QFont::PreferFullHinting);
    qfont.setKerning(false);
    return qfont;
}

TTextMetric MetricAt(const QFont& qfont) {
    QFontMetricsF metrics(qfont);
    return {int(std::ceil(metrics.ascent() - 0.01)), int(std::ceil(metrics.descent() - 0.01))};
}

// The default logical height, as the stored forms use it.
constexpr int DefaultEmPixels = 11;

} // namespace

std::string ResolveFontFamily(const std::string& faceName) {
    static const std::map<std::string, std::string> families = {
        {"times new roman", "Liberation Serif"}, {"times", "Liberation Serif"},
        {"ms serif", "Liberation Serif"},        {"courier new", "Liberation Mono"},
        {"courier", "Liberation Mono"},          {"fixedsys", "Liberation Mono"},
        {"lucida console", "Liberation Mono"},
    };
    auto found = families.find(Lower(faceName));
    return found != families.end() ? found->second : "Liberation Sans";
}

int FontPixelSize(const TFont& font) {
    if (font.Height() < 0) return -font.Height();
    if (font.Height() == 0) return DefaultEmPixels;
    // A positive height names the cell: take the largest em whose cell fits in it.
    using Key = std::tuple<std::string, TFontStyles, int>;
    static std::map<Key, int> cache;
    Key key{ResolveFontFamily(font.Name()), TFontStyles(font.Style() & fsBold), font.Height()};
    if (auto found = cache.find(key); found != cache.end()) return found->second;
    int em = font.Height();
    while (em > 1 && MetricAt(FamilyFont(font, em)).Height() > font.Height()) --em;
    cache.emplace(key, em);
    return em;
}

TTextMetric FontTextMetric(const TFont& font) { return MetricAt(ToQFont(font)); }

int FontTextWidth(const TFont& font, std::string_view cp1251Text) {
    // Lists measure the same few texts in the same few fonts at every paint.
    static std::unordered_map<std::string, int> widths;
    std::string key = font.Name();
    key += '\0';
    key += std::to_string(font.Height());
    key += char('0' + font.Style());
    key += '\0';
    key += cp1251Text;
    if (auto found = widths.find(key); found != widths.end()) return found->second;
    int width = QFontMetrics(ToQFont(font)).horizontalAdvance(ToQString(cp1251Text));
    if (widths.size() >= 8192) widths.clear();
    widths.emplace(std::move(key), width);
    return width;
}

int FontAverageCharWidth(const TFont& font) { return QFontMetrics(ToQFont(font)).averageCharWidth(); }

QFont ToQFont(const TFont& font) { return FamilyFont(font, FontPixelSize(font)); }
