#pragma once
// The popup menu window and hint window of a skin: one of each, read from their
// fixed sections and never written back.

#include <string>

#include "skin/skin_record_io.h"

class TbsDataSkinPopupWindow {
public:
    void ReadFromIni(const TIniTable& ini); // section "POPUPWINDOW"
    void EnumFields(TbsFieldVisitor& visitor) const;

    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;
    TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
    TRect ItemsRect;
    TColor ScrollMarkerColor = 0, ScrollMarkerActiveColor = 0;

private:
    template <class Self, class IO> static void Fields(Self& self, IO& io);
};

class TbsDataSkinHintWindow {
public:
    void ReadFromIni(const TIniTable& ini); // section "HINTWINDOW"
    void EnumFields(TbsFieldVisitor& visitor) const;

    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;
    TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
    TRect ClientRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;

private:
    template <class Self, class IO> static void Fields(Self& self, IO& io);
};
