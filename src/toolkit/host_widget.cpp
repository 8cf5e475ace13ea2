#include "toolkit/host_widget.h"

#include "toolkit/application.h"
#include "toolkit/canvas.h"
#include "toolkit/form.h"
#include "toolkit/qt_bridge.h"
#include "toolkit/screen.h"
#include "toolkit/win_control.h"

#include <QCursor>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <QWindow>

namespace {

std::uint16_t VirtualKey(const QKeyEvent* event) {
    int key = event->key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return std::uint16_t('A' + (key - Qt::Key_A));
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return std::uint16_t('0' + (key - Qt::Key_0));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return std::uint16_t(VK_F1 + (key - Qt::Key_F1));
    switch (key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    default: return 0;
    }
}

std::intptr_t KeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    std::intptr_t flags = 0;
    if (buttons & Qt::LeftButton) flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton) flags |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) flags |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier) flags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier) flags |= MK_CONTROL;
    return flags;
}

unsigned ButtonMessage(Qt::MouseButton button, unsigned left, unsigned right, unsigned middle) {
    switch (button) {
    case Qt::LeftButton: return left;
    case Qt::RightButton: return right;
    case Qt::MiddleButton: return middle;
    default: return 0;
    }
}

} // namespace

THostWidget::THostWidget(TWinControl* control) : FControl(control) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

THostWidget::~THostWidget() = default;

void THostWidget::RequestPaint(const QRect& rect) {
    FPaintPending = true;
    update(rect);
}

void THostWidget::RequestPaint() {
    FPaintPending = true;
    update();
}

QPoint THostWidget::ClientOffset() const {
    TRect insets = FControl->Insets();
    return QPoint(insets.Left, insets.Top);
}

TForm* THostWidget::AsTopLevelForm() const {
    return isWindow() ? dynamic_cast<TForm*>(FControl) : nullptr;
}

bool THostWidget::InClientArea(QPoint widgetPos) const {
    QPoint client = widgetPos - ClientOffset();
    TRect area = FControl->ClientRect();
    return PtInRect(area, {client.x(), client.y()});
}

TControl* THostWidget::ControlAtClientPoint(QPoint clientPoint) const {
    TControl* child = FControl->ControlAtPos({clientPoint.x(), clientPoint.y()}, false);
    return child ? child : FControl;
}

int THostWidget::HitTest(QPoint globalPos) {
    return int(FControl->Perform(WM_NCHITTEST, 0, MakeLParam(globalPos.x(), globalPos.y())));
}

void THostWidget::ShowPointerCursor(bool overCaption, QPoint clientPoint) {
    TCursor controlCursor = crDefault;
    if (!overCaption)
        for (const TControl* control = ControlAtClientPoint(clientPoint); control && controlCursor == crDefault;
             control = control->Parent())
            controlCursor = control->Cursor();
    Screen->PointerMoved(overCaption, controlCursor);
    TCursor own = TScreen::ShownCursor(overCaption, crDefault, controlCursor);
    Qt::CursorShape shape = Qt::CursorShape(CursorToQtShape(own));
    if (cursor().shape() != shape) setCursor(shape);
}

void THostWidget::SendMouse(unsigned msg, QMouseEvent* event) {
    QPoint client = event->position().toPoint() - ClientOffset();
    TMessage message{msg, KeyFlags(event->buttons() | event->button(), event->modifiers()),
                     MakeLParam(client.x(), client.y())};
    if (msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP)
        message.WParam = KeyFlags(event->buttons(), event->modifiers());
    Application->Guard([&] { FControl->WndProc(message); });
}

void THostWidget::Detach() {
    FControl = nullptr;
    hide();
    deleteLater();
}

