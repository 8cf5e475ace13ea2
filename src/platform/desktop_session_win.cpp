#include "platform/desktop_session.h"

void ConnectSessionBus() {}

void LeaveOutSystemFonts() {}
