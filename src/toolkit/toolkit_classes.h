#pragma once
// Registers the toolkit's component classes and their stored properties.
// Idempotent; called once at start-up before any form is read.

#include "toolkit/class_registry.h"

void RegisterToolkitClasses();

// Name tables the other layers' registrations share.
const TIdentTable& CursorIdents();
const TIdentTable& AlignIdents();
const TIdentTable& AlignmentIdents();
const TIdentTable& FontStyleIdents();

