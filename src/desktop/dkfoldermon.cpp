#include "dkfoldermon.h"

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "platform/rtl/files.h"

namespace fs = std::filesystem;

struct TdkFolderMonitorThread::TWatches {
    std::map<int, std::string> Paths; // watch descriptor -> folder (disk path)
    dev_t Device = 0;                 // the watched folder's file system
};

namespace {

// A subtree is watched folder by folder; beyond this many the deeper ones go
// unwatched rather than exhausting the user's watches (a watch on "/").
constexpr size_t MaxWatches = 8192;

} // namespace

unsigned dkFolderNotifyFlags(TFolderMonitorFilters Filters) {
    static const unsigned Bits[] = {1, 2, 4, 8, 0x10, 0x100};
    unsigned Flags = 0;
    for (int i = 0; i < 6; ++i)
        if (Filters.Contains(static_cast<TFolderMonitorFilter>(i))) Flags |= Bits[i];
    return Flags;
}

namespace {

uint32_t InotifyMask(TFolderMonitorFilters F) {
    uint32_t M = IN_DELETE_SELF | IN_MOVE_SELF;
    if (F.Contains(fmfFileNameChange) || F.Contains(fmfDirNameChange))
        M |= IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
    if (F.Contains(fmfAttributeChange) || F.Contains(fmfSecurityChange)) M |= IN_ATTRIB;
    if (F.Contains(fmfSizeChange) || F.Contains(fmfWriteChange)) M |= IN_MODIFY | IN_CLOSE_WRITE;
    return M;
}

// Whether one event is a change the filters ask for.
bool Wanted(const inotify_event& E, TFolderMonitorFilters F) {
    const bool Dir = E.mask & IN_ISDIR;
    if (E.mask & (IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO))
        return F.Contains(Dir ? fmfDirNameChange : fmfFileNameChange);
    if (E.mask & IN_ATTRIB) return F.Contains(fmfAttributeChange) || F.Contains(fmfSecurityChange);
    if (E.mask & (IN_MODIFY | IN_CLOSE_WRITE))
        return F.Contains(fmfSizeChange) || F.Contains(fmfWriteChange);
    return false;
}

} // namespace

TCriticalSection& TdkFolderMonitorThread::Lock() {
    static TCriticalSection Section;
    return Section;
}

TdkFolderMonitorThread::TdkFolderMonitorThread(const std::string& Folder,
                                               TFolderMonitorFilters Filters, bool WatchSubTree,
                                               TdkMonitorChange OnChange)
    : TdkMonitorThread(std::move(OnChange)), FFolder(Folder), FFilters(Filters),
      FSubTree(WatchSubTree), FWatches(std::make_unique<TWatches>()) {}

TdkFolderMonitorThread::~TdkFolderMonitorThread() {
    Finish();
    Close();
}

void TdkFolderMonitorThread::SetParameters(const std::string& Folder, TFolderMonitorFilters Filters,
                                           bool WatchSubTree) {
    {
        std::lock_guard<TCriticalSection> Guard(Lock());
        FFolder = Folder;
        FFilters = Filters;
        FSubTree = WatchSubTree;
        FChanged = true;
    }
    WakeUp();
}

void TdkFolderMonitorThread::AddTree(const std::string& Path, int Depth) {
    struct stat St;
    if (FWatches->Paths.size() >= MaxWatches || stat(Path.c_str(), &St) != 0) return;
    if (Depth == 0) FWatches->Device = St.st_dev;
    // Other file systems below the folder (/proc, mounted media) stay out.
    else if (St.st_dev != FWatches->Device)
        return;
    const int Wd = inotify_add_watch(FNotify, Path.c_str(), InotifyMask(FFilters) | IN_ONLYDIR);
    if (Wd < 0) return;
    FWatches->Paths[Wd] = Path;
    if (!FSubTree || Depth > 64) return;
    std::error_code Ec;
    for (const auto& E : fs::directory_iterator(Path, Ec))
        if (E.is_directory(Ec) && !E.is_symlink(Ec)) AddTree(E.path().string(), Depth + 1);
}

bool TdkFolderMonitorThread::Open() {
    std::lock_guard<TCriticalSection> Guard(Lock());
    FChanged = false;
    std::string Folder = Trim(FFolder);
    if (Folder.empty()) Folder = GetCurrentDir();
    FNotify = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (FNotify < 0) return false;
    AddTree(DiskName(Folder), 0);
    if (FWatches->Paths.empty()) {
        // No such folder: no watch runs, only a stop or new parameters wake us.
        Close();
        return false;
    }
    FRootWatch = FWatches->Paths.begin()->first;
    FWatching = true;
    return true;
}

void TdkFolderMonitorThread::Close() {
    if (FNotify >= 0) close(FNotify);
    FNotify = -1;
    FRootWatch = -1;
    FWatches->Paths.clear();
    FWatching = false;
}

bool TdkFolderMonitorThread::ReadEvents() {
    alignas(inotify_event) char Buf[16384];
    bool Change = false;
    for (;;) {
        const ssize_t N = read(FNotify, Buf, sizeof Buf);
        if (N <= 0) break;
        for (ssize_t At = 0; At < N;) {
            const auto* E = reinterpret_cast<const inotify_event*>(Buf + At);
            At += static_cast<ssize_t>(sizeof(inotify_event) + E->len);
            if (E->mask & IN_Q_OVERFLOW) {
                Change = true;
                continue;
            }
            const auto Where = FWatches->Paths.find(E->wd);
            if (E->mask & IN_IGNORED) {
                if (Where != FWatches->Paths.end()) FWatches->Paths.erase(Where);
                continue;
            }
            if (E->wd == FRootWatch && (E->mask & (IN_DELETE_SELF | IN_MOVE_SELF))) {
                Change = true; // the folder itself went: one last report
                continue;
            }
            if (Wanted(*E, FFilters)) Change = true;
            // A new subfolder is watched too.
            if (FSubTree && (E->mask & IN_ISDIR) && (E->mask & (IN_CREATE | IN_MOVED_TO)) &&
                Where != FWatches->Paths.end() && E->len > 0)
                AddTree(Where->second + "/" + E->name, 1);
        }
    }
    return Change;
}

void TdkFolderMonitorThread::Execute() {
    ApplyPriority();
    Open();
    for (TWaitResult R; (R = Wait(FNotify)) != wrEnd;) {
        if (R == wrNotified) {
            if (ReadEvents()) ReportChange();
            if (FWatches->Paths.find(FRootWatch) == FWatches->Paths.end()) Close();
        }
        bool Changed;
        {
            std::lock_guard<TCriticalSection> Guard(Lock());
            Changed = FChanged;
        }
        if (Changed) {
            Close();
            Open();
        }
    }
    Close();
}

std::unique_ptr<TdkMonitorThread> TdkCustomFolderMonitor::CreateThread() {
    return std::make_unique<TdkFolderMonitorThread>(FFolder, FNotifyFilters, WatchSubTree(),
                                                    OnChange());
}

void TdkCustomFolderMonitor::SetFolder(const std::string& Value) {
    FFolder = Value;
    Restart();
}

void TdkCustomFolderMonitor::SetNotifyFilters(TFolderMonitorFilters Value) {
    FNotifyFilters = Value;
    Restart();
}
