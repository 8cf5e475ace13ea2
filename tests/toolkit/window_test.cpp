#include "platform/exceptions.h"
#include "support/test_application.h"
#include "toolkit/canvas.h"
#include "toolkit/form.h"
#include "toolkit/ge_scale.h"
#include "toolkit/grab.h"
#include "toolkit/input_simulation.h"
#include "toolkit/label.h"
#include "toolkit/panel.h"
#include "toolkit/pixel_buffer.h"
#include "toolkit/screen.h"
#include "toolkit/timer.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

std::vector<std::string> eventLog;

class TPaintRecorder : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override { eventLog.push_back("paint"); }
};

// A borderless form dragged by any point no child covers.
class TCaptionForm : public TForm {
public:
    explicit TCaptionForm(TComponent* owner) : TForm(owner) {
        SetBorderStyle(bsNone);
        SetBounds(100, 100, 300, 200);
    }
    void WndProc(TMessage& message) override {
        if (message.Msg == WM_NCHITTEST) {
            message.Result = HTCAPTION;
            return;
        }
        TForm::WndProc(message);
    }
};

// A windowless control that logs what reaches it.
class TMouseProbe : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    std::vector<std::string> Log;

protected:
    void MouseDown(TMouseButton, TShiftState, int x, int y) override {
        Log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
    }
    void MouseMove(TShiftState, int x, int y) override {
        Log.push_back("move " + std::to_string(x) + "," + std::to_string(y));
    }
    void MouseUp(TMouseButton, TShiftState, int x, int y) override {
        Log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
    }
    void Click() override { Log.push_back("click"); }
};

// Fills itself, or fails half-way through its paint after moving and clipping the canvas.
class TFillOrFail : public TGraphicControl {
public:
    TFillOrFail(TComponent* owner, TColor color, std::string fault = "")
        : TGraphicControl(owner), FColor(color), FFault(std::move(fault)) {}

protected:
    void Paint() override {
        if (!FFault.empty()) {
            Canvas().MoveOrigin(500, 500);
            Canvas().SaveState();
            Canvas().IntersectClipRect(Rect(0, 0, 1, 1));
            throw Exception(FFault);
        }
        Canvas().Brush() = {FColor, bsSolid};
        Canvas().FillRect(ClientRect());
    }

private:
    TColor FColor;
    std::string FFault;
};

std::vector<std::string> qtWarnings;

void RecordQtWarning(QtMsgType, const QMessageLogContext&, const QString& text) {
    qtWarnings.push_back(text.toStdString());
}

// A part that tells a handler when it goes.
class TGoingPart : public TComponent {
public:
    using TComponent::TComponent;
    ~TGoingPart() override {
        if (OnGoing) OnGoing();
    }
    std::function<void()> OnGoing;
};

// A form whose parts' handlers read a member of the form, as a launcher's do.
class TFormWithMembers : public TForm {
public:
    TFormWithMembers(TComponent* owner, std::vector<std::string>& log) : TForm(owner) {
        for (int i = 0; i < 3; ++i)
            (new TGoingPart(this))->OnGoing = [this, &log] { log.push_back(FTitle + " heard a part go"); };
        OnDestroy = [this, &log](TObject*) {
            log.push_back(FTitle + " destroyed with " + std::to_string(ComponentCount()));
        };
    }

private:
    std::string FTitle = "a title longer than any string kept inline"; // on the heap
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        eventLog.clear();
        TakeErrorReports();
    }
    void TearDown() override { Screen->SetCursor(crDefault); }
};

} // namespace

// Run under the sanitizers, a member gone before the parts would be a read after free.
TEST_F(WindowTest, AFormsMembersOutliveThePartsItOwnsAndItsOnDestroy) {
    std::vector<std::string> log;
    auto* owner = new TComponent(nullptr);
    new TFormWithMembers(owner, log);
    delete owner; // as the application takes its forms with it
    const std::string title = "a title longer than any string kept inline";
    EXPECT_EQ(log, (std::vector<std::string>{title + " destroyed with 3", title + " heard a part go",
                                             title + " heard a part go", title + " heard a part go"}));
}

