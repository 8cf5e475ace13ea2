#include "launcher/brand.h"

#include "pictures/bitmap.h"
#include "platform/cp1251.h"
#include "toolkit/canvas.h"

#include <algorithm>

namespace {

// Where the built-in link picture has its text: right of the emblem, inside the
// one-pixel outline of the part its panel shows (109 x 28).
const TRect LinkTextArea{24, 1, 108, 27};
constexpr int TextLeft = 25;
constexpr TColor NameColor = RGB(0xF2, 0xED, 0xD8);
constexpr TColor DomainColor = RGB(0xC9, 0xCE, 0xC9);

// The largest of the heights, down to the smallest, at which the text fits the width.
void FitFont(TCanvas& canvas, const std::string& text, int height, int smallest, int width) {
    for (; height > smallest; --height) {
        canvas.Font().SetHeight(-height);
        if (canvas.TextWidth(text) <= width) return;
    }
    canvas.Font().SetHeight(-smallest);
}

} // namespace

std::string SiteHostName(const std::string& site) {
    std::string host = site;
    if (size_t scheme = host.find("://"); scheme != std::string::npos)
        host.erase(0, scheme + 3);
    else if (size_t colon = host.find(':'); colon != std::string::npos)
        host.erase(0, colon + 1); // mailto:
    host = host.substr(0, host.find_first_of("/?#"));
    if (size_t at = host.rfind('@'); at != std::string::npos) host.erase(0, at + 1);
    // A port goes; an IPv6 address keeps the colons inside its brackets.
    host = host.substr(0, host.find(':', host.starts_with('[') ? host.find(']') : 0));
    host = Cp1251LowerCase(host);
    if (host.starts_with("www.") && host.size() > 4) host.erase(0, 4);
    return host;
}

void WriteHostOnLinkPicture(TBitmap& link, const std::string& host) {
    TCanvas& canvas = link.Canvas();
    TColor background = canvas.Pixel(LinkTextArea.Right - 2, LinkTextArea.Top + 1);
    canvas.Brush() = {background, bsSolid};
    canvas.FillRect(LinkTextArea);
    canvas.Brush().Style = bsClear;
    // As ours reads: the name on top, the rest of the host under it.
    size_t dot = host.find('.');
    std::string name = host.substr(0, dot),
                domain = dot == std::string::npos ? "" : host.substr(dot + 1);
    int width = LinkTextArea.Right - TextLeft;
    canvas.Font().SetName("Arial");
    canvas.Font().SetStyle(fsBold);
    canvas.Font().SetColor(NameColor);
    FitFont(canvas, name, 12, 8, width);
    int nameTop =
        domain.empty() ? (LinkTextArea.Top + LinkTextArea.Bottom - canvas.TextHeight(name)) / 2 : 3;
    canvas.TextRect(LinkTextArea, TextLeft, nameTop, name);
    if (!domain.empty()) {
        canvas.Font().SetStyle(0);
        canvas.Font().SetColor(DomainColor);
        FitFont(canvas, domain, 10, 7, width);
        canvas.TextRect(LinkTextArea, TextLeft,
                        std::max(nameTop + 12, LinkTextArea.Bottom - 1 - canvas.TextHeight(domain)),
                        domain);
    }
    canvas.Flush();
}
