#include "kit_shot_a11y.h"

#include "json_writer.h"

#include "toolkit/accessible_objects.h"
#include "toolkit/application.h"
#include "toolkit/control.h"
#include "toolkit/form.h"
#include "toolkit/qt_bridge.h"
#include "toolkit/screen.h"

#include <QAccessible>
#include <QApplication>
#include <QMetaEnum>
#include <QWidget>

#include <functional>

namespace {

struct TRecordedEvent {
    QString Type, Role, Name, Parent;
    int Index = -1;
    bool HasValue = false;
    double Value = 0;
};

std::vector<TRecordedEvent>& Recorded() {
    static std::vector<TRecordedEvent> events;
    return events;
}

QString EnumKey(QMetaEnum meta, int value) {
    const char* key = meta.valueToKey(value);
    return key ? QString::fromLatin1(key) : QString::number(value);
}

QString RoleName(QAccessible::Role role) { return EnumKey(QMetaEnum::fromType<QAccessible::Role>(), role); }

void Record(QAccessibleEvent* event) {
    TRecordedEvent recorded;
    recorded.Type = EnumKey(QMetaEnum::fromType<QAccessible::Event>(), event->type());
    if (QAccessibleInterface* iface = event->accessibleInterface(); iface && iface->isValid()) {
        recorded.Role = RoleName(iface->role());
        recorded.Name = iface->text(QAccessible::Name);
        if (QAccessibleInterface* parent = iface->parent()) {
            recorded.Parent = parent->text(QAccessible::Name);
            recorded.Index = parent->indexOfChild(iface);
        }
    }
    if (event->type() == QAccessible::ValueChanged) {
        recorded.HasValue = true;
        recorded.Value = static_cast<QAccessibleValueChangeEvent*>(event)->value().toDouble();
    }
    Recorded().push_back(recorded);
}

// The window a screen reader is in: a modal one while it is open, else the active one.
QAccessibleInterface* FocusedWindow() {
    QWidget* window = nullptr;
    for (int i = 0; i < Screen->FormCount() && !window; ++i)
        if (Screen->Forms(i)->Modal()) window = Screen->Forms(i)->Widget();
    if (!window) window = QApplication::activeWindow();
    if (!window && Application->MainForm()) window = Application->MainForm()->Widget();
    return window ? QAccessible::queryAccessibleInterface(window) : nullptr;
}

std::string Text(const QString& text) { return FromQString(text); }

// What the last command set going comes to pass first, as it would before a screen
// reader asks: a window activated in turn, an announcement put off to the next turn.
void Settle() {
    for (int pass = 0; pass < 3; ++pass) QApplication::processEvents();
}

void WriteStates(TJsonWriter& json, QAccessible::State state) {
    const std::pair<const char*, bool> names[] = {
        {"active", bool(state.active)},
        {"disabled", bool(state.disabled)},
        {"focusable", bool(state.focusable)},
        {"focused", bool(state.focused)},
        {"invisible", bool(state.invisible)},
        {"modal", bool(state.modal)},
        {"multiSelectable", bool(state.multiSelectable)},
        {"offscreen", bool(state.offscreen)},
        {"selectable", bool(state.selectable)},
        {"selected", bool(state.selected)},
        {"invalid", bool(state.invalid)},
    };
    json.BeginArray();
    for (auto [name, set] : names)
        if (set) json.String(name);
    json.EndArray();
}

void WriteNode(TJsonWriter& json, QAccessibleInterface* iface) {
    json.BeginObject().Member("role", Text(RoleName(iface->role())));
    json.Member("name", Text(iface->text(QAccessible::Name)));
    json.Member("description", Text(iface->text(QAccessible::Description))).Key("value");
    if (QAccessibleValueInterface* value = iface->valueInterface()) {
        json.Int(value->currentValue().toInt());
        json.Member("minimum", value->minimumValue().toInt()).Member("maximum", value->maximumValue().toInt());
        // Qt has no page; the control knows it.
        TControl* control = AccessibleControl(iface);
        json.Member("page", control ? control->AccessibleFacts().Range.PageSize : 0);
    } else {
        json.Null();
    }
    json.Key("states");
    WriteStates(json, iface->state());
    QRect rect = iface->rect();
    json.Key("rect").BeginArray().Int(rect.x()).Int(rect.y()).Int(rect.width()).Int(rect.height()).EndArray();
    json.Key("actions").BeginArray();
    if (QAccessibleActionInterface* actions = iface->actionInterface())
        for (const QString& name : actions->actionNames()) json.String(Text(name.toLower()));
    json.EndArray().Key("children").BeginArray();
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* child = iface->child(i);
        // A screen reader passes over what is not shown.
        if (child && !child->state().invisible) WriteNode(json, child);
    }
    json.EndArray().EndObject();
}

QAccessibleInterface* FindPressable(QAccessibleInterface* iface, const QString& name) {
    if (iface->state().invisible) return nullptr;
    if (iface->text(QAccessible::Name) == name && iface->actionInterface() &&
        iface->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()))
        return iface;
    for (int i = 0; i < iface->childCount(); ++i)
        if (QAccessibleInterface* child = iface->child(i))
            if (QAccessibleInterface* found = FindPressable(child, name)) return found;
    return nullptr;
}

} // namespace

bool ScriptUsesAccessibility(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        if (line.find("a11y") != std::string::npos) return true;
    return false;
}

void StartAccessibleRecorder() {
    SetAccessibleObserver(Record);
}

void WriteAccessibleTree(std::FILE* out) {
    Settle();
    TJsonWriter json(out);
    if (QAccessibleInterface* window = FocusedWindow())
        WriteNode(json, window);
    else
        json.Raw("null");
    json.Raw("\n");
}

void WriteAccessibleEvents(std::FILE* out) {
    Settle();
    TJsonWriter json(out);
    json.BeginArray();
    for (const TRecordedEvent& event : Recorded()) {
        json.BeginObject().Member("type", Text(event.Type)).Member("role", Text(event.Role));
        json.Member("name", Text(event.Name)).Member("parent", Text(event.Parent)).Member("index", event.Index);
        if (event.HasValue) json.Member("value", int(event.Value));
        json.EndObject();
    }
    json.EndArray().Raw("\n");
    Recorded().clear();
}

bool PressAccessible(const std::string& utf8Name) {
    QAccessibleInterface* window = FocusedWindow();
    QAccessibleInterface* target = window ? FindPressable(window, QString::fromStdString(utf8Name)) : nullptr;
    if (!target) return false;
    target->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    return true;
}
