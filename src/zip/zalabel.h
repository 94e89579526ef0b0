#pragma once
// The volume label of a removable medium, set the way a Linux desktop does:
// udisks2 on the system bus (the bus named by DBUS_SYSTEM_BUS_ADDRESS when
// set), method org.freedesktop.UDisks2.Filesystem.SetLabel on the medium's
// block device. The call goes through the gdbus tool, so the engine needs no
// bus library of its own.

#include <string>

// Asks udisks2 to label the file system on Device; true when it answered yes.
bool ZASetUDisksLabel(const std::string& Device, const std::string& Label);
// Labels the removable medium that holds Path; false (and nothing done) for a
// path on a fixed disk.
bool ZASetMediumLabel(const std::string& Path, const std::string& Label);
