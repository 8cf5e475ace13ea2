#pragma once
// A component that fires OnTimer every Interval milliseconds while enabled.

#include "toolkit/component.h"
#include "toolkit/events.h"

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    const char* ClassName() const override { return "TTimer"; }

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    int Interval() const { return FInterval; }
    void SetInterval(int value);
    TNotifyEvent OnTimer;
    void SetOnTimer(TNotifyEvent handler);

    void Loaded() override;

private:
    void UpdateTimer();

    bool FEnabled = true;
    int FInterval = 1000;
    int FServiceId = 0;
};
