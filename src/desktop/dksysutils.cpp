#include "dksysutils.h"

#include <fstream>
#include <sstream>

#include "platform/rtl/files.h"

int dkMin(int A, int B) {
    return A < B ? A : B;
}

TShiftState dkShiftState() {
    // The mouse buttons are not part of this state.
    return KeyboardStateToShiftState() * TShiftState{ssShift, ssAlt, ssCtrl};
}

int dkPosFrom(const std::string& Sub, const std::string& S, int Start) {
    if (Sub.empty() || Start < 1 || Start > static_cast<int>(S.size())) return 0;
    const auto At = S.find(Sub, static_cast<size_t>(Start - 1));
    return At == std::string::npos ? 0 : static_cast<int>(At) + 1;
}

int dkLastPos(const std::string& Sub, const std::string& S, int Start) {
    if (Sub.empty() || S.empty()) return 0;
    if (Start <= 0 || Start > static_cast<int>(S.size())) Start = static_cast<int>(S.size());
    const auto At = S.rfind(Sub, static_cast<size_t>(Start - 1));
    return At == std::string::npos ? 0 : static_cast<int>(At) + 1;
}

std::string dkReplaceAll(const std::string& S, const std::string& OldPattern,
                         const std::string& NewPattern) {
    if (OldPattern.empty()) return S;
    std::string Result;
    size_t From = 0;
    for (;;) {
        const auto At = S.find(OldPattern, From);
        if (At == std::string::npos) break;
        Result.append(S, From, At - From).append(NewPattern);
        From = At + OldPattern.size();
    }
    return Result.append(S, From, std::string::npos);
}

std::string dkReplaceChar(const std::string& S, char OldChar, char NewChar) {
    std::string Result = S;
    for (char& C : Result)
        if (C == OldChar) C = NewChar;
    return Result;
}

void dkSplitToLines(const std::string& Text, const std::string& Delimiter, TStrings& Lines) {
    if (Delimiter.empty()) {
        Lines.Add(Text);
        return;
    }
    size_t From = 0;
    for (;;) {
        const auto At = Text.find(Delimiter, From);
        if (At == std::string::npos) break;
        Lines.Add(Text.substr(From, At - From));
        From = At + Delimiter.size();
    }
    Lines.Add(Text.substr(From));
}

bool dkIsValidFileName(const std::string& FileName) {
    if (FileName.empty()) return false;
    if (FileExists(FileName)) return true;
    if (DirectoryExists(FileName)) return false;
    std::ofstream Probe(DiskName(FileName), std::ios::binary);
    if (!Probe) return false;
    Probe.close();
    DeleteFile(FileName);
    return true;
}

bool dkIsPathSeparator(char C) {
    return C == '\\' || C == ':' || C == '/';
}

std::string dkIncludeTrailingBackslash(const std::string& Path) {
    if (!Path.empty() && dkIsPathSeparator(Path.back())) return Path;
    return Path + PathDelim;
}

std::string dkRemoveDoubleBackslashes(const std::string& Path) {
    std::string Result;
    for (size_t i = 0; i < Path.size(); ++i) {
        Result += Path[i];
        if ((Path[i] == '\\' || Path[i] == '/') && i + 1 < Path.size() && Path[i + 1] == Path[i])
            ++i;
    }
    return Result;
}

namespace {

size_t NameStart(const std::string& Path) {
    size_t i = Path.size();
    while (i > 0 && !dkIsPathSeparator(Path[i - 1]))
        --i;
    return i;
}

// The name split at its last dot; a leading dot belongs to the name.
void SplitName(const std::string& Name, std::string& Base, std::string& Ext) {
    const auto Dot = Name.rfind('.');
    if (Dot == std::string::npos || Dot == 0) {
        Base = Name;
        Ext.clear();
    } else {
        Base = Name.substr(0, Dot);
        Ext = Name.substr(Dot);
    }
}

bool HasWildcard(const std::string& S) {
    return S.find_first_of("*?") != std::string::npos;
}

} // namespace

std::string dkExtractFileName(const std::string& Path) {
    return Path.substr(NameStart(Path));
}

std::string dkExtractFilePath(const std::string& Path) {
    return Path.substr(0, NameStart(Path));
}

