#include "dkfileassoc.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <sstream>

#include "desktop/dkappwindow.h"
#include "desktop/dksysutils.h"
#include "platform/rtl/files.h"
#include "platform/rtl/registry.h"
#include "platform/vcl/forms.h"

extern char** environ;

namespace {

// The verbs in the order of the fields: command field, description field.
struct TVerb {
    const char* Name;
    TdkFileAssociation::TField Command, Description;
};
const TVerb Verbs[] = {
    {"open", TdkFileAssociation::afOpenCommand, TdkFileAssociation::afOpenCommandDescription},
    {"opennew", TdkFileAssociation::afOpenNewCommand,
     TdkFileAssociation::afOpenNewCommandDescription},
    {"edit", TdkFileAssociation::afEditCommand, TdkFileAssociation::afEditCommandDescription},
    {"print", TdkFileAssociation::afPrintCommand, TdkFileAssociation::afPrintCommandDescription},
    {"printto", TdkFileAssociation::afPrintToCommand,
     TdkFileAssociation::afPrintToCommandDescription},
};

std::string DataHome() {
    const char* D = std::getenv("XDG_DATA_HOME");
    if (D && *D == '/') return ProgramName(D);
    const char* H = std::getenv("HOME");
    return ProgramName(H ? H : "") + "/.local/share";
}

std::string ConfigHome() {
    const char* C = std::getenv("XDG_CONFIG_HOME");
    if (C && *C == '/') return ProgramName(C);
    const char* H = std::getenv("HOME");
    return ProgramName(H ? H : "") + "/.config";
}

std::string Sanitized(const std::string& S) {
    std::string R;
    for (const char C : LowerCase(S))
        R += (isalnum(static_cast<unsigned char>(C)) || C == '.' || C == '-' || C == '+') ? C : '-';
    return R;
}

std::string XmlText(const std::string& S) {
    std::string R;
    for (const char C : Cp1252ToUtf8(S)) {
        if (C == '<')
            R += "&lt;";
        else if (C == '>')
            R += "&gt;";
        else if (C == '&')
            R += "&amp;";
        else if (C == '"')
            R += "&quot;";
        else
            R += C;
    }
    return R;
}

// A command line of the class keys as a desktop entry's Exec: the file
// argument ("%1", quoted or not) becomes the field code %f, which then must
// stand unquoted; a command without one gets it at the end.
std::string ExecOf(const std::string& Command) {
    std::string Exec = dkReplaceAll(dkReplaceAll(Command, "\"%1\"", "%f"), "%1", "%f");
    if (Exec.find("%f") == std::string::npos) Exec += " %f";
    return Cp1252ToUtf8(Exec);
}

// Runs a cache tool when the system has it; its absence is no failure.
void RunTool(const char* Tool, const std::string& Folder) {
    for (const char* Dir : {"/usr/bin/", "/usr/local/bin/", "/bin/"}) {
        const std::string Path = std::string(Dir) + Tool;
        if (!FileExists(Path)) continue;
        const std::string Disk = DiskName(Folder);
        char* const Argv[] = {const_cast<char*>(Path.c_str()), const_cast<char*>(Disk.c_str()),
                              nullptr};
        posix_spawn_file_actions_t Actions;
        posix_spawn_file_actions_init(&Actions);
        posix_spawn_file_actions_addopen(&Actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&Actions, 2, "/dev/null", O_WRONLY, 0);
        pid_t Pid;
        if (posix_spawn(&Pid, Path.c_str(), &Actions, nullptr, Argv, environ) == 0) {
            int Status;
            waitpid(Pid, &Status, 0);
        }
        posix_spawn_file_actions_destroy(&Actions);
        return;
    }
}

// mimeapps.list with the line of Mime in [Default Applications] set to Id,
// or taken out when Id is empty; every other line stays as it was.
std::string WithDefault(const std::string& Text, const std::string& Mime, const std::string& Id) {
    std::istringstream In(Text);
    std::string Line, Out;
    bool InSection = false, Done = false, Seen = false;
    while (std::getline(In, Line)) {
        if (!Line.empty() && Line[0] == '[') {
            if (InSection && !Done && !Id.empty()) {
                Out += Mime + "=" + Id + "\n";
                Done = true;
            }
            InSection = Line == "[Default Applications]";
            Seen |= InSection;
        } else if (InSection && Line.rfind(Mime + "=", 0) == 0) {
            if (!Id.empty() && !Done) Out += Mime + "=" + Id + "\n";
            Done = true;
            continue;
        }
        Out += Line + "\n";
    }
    if (!Done && !Id.empty()) {
        if (!Seen)
            Out += "[Default Applications]\n";
        else if (!InSection)
            return Out; // cannot happen: the section closed above
        Out += Mime + "=" + Id + "\n";
    }
    return Out;
}

} // namespace

