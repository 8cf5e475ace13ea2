#include "toolkit/accessible_objects.h"

#include "toolkit/accessibility.h"
#include "toolkit/application.h"
#include "toolkit/form.h"
#include "toolkit/host_widget.h"
#include "toolkit/list_box.h"
#include "toolkit/qt_bridge.h"

#include <QAccessible>
#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

void (*Observer)(QAccessibleEvent*) = nullptr;

bool Listening() { return QCoreApplication::instance() && (Observer || QAccessible::isActive()); }

void Send(QAccessibleEvent& event) {
    if (Observer) Observer(&event);
    QAccessible::updateAccessibility(&event);
}

bool Announced(TAccessibleRole role) { return role != arIgnored && role != arTransparent; }

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

// Windowless controls have no object for Qt to key its cache by; their interfaces are
// kept here until the control goes. Never freed: controls may outlive static
// destruction at exit.
std::unordered_map<const TControl*, QAccessible::Id>& WindowlessIds() {
    static auto* ids = new std::unordered_map<const TControl*, QAccessible::Id>;
    return *ids;
}

// Announcements put off to the next turn of the event loop, dropped when the same is
// said before that.
std::set<std::pair<const TControl*, TAccessibleChange>>& Deferred() {
    static auto* deferred = new std::set<std::pair<const TControl*, TAccessibleChange>>;
    return *deferred;
}

QAccessibleInterface* InterfaceFor(TControl* control);

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

class TAccessibleControl : public QAccessibleInterface,
                           public QAccessibleActionInterface,
                           public QAccessibleValueInterface {
public:
    // Null once the control is gone.
    virtual TControl* Control() const = 0;

    bool isValid() const override { return Control() != nullptr; }

    QWindow* window() const override {
        TControl* control = Control();
        QWidget* widget = control ? NearestWidget(*control) : nullptr;
        return widget ? widget->window()->windowHandle() : nullptr;
    }

    QAccessibleInterface* parent() const override {
        TControl* control = Control();
        if (!control) return nullptr;
        for (TWinControl* up = control->Parent(); up; up = up->Parent())
            if (Announced(up->AccessibleFacts().Role)) return InterfaceFor(up);
        return QAccessible::queryAccessibleInterface(QCoreApplication::instance());
    }

    int childCount() const override { return int(Children().size()); }

    QAccessibleInterface* child(int index) const override {
        std::vector<TControl*> children = Children();
        return index >= 0 && index < int(children.size()) ? InterfaceFor(children[size_t(index)]) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        TControl* wanted = AccessibleControl(const_cast<QAccessibleInterface*>(child));
        std::vector<TControl*> children = Children();
        for (size_t i = 0; i < children.size(); ++i)
            if (children[i] == wanted) return int(i);
        return -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        std::vector<TControl*> children = Children();
        // The last one lies on top.
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            if ((*it)->Showing() && GlobalRect(**it).contains(x, y)) return InterfaceFor(*it);
        return nullptr;
    }

    QString text(QAccessible::Text kind) const override {
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

    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        TControl* control = Control();
        return control ? GlobalRect(*control) : QRect();
    }

    QAccessible::Role role() const override {
        TControl* control = Control();
        return control ? QtRole(control->AccessibleFacts().Role) : QAccessible::NoRole;
    }

    QAccessible::State state() const override {
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

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
        if (type == QAccessible::ValueInterface && Facts().HasRange) return static_cast<QAccessibleValueInterface*>(this);
        return nullptr;
    }

    QStringList actionNames() const override { return Pressable() ? QStringList{pressAction()} : QStringList(); }

    // Later, as a click would come: the screen reader gets its answer before a modal
    // window the click may open starts waiting.
    void doAction(const QString& name) override {
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

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    QVariant currentValue() const override { return Facts().Range.Position; }
    // The bars follow their owners; a screen reader only reads them.
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return Facts().Range.Max; }
    QVariant minimumValue() const override { return Facts().Range.Min; }
    QVariant minimumStepSize() const override { return Facts().Range.Step; }

protected:
    TAccessibleFacts Facts() const {
        TControl* control = Control();
        return control ? control->AccessibleFacts() : TAccessibleFacts{};
    }

    virtual std::vector<TControl*> Children() const {
        std::vector<TControl*> children;
        if (auto* windowed = dynamic_cast<TWinControl*>(Control())) CollectAnnounced(*windowed, children);
        return children;
    }

private:
    bool Pressable() const {
        TAccessibleFacts facts = Facts();
        return facts.Pressable && (facts.Role == arButton || facts.Role == arLink || facts.Role == arGraphic);
    }
};

class TAccessibleGraphicControl : public TAccessibleControl {
public:
    // Deleted by ForgetAccessible before the control goes.
    explicit TAccessibleGraphicControl(TControl* control) : FControl(control) {}
    TControl* Control() const override { return FControl; }
    QObject* object() const override { return nullptr; }

private:
    TControl* FControl;
};

class TAccessibleWinControl : public TAccessibleControl {
public:
    explicit TAccessibleWinControl(THostWidget* host) : FHost(host) {}
    // The widget outlives its control for a moment; it forgets the control first.
    TControl* Control() const override { return FHost ? FHost->Control() : nullptr; }
    QObject* object() const override { return FHost.data(); }

    // A window is called what its title bar says, unless it was given a name.
    QString text(QAccessible::Text kind) const override {
        TControl* control = Control();
        if (kind == QAccessible::Name && FHost && FHost->isWindow() && control && control->AccessibleName().empty())
            return FHost->windowTitle();
        return TAccessibleControl::text(kind);
    }

