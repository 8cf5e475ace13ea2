// The interfaces of the controls themselves: windowed ones are found by Qt through our
// factory, windowless ones are kept here until their control goes.

#include "toolkit/accessible_objects.h"

#include "toolkit/accessible_interfaces.h"
#include "toolkit/application.h"
#include "toolkit/form.h"
#include "toolkit/host_widget.h"
#include "toolkit/list_box.h"
#include "toolkit/qt_bridge.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

namespace {

QAccessible::Role QtRole(TAccessibleRole role) {
    switch (role) {
    case arWindow: return QAccessible::Window;
    case arDialog: return QAccessible::Dialog;
    case arPane: return QAccessible::Pane;
    case arList: return QAccessible::List;
    case arListItem: return QAccessible::ListItem;
    case arStaticText: return QAccessible::StaticText;
    case arGraphic: return QAccessible::Graphic;
    case arButton: return QAccessible::Button;
    case arLink: return QAccessible::Link;
    case arScrollBar: return QAccessible::ScrollBar;
    default: return QAccessible::Client;
    }
}

// The announced controls inside `parent`, in its order; a control that only groups
// others stands aside for what it holds.
void CollectAnnounced(const TWinControl& parent, std::vector<TControl*>& out) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* child = parent.Controls(i);
        TAccessibleRole role = child->AccessibleFacts().Role;
        if (role == arTransparent) {
            if (auto* windowed = dynamic_cast<TWinControl*>(child)) CollectAnnounced(*windowed, out);
        } else if (role != arIgnored) {
            out.push_back(child);
        }
    }
}

// Windowless controls have no object for Qt to key its cache by. Never freed: controls
// may outlive static destruction at exit.
std::unordered_map<const TControl*, QAccessible::Id>& WindowlessIds() {
    static auto* ids = new std::unordered_map<const TControl*, QAccessible::Id>;
    return *ids;
}

QWidget* NearestWidget(const TControl& control) {
    if (auto* windowed = dynamic_cast<const TWinControl*>(&control)) return windowed->Widget();
    return control.Parent() ? control.Parent()->Widget() : nullptr;
}

QRect GlobalRect(const TControl& control) {
    if (auto* windowed = dynamic_cast<const TWinControl*>(&control)) {
        QWidget* widget = windowed->Widget();
        return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    }
    QRect own(control.Left(), control.Top(), control.Width(), control.Height());
    TWinControl* parent = control.Parent();
    if (!parent) return own;
    // What the parent cuts off is not on screen.
    if (QRect shown = own & ToQRect(parent->ClientRect()); !shown.isEmpty()) own = shown;
    return own.translated(parent->Widget()->mapToGlobal(parent->Host()->ClientOffset()));
}

class TAccessibleGraphicControl : public TAccessibleControl {
public:
    // Deleted by ForgetAccessible before the control goes.
    explicit TAccessibleGraphicControl(TControl* control) : FControl(control) {}
    TControl* Control() const override { return FControl; }
    QObject* object() const override { return nullptr; }

private:
    TControl* FControl;
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
    auto* host = dynamic_cast<THostWidget*>(object);
    if (!host || !host->Control()) return nullptr;
    if (dynamic_cast<TCustomListBox*>(host->Control())) return new TAccessibleListBox(host);
    return new TAccessibleWinControl(host);
}

} // namespace

bool Announced(TAccessibleRole role) { return role != arIgnored && role != arTransparent; }

QAccessibleInterface* InterfaceFor(TControl* control) {
    if (!control) return nullptr;
    InstallAccessibleObjects();
    if (auto* windowed = dynamic_cast<TWinControl*>(control))
        return QAccessible::queryAccessibleInterface(windowed->Widget());
    auto& ids = WindowlessIds();
    if (auto found = ids.find(control); found != ids.end()) return QAccessible::accessibleInterface(found->second);
    auto* iface = new TAccessibleGraphicControl(control);
    ids[control] = QAccessible::registerAccessibleInterface(iface);
    return iface;
}

void InstallAccessibleObjects() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(Factory);
}

TControl* AccessibleControl(QAccessibleInterface* iface) {
    auto* ours = dynamic_cast<TAccessibleControl*>(iface);
    return ours ? ours->Control() : nullptr;
}

void ForgetAccessible(const TControl& control) {
    DropDeferredAnnouncements(control);
    auto& ids = WindowlessIds();
    auto found = ids.find(&control);
    if (found == ids.end()) return;
    QAccessible::Id id = found->second;
    ids.erase(found);
    QAccessible::deleteAccessibleInterface(id);
}

QWindow* TAccessibleControl::window() const {
    TControl* control = Control();
    QWidget* widget = control ? NearestWidget(*control) : nullptr;
    return widget ? widget->window()->windowHandle() : nullptr;
}

QAccessibleInterface* TAccessibleControl::parent() const {
    TControl* control = Control();
    if (!control) return nullptr;
    for (TWinControl* up = control->Parent(); up; up = up->Parent())
        if (Announced(up->AccessibleFacts().Role)) return InterfaceFor(up);
    return QAccessible::queryAccessibleInterface(QCoreApplication::instance());
}

