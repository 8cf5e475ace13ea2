#include "kit_registration.h"

#include "pictures/pictures_classes.h"
#include "toolkit/toolkit_classes.h"

void RegisterKitClasses() {
    RegisterToolkitClasses();
    RegisterPicturesClasses();
}
