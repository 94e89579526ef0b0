#include "dkmonitor.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>

TdkMonitorThread::TdkMonitorThread(TdkMonitorChange OnChange)
    : FWake(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)), FOnChange(std::move(OnChange)) {}

TdkMonitorThread::~TdkMonitorThread() {
    Finish();
    if (FWake >= 0) close(FWake);
}

void TdkMonitorThread::WakeUp() {
    const uint64_t One = 1;
    if (FWake >= 0) (void)!write(FWake, &One, sizeof One);
}

TdkMonitorThread::TWaitResult TdkMonitorThread::Wait(int Notify) {
    for (;;) {
        if (Terminated()) return wrEnd;
        pollfd Fds[2] = {{FWake, POLLIN, 0}, {Notify, POLLIN, 0}};
        FWaiting = true;
        const int Polled = poll(Fds, Notify >= 0 ? 2 : 1, -1);
        FWaiting = false;
        if (Polled < 0) {
            if (errno == EINTR) continue;
            return wrEnd;
        }
        if (Terminated()) return wrEnd;
        if (Fds[0].revents & POLLIN) {
            uint64_t V;
            (void)!read(FWake, &V, sizeof V);
        }
        return Notify >= 0 && (Fds[1].revents & POLLIN) ? wrNotified : wrWoken;
    }
}

void TdkMonitorThread::ReportChange() {
    if (FOnChange) SynchronizeEvent(FOnChange);
}

TdkMonitorComponent::TdkMonitorComponent(TComponent* AOwner) : TdkComponent(AOwner) {}

TdkMonitorComponent::~TdkMonitorComponent() {
    TdkThread::Release(std::move(FThread));
}

void TdkMonitorComponent::Restart() {
    TdkThread::Release(std::move(FThread));
    if (!FActive || Designing() || Loading() || !FOnChange) return;
    FThread = CreateThread();
    FThread->Start();
}

void TdkMonitorComponent::SetActive(bool Value) {
    FActive = Value;
    Restart();
}

void TdkMonitorComponent::SetWatchSubTree(bool Value) {
    FWatchSubTree = Value;
    Restart();
}

void TdkMonitorComponent::SetOnChange(TdkMonitorChange Value) {
    FOnChange = std::move(Value);
    Restart();
}

void TdkMonitorComponent::Loaded() {
    TdkComponent::Loaded();
    Restart();
}
