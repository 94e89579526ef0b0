#include "zatestutil.h"

#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "platform/rtl/tempfiles.h"
#include "zip/zaarchiver.h"

namespace zatest {

ScratchDir::ScratchDir() {
    FPath = CreateTempFile("", "vzzip");
    DeleteFile(FPath);
    CreateDir(FPath);
    FPath += "/";
}

ScratchDir::~ScratchDir() {
    Shell("chmod -R u+rwx " + Quote(FPath) + " && rm -rf " + Quote(FPath));
}

void WriteFile(const std::string& Name, const std::string& Data) {
    ForceDirectories(ExtractFileDir(Name));
    FILE* f = std::fopen(DiskName(Name).c_str(), "wb");
    ASSERT_NE(f, nullptr) << Name;
    if (!Data.empty()) std::fwrite(Data.data(), 1, Data.size(), f);
    std::fclose(f);
}

std::string ReadFile(const std::string& Name) {
    return ReadFileBytes(Name);
}

std::string RandomBytes(size_t Count, uint32_t Seed) {
    std::string s(Count, '\0');
    uint32_t x = Seed * 2654435761u + 1;
    for (auto& c : s) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x >> 24);
    }
    return s;
}

std::string TextBytes(size_t Count) {
    static const std::string words[] = {"schaak ",    "remise ",    "wit ",    "zwart ", "ronde ",
                                        "partij\r\n", "Sonneborn ", "Berger ", "1-0 ",   "½-½ "};
    std::string s;
    uint32_t x = 12345;
    while (s.size() < Count) {
        x = x * 1103515245u + 12345u;
        s += words[(x >> 16) % 10];
    }
    s.resize(Count);
    return s;
}

int Shell(const std::string& Command, std::string* Output) {
    FILE* p = ::popen((Command + " 2>&1").c_str(), "r");
    if (!p) return -1;
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, n);
    const int st = ::pclose(p);
    if (Output) *Output = out;
    return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}

bool HaveTool(const std::string& Tool) {
    return Shell("command -v " + Tool + " >/dev/null") == 0;
}

std::string Quote(const std::string& S) {
    std::string q = "'";
    for (char c : DiskName(S))
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

int Python(const std::string& Script, const std::vector<std::string>& Args, std::string* Output) {
    ScratchDir d;
    WriteFile(d / "s.py", Script);
    std::string cmd = "python3 " + Quote(d / "s.py");
    for (const auto& a : Args)
        cmd += " " + Quote(a);
    return Shell(cmd, Output);
}

std::vector<std::pair<std::string, std::string>> Tree(const std::string& Dir) {
    std::vector<std::pair<std::string, std::string>> out;
    std::function<void(const std::string&)> walk = [&](const std::string& rel) {
        for (const auto& f : ListFiles(Dir + rel)) {
            const std::string data = ReadFileBytes(Dir + rel + f);
            // Size and a hash keep a failure message short.
            out.emplace_back(rel + f, std::to_string(data.size()) + ":" +
                                          std::to_string(std::hash<std::string>{}(data)));
        }
        for (const auto& d : ListSubFolders(Dir + rel)) {
            out.emplace_back(rel + d + "/", "");
            walk(rel + d + "/");
        }
    };
    walk("");
    std::sort(out.begin(), out.end());
    return out;
}

void CreateArchive(const std::string& Archive, const std::string& Src, const std::string& Mask) {
    TZipArchiver z(nullptr);
    z.FileName = Archive;
    z.BaseDir = Src;
    z.OpenArchive(fmCreate);
    z.AddFiles(Mask);
    z.CloseArchive();
}

int ExtractAll(const std::string& Archive, const std::string& To, const std::string& Password) {
    TZipArchiver z(nullptr);
    z.FileName = Archive;
    z.BaseDir = To;
    z.Password = Password;
    z.OpenArchive(0);
    const int n = z.FileCount();
    z.ExtractFiles("*.*", 10431, "");
    z.CloseArchive();
    return n;
}

std::vector<int> ExtractCodes(const std::string& Archive, const std::string& To,
                              const std::function<void(TZipArchiver&)>& Setup) {
    std::vector<int> codes;
    TZipArchiver z(nullptr);
    z.FileName = Archive;
    z.BaseDir = To;
    z.OnProcessFileFailure = [&](TObject*, const std::string&, TZAProcessOperation, int native, int,
                                 const std::string&, TZAAction& a) {
        codes.push_back(native);
        a = fxaIgnore;
    };
    if (Setup) Setup(z);
    z.OpenArchive(0);
    z.ExtractFiles("*.*", ZAAllItemsAttr, "");
    z.CloseArchive();
    return codes;
}

int CodeOf(const std::function<void()>& F) {
    try {
        F();
    } catch (const EZAException& e) {
        return e.NativeError;
    }
    return -1;
}

void SetVolumes(TZABaseArchiver& Z, const std::string& Archive, const std::string& Src,
                TZASpanningMode Mode, int64_t VolumeSize) {
    Z.FileName = Archive;
    Z.BaseDir = Src;
    Z.SetSpanningMode(Mode);
    Z.SpanningOptions().VolumeSize = vsCustom;
    Z.SpanningOptions().SetCustomVolumeSize(VolumeSize);
}

} // namespace zatest
