#pragma once
// A text label drawn on its parent: optional word wrap, tabs expanded, '&' marking an
// accelerator; when auto-sized it is as tall as its lines (an empty text counts one).

#include "toolkit/control.h"
#include "toolkit/text_layout.h"

#include <vector>

enum TTextLayoutKind { tlTop, tlCenter, tlBottom };

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);
    const char* ClassName() const override { return "TLabel"; }

    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TTextLayoutKind Layout() const { return FLayout; }
    void SetLayout(TTextLayoutKind value);

    // The text laid out for the label's current width and font.
    std::vector<TTextLine> Lines() const;
    int LineHeight() const;

    void Loaded() override;

protected:
    void Paint() override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    void FontChanged() override;
    void TextChanged() override;
    void DescribeAccessible(TAccessibleFacts& facts) const override;

private:
    TTextLayoutOptions LayoutOptions(int width) const;

    bool FWordWrap = false;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    TAlignment FAlignment = taLeftJustify;
    TTextLayoutKind FLayout = tlTop;
};
