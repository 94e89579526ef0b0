#pragma once
// Reports changes under a registry key on the window thread. The layer's
// registry keeps each root key in one store file; a worker waits on the
// kernel's change notifications (inotify) for that file and compares the
// watched key with what it was, so only changes of that key are reported.

#include <memory>
#include <string>

#include "desktop/dkmonitor.h"
#include "platform/rtl/registry.h"
#include "platform/rtl/sets.h"
#include "platform/rtl/syncobjs.h"

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

class TdkRegistryMonitorThread : public TdkMonitorThread {
public:
    TdkRegistryMonitorThread(HKEY Root, const std::string& Key, TdkRegistryMonitorFilters Filters,
                             bool WatchSubTree, TdkMonitorChange OnChange);
    ~TdkRegistryMonitorThread() override;
    // Guards the parameters of every registry monitor thread.
    static TCriticalSection& Lock();

protected:
    void Execute() override;

private:
    HKEY FRoot;
    std::string FKey;
    TdkRegistryMonitorFilters FFilters;
    bool FSubTree;
};

class TdkCustomRegistryMonitor : public TdkMonitorComponent {
public:
    using TdkMonitorComponent::TdkMonitorComponent;
    std::string ClassName() const override { return "TdkCustomRegistryMonitor"; }

    const std::string& RegistryKey() const { return FRegistryKey; }
    void SetRegistryKey(const std::string& Value);
    TdkRegRootKey RootKey() const { return FRootKey; }
    void SetRootKey(TdkRegRootKey Value);
    TdkRegistryMonitorFilters NotifyFilters() const { return FNotifyFilters; }
    void SetNotifyFilters(TdkRegistryMonitorFilters Value);
    TdkRegistryMonitorThread* Thread() const {
        return static_cast<TdkRegistryMonitorThread*>(MonitorThread());
    }

protected:
    std::unique_ptr<TdkMonitorThread> CreateThread() override;

private:
    std::string FRegistryKey;
    TdkRegRootKey FRootKey = rrkCurrentUser;
    TdkRegistryMonitorFilters FNotifyFilters{rmfSubTreeChange, rmfValueChange};
};

class TdkRegistryMonitor : public TdkCustomRegistryMonitor {
public:
    using TdkCustomRegistryMonitor::TdkCustomRegistryMonitor;
    std::string ClassName() const override { return "TdkRegistryMonitor"; }
};
