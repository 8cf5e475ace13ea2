#pragma once
// The application object: creates the forms, runs the message loop, owns the timer
// seam and reports every error that escapes a handler.

#include "toolkit/component.h"
#include "toolkit/timer_service.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class QApplication;
class QImage;
class QObject;
class TForm;

// The pictures of the program's icon, one per size.
using TIconPictures = std::vector<QImage>;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;
    const char* ClassName() const override { return "TApplication"; }

    // Creates the platform's application object if nobody has yet.
    void Initialize();

    // Creates a form owned by the application; `reference` is set before the form's
    // creation handler runs. The first form created becomes the main form.
    template <class T>
    void CreateForm(T*& reference) {
        T* form = new T(this);
        reference = form;
        FormCreated(form);
    }

    // Shows the main form and dispatches messages until it is closed.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    void ProcessMessages();

    TForm* MainForm() const { return FMainForm; }
    void Minimize();
    void Restore();
    // Whether the main window is minimised now: restoring it from the task bar counts.
    bool Minimized() const;

    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& title) { FTitle = title; }
    // An icon's pictures from image files of several sizes (PNG; Qt resource paths too);
    // files that do not load are left out. Safe on any thread: a start reads them while
    // it builds its windows.
    static TIconPictures ReadIcon(const std::vector<std::string>& imageFiles);
    // The icon every window shows; false when there is no picture to show.
    bool SetIcon(const TIconPictures& pictures);

    TTimerService& Timers() { return *FTimers; }
    // Replaces real time with a hand-driven clock (tests and the headless driver).
    TManualTimerService& UseManualClock();
    TManualTimerService* ManualClock() const { return FManualClock; }

    // Runs code that came from the message loop; an error it raises is reported and
    // the program goes on.
    void Guard(const std::function<void()>& code);
    void HandleException(std::exception_ptr error);
    // The report's text: the message with a full stop added.
    static std::string ReportText(const std::string& message);
    // The report's text for an error of any kind.
    static std::string ReportText(std::exception_ptr error);
    // Where reports go; a message box unless replaced (headless runs record them).
    std::function<void(const std::string& text)> ErrorReport;

    // Around a window's paint event. Errors met meanwhile are reported once it is over,
    // in the order they came: a message box would run an event loop inside the paint.
    class TPainting {
    public:
        TPainting();
        ~TPainting();
        TPainting(const TPainting&) = delete;
        TPainting& operator=(const TPainting&) = delete;
    };

    // Called once a modal show has put its window up, before it waits for the window
    // to close; a headless driver goes on with its script from here.
    std::function<void(TForm& form)> OnModalShown;

    // Paints every window that has something invalid, before a timer tick is handled.
    void FlushPendingPaints();
    // Delivers a timer tick the way the message loop does.
    void DeliverTimer(const std::function<void()>& tick);

private:
    void FormCreated(TForm* form);
    void ShowErrorBox(const std::string& text);
    void Report(const std::string& text);
    void ReportWaiting();

    std::unique_ptr<QApplication> FOwnQtApplication;
    std::thread FWarmUp;
    std::unique_ptr<TTimerService> FTimers;
    TManualTimerService* FManualClock = nullptr;
    TForm* FMainForm = nullptr;
    std::string FTitle = "Vitrina";
    bool FTerminated = false;
    bool FRunning = false;
    int FPaintDepth = 0;
    std::vector<std::string> FWaitingReports;
    // Cancels the delivery of waiting reports when the application goes first.
    std::unique_ptr<QObject> FReportContext;
};

extern TApplication* Application;
