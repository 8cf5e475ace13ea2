#include "toolkit/image_list.h"

#include "toolkit/canvas.h"
#include "toolkit/pixel_buffer.h"

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList() = default;

void TCustomImageList::SetSize(int width, int height) {
    FWidth = width;
    FHeight = height;
    Clear();
}

int TCustomImageList::Add(const TPixelBuffer& picture) {
    auto image = std::make_unique<TPixelBuffer>();
    image->Allocate(FWidth, FHeight, pf32bit);
    image->Canvas().CopyRect(Rect(0, 0, FWidth, FHeight), picture, Rect(0, 0, FWidth, FHeight));
    image->Canvas().Flush();
    FImages.push_back(std::move(image));
    return Count() - 1;
}

void TCustomImageList::Clear() { FImages.clear(); }

void TCustomImageList::Draw(TCanvas& canvas, int x, int y, int index) const {
    if (index < 0 || index >= Count()) return;
    canvas.Draw(x, y, *FImages[size_t(index)]);
}
