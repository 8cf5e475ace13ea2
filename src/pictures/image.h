#pragma once
// TImage: a windowless view that owns a picture and draws it 1:1, centred or
// stretched, on its parent's surface.

#include "pictures/picture.h"
#include "toolkit/control.h"

#include <memory>

// Where a picture of the given size lands in a view of the given size.
TRect ImageDestRect(int pictureWidth, int pictureHeight, int viewWidth, int viewHeight, bool stretch,
                    bool proportional, bool center);

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;
    const char* ClassName() const override { return "TImage"; }

    TPicture& Picture() { return *FPicture; }
    // Holds a copy of the picture (null clears).
    void SetPicture(const TPicture* value) { FPicture->Assign(value); }

    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool IncrementalDisplay() const { return FIncrementalDisplay; }
    void SetIncrementalDisplay(bool value) { FIncrementalDisplay = value; }
    void SetAutoSize(bool value) override;

    TRect DestRect() const;

    TProgressEvent OnProgress;

protected:
    void Paint() override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;

private:
    void PictureChanged();
    void PictureProgress(TProgressStage stage, std::uint8_t percentDone, bool redrawNow, const TRect& rect,
                         const std::string& message);

    std::unique_ptr<TPicture> FPicture;
    bool FCenter = false;
    bool FStretch = false;
    bool FProportional = false;
    bool FTransparent = false;
    bool FIncrementalDisplay = false;
    bool FDrawing = false;
};
