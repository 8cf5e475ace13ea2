#pragma once
// Records of the "SKINOBJECTS" list: the parts of a skinned form's frame
// (caption, caption buttons, menu items, user pictures).

#include <memory>
#include <string>

#include "skin/skin_record_io.h"

class TbsDataSkinObject {
public:
    explicit TbsDataSkinObject(std::string sectionName) : SectionName(std::move(sectionName)) {}
    virtual ~TbsDataSkinObject() = default;

    virtual void ReadFromIni(const TIniTable& ini);
    virtual void WriteToIni(TIniTable& ini) const; // erases the section first
    virtual const char* ClassName() const { return "TbsDataSkinObject"; }
    virtual void EnumFields(TbsFieldVisitor& visitor) const;

    std::string SectionName;
    int ActivePictureIndex = -1;
    TRect SkinRect;
    TRect ActiveSkinRect;

private:
    template <class Self, class IO> static void Fields(Self& self, IO& io);
};

// A bare picture part: only its rect is read, none of the base keys.
class TbsDataUserObject : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    void ReadFromIni(const TIniTable& ini) override;
    void WriteToIni(TIniTable& ini) const override; // writes only "skinrect"
    const char* ClassName() const override { return "TbsDataUserObject"; }
};

class TbsDataSkinMenuItem : public TbsDataSkinObject {
    VITRINA_SKIN_RECORD(TbsDataSkinMenuItem, TbsDataSkinObject)
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect DividerRect;
    int DividerLeftOffset = 0, DividerRightOffset = 0;
    TRect TextRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, UnEnabledFontColor = 0;
};

class TbsDataSkinCaption : public TbsDataSkinObject {
    VITRINA_SKIN_RECORD(TbsDataSkinCaption, TbsDataSkinObject)
    TRect TextRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0;
    TAlignment Alignment = taCenter;
    bool Shadow = false;
    TColor ShadowColor = 0, ActiveShadowColor = 0;
};

class TbsDataSkinMainMenuItem : public TbsDataSkinObject {
    VITRINA_SKIN_RECORD(TbsDataSkinMainMenuItem, TbsDataSkinObject)
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect DownRect, TextRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0, UnEnabledFontColor = 0;
};

class TbsDataSkinMainMenuBarItem : public TbsDataSkinMainMenuItem {
    VITRINA_SKIN_RECORD(TbsDataSkinMainMenuBarItem, TbsDataSkinMainMenuItem)
};

class TbsDataSkinButton : public TbsDataSkinObject {
    VITRINA_SKIN_RECORD(TbsDataSkinButton, TbsDataSkinObject)
    TRect DownRect;
};

class TbsDataSkinStdButton : public TbsDataSkinButton {
    VITRINA_SKIN_RECORD(TbsDataSkinStdButton, TbsDataSkinButton)
    TbsStdCommand Command = cmDefault;
    TRect RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInactiveRect;
};

class TbsDataSkinMainMenuBarButton : public TbsDataSkinStdButton {
    VITRINA_SKIN_RECORD(TbsDataSkinMainMenuBarButton, TbsDataSkinStdButton)
};

// The record class a "SKINOBJECTS" kind word stands for (compared exactly), or none.
std::unique_ptr<TbsDataSkinObject> CreateSkinObject(const std::string& kind,
                                                    const std::string& name);
