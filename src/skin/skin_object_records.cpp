#include "skin/skin_object_records.h"

#include <functional>
#include <map>

template <class Self, class IO> void TbsDataSkinObject::Fields(Self& self, IO& io) {
    io.Int("activepictureindex", self.ActivePictureIndex, -1);
    io.Rect("skinrect", self.SkinRect);
    io.Rect("activeskinrect", self.ActiveSkinRect);
}

void TbsDataSkinObject::ReadFromIni(const TIniTable& ini) {
    TbsFieldReader io(ini, SectionName);
    Fields(*this, io);
}

void TbsDataSkinObject::WriteToIni(TIniTable& ini) const {
    ini.EraseSection(SectionName);
    TbsFieldWriter io(ini, SectionName);
    Fields(*this, io);
}

void TbsDataSkinObject::EnumFields(TbsFieldVisitor& visitor) const {
    TbsFieldEnumerator io(visitor);
    Fields(*this, io);
}

void TbsDataUserObject::ReadFromIni(const TIniTable& ini) {
    SkinRect = ReadSkinRect(ini, SectionName, "skinrect");
}

void TbsDataUserObject::WriteToIni(TIniTable& ini) const {
    ini.EraseSection(SectionName);
    WriteSkinRect(ini, SectionName, "skinrect", SkinRect);
}

template <class Self, class IO> void TbsDataSkinMenuItem::Fields(Self& self, IO& io) {
    io.Int("itemleftoffset", self.ItemLeftOffset, 0);
    io.Int("itemrightoffset", self.ItemRightOffset, 0);
    io.Rect("dividerrect", self.DividerRect);
    io.Int("dividerleftoffset", self.DividerLeftOffset, 0);
    io.Int("dividerrightoffset", self.DividerRightOffset, 0);
    io.Rect("textrect", self.TextRect);
    io.Str("fontname", self.FontName, "Arial");
    io.Int("fontheight", self.FontHeight, 14);
    io.Styles("fontstyle", self.FontStyle);
    io.Col("fontcolor", self.FontColor);
    io.Col("activefontcolor", self.ActiveFontColor);
    io.Col("unenabledfontcolor", self.UnEnabledFontColor);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinMenuItem, TbsDataSkinObject)

template <class Self, class IO> void TbsDataSkinCaption::Fields(Self& self, IO& io) {
    io.Rect("textrect", self.TextRect);
    io.Str("fontname", self.FontName, "Arial");
    io.Int("fontheight", self.FontHeight, 14);
    io.Styles("fontstyle", self.FontStyle);
    io.Col("fontcolor", self.FontColor);
    io.Col("activefontcolor", self.ActiveFontColor);
    io.Align("alignment", self.Alignment);
    io.Bool("shadow", self.Shadow);
    io.Col("shadowcolor", self.ShadowColor);
    io.Col("activeshadowcolor", self.ActiveShadowColor);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinCaption, TbsDataSkinObject)

template <class Self, class IO> void TbsDataSkinMainMenuItem::Fields(Self& self, IO& io) {
    io.Int("itemleftoffset", self.ItemLeftOffset, 0);
    io.Int("itemrightoffset", self.ItemRightOffset, 0);
    io.Rect("downrect", self.DownRect);
    io.Rect("textrect", self.TextRect);
    io.Str("fontname", self.FontName, "Arial");
    io.Int("fontheight", self.FontHeight, 14);
    io.Styles("fontstyle", self.FontStyle);
    io.Col("fontcolor", self.FontColor);
    io.Col("activefontcolor", self.ActiveFontColor);
    io.Col("downfontcolor", self.DownFontColor);
    io.Col("unenabledfontcolor", self.UnEnabledFontColor);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinMainMenuItem, TbsDataSkinObject)

template <class Self, class IO> void TbsDataSkinMainMenuBarItem::Fields(Self&, IO&) {}
VITRINA_SKIN_RECORD_IO(TbsDataSkinMainMenuBarItem, TbsDataSkinMainMenuItem)

template <class Self, class IO> void TbsDataSkinButton::Fields(Self& self, IO& io) {
    io.Rect("downrect", self.DownRect);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinButton, TbsDataSkinObject)

template <class Self, class IO> void TbsDataSkinStdButton::Fields(Self& self, IO& io) {
    io.Cmd("command", self.Command);
    io.Rect("restorerect", self.RestoreRect);
    io.Rect("restoreactiverect", self.RestoreActiveRect);
    io.Rect("restoredownrect", self.RestoreDownRect);
    io.Rect("restoreinactiverect", self.RestoreInactiveRect);
}
VITRINA_SKIN_RECORD_IO(TbsDataSkinStdButton, TbsDataSkinButton)

template <class Self, class IO> void TbsDataSkinMainMenuBarButton::Fields(Self&, IO&) {}
VITRINA_SKIN_RECORD_IO(TbsDataSkinMainMenuBarButton, TbsDataSkinStdButton)

namespace {

template <class T> std::unique_ptr<TbsDataSkinObject> Make(const std::string& name) {
    return std::make_unique<T>(name);
}

using TObjectFactory = std::unique_ptr<TbsDataSkinObject> (*)(const std::string&);

const std::map<std::string, TObjectFactory, std::less<>>& ObjectKinds() {
    static const std::map<std::string, TObjectFactory, std::less<>> kinds = {
        {"menuitem", Make<TbsDataSkinMenuItem>},
        {"mainmenubaritem", Make<TbsDataSkinMainMenuBarItem>},
        {"button", Make<TbsDataSkinButton>},
        {"stdbutton", Make<TbsDataSkinStdButton>},
        {"mainmenubarbutton", Make<TbsDataSkinMainMenuBarButton>},
        {"caption", Make<TbsDataSkinCaption>},
        {"userobject", Make<TbsDataUserObject>},
    };
    return kinds;
}

} // namespace

std::unique_ptr<TbsDataSkinObject> CreateSkinObject(const std::string& kind,
                                                    const std::string& name) {
    auto it = ObjectKinds().find(kind);
    return it == ObjectKinds().end() ? nullptr : it->second(name);
}
