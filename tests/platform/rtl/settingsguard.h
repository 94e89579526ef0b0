#pragma once
// Tests that change the process-wide format settings hold one of these: the
// settings are put back when the test ends, also when an assertion ended it
// early, so that no later test runs with another test's separators.

#include "platform/rtl/sysutils.h"

class TFormatSettingsGuard {
public:
    TFormatSettingsGuard() : FSaved(FormatSettings()) {}
    ~TFormatSettingsGuard() { FormatSettings() = FSaved; }
    TFormatSettingsGuard(const TFormatSettingsGuard&) = delete;
    TFormatSettingsGuard& operator=(const TFormatSettingsGuard&) = delete;

private:
    TFormatSettings FSaved;
};
