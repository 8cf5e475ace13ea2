#pragma once
// The value syntaxes of a skin description: how integers, colours, booleans, rects,
// points, font styles, alignments and button commands are read and written.

#include <optional>
#include <string>
#include <string_view>

#include "platform/basic_types.h"
#include "skin/ini_table.h"

// What a caption button of a skinned form does.
enum TbsStdCommand : std::uint8_t {
    cmClose = 0,
    cmMaximize = 1,
    cmMinimize = 2,
    cmSysMenu = 3,
    cmDefault = 4,
    cmRollUp = 5
};

// Decimal with an optional sign, or hexadecimal after "$", "0x" or "0X" (up to eight
// digits; the high ones wrap to negative, as colour values need). Nothing else.
std::optional<int> ParseSkinInteger(std::string_view text);

// Keeps only digits and commas; each comma-separated part must keep a digit, or
// EConvertError. Parts past the expected count are ignored, whatever they hold:
// descriptions from other tools sometimes carry a trailing comma or extra field.
TRect ParseSkinRect(std::string_view text);
TPoint ParseSkinPoint(std::string_view text);

TFontStyles ParseFontStyles(std::string_view text);
TAlignment ParseAlignment(std::string_view text);
TbsStdCommand ParseStdCommand(std::string_view text);

std::string FormatRect(const TRect& r);
std::string FormatPoint(const TPoint& p);
std::string FormatFontStyles(TFontStyles styles);
std::string FormatAlignment(TAlignment alignment);
std::string FormatStdCommand(TbsStdCommand command);

// Readers over one section of a table; a missing key gives the default.
int ReadSkinInteger(const TIniTable& ini, std::string_view section, std::string_view key,
                    int defaultValue);
TColor ReadSkinColor(const TIniTable& ini, std::string_view section, std::string_view key);
bool ReadSkinBool(const TIniTable& ini, std::string_view section, std::string_view key);
TRect ReadSkinRect(const TIniTable& ini, std::string_view section, std::string_view key);
TPoint ReadSkinPoint(const TIniTable& ini, std::string_view section, std::string_view key);
std::string ReadSkinString(const TIniTable& ini, std::string_view section, std::string_view key,
                           const std::string& defaultValue = std::string());
TFontStyles ReadSkinFontStyles(const TIniTable& ini, std::string_view section,
                               std::string_view key);
TAlignment ReadSkinAlignment(const TIniTable& ini, std::string_view section,
                             std::string_view key);
TbsStdCommand ReadSkinStdCommand(const TIniTable& ini, std::string_view section,
                                 std::string_view key);

void WriteSkinInteger(TIniTable& ini, std::string_view section, std::string_view key, int value);
void WriteSkinBool(TIniTable& ini, std::string_view section, std::string_view key, bool value);
void WriteSkinRect(TIniTable& ini, std::string_view section, std::string_view key,
                   const TRect& value);
void WriteSkinPoint(TIniTable& ini, std::string_view section, std::string_view key,
                    const TPoint& value);
void WriteSkinFontStyles(TIniTable& ini, std::string_view section, std::string_view key,
                         TFontStyles value);
void WriteSkinAlignment(TIniTable& ini, std::string_view section, std::string_view key,
                        TAlignment value);
void WriteSkinStdCommand(TIniTable& ini, std::string_view section, std::string_view key,
                         TbsStdCommand value);
