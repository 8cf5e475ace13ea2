#include "toolkit/win_control.h"

#include "platform/exceptions.h"

#include "toolkit/application.h"
#include "toolkit/canvas.h"
#include "toolkit/host_widget.h"

#include <QRegion>
#include <QWidget>

#include <algorithm>

TWinControl::TWinControl(TComponent* owner)
    : TControl(owner), FHost(std::make_unique<THostWidget>(this)) {
    FCreateParams.WindowClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    SetColor(clBtnFace);
}

TWinControl::~TWinControl() {
    SetDestroying();
    // A window takes its child controls with it, whoever owns them.
    while (ControlCount() > 0) {
        TControl* child = Controls(ControlCount() - 1);
        RemoveControl(child);
        delete child;
    }
    for (auto& [id, serviceId] : FTimers)
        if (Application) Application->Timers().Stop(serviceId);
    FTimers.clear();
    if (Parent()) Parent()->RemoveControl(this);
    // Deleted from the event loop: this may run while Qt paints the parent window.
    FHost.release()->Detach();
}

QWidget* TWinControl::Widget() const { return FHost.get(); }

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    size_t i = size_t(index);
    if (i < FGraphicControls.size()) return FGraphicControls[i];
    return FWinControls[i - FGraphicControls.size()];
}

TControl* TWinControl::ControlAtPos(TPoint point, bool allowDisabled, bool allowWinControls) const {
    auto hit = [&](TControl* control) {
        return control->Visible() && (allowDisabled || control->Enabled()) &&
               PtInRect(control->BoundsRect(), point);
    };
    if (allowWinControls)
        for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
            if (hit(*it)) return *it;
    for (auto it = FGraphicControls.rbegin(); it != FGraphicControls.rend(); ++it)
        if (hit(*it)) return *it;
    return nullptr;
}

void TWinControl::InsertControl(TControl* control) {
    control->FParent = this;
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        FWinControls.push_back(windowed);
        windowed->FHost->setParent(FHost.get());
        windowed->UpdateWidgetGeometry();
        windowed->FHost->setVisible(windowed->Visible());
        windowed->UpdateShowing();
    } else {
        FGraphicControls.push_back(control);
    }
    control->ApplyParentFont();
    control->Invalidate();
    if (control->Align() != alNone) Realign();
}

void TWinControl::RemoveControl(TControl* control) {
    if (control->FParent != this) return;
    if (FCaptureControl == control) FCaptureControl = nullptr;
    if (FMouseOverControl == control) FMouseOverControl = nullptr;
    if (!Destroying()) InvalidateRect(control->BoundsRect());
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        FWinControls.erase(std::remove(FWinControls.begin(), FWinControls.end(), windowed),
                           FWinControls.end());
        // A window being destroyed stays where it is until the event loop deletes it;
        // one that only leaves this parent goes at once.
        if (windowed->FHost && !windowed->Destroying()) {
            windowed->FHost->hide();
            windowed->FHost->setParent(nullptr);
        }
    } else {
        FGraphicControls.erase(std::remove(FGraphicControls.begin(), FGraphicControls.end(), control),
                               FGraphicControls.end());
    }
    control->FParent = nullptr;
}

void TWinControl::SetChildOrder(TControl* control, bool toFront) {
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        auto& list = FWinControls;
        list.erase(std::remove(list.begin(), list.end(), windowed), list.end());
        if (toFront) {
            list.push_back(windowed);
            windowed->FHost->raise();
        } else {
            list.insert(list.begin(), windowed);
            windowed->FHost->lower();
        }
    } else {
        auto& list = FGraphicControls;
        list.erase(std::remove(list.begin(), list.end(), control), list.end());
        if (toFront)
            list.push_back(control);
        else
            list.insert(list.begin(), control);
        control->Invalidate();
    }
}

void TWinControl::UpdateWidgetGeometry() {
    if (FHost->isWindow()) {
        QRect frame = FHost->frameGeometry();
        int frameWidth = frame.width() - FHost->width();
        int frameHeight = frame.height() - FHost->height();
        FHost->move(Left(), Top());
        FHost->resize(std::max(0, Width() - frameWidth), std::max(0, Height() - frameHeight));
        return;
    }
    QPoint offset = Parent() ? Parent()->FHost->ClientOffset() : QPoint();
    FHost->setGeometry(Left() + offset.x(), Top() + offset.y(), std::max(0, Width()),
                       std::max(0, Height()));
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (AutoSize() && !Loading()) CanAutoSize(width, height);
    bool resized = width != Width() || height != Height();
    if (left == Left() && top == Top() && !resized) return;
    StoreBounds(left, top, width, height);
    UpdateWidgetGeometry();
    if (resized) {
        if (HandleAllocated()) {
            TRect insets = NonClientInsets();
            if (!(insets == FInsets)) {
                FInsets = insets;
                for (TWinControl* child : FWinControls) child->UpdateWidgetGeometry();
            }
        }
        BoundsChanged();
        Perform(WM_SIZE, 0, MakeLParam(ClientWidth(), ClientHeight()));
        Realign();
        if (!Loading()) Resize();
        FHost->RequestPaint();
    }
    if (Parent() && !Loading()) Parent()->AdjustSize();
}

