#include "toolkit/system_colors.h"

namespace {

struct TSystemColor {
    TColor Name;
    TColor Value;
};

// A classic grey desktop.
constexpr TSystemColor SystemColors[] = {
    {clScrollBar, RGB(212, 208, 200)},    {clWindow, RGB(255, 255, 255)},
    {clWindowText, RGB(0, 0, 0)},         {clHighlight, RGB(10, 36, 106)},
    {clHighlightText, RGB(255, 255, 255)}, {clBtnFace, RGB(212, 208, 200)},
    {clBtnShadow, RGB(128, 128, 128)},    {clBtnHighlight, RGB(255, 255, 255)},
};

} // namespace

TColor ColorToRGB(TColor color) {
    if (color >= 0) return color & 0xFFFFFF;
    for (const auto& entry : SystemColors)
        if (entry.Name == color) return entry.Value;
    return RGB(0, 0, 0);
}
