// Start-up benchmarks, run by scripts/bench-launcher.
//   bench-first-frame floor      a minimal Qt Widgets program: an 800x600 window,
//                                 gone as soon as its first frame is painted
//   bench-first-frame launcher   Vitrina in the current folder, gone as soon as the
//                                 window has been painted with the catalogue loaded
//   bench-first-frame click      Vitrina as above, then prints the milliseconds from a
//                                 click on the second title to its thumbnail painted
// The script times whole processes from outside; _exit skips the teardown in both.

#include "app/startup.h"
#include "launcher/main_unit.h"
#include "toolkit/application.h"
#include "toolkit/input_simulation.h"
#include "toolkit/panel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

// Acts once anything in the window of `widget` has painted while `ready` holds.
class TFirstFrameWatch : public QObject {
public:
    TFirstFrameWatch(QWidget* widget, std::function<bool()> ready, std::function<void()> then)
        : FWidget(widget), FReady(std::move(ready)), FThen(std::move(then)) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(object);
        if (event->type() == QEvent::Paint && widget && widget->window() == FWidget && FReady() && !FDone) {
            FDone = true;
            // The paint runs after this filter; act once it is over.
            QTimer::singleShot(0, [this] { FThen(); });
        }
        return false;
    }

private:
    QWidget* FWidget;
    std::function<bool()> FReady;
    std::function<void()> FThen;
    bool FDone = false;
};

int Floor(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(800, 600);
    TFirstFrameWatch watch(&window, [] { return true; }, [] { _exit(0); });
    window.show();
    return application.exec();
}

int Launcher(bool click) {
    TApplication application;
    application.Initialize();
    StartUnits();
    CreateWindows(application);
    auto loaded = [] { return MainFr->ListBoxGame && MainFr->ListBoxGame->Items().Count() > 0; };
    TFirstFrameWatch watch(MainFr->Widget(), loaded, [click] {
        if (!click) _exit(0);
        // The second title of the first category: its row in the title list.
        TPoint item{MainFr->ListBoxProg->Left() + 40, 100 + MainFr->ListBoxProg->Top() + 1 + 20 + 10};
        QElapsedTimer clock;
        clock.start();
        SimulateMouse(*MainFr, maClick, item);
        MainFr->Update();
        MainFr->MainPanel->Update();
        std::printf("%.3f\n", double(clock.nsecsElapsed()) / 1e6);
        std::fflush(stdout);
        _exit(0);
    });
    application.Run();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && !std::strcmp(argv[1], "floor")) return Floor(argc - 1, argv);
    if (argc == 2 && !std::strcmp(argv[1], "launcher")) return Launcher(false);
    if (argc == 2 && !std::strcmp(argv[1], "click")) return Launcher(true);
    std::fprintf(stderr, "usage: bench-first-frame floor|launcher|click\n");
    return 2;
}
