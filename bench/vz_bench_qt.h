#pragma once
// The Qt application of the window benchmarks: offscreen unless the caller
// names a platform, since they run where there is no display.

#include <cstdlib>

#include "platform/vcl/qtapp.h"

inline void StartOffscreenQt() {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    EnsureQtApplication();
}
