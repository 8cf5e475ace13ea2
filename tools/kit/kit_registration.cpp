#include "kit_registration.h"

#include "pictures/pictures_classes.h"
#include "skin/controls/skin_controls_classes.h"
#include "toolkit/toolkit_classes.h"

void RegisterKitClasses() {
    RegisterToolkitClasses();
    RegisterPicturesClasses();
    RegisterSkinControlsClasses();
}
