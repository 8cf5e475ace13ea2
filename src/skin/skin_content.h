#pragma once
// Everything a skin description yields apart from its pictures: the version strings,
// the form frame data, the popup and hint window records and the two record lists.
// The skin data component owns one of these (or derives from it) and adds the bitmaps.

#include <memory>
#include <string>
#include <vector>

#include "skin/ini_table.h"
#include "skin/skin_control_records.h"
#include "skin/skin_object_records.h"
#include "skin/skin_window_records.h"

class TbsSkinContent {
public:
    TbsSkinContent() = default;
    TbsSkinContent(const TbsSkinContent&) = delete;
    TbsSkinContent& operator=(const TbsSkinContent&) = delete;
    virtual ~TbsSkinContent() = default;

    // The sections a description must have before anything of it is read.
    static bool HasRequiredSections(const TIniTable& ini);

    // Frees every record and forgets the window pictures; the rest stays as it was.
    void Clear();

    // A load reads the version strings, then (after the pictures are copied) the
    // frame and window sections, then the two lists. A malformed rect or point raises
    // EConvertError and leaves whatever was read so far in place.
    void ReadVersion(const TIniTable& ini);
    void ReadFormInfo(const TIniTable& ini);
    void ReadWindows(const TIniTable& ini); // "POPUPWINDOW", then "HINTWINDOW"
    void ReadObjectLists(const TIniTable& ini); // "SKINOBJECTS", then "SKINCONTROLS"

    // Index of the first control record named exactly so, or -1.
    int FindControlIndex(const std::string& name) const;

    std::vector<std::unique_ptr<TbsDataSkinObject>> SkinObjects;
    std::vector<std::unique_ptr<TbsDataSkinControl>> SkinControls;
    TbsDataSkinPopupWindow PopupWindow;
    TbsDataSkinHintWindow HintWindow;

    std::string SkinName, SkinAuthor, AuthorEmail, AuthorURL, SkinComments;

    // Form frame: anchors and client rect as offsets inside the frame picture.
    TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
    TRect ClientRect;
    int BGPictureIndex = -1;
    TRect MaskRectArea;
    TPoint HitTestLeftTopPoint, HitTestRightTopPoint, HitTestLeftBottomPoint,
        HitTestRightBottomPoint;
    TRect MainMenuRect, IconRect;
    bool MainMenuPopupUp = false;
    int BorderWidth = 0;
};

// The "name:kind" entries of a list section with an index in [0, count), in index
// order, as (name, kind); an entry without ":" gives two empty strings.
std::vector<std::pair<std::string, std::string>> ReadObjectListEntries(const TIniTable& ini,
                                                                       const std::string& section);
