#pragma once
// A logical font with the platform's height convention: a negative height is the
// character (em) height in pixels, a positive one the cell height, 0 the default.

#include "platform/basic_types.h"

#include <functional>
#include <string>

class TFont {
public:
    TFont();
    TFont(const TFont& other);
    TFont& operator=(const TFont& other);

    const std::string& Name() const { return FName; }
    void SetName(const std::string& name);
    int Height() const { return FHeight; }
    void SetHeight(int height);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    int Charset() const { return FCharset; }
    void SetCharset(int charset);
    // Copies name, height, style, colour and charset; fires OnChange once.
    void Assign(const TFont& source);

    std::function<void(TFont&)> OnChange;

    friend bool operator==(const TFont& a, const TFont& b) {
        return a.FName == b.FName && a.FHeight == b.FHeight && a.FStyle == b.FStyle &&
               a.FColor == b.FColor && a.FCharset == b.FCharset;
    }

private:
    void Changed();

    std::string FName = "MS Sans Serif";
    int FHeight = -11;
    TFontStyles FStyle = 0;
    TColor FColor = clWindowText;
    int FCharset = 1; // DEFAULT_CHARSET
};
