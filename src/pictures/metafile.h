#pragma once
// Windows metafiles are registered so that their extensions are known, but no path of
// the program draws one: loading refuses with a clear error.

#include "pictures/placeholder_graphic.h"

class TMetafile : public TPlaceholderGraphic {
    VITRINA_GRAPHIC_CLASS(TMetafile)

public:
    TMetafile() : TPlaceholderGraphic("Metafiles are not supported") {}
    bool KeepsOwnTransparency() const override { return true; }
};
