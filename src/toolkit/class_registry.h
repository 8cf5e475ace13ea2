#pragma once
// Component classes by name, with the properties a stored description may set on
// them. Each layer registers its classes once at start-up; the form reader creates
// components by class name and assigns properties through these setters.

#include "platform/basic_types.h"
#include "platform/exceptions.h"
#include "toolkit/component.h"
#include "toolkit/form_description.h"

#include <any>
#include <functional>
#include <map>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

class TFormReader;

using TPropertySetter =
    std::function<void(TComponent& target, const TFormValue& value, TFormReader& reader)>;

struct TClassInfo {
    std::string Name;
    const TClassInfo* Parent = nullptr;
    std::function<TComponent*(TComponent* owner)> Create; // empty: cannot be created by name
    std::map<std::string, TPropertySetter> Properties;

    // Searches this class, then its ancestors.
    const TPropertySetter* FindProperty(const std::string& name) const;
    bool InheritsFrom(const std::string& className) const;
};

const TClassInfo* FindClassInfo(const std::string& name);
TClassInfo& RegisterClassInfo(const std::string& name, const std::string& parentName);

// Named identifiers of an enumeration or a set as a stored description writes them.
using TIdentTable = std::vector<std::pair<std::string, int>>;

// Event handlers of a form by name; each holds the std::function of its event type.
class THandlerTable {
public:
    template <class Event>
    void Add(const std::string& name, Event handler) {
        FHandlers[name] = std::move(handler);
    }
    const std::any* Find(const std::string& name) const {
        auto found = FHandlers.find(name);
        return found == FHandlers.end() ? nullptr : &found->second;
    }

private:
    std::map<std::string, std::any> FHandlers;
};

// The reader's side of a property assignment: value checks, handler lookup and
// references resolved once the whole form is read.
class TFormReader {
public:
    // Raises the reader's error for the property being assigned.
    [[noreturn]] void Fail(const std::string& what) const;
    void ExpectKind(const TFormValue& value, TFormValue::TKind kind) const;
    int IdentValue(const TFormValue& value, const TIdentTable& table) const;
    const std::any& Handler(const std::string& name) const;
    // `resolve` runs with the named component after the whole form has been read.
    void AddFixup(const std::string& componentName, std::function<void(TComponent*)> resolve);

    virtual ~TFormReader() = default;

protected:
    virtual const THandlerTable& Handlers() const = 0;
    virtual std::string Where() const = 0;
    virtual void DeferFixup(const std::string& componentName, std::function<void(TComponent*)> resolve) = 0;
};

template <class T>
class TClassRegistration {
public:
    TClassRegistration(const std::string& name, const std::string& parentName)
        : FInfo(RegisterClassInfo(name, parentName)) {
        if constexpr (std::is_constructible_v<T, TComponent*> && !std::is_abstract_v<T>)
            FInfo.Create = [](TComponent* owner) -> TComponent* { return new T(owner); };
    }

    template <class F>
    TClassRegistration& Integer(const std::string& name, F setter) {
        return Add(name, [setter](T& target, const TFormValue& value, TFormReader& reader) {
            reader.ExpectKind(value, TFormValue::vkInteger);
            setter(target, int(value.Integer));
        });
    }
    template <class F>
    TClassRegistration& Boolean(const std::string& name, F setter) {
        return Add(name, [setter](T& target, const TFormValue& value, TFormReader& reader) {
            reader.ExpectKind(value, TFormValue::vkBoolean);
            setter(target, value.Boolean);
        });
    }
    template <class F>
    TClassRegistration& String(const std::string& name, F setter) {
        return Add(name, [setter](T& target, const TFormValue& value, TFormReader& reader) {
            reader.ExpectKind(value, TFormValue::vkString);
            setter(target, value.Text);
        });
    }
    // A name from the table, or (when `numbersToo`) a plain number.
    template <class F>
    TClassRegistration& Enum(const std::string& name, TIdentTable table, F setter, bool numbersToo = false) {
        return Add(name, [setter, table = std::move(table), numbersToo](T& target, const TFormValue& value,
                                                                       TFormReader& reader) {
            if (numbersToo && value.Kind == TFormValue::vkInteger)
                setter(target, int(value.Integer));
            else
                setter(target, reader.IdentValue(value, table));
        });
    }
    template <class F>
    TClassRegistration& Set(const std::string& name, TIdentTable table, F setter) {
        return Add(name, [setter, table = std::move(table)](T& target, const TFormValue& value,
                                                           TFormReader& reader) {
            reader.ExpectKind(value, TFormValue::vkSet);
            int bits = 0;
            for (const std::string& member : value.Items) {
                TFormValue ident;
                ident.Kind = TFormValue::vkIdent;
                ident.Text = member;
                bits |= reader.IdentValue(ident, table);
            }
            setter(target, bits);
        });
    }
    template <class F>
    TClassRegistration& Color(const std::string& name, F setter);
    template <class F>
    TClassRegistration& Lines(const std::string& name, F setter) {
        return Add(name, [setter](T& target, const TFormValue& value, TFormReader& reader) {
            reader.ExpectKind(value, TFormValue::vkList);
            setter(target, value.Items);
        });
    }
    template <class F>
    TClassRegistration& Binary(const std::string& name, F setter) {
        return Add(name, [setter](T& target, const TFormValue& value, TFormReader& reader) {
            reader.ExpectKind(value, TFormValue::vkBinary);
            setter(target, value.Bytes);
        });
    }
    // An event: the value names a handler of the form, of the event's exact type.
    template <class Event>
    TClassRegistration& Handler(const std::string& name, Event T::*member) {
        return Add(name, [member](T& target, const TFormValue& value, TFormReader& reader) {
            reader.ExpectKind(value, TFormValue::vkIdent);
            const std::any& handler = reader.Handler(value.Text);
            const Event* typed = std::any_cast<Event>(&handler);
            if (!typed) reader.Fail("handler " + value.Text + " does not fit this event");
            target.*member = *typed;
        });
    }
    // A reference to another component of the form, resolved after the whole form.
    template <class Ref, class F>
    TClassRegistration& Reference(const std::string& name, F setter) {
        return Add(name, [setter, name](T& target, const TFormValue& value, TFormReader& reader) {
            reader.ExpectKind(value, TFormValue::vkIdent);
            T* self = &target;
            std::string targetName = value.Text;
            reader.AddFixup(targetName, [self, setter, name, targetName](TComponent* component) {
                if (Ref* typed = dynamic_cast<Ref*>(component)) {
                    setter(*self, typed);
                    return;
                }
                throw Exception(targetName + " is a " + std::string(component ? component->ClassName() : "?") +
                                ", which does not fit " + name);
            });
        });
    }

private:
    template <class F>
    TClassRegistration& Add(const std::string& name, F body) {
        FInfo.Properties[name] = [body](TComponent& target, const TFormValue& value, TFormReader& reader) {
            body(static_cast<T&>(target), value, reader);
        };
        return *this;
    }

    TClassInfo& FInfo;
};

// Colour names a stored description may use (clBlack, clBtnFace, ...).
const TIdentTable& ColorIdents();

template <class T>
template <class F>
TClassRegistration<T>& TClassRegistration<T>::Color(const std::string& name, F setter) {
    return Enum(name, ColorIdents(), [setter](T& target, int value) { setter(target, TColor(value)); }, true);
}