QAccessibleInterface* TAccessibleControl::child(int index) const {
    std::vector<TControl*> children = Children();
    return index >= 0 && index < int(children.size()) ? InterfaceFor(children[size_t(index)]) : nullptr;
}

int TAccessibleControl::indexOfChild(const QAccessibleInterface* child) const {
    TControl* wanted = AccessibleControl(const_cast<QAccessibleInterface*>(child));
    std::vector<TControl*> children = Children();
    for (size_t i = 0; i < children.size(); ++i)
        if (children[i] == wanted) return int(i);
    return -1;
}

QAccessibleInterface* TAccessibleControl::childAt(int x, int y) const {
    std::vector<TControl*> children = Children();
    // The last one lies on top.
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if ((*it)->Showing() && GlobalRect(**it).contains(x, y)) return InterfaceFor(*it);
    return nullptr;
}

QString TAccessibleControl::text(QAccessible::Text kind) const {
    TControl* control = Control();
    if (!control) return {};
    TAccessibleFacts facts = control->AccessibleFacts();
    switch (kind) {
    case QAccessible::Name: return ToQString(facts.Name);
    case QAccessible::Description: return ToQString(facts.Description);
    case QAccessible::Value: return facts.HasRange ? QString::number(facts.Range.Position) : QString();
    default: return {};
    }
}

QRect TAccessibleControl::rect() const {
    TControl* control = Control();
    return control ? GlobalRect(*control) : QRect();
}

QAccessible::Role TAccessibleControl::role() const {
    TControl* control = Control();
    return control ? QtRole(control->AccessibleFacts().Role) : QAccessible::NoRole;
}

QAccessible::State TAccessibleControl::state() const {
    QAccessible::State state;
    TControl* control = Control();
    if (!control) {
        state.invalid = true;
        return state;
    }
    if (!control->Showing()) state.invisible = true;
    if (!control->Enabled()) state.disabled = true;
    return state;
}

void* TAccessibleControl::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
    if (type == QAccessible::ValueInterface && Facts().HasRange) return static_cast<QAccessibleValueInterface*>(this);
    return nullptr;
}

QStringList TAccessibleControl::actionNames() const {
    return Pressable() ? QStringList{pressAction()} : QStringList();
}

// Later, as a click would come: the screen reader gets its answer before a modal window
// the click may open starts waiting.
void TAccessibleControl::doAction(const QString& name) {
    if (name != pressAction() || !Pressable()) return;
    QAccessible::Id id = QAccessible::uniqueId(this);
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [id] {
            QAccessibleInterface* iface = QAccessible::accessibleInterface(id);
            TControl* control = iface ? AccessibleControl(iface) : nullptr;
            if (!control) return;
            if (Application)
                Application->Guard([control] { control->Click(); });
            else
                control->Click();
        },
        Qt::QueuedConnection);
}

TAccessibleFacts TAccessibleControl::Facts() const {
    TControl* control = Control();
    return control ? control->AccessibleFacts() : TAccessibleFacts{};
}

std::vector<TControl*> TAccessibleControl::Children() const {
    std::vector<TControl*> children;
    if (auto* windowed = dynamic_cast<TWinControl*>(Control())) CollectAnnounced(*windowed, children);
    return children;
}

bool TAccessibleControl::Pressable() const {
    TAccessibleFacts facts = Facts();
    return facts.Pressable && (facts.Role == arButton || facts.Role == arLink || facts.Role == arGraphic);
}

TAccessibleWinControl::TAccessibleWinControl(THostWidget* host) : FHost(host) {}

TControl* TAccessibleWinControl::Control() const { return FHost ? FHost->Control() : nullptr; }

QObject* TAccessibleWinControl::object() const { return FHost.data(); }

// A window is called what its title bar says, unless it was given a name.
QString TAccessibleWinControl::text(QAccessible::Text kind) const {
    TControl* control = Control();
    if (kind == QAccessible::Name && FHost && FHost->isWindow() && control && control->AccessibleName().empty())
        return FHost->windowTitle();
    return TAccessibleControl::text(kind);
}

QAccessible::State TAccessibleWinControl::state() const {
    QAccessible::State state = TAccessibleControl::state();
    if (!FHost || state.invalid) return state;
    if (FHost->focusPolicy() & Qt::TabFocus) state.focusable = true;
    if (FHost->hasFocus()) state.focused = true;
    if (auto* form = dynamic_cast<TForm*>(Control())) {
        if (form->Active()) state.active = true;
        if (form->Modal()) state.modal = true;
    }
    return state;
}

QAccessibleInterface* TAccessibleWinControl::focusChild() const {
    QWidget* focus = QApplication::focusWidget();
    if (!FHost || !focus || !FHost->isAncestorOf(focus)) return nullptr;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(focus);
    QAccessibleInterface* deeper = iface ? iface->focusChild() : nullptr;
    return deeper ? deeper : iface;
}
