#include "dkregmon.h"

#include <sys/inotify.h>
#include <unistd.h>

#include "platform/rtl/files.h"

HKEY dkRootKeyHandle(TdkRegRootKey Root) {
    static const HKEY Keys[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER,   HKEY_LOCAL_MACHINE,
                                HKEY_USERS,        HKEY_CURRENT_CONFIG, HKEY_DYN_DATA};
    return Keys[Root];
}

unsigned dkRegistryNotifyFlags(TdkRegistryMonitorFilters Filters) {
    unsigned Flags = 0;
    for (int i = 0; i < 4; ++i)
        if (Filters.Contains(static_cast<TdkRegistryMonitorFilter>(i))) Flags |= 1u << i;
    return Flags;
}

namespace {

void AppendState(TRegistry& Reg, const std::string& Path, TdkRegistryMonitorFilters Filters,
                 bool SubTree, std::string& State) {
    if (!Reg.OpenKeyReadOnly(Path)) return;
    State += "[" + Path + "]\n";
    if (Filters.Contains(rmfValueChange) || Filters.Contains(rmfAttributeChange)) {
        TStringList Names;
        Reg.GetValueNames(&Names);
        for (int i = 0; i < Names.Count(); ++i) {
            const std::string N = Names[i];
            const TRegDataType T = Reg.GetDataType(N);
            State += N + "\x1f" + IntToStr(T) + "\x1f";
            if (Filters.Contains(rmfValueChange)) {
                if (T == rdString || T == rdExpandString)
                    State += Reg.ReadString(N);
                else if (T == rdInteger)
                    State += IntToStr(Reg.ReadInteger(N));
            }
            State += "\n";
        }
    }
    TStringList Keys;
    Reg.GetKeyNames(&Keys);
    if (Filters.Contains(rmfSubTreeChange))
        for (int i = 0; i < Keys.Count(); ++i)
            State += "<" + Keys[i] + ">\n";
    if (!SubTree) return;
    for (int i = 0; i < Keys.Count(); ++i)
        AppendState(Reg, Path + "\\" + Keys[i], Filters, SubTree, State);
}

} // namespace

std::string dkRegistryKeyState(HKEY Root, const std::string& Key, TdkRegistryMonitorFilters Filters,
                               bool WatchSubTree) {
    TRegistry Reg;
    Reg.SetRootKey(Root);
    const std::string Path = Key.empty() || Key[0] == '\\' ? Key : "\\" + Key;
    if (!Path.empty() && !Reg.KeyExists(Path)) return "";
    std::string State = "+";
    AppendState(Reg, Path, Filters, WatchSubTree, State);
    return State;
}

TCriticalSection& TdkRegistryMonitorThread::Lock() {
    static TCriticalSection Section;
    return Section;
}

TdkRegistryMonitorThread::TdkRegistryMonitorThread(HKEY Root, const std::string& Key,
                                                   TdkRegistryMonitorFilters Filters,
                                                   bool WatchSubTree, TdkMonitorChange OnChange)
    : TdkMonitorThread(std::move(OnChange)), FRoot(Root), FKey(Key), FFilters(Filters),
      FSubTree(WatchSubTree) {}

TdkRegistryMonitorThread::~TdkRegistryMonitorThread() {
    Finish();
}

void TdkRegistryMonitorThread::Execute() {
    ApplyPriority();
    HKEY Root;
    std::string Key;
    TdkRegistryMonitorFilters Filters;
    bool SubTree;
    {
        std::lock_guard<TCriticalSection> Guard(Lock());
        Root = FRoot;
        Key = FKey;
        Filters = FFilters;
        SubTree = FSubTree;
    }
    std::string Store;
    try {
        Store = DiskName(TRegistry::StoreFileName(Root));
    } catch (const Exception&) {
        return; // a root the registry does not know: nothing to watch
    }
    const std::string Folder = Store.substr(0, Store.rfind('/'));
    const std::string Name = Store.substr(Store.rfind('/') + 1);
    ForceDirectories(ProgramName(Folder));
    const int Notify = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (Notify < 0) return;
    // The store is replaced by a rename on each change, so its folder is watched.
    if (inotify_add_watch(Notify, Folder.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO | IN_DELETE) < 0) {
        close(Notify);
        return;
    }
    std::string Last;
    try {
        Last = dkRegistryKeyState(Root, Key, Filters, SubTree);
    } catch (const Exception&) {
    }
    FWatching = true;
    alignas(inotify_event) char Buf[8192];
    for (TWaitResult R; (R = Wait(Notify)) != wrEnd;) {
        if (R != wrNotified) continue;
        bool Touched = false;
        for (ssize_t N; (N = read(Notify, Buf, sizeof Buf)) > 0;)
            for (ssize_t At = 0; At < N;) {
                const auto* E = reinterpret_cast<const inotify_event*>(Buf + At);
                At += static_cast<ssize_t>(sizeof(inotify_event) + E->len);
                if ((E->mask & IN_Q_OVERFLOW) || (E->len > 0 && Name == E->name)) Touched = true;
            }
        if (!Touched) continue;
        std::string Now;
        try {
            Now = dkRegistryKeyState(Root, Key, Filters, SubTree);
        } catch (const Exception&) {
            continue; // a store being replaced right now: the next event reads it
        }
        // Also a key that appears or disappears changes its state.
        if (Now == Last) continue;
        Last = Now;
        ReportChange();
    }
    FWatching = false;
    close(Notify);
}

std::unique_ptr<TdkMonitorThread> TdkCustomRegistryMonitor::CreateThread() {
    return std::make_unique<TdkRegistryMonitorThread>(dkRootKeyHandle(FRootKey), FRegistryKey,
                                                      FNotifyFilters, WatchSubTree(), OnChange());
}

void TdkCustomRegistryMonitor::SetRegistryKey(const std::string& Value) {
    FRegistryKey = Value;
    Restart();
}

void TdkCustomRegistryMonitor::SetRootKey(TdkRegRootKey Value) {
    FRootKey = Value;
    Restart();
}

void TdkCustomRegistryMonitor::SetNotifyFilters(TdkRegistryMonitorFilters Value) {
    FNotifyFilters = Value;
    Restart();
}
