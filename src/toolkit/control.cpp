#include "toolkit/control.h"

#include "platform/exceptions.h"

#include "toolkit/application.h"
#include "toolkit/canvas.h"
#include "toolkit/host_widget.h"
#include "toolkit/win_control.h"

#include <QGuiApplication>

TShiftState KeysToShiftState(std::intptr_t keys) {
    TShiftState shift = 0;
    if (keys & MK_SHIFT) shift |= ssShift;
    if (keys & MK_CONTROL) shift |= ssCtrl;
    if (keys & MK_LBUTTON) shift |= ssLeft;
    if (keys & MK_RBUTTON) shift |= ssRight;
    if (keys & MK_MBUTTON) shift |= ssMiddle;
    return shift;
}

TShiftState KeyboardShiftState() {
    Qt::KeyboardModifiers modifiers = QGuiApplication::queryKeyboardModifiers();
    TShiftState shift = 0;
    if (modifiers & Qt::ShiftModifier) shift |= ssShift;
    if (modifiers & Qt::ControlModifier) shift |= ssCtrl;
    if (modifiers & Qt::AltModifier) shift |= ssAlt;
    return shift;
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
    FFont.OnChange = [this](TFont&) {
        FParentFont = false;
        FontChanged();
    };
}

TControl::~TControl() {
    SetDestroying();
    if (FParent) FParent->RemoveControl(this);
    ForgetAccessible(*this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == FParent) return;
    if (FParent) FParent->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

void TControl::StoreBounds(int left, int top, int width, int height) {
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (FAutoSize && !Loading()) CanAutoSize(width, height);
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    TRect old = BoundsRect();
    bool resized = width != FWidth || height != FHeight;
    StoreBounds(left, top, width, height);
    InvalidateBounds(old);
    BoundsChanged();
    Invalidate();
    if (resized && !Loading()) Resize();
    if (FParent && !Loading()) FParent->AdjustSize();
}

void TControl::SetClientWidth(int value) { SetWidth(value); }
void TControl::SetClientHeight(int value) { SetHeight(value); }

bool TControl::Showing() const {
    if (!FVisible) return false;
    return FParent ? FParent->Showing() : true;
}

void TControl::SetVisible(bool value) {
    if (value == FVisible) return;
    if (!value) InvalidateBounds(BoundsRect());
    FVisible = value;
    VisibleChanged();
    if (value) Invalidate();
    // Windows are announced by the platform as they come and go.
    if (!dynamic_cast<TWinControl*>(this)) NotifyAccessible(*this, value ? acShown : acHidden);
    Perform(CM_VISIBLECHANGED, value);
    if (FParent && !Loading()) FParent->AdjustSize();
}

void TControl::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    EnabledChanged();
}

void TControl::EnabledChanged() {
    Perform(CM_ENABLEDCHANGED);
    Invalidate();
}

void TControl::SetCursor(TCursor cursor) { FCursor = cursor; }

void TControl::SetShowHint(bool value) {
    FShowHint = value;
    FParentShowHint = false;
}

void TControl::SetParentShowHint(bool value) { FParentShowHint = value; }

bool TControl::EffectiveShowHint() const {
    if (FParentShowHint && FParent) return FParent->EffectiveShowHint();
    return FShowHint;
}

void TControl::SetParentFont(bool value) {
    FParentFont = value;
    if (value) ApplyParentFont();
}

void TControl::ApplyParentFont() {
    if (!FParentFont || !FParent) return;
    auto handler = std::move(FFont.OnChange);
    FFont.Assign(FParent->Font());
    FFont.OnChange = std::move(handler);
    FontChanged();
}

void TControl::FontChanged() {
    Perform(CM_FONTCHANGED);
    Invalidate();
}

TColor TControl::Color() const {
    return FParentColor && FParent ? FParent->Color() : FColor;
}

void TControl::SetColor(TColor color) {
    FParentColor = false;
    if (color == FColor) return;
    FColor = color;
    Invalidate();
}

void TControl::SetParentColor(bool value) {
    FParentColor = value;
    Invalidate();
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (FAutoSize) AdjustSize();
}

void TControl::SetCaption(const std::string& text) {
    if (text == FText) return;
    FText = text;
    TextChanged();
    NotifyAccessible(*this, acNameChanged);
}

void TControl::TextChanged() {
    Perform(CM_TEXTCHANGED);
    Invalidate();
}

void TControl::SetAlign(TAlign align) {
    if (align == FAlign) return;
    FAlign = align;
    if (FParent) FParent->Realign();
}

void TControl::SetAutoSize(bool value) {
    if (value == FAutoSize) return;
    FAutoSize = value;
    if (value) AdjustSize();
}

bool TControl::CanAutoSize(int&, int&) { return false; }

