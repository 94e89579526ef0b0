#pragma once
// A private configuration folder for one test: XDG_CONFIG_HOME points into a
// fresh temporary folder for the test's lifetime, and both go afterwards.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/rtl/files.h"
#include "platform/rtl/stringlist.h"

inline std::vector<std::string> Lines(const TStrings& Strings) {
    std::vector<std::string> out;
    for (int i = 0; i < Strings.Count(); ++i)
        out.push_back(Strings[i]);
    return out;
}

class ConfigFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("XDG_CONFIG_HOME");
        FHadOld = old != nullptr;
        if (old) FOld = old;
        char tmpl[] = "/tmp/vz_config_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        Root = tmpl;
        setenv("XDG_CONFIG_HOME", Root.c_str(), 1);
    }
    void TearDown() override {
        if (FHadOld)
            setenv("XDG_CONFIG_HOME", FOld.c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        std::system(("rm -rf '" + Root + "'").c_str());
    }

    std::string Root; // what XDG_CONFIG_HOME names during the test

private:
    bool FHadOld = false;
    std::string FOld;
};

// Kills a child process that runs Writer for ever, at varying moments, until it
// has been caught inside an atomic write a few times (its unfinished temporary
// file, matching TempMask in Folder, shows that); Check looks at what is on
// disk after each kill. Kills are spread over twice the time one call of
// Writer takes here, so a slow or busy machine shifts them along.
// Returns how often the child was caught writing.
inline int KillWriterRepeatedly(const std::function<void()>& Writer, const std::string& Folder,
                                const std::string& TempMask,
                                const std::function<void(int Round)>& Check) {
    const auto start = std::chrono::steady_clock::now();
    Writer();
    const long long span = std::chrono::duration_cast<std::chrono::microseconds>(
                               std::chrono::steady_clock::now() - start)
                                   .count() *
                               2 +
                           1000;
    int caughtWriting = 0;
    for (int round = 0; round < 200 && caughtWriting < 3; ++round) {
        const pid_t child = fork();
        if (child < 0) {
            ADD_FAILURE() << "fork failed";
            break;
        }
        if (child == 0) {
            for (;;)
                Writer();
        }
        usleep(static_cast<useconds_t>(500 + (round * 7919LL) % span));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status));
        Check(round);
        if (::testing::Test::HasFailure()) break;
        const std::vector<std::string> left = ListFiles(Folder, TempMask);
        if (!left.empty()) ++caughtWriting;
        for (const std::string& file : left)
            DeleteFile(Folder + "/" + file);
    }
    return caughtWriting;
}
