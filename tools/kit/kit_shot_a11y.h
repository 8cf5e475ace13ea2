#pragma once
// vitrina-kit shot's view of what a screen reader meets: the accessibility tree of the
// focused window, the announcements sent, and a screen reader's press.

#include <cstdio>
#include <string>
#include <vector>

// Whether a script asks for any of it; the announcements are recorded only then.
bool ScriptUsesAccessibility(const std::vector<std::string>& lines);
// Records every announcement from now on. Call before the windows are made.
void StartAccessibleRecorder();

// One line of JSON: the tree from the focused window, as a screen reader walks it.
void WriteAccessibleTree(std::FILE* out);
// One line of JSON: the announcements since the last call, in order.
void WriteAccessibleEvents(std::FILE* out);
// Presses the first object of the focused window's tree with that name (UTF-8) that
// can be pressed, as a screen reader's user does; false if there is none.
bool PressAccessible(const std::string& utf8Name);
