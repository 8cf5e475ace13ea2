#pragma once
// Base of the picture types that are known by extension but have no decoder: always
// empty, and loading raises EInvalidGraphic with the type's own text.

#include "pictures/graphic.h"

#include <string>

class TPlaceholderGraphic : public TGraphic {
public:
    bool Empty() const override { return true; }
    int Width() const override { return 0; }
    int Height() const override { return 0; }
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    void LoadFromStream(TStream&) override { throw EInvalidGraphic(FRefusal); }
    void SaveToStream(TStream&) override {}
    std::unique_ptr<TGraphic> Clone() const override { return GraphicClass()->Create(); }
    void Draw(TCanvas&, const TRect&) override {}

protected:
    explicit TPlaceholderGraphic(std::string refusal) : FRefusal(std::move(refusal)) {}

private:
    std::string FRefusal;
};
