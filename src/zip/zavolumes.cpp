// Volume sets: the names of the volumes, finding them through the request
// events, and settling the spanning mode of an archive being opened.
#include "platform/rtl/files.h"
#include "platform/rtl/tempfiles.h"
#include "zaarchiver.h"

namespace {

std::string LowerExt(const std::string& name) {
    const std::string ext = ExtractFileExt(name);
    return ChangeFileExt(name, LowerCase(ext));
}

} // namespace

bool TZABaseArchiver::IsSelfExtracting() const {
    return (FDir && FDir->StubLength > 0) || !SFXStub.empty() ||
           LowerCase(ExtractFileExt(FileName)).find(".exe") != std::string::npos;
}

std::string TZABaseArchiver::MakeVolumeFileName(const std::string& Name, int Index,
                                                bool CheckExists) {
    const std::string folder = ExtractFilePath(Name);
    const std::string ext = ExtractFileExt(Name);
    const std::string base = ExtractFileName(ChangeFileExt(Name, ""));
    const bool own = FMethod >= 252;
    auto make = [&](bool advanced) -> std::string {
        if (Index < 0) {
            if (FSpanningMode == smSplitting && IsSelfExtracting())
                return folder + base + (own ? ".ZA" : ".ZIP");
            return Name;
        }
        if (FSpanningMode == smSpanning) {
            if (!advanced) return Name;
            return folder + base + "_" + Format("%.3u", static_cast<unsigned>(Index + 1)) +
                   (IsSelfExtracting() ? std::string(".exe") : ext);
        }
        if (Index == 0 && IsSelfExtracting()) return folder + base + ".exe";
        if (advanced)
            return folder + base + "_" + Format("%.3u", static_cast<unsigned>(Index + 1)) + ext;
        return folder + base + (own ? ".F" : ".Z") + Format("%.2d", Index + 1);
    };
    const bool advanced = FSpanningOptions.AdvancedNaming;
    std::string name = make(advanced);
    if (!CheckExists || FileExists(name)) return name;
    // Info-ZIP on Linux names its split volumes in lower case (.z01).
    if (FileExists(LowerExt(name))) return LowerExt(name);
    if (FSpanningMode == smSpanning || FSpanningMode == smSplitting) {
        const std::string other = make(!advanced);
        if (FileExists(other)) return other;
        if (FileExists(LowerExt(other))) return LowerExt(other);
    }
    return name;
}

uint32_t TZABaseArchiver::CurrentVolume() const {
    return FVolume.Number() < 0 ? 0 : static_cast<uint32_t>(FVolume.Number());
}

void TZABaseArchiver::OpenVolume(uint32_t Number) {
    if (!IsMultiVolume() || (FVolume.Number() >= 0 && CurrentVolume() == Number && FArchive))
        return;
    const bool last =
        FVolume.LastNumber() >= 0 && Number == static_cast<uint32_t>(FVolume.LastNumber());
    if (FVolume.LastNumber() >= 0 && Number > static_cast<uint32_t>(FVolume.LastNumber()))
        throw EZAException(zeVolumeRequest, this);
    std::string name = MakeVolumeFileName(FileName, last ? -1 : static_cast<int>(Number), true);
    bool cancel = true;
    for (int guard = 0; guard < 100; ++guard) {
        cancel = true;
        if (last)
            DoRequestLastVolume(name, cancel);
        else if (Number == 0)
            DoRequestFirstVolume(name, cancel);
        else
            DoRequestMiddleVolume(static_cast<int>(Number) + 1, name, cancel);
        if (cancel || FileExists(name)) break;
        if (FSpanningMode != smSpanning) {
            cancel = true; // a missing file of a split set does not appear by asking again
            break;
        }
    }
    if (cancel || !FileExists(name)) throw EZAException(zeVolumeRequest, this);
    try {
        FOwnedStream = std::make_unique<TFileStream>(
            name, FOpenMode == fmCreate ? fmOpenRead | fmShareDenyNone : FOpenMode);
    } catch (const EStreamError&) {
        throw EZAException(zeVolumeRequest, this);
    }
    FArchive = FOwnedStream.get();
    FVolumeFileName = name;
    FVolume.SetNumber(static_cast<int32_t>(Number));
    if (last) FVolume.SetLast();
}

void TZABaseArchiver::SettleSpanningMode() {
    const int lastDisk = FDir->End.ThisDisk;
    // One volume: a plain archive, also on a removable medium (a stick here is
    // no floppy to be swapped).
    if (lastDisk == 0) {
        FSpanningMode = smNone;
        return;
    }
    FSpanningMode = smSplitting;
    const bool advanced = FSpanningOptions.AdvancedNaming;
    for (bool scheme : {advanced, !advanced}) {
        FSpanningOptions.AdvancedNaming = scheme;
        const std::string n = MakeVolumeFileName(FileName, lastDisk - 1, false);
        if (FileExists(n) || FileExists(LowerExt(n))) return;
    }
    FSpanningOptions.AdvancedNaming = advanced;
    // No split volume beside it: a self-extracting file is read as one file,
    // anything else as a set spread over disks. A set reached through its
    // self-extracting first volume stays split, so that a missing volume is
    // reported rather than the last one read as if it were whole.
    if (LowerCase(ExtractFileExt(FileName)).find(".exe") == std::string::npos)
        FSpanningMode = smSpanning;
    else if (FVolumeFileName == FileName)
        FSpanningMode = smNone;
}