TEST_F(WindowTest, PendingPaintsGoBeforeATimerTick) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    auto* recorder = new TPaintRecorder(&form);
    recorder->SetParent(&form);
    recorder->SetBounds(0, 0, 50, 50);
    TTimer timer(nullptr);
    timer.SetInterval(1);
    timer.SetOnTimer([&](TObject*) {
        timer.SetEnabled(false);
        eventLog.push_back("timer");
    });
    form.Show();
    TestClock().Advance(1);
    ASSERT_GE(eventLog.size(), 2u) << (eventLog.empty() ? "" : eventLog[0]);
    EXPECT_EQ(eventLog.front(), "paint");
    EXPECT_EQ(eventLog.back(), "timer");
    // Disabled first thing, so it ran once.
    TestClock().Advance(10);
    EXPECT_EQ(std::count(eventLog.begin(), eventLog.end(), "timer"), 1);
}

TEST_F(WindowTest, ControlTimerOneRepeatsUntilKilled) {
    struct TTicker : TCustomControl {
        using TCustomControl::TCustomControl;
        std::vector<std::int64_t> Ticks;
        void WndProc(TMessage& message) override {
            if (message.Msg == WM_TIMER && message.WParam == 1) Ticks.push_back(TestClock().NowMs());
            TCustomControl::WndProc(message);
        }
    };
    TTicker ticker(nullptr);
    std::int64_t start = TestClock().NowMs();
    ticker.SetTimer(1, 500);
    TestClock().Advance(499);
    EXPECT_TRUE(ticker.Ticks.empty());
    TestClock().Advance(1);
    ticker.SetTimer(1, 50); // restarting switches the interval
    TestClock().Advance(100);
    ticker.KillTimer(1);
    TestClock().Advance(500);
    EXPECT_EQ(ticker.Ticks, (std::vector<std::int64_t>{start + 500, start + 550, start + 600}));
}

TEST_F(WindowTest, PressingWhereTheFormAnswersCaptionMovesTheWindow) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows moves a window dragged by its caption in a modal loop of its own, which "
                    "pressed and moved events made in the program cannot end; scripts/test-windows-programs "
                    "drags the real launcher by its banner instead";
#endif
    TCaptionForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 100, 300, 100);
    form.Show();
    SimulateMouse(form, maPress, {10, 10});
    SimulateMouse(form, maMove, {30, 25});
    // The window followed the pointer, which is over the point it was pressed on again.
    SimulateMouse(form, maRelease, {10, 10});
    EXPECT_EQ(form.Left(), 120);
    EXPECT_EQ(form.Top(), 115);
    // A child window answers its own hit test: pressing the panel moves nothing.
    SimulateMouse(form, maPress, {10, 150});
    SimulateMouse(form, maMove, {40, 170});
    SimulateMouse(form, maRelease, {40, 170});
    EXPECT_EQ(form.Left(), 120);
    EXPECT_EQ(form.Top(), 115);
}

TEST_F(WindowTest, WindowlessChildrenGetTheMouseThroughTheirParentAndKeepIt) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 200);
    auto* probe = new TMouseProbe(&form);
    probe->SetParent(&form);
    probe->SetBounds(50, 50, 20, 20);
    form.Show();
    SimulateMouse(form, maPress, {55, 56});
    // Dragged off the control: it keeps the pointer until the release, and a release
    // outside is no click.
    SimulateMouse(form, maMove, {150, 150});
    SimulateMouse(form, maRelease, {150, 150});
    SimulateMouse(form, maClick, {60, 60});
    // The click comes before the release is reported.
    EXPECT_EQ(probe->Log, (std::vector<std::string>{"move 5,6", "down 5,6", "move 100,100", "up 100,100",
                                                    "move 10,10", "down 10,10", "click", "up 10,10"}));
}

