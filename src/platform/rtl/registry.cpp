#include "registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>

#include "files.h"
#include "inifiles.h"

// --- the store ------------------------------------------------------------------
// On disk a store is an ini file: one section per key, named by its path with
// '\' between the names ("[]" is the root), and one line per value:
// name=kind:data, kind being "sz", "expand_sz" or "dword" (decimal). Names,
// paths and data escape '%', control characters, '=', '[', ']', ';' and outer
// spaces as %HH, so any text survives the ini layout.

struct TRegistry::TValue {
    std::string Name;
    TRegDataType Kind;
    std::string Data;
};

struct TRegistry::TKey {
    std::vector<std::string> Names; // path below the root
    std::vector<TValue> Values;
};

namespace {
bool SameName(const std::string& a, const std::string& b) {
    return AnsiCompareText(a, b) == 0;
}

bool SamePath(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!SameName(a[i], b[i])) return false;
    return true;
}

bool IsBelow(const std::vector<std::string>& Path, const std::vector<std::string>& Parent) {
    if (Path.size() <= Parent.size()) return false;
    for (size_t i = 0; i < Parent.size(); ++i)
        if (!SameName(Path[i], Parent[i])) return false;
    return true;
}

std::string Escape(const std::string& s) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const bool outerSpace = c == ' ' && (i == 0 || i + 1 == s.size());
        if (c < 0x20 || c == 0x7F || c == '%' || c == '=' || c == '[' || c == ']' || c == ';' ||
            outerSpace) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string Unescape(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        int v;
        if (s[i] == '%' && i + 2 < s.size() && TryStrToInt("$" + s.substr(i + 1, 2), v)) {
            out += static_cast<char>(v);
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::vector<std::string> SplitPath(const std::string& Path) {
    std::vector<std::string> names;
    std::string part;
    for (const char c : Path + '\\') {
        if (c == '\\' || c == '/') {
            if (!part.empty()) names.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    return names;
}

std::string JoinPath(const std::vector<std::string>& Names) {
    std::string out;
    for (const std::string& name : Names)
        out += (out.empty() ? "" : "\\") + name;
    return out;
}

const char* KindName(TRegDataType Kind) {
    switch (Kind) {
    case rdExpandString:
        return "expand_sz";
    case rdInteger:
        return "dword";
    default:
        return "sz";
    }
}

std::string RootName(HKEY Root) {
    switch (Root) {
    case HKEY_CLASSES_ROOT:
        return "HKEY_CLASSES_ROOT";
    case HKEY_CURRENT_USER:
        return "HKEY_CURRENT_USER";
    case HKEY_LOCAL_MACHINE:
        return "HKEY_LOCAL_MACHINE";
    case HKEY_USERS:
        return "HKEY_USERS";
    case HKEY_PERFORMANCE_DATA:
        return "HKEY_PERFORMANCE_DATA";
    case HKEY_CURRENT_CONFIG:
        return "HKEY_CURRENT_CONFIG";
    case HKEY_DYN_DATA:
        return "HKEY_DYN_DATA";
    default:
        return "";
    }
}
} // namespace

struct TRegistry::TStore {
    std::vector<TKey> Keys; // always holds the root and every key above a key

    const TKey* Find(const std::vector<std::string>& Path) const {
        for (const TKey& key : Keys)
            if (SamePath(key.Names, Path)) return &key;
        return nullptr;
    }
    TKey* Find(const std::vector<std::string>& Path) {
        for (TKey& key : Keys)
            if (SamePath(key.Names, Path)) return &key;
        return nullptr;
    }

    TKey& Ensure(const std::vector<std::string>& Path) {
        std::vector<std::string> level;
        TKey* key = Find(level);
        if (!key) key = &Keys.emplace_back();
        for (const std::string& name : Path) {
            level.push_back(name);
            key = Find(level);
            if (!key) key = &Keys.emplace_back(TKey{level, {}});
            level = key->Names; // continue with the stored spelling
        }
        return *key;
    }

    static TStore Load(HKEY Root) {
        TStore store;
        const std::string file = StoreFileName(Root);
        if (FileExists(file)) {
            TIniSections ini;
            try {
                ini.Parse(ReadFileBytes(file));
            } catch (const EFOpenError&) {
                throw ERegistryException("Cannot read the registry store \"" + file + "\"");
            }
            for (const TIniSections::TSection& section : ini.Sections) {
                std::vector<std::string> names = SplitPath(section.Name);
                for (std::string& name : names)
                    name = Unescape(name);
                TKey& key = store.Ensure(names);
                for (const TIniSections::TLine& line : section.Lines) {
                    if (!line.IsEntry) continue;
                    const size_t colon = line.Value.find(':');
                    const std::string kind = line.Value.substr(0, colon);
                    const std::string data =
                        colon == std::string::npos ? "" : Unescape(line.Value.substr(colon + 1));
                    const TRegDataType type = kind == "dword"       ? rdInteger
                                              : kind == "expand_sz" ? rdExpandString
                                                                    : rdString;
                    key.Values.push_back({Unescape(line.Name), type, data});
                }
            }
        }
        store.Ensure({});
        return store;
    }

    std::string Text() const {
        TIniSections ini;
        for (const TKey& key : Keys) {
            std::vector<std::string> names;
            for (const std::string& name : key.Names)
                names.push_back(Escape(name));
            TIniSections::TSection& section = ini.Sections.emplace_back();
            section.Name = JoinPath(names);
            for (const TValue& value : key.Values)
                section.Lines.push_back({Escape(value.Name), std::string(KindName(value.Kind)) +
                                                                 ":" + Escape(value.Data)});
        }
        return ini.Text();
    }

    // Runs Change on the store as it is on disk, under the root's lock, and
    // saves the result when Change reports a change.
    static bool Modify(HKEY Root, const std::function<bool(TStore&)>& Change) {
        const std::string file = StoreFileName(Root);
        ForceDirectories(ExtractFileDir(file));
        const int fd = ::open(DiskName(ChangeFileExt(file, ".lock")).c_str(),
                              O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) throw ERegistryException("Cannot lock the registry store \"" + file + "\"");
        struct Unlock {
            int Fd;
            ~Unlock() { ::close(Fd); } // closing drops the lock
        } unlock{fd};
        while (::flock(fd, LOCK_EX) != 0)
            if (errno != EINTR)
                throw ERegistryException("Cannot lock the registry store \"" + file + "\"");
        TStore store = Load(Root);
        if (!Change(store)) return false;
        try {
            WriteFileAtomic(file, store.Text());
        } catch (const EFCreateError&) {
            throw ERegistryException("Cannot write the registry store \"" + file + "\"");
        }
        return true;
    }

    static void Create(HKEY Root, const std::vector<std::string>& Path) {
        Modify(Root, [&](TStore& s) {
            if (s.Find(Path)) return false;
            s.Ensure(Path);
            return true;
        });
    }
};

// --- TRegistry ---------------------------------------------------------------------

TRegistry::TRegistry() = default;

std::string TRegistry::StoreFileName(HKEY Root) {
    const std::string name = RootName(Root);
    if (name.empty()) throw ERegistryException("Invalid root key " + IntToHex(Root, 8));
    return GetConfigFolder() + "registry/" + name + ".reg";
}

void TRegistry::SetRootKey(HKEY Value) {
    if (RootName(Value).empty()) throw ERegistryException("Invalid root key " + IntToHex(Value, 8));
    CloseKey();
    FRootKey = Value;
}

std::string TRegistry::CurrentPath() const {
    return JoinPath(FCurrent);
}

std::vector<std::string> TRegistry::Resolve(const std::string& Key) const {
    const bool absolute = !Key.empty() && (Key[0] == '\\' || Key[0] == '/');
    std::vector<std::string> path = absolute ? std::vector<std::string>() : FCurrent;
    for (const std::string& name : SplitPath(Key))
        path.push_back(name);
    return path;
}

bool TRegistry::OpenKey(const std::string& Key, bool CanCreate) {
    const std::vector<std::string> path = Resolve(Key);
    if (CanCreate) TStore::Create(FRootKey, path);
    const TStore store = TStore::Load(FRootKey);
    const TKey* key = store.Find(path);
    if (!key) return false;
    FCurrent = key->Names;
    FReadOnly = false;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& Key) {
    const bool opened = OpenKey(Key, false);
    if (opened) FReadOnly = true;
    return opened;
}

void TRegistry::CloseKey() {
    FCurrent.clear();
    FReadOnly = false;
}

bool TRegistry::KeyExists(const std::string& Key) const {
    return TStore::Load(FRootKey).Find(Resolve(Key)) != nullptr;
}

bool TRegistry::CreateKey(const std::string& Key) {
    if (FReadOnly) return false;
    TStore::Create(FRootKey, Resolve(Key));
    return true;
}

bool TRegistry::DeleteKey(const std::string& Key) {
    const std::vector<std::string> path = Resolve(Key);
    if (FReadOnly || path.empty()) return false;
    return TStore::Modify(FRootKey, [&](TStore& s) {
        const size_t before = s.Keys.size();
        std::erase_if(s.Keys, [&](const TKey& k) {
            return SamePath(k.Names, path) || IsBelow(k.Names, path);
        });
        return s.Keys.size() != before;
    });
}

bool TRegistry::HasSubKeys() const {
    const TStore store = TStore::Load(FRootKey);
    return std::any_of(store.Keys.begin(), store.Keys.end(),
                       [&](const TKey& k) { return IsBelow(k.Names, FCurrent); });
}

void TRegistry::GetKeyNames(TStrings* Strings) const {
    std::vector<std::string> names;
    for (const TKey& key : TStore::Load(FRootKey).Keys)
        if (key.Names.size() == FCurrent.size() + 1 && IsBelow(key.Names, FCurrent))
            names.push_back(key.Names.back());
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) < 0; });
    Strings->BeginUpdate();
    Strings->Clear();
    for (const std::string& name : names)
        Strings->Add(name);
    Strings->EndUpdate();
}

