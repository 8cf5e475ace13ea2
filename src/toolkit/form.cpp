#include "toolkit/form.h"

#include "platform/exceptions.h"

#include "toolkit/application.h"
#include "toolkit/host_widget.h"
#include "toolkit/qt_bridge.h"
#include "toolkit/screen.h"

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    SetVisible(false);
    Host()->setAttribute(Qt::WA_DeleteOnClose, false);
    if (Screen) Screen->AddForm(this);
}

TForm::~TForm() {
    BeforeDestruction();
    if (FModalLoop) FModalLoop->quit();
    if (Screen) Screen->RemoveForm(this);
    if (Application && Application->MainForm() == this) Application->Terminate();
}

void TForm::BeforeDestruction() {
    if (FBeforeDestructionDone) return;
    FBeforeDestructionDone = true;
    SetDestroying();
    if (OnDestroy) Application->Guard([this] { OnDestroy(this); });
    DestroyComponents();
}

void TForm::AfterConstruction() {
    DoCreate();
    HandleNeeded();
}

void TForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
    if (style == FBorderStyle) return;
    FBorderStyle = style;
    RecreateWnd();
}

void TForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ExStyle |= WS_EX_CONTROLPARENT;
    params.WindowClassStyle = CS_DBLCLKS;
    switch (FBorderStyle) {
    case bsNone: params.Style = WS_POPUP | WS_CLIPCHILDREN; break;
    case bsSizeable: params.Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN; break;
    case bsSingle:
    case bsDialog: params.Style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN; break;
    case bsToolWindow:
    case bsSizeToolWin: params.Style = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN; break;
    }
}

void TForm::CreateWnd() {
    TWinControl::CreateWnd();
    TCreateParams params = LastCreateParams();
    Qt::WindowFlags flags = Qt::Window;
    if (!(params.Style & WS_CAPTION)) {
        flags |= Qt::FramelessWindowHint;
    } else {
        flags |= Qt::WindowTitleHint;
        if (params.Style & WS_SYSMENU) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (params.Style & WS_MINIMIZEBOX) flags |= Qt::WindowMinimizeButtonHint;
        if (params.Style & WS_MAXIMIZEBOX) flags |= Qt::WindowMaximizeButtonHint;
    }
    bool wasVisible = Host()->isVisible();
    Host()->setWindowFlags(flags);
    ShowTitle();
    UpdateWidgetGeometry();
    if (wasVisible) Host()->show();
}

void TForm::ShowTitle() {
    // Task bars and window switchers show a window's title. A window without a caption
    // bar never shows its caption, so they show the application's title instead.
    bool captionBar = LastCreateParams().Style & WS_CAPTION;
    Host()->setWindowTitle(ToQString(captionBar || !Application ? Caption() : Application->Title()));
}

TWindowState TForm::WindowState() const {
    if (HandleAllocated() && Host()->isVisible()) {
        if (Host()->isMinimized()) return wsMinimized;
        if (Host()->isMaximized()) return wsMaximized;
        return wsNormal;
    }
    return FWindowState;
}

void TForm::SetWindowState(TWindowState state) {
    FWindowState = state;
    if (!Visible() || !HandleAllocated()) {
        ApplyRestoredBounds();
        return;
    }
    switch (state) {
    case wsNormal: Host()->showNormal(); break;
    case wsMinimized: Host()->showMinimized(); break;
    case wsMaximized: Host()->showMaximized(); break;
    }
}

void TForm::VisibleChanged() {
    if (Visible()) {
        HandleNeeded();
        ShowTitle();
        switch (FWindowState) {
        case wsNormal: Host()->show(); break;
        case wsMinimized: Host()->showMinimized(); break;
        case wsMaximized:
            // An X server without a window manager maximises nothing: fill the screen
            // first; a window manager maximises it as usual.
            if (QGuiApplication::platformName() == QLatin1String("xcb"))
                if (QScreen* screen = Host()->screen()) Host()->setGeometry(screen->availableGeometry());
            Host()->showMaximized();
            break;
        }
        TWinControl::VisibleChanged();
        Host()->activateWindow();
        if (AccessibleFacts().Role == arDialog) NotifyAccessible(*this, acDialogStart);
        if (OnShow) OnShow(this);
    } else {
        if (HandleAllocated() && Host()->isVisible()) {
            if (Host()->isMaximized()) FWindowState = wsMaximized;
            else if (!Host()->isMinimized()) FWindowState = wsNormal;
        }
        Host()->hide();
        if (AccessibleFacts().Role == arDialog) NotifyAccessible(*this, acDialogEnd);
        if (OnHide) OnHide(this);
    }
}

