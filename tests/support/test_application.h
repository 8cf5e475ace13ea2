#pragma once
// The process-wide application every widget test needs, on Qt's offscreen platform,
// with the hand-driven clock and error reports collected instead of shown.

#include "toolkit/application.h"

#include <string>
#include <vector>

TApplication& TestApplication();
TManualTimerService& TestClock();
// Error reports since the last call, oldest first.
std::vector<std::string> TakeErrorReports();