TdkFileAssociation::TdkFileAssociation(TComponent* AOwner)
    : TdkComponent(AOwner), FLargeIcon(std::make_unique<TIcon>()),
      FSmallIcon(std::make_unique<TIcon>()) {}

TdkFileAssociation::~TdkFileAssociation() = default;

std::string TdkFileAssociation::FileTypeName() const {
    if (!ExtDescription().empty()) return ExtDescription();
    return FExtension.substr(FExtension.empty() ? 0 : 1) + "file";
}

std::string TdkFileAssociation::MimeType() const {
    return "application/x-" + Sanitized(FileTypeName());
}

std::string TdkFileAssociation::DesktopEntryId() const {
    return "vivazozodi-" + Sanitized(FExtension.substr(FExtension.empty() ? 0 : 1)) + ".desktop";
}

std::string TdkFileAssociation::DesktopEntryFile() const {
    return DataHome() + "/applications/" + DesktopEntryId();
}

std::string TdkFileAssociation::MimePackageFile() const {
    return DataHome() + "/mime/packages/vivazozodi-" +
           Sanitized(FExtension.substr(FExtension.empty() ? 0 : 1)) + ".xml";
}

void TdkFileAssociation::SetExtension(const std::string& Value) {
    FExtension = !Value.empty() && Value[0] != '.' ? "." + Value : Value;
    Refresh();
}

void TdkFileAssociation::Set(TField Field, const std::string& Value) {
    if (Value == FFields[Field]) return;
    if (FReadOnly) {
        if (Designing() && Application)
            Application->MessageBox("Cannot change the property in Read-Only mode.", "Warning",
                                    MB_OK | MB_ICONWARNING);
        else
            FFields[Field] = Value;
        return;
    }
    FFields[Field] = Value;
    Apply();
}

void TdkFileAssociation::SetIconIndex(int Value) {
    if (Value == FIconIndex) return;
    if (FReadOnly && Designing()) {
        if (Application)
            Application->MessageBox("Cannot change the property in Read-Only mode.", "Warning",
                                    MB_OK | MB_ICONWARNING);
        return;
    }
    FIconIndex = Value;
    if (!FReadOnly) Apply();
}

void TdkFileAssociation::Refresh() {
    for (auto& F : FFields)
        F.clear();
    FIconIndex = 0;
    FLargeIcon = std::make_unique<TIcon>();
    FSmallIcon = std::make_unique<TIcon>();
    if (FExtension.empty() || FExtension == ".") return;
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CLASSES_ROOT);
    if (!Reg.OpenKeyReadOnly("\\" + FExtension)) return;
    FFields[afExtDescription] = Reg.ReadString("");
    if (FFields[afExtDescription].empty() || !Reg.OpenKeyReadOnly("\\" + FFields[afExtDescription]))
        Reg.OpenKeyReadOnly("\\" + FExtension);
    const std::string TypeKey = "\\" + Reg.CurrentPath();
    FFields[afFileDescription] = Reg.ReadString("");
    if (Reg.OpenKeyReadOnly(TypeKey + "\\DefaultIcon")) {
        const std::string Icon = Reg.ReadString("");
        const auto Comma = Icon.rfind(',');
        FFields[afIconFile] = Comma == std::string::npos ? Icon : Icon.substr(0, Comma);
        FIconIndex = Comma == std::string::npos ? 0 : StrToIntDef(Trim(Icon.substr(Comma + 1)), 0);
        if (!FFields[afIconFile].empty())
            dkExtractIconPair(FFields[afIconFile], FIconIndex, *FLargeIcon, *FSmallIcon);
    }
    for (const auto& V : Verbs) {
        const std::string Verb = TypeKey + "\\shell\\" + V.Name;
        if (Reg.OpenKeyReadOnly(Verb)) FFields[V.Description] = Reg.ReadString("");
        if (Reg.OpenKeyReadOnly(Verb + "\\command")) FFields[V.Command] = Reg.ReadString("");
    }
}

