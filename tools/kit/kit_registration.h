#pragma once
// Registers every component class the kit's forms may use.

void RegisterKitClasses();
