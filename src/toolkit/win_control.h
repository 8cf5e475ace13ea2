#pragma once
// Windowed controls: each has a window of its own (a Qt widget) holding its child
// controls, takes the keyboard focus and may own a non-client frame.

#include "toolkit/control.h"
#include "toolkit/region.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QWidget;
class THostWidget;

// Window styles the creation hook can set.
inline constexpr unsigned WS_POPUP = 0x80000000u;
inline constexpr unsigned WS_CHILD = 0x40000000u;
inline constexpr unsigned WS_VISIBLE = 0x10000000u;
inline constexpr unsigned WS_CLIPSIBLINGS = 0x04000000u;
inline constexpr unsigned WS_CLIPCHILDREN = 0x02000000u;
inline constexpr unsigned WS_CAPTION = 0x00C00000u;
inline constexpr unsigned WS_BORDER = 0x00800000u;
inline constexpr unsigned WS_SYSMENU = 0x00080000u;
inline constexpr unsigned WS_THICKFRAME = 0x00040000u;
inline constexpr unsigned WS_MINIMIZEBOX = 0x00020000u;
inline constexpr unsigned WS_MAXIMIZEBOX = 0x00010000u;
inline constexpr unsigned WS_TABSTOP = 0x00010000u;
inline constexpr unsigned WS_VSCROLL = 0x00200000u;
inline constexpr unsigned WS_HSCROLL = 0x00100000u;
inline constexpr unsigned WS_OVERLAPPEDWINDOW =
    WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
inline constexpr unsigned WS_EX_CONTROLPARENT = 0x00010000u;
inline constexpr unsigned WS_EX_CLIENTEDGE = 0x00000200u;
inline constexpr unsigned CS_VREDRAW = 0x0001;
inline constexpr unsigned CS_HREDRAW = 0x0002;
inline constexpr unsigned CS_DBLCLKS = 0x0008;

struct TCreateParams {
    unsigned Style = 0;
    unsigned ExStyle = 0;
    unsigned WindowClassStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    const char* ClassName() const override { return "TWinControl"; }

    // Windowless children first, then windowed ones, each group in insertion order.
    int ControlCount() const { return int(FGraphicControls.size() + FWinControls.size()); }
    TControl* Controls(int index) const;
    // The topmost visible child containing the point (client coordinates).
    TControl* ControlAtPos(TPoint point, bool allowDisabled, bool allowWinControls = false) const;

    void SetBounds(int left, int top, int width, int height) override;
    TRect ClientRect() const override;
    void SetClientWidth(int value) override;
    void SetClientHeight(int value) override;

    bool HandleAllocated() const { return FHandleAllocated; }
    void HandleNeeded();
    // Re-creates the window: the creation hook and the non-client size run again.
    void RecreateWnd();

    bool Focused() const;
    virtual bool CanFocus() const;
    virtual void SetFocus();
    int TabOrder() const { return FTabOrder; }
    void SetTabOrder(int value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);
    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool value) { FDoubleBuffered = value; }

    // Timer `id` of this control's window: WM_TIMER every `milliseconds` until killed;
    // setting a running timer again restarts it with the new interval.
    void SetTimer(int id, int milliseconds);
    void KillTimer(int id);
    bool TimerRunning(int id) const { return FTimers.count(id) != 0; }

    // Shapes the window: only the region's pixels (window coordinates) show and take
    // the mouse. No region gives the whole rectangle back.
    void SetWindowRegion(std::optional<TRegion> region);
    const std::optional<TRegion>& WindowRegion() const { return FWindowRegion; }

    // Moves every child by (dx, dy) and scrolls what the window shows with them.
    void ScrollBy(int dx, int dy);
    void InvalidateRect(const TRect& rect);
    void Invalidate() override;
    void Update() override;
    void SetEnabled(bool value) override;

    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    // Re-lays out aligned children (alTop, alClient, ...) in the client area.
    void Realign();

    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TMouseWheelEvent OnMouseWheel;

    // For the toolkit's own use.
    QWidget* Widget() const;
    THostWidget* Host() const { return FHost.get(); }

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    // Non-client frame widths (left, top, right, bottom) for the current bounds.
    virtual TRect NonClientInsets();
    // The rectangle children are laid out and auto-sized in.
    virtual TRect AdjustClientRect() const { return ClientRect(); }
    virtual void AlignControls(TRect rect);

    virtual void KeyDown(std::uint16_t& key, TShiftState shift);
    virtual void KeyUp(std::uint16_t& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void DoEnter();
    virtual void DoExit();
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);

    // Paints the control itself; windowless children are painted after it.
    virtual void PaintWindow(TCanvas& canvas);
    void PaintControls(TCanvas& canvas, TControl* first);
    void PaintHandler(TMessage& message);
    virtual void EraseBackground(TCanvas& canvas);
    virtual void PaintNonClient(TCanvas& /*windowCanvas*/) {}
    void DescribeAccessible(TAccessibleFacts& facts) const override;

    bool CanAutoSize(int& newWidth, int& newHeight) override;
    void AdjustSize() override;
    void VisibleChanged() override;
    void FontChanged() override;
    void BoundsChanged() override;
    void InvalidateBounds(const TRect& bounds) override;

    TCreateParams LastCreateParams() const { return FCreateParams; }
    TRect Insets() const { return FInsets; }
    void UpdateWidgetGeometry();

private:
    friend class TControl;
    friend class THostWidget;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void SetChildOrder(TControl* control, bool toFront);
    void UpdateShowing();
    void CreateHandle();
    void UpdateFocusPolicy();
    void DispatchMouse(TMessage& message);
    void TrackMouseOver(TControl* control);
    void StartTimerTick(int id);
    void ApplyAutoSize();
    void PropagateParentFont();

    std::unique_ptr<THostWidget> FHost;
    std::vector<TControl*> FGraphicControls;
    std::vector<TWinControl*> FWinControls;
    bool FHandleAllocated = false;
    TCreateParams FCreateParams;
    TRect FInsets;
    int FTabOrder = -1;
    bool FTabStop = false;
    bool FDoubleBuffered = false;
    std::map<int, int> FTimers;       // timer id -> service id
    TControl* FCaptureControl = nullptr;
    TControl* FMouseOverControl = nullptr;
    bool FAutoSizing = false;
    bool FAligning = false;
    std::optional<TRegion> FWindowRegion;
};

// A windowed control that paints itself.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    const char* ClassName() const override { return "TCustomControl"; }

protected:
    // Valid only while Paint runs.
    TCanvas& Canvas() { return *FCanvas; }
    virtual void Paint() {}
    void PaintWindow(TCanvas& canvas) override;

private:
    TCanvas* FCanvas = nullptr;
};
