#include "dkprocess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "vz_test_support.h"

TChildProcess::TChildProcess(const std::vector<std::string>& Argv) {
    int Out[2], In[2];
    if (pipe2(Out, O_CLOEXEC) != 0 || pipe2(In, O_CLOEXEC) != 0) return;
    FPid = fork();
    if (FPid == 0) {
        dup2(Out[1], 1);
        dup2(In[0], 0);
        std::vector<char*> Args;
        for (const auto& A : Argv)
            Args.push_back(const_cast<char*>(A.c_str()));
        Args.push_back(nullptr);
        execv(Args[0], Args.data());
        _exit(127);
    }
    close(Out[1]);
    close(In[0]);
    FOut = Out[0];
    FIn = In[1];
    fcntl(FOut, F_SETFL, O_NONBLOCK);
}

TChildProcess::~TChildProcess() {
    CloseInput();
    if (FPid > 0 && FStatus < 0 && Wait(0) < 0) {
        kill(FPid, SIGTERM);
        Wait(5000);
    }
    if (FOut >= 0) close(FOut);
}

void TChildProcess::CloseInput() {
    if (FIn >= 0) close(FIn);
    FIn = -1;
}

int TChildProcess::Wait(int Ms) {
    if (FStatus >= 0) return FStatus;
    const auto Until = std::chrono::steady_clock::now() + std::chrono::milliseconds(Ms);
    for (;;) {
        int Status = 0;
        if (waitpid(FPid, &Status, WNOHANG) == FPid) {
            Output();
            FStatus = WIFEXITED(Status) ? WEXITSTATUS(Status) : 128 + WTERMSIG(Status);
            return FStatus;
        }
        if (std::chrono::steady_clock::now() >= Until) return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

std::string TChildProcess::Output(const std::string& Text, int Ms) {
    const auto Until = std::chrono::steady_clock::now() + std::chrono::milliseconds(Ms);
    for (;;) {
        char Buf[4096];
        ssize_t N;
        while (FOut >= 0 && (N = read(FOut, Buf, sizeof Buf)) > 0)
            FOutput.append(Buf, static_cast<size_t>(N));
        if (Text.empty() || FOutput.find(Text) != std::string::npos ||
            std::chrono::steady_clock::now() >= Until)
            return FOutput;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

TPrivateBus::TPrivateBus(const std::string& Folder)
    : FSocket(Folder + "/bus"), FAddress("unix:path=" + FSocket),
      FDaemon({"/usr/bin/dbus-daemon", "--session", "--nofork", "--nopidfile",
               "--address=" + FAddress}) {
    struct stat St;
    for (int i = 0; i < 1000 && stat(FSocket.c_str(), &St) != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

bool TPrivateBus::Running() const {
    struct stat St;
    return stat(FSocket.c_str(), &St) == 0;
}

TStandinBus::TStandinBus(const std::string& Folder, const std::string& Program)
    : FBus(Folder), FLog(Folder + "/standin.log") {
    if (!FBus.Running()) return;
    setenv("DBUS_SYSTEM_BUS_ADDRESS", FBus.Address().c_str(), 1);
    FStandin.emplace(std::vector<std::string>{Program, FLog});
    // A busy machine may take long to start the stand-in: wait for its line,
    // or until it ended without one.
    const auto Until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    for (;;) {
        FReady = ReadBytes(FLog).find("ready\n") != std::string::npos;
        if (FReady || FStandin->Wait(0) >= 0 || std::chrono::steady_clock::now() >= Until) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

TStandinBus::~TStandinBus() {
    FStandin.reset();
    unsetenv("DBUS_SYSTEM_BUS_ADDRESS");
}

std::string TStandinBus::Calls() const {
    const std::string S = ReadBytes(FLog);
    const size_t Ready = S.find("ready\n");
    return Ready == std::string::npos ? std::string() : S.substr(Ready + 6);
}
