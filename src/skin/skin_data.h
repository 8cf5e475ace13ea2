#pragma once
// The skin component: the records of a loaded skin and its pictures, shared by every
// skinned control that names it. Controls keep only a reference and look their record
// up by name whenever they paint.
//
// A skin is loaded by pointing StoredSkin at a stored skin. Every window of the
// application hears of a load through three messages (WParam: this component,
// LParam: 1000), its owner form first: WM_SKINCHANGING before anything is cleared,
// then WM_SKINCHANGED and WM_SKINCHANGEDONE once the load is over, successful or not.

#include "skin/skin_content.h"
#include "toolkit/component.h"
#include "toolkit/messages.h"

#include <memory>
#include <vector>

class TBitmap;
class TbsStoredSkin;

inline constexpr unsigned WM_SKINCHANGING = WM_USER + 201;
inline constexpr unsigned WM_SKINCHANGED = WM_USER + 202;
inline constexpr unsigned WM_SKINCHANGEDONE = WM_USER + 203;
inline constexpr int SkinChangeLParam = 1000;

class TbsSkinData : public TComponent, public TbsSkinContent {
public:
    explicit TbsSkinData(TComponent* owner);
    ~TbsSkinData() override;
    const char* ClassName() const override { return "TbsSkinData"; }

    // True until a skin has been loaded into it, while a load runs and after one
    // failed; controls paint unskinned meanwhile.
    bool Empty() const { return FEmpty; }

    // Assigning a stored skin loads it at once (except while designing); assigning
    // none only lets go of the reference and keeps the loaded skin.
    TbsStoredSkin* StoredSkin() const { return FStoredSkin; }
    void SetStoredSkin(TbsStoredSkin* value);

    // The form frame pictures; empty when the skin has none.
    TBitmap& Picture() { return *FPicture; }
    TBitmap& InactivePicture() { return *FInactivePicture; }
    TBitmap& Mask() { return *FMask; }
    const TBitmap& Picture() const { return *FPicture; }
    const TBitmap& InactivePicture() const { return *FInactivePicture; }
    const TBitmap& Mask() const { return *FMask; }

    // The skin's pictures, indexed by the records' picture numbers.
    std::vector<std::unique_ptr<TBitmap>> ActivePictures;

    // Frees every record and picture and sets Empty.
    void ClearSkin();
    // Copies of the stored skin's pictures are taken, so it may change or go later.
    // A malformed rect or point raises EConvertError and leaves the skin Empty.
    void LoadFromStoredSkin(const TbsStoredSkin& stored);

    void Notification(TComponent* component, TOperation operation) override;

private:
    void Broadcast(unsigned message);

    bool FEmpty = true;
    TbsStoredSkin* FStoredSkin = nullptr;
    std::unique_ptr<TBitmap> FPicture, FInactivePicture, FMask;
};