bool TdkFileAssociation::WriteRegistry() {
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CLASSES_ROOT);
    const std::string Type = FileTypeName();
    if (!Reg.OpenKey("\\" + FExtension, true)) return false;
    Reg.WriteString("", Type);
    if (!Reg.OpenKey("\\" + Type, true)) return false;
    Reg.WriteString("", FileDescription());
    if (!IconFile().empty() && Reg.OpenKey("\\" + Type + "\\DefaultIcon", true))
        Reg.WriteString("", IconFile() + "," + IntToStr(FIconIndex));
    for (const auto& V : Verbs) {
        if (FFields[V.Command].empty()) continue;
        const std::string Verb = "\\" + Type + "\\shell\\" + V.Name;
        if (!Reg.OpenKey(Verb, true)) return false;
        Reg.WriteString("", FFields[V.Description]);
        if (!Reg.OpenKey(Verb + "\\command", true)) return false;
        Reg.WriteString("", FFields[V.Command]);
    }
    return true;
}

bool TdkFileAssociation::WriteDesktop() {
    const std::string Mime = MimeType();
    std::string Package =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"" +
        Mime +
        "\">\n"
        "    <comment>" +
        XmlText(FileDescription().empty() ? FileTypeName() : FileDescription()) +
        "</comment>\n"
        "    <glob pattern=\"*" +
        XmlText(LowerCase(FExtension)) +
        "\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n";
    try {
        ForceDirectories(ExtractFilePath(MimePackageFile()));
        WriteFileAtomic(MimePackageFile(), Package);
        if (!OpenCommand().empty()) {
            std::string Entry =
                "[Desktop Entry]\nType=Application\nName=" +
                Cp1252ToUtf8(FileDescription().empty() ? FileTypeName() : FileDescription()) +
                "\nExec=" + ExecOf(OpenCommand()) + "\nMimeType=" + Mime + ";\nNoDisplay=true\n";
            if (!IconFile().empty()) Entry += "Icon=" + Cp1252ToUtf8(IconFile()) + "\n";
            std::string Actions, ActionText;
            for (const auto& V : Verbs) {
                if (V.Command == afOpenCommand || FFields[V.Command].empty()) continue;
                Actions += std::string(V.Name) + ";";
                ActionText +=
                    std::string("\n[Desktop Action ") + V.Name + "]\nName=" +
                    Cp1252ToUtf8(FFields[V.Description].empty() ? V.Name : FFields[V.Description]) +
                    "\nExec=" + ExecOf(FFields[V.Command]) + "\n";
            }
            if (!Actions.empty()) Entry += "Actions=" + Actions + "\n" + ActionText;
            ForceDirectories(ExtractFilePath(DesktopEntryFile()));
            WriteFileAtomic(DesktopEntryFile(), Entry);
            const std::string List = ConfigHome() + "/mimeapps.list";
            const std::string Old = FileExists(List) ? ReadFileBytes(List) : "";
            ForceDirectories(ConfigHome());
            WriteFileAtomic(List, WithDefault(Old, Mime, DesktopEntryId()));
        }
    } catch (const Exception&) {
        return false;
    }
    RunTool("update-mime-database", DataHome() + "/mime");
    RunTool("update-desktop-database", DataHome() + "/applications");
    return true;
}

void TdkFileAssociation::RemoveDesktop() {
    const std::string Mime = MimeType();
    DeleteFile(MimePackageFile());
    DeleteFile(DesktopEntryFile());
    const std::string List = ConfigHome() + "/mimeapps.list";
    if (FileExists(List)) {
        try {
            WriteFileAtomic(List, WithDefault(ReadFileBytes(List), Mime, ""));
        } catch (const Exception&) {
        }
    }
    RunTool("update-mime-database", DataHome() + "/mime");
    RunTool("update-desktop-database", DataHome() + "/applications");
}

bool TdkFileAssociation::Apply() {
    if (FExtension.empty() || FExtension == ".") return false;
    if (Designing() && FReadOnly) return false;
    bool Ok = false;
    try {
        Ok = WriteRegistry() && WriteDesktop();
    } catch (const Exception&) {
        Ok = false;
    }
    if (!Ok && Designing() && Application)
        Application->MessageBox("Cannot write to registry.", "Error", MB_OK | MB_ICONERROR);
    return Ok;
}

bool TdkFileAssociation::Remove() {
    if (FExtension.empty() || FExtension == ".") return true;
    // The desktop's side is found through the type name, so it goes first.
    RemoveDesktop();
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CLASSES_ROOT);
    const bool Ok = !Reg.KeyExists("\\" + FExtension) || Reg.DeleteKey("\\" + FExtension);
    Refresh();
    return Ok;
}
