#include "dkthreadcomp.h"

#include <cxxabi.h>

#include <cstdlib>
#include <typeinfo>

#include "platform/vcl/forms.h"

namespace {

std::string ExceptionClassName(const std::exception& E) {
    int Status = 0;
    char* Name = abi::__cxa_demangle(typeid(E).name(), nullptr, nullptr, &Status);
    std::string Result = Status == 0 && Name ? Name : typeid(E).name();
    std::free(Name);
    return Result;
}

constexpr unsigned MB_TOPMOST = 0x40000;

} // namespace

TdkCustomThreadComponent::TdkCustomThreadComponent(TComponent* AOwner) : TdkComponent(AOwner) {
    CreateThread();
}

TdkCustomThreadComponent::~TdkCustomThreadComponent() {
    TdkThread::Release(std::move(FThread));
}

void TdkCustomThreadComponent::CreateThread() {
    FThread = std::make_unique<TdkEventThread>(this);
    FThread->SetPriority(FPriority);
    FThread->Synchronized = FSynchronized;
    FThread->OnExecute = [this](TObject* Sender) {
        if (FOnExecute) FOnExecute(Sender);
    };
    FThread->OnException = [this](const std::exception& E) { HandleException(E); };
    FThread->OnThreadTerminate = [this](TObject* Sender) {
        if (OnTerminate) OnTerminate(Sender);
    };
    FThread->OnFinish = [this](TObject* Sender) {
        if (OnFinish) OnFinish(Sender);
    };
}

void TdkCustomThreadComponent::SetPriority(TThreadPriority Value) {
    FPriority = Value;
    if (FThread) FThread->SetPriority(Value);
}

int TdkCustomThreadComponent::ReturnValue() const {
    return FThread ? FThread->ReturnValue() : FReturnValue;
}

void TdkCustomThreadComponent::SetReturnValue(int Value) {
    FReturnValue = Value;
    if (FThread) FThread->SetResult(Value);
}

bool TdkCustomThreadComponent::Suspended() const {
    if (Designing() || Loading() || !FThread) return FSuspended;
    return FThread->Suspended();
}

void TdkCustomThreadComponent::SetSuspended(bool Value) {
    FSuspended = Value;
    if (Designing() || Loading()) return;
    // A running worker cannot be frozen safely; it runs until it ends.
    if (!Value) Execute();
}

void TdkCustomThreadComponent::SetSynchronized(bool Value) {
    FSynchronized = Value;
    if (FThread) FThread->Synchronized = Value;
}

void TdkCustomThreadComponent::SetOnExecute(TNotifyEvent Value) {
    FOnExecute = std::move(Value);
}

void TdkCustomThreadComponent::Execute() {
    if (Designing()) return;
    if (FThread && FThread->Finished()) Reset();
    if (FThread) FThread->Start();
}

void TdkCustomThreadComponent::Terminate() {
    if (FThread) FThread->Stop();
}

void TdkCustomThreadComponent::Synchronize(const TThreadMethod& Method) {
    if (FThread)
        FThread->Synchronize(Method);
    else
        Method();
}

void TdkCustomThreadComponent::Reset() {
    TdkThread::Release(std::move(FThread));
    CreateThread();
}

void TdkCustomThreadComponent::HandleException(const std::exception& E) {
    if (OnException) {
        OnException(this, E);
        return;
    }
    const std::string Text = Format("Thread %s raised exception class %s with message \"%s\".",
                                    Name().c_str(), ExceptionClassName(E).c_str(), E.what());
    if (Application)
        Application->MessageBox(Text, Application->Title, MB_OK | MB_ICONERROR | MB_TOPMOST);
}

void TdkCustomThreadComponent::Loaded() {
    TdkComponent::Loaded();
    SetSynchronized(FSynchronized);
    SetSuspended(FSuspended);
}

TdkCustomThreadTimer::TdkCustomThreadTimer(TComponent* AOwner) : TdkComponent(AOwner) {}

TdkCustomThreadTimer::~TdkCustomThreadTimer() {
    SetEnabled(false);
    TdkThread::Release(std::move(FThread));
}

void TdkCustomThreadTimer::SetInterval(unsigned Value) {
    FInterval = Value;
    if (FThread) FThread->SetInterval(Value);
}

void TdkCustomThreadTimer::SetPriority(TThreadPriority Value) {
    FPriority = Value;
    if (FThread) FThread->SetPriority(Value);
}

void TdkCustomThreadTimer::SetSynchronized(bool Value) {
    FSynchronized = Value;
    if (FThread) FThread->Synchronized = Value;
}

void TdkCustomThreadTimer::SetEnabled(bool Value) {
    FEnabled = Value;
    UpdateThread();
}

void TdkCustomThreadTimer::SetOnTimer(TNotifyEvent Value) {
    std::lock_guard<std::mutex> Guard(FEventLock);
    FOnTimer = std::move(Value);
}

void TdkCustomThreadTimer::Loaded() {
    TdkComponent::Loaded();
    UpdateThread();
}

void TdkCustomThreadTimer::UpdateThread() {
    if (Designing() || Loading()) return;
    if (!FEnabled) {
        if (FThread) FThread->SetPaused(true);
        return;
    }
    if (!FThread) {
        FThread = std::make_unique<TdkTimerThread>(this);
        FThread->SetInterval(FInterval);
        FThread->SetPriority(FPriority);
        FThread->Synchronized = FSynchronized;
        FThread->OnExecute = [this](TObject* Sender) {
            TNotifyEvent Handler;
            {
                std::lock_guard<std::mutex> Guard(FEventLock);
                Handler = FOnTimer;
            }
            if (Handler) Handler(Sender);
        };
        FThread->Start();
        return;
    }
    FThread->SetPaused(false);
}
