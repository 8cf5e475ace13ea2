#pragma once
// A skin description read as a load reads it, for tests and fuzzing that have no pictures.

#include "skin/skin_content.h"

inline void ReadSkinContent(TbsSkinContent& content, const TIniTable& ini) {
    content.ReadVersion(ini);
    content.ReadFormInfo(ini);
    content.ReadWindows(ini);
    content.ReadObjectLists(ini);
}
