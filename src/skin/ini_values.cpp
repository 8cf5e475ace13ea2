#include "skin/ini_values.h"

#include <cstdint>
#include <vector>

#include "platform/exceptions.h"

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Splits the value into its parts, keeping only digits; stops after `wanted` parts.
std::vector<std::string> DigitParts(std::string_view text, std::size_t wanted) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == ',') {
            if (parts.size() == wanted) break;
            parts.emplace_back();
        } else if (c >= '0' && c <= '9') {
            parts.back() += c;
        }
    }
    parts.resize(wanted); // missing parts stay empty and fail below
    return parts;
}

int PartToInt(const std::string& part) {
    std::optional<int> v = part.empty() ? std::nullopt : ParseSkinInteger(part);
    if (!v) throw EConvertError("'" + part + "' is not a valid integer value");
    return *v;
}

} // namespace

std::optional<int> ParseSkinInteger(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    bool hex = false;
    if (i < text.size() && text[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == text.size()) return std::nullopt;
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        int d = hex ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
        if (d < 0) return std::nullopt;
        value = value * (hex ? 16 : 10) + static_cast<unsigned>(d);
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    if (hex) {
        auto bits = static_cast<std::uint32_t>(value);
        if (negative) bits = 0u - bits;
        return static_cast<int>(bits);
    }
    if (negative) {
        if (value > 0x80000000ull) return std::nullopt;
        return static_cast<int>(-static_cast<std::int64_t>(value));
    }
    if (value > 0x7FFFFFFFull) return std::nullopt;
    return static_cast<int>(value);
}

TRect ParseSkinRect(std::string_view text) {
    std::vector<std::string> p = DigitParts(text, 4);
    return {PartToInt(p[0]), PartToInt(p[1]), PartToInt(p[2]), PartToInt(p[3])};
}

TPoint ParseSkinPoint(std::string_view text) {
    std::vector<std::string> p = DigitParts(text, 2);
    return {PartToInt(p[0]), PartToInt(p[1])};
}

TFontStyles ParseFontStyles(std::string_view text) {
    TFontStyles s = 0;
    if (text.find("fsbold") != std::string_view::npos) s |= fsBold;
    if (text.find("fsitalic") != std::string_view::npos) s |= fsItalic;
    if (text.find("fsunderline") != std::string_view::npos) s |= fsUnderline;
    if (text.find("fsstrikeout") != std::string_view::npos) s |= fsStrikeOut;
    return s;
}

TAlignment ParseAlignment(std::string_view text) {
    if (text == "tacenter") return taCenter;
    if (text == "taleftjustify") return taLeftJustify;
    return taRightJustify;
}

TbsStdCommand ParseStdCommand(std::string_view text) {
    if (text == "cmclose") return cmClose;
    if (text == "cmmaximize") return cmMaximize;
    if (text == "cmminimize") return cmMinimize;
    if (text == "cmsysmenu") return cmSysMenu;
    if (text == "cmdefault") return cmDefault;
    return cmRollUp;
}

std::string FormatRect(const TRect& r) {
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) +
           "," + std::to_string(r.Bottom);
}

std::string FormatPoint(const TPoint& p) {
    return std::to_string(p.X) + "," + std::to_string(p.Y);
}

std::string FormatFontStyles(TFontStyles styles) {
    std::string r;
    const std::pair<TFontStyle, const char*> words[] = {
        {fsBold, "fsbold"}, {fsItalic, "fsitalic"}, {fsUnderline, "fsunderline"},
        {fsStrikeOut, "fsstrikeout"}};
    for (const auto& [flag, word] : words) {
        if (!(styles & flag)) continue;
        if (!r.empty()) r += ',';
        r += word;
    }
    return r;
}

std::string FormatAlignment(TAlignment alignment) {
    switch (alignment) {
    case taLeftJustify: return "taleftjustify";
    case taCenter: return "tacenter";
    default: return "tarightjustify";
    }
}

std::string FormatStdCommand(TbsStdCommand command) {
    switch (command) {
    case cmClose: return "cmclose";
    case cmMaximize: return "cmmaximize";
    case cmMinimize: return "cmminimize";
    case cmSysMenu: return "cmsysmenu";
    case cmDefault: return "cmdefault";
    default: return "cmrollup";
    }
}

int ReadSkinInteger(const TIniTable& ini, std::string_view section, std::string_view key,
                    int defaultValue) {
    if (!ini.ValueExists(section, key)) return defaultValue;
    return ParseSkinInteger(ini.ReadString(section, key, std::string())).value_or(defaultValue);
}

TColor ReadSkinColor(const TIniTable& ini, std::string_view section, std::string_view key) {
    return ReadSkinInteger(ini, section, key, 0);
}

bool ReadSkinBool(const TIniTable& ini, std::string_view section, std::string_view key) {
    return ReadSkinInteger(ini, section, key, 0) == 1;
}

TRect ReadSkinRect(const TIniTable& ini, std::string_view section, std::string_view key) {
    return ParseSkinRect(ini.ReadString(section, key, "0,0,0,0"));
}

TPoint ReadSkinPoint(const TIniTable& ini, std::string_view section, std::string_view key) {
    return ParseSkinPoint(ini.ReadString(section, key, "0,0"));
}

std::string ReadSkinString(const TIniTable& ini, std::string_view section, std::string_view key,
                           const std::string& defaultValue) {
    return ini.ReadString(section, key, defaultValue);
}

TFontStyles ReadSkinFontStyles(const TIniTable& ini, std::string_view section,
                               std::string_view key) {
    return ParseFontStyles(ini.ReadString(section, key, std::string()));
}

TAlignment ReadSkinAlignment(const TIniTable& ini, std::string_view section,
                             std::string_view key) {
    return ParseAlignment(ini.ReadString(section, key, "tacenter"));
}

TbsStdCommand ReadSkinStdCommand(const TIniTable& ini, std::string_view section,
                                 std::string_view key) {
    return ParseStdCommand(ini.ReadString(section, key, "cmdefault"));
}

void WriteSkinInteger(TIniTable& ini, std::string_view section, std::string_view key, int value) {
    ini.WriteString(section, key, std::to_string(value));
}

void WriteSkinBool(TIniTable& ini, std::string_view section, std::string_view key, bool value) {
    ini.WriteString(section, key, value ? "1" : "0");
}

void WriteSkinRect(TIniTable& ini, std::string_view section, std::string_view key,
                   const TRect& value) {
    ini.WriteString(section, key, FormatRect(value));
}

void WriteSkinPoint(TIniTable& ini, std::string_view section, std::string_view key,
                    const TPoint& value) {
    ini.WriteString(section, key, FormatPoint(value));
}

void WriteSkinFontStyles(TIniTable& ini, std::string_view section, std::string_view key,
                         TFontStyles value) {
    ini.WriteString(section, key, FormatFontStyles(value));
}

void WriteSkinAlignment(TIniTable& ini, std::string_view section, std::string_view key,
                        TAlignment value) {
    ini.WriteString(section, key, FormatAlignment(value));
}

void WriteSkinStdCommand(TIniTable& ini, std::string_view section, std::string_view key,
                         TbsStdCommand value) {
    ini.WriteString(section, key, FormatStdCommand(value));
}