void TControl::AdjustSize() {
    if (!FAutoSize || Loading()) return;
    SetBounds(FLeft, FTop, FWidth, FHeight);
}

bool TControl::MouseCapture() const {
    return FParent && FParent->FCaptureControl == this;
}

void TControl::SetMouseCapture(bool value) {
    // A window holds the pointer by itself while a button is down; windowless controls
    // borrow their parent's window.
    if (!FParent || dynamic_cast<TWinControl*>(this)) return;
    if (value)
        FParent->FCaptureControl = this;
    else if (FParent->FCaptureControl == this)
        FParent->FCaptureControl = nullptr;
}

std::intptr_t TControl::Perform(unsigned msg, std::intptr_t wParam, std::intptr_t lParam) {
    TMessage message{msg, wParam, lParam, 0};
    WndProc(message);
    return message.Result;
}

TShiftState TControl::ShiftFromKeys(std::intptr_t keys) const { return KeysToShiftState(keys); }

void TControl::HandleMouseMessage(TMessage& message) {
    int x = LParamX(message.LParam), y = LParamY(message.LParam);
    TShiftState shift = ShiftFromKeys(message.WParam);
    auto press = [&](TMouseButton button, bool isDouble) {
        if (FControlStyle & csCaptureMouse) SetMouseCapture(true);
        if (button == mbLeft) {
            FControlState |= csLButtonDown;
            if (FControlStyle & csClickEvents) FControlState |= csClicked;
        }
        if (isDouble) {
            DblClick();
            shift |= ssDouble;
        }
        MouseDown(button, shift, x, y);
    };
    auto release = [&](TMouseButton button) {
        SetMouseCapture(false);
        if (button == mbLeft) {
            FControlState &= ~csLButtonDown;
            if (FControlState & csClicked) {
                FControlState &= ~csClicked;
                if (PtInRect(ClientRect(), {x, y})) Click();
            }
        }
        MouseUp(button, shift, x, y);
    };
    switch (message.Msg) {
    case WM_LBUTTONDOWN: press(mbLeft, false); break;
    case WM_RBUTTONDOWN: press(mbRight, false); break;
    case WM_MBUTTONDOWN: press(mbMiddle, false); break;
    case WM_LBUTTONDBLCLK: press(mbLeft, FControlStyle & csDoubleClicks); break;
    case WM_RBUTTONDBLCLK: press(mbRight, FControlStyle & csDoubleClicks); break;
    case WM_MBUTTONDBLCLK: press(mbMiddle, FControlStyle & csDoubleClicks); break;
    case WM_LBUTTONUP: release(mbLeft); break;
    case WM_RBUTTONUP: release(mbRight); break;
    case WM_MBUTTONUP: release(mbMiddle); break;
    case WM_MOUSEMOVE: MouseMove(shift, x, y); break;
    }
}

void TControl::WndProc(TMessage& message) {
    if (IsMouseMessage(message.Msg)) {
        if (!FEnabled && message.Msg != WM_MOUSEMOVE) return;
        HandleMouseMessage(message);
        DefaultHandler(message);
        return;
    }
    switch (message.Msg) {
    case CM_MOUSEENTER:
        MouseEnter();
        return;
    case CM_MOUSELEAVE:
        MouseLeave();
        return;
    default:
        DefaultHandler(message);
    }
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::InvalidateBounds(const TRect& bounds) {
    if (FParent) FParent->InvalidateRect(bounds);
}

void TControl::Invalidate() {
    if (FVisible) InvalidateBounds(BoundsRect());
}

void TControl::Update() {
    if (FParent) FParent->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

TPoint TControl::ClientOrigin() const {
    if (!FParent) return {FLeft, FTop};
    TPoint origin = FParent->ClientOrigin();
    return {origin.X + FLeft, origin.Y + FTop};
}

TPoint TControl::ClientToScreen(TPoint point) const {
    TPoint origin = ClientOrigin();
    return {point.X + origin.X, point.Y + origin.Y};
}

TPoint TControl::ScreenToClient(TPoint point) const {
    TPoint origin = ClientOrigin();
    return {point.X - origin.X, point.Y - origin.Y};
}

void TControl::BringToFront() {
    if (FParent) FParent->SetChildOrder(this, true);
}

void TControl::SendToBack() {
    if (FParent) FParent->SetChildOrder(this, false);
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

void TGraphicControl::WndProc(TMessage& message) {
    if (message.Msg == WM_PAINT) {
        if (Width() <= 0 || Height() <= 0) return;
        FCanvas = reinterpret_cast<TCanvas*>(message.WParam);
        FCanvas->SetFont(Font());
        try {
            Paint();
        } catch (...) {
            FCanvas = nullptr;
            throw;
        }
        FCanvas = nullptr;
        return;
    }
    TControl::WndProc(message);
}
