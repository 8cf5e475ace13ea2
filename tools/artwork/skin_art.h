#pragma once
// The skin's pictures, drawn to the rectangles skin.ini names: the control parts
// (lists, scroll bars, description box and the rest), the frame of a skinned form with
// its mask, the popup menu, menu items, caption buttons and hint window.

#include <QImage>

#include <string>

namespace art {

QImage DrawControls();  // 384 x 421, every control part
QImage DrawFormFrame(); // 207 x 138
// The frame's mask: true where the form is not (white), false where it is (black).
std::vector<bool> FormMask();
QImage DrawPopupWindow(); // 76 x 51
QImage DrawMenuItems();   // 78 x 99
QImage DrawActiveParts(); // 167 x 68
QImage DrawHintWindow();  // 42 x 21

// Writes the seven pictures of skin.ini's PICTURES section into dir, each with the
// colour depth and palette size the skin is known by.
void WriteSkinPictures(const std::string& dir);

} // namespace art
