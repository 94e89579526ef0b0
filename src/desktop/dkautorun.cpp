#include "dkautorun.h"

#include "platform/rtl/files.h"

TdkAutoRun::TdkAutoRun(TComponent* AOwner) : TdkComponent(AOwner) {
    if (!Designing()) FFileName = GetProgramFileName();
}

template <class F> void TdkAutoRun::Change(F&& Store) {
    if (Designing() || Loading()) {
        Store();
        return;
    }
    if (FAutoRun) Unregister();
    Store();
    if (FAutoRun) Register();
}

void TdkAutoRun::SetAutoRun(bool Value) {
    if (Value == FAutoRun) return;
    if (Designing() || Loading()) {
        FAutoRun = Value;
        return;
    }
    if (FAutoRun) Unregister();
    FAutoRun = Value;
    if (FAutoRun) Register();
}

void TdkAutoRun::SetFileName(const std::string& Value) {
    Change([&] { FFileName = Value; });
}

void TdkAutoRun::SetKind(TdkAutoExecKind Value) {
    Change([&] { FKind = Value; });
}

void TdkAutoRun::Loaded() {
    TdkComponent::Loaded();
    if (FAutoRun && !Designing()) Register();
}