TEST_F(WindowTest, TheScreenCursorIsSavedAroundAModalShow) {
    TForm main(nullptr), dialog(nullptr);
    main.SetBounds(0, 0, 200, 200);
    dialog.SetBounds(10, 10, 100, 100);
    main.Show();
    Screen->SetCursor(crHandPoint);
    ASSERT_TRUE(QGuiApplication::overrideCursor());
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::PointingHandCursor);

    TCursor during = 99;
    bool mainEnabled = true;
    QTimer::singleShot(0, [&] {
        during = Screen->Cursor();
        mainEnabled = main.Enabled();
        dialog.Close();
    });
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_EQ(during, crDefault);
    EXPECT_FALSE(mainEnabled);
    EXPECT_TRUE(main.Enabled());
    EXPECT_FALSE(dialog.Visible());
    EXPECT_EQ(Screen->Cursor(), crHandPoint);

    // Set while the dialog was open, to anything, the cursor ends at the default.
    for (TCursor meanwhile : {crArrow, crDefault}) {
        Screen->SetCursor(crHandPoint);
        QTimer::singleShot(0, [&] {
            Screen->SetCursor(meanwhile);
            dialog.Close();
        });
        dialog.ShowModal();
        EXPECT_EQ(Screen->Cursor(), crDefault) << meanwhile;
        EXPECT_FALSE(QGuiApplication::overrideCursor());
    }
}

TEST_F(WindowTest, ALabelIsAsTallAsItsLines) {
    TForm form(nullptr);
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->Font().SetName("MS Sans Serif");
    label->Font().SetHeight(-11);
    label->SetWordWrap(true);
    label->SetBounds(2, 3, 220, 13);
    label->SetCaption("");
    EXPECT_EQ(label->Height(), 13);
    label->SetCaption("one\r\ntwo\r\nthree\r\nfour\r\nfive\r\nsix\r\nseven\r\neight\r\nnine");
    EXPECT_EQ(label->Height(), 117);
    label->SetCaption(label->Caption() + "\r\nten");
    EXPECT_EQ(label->Height(), 130);
    EXPECT_EQ(label->Width(), 220);
    // Long text wraps inside the fixed width.
    label->SetCaption(std::string(40, 'w') + " " + std::string(40, 'w'));
    EXPECT_EQ(label->Height(), 26);
}

TEST_F(WindowTest, FontAdjustmentScalesDirectChildrenByTheFormFactor) {
    TForm form(nullptr);
    auto* child = new TPanel(&form);
    child->SetParent(&form);
    auto* grandchild = new TLabel(&form);
    grandchild->SetParent(child);
    child->SetParentFont(false);
    grandchild->SetParentFont(false);

    Screen->SetMetrics(0, 0, 96);
    form.Font().SetHeight(-22);
    AdjustFormFonts(form);
    EXPECT_EQ(child->Font().Height(), -11); // 96 pixels per inch: nothing happens

    Screen->SetMetrics(0, 0, 120);
    AdjustFormFonts(form);
    EXPECT_EQ(child->Font().Height(), -22);
    AdjustFormFonts(form);
    EXPECT_EQ(child->Font().Height(), -44); // not guarded against repeats
    EXPECT_EQ(grandchild->Font().Height(), -11);

    form.Font().SetHeight(-11);
    AdjustFormFonts(form);
    EXPECT_EQ(child->Font().Height(), -44);
    form.Font().SetHeight(-5);
    AdjustFormFonts(form);
    EXPECT_EQ(child->Font().Height(), 0);
    Screen->SetMetrics(0, 0, 96);
}

TEST_F(WindowTest, AnErrorInAHandlerIsReportedAndTheProgramGoesOn) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 100, 100);
    form.OnClick = [](TObject*) { throw Exception("File not found"); };
    form.Show();
    SimulateMouse(form, maClick, {5, 5});
    SimulateMouse(form, maClick, {50, 50});
    EXPECT_EQ(TakeErrorReports(), (std::vector<std::string>{"File not found.", "File not found."}));
    EXPECT_EQ(TApplication::ReportText("I/O error 32"), "I/O error 32.");
    EXPECT_EQ(TApplication::ReportText("Done."), "Done.");
}

