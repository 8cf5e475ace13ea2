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

    TCursor FCursor = crDefault;
    int FWidth = 0;
    int FHeight = 0;
    mutable int FPixelsPerInch = 0;
    std::vector<TForm*> FForms;
    TForm* FActiveForm = nullptr;
};

extern TScreen* Screen;

// The Qt cursor shape for a cursor value (toolkit use).
int CursorToQtShape(TCursor cursor);