bool THostWidget::event(QEvent* event) {
    if (!FControl) {
        // Nothing reaches a control that no longer exists.
        switch (event->type()) {
        case QEvent::Paint: case QEvent::MouseButtonPress: case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick: case QEvent::MouseMove: case QEvent::Wheel: case QEvent::KeyPress:
        case QEvent::KeyRelease: case QEvent::FocusIn: case QEvent::FocusOut: case QEvent::Enter:
        case QEvent::Leave: case QEvent::Move: case QEvent::Resize: case QEvent::Close: case QEvent::Show:
        case QEvent::ToolTip: case QEvent::WindowActivate: case QEvent::WindowDeactivate:
            return true;
        default:
            return QWidget::event(event);
        }
    }
    switch (event->type()) {
    case QEvent::ToolTip: {
        auto* help = static_cast<QHelpEvent*>(event);
        QPoint client = help->pos() - ClientOffset();
        const TControl* control = ControlAtClientPoint(client);
        if (control->EffectiveShowHint() && !control->Hint().empty())
            QToolTip::showText(help->globalPos(), ToQString(control->Hint()), this);
        else
            QToolTip::hideText();
        return true;
    }
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        if (TForm* form = AsTopLevelForm()) {
            bool active = event->type() == QEvent::WindowActivate;
            Application->Guard([&] { form->WindowActivated(active); });
        }
        break;
    case QEvent::WindowStateChange:
        break;
    default: break;
    }
    return QWidget::event(event);
}

void THostWidget::paintEvent(QPaintEvent* event) {
    FPaintPending = false;
    TApplication::TPainting painting;
    QPainter painter(this);
    TRect insets{};
    Application->Guard([&] { insets = FControl->Insets(); });
    if (insets.Left || insets.Top || insets.Right || insets.Bottom) {
        TCanvas windowCanvas(painter);
        TCanvasState state(windowCanvas);
        Application->Guard([&] { FControl->PaintNonClient(windowCanvas); });
    }
    Application->Guard([&] {
        painter.translate(insets.Left, insets.Top);
        TRect client = FControl->ClientRect();
        QRect dirty = event->rect().translated(-insets.Left, -insets.Top) & ToQRect(client);
        if (dirty.isEmpty()) return;
        painter.setClipRect(dirty);
        TCanvas canvas(painter);
        FControl->Perform(WM_ERASEBKGND, reinterpret_cast<std::intptr_t>(&canvas));
        FControl->Perform(WM_PAINT, reinterpret_cast<std::intptr_t>(&canvas));
    });
}

void THostWidget::mousePressEvent(QMouseEvent* event) {
    if (TForm* form = AsTopLevelForm()) {
        QPoint global = event->globalPosition().toPoint();
        if (HitTest(global) == HTCAPTION) {
            if (event->button() == Qt::LeftButton) {
                // Let the window manager move the window; follow the pointer ourselves
                // where it will not.
                QWindow* window = windowHandle();
                if (!(window && window->startSystemMove())) {
                    FManualMove = true;
                    FMoveOffset = global - QPoint(form->Left(), form->Top());
                }
            }
            return;
        }
    }
    if (!InClientArea(event->position().toPoint())) return;
    SendMouse(ButtonMessage(event->button(), WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN), event);
}

void THostWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (FManualMove && event->button() == Qt::LeftButton) {
        FManualMove = false;
        return;
    }
    SendMouse(ButtonMessage(event->button(), WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP), event);
}

void THostWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (AsTopLevelForm() && HitTest(event->globalPosition().toPoint()) == HTCAPTION) return;
    if (!InClientArea(event->position().toPoint())) return;
    // Without the double-click class style a second press is just a press.
    bool doubleClicks = FControl->LastCreateParams().WindowClassStyle & CS_DBLCLKS;
    unsigned msg = doubleClicks ? ButtonMessage(event->button(), WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK,
                                                WM_MBUTTONDBLCLK)
                                : ButtonMessage(event->button(), WM_LBUTTONDOWN, WM_RBUTTONDOWN,
                                                WM_MBUTTONDOWN);
    SendMouse(msg, event);
}

