#include "classes.h"

#include <algorithm>

void TPersistent::Assign(const TPersistent* Source) {
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    throw EConvertError("Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* Dest) const {
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + Dest->ClassName());
}

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    Include(csDestroying);
    // Tell every linked component. A handler may link or unlink others, so take
    // one at a time and drop the link on both sides before telling.
    while (!FFreeNotifies.empty()) {
        TComponent* c = FFreeNotifies.begin()->first;
        FFreeNotifies.erase(FFreeNotifies.begin());
        c->FFreeNotifies.erase(this);
        c->Notification(this, TOperation::opRemove);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::SetName(const std::string& Value) {
    if (Value == FName) return;
    if (!Value.empty() && FOwner) {
        TComponent* other = FOwner->FindComponent(Value);
        if (other && other != this)
            throw EComponentError("A component named " + Value + " already exists");
    }
    FName = Value;
}

TComponent* TComponent::Components(int Index) const {
    if (Index < 0 || Index >= ComponentCount())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FComponents[static_cast<size_t>(Index)];
}

int TComponent::ComponentIndex() const {
    if (!FOwner) return -1;
    const auto& list = FOwner->FComponents;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
    if (AName.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, AName)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->FOwner == this) return;
    if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
    Notification(AComponent, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    const auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
    if (it == FComponents.end()) return;
    Notification(AComponent, TOperation::opRemove);
    FComponents.erase(std::find(FComponents.begin(), FComponents.end(), AComponent));
    AComponent->FOwner = nullptr;
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    ++FFreeNotifies[AComponent];
    ++AComponent->FFreeNotifies[this];
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    const auto it = FFreeNotifies.find(AComponent);
    if (it == FFreeNotifies.end()) return;
    // Both sides hold the same count.
    if (--it->second > 0) {
        --AComponent->FFreeNotifies[this];
        return;
    }
    FFreeNotifies.erase(it);
    AComponent->FFreeNotifies.erase(this);
}

void TComponent::BeginLoading() {
    Include(csLoading);
    for (TComponent* c : FComponents)
        c->BeginLoading();
}

void TComponent::EndLoading() {
    for (TComponent* c : FComponents)
        c->EndLoading();
    Exclude(csLoading);
    Loaded();
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        // The child's destructor removes it from this list through RemoveComponent.
        delete c;
    }
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == TOperation::opRemove) FFreeNotifies.erase(AComponent);
    // Owned components hear about each other, as on the platform.
    if (Operation == TOperation::opRemove && !HasState(csDestroying))
        for (TComponent* c : FComponents)
            if (c != AComponent) c->Notification(AComponent, Operation);
}

void TComponent::Loaded() {}
