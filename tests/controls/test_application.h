#pragma once
// One application object for every test of the executable, on a clock the tests move.

#include "toolkit/application.h"

#include <memory>

inline TManualTimerService& Clock() { return *Application->ManualClock(); }

// Left press and release at a client point of a control.
#define VITRINA_CLICK(control, x, y)                                                   \
    do {                                                                               \
        (control).Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam((x), (y)));           \
        (control).Perform(WM_LBUTTONUP, 0, MakeLParam((x), (y)));                      \
    } while (0)
