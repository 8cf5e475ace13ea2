#pragma once
// The one seam every timer goes through: real time in the program, a clock that tests
// and the headless driver advance by hand.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

class TTimerService {
public:
    virtual ~TTimerService() = default;
    // Calls `tick` every `intervalMs` from the message loop until stopped; ids are > 0.
    virtual int Start(int intervalMs, std::function<void()> tick) = 0;
    virtual void Stop(int id) = 0;
    virtual std::int64_t NowMs() const = 0;
};

std::unique_ptr<TTimerService> CreateRealTimerService();

// Time moves only when Advance is called; what falls due fires in due order
// (ties in the order the timers were started).
class TManualTimerService : public TTimerService {
public:
    int Start(int intervalMs, std::function<void()> tick) override;
    void Stop(int id) override;
    std::int64_t NowMs() const override { return FNow; }
    void Advance(std::int64_t milliseconds);
    int ActiveCount() const { return int(FTimers.size()); }

private:
    struct TEntry {
        int Interval;
        std::int64_t Due;
        std::function<void()> Tick;
    };
    std::map<int, TEntry> FTimers;
    std::int64_t FNow = 0;
    int FNextId = 1;
};
