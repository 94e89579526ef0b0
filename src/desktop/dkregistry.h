#pragma once
// Registry helpers of the desktop components, and the auto-run registration:
// the values of the platform's Run keys, written to the layer's registry,
// beside the desktop's own autostart entries.

#include <string>
#include <vector>

#include "platform/rtl/registry.h"

// Opens (creating) Key under Root and writes the value; raises
// ERegistryException "Unable to open the <Key> key" when the key cannot be
// opened. A value holding '%' is written as an expandable string.
void dkWriteRegistryString(HKEY Root, const std::string& Key, const std::string& Name,
                           const std::string& Value);

enum TdkAutoExecKind {
    aekMachineRun,
    aekMachineRunOnce,
    aekUserRun,
    aekUserRunOnce,
    aekServiceRun,
    aekServiceRunOnce
};

// The root and key of a kind's Run values.
void dkAutoRunKey(TdkAutoExecKind Kind, HKEY& Root, std::string& Key);
// The autostart folder of a kind: the user's ($XDG_CONFIG_HOME/autostart)
// for user kinds, the first of $XDG_CONFIG_DIRS for machine kinds.
std::string dkAutoStartFolder(TdkAutoExecKind Kind);
// The desktop entry that starts FileName with a kind.
std::string dkAutoStartEntry(TdkAutoExecKind Kind, const std::string& FileName);
// A desktop entry's Exec line for a program and its arguments.
std::string dkDesktopExec(const std::vector<std::string>& Args);

// Registers FileName to start at log-on: the value (named by the file's name
// part) in the kind's key and a desktop entry in the kind's autostart folder;
// a run-once entry removes itself when it starts the program. Service kinds
// do nothing, as on the NT family. False when the desktop entry cannot be
// written; raises as dkWriteRegistryString when the key cannot be opened.
bool dkRegisterAutoRun(TdkAutoExecKind Kind, const std::string& FileName);
// Removes both; true when nothing of them is left.
bool dkUnregisterAutoRun(TdkAutoExecKind Kind, const std::string& FileName);
// Whether the kind's key holds the value for FileName.
bool dkAutoRunRegistered(TdkAutoExecKind Kind, const std::string& FileName);
