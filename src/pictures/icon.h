#pragma once
// Icons are registered so that their extension is known; loading one is refused.

#include "pictures/placeholder_graphic.h"

class TIcon : public TPlaceholderGraphic {
    VITRINA_GRAPHIC_CLASS(TIcon)

public:
    TIcon() : TPlaceholderGraphic("Icons are not supported") {}
    bool KeepsOwnTransparency() const override { return true; }
};
