#pragma once
// Starting the program: every unit in its order, the application object, the launcher
// window and then the viewer. Shared by the program and its headless driver.

#include <functional>
#include <string>
#include <vector>

class TApplication;

// Unit start-up: the picture formats register themselves (GIF before JPEG), and every
// component class the stored windows use becomes known to the form reader.
void StartUnits();
// Unit finalisation: the picture formats leave the registry.
void FinishUnits();
// The program's own icon, in several sizes.
std::vector<std::string> ProgramIconFiles();
// Takes the brand the bundle carries (a damaged one is left, with its problem told to
// brandDamaged), gives the windows their icon, creates the launcher window, which
// becomes the main window, and the hidden viewer.
void CreateWindows(TApplication& application,
                   const std::function<void(const std::string&)>& brandDamaged = {});
// Starts decoding the windows' stored descriptions on other threads, for CreateWindows;
// first thing in a start, so the work overlaps connecting to the window system.
void DecodeWindowsAhead();