void THostWidget::mouseMoveEvent(QMouseEvent* event) {
    QPoint global = event->globalPosition().toPoint();
    if (FManualMove) {
        if (TForm* form = AsTopLevelForm()) {
            QPoint topLeft = global - FMoveOffset;
            form->SetBounds(topLeft.x(), topLeft.y(), form->Width(), form->Height());
        }
        return;
    }
    bool caption = AsTopLevelForm() && !(event->buttons() & Qt::LeftButton) && HitTest(global) == HTCAPTION;
    // Before the control hears of the move, so a cursor its handler sets shows for
    // this spot, whatever window the pointer came from.
    ShowPointerCursor(caption, event->position().toPoint() - ClientOffset());
    if (caption) return;
    SendMouse(WM_MOUSEMOVE, event);
}

void THostWidget::wheelEvent(QWheelEvent* event) {
    int delta = event->angleDelta().y();
    if (delta == 0) return;
    QPoint global = event->globalPosition().toPoint();
    std::intptr_t keys = KeyFlags(event->buttons(), event->modifiers());
    TMessage message{WM_MOUSEWHEEL, std::intptr_t((std::uint32_t(std::uint16_t(delta)) << 16) | std::uint32_t(keys)),
                     MakeLParam(global.x(), global.y())};
    Application->Guard([&] { FControl->WndProc(message); });
}

void THostWidget::keyPressEvent(QKeyEvent* event) {
    std::uint16_t key = VirtualKey(event);
    bool alt = event->modifiers() & Qt::AltModifier;
    std::intptr_t repeat = event->isAutoRepeat() ? (std::intptr_t(1) << 30) : 0;
    TMessage down{alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, repeat | 1};
    if (key) Application->Guard([&] { FControl->WndProc(down); });
    std::string text = FromQString(event->text());
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 32 && c != '\r' && c != '\b' && c != 27) continue;
        TMessage ch{WM_CHAR, static_cast<unsigned char>(c), repeat | 1};
        Application->Guard([&] { FControl->WndProc(ch); });
    }
}

void THostWidget::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) return;
    std::uint16_t key = VirtualKey(event);
    if (!key) return;
    bool alt = event->modifiers() & Qt::AltModifier;
    TMessage up{alt ? WM_SYSKEYUP : WM_KEYUP, key, std::intptr_t(0xC0000001)};
    Application->Guard([&] { FControl->WndProc(up); });
}

void THostWidget::focusInEvent(QFocusEvent*) {
    Application->Guard([&] { FControl->Perform(WM_SETFOCUS); });
}

void THostWidget::focusOutEvent(QFocusEvent*) {
    Application->Guard([&] { FControl->Perform(WM_KILLFOCUS); });
}

void THostWidget::enterEvent(QEnterEvent*) {
    Application->Guard([&] { FControl->Perform(CM_MOUSEENTER); });
}

void THostWidget::leaveEvent(QEvent*) {
    Application->Guard([&] { FControl->Perform(CM_MOUSELEAVE); });
}

void THostWidget::moveEvent(QMoveEvent*) {
    if (!isWindow()) return;
    QRect frame = frameGeometry();
    FControl->StoreBounds(frame.x(), frame.y(), FControl->Width(), FControl->Height());
}

void THostWidget::resizeEvent(QResizeEvent*) {
    if (!isWindow()) return;
    // Restored from maximised: once the window system has placed the window where it
    // keeps it, it goes where it was last asked to.
    if (AsTopLevelForm() && !isMaximized() && !isMinimized())
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (TForm* form = FControl ? AsTopLevelForm() : nullptr)
                    Application->Guard([&] { form->ApplyRestoredBounds(); });
            },
            Qt::QueuedConnection);
    // The window manager changed the size (maximising, the user's frame drag).
    QRect frame = frameGeometry();
    if (frame.width() == FControl->Width() && frame.height() == FControl->Height()) return;
    Application->Guard([&] {
        FControl->StoreBounds(frame.x(), frame.y(), frame.width(), frame.height());
        FControl->Perform(WM_SIZE, 0, MakeLParam(width(), height()));
    });
}

void THostWidget::closeEvent(QCloseEvent* event) {
    if (TForm* form = AsTopLevelForm()) {
        event->ignore();
        Application->Guard([&] { form->ClosedBySystem(); });
        return;
    }
    QWidget::closeEvent(event);
}

void THostWidget::showEvent(QShowEvent*) { FPaintPending = true; }
