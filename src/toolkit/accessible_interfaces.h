#pragma once
// The interfaces behind accessible_objects.h, shared by the sources that make them and
// announce through them.

#include "toolkit/accessibility.h"
#include "toolkit/host_widget.h"

#include <QAccessible>
#include <QPointer>

#include <unordered_map>
#include <vector>

class THostWidget;
class TWinControl;

bool Announced(TAccessibleRole role);
// The interface of an announced control, made when first asked for.
QAccessibleInterface* InterfaceFor(TControl* control);
// Forgets announcements put off for a control that goes away.
void DropDeferredAnnouncements(const TControl& control);

class TAccessibleControl : public QAccessibleInterface,
                           public QAccessibleActionInterface,
                           public QAccessibleValueInterface {
public:
    // Null once the control is gone.
    virtual TControl* Control() const = 0;

    bool isValid() const override { return Control() != nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    int childCount() const override { return int(Children().size()); }
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& name) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    QVariant currentValue() const override { return Facts().Range.Position; }
    // The bars follow their owners; a screen reader only reads them.
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return Facts().Range.Max; }
    QVariant minimumValue() const override { return Facts().Range.Min; }
    QVariant minimumStepSize() const override { return Facts().Range.Step; }

protected:
    TAccessibleFacts Facts() const;
    virtual std::vector<TControl*> Children() const;

private:
    bool Pressable() const;
};

class TAccessibleWinControl : public TAccessibleControl {
public:
    explicit TAccessibleWinControl(THostWidget* host);
    // The widget outlives its control for a moment; it forgets the control first.
    TControl* Control() const override;
    QObject* object() const override;
    QString text(QAccessible::Text kind) const override;
    QAccessible::State state() const override;
    QAccessibleInterface* focusChild() const override;

protected:
    TGuardedHost FHost;
};

class TCustomListBox;

// A list's children are its items; their interfaces are made when asked for and
// dropped when the items change.
class TAccessibleListBox : public TAccessibleWinControl {
public:
    using TAccessibleWinControl::TAccessibleWinControl;
    ~TAccessibleListBox() override { DropItems(); }

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    QAccessible::State state() const override;

    void DropItems();

private:
    TCustomListBox* List() const;

    mutable std::unordered_map<int, QAccessible::Id> FItems;
};
