#pragma once
// What a start asks of the desktop session, where the system has it, before its first
// window shows.

// Connects to the session's message bus, the way the screen-reader bridge reaches a
// reader. Takes as long as the bus does: call it on a thread of its own once the
// platform's application object exists, and the first window does not wait for the bus.
// Nothing to do on Windows, where readers are reached without one.
void ConnectSessionBus();

// Text is drawn only with the faces the program adds itself, rendered the way a stock
// desktop renders them (greyscale anti-aliasing, slight hinting) whatever the user's own
// font settings; the system's fonts and font configuration are never read. Call it
// before any text is measured. Nothing to do on Windows, where the system keeps no
// font configuration for a program to read.
void LeaveOutSystemFonts();
