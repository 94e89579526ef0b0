#pragma once
// Power actions through systemd-logind on the system bus (the bus named by
// DBUS_SYSTEM_BUS_ADDRESS when set). Interactive lets logind ask the user for
// permission; not interactive fails where permission is missing.

enum TPowerAction { paPowerOff, paReboot, paSuspend, paHibernate, paLogOff };

// True when logind accepted the request.
bool RequestPowerAction(TPowerAction Action, bool Interactive);

// True when logind is there and may carry out Action for this user, perhaps
// after asking ("yes" or "challenge"); log-off needs only logind itself.
bool PowerActionPermitted(TPowerAction Action);
