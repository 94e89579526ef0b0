#include "platform/vcl/filectrl.h"

#include <fstream>
#include <sstream>

#include "platform/rtl/files.h"

namespace {

std::vector<std::string> Masks(const std::string& Mask) {
    std::vector<std::string> masks;
    std::stringstream in(Mask);
    std::string m;
    while (std::getline(in, m, ';'))
        if (!Trim(m).empty()) masks.push_back(Trim(m));
    if (masks.empty()) masks.push_back("*");
    return masks;
}

} // namespace

// --- TFileListBox --------------------------------------------------------------------

TFileListBox::TFileListBox(TComponent* AOwner) : TCustomListBox(AOwner) {
    FDirectory = GetCurrentDir();
}

void TFileListBox::SetDirectory(const std::string& Value) {
    FDirectory = ExcludeTrailingPathDelimiter(Value.empty() ? GetCurrentDir() : Value);
    if (FDirectory.empty()) FDirectory = "/";
    Update();
}

void TFileListBox::SetMask(const std::string& Value) {
    FMask = Value;
    Update();
}

void TFileListBox::Update() {
    std::vector<std::string> names;
    for (const std::string& mask : Masks(FMask))
        for (const std::string& name : ListFiles(FDirectory, mask))
            if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) < 0; });
    Items()->BeginUpdate();
    Items()->Clear();
    for (const std::string& name : names)
        Items()->Add(name);
    Items()->EndUpdate();
    SetItemIndex(-1);
}

std::string TFileListBox::FileName() const {
    const int i = ItemIndex();
    if (i < 0 || i >= Items()->Count()) return {};
    return IncludeTrailingPathDelimiter(FDirectory) + Items()->Get(i);
}

void TFileListBox::SetFileName(const std::string& Value) {
    const std::string dir = ExtractFileDir(Value);
    if (!dir.empty() && dir != FDirectory) SetDirectory(dir);
    SetItemIndex(Items()->IndexOf(ExtractFileName(Value)));
}

void TFileListBox::UserSelected() {
    TCustomListBox::UserSelected();
    if (OnChange) OnChange(this);
}

// --- TDirectoryListBox ------------------------------------------------------------------

TDirectoryListBox::TDirectoryListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}

void TDirectoryListBox::SetDirectory(const std::string& Value) {
    std::string dir = ExcludeTrailingPathDelimiter(ExpandFileName(Value.empty() ? "/" : Value));
    if (dir.empty()) dir = "/";
    if (!DirectoryExists(dir)) return;
    const bool changed = dir != FDirectory;
    FDirectory = dir;
    // The path from the root down, each level indented, then the sub-folders.
    FPaths.clear();
    std::vector<std::string> lines;
    FPaths.push_back("/");
    lines.push_back("/");
    std::string path;
    int depth = 1;
    std::stringstream parts(dir);
    std::string part;
    while (std::getline(parts, part, '/')) {
        if (part.empty()) continue;
        path += "/" + part;
        FPaths.push_back(path);
        lines.push_back(std::string(static_cast<size_t>(depth) * 2, ' ') + part);
        ++depth;
    }
    const int current = static_cast<int>(FPaths.size()) - 1;
    for (const std::string& sub : ListSubFolders(dir)) {
        // Hidden folders (".cache", ".config") stay hidden, as in the
        // desktop's own file dialogs.
        if (sub.front() == '.') continue;
        FPaths.push_back(IncludeTrailingPathDelimiter(dir) + sub);
        lines.push_back(std::string(static_cast<size_t>(depth) * 2, ' ') + sub);
    }
    Items()->BeginUpdate();
    Items()->Clear();
    for (const std::string& line : lines)
        Items()->Add(line);
    Items()->EndUpdate();
    SetItemIndex(current);
    if (FileList) FileList->SetDirectory(dir);
    if (changed && OnChange) OnChange(this);
}

std::string TDirectoryListBox::GetItemPath(int Index) const {
    return Index >= 0 && Index < static_cast<int>(FPaths.size())
               ? FPaths[static_cast<size_t>(Index)]
               : std::string();
}

void TDirectoryListBox::OpenCurrent() {
    const std::string path = GetItemPath(ItemIndex());
    if (!path.empty()) SetDirectory(path);
}

void TDirectoryListBox::UserSelected() {
    const std::string path = GetItemPath(ItemIndex());
    // The lines stay as they are while the selection moves over them.
    if (!path.empty() && path != FDirectory && DirectoryExists(path)) {
        FDirectory = path;
        if (FileList) FileList->SetDirectory(path);
        if (OnChange) OnChange(this);
    }
    TCustomListBox::UserSelected();
}

void TDirectoryListBox::DblClick() {
    OpenCurrent();
    TCustomListBox::DblClick();
}

void TDirectoryListBox::KeyPress(char& Key) {
    TCustomListBox::KeyPress(Key);
    if (Key != '\r') return;
    Key = 0;
    OpenCurrent();
}

// --- TDriveComboBox --------------------------------------------------------------------

std::vector<std::string> MountRoots() {
    std::vector<std::string> roots{"/"};
    std::ifstream mounts("/proc/mounts");
    std::string device, point, type;
    std::string rest;
    while (mounts >> device >> point >> type && std::getline(mounts, rest)) {
        // Real storage only: a device node behind it, or a network share.
        const bool storage =
            StartsText("/dev/", device) || type == "nfs" || type == "nfs4" || type == "cifs";
        if (!storage || point == "/" || StartsText("/boot", point) || StartsText("/snap", point))
            continue;
        point = StringReplace(point, "\\040", " ", rfReplaceAll);
        if (std::find(roots.begin(), roots.end(), point) == roots.end()) roots.push_back(point);
    }
    return roots;
}

TDriveComboBox::TDriveComboBox(TComponent* AOwner) : TComboBox(AOwner) {
    SetStyle(csDropDownList);
    for (const std::string& root : MountRoots())
        Items()->Add(ProgramName(root));
    SetItemIndex(0);
}

std::string TDriveComboBox::Drive() const {
    return Text();
}

void TDriveComboBox::SetDrive(const std::string& Value) {
    const int i = Items()->IndexOf(Value);
    if (i >= 0) SetItemIndex(i);
}

void TDriveComboBox::Select() {
    if (DirList && ItemIndex() >= 0) DirList->SetDirectory(Items()->Get(ItemIndex()));
    TComboBox::Select();
}
