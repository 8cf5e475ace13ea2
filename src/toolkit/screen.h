#pragma once
// The screen: its size, its resolution and the application-wide cursor.

#include "toolkit/component.h"
#include "toolkit/input.h"

#include <vector>

class TForm;

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* owner);
    const char* ClassName() const override { return "TScreen"; }

    // While not crDefault this cursor shows over every window of the application and
    // the cursors of single controls are ignored.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor cursor);
    // How many times the cursor has been set, whatever to.
    unsigned CursorSets() const { return FCursorSets; }

    // Where the pointer is, from the window it last moved in: over a caption area,
    // and the cursor of the control under it (crDefault for none).
    void PointerMoved(bool overCaption, TCursor controlCursor);
    // The cursor the user sees there.
    TCursor CursorShown() const { return ShownCursor(FOverCaption, FCursor, FControlCursor); }
    // A caption area shows the arrow; elsewhere the screen cursor, unless it is the
    // default, then the control's own, the arrow if it has none.
    static TCursor ShownCursor(bool overCaption, TCursor screenCursor, TCursor controlCursor);

    int Width() const;
    int Height() const;
    // Logical pixels per inch, vertical, measured once.
    int PixelsPerInch() const;
    int BitsPerPixel() const;
    // Pretends another screen (headless runs and tests).
    void SetMetrics(int width, int height, int pixelsPerInch);

    int FormCount() const { return int(FForms.size()); }
    TForm* Forms(int index) const { return FForms.at(size_t(index)); }
    TForm* ActiveForm() const { return FActiveForm; }

private:
    friend class TForm;
    void AddForm(TForm* form);
    void RemoveForm(TForm* form);
    void SetActiveForm(TForm* form) { FActiveForm = form; }

    void ShowCursor();

    TCursor FCursor = crDefault;
    unsigned FCursorSets = 0;
    bool FOverCaption = false;
    TCursor FControlCursor = crDefault;
    bool FOverriding = false;
    int FWidth = 0;
    int FHeight = 0;
    mutable int FPixelsPerInch = 0;
    std::vector<TForm*> FForms;
    TForm* FActiveForm = nullptr;
};

extern TScreen* Screen;

// The Qt cursor shape for a cursor value (toolkit use).
int CursorToQtShape(TCursor cursor);
