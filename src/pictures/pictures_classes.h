#pragma once
// Registers the picture layer's component classes (TImage) with the form reader.
// Idempotent; called once at start-up before any form is read.

void RegisterPicturesClasses();
