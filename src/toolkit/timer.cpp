#include "toolkit/timer.h"

#include "toolkit/application.h"

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
    if (FServiceId && Application) Application->Timers().Stop(FServiceId);
}

void TTimer::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    UpdateTimer();
}

void TTimer::SetInterval(int value) {
    if (value == FInterval) return;
    FInterval = value;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    OnTimer = std::move(handler);
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (FServiceId) {
        Application->Timers().Stop(FServiceId);
        FServiceId = 0;
    }
    if (Loading() || !FEnabled || FInterval <= 0 || !OnTimer) return;
    FServiceId = Application->Timers().Start(FInterval, [this] {
        Application->DeliverTimer([this] {
            if (OnTimer) OnTimer(this);
        });
    });
}
