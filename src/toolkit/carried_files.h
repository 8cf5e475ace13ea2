#pragma once
// What the program carries beside itself when it runs from a bundle: the folder
// share/vitrina/ next to its bin/ folder (fonts, a disc publisher's brand).

#include <string>

// The folder, or "" when the program carries none.
std::string CarriedFolder();

// The folder of the disc this program was packed onto: the one holding the hidden
// ".vitrina" folder the program runs from, or "" when it runs from elsewhere. Windows
// starts a disc's program in the disc's root, but a person may double-click it in its
// own folder; either way it reads the disc it came with.
std::string PackedDiscFolder();
// Makes that folder the current one, when there is one.
void EnterPackedDisc();

// Makes the face of `family` in that style known to the text drawing the first time it
// is asked for, when fonts/ of that folder holds it ("Liberation Sans", bold: the file
// LiberationSans-Bold.ttf), so text looks the same on machines that lack it. A start
// from a disc reads only the faces it draws with. Safe to call from any thread.
void UseCarriedFace(const std::string& family, bool bold, bool italic);

// Text is drawn with the carried faces alone when fonts/ of that folder holds any: it
// looks the same on every machine, and a start reads none of the system's fonts. Call
// before any text is measured.
void KeepTextToCarriedFaces();
