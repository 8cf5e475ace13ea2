#include "toolkit/screen.h"

#include "toolkit/form.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

TScreen* Screen = nullptr;

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}

void TScreen::SetCursor(TCursor cursor) {
    ++FCursorSets;
    if (cursor == FCursor) return;
    FCursor = cursor;
    ShowCursor();
}

void TScreen::PointerMoved(bool overCaption, TCursor controlCursor) {
    FOverCaption = overCaption;
    FControlCursor = controlCursor;
    ShowCursor();
}

TCursor TScreen::ShownCursor(bool overCaption, TCursor screenCursor, TCursor controlCursor) {
    if (overCaption) return crArrow;
    if (screenCursor != crDefault) return screenCursor;
    return controlCursor != crDefault ? controlCursor : crArrow;
}

void TScreen::ShowCursor() {
    if (!QGuiApplication::instance()) return;
    // The default leaves each window its own cursor; anything else overrides them all.
    if (FCursor == crDefault) {
        if (FOverriding) QGuiApplication::restoreOverrideCursor();
        FOverriding = false;
        return;
    }
    QCursor shape(Qt::CursorShape(CursorToQtShape(CursorShown())));
    if (!FOverriding)
        QGuiApplication::setOverrideCursor(shape);
    else if (QGuiApplication::overrideCursor()->shape() != shape.shape())
        QGuiApplication::changeOverrideCursor(shape);
    FOverriding = true;
}

int TScreen::Width() const {
    if (FWidth > 0) return FWidth;
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

int TScreen::Height() const {
    if (FHeight > 0) return FHeight;
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 0;
}

int TScreen::PixelsPerInch() const {
    if (FPixelsPerInch == 0) {
        QScreen* screen = QGuiApplication::primaryScreen();
        // With the windows enlarged by a whole factor, what is left of the resolution.
        FPixelsPerInch = screen ? int(screen->logicalDotsPerInchY() + 0.5) : 96;
    }
    return FPixelsPerInch;
}

int TScreen::BitsPerPixel() const {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 32;
}

void TScreen::SetMetrics(int width, int height, int pixelsPerInch) {
    FWidth = width;
    FHeight = height;
    if (pixelsPerInch > 0) FPixelsPerInch = pixelsPerInch;
}

void TScreen::AddForm(TForm* form) { FForms.push_back(form); }

void TScreen::RemoveForm(TForm* form) {
    FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end());
    if (FActiveForm == form) FActiveForm = nullptr;
}

int CursorToQtShape(TCursor cursor) {
    switch (cursor) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass: return Qt::WaitCursor;
    case crNo: return Qt::ForbiddenCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
    }
}
