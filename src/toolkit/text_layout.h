#pragma once
// Lays out a label's text the way the platform's text drawing does: line breaks at
// CR LF, LF or CR, word wrap at spaces (a word wider than the line keeps a line of
// its own, uncut), tabs expanded to the next stop, '&' marking the character after it
// as the accelerator ("&&" shows one ampersand). Pure: widths come from a callback.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct TTextLine {
    std::string Text;        // as shown: accelerator marks removed, tabs kept
    int Width = 0;           // in pixels, tabs expanded
    int AcceleratorIndex = -1; // index in Text of the underlined character, or -1
};

struct TTextLayoutOptions {
    bool WordWrap = false;
    int MaxWidth = 0;          // used with WordWrap
    bool ExpandTabs = true;
    int TabWidth = 8;          // pixels between tab stops
    bool ShowAccelChar = true;
};

using TTextMeasure = std::function<int(std::string_view)>;

std::vector<TTextLine> LayoutText(std::string_view text, const TTextLayoutOptions& options,
                                  const TTextMeasure& measure);

// The text as a label shows it, accelerator marks taken out ("&&" reads as "&").
std::string RemoveAcceleratorMarks(std::string_view text);

// Width of one line with tabs expanded to stops every `tabWidth` pixels.
int MeasureWithTabs(std::string_view line, int tabWidth, const TTextMeasure& measure);
