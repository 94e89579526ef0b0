#include "platform/vcl/gfx/imagelist.h"

#include <QImage>
#include <QPainter>

#include "platform/vcl/gfx/imageio.h"
#include "platform/vcl/gfx/pictures.h"
#include "platform/vcl/gfx/qtconvert.h"

namespace {

// Pixels under the white parts of a mask become see-through.
QImage ApplyMask(const QImage& Image, const QImage& Mask) {
    QImage Out = Image.convertToFormat(QImage::Format_ARGB32);
    const QImage M = Mask.convertToFormat(QImage::Format_RGB32);
    for (int Y = 0; Y < Out.height() && Y < M.height(); ++Y) {
        auto* Line = reinterpret_cast<QRgb*>(Out.scanLine(Y));
        const auto* MLine = reinterpret_cast<const QRgb*>(M.constScanLine(Y));
        for (int X = 0; X < Out.width() && X < M.width(); ++X)
            if (qGray(MLine[X]) >= 128) Line[X] = 0;
    }
    return Out;
}

// The classic disabled look: dark pixels become a shadow with a light
// copy one pixel down and right.
QImage Embossed(const QImage& Image) {
    QImage Out(Image.width() + 1, Image.height() + 1, QImage::Format_ARGB32);
    Out.fill(Qt::transparent);
    const QImage Src = Image.convertToFormat(QImage::Format_ARGB32);
    const QRgb Light = ToQColor(clBtnHighlight).rgb();
    const QRgb Dark = ToQColor(clBtnShadow).rgb();
    for (int Pass = 0; Pass < 2; ++Pass)
        for (int Y = 0; Y < Src.height(); ++Y)
            for (int X = 0; X < Src.width(); ++X) {
                const QRgb P = Src.pixel(X, Y);
                if (qAlpha(P) < 128 || qGray(P) >= 192) continue;
                if (Pass == 0)
                    Out.setPixel(X + 1, Y + 1, Light);
                else
                    Out.setPixel(X, Y, Dark);
            }
    return Out;
}

} // namespace

TImageList::TImageList(TComponent* AOwner, int Width, int Height)
    : TComponent(AOwner), FWidth(std::max(1, Width)), FHeight(std::max(1, Height)) {}

TImageList::~TImageList() = default;

void TImageList::Changed() {
    if (OnChange) OnChange(this);
}

void TImageList::SetSize(int Width, int Height) {
    Width = std::max(1, Width);
    Height = std::max(1, Height);
    if (Width == FWidth && Height == FHeight) return;
    FWidth = Width;
    FHeight = Height;
    FImages.clear();
    Changed();
}

std::vector<std::unique_ptr<TIcon>> TImageList::Cut(const QImage& Source) const {
    std::vector<std::unique_ptr<TIcon>> Parts;
    const int N = std::max(1, Source.width() / FWidth);
    for (int I = 0; I < N; ++I) {
        QImage Part(FWidth, FHeight, QImage::Format_ARGB32);
        Part.fill(Qt::transparent);
        QPainter P(&Part);
        P.setCompositionMode(QPainter::CompositionMode_Source);
        P.drawImage(0, 0, Source, I * FWidth, 0, FWidth, FHeight);
        P.end();
        auto Icon = std::make_unique<TIcon>();
        Icon->SetImage(Part);
        Parts.push_back(std::move(Icon));
    }
    return Parts;
}

int TImageList::Add(const TBitmap* Image, const TBitmap* Mask) {
    if (!Image || Image->Empty()) return -1;
    const QImage Source =
        Mask && !Mask->Empty() ? ApplyMask(Image->Image(), Mask->Image()) : Image->ToImage();
    const int First = Count();
    for (auto& Part : Cut(Source))
        FImages.push_back(std::move(Part));
    Changed();
    return First;
}

int TImageList::AddMasked(const TBitmap* Image, TColor MaskColor) {
    if (!Image || Image->Empty()) return -1;
    const TColor Key = MaskColor == clDefault ? Image->Pixel(0, Image->Height() - 1) : MaskColor;
    const int First = Count();
    for (auto& Part : Cut(WithoutColor(Image->Image(), Key)))
        FImages.push_back(std::move(Part));
    Changed();
    return First;
}

int TImageList::AddIcon(const TIcon* Icon) {
    if (!Icon || Icon->Empty()) return -1;
    const QImage Scaled = Icon->ToImage().scaled(FWidth, FHeight);
    auto Item = std::make_unique<TIcon>();
    Item->SetImage(Scaled);
    FImages.push_back(std::move(Item));
    Changed();
    return Count() - 1;
}

void TImageList::Replace(int Index, const TBitmap* Image, const TBitmap* Mask) {
    if (Index < 0 || Index >= Count() || !Image || Image->Empty()) return;
    const QImage Source =
        Mask && !Mask->Empty() ? ApplyMask(Image->Image(), Mask->Image()) : Image->ToImage();
    FImages[static_cast<size_t>(Index)] = std::move(Cut(Source).front());
    Changed();
}

void TImageList::Delete(int Index) {
    if (Index < 0 || Index >= Count()) return;
    FImages.erase(FImages.begin() + Index);
    Changed();
}

void TImageList::Clear() {
    if (FImages.empty()) return;
    FImages.clear();
    Changed();
}

void TImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) const {
    if (!Canvas || Index < 0 || Index >= Count()) return;
    const TIcon& Image = *FImages[static_cast<size_t>(Index)];
    if (Enabled) {
        Canvas->Draw(X, Y, &Image);
        return;
    }
    TIcon Grey;
    Grey.SetImage(Embossed(Image.ToImage()));
    Canvas->Draw(X, Y, &Grey);
}

void TImageList::GetBitmap(int Index, TBitmap* Image) const {
    if (!Image || Index < 0 || Index >= Count()) return;
    Image->SetPixelFormat(pf24bit);
    Image->SetSize(FWidth, FHeight);
    Image->Canvas()->Brush()->SetColor(clBtnFace);
    Image->Canvas()->FillRect(Rect(0, 0, FWidth, FHeight));
    Draw(Image->Canvas(), 0, 0, Index);
}
