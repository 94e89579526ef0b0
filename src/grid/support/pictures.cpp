#include "grid/support/pictures.h"

#include <algorithm>

#include "platform/rtl/files.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/gfx/metafile.h"
#include "platform/vcl/gfx/resources.h"

namespace {

int Word16(const std::string& D, size_t At) {
    return static_cast<unsigned char>(D[At]) | (static_cast<unsigned char>(D[At + 1]) << 8);
}

// Graphic control extension (8 bytes) + image descriptor (10 bytes).
constexpr size_t FrameHeaderSize = 18;

} // namespace

bool IsGIFData(const std::string& Data) {
    return Data.size() > 4 && Data.compare(0, 4, "GIF8") == 0;
}

std::vector<size_t> FindGIFFrames(const std::string& Data) {
    std::vector<size_t> frames;
    if (!IsGIFData(Data)) return frames;
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(Data[i]); };
    // Every index read stays below the data's size.
    for (size_t p = 0; p + FrameHeaderSize <= Data.size(); ++p)
        if (byte(p) == 0x21 && byte(p + 1) == 0xF9 && byte(p + 2) == 0x04 && byte(p + 8) == 0x2C)
            frames.push_back(p);
    return frames;
}

std::string SelectGIFFrame(const std::string& Data, int Frame) {
    const std::vector<size_t> frames = FindGIFFrames(Data);
    if (frames.empty() || Frame < 1 || Frame > static_cast<int>(frames.size())) return Data;
    return Data.substr(0, frames.front()) + Data.substr(frames[static_cast<size_t>(Frame - 1)]);
}

// --- TDownLoadThread -------------------------------------------------------------

TDownLoadThread::TDownLoadThread(THTMLPicture* APicture) : TThread(false), FPicture(APicture) {
    FreeOnTerminate = true;
    Start();
}

TDownLoadThread::~TDownLoadThread() {
    // Joined here, while Execute still exists.
    Terminate();
    WaitFor();
}

// --- THTMLPicture ---------------------------------------------------------------

THTMLPicture::THTMLPicture() : FDecoded(std::make_unique<TBitmap>()) {}
THTMLPicture::~THTMLPicture() = default;

void THTMLPicture::MakeEmpty() {
    FData.clear();
    FDecoded->SetSize(0, 0);
}

void THTMLPicture::Assign(const TPersistent* Source) {
    if (const auto* src = dynamic_cast<const THTMLPicture*>(Source)) {
        if (src == this) return;
        Stretch = src->Stretch;
        FFrame = src->FFrame;
        ID = src->ID;
        URL = src->URL;
        if (src->FData.empty()) {
            MakeEmpty();
            Changed();
        } else {
            LoadFromBytes(src->FData);
        }
        return;
    }
    TGraphic::Assign(Source);
}

void THTMLPicture::Decode() {
    FFrameLeft = FFrameTop = FFrameWidth = FFrameHeight = 0;
    FAnimWidth = FAnimHeight = 0;
    std::string bytes = FData;
    const std::vector<size_t> frames = FindGIFFrames(FData);
    if (!frames.empty()) {
        FAnimWidth = Word16(FData, 6);
        FAnimHeight = Word16(FData, 8);
        const int frame = std::clamp(FFrame, 1, static_cast<int>(frames.size()));
        const size_t d = frames[static_cast<size_t>(frame - 1)] + 9; // the descriptor's fields
        FFrameLeft = Word16(FData, d);
        FFrameTop = Word16(FData, d + 2);
        FFrameWidth = Word16(FData, d + 4);
        FFrameHeight = Word16(FData, d + 6);
        bytes = SelectGIFFrame(FData, frame);
    }
    try {
        if (MetafileKind(bytes) != TMetafileKind::mkNone)
            LoadMetafile(bytes, *FDecoded);
        else
            FDecoded->LoadFromBytes(bytes);
    } catch (const Exception&) {
        MakeEmpty();
        throw Exception("Could not load image. Invalid format");
    }
}

void THTMLPicture::LoadFromBytes(const std::string& Bytes) {
    FData = Bytes;
    Decode();
    Changed();
}

void THTMLPicture::LoadFromFile(const std::string& FileName) {
    LoadFromBytes(ReadFileBytes(FileName));
}

bool FindProgramResource(const std::string& Name, std::string& Bytes) {
    if (FindDataResource(Name, Bytes)) return true;
    if (!BitmapResourceExists(Name)) return false;
    try {
        TBitmap bitmap;
        LoadBitmapResource(bitmap, Name);
        if (bitmap.Empty()) return false;
        Bytes = bitmap.SaveToBytes("PNG");
        return true;
    } catch (const Exception&) {
        return false; // a bitmap that cannot be made is no picture
    }
}