void TWinControl::BoundsChanged() {}

TRect TWinControl::ClientRect() const {
    return Rect(0, 0, std::max(0, Width() - FInsets.Left - FInsets.Right),
                std::max(0, Height() - FInsets.Top - FInsets.Bottom));
}

void TWinControl::SetClientWidth(int value) {
    SetBounds(Left(), Top(), Width() - ClientWidth() + value, Height());
}

void TWinControl::SetClientHeight(int value) {
    SetBounds(Left(), Top(), Width(), Height() - ClientHeight() + value);
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (TabStop()) params.Style |= WS_TABSTOP;
    params.WindowClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    params.X = Left();
    params.Y = Top();
    params.Width = Width();
    params.Height = Height();
}

TRect TWinControl::NonClientInsets() {
    TRect client = Rect(0, 0, Width(), Height());
    TMessage message{WM_NCCALCSIZE, 0, reinterpret_cast<std::intptr_t>(&client)};
    WndProc(message);
    return Rect(std::max(0, client.Left), std::max(0, client.Top), std::max(0, Width() - client.Right),
                std::max(0, Height() - client.Bottom));
}

void TWinControl::CreateWnd() {
    FCreateParams = {};
    CreateParams(FCreateParams);
    FInsets = NonClientInsets();
    for (TWinControl* child : FWinControls) child->UpdateWidgetGeometry();
}

void TWinControl::CreateHandle() {
    if (FHandleAllocated) return;
    CreateWnd();
    FHandleAllocated = true;
    UpdateWidgetGeometry();
    AdjustSize();
    Realign();
}

void TWinControl::HandleNeeded() {
    if (FHandleAllocated) return;
    if (Parent()) Parent()->HandleNeeded();
    CreateHandle();
}

void TWinControl::RecreateWnd() {
    if (!FHandleAllocated) return;
    CreateWnd();
    UpdateWidgetGeometry();
    Realign();
    FHost->RequestPaint();
}

void TWinControl::SetWindowRegion(std::optional<TRegion> region) {
    FWindowRegion = std::move(region);
    if (FWindowRegion && FWindowRegion->IsEmpty())
        // Qt reads an empty mask as none; a pixel outside the window hides it all.
        FHost->setMask(QRegion(-1, -1, 1, 1));
    else if (FWindowRegion)
        FHost->setMask(FWindowRegion->Native());
    else
        FHost->clearMask();
}

void TWinControl::UpdateShowing() {
    if (!Showing()) return;
    // A window exists once the control shows on screen; its children follow.
    if (Parent() || FHandleAllocated) {
        if (!FHandleAllocated) HandleNeeded();
    }
    if (!FHandleAllocated) return;
    for (TWinControl* child : std::vector<TWinControl*>(FWinControls)) child->UpdateShowing();
    AdjustSize();
}

void TWinControl::VisibleChanged() {
    if (!FHost->isWindow()) FHost->setVisible(Visible());
    UpdateShowing();
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    PropagateParentFont();
}

void TWinControl::PropagateParentFont() {
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->ApplyParentFont();
}

bool TWinControl::CanAutoSize(int& newWidth, int& newHeight) {
    // Sizing to the content needs the window: before it exists the stored size holds.
    if (!FHandleAllocated) return false;
    bool any = false;
    int minLeft = 0, minTop = 0, maxRight = 0, maxBottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (!child->Visible()) continue;
        if (!any) {
            minLeft = child->Left();
            minTop = child->Top();
            maxRight = child->Left() + child->Width();
            maxBottom = child->Top() + child->Height();
            any = true;
            continue;
        }
        minLeft = std::min(minLeft, child->Left());
        minTop = std::min(minTop, child->Top());
        maxRight = std::max(maxRight, child->Left() + child->Width());
        maxBottom = std::max(maxBottom, child->Top() + child->Height());
    }
    if (!any) return false;
    TRect adjusted = AdjustClientRect();
    // Children move so the content starts at the adjusted client area's corner.
    int dx = adjusted.Left - minLeft, dy = adjusted.Top - minTop;
    if (dx || dy) {
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* child = Controls(i);
            child->StoreBounds(child->Left() + dx, child->Top() + dy, child->Width(), child->Height());
            if (auto* windowed = dynamic_cast<TWinControl*>(child)) windowed->UpdateWidgetGeometry();
        }
        FHost->RequestPaint();
    }
    newWidth = (maxRight - minLeft) + (Width() - adjusted.Width());
    newHeight = (maxBottom - minTop) + (Height() - adjusted.Height());
    return true;
}

