#pragma once
// Registers the skinned controls and their stored properties. Idempotent; called once
// at start-up before any form is read.

void RegisterSkinControlsClasses();
