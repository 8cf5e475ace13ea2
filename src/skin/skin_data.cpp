#include "skin/skin_data.h"

#include "pictures/bitmap.h"
#include "skin/ini_table.h"
#include "skin/stored_skin.h"
#include "toolkit/form.h"
#include "toolkit/screen.h"

TbsSkinData::TbsSkinData(TComponent* owner)
    : TComponent(owner), FPicture(std::make_unique<TBitmap>()),
      FInactivePicture(std::make_unique<TBitmap>()), FMask(std::make_unique<TBitmap>()) {}

TbsSkinData::~TbsSkinData() {
    FEmpty = true;
    Clear();
}

void TbsSkinData::SetStoredSkin(TbsStoredSkin* value) {
    if (FStoredSkin && FStoredSkin != value) RemoveFreeNotification(FStoredSkin);
    FStoredSkin = value;
    if (!value) return;
    value->FreeNotification(this);
    if (!Designing()) LoadFromStoredSkin(*value);
}

void TbsSkinData::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FStoredSkin) FStoredSkin = nullptr;
}

void TbsSkinData::ClearSkin() {
    Clear();
    ActivePictures.clear();
    FPicture->Clear();
    FMask->Clear();
    FInactivePicture->Clear();
    FEmpty = true;
}

void TbsSkinData::LoadFromStoredSkin(const TbsStoredSkin& stored) {
    FEmpty = true;
    Broadcast(WM_SKINCHANGING);
    ClearSkin();
    TIniTable ini(stored.IniStrings().ToVector());
    if (!HasRequiredSections(ini)) {
        Broadcast(WM_SKINCHANGED);
        Broadcast(WM_SKINCHANGEDONE);
        return;
    }
    ReadVersion(ini);
    FPicture->Assign(stored.Picture());
    FInactivePicture->Assign(stored.InactivePicture());
    FMask->Assign(stored.Mask());
    ActivePictures.reserve(stored.ActivePictures.size());
    for (const auto& picture : stored.ActivePictures) {
        auto copy = std::make_unique<TBitmap>();
        copy->Assign(*picture);
        ActivePictures.push_back(std::move(copy));
    }
    // A malformed rect or point stops here: the error goes to whoever assigned the
    // stored skin, and the skin stays Empty with what was read so far.
    ReadFormInfo(ini);
    ReadWindows(ini);
    ReadObjectLists(ini);
    ini.Clear();
    FEmpty = false;
    Broadcast(WM_SKINCHANGED);
    Broadcast(WM_SKINCHANGEDONE);
}

void TbsSkinData::Broadcast(unsigned message) {
    const auto wParam = reinterpret_cast<std::intptr_t>(this);
    TForm* ownerForm = dynamic_cast<TForm*>(Owner());
    if (ownerForm) {
        ownerForm->HandleNeeded();
        ownerForm->Perform(message, wParam, SkinChangeLParam);
    }
    if (!Screen) return;
    // A handler may create or close forms; the list is read afresh at every step.
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TForm* form = Screen->Forms(i);
        if (form == ownerForm || form->Destroying()) continue;
        form->HandleNeeded();
        form->Perform(message, wParam, SkinChangeLParam);
    }
}
