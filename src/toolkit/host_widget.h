#pragma once
// The Qt widget behind a windowed control: it turns Qt's events into the control's
// messages and paints through the control. Only the toolkit sees it.

#include <QPoint>
#include <QPointer>
#include <QWidget>

class TWinControl;
class TForm;

class THostWidget : public QWidget {
public:
    explicit THostWidget(TWinControl* control);
    ~THostWidget() override;

    TWinControl* Control() const { return FControl; }
    // The control is gone; the widget only waits to be deleted by the event loop,
    // which is safe even while Qt is painting its siblings.
    void Detach();
    // Asks for a paint; remembered so timers can let pending paints go first.
    void RequestPaint(const QRect& rect);
    void RequestPaint();
    bool PaintPending() const { return FPaintPending; }
    // The client area's offset inside the widget (the non-client frame's top-left).
    QPoint ClientOffset() const;

    // Control under a client point, windowed children excluded: a windowless child or
    // the control itself.
    class TControl* ControlAtClientPoint(QPoint clientPoint) const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void SendMouse(unsigned msg, QMouseEvent* event);
    int HitTest(QPoint globalPos);
    bool InClientArea(QPoint widgetPos) const;
    // Tells the screen where the pointer is and gives this window the cursor it shows.
    void ShowPointerCursor(bool overCaption, QPoint clientPoint);
    TForm* AsTopLevelForm() const;

    TWinControl* FControl;
    bool FPaintPending = false;
    bool FManualMove = false;
    QPoint FMoveOffset;
};

// A pointer to a control's window that reads as null once the window goes, and already
// while it is being destroyed: Qt tells accessibility of focus lost from ~QWidget, when
// the object is no THostWidget any more.
class TGuardedHost {
public:
    TGuardedHost(THostWidget* host = nullptr) : FWidget(host) {}
    THostWidget* data() const { return dynamic_cast<THostWidget*>(FWidget.data()); }
    operator THostWidget*() const { return data(); }
    THostWidget* operator->() const { return data(); }

private:
    QPointer<QWidget> FWidget;
};