void TRegistry::GetValueNames(TStrings* Strings) const {
    TStore store = TStore::Load(FRootKey);
    Strings->BeginUpdate();
    Strings->Clear();
    if (const TKey* key = store.Find(FCurrent))
        for (const TValue& value : key->Values)
            Strings->Add(value.Name);
    Strings->EndUpdate();
}

const TRegistry::TValue* TRegistry::FindValue(const TStore& Store, const std::string& Name) const {
    if (const TKey* key = Store.Find(FCurrent))
        for (const TValue& value : key->Values)
            if (SameName(value.Name, Name)) return &value;
    return nullptr;
}

bool TRegistry::ValueExists(const std::string& Name) const {
    return FindValue(TStore::Load(FRootKey), Name) != nullptr;
}

TRegDataType TRegistry::GetDataType(const std::string& ValueName) const {
    const TStore store = TStore::Load(FRootKey);
    const TValue* value = FindValue(store, ValueName);
    return value ? value->Kind : rdUnknown;
}

bool TRegistry::DeleteValue(const std::string& Name) {
    if (FReadOnly) return false;
    return TStore::Modify(FRootKey, [&](TStore& s) {
        TKey* key = s.Find(FCurrent);
        if (!key) return false;
        return std::erase_if(key->Values, [&](const TValue& v) { return SameName(v.Name, Name); }) >
               0;
    });
}

