#pragma once
// Controls: components with bounds inside a parent window, painted and fed with
// mouse messages. Every message passes through WndProc so a control class can
// intercept exactly what it needs; what no handler takes reaches DefaultHandler,
// the control's native behaviour.

#include "platform/basic_types.h"
#include "toolkit/accessibility.h"
#include "toolkit/component.h"
#include "toolkit/events.h"
#include "toolkit/font.h"
#include "toolkit/input.h"
#include "toolkit/messages.h"

#include <string>

class TCanvas;
class TWinControl;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

using TControlStyle = unsigned;
inline constexpr TControlStyle csAcceptsControls = 1;
inline constexpr TControlStyle csCaptureMouse = 2;
inline constexpr TControlStyle csClickEvents = 8;
inline constexpr TControlStyle csOpaque = 0x40;
inline constexpr TControlStyle csDoubleClicks = 0x80;
inline constexpr TControlStyle csSetCaption = 0x400;

using TControlState = unsigned;
inline constexpr TControlState csLButtonDown = 1;
inline constexpr TControlState csClicked = 2;
inline constexpr TControlState csFocusing = 0x400;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;
    const char* ClassName() const override { return "TControl"; }

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
    void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
    void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
    void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
    // The one way bounds change; subclasses override it to adjust what is asked.
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }

    virtual TRect ClientRect() const { return Rect(0, 0, FWidth, FHeight); }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientWidth(int value);
    virtual void SetClientHeight(int value);

    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible and every parent up to a shown window visible too.
    bool Showing() const;

    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool value);

    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor cursor);

    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& hint) { FHint = hint; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool value);
    // ShowHint as inherited through ParentShowHint.
    bool EffectiveShowHint() const;

    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& font) { FFont.Assign(font); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);

    // The parent's colour while ParentColor holds.
    TColor Color() const;
    void SetColor(TColor color);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);

    const std::string& Caption() const { return FText; }
    void SetCaption(const std::string& text);
    const std::string& Text() const { return FText; }
    void SetText(const std::string& text) { SetCaption(text); }

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign align);

    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool value);

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle style) { FControlStyle = style; }
    TControlState ControlState() const { return FControlState; }

    bool MouseCapture() const;
    void SetMouseCapture(bool value);

    // What a screen reader is told: a role other than the one the class gives, a name
    // and a description (the hint when none is set).
    TAccessibleRole AccessibleRole() const { return FAccessibleRole; }
    void SetAccessibleRole(TAccessibleRole role) { FAccessibleRole = role; }
    const std::string& AccessibleName() const { return FAccessibleName; }
    void SetAccessibleName(const std::string& name);
    const std::string& AccessibleDescription() const { return FAccessibleDescription; }
    void SetAccessibleDescription(const std::string& text);
    // The class's own description with the properties above applied.
    TAccessibleFacts AccessibleFacts() const;

    void Loaded() override;

    virtual void WndProc(TMessage& message);
    std::intptr_t Perform(unsigned msg, std::intptr_t wParam = 0, std::intptr_t lParam = 0);
    virtual void DefaultHandler(TMessage& message);

    virtual void Invalidate();
    // Paints at once what is invalid.
    virtual void Update();
    void Repaint();

    TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint point) const;
    TPoint ScreenToClient(TPoint point) const;

    void BringToFront();
    void SendToBack();

    virtual void Click();
    virtual void DblClick();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnResize;

protected:
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    virtual void Resize();
    virtual void FontChanged();
    virtual void TextChanged();
    virtual void VisibleChanged() {}
    virtual void EnabledChanged();
    // The size an auto-sizing control wants; false keeps the size asked for.
    virtual bool CanAutoSize(int& newWidth, int& newHeight);
    // Re-applies the auto-size rule and tells the parent.
    virtual void AdjustSize();
    // The part of the control's bounds to repaint when it changes; windowless controls
    // repaint through their parent.
    virtual void InvalidateBounds(const TRect& bounds);
    virtual void BoundsChanged() {}
    // What the control is for a screen reader, before the accessible properties apply.
    virtual void DescribeAccessible(TAccessibleFacts& facts) const;

    void SetControlState(TControlState state) { FControlState = state; }
    // Switches auto-sizing without sizing now.
    void StoreAutoSize(bool value) { FAutoSize = value; }
    void ApplyParentFont();

    // Field-level bounds update without side effects, for subclasses that move
    // their own window.
    void StoreBounds(int left, int top, int width, int height);

private:
    friend class TWinControl;
    void HandleMouseMessage(TMessage& message);
    TShiftState ShiftFromKeys(std::intptr_t keys) const;

    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    bool FVisible = true;
    bool FEnabled = true;
    TCursor FCursor = crDefault;
    std::string FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TFont FFont;
    bool FParentFont = true;
    TColor FColor = clWindow;
    bool FParentColor = false;
    std::string FText;
    TAlign FAlign = alNone;
    bool FAutoSize = false;
    TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    TControlState FControlState = 0;
    TAccessibleRole FAccessibleRole = arDefault;
    std::string FAccessibleName;
    std::string FAccessibleDescription;
};

// A windowless control: no window of its own, painted by its parent beneath every
// windowed sibling, fed with mouse messages through its parent.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    const char* ClassName() const override { return "TGraphicControl"; }
    void WndProc(TMessage& message) override;

protected:
    // Valid only while Paint runs.
    TCanvas& Canvas() { return *FCanvas; }
    virtual void Paint() {}

private:
    TCanvas* FCanvas = nullptr;
};

// Shift state from the modifier flags of a mouse message.
TShiftState KeysToShiftState(std::intptr_t keys);
// Modifier flags of the keyboard as it is now.
TShiftState KeyboardShiftState();