void TWinControl::AdjustSize() {
    if (!AutoSize() || Loading() || FAutoSizing || !FHandleAllocated) return;
    FAutoSizing = true;
    try {
        SetBounds(Left(), Top(), Width(), Height());
    } catch (...) {
        FAutoSizing = false;
        throw;
    }
    FAutoSizing = false;
}

void TWinControl::Realign() {
    if (FAligning) return;
    FAligning = true;
    AlignControls(AdjustClientRect());
    FAligning = false;
}

void TWinControl::AlignControls(TRect rect) {
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (!child->Visible() || child->Align() == alNone) continue;
        switch (child->Align()) {
        case alTop:
            child->SetBounds(rect.Left, rect.Top, rect.Width(), child->Height());
            rect.Top += child->Height();
            break;
        case alBottom:
            child->SetBounds(rect.Left, rect.Bottom - child->Height(), rect.Width(), child->Height());
            rect.Bottom -= child->Height();
            break;
        case alLeft:
            child->SetBounds(rect.Left, rect.Top, child->Width(), rect.Height());
            rect.Left += child->Width();
            break;
        case alRight:
            child->SetBounds(rect.Right - child->Width(), rect.Top, child->Width(), rect.Height());
            rect.Right -= child->Width();
            break;
        case alClient:
            child->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
            break;
        case alNone: break;
        }
    }
}

bool TWinControl::Focused() const { return FHost->hasFocus(); }

bool TWinControl::CanFocus() const {
    for (const TControl* control = this; control; control = control->Parent())
        if (!control->Visible() || !control->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() {
    HandleNeeded();
    FHost->setFocus(Qt::OtherFocusReason);
}

void TWinControl::UpdateFocusPolicy() {
    FHost->setFocusPolicy(FTabStop ? Qt::TabFocus : Qt::NoFocus);
}

void TWinControl::SetTabStop(bool value) {
    FTabStop = value;
    UpdateFocusPolicy();
}

void TWinControl::SetTabOrder(int value) {
    FTabOrder = value;
    if (!Parent()) return;
    std::vector<TWinControl*> siblings = Parent()->FWinControls;
    std::stable_sort(siblings.begin(), siblings.end(),
                     [](TWinControl* a, TWinControl* b) { return a->FTabOrder < b->FTabOrder; });
    for (size_t i = 1; i < siblings.size(); ++i)
        QWidget::setTabOrder(siblings[i - 1]->FHost.get(), siblings[i]->FHost.get());
}

void TWinControl::SetTimer(int id, int milliseconds) {
    KillTimer(id);
    FTimers[id] = Application->Timers().Start(milliseconds, [this, id] {
        Application->DeliverTimer([this, id] { Perform(WM_TIMER, id); });
    });
}

void TWinControl::KillTimer(int id) {
    auto found = FTimers.find(id);
    if (found == FTimers.end()) return;
    Application->Timers().Stop(found->second);
    FTimers.erase(found);
}

void TWinControl::ScrollBy(int dx, int dy) {
    if (!dx && !dy) return;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        child->StoreBounds(child->Left() + dx, child->Top() + dy, child->Width(), child->Height());
        if (auto* windowed = dynamic_cast<TWinControl*>(child)) windowed->UpdateWidgetGeometry();
    }
    FHost->RequestPaint();
}

void TWinControl::InvalidateRect(const TRect& rect) {
    QRect area = QRect(rect.Left, rect.Top, rect.Width(), rect.Height()).translated(FHost->ClientOffset());
    FHost->RequestPaint(area);
}

void TWinControl::Invalidate() { FHost->RequestPaint(); }

void TWinControl::Update() {
    if (FHost->PaintPending() && FHost->isVisible()) FHost->repaint();
}

void TWinControl::InvalidateBounds(const TRect& bounds) {
    // A window repaints itself; the parent only shows what was beneath it.
    if (Parent()) Parent()->InvalidateRect(bounds);
}

void TWinControl::SetEnabled(bool value) {
    if (value == Enabled()) return;
    TControl::SetEnabled(value);
    FHost->setEnabled(value);
}

void TWinControl::DispatchMouse(TMessage& message) {
    TPoint point{LParamX(message.LParam), LParamY(message.LParam)};
    TControl* target = FCaptureControl;
    if (!target) target = ControlAtPos(point, false);
    if (message.Msg == WM_MOUSEMOVE) TrackMouseOver(target);
    if (target) {
        TMessage translated = message;
        translated.LParam = MakeLParam(point.X - target->Left(), point.Y - target->Top());
        target->WndProc(translated);
        message.Result = translated.Result;
        return;
    }
    TControl::WndProc(message);
}

void TWinControl::TrackMouseOver(TControl* control) {
    if (control == FMouseOverControl) return;
    TControl* old = FMouseOverControl;
    FMouseOverControl = control;
    if (old) old->Perform(CM_MOUSELEAVE);
    if (control) control->Perform(CM_MOUSEENTER);
}

void TWinControl::WndProc(TMessage& message) {
    if (IsMouseMessage(message.Msg)) {
        DispatchMouse(message);
        return;
    }
    switch (message.Msg) {
    case CM_MOUSELEAVE:
        TrackMouseOver(nullptr);
        TControl::WndProc(message);
        return;
    case WM_PAINT:
        PaintHandler(message);
        return;
    case WM_ERASEBKGND:
        EraseBackground(*reinterpret_cast<TCanvas*>(message.WParam));
        message.Result = 1;
        return;
    case WM_NCPAINT:
        PaintNonClient(*reinterpret_cast<TCanvas*>(message.WParam));
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        auto key = std::uint16_t(message.WParam);
        KeyDown(key, KeyboardShiftState());
        if (key == 0) return;
        message.WParam = key;
        DefaultHandler(message);
        return;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        auto key = std::uint16_t(message.WParam);
        KeyUp(key, KeyboardShiftState());
        if (key == 0) return;
        message.WParam = key;
        DefaultHandler(message);
        return;
    }
    case WM_CHAR: {
        char key = char(message.WParam);
        KeyPress(key);
        if (key == 0) return;
        message.WParam = static_cast<unsigned char>(key);
        DefaultHandler(message);
        return;
    }
    case WM_SETFOCUS:
        DoEnter();
        DefaultHandler(message);
        return;
    case WM_KILLFOCUS:
        DoExit();
        DefaultHandler(message);
        return;
    case WM_MOUSEWHEEL: {
        TShiftState shift = KeysToShiftState(LowWord(message.WParam));
        if (DoMouseWheel(shift, HighWordSigned(message.WParam),
                         {LParamX(message.LParam), LParamY(message.LParam)}))
            return;
        DefaultHandler(message);
        return;
    }
    default:
        TControl::WndProc(message);
    }
}