std::string dkExtractFileNameNoExt(const std::string& Path) {
    std::string Base, Ext;
    SplitName(dkExtractFileName(Path), Base, Ext);
    return Base;
}

std::string dkApplyFileMask(const std::string& Source, const std::string& Mask) {
    std::string SrcBase, SrcExt, MaskBase, MaskExt;
    SplitName(dkExtractFileName(Source), SrcBase, SrcExt);
    SplitName(dkExtractFileName(Mask), MaskBase, MaskExt);
    std::string Folder = dkExtractFilePath(Mask);
    if (Folder.empty()) Folder = dkExtractFilePath(Source);
    if (MaskBase.empty() && MaskExt.empty()) return Folder + SrcBase + SrcExt;
    const std::string Base = HasWildcard(MaskBase) ? SrcBase : MaskBase;
    const std::string Ext = HasWildcard(MaskExt) ? SrcExt : MaskExt;
    return Folder + Base + Ext;
}

std::string dkAbsolutePath(const std::string& Path, const std::string& Base) {
    const bool Absolute = (!Path.empty() && (Path[0] == '/' || Path[0] == '\\')) ||
                          (Path.size() > 1 && Path[1] == ':');
    if (Absolute || Base.empty()) return dkRemoveDoubleBackslashes(Path);
    return dkRemoveDoubleBackslashes(dkIncludeTrailingBackslash(Base) + Path);
}

std::string dkSystemDirectory() {
    return "/usr/bin/";
}

TdkOSInfo dkOSInfoFor(TdkOSVersion Version) {
    TdkOSInfo I;
    I.Version = Version;
    I.IsWin95 = Version == osvWin95;
    I.IsWin95OSR2 = Version == osvWin95OSR2;
    I.IsWin98 = Version == osvWin98;
    I.IsWin98SE = Version == osvWin98SE;
    I.IsWinME = Version == osvWinME;
    I.IsWinNT3 = Version == osvWinNT3;
    I.IsWinNT4 = Version == osvWinNT4;
    I.IsWin2000 = Version == osvWin2000;
    I.IsWinXP = Version == osvWinXP;
    I.IsWinNT = I.IsWinNT3 || I.IsWinNT4 || I.IsWin2000 || I.IsWinXP;
    I.IsWin98orLater = I.IsWin98 || I.IsWin98SE || I.IsWinME;
    I.IsWin2000orLater = I.IsWin2000 || I.IsWinXP;
    I.IsWinXPorLater = I.IsWinXP;
    return I;
}

std::string dkOSNameFromRelease(const std::string& OsReleaseText) {
    std::istringstream In(OsReleaseText);
    std::string Line, Pretty, Name;
    auto ValueOf = [](const std::string& L, size_t From) {
        std::string V = L.substr(From);
        if (V.size() >= 2 && (V.front() == '"' || V.front() == '\'') && V.back() == V.front())
            V = V.substr(1, V.size() - 2);
        return V;
    };
    while (std::getline(In, Line)) {
        if (Line.rfind("PRETTY_NAME=", 0) == 0)
            Pretty = ValueOf(Line, 12);
        else if (Line.rfind("NAME=", 0) == 0)
            Name = ValueOf(Line, 5);
    }
    if (!Pretty.empty()) return Pretty;
    return Name.empty() ? "Linux" : Name;
}

const TdkOSInfo& dkOSInfo() {
    static const TdkOSInfo Info = [] {
        TdkOSInfo I = dkOSInfoFor(osvWinXP);
        for (const char* Name : {"/etc/os-release", "/usr/lib/os-release"}) {
            std::ifstream In(Name);
            if (!In) continue;
            std::stringstream Text;
            Text << In.rdbuf();
            I.Name = dkOSNameFromRelease(Text.str());
            break;
        }
        if (I.Name.empty()) I.Name = "Linux";
        return I;
    }();
    return Info;
}

TdkOSVersion dkOSVersion() {
    return dkOSInfo().Version;
}

std::string dkProgramDir() {
    return GetProgramDir();
}

std::string dkLogFileName() {
    return ChangeFileExt(GetProgramFileName(), ".log");
}
