#pragma once
// What the program carries beside itself when it runs from a bundle: the folder
// share/vitrina/ next to its bin/ folder (fonts, a disc publisher's brand).

#include <string>

// The folder, or "" when the program carries none.
std::string CarriedFolder();

// Makes the face of `family` in that style known to the text drawing the first time it
// is asked for, when fonts/ of that folder holds it ("Liberation Sans", bold: the file
// LiberationSans-Bold.ttf), so text looks the same on machines that lack it. A start
// from a disc reads only the faces it draws with. Safe to call from any thread.
void UseCarriedFace(const std::string& family, bool bold, bool italic);