void TWinControl::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
    case WM_NCHITTEST: message.Result = HTCLIENT; break;
    case WM_MOUSEWHEEL:
        // Unhandled wheel turns go to the parent window.
        if (Parent()) message.Result = Parent()->Perform(message.Msg, message.WParam, message.LParam);
        break;
    default: break;
    }
}

void TWinControl::KeyDown(std::uint16_t& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(std::uint16_t& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

bool TWinControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, mousePos.X, mousePos.Y, handled);
    return handled;
}

void TWinControl::PaintWindow(TCanvas&) {}

void TWinControl::EraseBackground(TCanvas& canvas) {
    canvas.Brush() = {Color(), bsSolid};
    canvas.FillRect(ClientRect());
}

namespace {

// A control that fails to paint has its error reported; whatever paints after it
// still does.
void PaintReportingErrors(const std::function<void()>& paint) {
    if (Application)
        Application->Guard(paint);
    else
        paint();
}

} // namespace

void TWinControl::PaintHandler(TMessage& message) {
    auto& canvas = *reinterpret_cast<TCanvas*>(message.WParam);
    PaintReportingErrors([&] {
        TCanvasState state(canvas);
        PaintWindow(canvas);
    });
    PaintControls(canvas, nullptr);
}

void TWinControl::PaintControls(TCanvas& canvas, TControl* first) {
    auto start = FGraphicControls.begin();
    if (first) start = std::find(FGraphicControls.begin(), FGraphicControls.end(), first);
    TRect clip = canvas.ClipRect();
    for (auto it = start; it != FGraphicControls.end(); ++it) {
        TControl* control = *it;
        if (!control->Visible() || IsRectEmpty(IntersectRect(control->BoundsRect(), clip))) continue;
        PaintReportingErrors([&] {
            TCanvasState state(canvas);
            canvas.MoveOrigin(control->Left(), control->Top());
            canvas.IntersectClipRect(Rect(0, 0, control->Width(), control->Height()));
            control->Perform(WM_PAINT, reinterpret_cast<std::intptr_t>(&canvas));
        });
    }
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::PaintWindow(TCanvas& canvas) {
    FCanvas = &canvas;
    canvas.SetFont(Font());
    canvas.Brush() = {Color(), bsSolid};
    try {
        Paint();
    } catch (...) {
        FCanvas = nullptr;
        throw;
    }
    FCanvas = nullptr;
}
