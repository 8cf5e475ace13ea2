// A list box for a screen reader: a List whose children are its items, read from the
// list as it is at each question.

#include "toolkit/accessible_interfaces.h"
#include "toolkit/host_widget.h"
#include "toolkit/list_box.h"
#include "toolkit/qt_bridge.h"

#include <QWidget>
#include <QWindow>

namespace {

class TAccessibleListItem : public QAccessibleInterface {
public:
    TAccessibleListItem(THostWidget* host, int index) : FHost(host), FIndex(index) {}

    int Index() const { return FIndex; }
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
    TCustomListBox* List() const { return FHost ? dynamic_cast<TCustomListBox*>(FHost->Control()) : nullptr; }

    TGuardedHost FHost;
    int FIndex;
};

} // namespace

TCustomListBox* TAccessibleListBox::List() const { return dynamic_cast<TCustomListBox*>(Control()); }

int TAccessibleListBox::childCount() const {
    TCustomListBox* list = List();
    return list ? list->Count() : 0;
}

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

QAccessibleInterface* TAccessibleListBox::childAt(int x, int y) const {
    TCustomListBox* list = List();
    if (!list) return nullptr;
    QPoint client = FHost->mapFromGlobal(QPoint(x, y)) - FHost->ClientOffset();
    int index = list->ItemAtPos({client.x(), client.y()}, true);
    return index >= 0 ? child(index) : nullptr;
}

QAccessibleInterface* TAccessibleListBox::focusChild() const {
    TCustomListBox* list = List();
    if (!list || !FHost->hasFocus() || list->ItemIndex() < 0) return nullptr;
    return child(list->ItemIndex());
}

QAccessible::State TAccessibleListBox::state() const {
    QAccessible::State state = TAccessibleWinControl::state();
    if (TCustomListBox* list = List(); list && list->MultiSelect()) state.multiSelectable = true;
    return state;
}

void TAccessibleListBox::DropItems() {
    for (auto& [index, id] : FItems) QAccessible::deleteAccessibleInterface(id);
    FItems.clear();
}
