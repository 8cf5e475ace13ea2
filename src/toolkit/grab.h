#pragma once
// Pictures of what a window shows, for tests, tools and anyone who wants to look at a
// control without a screen.

#include <string>

class TPixelBuffer;
class TWinControl;

// The control's window as it paints now (frame and child windows included), into a
// 32-bit buffer of the control's size.
void GrabControl(TWinControl& control, TPixelBuffer& target);
// The same written as a PNG file; false when the file cannot be written.
bool SaveControlPng(TWinControl& control, const std::string& fileName);
// Writes a picture as a PNG file; false when the file cannot be written.
bool SavePng(const TPixelBuffer& picture, const std::string& fileName);
