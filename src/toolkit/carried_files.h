#pragma once
// What the program carries beside itself when it runs from a bundle: the folder
// share/vitrina/ next to its bin/ folder (fonts, a disc publisher's brand).

#include <string>

// The folder, or "" when the program carries none.
std::string CarriedFolder();

// Makes the fonts under fonts/ of that folder known to the text drawing, so text looks
// the same on machines that lack them. Safe to call off the user-interface thread.
void RegisterCarriedFonts();
