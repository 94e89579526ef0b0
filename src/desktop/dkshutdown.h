#pragma once
// Powers off, restarts, logs off, suspends or hibernates the machine.

#include <functional>
#include <string>

#include "desktop/dkclasses.h"

enum TdkShutdownActionType {
    aatPowerOff,
    aatShutdown,
    aatReboot,
    aatLogOff,
    aatSuspend,
    aatHibernate
};

using TdkQueryShutdownEvent = std::function<void(TObject* Sender, bool& Allow)>;

class TdkShutdown : public TdkComponent {
public:
    using TdkComponent::TdkComponent;
    std::string ClassName() const override { return "TdkShutdown"; }

    TdkShutdownActionType ActionType = aatPowerOff;
    // Forced: the session manager does not ask the user (or anyone) first.
    bool Force = false;
    TdkQueryShutdownEvent OnQueryShutdown;

    // True when the system accepted the action.
    bool Execute();
};
