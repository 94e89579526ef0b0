#pragma once
// Object, persistent and component base classes with owner-based lifetime.
// A component created with an owner is destroyed by that owner; one created
// without an owner belongs to whoever holds it (usually a std::unique_ptr).

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/rtl/sets.h"
#include "sysutils.h"

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
    virtual std::string ClassName() const { return "TObject"; }
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

class EListError : public Exception {
public:
    using Exception::Exception;
};

class EStreamError : public Exception {
public:
    using Exception::Exception;
};
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

class EComponentError : public Exception {
public:
    using Exception::Exception;
};

class TPersistent : public TObject {
public:
    // Copies the state of Source; raises EConvertError when neither side knows how.
    virtual void Assign(const TPersistent* Source);
    std::string ClassName() const override { return "TPersistent"; }

protected:
    virtual void AssignTo(TPersistent* Dest) const;
};

enum class TOperation { opInsert, opRemove };

enum TComponentStateFlag { csLoading, csReading, csWriting, csDestroying, csDesigning, csUpdating };
using TComponentState = TSet<TComponentStateFlag>;

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    std::string ClassName() const override { return "TComponent"; }

    TComponent* Owner() const { return FOwner; }
    const std::string& Name() const { return FName; }
    void SetName(const std::string& Value);
    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }

    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int Index) const;
    int ComponentIndex() const;
    TComponent* FindComponent(const std::string& AName) const;

    TComponentState ComponentState() const { return FComponentState; }
    bool HasState(TComponentStateFlag Flag) const { return FComponentState.Contains(Flag); }

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    // Links this component and AComponent so that whichever is destroyed first
    // tells the other through Notification. Each call is one registration; a
    // RemoveFreeNotification withdraws one, so when both sides registered the
    // link, one side letting go still leaves the other told.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // Marks the component (and its owned components) as loading, then calls Loaded.
    void BeginLoading();
    void EndLoading();
    // Destroys every owned component, last first.
    void DestroyComponents();

protected:
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    virtual void Loaded();
    void SetComponentState(TComponentState State) { FComponentState = State; }
    void Include(TComponentStateFlag Flag) { FComponentState.Include(Flag); }
    void Exclude(TComponentStateFlag Flag) { FComponentState.Exclude(Flag); }

private:
    TComponent* FOwner = nullptr;
    std::string FName;
    int FTag = 0;
    TComponentState FComponentState;
    std::vector<TComponent*> FComponents; // owned
    // Linked components with their number of registrations; not owned.
    std::map<TComponent*, int> FFreeNotifies;
};
