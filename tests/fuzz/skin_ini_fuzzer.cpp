// Skin descriptions from outside: parse, read every record, write each back and read
// it again, and lay out the strips of every stretchable record at a few sizes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/exceptions.h"
#include "skin/bs_utils.h"
#include "skin/ini_table.h"
#include "skin/skin_content.h"
#include "support/read_skin_content.h"

namespace {

// Every field as text, so two records can be compared.
class TDump : public TbsFieldVisitor {
public:
    std::string Text;
    void Integer(std::string_view k, int v) override { Add(k, std::to_string(v)); }
    void Color(std::string_view k, TColor v) override { Add(k, std::to_string(v)); }
    void Boolean(std::string_view k, bool v) override { Add(k, v ? "1" : "0"); }
    void Rect(std::string_view k, const TRect& v) override { Add(k, FormatRect(v)); }
    void Point(std::string_view k, const TPoint& v) override { Add(k, FormatPoint(v)); }
    void String(std::string_view k, const std::string& v) override { Add(k, v); }
    void FontStyles(std::string_view k, TFontStyles v) override { Add(k, std::to_string(v)); }
    void Alignment(std::string_view k, TAlignment v) override { Add(k, std::to_string(v)); }
    void Command(std::string_view k, TbsStdCommand v) override { Add(k, std::to_string(v)); }

private:
    void Add(std::string_view k, const std::string& v) {
        Text.append(k).append("=").append(v).append("\n");
    }
};

template <class T> std::string Dump(const T& record) {
    TDump d;
    record.EnumFields(d);
    return d.Text;
}

void Check(bool ok) {
    if (!ok) std::abort();
}

void CheckStrip(const TbsStrip& s) {
    Check(s.Width >= 0 && s.Width <= MaxSkinBitmapSize);
    Check(s.Height >= 0 && s.Height <= MaxSkinBitmapSize);
    for (const TbsCopy& c : s.Copies) {
        Check(c.Source.Width() > 0 && c.Source.Height() > 0);
        Check(c.Source.Width() <= c.Dest.Width() && c.Source.Height() <= c.Dest.Height());
        Check(c.Dest.Width() > 0 && c.Dest.Height() > 0);
        Check(c.Dest.Left >= 0 && c.Dest.Top >= 0 && c.Dest.Right <= s.Width &&
              c.Dest.Bottom <= s.Height);
    }
}

void LayOut(const TbsDataSkinCustomControl& r, int width, int height) {
    const int sw = RectWidth(r.SkinRect), sh = RectHeight(r.SkinRect);
    TbsStretchGeometry g = StretchGeometry(r.LeftTopPoint, r.RightTopPoint, r.LeftBottomPoint,
                                           r.RightBottomPoint, r.ClientRect, sw, sh, width, height);
    CheckStrip(BuildNinePatch(g, r.SkinRect, true));
    TbsBorderStrips b = BuildBorderStrips(g, r.SkinRect);
    for (const TbsStrip* s : {&b.Top, &b.Bottom, &b.Left, &b.Right}) CheckStrip(*s);
    TbsSkinRegionPlan p = BuildSkinRegion(g, sw, sh);
    for (const TbsStrip* s : {&p.Top, &p.Bottom, &p.Left, &p.Right}) CheckStrip(*s);
    CheckStrip(BuildHStrip(r.LeftTopPoint.X, r.RightTopPoint.X, width, r.SkinRect));
    CheckStrip(BuildVStrip(r.LeftTopPoint.Y, r.LeftBottomPoint.Y, height, r.SkinRect));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < size; ++i) {
        char c = static_cast<char>(data[i]);
        if (c == '\n')
            lines.emplace_back();
        else if (c != '\r')
            lines.back() += c;
    }
    TIniTable ini(lines);
    TbsSkinContent content;
    try {
        ReadSkinContent(content, ini);
    } catch (const EConvertError&) {
        // A malformed rect stops the load; what was read stays and is checked below.
    }
    (void)TbsSkinContent::HasRequiredSections(ini);
    for (const auto& c : content.SkinControls)
        Check(content.FindControlIndex(c->SectionName) >= 0);

    // What a record writes, a fresh record of its kind reads back unchanged.
    for (const auto& [name, kind] : ReadObjectListEntries(ini, "SKINCONTROLS")) {
        auto first = CreateSkinControl(kind, name);
        if (!first) continue;
        try {
            first->ReadFromIni(ini);
        } catch (const EConvertError&) {
            continue;
        }
        TIniTable out;
        first->WriteToIni(out);
        auto second = CreateSkinControl(kind, name);
        second->ReadFromIni(out);
        Check(Dump(*first) == Dump(*second));
        if (auto* custom = dynamic_cast<const TbsDataSkinCustomControl*>(first.get())) {
            int w = size ? data[0] : 0, h = size > 1 ? data[1] : 0;
            LayOut(*custom, w, h);
            LayOut(*custom, RectWidth(custom->SkinRect), RectHeight(custom->SkinRect));
            LayOut(*custom, -w, 3);
        }
    }
    for (const auto& [name, kind] : ReadObjectListEntries(ini, "SKINOBJECTS")) {
        auto first = CreateSkinObject(kind, name);
        if (!first) continue;
        try {
            first->ReadFromIni(ini);
        } catch (const EConvertError&) {
            continue;
        }
        TIniTable out;
        first->WriteToIni(out);
        auto second = CreateSkinObject(kind, name);
        second->ReadFromIni(out);
        Check(Dump(*first) == Dump(*second));
    }
    return 0;
}
