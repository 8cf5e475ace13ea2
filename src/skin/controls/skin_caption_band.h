#pragma once
// The caption band a list box can show above its items: the control's Caption with an
// optional glyph, and up, down and check buttons that move the current item (repeating
// while held) or call the application. The band keeps its own look and button state
// and paints on the control it heads; the list decides what the buttons do.

#include "skin/controls/skin_list_caption.h"
#include "toolkit/events.h"
#include "toolkit/font.h"

#include <memory>

class TBitmap;
class TCanvas;
class TbsSkinCustomControl;
class TbsDataSkinListBox;

// What the band asks of the list it heads.
class TbsCaptionBandOwner {
public:
    // The event that replaces a button's default action (sender: the control); empty: none.
    virtual const TNotifyEvent& CaptionButtonEvent(int button) const = 0;
    // A button's own job, at a release and at every repeat tick.
    virtual void CaptionButtonAction(int button) = 0;

protected:
    ~TbsCaptionBandOwner() = default;
};

class TbsListCaptionBand {
public:
    // The band paints on the control, repeats on its timer 1, and reads its size, skin,
    // Caption and Enabled.
    TbsListCaptionBand(TbsSkinCustomControl& control, TbsCaptionBandOwner& owner);
    ~TbsListCaptionBand();
    TbsListCaptionBand(const TbsListCaptionBand&) = delete;
    TbsListCaptionBand& operator=(const TbsListCaptionBand&) = delete;

    bool Mode() const { return FMode; }
    void SetMode(bool value) { FMode = value; }
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int value) { FDefaultHeight = value; }
    TFont& DefaultFont() { return FDefaultFont; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    // Frames side by side; the second one is shown while disabled when there are two.
    TBitmap& Glyph() { return *FGlyph; }
    void SetGlyph(const TBitmap& glyph);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);

    const TbsCaptionButtonRects& Buttons() const { return FButtons; }
    bool ButtonMouseIn(int button) const { return FButtonState[button].MouseIn; }
    bool ButtonDown(int button) const { return FButtonState[button].Down; }
    int HotButton() const { return FHotButton; }
    int PressedButton() const { return FPressedButton; }
    int RepeatMode() const { return FRepeatMode; }
    const TbsListCaptionSkin& Skin() const { return FSkin; }
    void ReadSkin(const TbsDataSkinListBox& record);

    // The buttons' rects for the control's current size and look.
    void CalcButtons();
    void DrawPlain(TCanvas& canvas);
    void DrawSkinned(TCanvas& canvas);

    // The control's pointer and timer, passed on while the band is shown.
    void TrackButtons(int x, int y);
    void MouseDown(int x, int y);
    void MouseUp();
    void MouseLeave();
    void TimerTick();

private:
    struct TButtonState {
        bool MouseIn = false;
        bool Down = false;
    };
    bool Skinned() const;
    void DrawContent(TCanvas& canvas, const TRect& rect, bool skinned);
    void DrawPlainButton(TCanvas& canvas, int button);
    void DrawSkinButton(TCanvas& canvas, int button);
    void StopRepeat();

    TbsSkinCustomControl& FControl;
    TbsCaptionBandOwner& FOwner;
    bool FMode = false;
    int FDefaultHeight = 20;
    TFont FDefaultFont;
    TAlignment FAlignment = taLeftJustify;
    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    int FSpacing = 2;
    TbsCaptionButtonRects FButtons;
    TButtonState FButtonState[3];
    int FHotButton = -1;
    int FOldHotButton = -1;
    int FPressedButton = -1;
    int FRepeatMode = crmNone;
    bool FFirstTick = false;
    TbsListCaptionSkin FSkin;
};
