#include "toolkit/form_reader.h"

#include "platform/exceptions.h"
#include "toolkit/control.h"
#include "toolkit/win_control.h"

#include <QByteArray>

#include <future>
#include <map>
#include <mutex>

namespace {

std::map<std::string, TClassInfo>& Registry() {
    static std::map<std::string, TClassInfo> registry;
    return registry;
}

std::mutex DecodingMutex;
std::map<const TFormResource*, std::future<TFormNode>> Decoding;

TFormNode DecodeNow(const TFormResource& resource) {
    QByteArray bytes = qUncompress(resource.Data, qsizetype(resource.Size));
    if (bytes.isEmpty()) throw Exception("A form the program carries is damaged");
    return DecodeFormBinary(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
}

class TTreeReader : public TFormReader {
public:
    TTreeReader(TComponent& root, const std::string& formName, const THandlerTable& handlers,
                const std::function<void()>& propertiesRead)
        : FRoot(root), FFormName(formName), FHandlers(handlers), FPropertiesRead(propertiesRead) {}

    void ReadRoot(const TFormNode& node) {
        const TClassInfo* info = FindClassInfo(node.ClassName);
        if (!info) info = FindClassInfo(FRoot.ClassName());
        if (!info) throw Exception("Form " + FFormName + ": class " + node.ClassName + " is not registered");
        FRoot.BeginLoading();
        FRoot.SetName(node.Name);
        FLoaded.push_back(&FRoot);
        ApplyProperties(FRoot, *info, node);
        for (const TFormNode& child : node.Children) ReadChild(child, dynamic_cast<TWinControl*>(&FRoot));
        if (FPropertiesRead) FPropertiesRead();
        for (auto& fixup : FFixups) {
            FWhere = fixup.Where;
            TComponent* target = fixup.Name == FRoot.Name() ? &FRoot : FRoot.FindComponent(fixup.Name);
            if (!target) Fail("there is no component named " + fixup.Name);
            try {
                fixup.Resolve(target);
            } catch (const Exception& e) {
                Fail(e.Message());
            }
        }
        for (TComponent* component : FLoaded) component->Loaded();
    }

protected:
    const THandlerTable& Handlers() const override { return FHandlers; }
    std::string Where() const override { return FWhere; }
    void DeferFixup(const std::string& componentName, std::function<void(TComponent*)> resolve) override {
        FFixups.push_back({componentName, std::move(resolve), FWhere});
    }

private:
    struct TFixup {
        std::string Name;
        std::function<void(TComponent*)> Resolve;
        std::string Where;
    };

    void ReadChild(const TFormNode& node, TWinControl* parent) {
        FWhere = "Form " + FFormName + ", component " + node.Name + " (" + node.ClassName + ")";
        const TClassInfo* info = FindClassInfo(node.ClassName);
        if (!info) Fail("class " + node.ClassName + " is not registered");
        if (!info->Create) Fail("class " + node.ClassName + " cannot be created from a description");
        if (FRoot.FindComponent(node.Name)) Fail("a component named " + node.Name + " already exists");
        TComponent* component = info->Create(&FRoot);
        component->BeginLoading();
        component->SetName(node.Name);
        FLoaded.push_back(component);
        auto* control = dynamic_cast<TControl*>(component);
        if (control && parent) control->SetParent(parent);
        ApplyProperties(*component, *info, node);
        auto* windowed = dynamic_cast<TWinControl*>(component);
        if (!node.Children.empty() && !windowed)
            Fail(node.Name + " cannot hold other components");
        for (const TFormNode& child : node.Children) ReadChild(child, windowed);
    }

    void ApplyProperties(TComponent& component, const TClassInfo& info, const TFormNode& node) {
        std::string where = "Form " + FFormName + ", component " + node.Name + " (" + node.ClassName + ")";
        for (const TFormProperty& property : node.Properties) {
            FWhere = where + ", property " + property.Name;
            const TPropertySetter* setter = info.FindProperty(property.Name);
            if (!setter) Fail("no such property");
            try {
                (*setter)(component, property.Value, *this);
            } catch (const Exception& e) {
                if (e.Message().rfind("Form ", 0) == 0) throw;
                Fail(e.Message());
            }
        }
        FWhere = where;
    }

    TComponent& FRoot;
    std::string FFormName;
    const THandlerTable& FHandlers;
    const std::function<void()>& FPropertiesRead;
    std::vector<TFixup> FFixups;
    std::vector<TComponent*> FLoaded;
    std::string FWhere;
};

} // namespace

const TPropertySetter* TClassInfo::FindProperty(const std::string& name) const {
    for (const TClassInfo* info = this; info; info = info->Parent) {
        auto found = info->Properties.find(name);
        if (found != info->Properties.end()) return &found->second;
    }
    return nullptr;
}

bool TClassInfo::InheritsFrom(const std::string& className) const {
    for (const TClassInfo* info = this; info; info = info->Parent)
        if (info->Name == className) return true;
    return false;
}

const TClassInfo* FindClassInfo(const std::string& name) {
    auto found = Registry().find(name);
    return found == Registry().end() ? nullptr : &found->second;
}

TClassInfo& RegisterClassInfo(const std::string& name, const std::string& parentName) {
    TClassInfo& info = Registry()[name];
    info.Name = name;
    if (!parentName.empty()) {
        const TClassInfo* parent = FindClassInfo(parentName);
        if (!parent) throw Exception("Class " + name + " registered before its base " + parentName);
        info.Parent = parent;
    }
    return info;
}

void TFormReader::Fail(const std::string& what) const { throw Exception(Where() + ": " + what); }

void TFormReader::ExpectKind(const TFormValue& value, TFormValue::TKind kind) const {
    if (value.Kind != kind)
        Fail(std::string("expected ") + TFormValue::KindName(kind) + ", found " + TFormValue::KindName(value.Kind));
}

int TFormReader::IdentValue(const TFormValue& value, const TIdentTable& table) const {
    ExpectKind(value, TFormValue::vkIdent);
    for (const auto& [name, number] : table)
        if (name == value.Text) return number;
    Fail("unknown value " + value.Text);
}

const std::any& TFormReader::Handler(const std::string& name) const {
    const std::any* handler = Handlers().Find(name);
    if (!handler) Fail("the form has no handler named " + name);
    return *handler;
}

void TFormReader::AddFixup(const std::string& componentName, std::function<void(TComponent*)> resolve) {
    DeferFixup(componentName, std::move(resolve));
}

const TIdentTable& ColorIdents() {
    static const TIdentTable table = {
        {"clBlack", clBlack},           {"clWhite", clWhite},
        {"clNone", clNone},             {"clScrollBar", clScrollBar},
        {"clWindow", clWindow},         {"clWindowText", clWindowText},
        {"clHighlight", clHighlight},   {"clHighlightText", clHighlightText},
        {"clBtnFace", clBtnFace},       {"clBtnShadow", clBtnShadow},
        {"clBtnHighlight", clBtnHighlight}, {"clMaroon", RGB(128, 0, 0)},
        {"clGreen", RGB(0, 128, 0)},    {"clNavy", RGB(0, 0, 128)},
        {"clGray", RGB(128, 128, 128)}, {"clSilver", RGB(192, 192, 192)},
        {"clRed", RGB(255, 0, 0)},      {"clLime", RGB(0, 255, 0)},
        {"clBlue", RGB(0, 0, 255)},     {"clYellow", RGB(255, 255, 0)},
    };
    return table;
}

void ReadForm(TComponent& root, const TFormNode& description, const THandlerTable& handlers,
              const std::function<void()>& propertiesRead) {
    TTreeReader(root, description.Name, handlers, propertiesRead).ReadRoot(description);
}

void ReadFormBinary(TComponent& root, const std::uint8_t* data, std::size_t size,
                    const THandlerTable& handlers, const std::function<void()>& propertiesRead) {
    ReadForm(root, DecodeFormBinary(data, size), handlers, propertiesRead);
}

TFormNode DecodeFormResource(const TFormResource& resource) {
    std::future<TFormNode> ahead;
    {
        std::lock_guard lock(DecodingMutex);
        if (auto found = Decoding.find(&resource); found != Decoding.end()) {
            ahead = std::move(found->second);
            Decoding.erase(found);
        }
    }
    return ahead.valid() ? ahead.get() : DecodeNow(resource);
}

void DecodeFormResourceAhead(const TFormResource& resource) {
    std::lock_guard lock(DecodingMutex);
    if (Decoding.count(&resource)) return;
    Decoding.emplace(&resource, std::async(std::launch::async, [&resource] { return DecodeNow(resource); }));
}

void ReadFormResource(TComponent& root, const TFormResource& resource, const THandlerTable& handlers,
                      const std::function<void()>& propertiesRead) {
    ReadForm(root, DecodeFormResource(resource), handlers, propertiesRead);
}
