#include "dkshutdown.h"

#include "platform/desktop/logind.h"

bool TdkShutdown::Execute() {
    bool Allow = true;
    if (OnQueryShutdown) OnQueryShutdown(this, Allow);
    if (!Allow) return false;
    static const TPowerAction Actions[] = {paPowerOff, paPowerOff, paReboot,
                                           paLogOff,   paSuspend,  paHibernate};
    return RequestPowerAction(Actions[ActionType], !Force);
}
