#pragma once
// One program instance per name: a lock file in the user's runtime folder
// ($XDG_RUNTIME_DIR) held with flock for as long as the instance runs, and a
// local socket on which the running instance is asked to come forward.

#include <functional>
#include <memory>
#include <string>

// The folder of the user's run-time files: XDG_RUNTIME_DIR (made when
// missing) when it names a folder of the user's in which files can be made;
// else a private folder
// "vz-runtime-<uid>" in the temporary folder, else "runtime" in the program's
// configuration folder. A disk name.
std::string RuntimeFolder();

class TInstanceLock {
public:
    ~TInstanceLock();
    TInstanceLock(const TInstanceLock&) = delete;
    TInstanceLock& operator=(const TInstanceLock&) = delete;
    // Takes the lock of Name without waiting; nullptr when another process holds it.
    static std::unique_ptr<TInstanceLock> TryAcquire(const std::string& Name);
    // The lock file of a name (the name's '/' and '%' escaped).
    static std::string LockFileName(const std::string& Name);

private:
    explicit TInstanceLock(int Fd) : FFd(Fd) {}
    int FFd;
};

// Listens for "come forward" requests of later instances; OnRaise runs on the
// window thread. Stops listening when destroyed.
class TInstanceListener {
public:
    virtual ~TInstanceListener() = default;
};
std::unique_ptr<TInstanceListener> ListenForInstances(const std::string& Name,
                                                      std::function<void()> OnRaise);
// Asks the instance listening under Name to come forward; false when none answers.
bool AskInstanceToRaise(const std::string& Name, int TimeoutMs = 2000);
