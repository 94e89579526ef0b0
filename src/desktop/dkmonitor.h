#pragma once
// What the folder and registry monitors share: a worker that waits on the
// kernel's change notifications or a wake-up and reports changes on the
// window thread, and the component that restarts it on every change of its
// parameters.

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "desktop/dkclasses.h"
#include "desktop/dkthreads.h"

using TdkMonitorChange = std::function<void()>;

class TdkMonitorThread : public TdkThread {
public:
    explicit TdkMonitorThread(TdkMonitorChange OnChange);
    ~TdkMonitorThread() override;
    // True while a watch runs.
    bool Watching() const { return FWatching; }
    // True while the worker waits for a notification or a wake-up: whatever it
    // set up before (a watch, or none for a missing folder) is in place.
    bool Waiting() const { return FWaiting; }

protected:
    enum TWaitResult { wrNotified, wrWoken, wrEnd };
    // Waits until Notify (-1: none) can be read or the thread is woken;
    // wrEnd once the thread is asked to end or the wait fails.
    TWaitResult Wait(int Notify);
    void WakeUp() override;
    // OnChange on the window thread.
    void ReportChange();
    std::atomic<bool> FWatching{false};

private:
    int FWake = -1; // an eventfd
    std::atomic<bool> FWaiting{false};
    TdkMonitorChange FOnChange;
};

class TdkMonitorComponent : public TdkComponent {
public:
    explicit TdkMonitorComponent(TComponent* AOwner);
    ~TdkMonitorComponent() override;

    bool Active() const { return FActive; }
    void SetActive(bool Value);
    bool WatchSubTree() const { return FWatchSubTree; }
    void SetWatchSubTree(bool Value);
    const TdkMonitorChange& OnChange() const { return FOnChange; }
    void SetOnChange(TdkMonitorChange Value);

protected:
    void Loaded() override;
    // Ends the running worker and, when active (not designing or loading)
    // with an OnChange, starts a new one with the parameters.
    void Restart();
    virtual std::unique_ptr<TdkMonitorThread> CreateThread() = 0;
    TdkMonitorThread* MonitorThread() const { return FThread.get(); }

private:
    std::unique_ptr<TdkMonitorThread> FThread;
    bool FActive = false;
    bool FWatchSubTree = true;
    TdkMonitorChange FOnChange;
};