TEST_F(WindowTest, AnAutoSizedPanelFitsItsContentOnceItsWindowExists) {
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 107, 107);
    panel->SetAutoSize(true);
    auto* inner = new TLabel(&form);
    inner->SetAutoSize(false);
    inner->SetParent(panel);
    inner->SetBounds(1, 1, 300, 200);
    // The form is hidden: no window yet, the stored size holds.
    EXPECT_EQ(panel->Width(), 107);
    form.Show();
    EXPECT_EQ(panel->BoundsRect(), Rect(0, 0, 302, 202));
    EXPECT_EQ(inner->BoundsRect(), Rect(1, 1, 301, 201));
}

TEST_F(WindowTest, AMaximisedFormKeepsNewBoundsForWhenItIsRestored) {
#ifdef _WIN32
    GTEST_SKIP() << "under Wine the offscreen platform leaves a restored window maximised; not yet seen on "
                    "a real Windows, so it is not known whose fault it is";
#endif
    TForm form(nullptr);
    form.SetBounds(40, 30, 200, 150);
    form.SetAutoSize(true);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 300, 200);
    form.SetWindowState(wsMaximized);
    form.Show();
    ProcessPendingInput();
    ASSERT_EQ(form.WindowState(), wsMaximized);
    const int maximisedWidth = form.Width();
    EXPECT_GT(maximisedWidth, 600);
    // The content grows and the window is moved, shown and hidden: it stays maximised.
    panel->SetBounds(0, 0, 400, 250);
    form.SetLeft(0);
    form.Hide();
    panel->SetBounds(0, 0, 450, 260);
    form.Show();
    ProcessPendingInput();
    EXPECT_EQ(form.WindowState(), wsMaximized);
    EXPECT_EQ(form.Width(), maximisedWidth);
    // Restored, it takes the bounds it was last asked for.
    form.SetWindowState(wsNormal);
    ProcessPendingInput();
    ProcessPendingInput();
    EXPECT_EQ(form.WindowState(), wsNormal);
    EXPECT_EQ(form.ClientWidth(), 450);
    EXPECT_EQ(form.ClientHeight(), 260);
    EXPECT_EQ(form.Left(), 0);
}

TEST_F(WindowTest, AControlFailingToPaintLeavesTheRestPaintedAndIsReportedAfterThePaint) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    form.SetColor(RGB(255, 255, 255));
    auto place = [&](TControl* control, int left) {
        control->SetParent(&form);
        control->SetBounds(left, 10, 30, 30);
    };
    place(new TFillOrFail(&form, RGB(255, 0, 0)), 10);
    place(new TFillOrFail(&form, 0, "First fault"), 50);
    place(new TFillOrFail(&form, RGB(0, 0, 255)), 90);
    place(new TFillOrFail(&form, 0, "Second fault!"), 130);
    place(new TFillOrFail(&form, RGB(0, 255, 0)), 170);

    qtWarnings.clear();
    QtMessageHandler previous = qInstallMessageHandler(RecordQtWarning);
    TPixelBuffer shot;
    GrabControl(form, shot);
    std::vector<std::string> duringPaint = TakeErrorReports();
    QCoreApplication::processEvents();
    qInstallMessageHandler(previous);

    EXPECT_EQ(shot.Pixel(20, 20), RGB(255, 0, 0));
    EXPECT_EQ(shot.Pixel(100, 20), RGB(0, 0, 255));
    EXPECT_EQ(shot.Pixel(180, 20), RGB(0, 255, 0));
    EXPECT_TRUE(duringPaint.empty());
    EXPECT_EQ(TakeErrorReports(), (std::vector<std::string>{"First fault.", "Second fault!"}));
    EXPECT_EQ(qtWarnings, std::vector<std::string>{});
}
