#pragma once
// The registry: a per-user tree of keys holding named values, kept in one
// file per root key under GetConfigFolder() + "registry/". Keys are paths of
// names separated by '\' or '/'; key and value names match case-insensitively
// and keep the spelling they were created with. The value named "" is the
// key's default value.
//
// Every change takes an exclusive lock on the root's lock file, re-reads the
// store, changes it and replaces it atomically, so two processes writing at
// once both keep their changes and a crash never leaves half a store. Reads go
// to the store each time and so see changes made by other processes.

#include <cstdint>
#include <string>
#include <vector>

#include "stringlist.h"

using HKEY = uint32_t;
constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
constexpr HKEY HKEY_USERS = 0x80000003u;
constexpr HKEY HKEY_PERFORMANCE_DATA = 0x80000004u;
constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;
constexpr HKEY HKEY_DYN_DATA = 0x80000006u;

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

class TRegistry : public TObject {
public:
    TRegistry(); // on HKEY_CURRENT_USER, no key open
    std::string ClassName() const override { return "TRegistry"; }

    HKEY RootKey() const { return FRootKey; }
    // Closes the current key; raises ERegistryException for an unknown root.
    void SetRootKey(HKEY Value);
    // The open key's path below the root with '\' between the names, as
    // stored; "" when no key is open (values then live on the root itself).
    std::string CurrentPath() const;

    // Key arguments are relative to the open key, or to the root when they
    // start with a separator or no key is open.
    bool OpenKey(const std::string& Key, bool CanCreate);
    // Opens an existing key; writes through this object then fail until the
    // next OpenKey or CloseKey.
    bool OpenKeyReadOnly(const std::string& Key);
    void CloseKey();
    bool KeyExists(const std::string& Key) const;
    // Creates the key and any missing key above it; false when read-only.
    bool CreateKey(const std::string& Key);
    // Deletes the key with all its subkeys; false when it does not exist.
    bool DeleteKey(const std::string& Key);
    bool HasSubKeys() const;
    // Each of these first clears Strings. Key names come sorted, value names
    // in the order the values were first written.
    void GetKeyNames(TStrings* Strings) const;
    void GetValueNames(TStrings* Strings) const;

    bool ValueExists(const std::string& Name) const;
    bool DeleteValue(const std::string& Name);
    TRegDataType GetDataType(const std::string& ValueName) const; // rdUnknown when missing

    // A missing value reads as "", as the platform's did; an integer value
    // raises ERegistryException "Invalid data type for 'Name'".
    std::string ReadString(const std::string& Name) const;
    void WriteString(const std::string& Name, const std::string& Value);
    void WriteExpandString(const std::string& Name, const std::string& Value);
    // A missing value raises "Failed to get data for 'Name'", a string value
    // "Invalid data type for 'Name'".
    int ReadInteger(const std::string& Name) const;
    void WriteInteger(const std::string& Name, int Value);
    bool ReadBool(const std::string& Name) const; // an integer compared with 0
    void WriteBool(const std::string& Name, bool Value);

    // The store file that holds every key of the current root. It is replaced
    // (renamed over) on each change, so a watcher watches its folder for it.
    std::string KeyFileName() const { return StoreFileName(FRootKey); }
    static std::string StoreFileName(HKEY Root);

private:
    struct TValue;
    struct TKey;
    struct TStore;

    std::vector<std::string> Resolve(const std::string& Key) const;
    void WriteValue(const std::string& Name, TRegDataType Kind, const std::string& Data);
    const TValue* FindValue(const TStore& Store, const std::string& Name) const;

    HKEY FRootKey = HKEY_CURRENT_USER;
    bool FReadOnly = false;
    std::vector<std::string> FCurrent; // names of the open key below the root
};
