#include "toolkit/label.h"

#include "toolkit/canvas.h"
#include "toolkit/font_metrics.h"
#include "toolkit/win_control.h"

#include <algorithm>

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle(ControlStyle() | csOpaque);
    SetParentColor(true);
    StoreBounds(0, 0, 65, 17);
    // Sized to its text once it has one (a change of text or font, or the end of
    // loading), not here: measuring needs the fonts, which may still be loading.
    StoreAutoSize(true);
}

TTextLayoutOptions TLabel::LayoutOptions(int width) const {
    TTextLayoutOptions options;
    options.WordWrap = FWordWrap;
    options.MaxWidth = width;
    options.ExpandTabs = true;
    options.TabWidth = 8 * std::max(1, FontAverageCharWidth(Font()));
    options.ShowAccelChar = FShowAccelChar;
    return options;
}

std::vector<TTextLine> TLabel::Lines() const {
    const TFont& font = Font();
    return LayoutText(Caption(), LayoutOptions(Width()),
                      [&font](std::string_view text) { return FontTextWidth(font, text); });
}

int TLabel::LineHeight() const { return FontTextMetric(Font()).Height(); }

bool TLabel::CanAutoSize(int& newWidth, int& newHeight) {
    const TFont& font = Font();
    auto lines = LayoutText(Caption(), LayoutOptions(newWidth),
                            [&font](std::string_view text) { return FontTextWidth(font, text); });
    // An empty text still measures one line.
    int count = std::max<int>(1, int(lines.size()));
    newHeight = count * LineHeight();
    if (!FWordWrap) {
        int widest = 0;
        for (const auto& line : lines) widest = std::max(widest, line.Width);
        newWidth = widest;
    }
    return true;
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustSize();
}

void TLabel::FontChanged() {
    TGraphicControl::FontChanged();
    AdjustSize();
}

void TLabel::TextChanged() {
    TGraphicControl::TextChanged();
    AdjustSize();
}

void TLabel::SetWordWrap(bool value) {
    if (value == FWordWrap) return;
    FWordWrap = value;
    AdjustSize();
    Invalidate();
}

void TLabel::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    SetControlStyle(value ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    Invalidate();
}

void TLabel::SetShowAccelChar(bool value) {
    FShowAccelChar = value;
    AdjustSize();
    Invalidate();
}

void TLabel::SetAlignment(TAlignment value) {
    FAlignment = value;
    Invalidate();
}

void TLabel::SetLayout(TTextLayoutKind value) {
    FLayout = value;
    Invalidate();
}

void TLabel::Paint() {
    TCanvas& canvas = Canvas();
    if (!FTransparent) {
        canvas.Brush() = {Color(), bsSolid};
        canvas.FillRect(ClientRect());
    }
    canvas.Brush().Style = bsClear;
    canvas.SetFont(Font());
    auto lines = Lines();
    int lineHeight = LineHeight();
    int textHeight = int(lines.size()) * lineHeight;
    int y = 0;
    if (FLayout == tlCenter) y = (Height() - textHeight) / 2;
    if (FLayout == tlBottom) y = Height() - textHeight;
    int tabWidth = LayoutOptions(Width()).TabWidth;
    for (const TTextLine& line : lines) {
        int x = 0;
        if (FAlignment == taRightJustify) x = Width() - line.Width;
        if (FAlignment == taCenter) x = (Width() - line.Width) / 2;
        // Tabs: draw the pieces between stops.
        int penX = x;
        size_t start = 0;
        for (size_t i = 0; i <= line.Text.size(); ++i) {
            if (i < line.Text.size() && line.Text[i] != '\t') continue;
            std::string_view piece(line.Text.data() + start, i - start);
            canvas.TextOut(penX, y, piece);
            if (line.AcceleratorIndex >= int(start) && line.AcceleratorIndex < int(i)) {
                int ux = penX + canvas.TextWidth(piece.substr(0, size_t(line.AcceleratorIndex) - start));
                int uw = canvas.TextWidth(piece.substr(size_t(line.AcceleratorIndex) - start, 1));
                TTextMetric metric = FontTextMetric(Font());
                canvas.Brush() = {Font().Color(), bsSolid};
                canvas.FillRect(Rect(ux, y + metric.Ascent + 1, ux + uw, y + metric.Ascent + 2));
                canvas.Brush().Style = bsClear;
            }
            // Only a tab needs to know where the piece ended.
            if (i < line.Text.size()) penX = x + ((penX + canvas.TextWidth(piece) - x) / tabWidth + 1) * tabWidth;
            start = i + 1;
        }
        y += lineHeight;
    }
}
