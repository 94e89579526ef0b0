#pragma once
// Keeps the process-wide format settings as a test found them.

#include "platform/rtl/sysutils.h"

struct FormatScope {
    TFormatSettings Saved = FormatSettings();
    FormatScope() = default;
    FormatScope(const FormatScope&) = delete;
    FormatScope& operator=(const FormatScope&) = delete;
    ~FormatScope() { FormatSettings() = Saved; }
};
