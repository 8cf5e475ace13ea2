#pragma once
// A row of small pictures of one size, drawn by index (list items show them beside
// their text).

#include "toolkit/component.h"

#include <memory>
#include <vector>

class TCanvas;
class TPixelBuffer;

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* owner);
    ~TCustomImageList() override;
    const char* ClassName() const override { return "TCustomImageList"; }

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Changing the size drops the pictures.
    void SetSize(int width, int height);
    int Count() const { return int(FImages.size()); }
    // Copies the picture, cut to the list's size; returns its index.
    int Add(const TPixelBuffer& picture);
    void Clear();
    // Nothing for an index outside the list.
    void Draw(TCanvas& canvas, int x, int y, int index) const;

private:
    int FWidth = 16;
    int FHeight = 16;
    std::vector<std::unique_ptr<TPixelBuffer>> FImages;
};
