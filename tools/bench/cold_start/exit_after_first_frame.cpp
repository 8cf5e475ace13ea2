// Preloaded (LD_PRELOAD) into a Qt Widgets program: prints the monotonic clock at the
// end of the last paint of its start (in nanoseconds) and ends the process once no
// window has painted for a quarter of a second. A program that paints again as soon as
// it has read its data (the launcher paints its empty window first) is timed to the
// frame that shows the data; the page cache then holds what the start took.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <unistd.h>

namespace {

class TExitAfterFirstFrame : public QObject {
public:
    TExitAfterFirstFrame() {
        FQuiet.setSingleShot(true);
        FQuiet.setInterval(250);
        QObject::connect(&FQuiet, &QTimer::timeout, [this] {
            std::printf("%lld\n", static_cast<long long>(FLastPainted));
            std::fflush(stdout);
            _exit(0);
        });
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint && object->isWidgetType() &&
            static_cast<QWidget*>(object)->window()->isVisible()) {
            // The paint and the flush to the display finish before the loop runs this.
            QTimer::singleShot(0, this, [this] {
                FLastPainted = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                   std::chrono::steady_clock::now().time_since_epoch())
                                   .count();
                FQuiet.start();
            });
        }
        return false;
    }

private:
    QTimer FQuiet;
    long long FLastPainted = 0;
};

void Install() { QCoreApplication::instance()->installEventFilter(new TExitAfterFirstFrame); }

} // namespace

Q_COREAPP_STARTUP_FUNCTION(Install)
