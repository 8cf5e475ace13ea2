#pragma once
// Components: named objects owned by other components. An owner destroys what it
// owns; anyone holding a reference to a component asks to be told when it goes
// (FreeNotification) and clears the reference in Notification.

#include <string>
#include <vector>

enum TOperation { opInsert, opRemove };

using TComponentState = unsigned;
inline constexpr TComponentState csLoading = 1;
inline constexpr TComponentState csReading = 2;
inline constexpr TComponentState csDestroying = 4;
inline constexpr TComponentState csDesigning = 8;

// Root of everything that can be the sender of an event.
class TObject {
public:
    virtual ~TObject() = default;
    virtual const char* ClassName() const { return "TObject"; }
};

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    const char* ClassName() const override { return "TComponent"; }

    TComponent* Owner() const { return FOwner; }
    const std::string& Name() const { return FName; }
    void SetName(const std::string& name);
    int Tag() const { return FTag; }
    void SetTag(int tag) { FTag = tag; }

    int ComponentCount() const { return int(FComponents.size()); }
    TComponent* Components(int index) const;
    TComponent* FindComponent(const std::string& name) const;

    TComponentState ComponentState() const { return FComponentState; }
    bool Loading() const { return FComponentState & csLoading; }
    bool Destroying() const { return FComponentState & csDestroying; }
    bool Designing() const { return FComponentState & csDesigning; }

    // Links this component and `other` both ways: whichever is destroyed first tells
    // the other with Notification(gone, opRemove). Removing the link removes both ways.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    // Called while the stored description of this component is read, and after it.
    void BeginLoading() { FComponentState |= csLoading | csReading; }
    virtual void Loaded();

    // Told of components that come and go: siblings under the same owner, owned
    // components and everything this component asked FreeNotification of.
    virtual void Notification(TComponent* component, TOperation operation);

    // Runs before destruction while the object is still whole: an owner calls it on
    // what it owns before deleting it.
    virtual void BeforeDestruction() {}

protected:
    void SetDestroying() { FComponentState |= csDestroying; }
    // Destroys every owned component, last first.
    void DestroyComponents();

private:
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    TComponent* FOwner = nullptr;
    std::string FName;
    int FTag = 0;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    TComponentState FComponentState = 0;
};

// The component cast the stored descriptions and handlers use: null when of another class.
template <class T>
T* As(TComponent* component) {
    return dynamic_cast<T*>(component);
}