void TForm::SetBounds(int left, int top, int width, int height) {
    // A maximised window keeps the screen's size, shown or hidden (a hidden window
    // resized would not maximise again); what it is asked for, after auto-size, is
    // where it goes once it is restored.
    if (WindowState() == wsMaximized) {
        if (AutoSize() && !Loading()) CanAutoSize(width, height);
        FRestoredBounds = Bounds(left, top, width, height);
        return;
    }
    TWinControl::SetBounds(left, top, width, height);
}

void TForm::ApplyRestoredBounds() {
    if (!FRestoredBounds || WindowState() != wsNormal) return;
    TRect bounds = *FRestoredBounds;
    FRestoredBounds.reset();
    TWinControl::SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
}

TRect TForm::ClientRect() const {
    QWidget* widget = Host();
    int frameWidth = widget->frameGeometry().width() - widget->width();
    int frameHeight = widget->frameGeometry().height() - widget->height();
    return Rect(0, 0, std::max(0, Width() - frameWidth), std::max(0, Height() - frameHeight));
}

void TForm::SetClientWidth(int value) {
    HandleNeeded();
    TWinControl::SetClientWidth(value);
}

void TForm::SetClientHeight(int value) {
    HandleNeeded();
    TWinControl::SetClientHeight(value);
}

bool TForm::Active() const { return FActive; }

void TForm::SetModalResult(TModalResult result) {
    FModalResult = result;
    if (result != mrNone && FModalLoop) FModalLoop->quit();
}

void TForm::Close() {
    if (FModalLoop) {
        SetModalResult(mrCancel);
        return;
    }
    Hide();
    if (Application && Application->MainForm() == this) Application->Terminate();
}

void TForm::ClosedBySystem() { Close(); }

TModalResult TForm::ShowModal() {
    if (Visible() || FModalLoop) throw Exception("Cannot make a visible window modal");
    TCursor savedCursor = Screen->Cursor();
    Screen->SetCursor(crDefault);
    const unsigned cursorSets = Screen->CursorSets();
    TForm* previous = Screen->ActiveForm();
    QPointer<QWidget> previousFocus = QApplication::focusWidget();
    // Other windows take no input while this one is shown.
    std::vector<TForm*> disabled;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TForm* form = Screen->Forms(i);
        if (form != this && form->Enabled()) {
            form->SetEnabled(false);
            disabled.push_back(form);
        }
    }
    FModalResult = mrNone;
    QEventLoop loop;
    FModalLoop = &loop;
    auto finish = [&] {
        FModalLoop = nullptr;
        Hide();
        for (TForm* form : disabled) form->SetEnabled(true);
        // Set again while the window was open, the cursor goes back to the default.
        Screen->SetCursor(Screen->CursorSets() == cursorSets ? savedCursor : crDefault);
    };
    try {
        Show();
        if (Application->OnModalShown) Application->OnModalShown(*this);
        if (FModalResult == mrNone) loop.exec();
    } catch (...) {
        finish();
        throw;
    }
    finish();
    // The window it came from takes the keyboard back where it was, and a screen reader
    // follows.
    if (previous && previous != this && previous->Visible()) {
        previous->Host()->activateWindow();
        if (previousFocus && previousFocus->window() == previous->Host()) previousFocus->setFocus(Qt::ActiveWindowFocusReason);
    }
    return FModalResult;
}

void TForm::WindowActivated(bool active) {
    if (active == FActive) return;
    FActive = active;
    if (active) {
        if (Screen) Screen->SetActiveForm(this);
        Activate();
    } else {
        Deactivate();
    }
}

void TForm::Activate() {
    if (OnActivate) OnActivate(this);
}

void TForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}
