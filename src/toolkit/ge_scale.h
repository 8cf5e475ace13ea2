#pragma once
// Rescales the fonts of a form's direct children when the display does not run at
// the resolution the forms were designed for.

class TForm;

void AdjustFormFonts(TForm& form);
