#include "toolkit/application.h"

#include "platform/desktop_session.h"
#include "platform/exceptions.h"
#include "toolkit/accessible_objects.h"
#include "toolkit/carried_files.h"
#include "toolkit/form.h"
#include "toolkit/host_widget.h"
#include "toolkit/qt_bridge.h"
#include "toolkit/screen.h"

#include <QApplication>
#include <QFontDatabase>
#include <QIcon>
#include <QImage>
#include <QMessageBox>
#include <QWidget>

TApplication* Application = nullptr;

namespace {

int qtArgc = 1;
char qtProgramName[] = "vitrina";
char* qtArgv[] = {qtProgramName, nullptr};

} // namespace

TApplication::TApplication() : TComponent(nullptr), FTimers(CreateRealTimerService()) {
    Application = this;
    Screen = new TScreen(this);
}

TApplication::~TApplication() {
    SetDestroying();
    if (FWarmUp.joinable()) FWarmUp.join();
    // Forms go before the screen and the timers they use.
    for (int i = ComponentCount() - 1; i >= 0; --i)
        if (auto* form = dynamic_cast<TForm*>(Components(i))) {
            form->BeforeDestruction();
            delete form;
        }
    DestroyComponents();
    Screen = nullptr;
    FTimers.reset();
    if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
    // The windows are drawn for 96 dpi and copied one to one; only a display of two,
    // three... times that resolution scales them, by that whole factor, so a picture
    // pixel never straddles device pixels.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Floor);
    // The few patterns Qt matches for us are tiny, and its expression compiler's
    // generated code faults under Wine when the viewer opens: interpret them.
    if (!qEnvironmentVariableIsSet("QT_ENABLE_REGEXP_JIT")) qputenv("QT_ENABLE_REGEXP_JIT", "0");
    if (!QApplication::instance()) FOwnQtApplication = std::make_unique<QApplication>(qtArgc, qtArgv);
    QApplication::setQuitOnLastWindowClosed(false);
    InstallAccessibleObjects();
    KeepTextToCarriedFaces();
    // The font database and the session bus take a while to set up; they do it on the
    // other core while the windows are built, and the first text and the first window
    // wait only for what is left. The faces a bundle carries join the database one by
    // one as text first needs them.
    FWarmUp = std::thread([] {
        QFontDatabase::families();
        ConnectSessionBus();
    });
}

TManualTimerService& TApplication::UseManualClock() {
    auto clock = std::make_unique<TManualTimerService>();
    FManualClock = clock.get();
    FTimers = std::move(clock);
    return *FManualClock;
}

void TApplication::FormCreated(TForm* form) {
    if (!FMainForm) FMainForm = form;
    form->AfterConstruction();
}

void TApplication::Run() {
    if (!FMainForm) return;
    FRunning = true;
    FMainForm->Show();
    while (!FTerminated && QApplication::instance()) {
        QApplication::exec();
        break;
    }
    FRunning = false;
}

void TApplication::Terminate() {
    FTerminated = true;
    if (QApplication::instance()) QApplication::quit();
}

TIconPictures TApplication::ReadIcon(const std::vector<std::string>& imageFiles) {
    TIconPictures pictures;
    for (const std::string& file : imageFiles)
        if (QImage image = ReadImageFile(file); !image.isNull()) pictures.push_back(std::move(image));
    return pictures;
}

bool TApplication::SetIcon(const TIconPictures& pictures) {
    QIcon icon;
    for (const QImage& picture : pictures) icon.addPixmap(QPixmap::fromImage(picture));
    if (icon.isNull()) return false;
    QApplication::setWindowIcon(icon);
    return true;
}

void TApplication::ProcessMessages() { QApplication::processEvents(); }

void TApplication::Minimize() {
    if (FMainForm && FMainForm->Widget()) FMainForm->Widget()->showMinimized();
}

bool TApplication::Minimized() const {
    return FMainForm && FMainForm->Widget() && FMainForm->Widget()->isMinimized();
}

void TApplication::Restore() {
    if (FMainForm && FMainForm->Widget()) FMainForm->Widget()->showNormal();
}

std::string TApplication::ReportText(const std::string& message) {
    // A full stop ends the text unless it already ends in punctuation.
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

void TApplication::Guard(const std::function<void()>& code) {
    try {
        code();
    } catch (...) {
        HandleException(std::current_exception());
    }
}

void TApplication::HandleException(std::exception_ptr error) {
    std::string text = ReportText(error);
    if (FPaintDepth == 0) {
        Report(text);
        return;
    }
    FWaitingReports.push_back(std::move(text));
    if (FWaitingReports.size() > 1) return;
    if (!FReportContext) FReportContext = std::make_unique<QObject>();
    QMetaObject::invokeMethod(FReportContext.get(), [this] { ReportWaiting(); }, Qt::QueuedConnection);
}

void TApplication::ReportWaiting() {
    std::vector<std::string> reports;
    reports.swap(FWaitingReports);
    for (const std::string& text : reports)
        Report(text);
}

void TApplication::Report(const std::string& text) {
    if (ErrorReport)
        ErrorReport(text);
    else
        ShowErrorBox(text);
}

TApplication::TPainting::TPainting() {
    if (Application) ++Application->FPaintDepth;
}

TApplication::TPainting::~TPainting() {
    if (Application && Application->FPaintDepth > 0) --Application->FPaintDepth;
}

std::string TApplication::ReportText(std::exception_ptr error) {
    std::string message;
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        message = e.Message();
    } catch (const std::bad_alloc&) {
        message = "Out of memory";
    } catch (const std::exception& e) {
        message = e.what();
    } catch (...) {
        message = "Unknown error";
    }
    return ReportText(message);
}

void TApplication::ShowErrorBox(const std::string& text) {
    QWidget* parent = FMainForm ? FMainForm->Widget() : nullptr;
    QMessageBox box(QMessageBox::Critical, ToQString(FTitle), ToQString(text), QMessageBox::Ok, parent);
    box.exec();
}

void TApplication::FlushPendingPaints() {
    if (!Screen) return;
    auto pendingWindows = [] {
        std::vector<THostWidget*> pending;
        for (int i = 0; i < Screen->FormCount(); ++i) {
            THostWidget* host = Screen->Forms(i)->Host();
            if (!host || !host->isVisible()) continue;
            bool dirty = host->PaintPending();
            for (THostWidget* child : host->findChildren<THostWidget*>())
                dirty = dirty || (child->PaintPending() && child->isVisible());
            if (dirty) pending.push_back(host);
        }
        return pending;
    };
    if (pendingWindows().empty()) return;
    // A window just shown may not be on screen yet; let the window system catch up
    // (no user input meanwhile), then paint what is still waiting.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    for (THostWidget* host : pendingWindows()) host->repaint();
}

void TApplication::DeliverTimer(const std::function<void()>& tick) {
    // The loop hands out pending paints before timer messages.
    FlushPendingPaints();
    Guard(tick);
}