    QAccessible::State state() const override {
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

    QAccessibleInterface* focusChild() const override {
        QWidget* focus = QApplication::focusWidget();
        if (!FHost || !focus || !FHost->isAncestorOf(focus)) return nullptr;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(focus);
        QAccessibleInterface* deeper = iface ? iface->focusChild() : nullptr;
        return deeper ? deeper : iface;
    }

protected:
    QPointer<THostWidget> FHost;
};

class TAccessibleListItem;

// A list's children are its items; their interfaces are made when asked for and
// dropped when the items change.
class TAccessibleListBox : public TAccessibleWinControl {
public:
    using TAccessibleWinControl::TAccessibleWinControl;
    ~TAccessibleListBox() override { DropItems(); }

    TCustomListBox* List() const { return dynamic_cast<TCustomListBox*>(Control()); }

    int childCount() const override {
        TCustomListBox* list = List();
        return list ? list->Count() : 0;
    }

    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

    QAccessibleInterface* childAt(int x, int y) const override {
        TCustomListBox* list = List();
        if (!list) return nullptr;
        QPoint client = FHost->mapFromGlobal(QPoint(x, y)) - FHost->ClientOffset();
        int index = list->ItemAtPos({client.x(), client.y()}, true);
        return index >= 0 ? child(index) : nullptr;
    }

    QAccessibleInterface* focusChild() const override {
        TCustomListBox* list = List();
        if (!list || !FHost->hasFocus() || list->ItemIndex() < 0) return nullptr;
        return child(list->ItemIndex());
    }

    QAccessible::State state() const override {
        QAccessible::State state = TAccessibleWinControl::state();
        if (TCustomListBox* list = List(); list && list->MultiSelect()) state.multiSelectable = true;
        return state;
    }

    void DropItems() {
        for (auto& [index, id] : FItems) QAccessible::deleteAccessibleInterface(id);
        FItems.clear();
    }

private:
    mutable std::unordered_map<int, QAccessible::Id> FItems;
};

class TAccessibleListItem : public QAccessibleInterface {
public:
    TAccessibleListItem(THostWidget* host, int index) : FHost(host), FIndex(index) {}

    int Index() const { return FIndex; }
    TCustomListBox* List() const { return FHost ? dynamic_cast<TCustomListBox*>(FHost->Control()) : nullptr; }
    const THostWidget* Host() const { return FHost.data(); }

    bool isValid() const override {
        TCustomListBox* list = List();
        return list && FIndex < list->Count();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return FHost ? FHost->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return FHost ? QAccessible::queryAccessibleInterface(FHost.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text kind) const override {
        if (!isValid()) return {};
        TCustomListBox* list = List();
        if (kind == QAccessible::Name) return ToQString(list->Items()[FIndex]);
        if (kind == QAccessible::Description && list->AccessibleItemDescription)
            return ToQString(list->AccessibleItemDescription(FIndex));
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        if (!isValid()) return {};
        TRect item = List()->ItemRect(FIndex);
        QPoint place = FHost->ClientOffset() + QPoint(item.Left, item.Top);
        return QRect(FHost->mapToGlobal(place), QSize(item.Width(), item.Height()));
    }

    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        TCustomListBox* list = List();
        state.selectable = true;
        state.focusable = true;
        if (list->Selected(FIndex)) state.selected = true;
        if (FIndex == list->ItemIndex() && FHost->hasFocus()) state.focused = true;
        if (IsRectEmpty(IntersectRect(list->ItemRect(FIndex), list->ClientRect()))) state.offscreen = true;
        if (!list->Showing()) state.invisible = true;
        return state;
    }

private:
    QPointer<THostWidget> FHost;
    int FIndex;
};

QAccessibleInterface* TAccessibleListBox::child(int index) const {
    if (index < 0 || index >= childCount()) return nullptr;
    if (auto found = FItems.find(index); found != FItems.end()) return QAccessible::accessibleInterface(found->second);
    auto* item = new TAccessibleListItem(FHost.data(), index);
    FItems[index] = QAccessible::registerAccessibleInterface(item);
    return item;
}

int TAccessibleListBox::indexOfChild(const QAccessibleInterface* child) const {
    auto* item = dynamic_cast<const TAccessibleListItem*>(child);
    return item && item->Host() == FHost.data() && item->isValid() ? item->Index() : -1;
}

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

QAccessibleInterface* Factory(const QString&, QObject* object) {
    auto* host = dynamic_cast<THostWidget*>(object);
    if (!host || !host->Control()) return nullptr;
    if (dynamic_cast<TCustomListBox*>(host->Control())) return new TAccessibleListBox(host);
    return new TAccessibleWinControl(host);
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

void SetAccessibleObserver(void (*observer)(QAccessibleEvent*)) { Observer = observer; }

void NotifyAccessible(TControl& control, TAccessibleChange change, int item) {
    if (!Listening() || control.Loading() || control.Destroying()) return;
    Deferred().erase({&control, change});
    // What is not on screen changes unheard; coming and going is heard where it happens.
    bool comingOrGoing = change == acShown || change == acHidden || change == acDialogEnd;
    if (comingOrGoing ? control.Parent() && !control.Parent()->Showing() : !control.Showing()) return;
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
    QPointer<THostWidget> host = windowed->Host();
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

void ForgetAccessible(const TControl& control) {
    for (auto it = Deferred().begin(); it != Deferred().end();)
        it = it->first == &control ? Deferred().erase(it) : std::next(it);
    auto& ids = WindowlessIds();
    auto found = ids.find(&control);
    if (found == ids.end()) return;
    QAccessible::Id id = found->second;
    ids.erase(found);
    QAccessible::deleteAccessibleInterface(id);
}
