#include "pictures/gif_image.h"

#include "pictures/picture.h"

void InitializeGifUnit() { TPicture::RegisterFileFormat("GIF", "GIF Image", TGIFImage::Class()); }

void FinalizeGifUnit() { TPicture::UnregisterGraphicClass(TGIFImage::Class()); }
