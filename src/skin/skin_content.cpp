#include "skin/skin_content.h"

#include <algorithm>

#include "skin/ini_values.h"

namespace {

// n for a key that reads back as exactly "n" in decimal, else -1.
long long CanonicalIndex(const std::string& key) {
    if (key.empty() || key.size() > 10 || (key.size() > 1 && key[0] == '0')) return -1;
    long long n = 0;
    for (char c : key) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

template <class TRecord, class TFactory>
void ReadList(const TIniTable& ini, const std::string& section,
              std::vector<std::unique_ptr<TRecord>>& list, TFactory create) {
    for (const auto& [name, kind] : ReadObjectListEntries(ini, section)) {
        std::unique_ptr<TRecord> record = create(kind, name);
        if (!record) continue;
        list.push_back(std::move(record));
        list.back()->ReadFromIni(ini); // may throw; the record stays in the list
    }
}

} // namespace

std::vector<std::pair<std::string, std::string>> ReadObjectListEntries(const TIniTable& ini,
                                                                       const std::string& section) {
    std::vector<std::pair<std::string, std::string>> entries;
    int count = ReadSkinInteger(ini, section, "count", 0);
    if (count <= 0) return entries;
    // Walking 0..count-1 key by key would take forever for a huge count; only the keys
    // present can yield a record, so visit those in index order instead.
    std::vector<long long> indexes;
    for (const std::string& key : ini.ReadSectionKeys(section)) {
        long long n = CanonicalIndex(key);
        if (n >= 0 && n < count) indexes.push_back(n);
    }
    std::sort(indexes.begin(), indexes.end());
    for (long long n : indexes) {
        std::string value = ini.ReadString(section, std::to_string(n), std::string());
        std::size_t colon = value.find(':');
        if (colon == std::string::npos)
            entries.emplace_back();
        else
            entries.emplace_back(value.substr(0, colon), value.substr(colon + 1));
    }
    return entries;
}

bool TbsSkinContent::HasRequiredSections(const TIniTable& ini) {
    for (const char* s : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
        if (!ini.SectionExists(s)) return false;
    return true;
}

void TbsSkinContent::Clear() {
    SkinObjects.clear();
    SkinControls.clear();
    PopupWindow.WindowPictureIndex = -1;
    HintWindow.WindowPictureIndex = -1;
}

void TbsSkinContent::ReadVersion(const TIniTable& ini) {
    SkinName = ini.ReadString("VERSION", "skinname", "");
    SkinAuthor = ini.ReadString("VERSION", "skinauthor", "");
    AuthorEmail = ini.ReadString("VERSION", "authoremail", "");
    AuthorURL = ini.ReadString("VERSION", "authorurl", "");
    SkinComments = ini.ReadString("VERSION", "skincomments", "");
}

void TbsSkinContent::ReadFormInfo(const TIniTable& ini) {
    const char* s = "FORMINFO";
    LeftTopPoint = ReadSkinPoint(ini, s, "lefttoppoint");
    RightTopPoint = ReadSkinPoint(ini, s, "righttoppoint");
    LeftBottomPoint = ReadSkinPoint(ini, s, "leftbottompoint");
    RightBottomPoint = ReadSkinPoint(ini, s, "rightbottompoint");
    ClientRect = ReadSkinRect(ini, s, "clientrect");
    BGPictureIndex = ReadSkinInteger(ini, s, "bgpictureindex", -1);
    MaskRectArea = ReadSkinRect(ini, s, "maskrectarea");
    HitTestLeftTopPoint = ReadSkinPoint(ini, s, "hittestlefttoppoint");
    HitTestRightTopPoint = ReadSkinPoint(ini, s, "hittestrighttoppoint");
    HitTestLeftBottomPoint = ReadSkinPoint(ini, s, "hittestleftbottompoint");
    HitTestRightBottomPoint = ReadSkinPoint(ini, s, "hittestrightbottompoint");
    MainMenuRect = ReadSkinRect(ini, s, "mainmenurect");
    IconRect = ReadSkinRect(ini, s, "iconrect");
    MainMenuPopupUp = ReadSkinBool(ini, s, "mainmenupopupup");
    BorderWidth = ReadSkinInteger(ini, s, "borderwidth", 0);

    // Anchors outside the client rect would stretch the border itself.
    if (RightBottomPoint.X != LeftTopPoint.X && RightBottomPoint.Y != LeftTopPoint.Y) {
        const TRect& c = ClientRect;
        LeftTopPoint = {std::max(LeftTopPoint.X, c.Left), std::max(LeftTopPoint.Y, c.Top)};
        RightTopPoint = {std::min(RightTopPoint.X, c.Right), std::max(RightTopPoint.Y, c.Top)};
        LeftBottomPoint = {std::max(LeftBottomPoint.X, c.Left),
                           std::min(LeftBottomPoint.Y, c.Bottom)};
        RightBottomPoint = {std::min(RightBottomPoint.X, c.Right),
                            std::min(RightBottomPoint.Y, c.Bottom)};
    }
}

void TbsSkinContent::ReadWindows(const TIniTable& ini) {
    PopupWindow.ReadFromIni(ini);
    HintWindow.ReadFromIni(ini);
}

void TbsSkinContent::ReadObjectLists(const TIniTable& ini) {
    ReadList(ini, "SKINOBJECTS", SkinObjects, CreateSkinObject);
    ReadList(ini, "SKINCONTROLS", SkinControls, CreateSkinControl);
}

int TbsSkinContent::FindControlIndex(const std::string& name) const {
    for (std::size_t i = 0; i < SkinControls.size(); ++i)
        if (SkinControls[i]->SectionName == name) return static_cast<int>(i);
    return -1;
}
