#pragma once
// Top-level windows: a form is built from its stored description, fires OnCreate once
// it is whole, and can be shown modally.

#include "toolkit/win_control.h"

#include <optional>
#include <string>

class QEventLoop;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TPosition { poDesigned, poDefault, poScreenCenter };

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;
    const char* ClassName() const override { return "TForm"; }

    // Runs after construction, when the form and everything it holds exist:
    // fires OnCreate, then creates the window.
    virtual void AfterConstruction();
    // Fires OnDestroy and destroys the form's components while the whole form, the
    // members of a derived form included, still exists: a handler that runs as the
    // components go finds them. A derived form with members calls it first in its own
    // destructor, for a form deleted directly.
    void BeforeDestruction() override;

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition position) { FPosition = position; }
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int value) { FPixelsPerInch = value; }
    bool Scaled() const { return FScaled; }
    void SetScaled(bool value) { FScaled = value; }
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool value) { FAutoScroll = value; }

    void SetBounds(int left, int top, int width, int height) override;
    TRect ClientRect() const override;
    void SetClientWidth(int value) override;
    void SetClientHeight(int value) override;

    void Close();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult result);
    // Shows the form and waits until it closes; other forms take no input meanwhile.
    TModalResult ShowModal();
    bool Modal() const { return FModalLoop != nullptr; }
    bool Active() const;

    TNotifyEvent OnCreate;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void VisibleChanged() override;
    virtual void DoCreate();
    virtual void Activate();
    virtual void Deactivate();
    void DescribeAccessible(TAccessibleFacts& facts) const override;

private:
    friend class THostWidget;
    friend class TApplication;
    void WindowActivated(bool active);
    // Bounds asked for while maximised, once the window is normal again.
    void ApplyRestoredBounds();
    void ClosedBySystem();
    void ShowTitle();

    TFormBorderStyle FBorderStyle = bsSizeable;
    TWindowState FWindowState = wsNormal;
    TPosition FPosition = poDesigned;
    int FPixelsPerInch = 96;
    bool FScaled = false;
    bool FAutoScroll = false;
    std::optional<TRect> FRestoredBounds;
    TModalResult FModalResult = mrNone;
    QEventLoop* FModalLoop = nullptr;
    bool FActive = false;
    bool FBeforeDestructionDone = false;
};
