#pragma once
// The GIF picture type: registered under "gif" when the GIF unit starts, removed when
// it finishes. No path of the program shows a GIF, so it has no decoder.

#include "pictures/placeholder_graphic.h"

class TGIFImage : public TPlaceholderGraphic {
    VITRINA_GRAPHIC_CLASS(TGIFImage)

public:
    TGIFImage() : TPlaceholderGraphic("GIF images are not supported") {}
};

// Unit start-up and shutdown, called by the program entry in unit order.
void InitializeGifUnit();
void FinalizeGifUnit();
