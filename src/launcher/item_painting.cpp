// The text of the two lists' items: the current item dark green, bold, a size larger.

#include "launcher/main_unit.h"

#include "toolkit/canvas.h"

namespace {

constexpr TColor CurrentItemColor = RGB(0, 94, 28);
constexpr int CurrentItemFontHeight = 15;

void DrawItemText(TCanvas& cnvs, const std::string& text, const TRect& textRect, TOwnerDrawState state) {
    cnvs.Font().SetColor(clBlack);
    if (state & odSelected) {
        cnvs.Font().SetColor(CurrentItemColor);
        cnvs.Font().SetStyle(fsBold);
        cnvs.Font().SetHeight(CurrentItemFontHeight);
    }
    // One line at the text area's corner, cut only by the item's own picture.
    cnvs.TextOut(textRect.Left, textRect.Top, text);
}

} // namespace

void TMainFr::ListBoxGameDrawItem(TCanvas& cnvs, int index, int, int, TRect textRect, TOwnerDrawState state) {
    DrawItemText(cnvs, ListBoxGame->Items()[index], textRect, state);
}

void TMainFr::ListBoxProgDrawItem(TCanvas& cnvs, int index, int, int, TRect textRect, TOwnerDrawState state) {
    DrawItemText(cnvs, ListBoxProg->Items()[index], textRect, state);
}
