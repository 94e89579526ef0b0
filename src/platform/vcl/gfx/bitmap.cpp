#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPainter>

#include "platform/rtl/files.h"
#include "platform/vcl/gfx/canvasstate.h"
#include "platform/vcl/gfx/imageio.h"
#include "platform/vcl/gfx/qtconvert.h"

namespace {

QString DiskPath(const std::string& FileName) {
    return QString::fromUtf8(DiskName(FileName).c_str());
}

QByteArray FormatOfFile(const std::string& FileName) {
    const std::string Ext = LowerCase(ExtractFileExt(FileName));
    if (Ext == ".png") return "PNG";
    if (Ext == ".jpg" || Ext == ".jpeg") return "JPG";
    if (Ext == ".ico") return "ICO";
    return "BMP";
}

} // namespace

// --- TGraphic -------------------------------------------------------------------

void TGraphic::Changed() {
    if (OnChange) OnChange(this);
}

void TGraphic::SetTransparent(bool Value) {
    if (Value == FTransparent) return;
    FTransparent = Value;
    Changed();
}

void TGraphic::SaveToFile(const std::string& FileName) const {
    QImageWriter Writer(DiskPath(FileName), FormatOfFile(FileName));
    if (!Writer.write(ToImage()))
        throw EInvalidGraphic("Cannot write the picture " + FileName + ": " +
                              FromQString(Writer.errorString()));
}

QImage TGraphic::ToImage() const {
    if (Empty()) return {};
    QImage Image(Width(), Height(), QImage::Format_ARGB32_Premultiplied);
    Image.fill(Qt::transparent);
    TCanvas Canvas;
    Canvas.BeginPaint(&Image);
    Draw(Canvas, Rect(0, 0, Width(), Height()));
    Canvas.EndPaint();
    return Image;
}

std::string TGraphic::SaveToBytes(const std::string& Format) const {
    QByteArray Bytes;
    QBuffer Buffer(&Bytes);
    Buffer.open(QIODevice::WriteOnly);
    if (!ToImage().save(&Buffer, Format.c_str()))
        throw EInvalidGraphic("Cannot encode the picture as " + Format);
    return std::string(Bytes.constData(), static_cast<size_t>(Bytes.size()));
}

// --- TBitmap --------------------------------------------------------------------

class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap& Owner) : FOwner(Owner) {}
    void Close() { CloseDevice(); }

protected:
    void CreateHandle() override {
        if (!FOwner.FImage->isNull()) OpenDevice(FOwner.FImage.get());
    }

private:
    TBitmap& FOwner;
};

TBitmap::TBitmap() : FImage(std::make_unique<QImage>()) {}

TBitmap::TBitmap(int Width, int Height) : TBitmap() {
    SetSize(Width, Height);
}

TBitmap::~TBitmap() {
    CloseCanvas();
}

void TBitmap::CloseCanvas() const {
    if (FCanvas) static_cast<TBitmapCanvas*>(FCanvas.get())->Close();
}

void TBitmap::Assign(const TPersistent* Source) {
    if (const auto* B = dynamic_cast<const TBitmap*>(Source)) {
        if (B == this) return;
        CloseCanvas();
        *FImage = B->Image().copy();
        FPixelFormat = B->FPixelFormat;
        FTransparentMode = B->FTransparentMode;
        FTransparentColor = B->FTransparentColor;
        SetTransparent(B->Transparent());
        Changed();
        return;
    }
    if (const auto* G = dynamic_cast<const TGraphic*>(Source)) {
        SetImage(G->ToImage());
        return;
    }
    TGraphic::Assign(Source);
}

int TBitmap::Width() const {
    return FImage->width();
}
int TBitmap::Height() const {
    return FImage->height();
}

void TBitmap::SetSize(int Width, int Height) {
    Width = std::max(0, Width);
    Height = std::max(0, Height);
    if (Width == this->Width() && Height == this->Height()) return;
    CloseCanvas();
    const QImage::Format Format =
        FPixelFormat == pf32bit ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    QImage Next;
    if (Width > 0 && Height > 0) {
        Next = QImage(Width, Height, Format);
        Next.fill(Qt::white);
        if (!FImage->isNull()) {
            QPainter P(&Next);
            P.setCompositionMode(QPainter::CompositionMode_Source);
            P.drawImage(0, 0, *FImage);
        }
    }
    *FImage = std::move(Next);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
    if (Value == FPixelFormat) return;
    CloseCanvas();
    FPixelFormat = Value;
    if (!FImage->isNull())
        *FImage = FImage->convertToFormat(Value == pf32bit ? QImage::Format_ARGB32_Premultiplied
                                                           : QImage::Format_RGB32);
    Changed();
}

TColor TBitmap::TransparentColor() const {
    if (FTransparentMode == tmFixed && FTransparentColor != clDefault) return FTransparentColor;
    if (Empty()) return clDefault;
    return Pixel(0, Height() - 1);
}

void TBitmap::SetTransparentColor(TColor Value) {
    FTransparentColor = Value;
    FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
    Changed();
}

TCanvas* TBitmap::Canvas() {
    if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(*this);
    return FCanvas.get();
}

void TBitmap::LoadFromFile(const std::string& FileName) {
    SetImage(DecodeImageFile(FileName));
}

void TBitmap::LoadFromBytes(const std::string& Bytes) {
    SetImage(DecodeImageBytes(Bytes));
}

TColor TBitmap::Pixel(int X, int Y) const {
    const QImage& I = Image();
    if (!I.valid(X, Y)) return static_cast<TColor>(0xFFFFFFFFu);
    return FromQRgb(I.pixel(X, Y));
}

void TBitmap::SetPixel(int X, int Y, TColor Color) {
    QImage& I = Image();
    if (!I.valid(X, Y)) return;
    I.setPixel(X, Y, ToQColor(Color).rgb());
}

const QImage& TBitmap::Image() const {
    CloseCanvas();
    return *FImage;
}

QImage& TBitmap::Image() {
    CloseCanvas();
    return *FImage;
}

void TBitmap::SetImage(const QImage& Image) {
    CloseCanvas();
    if (Image.hasAlphaChannel()) {
        FPixelFormat = pf32bit;
        *FImage = Image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    } else {
        if (FPixelFormat == pf32bit) FPixelFormat = pf24bit;
        *FImage = Image.convertToFormat(QImage::Format_RGB32);
    }
    Changed();
}

void TBitmap::Draw(TCanvas& Canvas, const TRect& R) const {
    if (!Empty()) TCanvasAccess::DrawImage(Canvas, R, ToImage());
}

QImage TBitmap::ToImage() const {
    const QImage& I = Image();
    if (!Transparent() || I.isNull()) return I;
    // Pixels of the transparent colour become see-through.
    return WithoutColor(I, TransparentColor());
}
