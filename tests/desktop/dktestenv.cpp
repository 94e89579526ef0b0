#include "dktestenv.h"

#include <thread>

#include "platform/vcl/forms.h"

bool PumpUntil(const std::function<bool()>& Done, int Ms) {
    const auto Start = TClock::now();
    while (!Done()) {
        if (MsSince(Start) > Ms) return Done();
        Application->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}
