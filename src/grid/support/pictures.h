#pragma once
// Pictures of tagged cell text: THTMLPicture keeps the encoded bytes of any
// image the platform decodes and shows one frame of an animated GIF; the grid's
// picture cache holds pictures named by URL-form sources; the picture container
// holds named pictures that the IMG tag finds by name.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/collections.h"
#include "platform/rtl/streams.h"
#include "platform/rtl/threads.h"
#include "platform/vcl/gfx/graphics.h"

// Finds a resource of the program by name; false when there is none.
using TPictureResourceFinder = std::function<bool(const std::string& Name, std::string& Bytes)>;

// The program's own resources as registered at start-up: the data resource of
// that name, else the named bitmap encoded as PNG. Names ignore case.
bool FindProgramResource(const std::string& Name, std::string& Bytes);

// GIF frames: an extension introducer, graphic control label and block size
// 4, and an image descriptor right after the block. The offsets of every frame
// whose descriptor lies wholly inside the data.
std::vector<size_t> FindGIFFrames(const std::string& Data);
bool IsGIFData(const std::string& Data);
// The header and the bytes from frame Frame (from 1) on; data that is no GIF,
// or a frame that does not exist, is returned unchanged.
std::string SelectGIFFrame(const std::string& Data, int Frame);

class THTMLPicture;

// The download of a URL source. The program reaches no network: the thread
// starts, fetches nothing and ends, so no download event ever fires.
class TDownLoadThread : public TThread {
public:
    explicit TDownLoadThread(THTMLPicture* APicture);
    ~TDownLoadThread() override;
    THTMLPicture* Picture() const { return FPicture; }

protected:
    void Execute() override {}

private:
    THTMLPicture* FPicture;
};

using TDownloadProgressEvent =
    std::function<void(TObject* Sender, unsigned dwSize, unsigned dwMaxSize)>;
using TDownloadCancelEvent = std::function<void(TObject* Sender, bool& Cancel)>;
using TDownloadErrorEvent = std::function<void(TObject* Sender, const std::string& Err)>;

// The encoded bytes stay as they came (saving writes them unchanged); the
// decoded image of the selected frame is kept beside them.
class THTMLPicture : public TGraphic {
public:
    THTMLPicture();
    ~THTMLPicture() override;
    std::string ClassName() const override { return "THTMLPicture"; }
    void Assign(const TPersistent* Source) override;
    int Width() const override { return FDecoded->Width(); }
    int Height() const override { return FDecoded->Height(); }
    bool Empty() const override { return FData.empty() || FDecoded->Empty(); }

    // Decoding failures raise Exception ("Could not load image. Invalid format").
    void LoadFromFile(const std::string& FileName) override;
    void LoadFromBytes(const std::string& Bytes) override;
    std::string SaveToBytes(const std::string& Format = "BMP") const override { return FData; }
    // The stored bytes as they came, whatever the file's extension says.
    void SaveToFile(const std::string& FileName) const override;
    // The rest of Stream is the encoded image; LoadFromStream also tells OnChange.
    void ReadData(TStream& Stream);
    void LoadFromStream(TStream& Stream);
    // The encoded bytes, unchanged.
    void WriteData(TStream& Stream) const;
    void SaveToStream(TStream& Stream) const { WriteData(Stream); }
    const std::string& Data() const { return FData; }
    const TBitmap& Decoded() const { return *FDecoded; }

    // "RES://name" (a program resource), "FILE://path", or a URL, which is
    // remembered but never fetched. A source that fails leaves the picture empty.
    void LoadFromURL(const std::string& Source);
    void LoadFromResource(const TPictureResourceFinder& Instance, const std::string& Name);

    int FrameCount() const; // -1 for data that is no GIF
    bool IsGIF() const { return IsGIFData(FData); }
    int Frame() const { return FFrame; }
    void SetFrame(int Value); // decodes again and fires OnFrameChange
    int FrameLeft() const { return FFrameLeft; }
    int FrameTop() const { return FFrameTop; }
    int FrameWidth() const { return FFrameWidth; }
    int FrameHeight() const { return FFrameHeight; }
    int AnimationWidth() const { return FAnimWidth ? FAnimWidth : Width(); }
    int AnimationHeight() const { return FAnimHeight ? FAnimHeight : Height(); }

    // At its own size at R's top-left, or stretched into R with Stretch (the
    // canvas's Draw and StretchDraw come here).
    void Draw(TCanvas& Canvas, const TRect& R) const override;

    // A URL source was handed to a download thread (which fetches nothing).
    bool DownloadBusy() const { return FDownloadBusy; }

    bool Stretch = false;
    bool Asynch = true;
    std::string ID;  // the source text it was loaded from
    std::string URL; // the last URL asked for
    TPictureResourceFinder ResourceFinder = FindProgramResource;
    TNotifyEvent OnFrameChange;
    TDownloadProgressEvent OnDownLoadProgress;
    TDownloadCancelEvent OnDownLoadCancel;
    TNotifyEvent OnDownLoadComplete;
    TDownloadErrorEvent OnDownLoadError;

private:
    void Decode();
    void MakeEmpty();
    std::unique_ptr<TBitmap> FDecoded;
    std::string FData;
    int FFrame = 1;
    int FFrameLeft = 0, FFrameTop = 0, FFrameWidth = 0, FFrameHeight = 0;
    int FAnimWidth = 0, FAnimHeight = 0;
    bool FDownloadBusy = false;
    std::unique_ptr<TDownLoadThread> FDownLoadThread;
};

class THTMLPictureCache {
public:
    THTMLPicture* AddPicture();
    // The first picture whose ID is exactly ID; nullptr when none.
    THTMLPicture* FindPicture(const std::string& ID) const;
    // The picture of a URL-form source, added and loaded on first use.
    THTMLPicture* PictureFor(const std::string& Source);
    int Count() const { return static_cast<int>(FItems.size()); }
    THTMLPicture* Items(int Index) const;
    void Clear() { FItems.clear(); }

    // Given to every picture it loads.
    TPictureResourceFinder ResourceFinder = FindProgramResource;

private:
    std::vector<std::unique_ptr<THTMLPicture>> FItems;
};

class TPictureItem : public TCollectionItem {
public:
    explicit TPictureItem(TCollection* Collection);
    std::string ClassName() const override { return "TPictureItem"; }
    void Assign(const TPersistent* Source) override;
    THTMLPicture* Picture() const { return FPicture.get(); }
    void SetPicture(const THTMLPicture* Value) { FPicture->Assign(Value); }
    std::string Name;
    int Tag = 0;

private:
    std::unique_ptr<THTMLPicture> FPicture;
};

class TPictureContainer;

class TPictureCollection : public TCollection {
public:
    explicit TPictureCollection(TPictureContainer* AOwner);
    std::string ClassName() const override { return "TPictureCollection"; }
    TPictureItem* Items(int Index) const;
    TPictureItem* Add();
    TPersistent* GetOwner() const override;

private:
    TPictureContainer* FOwner;
};

class TPictureContainer : public TComponent {
public:
    explicit TPictureContainer(TComponent* AOwner);
    ~TPictureContainer() override;
    std::string ClassName() const override { return "TPictureContainer"; }
    TPictureCollection* Items() const { return FItems.get(); }
    void SetItems(const TPictureCollection* Value) { FItems->Assign(Value); }
    // The picture of the first item named Name, ignoring case; nullptr when none.
    THTMLPicture* FindPicture(const std::string& Name) const;

private:
    std::unique_ptr<TPictureCollection> FItems;
};
