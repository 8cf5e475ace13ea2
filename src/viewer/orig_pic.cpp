#include "viewer/orig_pic.h"

#include "pictures/image.h"
#include "platform/exceptions.h"
#include "toolkit/form_reader.h"
#include "toolkit/ge_scale.h"
#include "toolkit/panel.h"

TBigPic* BigPic = nullptr;

void RegisterViewerClasses() { TClassRegistration<TBigPic>("TBigPic", "TForm"); }

TBigPic::TBigPic(TComponent* owner) : TForm(owner) {
    BigPic = this;
    THandlerTable handlers;
    handlers.Add<TNotifyEvent>("FormCreate", [this](TObject* sender) { FormCreate(sender); });
    handlers.Add<TNotifyEvent>("FormActivate", [this](TObject* sender) { FormActivate(sender); });
    handlers.Add<TNotifyEvent>("ImageBigPicClick", [this](TObject* sender) { ImageBigPicClick(sender); });
    ReadFormResource(*this, BigPicForm, handlers);
    ImPanel = dynamic_cast<TPanel*>(FindComponent("ImPanel"));
    ImageBigPic = dynamic_cast<TImage*>(FindComponent("ImageBigPic"));
    if (!ImPanel || !ImageBigPic) throw Exception("Form BigPic: ImPanel or ImageBigPic is missing");
}

TBigPic::~TBigPic() {
    BeforeDestruction();
    if (BigPic == this) BigPic = nullptr;
}

void TBigPic::Notification(TComponent* component, TOperation operation) {
    TForm::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == ImPanel) ImPanel = nullptr;
    if (component == ImageBigPic) ImageBigPic = nullptr;
}

void TBigPic::FormCreate(TObject*) {}

// Every activation, not only the first: with a factor other than one the fonts grow each time.
void TBigPic::FormActivate(TObject*) { AdjustFormFonts(*this); }

void TBigPic::ImageBigPicClick(TObject*) { BigPic->Close(); }