void THTMLPicture::LoadFromResource(const TPictureResourceFinder& Instance,
                                    const std::string& Name) {
    std::string bytes;
    if (Instance && Instance(Name, bytes)) LoadFromBytes(bytes);
}

void THTMLPicture::LoadFromURL(const std::string& Source) {
    const std::string upper = UpperCase(Source);
    try {
        if (upper.rfind("RES://", 0) == 0) {
            ID = Source;
            LoadFromResource(ResourceFinder, Source.substr(6));
        } else if (upper.rfind("FILE://", 0) == 0) {
            ID = Source;
            LoadFromFile(Source.substr(7));
        } else if (!Asynch) {
            URL = Source;
            ID = Source;
        } else if (!FDownloadBusy) {
            // The program reaches no network: the thread fetches nothing.
            URL = Source;
            FDownloadBusy = true;
            FDownLoadThread = std::make_unique<TDownLoadThread>(this);
        }
    } catch (const Exception&) {
        MakeEmpty();
    }
}

int THTMLPicture::FrameCount() const {
    if (!IsGIF()) return -1;
    return static_cast<int>(FindGIFFrames(FData).size());
}

void THTMLPicture::SetFrame(int Value) {
    FFrame = Value;
    if (FData.empty()) return;
    Decode();
    Changed();
    if (OnFrameChange) OnFrameChange(this);
}

void THTMLPicture::ReadData(TStream& Stream) {
    const int64_t count = Stream.Size() - Stream.Position();
    std::string bytes(static_cast<size_t>(std::max<int64_t>(count, 0)), '\0');
    if (!bytes.empty()) Stream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    FData = std::move(bytes);
    Decode();
}

void THTMLPicture::LoadFromStream(TStream& Stream) {
    ReadData(Stream);
    Changed();
}

void THTMLPicture::WriteData(TStream& Stream) const {
    if (!FData.empty()) Stream.WriteBuffer(FData.data(), static_cast<int64_t>(FData.size()));
}

void THTMLPicture::SaveToFile(const std::string& FileName) const {
    WriteFileAtomic(FileName, FData);
}

void THTMLPicture::Draw(TCanvas& Canvas, const TRect& R) const {
    if (Empty()) return;
    if (Stretch)
        Canvas.StretchDraw(R, FDecoded.get());
    else
        Canvas.Draw(R.Left, R.Top, FDecoded.get());
}

// --- THTMLPictureCache ----------------------------------------------------------

THTMLPicture* THTMLPictureCache::AddPicture() {
    FItems.push_back(std::make_unique<THTMLPicture>());
    FItems.back()->ResourceFinder = ResourceFinder;
    return FItems.back().get();
}

THTMLPicture* THTMLPictureCache::FindPicture(const std::string& ID) const {
    for (const auto& p : FItems)
        if (p->ID == ID) return p.get();
    return nullptr;
}

THTMLPicture* THTMLPictureCache::PictureFor(const std::string& Source) {
    if (THTMLPicture* p = FindPicture(Source)) return p;
    THTMLPicture* p = AddPicture();
    p->LoadFromURL(Source);
    p->ID = Source; // found again next time, loaded or not
    return p;
}

THTMLPicture* THTMLPictureCache::Items(int Index) const {
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FItems[static_cast<size_t>(Index)].get();
}

// --- container ------------------------------------------------------------------

TPictureItem::TPictureItem(TCollection* Collection)
    : TCollectionItem(Collection), FPicture(std::make_unique<THTMLPicture>()) {}

void TPictureItem::Assign(const TPersistent* Source) {
    if (const auto* src = dynamic_cast<const TPictureItem*>(Source)) {
        Name = src->Name;
        Tag = src->Tag;
        FPicture->Assign(src->FPicture.get());
        return;
    }
    TCollectionItem::Assign(Source);
}

TPictureCollection::TPictureCollection(TPictureContainer* AOwner)
    : TCollection([](TCollection* c) { return std::make_unique<TPictureItem>(c); }),
      FOwner(AOwner) {}

TPictureItem* TPictureCollection::Items(int Index) const {
    return static_cast<TPictureItem*>(TCollection::Items(Index));
}

TPictureItem* TPictureCollection::Add() {
    return static_cast<TPictureItem*>(TCollection::Add());
}

TPersistent* TPictureCollection::GetOwner() const {
    return FOwner;
}

TPictureContainer::TPictureContainer(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TPictureCollection>(this)) {}

TPictureContainer::~TPictureContainer() = default;

THTMLPicture* TPictureContainer::FindPicture(const std::string& Name) const {
    for (int i = 0; i < FItems->Count(); ++i)
        if (SameText(FItems->Items(i)->Name, Name)) return FItems->Items(i)->Picture();
    return nullptr;
}
