#include "toolkit/input_simulation.h"

#include "toolkit/form.h"
#include "toolkit/host_widget.h"
#include "toolkit/qt_bridge.h"

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>

namespace QTest {
// Declared by QtTest only inside its own helpers.
extern int Q_TESTLIB_EXPORT defaultMouseDelay();
} // namespace QTest

namespace {

Qt::KeyboardModifiers Modifiers(TShiftState shift) {
    Qt::KeyboardModifiers modifiers;
    if (shift & ssShift) modifiers |= Qt::ShiftModifier;
    if (shift & ssCtrl) modifiers |= Qt::ControlModifier;
    if (shift & ssAlt) modifiers |= Qt::AltModifier;
    return modifiers;
}

Qt::MouseButton Button(TMouseButton button) {
    switch (button) {
    case mbRight: return Qt::RightButton;
    case mbMiddle: return Qt::MiddleButton;
    default: return Qt::LeftButton;
    }
}

QWindow* WindowOf(TForm& form) {
    form.HandleNeeded();
    QWidget* widget = form.Widget();
    if (!widget->windowHandle()) widget->winId();
    return widget->windowHandle();
}

QPoint WindowPoint(TForm& form, TPoint point) {
    QPoint offset = form.Host()->ClientOffset();
    return QPoint(point.X, point.Y) + offset;
}

Qt::Key QtKey(std::uint16_t key) {
    if (key >= 'A' && key <= 'Z') return Qt::Key(Qt::Key_A + (key - 'A'));
    if (key >= '0' && key <= '9') return Qt::Key(Qt::Key_0 + (key - '0'));
    if (key >= VK_F1 && key < VK_F1 + 24) return Qt::Key(Qt::Key_F1 + (key - VK_F1));
    switch (key) {
    case VK_BACK: return Qt::Key_Backspace;
    case VK_TAB: return Qt::Key_Tab;
    case VK_RETURN: return Qt::Key_Return;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_SPACE: return Qt::Key_Space;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_END: return Qt::Key_End;
    case VK_HOME: return Qt::Key_Home;
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    case VK_INSERT: return Qt::Key_Insert;
    case VK_DELETE: return Qt::Key_Delete;
    case VK_SHIFT: return Qt::Key_Shift;
    case VK_CONTROL: return Qt::Key_Control;
    case VK_MENU: return Qt::Key_Alt;
    default: return Qt::Key_unknown;
    }
}

QString KeyText(std::uint16_t key, TShiftState shift) {
    if (shift & (ssCtrl | ssAlt)) return {};
    if (key >= 'A' && key <= 'Z') return QString(QChar(shift & ssShift ? key : key - 'A' + 'a'));
    if (key >= '0' && key <= '9') return QString(QChar(key));
    if (key == VK_RETURN) return QStringLiteral("\r");
    if (key == VK_SPACE) return QStringLiteral(" ");
    if (key == VK_ESCAPE) return QString(QChar(27));
    if (key == VK_BACK) return QString(QChar(8));
    return {};
}

QWidget* FocusTarget(TForm& form) {
    QWidget* focus = form.Widget()->focusWidget();
    return focus ? focus : form.Widget();
}

} // namespace

void SimulateMouse(TForm& form, TMouseAction action, TPoint point, TMouseButton button, TShiftState shift) {
    QWindow* window = WindowOf(form);
    QPointF at = WindowPoint(form, point);
    QPointF global = window->mapToGlobal(at);
    Qt::KeyboardModifiers modifiers = Modifiers(shift);
    Qt::MouseButton qtButton = Button(button);
    // What QTest's helpers do, except that they take the point (0, 0) for "the centre".
    // Its clock and button state are shared, so its double-click timing holds.
    using QTestPrivate::qtestMouseButtons;
    QTest::lastMouseTimestamp += std::max(1, QTest::defaultMouseDelay());
    auto send = [&](QEvent::Type type, Qt::MouseButton which) {
        if (type == QEvent::MouseButtonPress) qtestMouseButtons.setFlag(which, true);
        if (type == QEvent::MouseButtonRelease) qtestMouseButtons.setFlag(which, false);
        qt_handleMouseEvent(window, at, global, qtestMouseButtons, which, type, modifiers, QTest::lastMouseTimestamp);
    };
    auto click = [&] {
        send(QEvent::MouseButtonPress, qtButton);
        send(QEvent::MouseButtonRelease, qtButton);
    };
    switch (action) {
    case maMove: send(QEvent::MouseMove, Qt::NoButton); break;
    case maPress: send(QEvent::MouseButtonPress, qtButton); break;
    case maRelease: send(QEvent::MouseButtonRelease, qtButton); break;
    case maClick: click(); break;
    case maDoubleClick: click(); click(); break;
    }
    // After a release the next press is no double click.
    if (action != maMove && action != maPress) QTest::lastMouseTimestamp += QTest::mouseDoubleClickInterval;
    ProcessPendingInput();
}

void SimulateWheel(TForm& form, TPoint point, int notches, TShiftState shift) {
    QWidget* top = form.Widget();
    QPoint at = WindowPoint(form, point);
    QWidget* target = top->childAt(at);
    if (!target) target = top;
    QPoint local = target->mapFrom(top, at);
    QWheelEvent event(QPointF(local), QPointF(top->mapToGlobal(at)), QPoint(), QPoint(0, 120 * notches),
                      Qt::NoButton, Modifiers(shift), Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
    ProcessPendingInput();
}

void SimulateKey(TForm& form, std::uint16_t virtualKey, TShiftState shift, int repeats) {
    QWidget* target = FocusTarget(form);
    Qt::Key key = QtKey(virtualKey);
    QString text = KeyText(virtualKey, shift);
    Qt::KeyboardModifiers modifiers = Modifiers(shift);
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    for (int i = 0; i < repeats; ++i) {
        QKeyEvent again(QEvent::KeyPress, key, modifiers, text, true);
        QApplication::sendEvent(FocusTarget(form), &again);
    }
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(FocusTarget(form), &release);
    ProcessPendingInput();
}

void SimulateChar(TForm& form, char character, TShiftState shift) {
    QString text = ToQString(std::string_view(&character, 1));
    QWidget* target = FocusTarget(form);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Modifiers(shift), text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Modifiers(shift), text);
    QApplication::sendEvent(FocusTarget(form), &release);
    ProcessPendingInput();
}

void ProcessPendingInput() { QApplication::processEvents(); }
