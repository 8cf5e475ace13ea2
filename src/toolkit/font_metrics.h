#pragma once
// Text measurement in whole pixels with the platform's conventions: a line is as
// tall as the font's cell (ascent and descent each rounded up), widths are advances.

#include "toolkit/font.h"

#include <string_view>

// Installed family that stands in for a stored face name; the same on every machine.
std::string ResolveFontFamily(const std::string& faceName);

// Em size in pixels that a logical font height asks for.
int FontPixelSize(const TFont& font);

struct TTextMetric {
    int Ascent = 0;
    int Descent = 0;
    int Height() const { return Ascent + Descent; }
};

TTextMetric FontTextMetric(const TFont& font);
int FontTextWidth(const TFont& font, std::string_view cp1251Text);
int FontAverageCharWidth(const TFont& font);
