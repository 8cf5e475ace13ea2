// Announcements to a listening screen reader: a control's change becomes Qt's event
// about the interface that describes it.

#include "toolkit/accessible_interfaces.h"
#include "toolkit/accessible_objects.h"
#include "toolkit/host_widget.h"
#include "toolkit/win_control.h"

#include <QCoreApplication>

#include <set>
#include <utility>

namespace {

void (*Observer)(QAccessibleEvent*) = nullptr;

bool Listening() { return QCoreApplication::instance() && (Observer || QAccessible::isActive()); }

void Send(QAccessibleEvent& event) {
    if (Observer) Observer(&event);
    QAccessible::updateAccessibility(&event);
}

// Announcements put off to the next turn of the event loop, dropped when the same is
// said before that. Never freed: controls may outlive static destruction at exit.
std::set<std::pair<const TControl*, TAccessibleChange>>& Deferred() {
    static auto* deferred = new std::set<std::pair<const TControl*, TAccessibleChange>>;
    return *deferred;
}

QAccessible::Event QtEvent(TAccessibleChange change) {
    switch (change) {
    case acFocus: return QAccessible::Focus;
    case acSelection: return QAccessible::Selection;
    case acSelectionWithin: return QAccessible::SelectionWithin;
    case acItemsChanged: return QAccessible::ObjectReorder;
    case acNameChanged: return QAccessible::NameChanged;
    case acDescriptionChanged: return QAccessible::DescriptionChanged;
    case acValueChanged: return QAccessible::ValueChanged;
    case acShown: return QAccessible::ObjectShow;
    case acHidden: return QAccessible::ObjectHide;
    case acDialogStart: return QAccessible::DialogStart;
    case acDialogEnd: return QAccessible::DialogEnd;
    }
    return QAccessible::InvalidEvent;
}

} // namespace

void SetAccessibleObserver(void (*observer)(QAccessibleEvent*)) { Observer = observer; }

void DropDeferredAnnouncements(const TControl& control) {
    for (auto it = Deferred().begin(); it != Deferred().end();)
        it = it->first == &control ? Deferred().erase(it) : std::next(it);
}

void NotifyAccessible(TControl& control, TAccessibleChange change, int item) {
    // Asked last: the first asking connects to the screen reader's bus, which a window
    // still being built has no need to wait for.
    if (control.Loading() || control.Destroying() || !QCoreApplication::instance()) return;
    Deferred().erase({&control, change});
    // What is not on screen changes unheard; coming and going is heard where it happens.
    bool comingOrGoing = change == acShown || change == acHidden || change == acDialogEnd;
    if (comingOrGoing ? control.Parent() && !control.Parent()->Showing() : !control.Showing()) return;
    if (!Listening()) return;
    TAccessibleFacts facts = control.AccessibleFacts();
    if (!Announced(facts.Role)) return;
    QAccessibleInterface* target = InterfaceFor(&control);
    if (!target) return;
    if (change == acItemsChanged) {
        if (auto* list = dynamic_cast<TAccessibleListBox*>(target)) list->DropItems();
    } else if (item >= 0) {
        target = target->child(item);
    } else if (change == acFocus) {
        // Focus in a list is on its current item.
        if (QAccessibleInterface* focused = target->focusChild()) target = focused;
    }
    if (!target) return;
    if (change == acValueChanged) {
        QAccessibleValueChangeEvent event(target, facts.Range.Position);
        Send(event);
        return;
    }
    QAccessibleEvent event(target, QtEvent(change));
    Send(event);
}

void NotifyAccessibleLater(TControl& control, TAccessibleChange change, int item) {
    if (!Listening()) return;
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    if (!windowed) {
        NotifyAccessible(control, change, item);
        return;
    }
    TGuardedHost host = windowed->Host();
    Deferred().insert({&control, change});
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [host, change, item] {
            if (!host || !host->Control() || !Deferred().count({host->Control(), change})) return;
            // Focus that moved on in the meantime is not announced.
            if (change == acFocus && !host->hasFocus()) {
                Deferred().erase({host->Control(), change});
                return;
            }
            NotifyAccessible(*host->Control(), change, item);
        },
        Qt::QueuedConnection);
}
