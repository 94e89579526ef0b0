#pragma once
// A file's bytes kept in memory and in the form stream ("FileData": a 4-byte
// little-endian count, then the bytes).

#include <functional>
#include <string>

#include "desktop/dkclasses.h"
#include "platform/rtl/streams.h"

using TdkFileStorageOnFileOperation = std::function<void(TObject* Sender, bool Success)>;
using TdkFileStorageOnConfirmOverride = std::function<void(TObject* Sender, bool& Override)>;

class TdkCustomFileStorage : public TdkComponent {
public:
    explicit TdkCustomFileStorage(TComponent* AOwner);
    std::string ClassName() const override { return "TdkCustomFileStorage"; }

    virtual bool LoadFromFile(const std::string& AFileName);
    virtual bool SaveToFile(const std::string& AFileName);
    virtual bool LoadFile() { return LoadFromFile(FFileName); }
    virtual bool SaveFile() { return SaveToFile(FSaveName); }
    // The "FileData" property of the form stream.
    virtual void ReadData(TStream& Stream);
    virtual void WriteData(TStream& Stream);
    virtual void SetAutoSave(bool Value);
    virtual void SetFileName(const std::string& Value);
    virtual uint32_t DataSize() const { return FDataSize; }
    virtual void SetDataSize(uint32_t) {}
    virtual void Clear();

    bool AutoSave() const { return FAutoSave; }
    const std::string& FileName() const { return FFileName; }
    const std::string& SaveName() const { return FSaveName; }
    void SetSaveName(const std::string& Value);
    TMemoryStream& Data() { return FData; }

    TdkFileStorageOnFileOperation OnLoad, OnSave;
    TdkFileStorageOnConfirmOverride OnConfirmOverride;

protected:
    void Loaded() override;

    TMemoryStream FData;
    bool FAutoSave = false;
    uint32_t FDataSize = 0;
    std::string FFileName;
    std::string FSaveName;
};

class TdkFileStorage : public TdkCustomFileStorage {
public:
    using TdkCustomFileStorage::TdkCustomFileStorage;
    std::string ClassName() const override { return "TdkFileStorage"; }
};
