#pragma once
// Reports changes under a registry key on the window thread. The layer's
// registry keeps each root key in one store file; a worker waits on the
// kernel's change notifications (inotify) for that file and compares the
// watched key with what it was, so only changes of that key are reported.

#include <memory>
#include <string>

#include "desktop/dkclasses.h"
#include "desktop/dkfoldermon.h"
#include "platform/rtl/registry.h"

enum TdkRegRootKey {
    rrkClassesRoot,
    rrkCurrentUser,
    rrkLocalMachine,
    rrkUsers,
    rrkCurrentConfig,
    rrkDynData
};
enum TdkRegistryMonitorFilter {
    rmfSubTreeChange,
    rmfAttributeChange,
    rmfValueChange,
    rmfSecurityChange
};
using TdkRegistryMonitorFilters = TSet<TdkRegistryMonitorFilter>;

HKEY dkRootKeyHandle(TdkRegRootKey Root);
// The platform's flag word of a filter set.
unsigned dkRegistryNotifyFlags(TdkRegistryMonitorFilters Filters);
// What the filters see of a key, as text to compare ("" when the key is missing).
std::string dkRegistryKeyState(HKEY Root, const std::string& Key, TdkRegistryMonitorFilters Filters,
                               bool WatchSubTree);

class TdkRegistryMonitorThread : public TdkThread {
public:
    TdkRegistryMonitorThread(HKEY Root, const std::string& Key, TdkRegistryMonitorFilters Filters,
                             bool WatchSubTree, TdkMonitorChange OnChange);
    ~TdkRegistryMonitorThread() override;
    // True once the worker watches the store.
    bool Watching() const { return FWatching; }
    // Guards the parameters of every registry monitor thread.
    static TCriticalSection& Lock();

protected:
    void Execute() override;
    void WakeUp() override;

private:
    int FWake = -1;
    HKEY FRoot;
    std::string FKey;
    TdkRegistryMonitorFilters FFilters;
    bool FSubTree;
    TdkMonitorChange FOnChange;
    std::atomic<bool> FWatching{false};
};

class TdkCustomRegistryMonitor : public TdkComponent {
public:
    explicit TdkCustomRegistryMonitor(TComponent* AOwner);
    ~TdkCustomRegistryMonitor() override;
    std::string ClassName() const override { return "TdkCustomRegistryMonitor"; }

    bool Active() const { return FActive; }
    void SetActive(bool Value);
    const std::string& RegistryKey() const { return FRegistryKey; }
    void SetRegistryKey(const std::string& Value);
    TdkRegRootKey RootKey() const { return FRootKey; }
    void SetRootKey(TdkRegRootKey Value);
    TdkRegistryMonitorFilters NotifyFilters() const { return FNotifyFilters; }
    void SetNotifyFilters(TdkRegistryMonitorFilters Value);
    bool WatchSubTree() const { return FWatchSubTree; }
    void SetWatchSubTree(bool Value);
    const TdkMonitorChange& OnChange() const { return FOnChange; }
    void SetOnChange(TdkMonitorChange Value);
    TdkRegistryMonitorThread* Thread() const { return FThread.get(); }

protected:
    void Loaded() override;

private:
    void Restart();
    std::unique_ptr<TdkRegistryMonitorThread> FThread;
    bool FActive = false;
    std::string FRegistryKey;
    TdkRegRootKey FRootKey = rrkCurrentUser;
    TdkRegistryMonitorFilters FNotifyFilters{rmfSubTreeChange, rmfValueChange};
    bool FWatchSubTree = true;
    TdkMonitorChange FOnChange;
};

class TdkRegistryMonitor : public TdkCustomRegistryMonitor {
public:
    using TdkCustomRegistryMonitor::TdkCustomRegistryMonitor;
    std::string ClassName() const override { return "TdkRegistryMonitor"; }
};