void TRegistry::WriteValue(const std::string& Name, TRegDataType Kind, const std::string& Data) {
    const ERegistryException failed("Failed to set data for '" + Name + "'");
    if (FReadOnly) throw failed;
    TStore::Modify(FRootKey, [&](TStore& s) {
        // A key deleted since it was opened is not silently made again.
        TKey* key = s.Find(FCurrent);
        if (!key) throw failed;
        for (TValue& value : key->Values)
            if (SameName(value.Name, Name)) {
                value.Kind = Kind;
                value.Data = Data;
                return true;
            }
        key->Values.push_back({Name, Kind, Data});
        return true;
    });
}

std::string TRegistry::ReadString(const std::string& Name) const {
    const TStore store = TStore::Load(FRootKey);
    const TValue* value = FindValue(store, Name);
    if (!value) return "";
    if (value->Kind == rdInteger) throw ERegistryException("Invalid data type for '" + Name + "'");
    return value->Data;
}

void TRegistry::WriteString(const std::string& Name, const std::string& Value) {
    WriteValue(Name, rdString, Value);
}

void TRegistry::WriteExpandString(const std::string& Name, const std::string& Value) {
    WriteValue(Name, rdExpandString, Value);
}

int TRegistry::ReadInteger(const std::string& Name) const {
    const TStore store = TStore::Load(FRootKey);
    const TValue* value = FindValue(store, Name);
    if (!value) throw ERegistryException("Failed to get data for '" + Name + "'");
    int result;
    if (value->Kind != rdInteger || !TryStrToInt(value->Data, result))
        throw ERegistryException("Invalid data type for '" + Name + "'");
    return result;
}

void TRegistry::WriteInteger(const std::string& Name, int Value) {
    WriteValue(Name, rdInteger, IntToStr(Value));
}

bool TRegistry::ReadBool(const std::string& Name) const {
    return ReadInteger(Name) != 0;
}

void TRegistry::WriteBool(const std::string& Name, bool Value) {
    WriteInteger(Name, Value ? 1 : 0);
}
