#pragma once
// Input that goes through the platform's whole delivery path, as the user's would:
// the window system finds the window under the pointer, tracks entering and leaving,
// turns quick second presses into double clicks and sends keys to the focused
// window. Used by the headless driver and by tests.

#include "platform/basic_types.h"
#include "toolkit/input.h"

#include <cstdint>

class TForm;

enum TMouseAction { maMove, maPress, maRelease, maClick, maDoubleClick };

// `point` is in the form's client coordinates.
void SimulateMouse(TForm& form, TMouseAction action, TPoint point, TMouseButton button = mbLeft,
                   TShiftState shift = 0);
void SimulateWheel(TForm& form, TPoint point, int notches, TShiftState shift = 0);
// A key press and release (with its character, if it has one) sent to the form's
// focused window. `repeats` extra key-downs come as auto-repeats before the release.
void SimulateKey(TForm& form, std::uint16_t virtualKey, TShiftState shift = 0, int repeats = 0);
// A character typed on the keyboard (code page 1251).
void SimulateChar(TForm& form, char character, TShiftState shift = 0);
// Lets the platform deliver what it has queued.
void ProcessPendingInput();
