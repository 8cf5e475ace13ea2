#pragma once
// A scroll bar drawn by the program: a track with a thumb and two step buttons. It keeps
// its own range and position and tells its user only through events: OnChange for every
// new position, OnLastChange when a drag or a track click ends.

#include "skin/controls/skin_control.h"

enum TScrollBarKind { sbHorizontal, sbVertical };

// The parts, in hit-test order: the thumb, the up button at the maximum end (bottom or
// right), the down button at the minimum end (top or left).
inline constexpr int sbpThumb = 0;
inline constexpr int sbpUpButton = 1;
inline constexpr int sbpDownButton = 2;

// Auto-repeat: what a held button or track press keeps doing.
inline constexpr int rmNone = 0;
inline constexpr int rmDownButton = 1;
inline constexpr int rmUpButton = 2;
inline constexpr int rmTrackToMin = 3;
inline constexpr int rmTrackToMax = 4;
inline constexpr int ScrollRepeatDelayMs = 500;
inline constexpr int ScrollRepeatIntervalMs = 50;

struct TbsScrollBarValues {
    TScrollBarKind Kind = sbHorizontal;
    int Width = 0;
    int Height = 0;
    int Min = 0;
    int Max = 100;
    int Position = 0;
    int PageSize = 0;
    bool Both = false;
    int BothMarkerWidth = 0;
};

// What a scroll bar record says about the parts, in skin coordinates.
struct TbsScrollBarSkin {
    TRect SkinRect;
    TPoint RightTopPoint, LeftBottomPoint;
    TRect TrackArea, UpButtonRect, DownButtonRect, ThumbRect;
};

struct TbsScrollBarRects {
    TRect Parts[3]; // indexed by sbpThumb, sbpUpButton, sbpDownButton
    TRect TrackRect;
    int ThumbMin = 0; // lowest and highest centre of the thumb along the track
    int ThumbMax = 0;
    int ThumbPos = 0; // the centre's offset from ThumbMin
};

// The parts of a bar in the plain look and in a skin's.
TbsScrollBarRects CalcPlainScrollBarRects(const TbsScrollBarValues& values);
TbsScrollBarRects CalcSkinScrollBarRects(const TbsScrollBarValues& values, const TbsScrollBarSkin& skin);
// A value limited to what the range allows.
int ClampScrollPosition(int value, int min, int max, int pageSize);

class TbsSkinScrollBar : public TbsSkinCustomControl {
public:
    explicit TbsSkinScrollBar(TComponent* owner);
    ~TbsSkinScrollBar() override;
    const char* ClassName() const override { return "TbsSkinScrollBar"; }

    bool Both() const { return FBoth; }
    void SetBoth(bool value);
    // Sets the corner-sharing state without switching skin records.
    void SetBothField(bool value) { FBoth = value; }
    int BothMarkerWidth() const { return FBothMarkerWidth; }
    void SetBothMarkerWidth(int value);
    const std::string& BothSkinDataName() const { return FBothSkinDataName; }
    void SetBothSkinDataName(const std::string& name) { FBothSkinDataName = name; }
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool value);
    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind kind);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int value);
    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    int Position() const { return FPosition; }
    void SetPosition(int value);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int value);
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int value);
    // All four at once, clamped, and without OnChange.
    void SetRange(int min, int max, int pageSize, int position);

    TNotifyEvent OnChange;
    TNotifyEvent OnLastChange;
    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;

    // The parts as last computed, and their state.
    void CalcRects();
    const TbsScrollBarRects& Rects() const { return FRects; }
    bool PartMouseIn(int part) const { return FParts[part].MouseIn; }
    bool PartIsDown(int part) const { return FParts[part].Down; }
    int HotPart() const { return FHotPart; }
    int PressedPart() const { return FPressedPart; }
    int RepeatMode() const { return FRepeatMode; }
    bool Dragging() const { return FDragging; }
    // The position a drag of `offset` pixels from the press leads to.
    int PosFromOffset(int offset);
    void UpdateHotPart(int x, int y);

    void ResolveSkin() override;
    void DrawDefault(TPixelBuffer& bitmap) override;
    void DrawSkin(TPixelBuffer& bitmap) override;
    void CalcSkinSize(int& width, int& height) override;
    void WndProc(TMessage& message) override;

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;
    void BoundsChanged() override;
    void DescribeAccessible(TAccessibleFacts& facts) const override;

private:
    struct TPart {
        bool MouseIn = false;
        bool Down = false;
    };
    void PartDown(int part, int x, int y);
    void PartUp(int part);
    void StopRepeat();
    void TimerTick();
    void StepDown();
    void StepUp();
    bool BeforeThumb(int x, int y) const;
    bool BeyondThumb(int x, int y) const;
    void DrawPlainPart(TCanvas& canvas, int part);
    // What a skinned part shows in its present state: a picture rect, empty for none.
    TRect SkinButtonSource(int part) const;
    TRect SkinThumbSource(bool glyph) const;
    void DrawSkinThumb(TCanvas& canvas);
    void Changed();
    // Tells a screen reader of a new position, once per change.
    void AnnounceValue();

    bool FBoth = false;
    int FBothMarkerWidth = 0;
    std::string FBothSkinDataName = "bothhscrollbar";
    std::string FSavedSkinDataName;
    bool FCanFocused = false;
    TScrollBarKind FKind = sbHorizontal;
    int FPageSize = 0;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;

    TPart FParts[3];
    TbsScrollBarRects FRects;
    int FHotPart = -1;
    int FOldHotPart = -1;
    int FPressedPart = -1;
    int FRepeatMode = rmNone;
    bool FFirstTick = false;
    bool FMouseHeld = false;
    bool FDragging = false;
    int FDragStart = 0;
    int FDragThumbPos = 0;
    int FDragPosition = 0;
    TPoint FLastPointer;
    bool FFocusing = false;
    int FAnnouncedPosition = 0;

    // Copied from a scroll bar record.
    TbsScrollBarSkin FSkin;
    TRect FActiveUpButtonRect, FDownUpButtonRect, FActiveDownButtonRect, FDownDownButtonRect;
    TRect FActiveThumbRect, FDownThumbRect;
    int FThumbOffset1 = 0, FThumbOffset2 = 0;
    TRect FGlyphRect, FActiveGlyphRect, FDownGlyphRect;
};
