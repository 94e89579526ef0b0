#include "dkregistry.h"

#include <cstdlib>
#include <filesystem>

#include "desktop/dksysutils.h"
#include "platform/rtl/files.h"

namespace fs = std::filesystem;

void dkWriteRegistryString(HKEY Root, const std::string& Key, const std::string& Name,
                           const std::string& Value) {
    TRegistry Reg;
    Reg.SetRootKey(Root);
    // A store that cannot be written at all is reported as the key it failed on.
    bool Opened = false;
    try {
        Opened = Reg.OpenKey(Key, true);
    } catch (const ERegistryException&) {
    }
    if (!Opened) throw ERegistryException(Format("Unable to open the %s key", Key.c_str()));
    if (Value.find('%') != std::string::npos)
        Reg.WriteExpandString(Name, Value);
    else
        Reg.WriteString(Name, Value);
}

void dkAutoRunKey(TdkAutoExecKind Kind, HKEY& Root, std::string& Key) {
    static const char* const Names[] = {"Run",     "RunOnce",     "Run",
                                        "RunOnce", "RunServices", "RunServicesOnce"};
    Root = Kind == aekUserRun || Kind == aekUserRunOnce ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    Key = std::string("Software\\Microsoft\\Windows\\CurrentVersion\\") + Names[Kind];
}

namespace {

bool IsService(TdkAutoExecKind Kind) {
    return Kind == aekServiceRun || Kind == aekServiceRunOnce;
}

bool IsOnce(TdkAutoExecKind Kind) {
    return Kind == aekMachineRunOnce || Kind == aekUserRunOnce;
}

std::string ValueName(const std::string& FileName) {
    return dkExtractFileName(FileName);
}

// Desktop entries are UTF-8; a name of ours gets a prefix so it never takes
// the place of another program's entry.
std::string EntryName(TdkAutoExecKind Kind, const std::string& FileName) {
    std::string Name;
    for (const char C : Cp1252ToUtf8(ValueName(FileName)))
        Name +=
            (isalnum(static_cast<unsigned char>(C)) || C == '.' || C == '-' || C == '_') ? C : '_';
    return "vivazozodi-" + Name + (IsOnce(Kind) ? "-once" : "") + ".desktop";
}

} // namespace

std::string dkAutoStartFolder(TdkAutoExecKind Kind) {
    if (Kind == aekUserRun || Kind == aekUserRunOnce) {
        const char* Cfg = std::getenv("XDG_CONFIG_HOME");
        if (Cfg && *Cfg == '/') return ProgramName(Cfg) + "/autostart";
        const char* Home = std::getenv("HOME");
        return ProgramName(Home ? Home : "") + "/.config/autostart";
    }
    const char* Dirs = std::getenv("XDG_CONFIG_DIRS");
    std::string First = Dirs && *Dirs ? std::string(Dirs) : "/etc/xdg";
    First = First.substr(0, First.find(':'));
    return ProgramName(First) + "/autostart";
}

std::string dkAutoStartEntry(TdkAutoExecKind Kind, const std::string& FileName) {
    return dkAutoStartFolder(Kind) + "/" + ProgramName(EntryName(Kind, FileName));
}

std::string dkDesktopExec(const std::vector<std::string>& Args) {
    // Quoted as the desktop entry rules ask: inside double quotes '"', '`',
    // '$' and '\' get a backslash, and every backslash of the result is
    // doubled again for the string value; '%' is written "%%".
    std::string Line;
    for (const auto& Arg : Args) {
        if (!Line.empty()) Line += ' ';
        Line += '"';
        for (const char C : Cp1252ToUtf8(Arg)) {
            if (C == '"' || C == '`' || C == '$') Line += "\\\\";
            if (C == '\\') Line += "\\\\\\";
            if (C == '%') Line += '%';
            Line += C;
        }
        Line += '"';
    }
    return Line;
}

bool dkRegisterAutoRun(TdkAutoExecKind Kind, const std::string& FileName) {
    if (IsService(Kind)) return true;
    HKEY Root;
    std::string Key;
    dkAutoRunKey(Kind, Root, Key);
    dkWriteRegistryString(Root, Key, ValueName(FileName), FileName);

    const std::string Entry = dkAutoStartEntry(Kind, FileName);
    const std::string Exec = IsOnce(Kind)
                                 ? dkDesktopExec({"/bin/sh", "-c", "rm -f \"$0\"; exec \"$1\"",
                                                  ExpandFileName(Entry), FileName})
                                 : dkDesktopExec({FileName});
    std::string Text = "[Desktop Entry]\nType=Application\nName=" +
                       Cp1252ToUtf8(dkExtractFileNameNoExt(FileName)) + "\nExec=" + Exec +
                       "\nX-GNOME-Autostart-enabled=true\n";
    try {
        ForceDirectories(dkAutoStartFolder(Kind));
        WriteFileAtomic(Entry, Text);
    } catch (const Exception&) {
        return false;
    }
    return true;
}

bool dkUnregisterAutoRun(TdkAutoExecKind Kind, const std::string& FileName) {
    if (IsService(Kind)) return true;
    HKEY Root;
    std::string Key;
    dkAutoRunKey(Kind, Root, Key);
    bool Result = true;
    TRegistry Reg;
    Reg.SetRootKey(Root);
    if (Reg.OpenKey(Key, false) && Reg.ValueExists(ValueName(FileName)))
        Result = Reg.DeleteValue(ValueName(FileName));
    const std::string Entry = dkAutoStartEntry(Kind, FileName);
    if (FileExists(Entry)) Result = DeleteFile(Entry) && Result;
    return Result;
}

bool dkAutoRunRegistered(TdkAutoExecKind Kind, const std::string& FileName) {
    HKEY Root;
    std::string Key;
    dkAutoRunKey(Kind, Root, Key);
    TRegistry Reg;
    Reg.SetRootKey(Root);
    return Reg.OpenKeyReadOnly(Key) && Reg.ValueExists(ValueName(FileName)) &&
           Reg.ReadString(ValueName(FileName)) == FileName;
}
