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

// The test's own folder (see TTestFolder), whose files are named Dir / "name".
class TTempFolder : public TTestFolder {
public:
    TTempFolder() : TTestFolder("vzdk") {}
    std::string operator/(const std::string& Name) const { return File(Name); }
};

using TClock = std::chrono::steady_clock;
inline long long MsSince(TClock::time_point Start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(TClock::now() - Start).count();
}
