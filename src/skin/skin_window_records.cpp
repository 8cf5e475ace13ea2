#include "skin/skin_window_records.h"

template <class Self, class IO> void TbsDataSkinPopupWindow::Fields(Self& self, IO& io) {
    io.Int("windowpictureindex", self.WindowPictureIndex, -1);
    io.Int("maskpictureindex", self.MaskPictureIndex, -1);
    io.Point("lefttoppoint", self.LeftTopPoint);
    io.Point("righttoppoint", self.RightTopPoint);
    io.Point("leftbottompoint", self.LeftBottomPoint);
    io.Point("rightbottompoint", self.RightBottomPoint);
    io.Rect("itemsrect", self.ItemsRect);
    io.Col("scrollmarkercolor", self.ScrollMarkerColor);
    io.Col("scrollmarkeractivecolor", self.ScrollMarkerActiveColor);
}

void TbsDataSkinPopupWindow::ReadFromIni(const TIniTable& ini) {
    TbsFieldReader io(ini, "POPUPWINDOW");
    Fields(*this, io);
}

void TbsDataSkinPopupWindow::EnumFields(TbsFieldVisitor& visitor) const {
    TbsFieldEnumerator io(visitor);
    Fields(*this, io);
}

template <class Self, class IO> void TbsDataSkinHintWindow::Fields(Self& self, IO& io) {
    io.Int("windowpictureindex", self.WindowPictureIndex, -1);
    io.Int("maskpictureindex", self.MaskPictureIndex, -1);
    io.Point("lefttoppoint", self.LeftTopPoint);
    io.Point("righttoppoint", self.RightTopPoint);
    io.Point("leftbottompoint", self.LeftBottomPoint);
    io.Point("rightbottompoint", self.RightBottomPoint);
    io.Rect("clientrect", self.ClientRect);
    io.Str("fontname", self.FontName, "Arial");
    io.Int("fontheight", self.FontHeight, 14);
    io.Styles("fontstyle", self.FontStyle);
    io.Col("fontcolor", self.FontColor);
}

void TbsDataSkinHintWindow::ReadFromIni(const TIniTable& ini) {
    TbsFieldReader io(ini, "HINTWINDOW");
    Fields(*this, io);
}

void TbsDataSkinHintWindow::EnumFields(TbsFieldVisitor& visitor) const {
    TbsFieldEnumerator io(visitor);
    Fields(*this, io);
}
