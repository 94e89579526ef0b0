#pragma once
// Reports changes inside a folder (and its subfolders) on the window thread,
// from a worker that waits on the kernel's change notifications (inotify).

#include <functional>
#include <memory>
#include <string>

#include "desktop/dkmonitor.h"
#include "platform/rtl/sets.h"
#include "platform/rtl/syncobjs.h"

enum TFolderMonitorFilter {
    fmfFileNameChange,
    fmfDirNameChange,
    fmfAttributeChange,
    fmfSizeChange,
    fmfWriteChange,
    fmfSecurityChange
};
using TFolderMonitorFilters = TSet<TFolderMonitorFilter>;

// The platform's flag word of a filter set.
unsigned dkFolderNotifyFlags(TFolderMonitorFilters Filters);

class TdkFolderMonitorThread : public TdkMonitorThread {
public:
    TdkFolderMonitorThread(const std::string& Folder, TFolderMonitorFilters Filters,
                           bool WatchSubTree, TdkMonitorChange OnChange);
    ~TdkFolderMonitorThread() override;
    // New watch parameters, picked up at the worker's next wake-up.
    void SetParameters(const std::string& Folder, TFolderMonitorFilters Filters, bool WatchSubTree);
    // Guards the parameters of every folder monitor thread.
    static TCriticalSection& Lock();

protected:
    void Execute() override;

private:
    bool Open();
    void Close();
    void AddTree(const std::string& Path, int Depth);
    bool ReadEvents(); // true when a change the filters ask for came
    int FNotify = -1;  // the inotify descriptor
    int FRootWatch = -1;
    std::string FFolder;
    TFolderMonitorFilters FFilters;
    bool FSubTree = true;
    bool FChanged = false; // parameters changed since the last open
    struct TWatches;
    std::unique_ptr<TWatches> FWatches;
};

class TdkCustomFolderMonitor : public TdkMonitorComponent {
public:
    using TdkMonitorComponent::TdkMonitorComponent;
    std::string ClassName() const override { return "TdkCustomFolderMonitor"; }

    const std::string& Folder() const { return FFolder; }
    void SetFolder(const std::string& Value);
    TFolderMonitorFilters NotifyFilters() const { return FNotifyFilters; }
    void SetNotifyFilters(TFolderMonitorFilters Value);
    TdkFolderMonitorThread* Thread() const {
        return static_cast<TdkFolderMonitorThread*>(MonitorThread());
    }

protected:
    std::unique_ptr<TdkMonitorThread> CreateThread() override;

private:
    std::string FFolder = "/"; // the root of the file system
    TFolderMonitorFilters FNotifyFilters{fmfFileNameChange, fmfDirNameChange};
};

class TdkFolderMonitor : public TdkCustomFolderMonitor {
public:
    using TdkCustomFolderMonitor::TdkCustomFolderMonitor;
    std::string ClassName() const override { return "TdkFolderMonitor"; }
};
