#include "dkshutdown.h"

#include "platform/desktop/logind.h"

bool TdkShutdown::Execute() {
    static const TPowerAction Actions[] = {paPowerOff, paPowerOff, paReboot,
                                           paLogOff,   paSuspend,  paHibernate};
    // Nobody is asked to allow what this user may not do anyway.
    if (!PowerActionPermitted(Actions[ActionType])) return false;
    bool Allow = true;
    if (OnQueryShutdown) OnQueryShutdown(this, Allow);
    if (!Allow) return false;
    return RequestPowerAction(Actions[ActionType], !Force);
}
