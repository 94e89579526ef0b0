#pragma once
// Other processes for the desktop tests: helper programs and a private bus.

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

class TChildProcess {
public:
    // Starts Argv[0] with the arguments; its output is read through a pipe and
    // its input is a pipe the test may close.
    explicit TChildProcess(const std::vector<std::string>& Argv);
    ~TChildProcess(); // ends the child (SIGTERM) when it still runs
    // Waits up to Ms for the child to end; its exit code, or -1 on time-out.
    int Wait(int Ms = 30000);
    // Reads what the child wrote so far (waits up to Ms for Text to show up).
    std::string Output(const std::string& Text = "", int Ms = 30000);
    void CloseInput();
    pid_t Pid() const { return FPid; }

private:
    pid_t FPid = -1;
    int FOut = -1, FIn = -1;
    int FStatus = -1;
    std::string FOutput;
};

// A D-Bus daemon of the test's own on a socket in Folder; Address() is what
// DBUS_SYSTEM_BUS_ADDRESS or DBUS_SESSION_BUS_ADDRESS is set to.
class TPrivateBus {
public:
    explicit TPrivateBus(const std::string& Folder);
    const std::string& Address() const { return FAddress; }
    bool Running() const;

private:
    std::string FSocket, FAddress;
    TChildProcess FDaemon;
};

// A private system bus with a stand-in for a system service on it: while it
// lives DBUS_SYSTEM_BUS_ADDRESS names the bus; the stand-in Program logs to a
// file in Folder. Ready() tells whether the stand-in came to own its name;
// Calls() is what it was asked since.
class TStandinBus {
public:
    TStandinBus(const std::string& Folder, const std::string& Program);
    ~TStandinBus();
    TStandinBus(const TStandinBus&) = delete;
    TStandinBus& operator=(const TStandinBus&) = delete;
    bool Ready() const { return FReady; }
    std::string Calls() const;
    // Ends the stand-in; the bus stays, without the service.
    void EndService() { FStandin.reset(); }

private:
    TPrivateBus FBus;
    std::string FLog;
    std::optional<TChildProcess> FStandin;
    bool FReady = false;
};
