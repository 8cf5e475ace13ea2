#pragma once
// The skin component: the records of a loaded skin and its pictures, shared by every
// skinned control that names it. Controls keep only a reference and look their record
// up by name whenever they paint.

#include "skin/skin_content.h"
#include "toolkit/component.h"

#include <vector>

class TBitmap;

class TbsSkinData : public TComponent, public TbsSkinContent {
public:
    explicit TbsSkinData(TComponent* owner);
    ~TbsSkinData() override;
    const char* ClassName() const override { return "TbsSkinData"; }

    // True until a skin has been loaded into it; controls paint unskinned meanwhile.
    bool Empty() const { return FEmpty; }
    void SetEmpty(bool value) { FEmpty = value; }

    // The skin's pictures, indexed by the records' picture numbers.
    std::vector<TBitmap*> ActivePictures;

private:
    bool FEmpty = true;
};
