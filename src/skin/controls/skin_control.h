#pragma once
// The base of every skinned control. A control names a record of a skin data component
// and finds it again at every paint, so it always shows what the skin holds now; it
// takes on the skin's sizes only when a loaded skin is assigned to it. Each paint is
// composed off screen at the control's size and drawn in one go.

#include "skin/bs_utils.h"
#include "skin/skin_data.h"
#include "toolkit/font.h"
#include "toolkit/win_control.h"

#include <string>

class TBitmap;
class TCanvas;
class TPixelBuffer;

// Copies a rect of a skin picture one to one to the top-left of dest, cut at dest's
// right and bottom edges.
void CopyUnscaled(TCanvas& canvas, const TRect& dest, const TBitmap& picture, const TRect& source);

class TbsSkinControl : public TCustomControl {
public:
    explicit TbsSkinControl(TComponent* owner);
    ~TbsSkinControl() override;
    const char* ClassName() const override { return "TbsSkinControl"; }

    TbsSkinData* SkinData() const { return FSkinData; }
    const std::string& SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const std::string& name) { FSkinDataName = name; }
    // The record's index in the skin data, or -1 while unskinned.
    int SkinIndex() const { return FSkinIndex; }

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // In this order the operations every skinned control may refine.
    virtual void ResolveSkin();
    virtual void SetSkinData(TbsSkinData* value);
    virtual void DrawDefault(TPixelBuffer& bitmap);
    virtual void DrawSkin(TPixelBuffer& bitmap);
    virtual void ApplySkin();
    virtual void ClearSkinIndex();

    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;
    // The found record, or null while unskinned.
    TbsDataSkinControl* SkinRecord() const;

private:
    TbsSkinData* FSkinData = nullptr;
    std::string FSkinDataName;
    int FSkinIndex = -1;
};

// A skin image's geometry copied from its record and fitted to the control's size.
struct TbsSkinGeometry {
    TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
    TRect SkinRect;
    TRect ClientRect;
    TPoint NewLeftTopPoint, NewRightTopPoint, NewLeftBottomPoint, NewRightBottomPoint;
    TRect NewClientRect;
    // -1 no image, 0 fixed size, 1 nine parts, 2 three parts across, 3 three parts down.
    int StretchMode = -1;
};

// How an image with these anchors grows.
int SkinStretchMode(const TbsSkinGeometry& geometry);
// Fits the geometry to a requested size; the size may be changed to what the skin allows.
void CalcSkinSize(TbsSkinGeometry& geometry, int& width, int& height);

class TbsSkinCustomControl : public TbsSkinControl {
public:
    explicit TbsSkinCustomControl(TComponent* owner);
    ~TbsSkinCustomControl() override;
    const char* ClassName() const override { return "TbsSkinCustomControl"; }

    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& font);
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int value);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int value);

    const TbsSkinGeometry& SkinGeometry() const { return FGeometry; }
    int StretchMode() const { return FGeometry.StretchMode; }
    TBitmap* SkinPicture() const { return FSkinPicture; }
    TBitmap* SkinMask() const { return FSkinMask; }

    void ResolveSkin() override;
    void DrawDefault(TPixelBuffer& bitmap) override;
    void DrawSkin(TPixelBuffer& bitmap) override;
    void ApplySkin() override;
    virtual void DefaultFontChanged() {}
    virtual void CalcSkinSize(int& width, int& height);

    void SetBounds(int left, int top, int width, int height) override;

protected:
    // Shapes the window after the skin's mask; an unskinned control keeps its rectangle.
    void UpdateSkinRegion();
    // The skin image for the control's size, by the stretch mode; nothing without a
    // picture or an image.
    void BuildSkinImage(TBitmap& image);
    // The anchors as last fitted to the control's size.
    TbsStretchGeometry SizedGeometry() const;

    TbsSkinGeometry FGeometry;

private:
    TFont FDefaultFont;
    int FDefaultWidth = 0;
    int FDefaultHeight = 0;
    TBitmap* FSkinPicture = nullptr;
    TBitmap* FSkinMask = nullptr;
};
