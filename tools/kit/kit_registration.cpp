#include "kit_registration.h"

#include "toolkit/toolkit_classes.h"

void RegisterKitClasses() { RegisterToolkitClasses(); }
