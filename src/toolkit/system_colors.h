#pragma once
// The desktop colours behind the system colour names, fixed once so the program
// looks the same everywhere.

#include "platform/basic_types.h"

// A plain 0x00BBGGRR value for any colour, system colours resolved.
TColor ColorToRGB(TColor color);
