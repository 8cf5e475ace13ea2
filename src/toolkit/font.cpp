#include "toolkit/font.h"

TFont::TFont() = default;

TFont::TFont(const TFont& other)
    : FName(other.FName), FHeight(other.FHeight), FStyle(other.FStyle), FColor(other.FColor),
      FCharset(other.FCharset) {}

TFont& TFont::operator=(const TFont& other) {
    Assign(other);
    return *this;
}

void TFont::Changed() {
    if (OnChange) OnChange(*this);
}

void TFont::SetName(const std::string& name) {
    if (name == FName) return;
    FName = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == FHeight) return;
    FHeight = height;
    Changed();
}

void TFont::SetStyle(TFontStyles style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    Changed();
}

void TFont::SetCharset(int charset) {
    if (charset == FCharset) return;
    FCharset = charset;
    Changed();
}

void TFont::Assign(const TFont& source) {
    if (&source == this) return;
    FName = source.FName;
    FHeight = source.FHeight;
    FStyle = source.FStyle;
    FColor = source.FColor;
    FCharset = source.FCharset;
    Changed();
}
