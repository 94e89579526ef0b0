#include "zatypes.h"

#include <algorithm>

#include "zaerrors.h"

void TZAOptions::Assign(const TPersistent* Source) {
    if (const auto* s = dynamic_cast<const TZAOptions*>(Source)) {
        StorePath = s->StorePath;
        Recurse = s->Recurse;
        ShareMode = s->ShareMode;
        OverwriteMode = s->OverwriteMode;
        CreateDirs = s->CreateDirs;
        ReplaceReadOnly = s->ReplaceReadOnly;
        SetAttributes = s->SetAttributes;
        SearchAttr = s->SearchAttr;
        FlushBuffers = s->FlushBuffers;
        OEMFileNames = s->OEMFileNames;
        return;
    }
    TPersistent::Assign(Source);
}

void TZASpanningOptions::Assign(const TPersistent* Source) {
    if (const auto* s = dynamic_cast<const TZASpanningOptions*>(Source)) {
        AdvancedNaming = s->AdvancedNaming;
        FirstVolumeSize = s->FirstVolumeSize;
        VolumeSize = s->VolumeSize;
        FCustomVolumeSize = s->FCustomVolumeSize;
        FFlag = s->FFlag;
        return;
    }
    TPersistent::Assign(Source);
}

int64_t TZASpanningOptions::VolumeSizeFor(int Index) const {
    if (Index == 0 && FirstVolumeSize > 0) return FirstVolumeSize;
    switch (VolumeSize) {
    case vsAutoDetect:
        return -1;
    case vsCustom:
        return FCustomVolumeSize;
    case vs1_44MB:
        return 1457664;
    case vs100MB:
        return 104857600;
    case vs200MB:
        return 209715200;
    case vs250MB:
        return 262144000;
    case vs600MB:
        return 629145600;
    case vs650MB:
        return 681574400;
    case vs700MB:
        return 734003200;
    case vs4700MB:
        return 4928307200LL;
    }
    return -1;
}

bool TZAVolumeNumberInfo::Equals(const TZAVolumeNumberInfo& Other) const {
    if (IsLast() && Other.IsLast()) return true;
    if (IsFirst() && Other.IsFirst()) return true;
    if (FNumber < 0) return FKind == Other.FKind;
    return FNumber == Other.FNumber;
}

uint64_t TDirItem::CompressedSize() const {
    return Header.CompressedSize == 0xFFFFFFFFu ? Zip64CompressedSize : Header.CompressedSize;
}
uint64_t TDirItem::UncompressedSize() const {
    return Header.UncompressedSize == 0xFFFFFFFFu ? Zip64UncompressedSize : Header.UncompressedSize;
}
uint64_t TDirItem::LocalHeaderOffset() const {
    return Header.LocalHeaderOffset == 0xFFFFFFFFu ? Zip64LocalHeaderOffset
                                                   : Header.LocalHeaderOffset;
}
uint32_t TDirItem::DiskNumber() const {
    return Header.DiskNumberStart == 0xFFFF ? Zip64DiskNumber : Header.DiskNumberStart;
}
bool TDirItem::IsFolder() const {
    return (Header.ExternalAttributes & faDirectory) != 0 || (!Name.empty() && Name.back() == '/');
}
bool TDirItem::MadeOnUnix() const {
    const int host = Header.VersionMadeBy >> 8;
    return host == 3 || host == 19;
}
bool TDirItem::HasForeignEncryption() const {
    if (Header.Method == ZAAesMethod || (IsEncrypted() && (Header.Flags & ZAStrongEncryptionFlag)))
        return true;
    return std::any_of(ExtraBlocks.begin(), ExtraBlocks.end(),
                       [](const TZAExtraBlock& b) { return b.Id == ZAAesExtraId; });
}

void TZADirArray::SetCount(int NewCount) {
    if (NewCount <= 0) {
        FItems.clear();
        FItems.shrink_to_fit();
        return;
    }
    FItems.resize(static_cast<size_t>(NewCount));
}

void TZADirArray::Add(const TDirItem& Item) {
    FItems.push_back(Item);
}

void TZADirArray::SetItem(int Index, const TDirItem& Item) {
    if (Index < 0 || Index >= Count()) throw EZAException(zeStoreIndex, nullptr);
    FItems[static_cast<size_t>(Index)] = Item;
}

TDirItem TZADirArray::GetItem(int Index) const {
    if (Index < 0 || Index >= Count()) throw EZAException(zeCopyIndex, nullptr);
    return FItems[static_cast<size_t>(Index)];
}

TDirItem& TZADirArray::Item(int Index) {
    if (Index < 0 || Index >= Count()) throw EZAException(zeItemIndex, nullptr);
    return FItems[static_cast<size_t>(Index)];
}

const TDirItem& TZADirArray::Item(int Index) const {
    if (Index < 0 || Index >= Count()) throw EZAException(zeItemIndex, nullptr);
    return FItems[static_cast<size_t>(Index)];
}

void TZADirArray::DeleteItem(int Index) {
    if (Index < 0 || Index >= Count()) throw EZAException(zeDeleteIndex, nullptr);
    FItems.erase(FItems.begin() + Index);
}

void TZADirArray::ClearSelection() {
    for (auto& i : FItems)
        i.Selected = false;
}

int TZADirArray::SelectedCount() const {
    int n = 0;
    for (const auto& i : FItems)
        n += i.Selected ? 1 : 0;
    return n;
}
