#pragma once
// Registers the skin layer's components (TbsSkinData, TbsStoredSkin) with the form
// reader. Idempotent; called once at start-up before any form is read.

void RegisterSkinClasses();
