#pragma once
// Reports changes inside a folder (and its subfolders) on the window thread,
// from a worker that waits on the kernel's change notifications (inotify).

#include <functional>
#include <memory>
#include <string>

#include "desktop/dkclasses.h"
#include "desktop/dkthreads.h"
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
using TdkMonitorChange = std::function<void()>;

// The platform's flag word of a filter set.
unsigned dkFolderNotifyFlags(TFolderMonitorFilters Filters);

class TdkFolderMonitorThread : public TdkThread {
public:
    TdkFolderMonitorThread(const std::string& Folder, TFolderMonitorFilters Filters,
                           bool WatchSubTree, TdkMonitorChange OnChange);
    ~TdkFolderMonitorThread() override;
    // New watch parameters, picked up at the worker's next wake-up.
    void SetParameters(const std::string& Folder, TFolderMonitorFilters Filters, bool WatchSubTree);
    // True while a watch on an existing folder runs.
    bool Watching() const { return FWatching; }

    // Guards the parameters of every folder monitor thread.
    static TCriticalSection& Lock();

protected:
    void Execute() override;
    void WakeUp() override;

private:
    bool Open();
    void Close();
    void AddTree(const std::string& Path, int Depth);
    bool ReadEvents(); // true when a change the filters ask for came
    int FWake = -1;    // an eventfd
    int FNotify = -1;  // the inotify descriptor
    int FRootWatch = -1;
    std::string FFolder;
    TFolderMonitorFilters FFilters;
    bool FSubTree = true;
    bool FChanged = false; // parameters changed since the last open
    std::atomic<bool> FWatching{false};
    TdkMonitorChange FOnChange;
    struct TWatches;
    std::unique_ptr<TWatches> FWatches;
};

class TdkCustomFolderMonitor : public TdkComponent {
public:
    explicit TdkCustomFolderMonitor(TComponent* AOwner);
    ~TdkCustomFolderMonitor() override;
    std::string ClassName() const override { return "TdkCustomFolderMonitor"; }

    bool Active() const { return FActive; }
    void SetActive(bool Value);
    const std::string& Folder() const { return FFolder; }
    void SetFolder(const std::string& Value);
    TFolderMonitorFilters NotifyFilters() const { return FNotifyFilters; }
    void SetNotifyFilters(TFolderMonitorFilters Value);
    bool WatchSubTree() const { return FWatchSubTree; }
    void SetWatchSubTree(bool Value);
    const TdkMonitorChange& OnChange() const { return FOnChange; }
    void SetOnChange(TdkMonitorChange Value);
    TdkFolderMonitorThread* Thread() const { return FThread.get(); }

protected:
    void Loaded() override;

private:
    void Restart();
    std::unique_ptr<TdkFolderMonitorThread> FThread;
    bool FActive = false;
    std::string FFolder = "/"; // the root of the file system
    TFolderMonitorFilters FNotifyFilters{fmfFileNameChange, fmfDirNameChange};
    bool FWatchSubTree = true;
    TdkMonitorChange FOnChange;
};

class TdkFolderMonitor : public TdkCustomFolderMonitor {
public:
    using TdkCustomFolderMonitor::TdkCustomFolderMonitor;
    std::string ClassName() const override { return "TdkFolderMonitor"; }
};
