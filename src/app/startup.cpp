#include "app/startup.h"

#include "launcher/main_unit.h"
#include "pictures/gif_image.h"
#include "pictures/jpeg_image.h"
#include "pictures/pictures_classes.h"
#include "skin/controls/skin_controls_classes.h"
#include "skin/skin_classes.h"
#include "toolkit/application.h"
#include "toolkit/toolkit_classes.h"
#include "viewer/orig_pic.h"

void StartUnits() {
    RegisterToolkitClasses();
    RegisterPicturesClasses();
    RegisterSkinClasses();
    RegisterSkinControlsClasses();
    InitializeGifUnit();
    InitializeJpegUnit();
    RegisterViewerClasses();
    RegisterLauncherClasses();
}

void FinishUnits() {
    FinalizeJpegUnit();
    FinalizeGifUnit();
}

void CreateWindows(TApplication& application) {
    application.CreateForm(MainFr);
    application.CreateForm(BigPic);
}
