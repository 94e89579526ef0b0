#pragma once
// What the desktop component tests share: running the window thread's
// messages until something happens, and a private folder per test.

#include <chrono>
#include <functional>
#include <string>

#include "vz_test_support.h"

// Handles messages (and thread hand-offs) until Done answers true or Ms pass;
// answers Done's last value. The default is generous: a machine with every CPU
// busy must not fail a test that only waits.
bool PumpUntil(const std::function<bool()>& Done, int Ms = 30000);

// A unique temporary folder, removed with everything in it at the end.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    const std::string& Path() const { return FPath; }
    std::string operator/(const std::string& Name) const { return FPath + "/" + Name; }

private:
    std::string FPath;
};

using TClock = std::chrono::steady_clock;
inline long long MsSince(TClock::time_point Start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(TClock::now() - Start).count();
}
