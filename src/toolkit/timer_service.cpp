#include "toolkit/timer_service.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <algorithm>

namespace {

class TRealTimerService : public TTimerService {
public:
    TRealTimerService() { FClock.start(); }

    int Start(int intervalMs, std::function<void()> tick) override {
        int id = FNextId++;
        auto* timer = new QTimer();
        timer->setTimerType(Qt::PreciseTimer);
        timer->setInterval(std::max(1, intervalMs));
        QObject::connect(timer, &QTimer::timeout, [tick = std::move(tick)] { tick(); });
        timer->start();
        FTimers[id] = timer;
        return id;
    }

    void Stop(int id) override {
        auto found = FTimers.find(id);
        if (found == FTimers.end()) return;
        found->second->stop();
        // A timer may stop itself from its own tick; it goes once the tick is over.
        found->second->deleteLater();
        FTimers.erase(found);
    }

    std::int64_t NowMs() const override { return FClock.elapsed(); }

    ~TRealTimerService() override {
        for (auto& [id, timer] : FTimers) delete timer;
    }

private:
    std::map<int, QTimer*> FTimers;
    int FNextId = 1;
    QElapsedTimer FClock;
};

} // namespace

std::unique_ptr<TTimerService> CreateRealTimerService() {
    return std::make_unique<TRealTimerService>();
}

int TManualTimerService::Start(int intervalMs, std::function<void()> tick) {
    int id = FNextId++;
    int interval = std::max(1, intervalMs);
    FTimers[id] = {interval, FNow + interval, std::move(tick)};
    return id;
}

void TManualTimerService::Stop(int id) { FTimers.erase(id); }

void TManualTimerService::Advance(std::int64_t milliseconds) {
    std::int64_t end = FNow + std::max<std::int64_t>(0, milliseconds);
    for (;;) {
        // The earliest due timer within the span; ids break ties in start order.
        auto next = FTimers.end();
        for (auto it = FTimers.begin(); it != FTimers.end(); ++it)
            if (it->second.Due <= end && (next == FTimers.end() || it->second.Due < next->second.Due))
                next = it;
        if (next == FTimers.end()) break;
        FNow = next->second.Due;
        next->second.Due += next->second.Interval;
        // The tick may stop or restart timers, this one included.
        std::function<void()> tick = next->second.Tick;
        tick();
    }
    FNow = end;
}
