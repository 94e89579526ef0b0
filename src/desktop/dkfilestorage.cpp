#include "dkfilestorage.h"

#include "desktop/dksysutils.h"
#include "platform/rtl/files.h"
#include "platform/vcl/forms.h"

TdkCustomFileStorage::TdkCustomFileStorage(TComponent* AOwner) : TdkComponent(AOwner) {}

void TdkCustomFileStorage::Clear() {
    FData.Clear();
    FDataSize = 0;
}

bool TdkCustomFileStorage::LoadFromFile(const std::string& AFileName) {
    Clear();
    bool Success = false;
    if (!AFileName.empty() && FileExists(AFileName)) {
        try {
            TFileStream In(AFileName, fmOpenRead | fmShareDenyWrite);
            FData.CopyFrom(In, 0);
            FDataSize = static_cast<uint32_t>(FData.Size());
            Success = true;
        } catch (const EStreamError&) {
            Clear();
        }
    }
    if (OnLoad) OnLoad(this, Success);
    return Success;
}

bool TdkCustomFileStorage::SaveToFile(const std::string& AFileName) {
    bool Success = false;
    bool Override = true;
    if (FileExists(AFileName) && OnConfirmOverride) OnConfirmOverride(this, Override);
    if (Override && !AFileName.empty()) {
        // Written beside and renamed over, so a write that fails partway
        // leaves the old file whole instead of half of the new one.
        try {
            const auto* bytes = static_cast<const char*>(FData.Memory());
            WriteFileAtomic(AFileName, std::string(bytes, bytes + FData.Size()));
            Success = true;
        } catch (const EStreamError&) {
        }
    }
    if (OnSave) OnSave(this, Success);
    return Success;
}

void TdkCustomFileStorage::ReadData(TStream& Stream) {
    Clear();
    unsigned char Count[4];
    Stream.ReadBuffer(Count, 4);
    const uint32_t Size =
        Count[0] | Count[1] << 8 | Count[2] << 16 | static_cast<uint32_t>(Count[3]) << 24;
    if (Size > 0) FData.CopyFrom(Stream, Size);
    FDataSize = Size;
    FData.SetPosition(0);
}

void TdkCustomFileStorage::WriteData(TStream& Stream) {
    const uint32_t Size = static_cast<uint32_t>(FData.Size());
    const unsigned char Count[4] = {
        static_cast<unsigned char>(Size), static_cast<unsigned char>(Size >> 8),
        static_cast<unsigned char>(Size >> 16), static_cast<unsigned char>(Size >> 24)};
    Stream.WriteBuffer(Count, 4);
    if (Size > 0) Stream.WriteBuffer(FData.Memory(), Size);
}

void TdkCustomFileStorage::SetAutoSave(bool Value) {
    if (Value && Designing() && !dkIsValidFileName(FSaveName)) {
        if (Application)
            Application->MessageBox(
                "AutoSave can not be set because the SaveName property contains a wrong file name",
                "Warning", MB_OK | MB_ICONEXCLAMATION);
        FAutoSave = false;
        return;
    }
    FAutoSave = Value;
}

void TdkCustomFileStorage::SetSaveName(const std::string& Value) {
    FSaveName = Value;
    if (Designing() && FAutoSave && !dkIsValidFileName(Value)) FAutoSave = false;
}

void TdkCustomFileStorage::SetFileName(const std::string& Value) {
    FFileName = Value;
    if (Designing()) LoadFromFile(Value);
}

void TdkCustomFileStorage::Loaded() {
    TdkComponent::Loaded();
    if (FAutoSave && !Designing()) SaveFile();
}
