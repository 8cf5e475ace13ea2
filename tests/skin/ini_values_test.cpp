#include <gtest/gtest.h>

#include "platform/exceptions.h"
#include "skin/ini_values.h"

namespace {

TEST(SkinIntegerReader, DecimalAndHexFormsAndInvalidText) {
    EXPECT_EQ(ParseSkinInteger("42"), 42);
    EXPECT_EQ(ParseSkinInteger("-7"), -7);
    EXPECT_EQ(ParseSkinInteger("+7"), 7);
    EXPECT_EQ(ParseSkinInteger("0x3"), 3);
    EXPECT_EQ(ParseSkinInteger("0XfF"), 255);
    EXPECT_EQ(ParseSkinInteger("$3"), 3);
    EXPECT_EQ(ParseSkinInteger("$FFFFFFFF"), -1);
    EXPECT_EQ(ParseSkinInteger("-2147483648"), INT32_MIN);
    for (const char* bad : {"", "three", "3 ", "0x", "$", "1.5", "2147483648", "$100000000", "-"})
        EXPECT_FALSE(ParseSkinInteger(bad)) << bad;

    TIniTable ini({"[s]", "hex=0x3", "dollar=$3", "word=three", "empty="});
    EXPECT_EQ(ReadSkinInteger(ini, "s", "hex", -1), 3);
    EXPECT_EQ(ReadSkinInteger(ini, "s", "dollar", -1), 3);
    EXPECT_EQ(ReadSkinInteger(ini, "s", "word", -1), -1);
    EXPECT_EQ(ReadSkinInteger(ini, "s", "empty", -1), -1);
    EXPECT_EQ(ReadSkinInteger(ini, "s", "absent", -1), -1);
    EXPECT_EQ(ReadSkinColor(ini, "s", "absent"), 0);
}

TEST(SkinBooleanReader, TrueOnlyForOne) {
    TIniTable ini({"[s]", "a=1", "b=2", "c=yes", "d=$1", "e=0"});
    EXPECT_TRUE(ReadSkinBool(ini, "s", "a"));
    EXPECT_TRUE(ReadSkinBool(ini, "s", "d"));
    EXPECT_FALSE(ReadSkinBool(ini, "s", "b"));
    EXPECT_FALSE(ReadSkinBool(ini, "s", "c"));
    EXPECT_FALSE(ReadSkinBool(ini, "s", "e"));
    EXPECT_FALSE(ReadSkinBool(ini, "s", "absent"));
}

TEST(SkinRectReader, KeepsOnlyDigitsAndCommas) {
    EXPECT_EQ(ParseSkinRect("1, 2, 3, 4"), Rect(1, 2, 3, 4));
    EXPECT_EQ(ParseSkinRect("-1,0,5,5"), Rect(1, 0, 5, 5));
    EXPECT_EQ(ParseSkinRect("l1,t2,r3x,b4"), Rect(1, 2, 3, 4));
    EXPECT_EQ(ParseSkinPoint(" 7 , 8 "), (TPoint{7, 8}));
    // Parts past the fourth (second for points) are ignored.
    EXPECT_EQ(ParseSkinRect("1,2,3,4,5"), Rect(1, 2, 3, 4));
    EXPECT_EQ(ParseSkinRect("1,2,3,4,"), Rect(1, 2, 3, 4));
    EXPECT_EQ(ParseSkinPoint("1,2,x"), (TPoint{1, 2}));

    TIniTable ini({"[s]", "empty=", "odd=1, 2, 3, 4"});
    EXPECT_EQ(ReadSkinRect(ini, "s", "absent"), Rect(0, 0, 0, 0));
    EXPECT_EQ(ReadSkinPoint(ini, "s", "absent"), (TPoint{0, 0}));
    EXPECT_EQ(ReadSkinRect(ini, "s", "odd"), Rect(1, 2, 3, 4));
    EXPECT_THROW(ReadSkinRect(ini, "s", "empty"), EConvertError);
}

TEST(SkinRectReader, APartWithoutADigitIsAConversionError) {
    for (const char* bad : {"", "1,2,3", "a,b,c,d", "1,,3,4", "1,2,3,-", "99999999999,0,0,0"})
        EXPECT_THROW(ParseSkinRect(bad), EConvertError) << bad;
    EXPECT_THROW(ParseSkinPoint("5"), EConvertError);
    try {
        ParseSkinRect("1,2,x,4");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'' is not a valid integer value");
    }
    try {
        ParseSkinRect("1,2,3,4444444444");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'4444444444' is not a valid integer value");
    }
}

TEST(SkinStyleReaders, FontStylesAlignmentAndCommandWords) {
    EXPECT_EQ(ParseFontStyles("fsbold"), fsBold);
    EXPECT_EQ(ParseFontStyles("FSBOLD"), 0);
    EXPECT_EQ(ParseFontStyles("fsitalic fsunderline"), fsItalic | fsUnderline);
    EXPECT_EQ(ParseFontStyles("fsboldfsitalic"), ParseFontStyles("fsbold,fsitalic"));
    EXPECT_EQ(ParseFontStyles("fsstrikeout"), fsStrikeOut);
    EXPECT_EQ(FormatFontStyles(fsBold | fsUnderline | fsStrikeOut), "fsbold,fsunderline,fsstrikeout");

    EXPECT_EQ(ParseAlignment("tacenter"), taCenter);
    EXPECT_EQ(ParseAlignment("taleftjustify"), taLeftJustify);
    EXPECT_EQ(ParseAlignment("TACENTER"), taRightJustify);
    EXPECT_EQ(ParseAlignment("center"), taRightJustify);
    TIniTable ini({"[s]", "empty="});
    EXPECT_EQ(ReadSkinAlignment(ini, "s", "absent"), taCenter);
    EXPECT_EQ(ReadSkinAlignment(ini, "s", "empty"), taRightJustify);

    EXPECT_EQ(ParseStdCommand("cmclose"), cmClose);
    EXPECT_EQ(ParseStdCommand("cmsysmenu"), cmSysMenu);
    EXPECT_EQ(ParseStdCommand("CMCLOSE"), cmRollUp);
    EXPECT_EQ(ReadSkinStdCommand(ini, "s", "absent"), cmDefault);
    EXPECT_EQ(ParseStdCommand(FormatStdCommand(cmRollUp)), cmRollUp);
}

} // namespace
