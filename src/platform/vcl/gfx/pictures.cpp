#include "platform/vcl/gfx/pictures.h"

#include <QImage>

#include "platform/rtl/files.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/gfx/canvasstate.h"
#include "platform/vcl/gfx/imageio.h"
#include "platform/vcl/gfx/qtconvert.h"

namespace {

bool IsIconData(const std::string& Bytes) {
    return Bytes.size() > 4 && Bytes[0] == 0 && Bytes[1] == 0 && Bytes[2] == 1 && Bytes[3] == 0;
}

} // namespace

// --- TIcon --------------------------------------------------------------------

TIcon::TIcon() : FImage(std::make_unique<QImage>()) {
    SetTransparent(true);
}

TIcon::~TIcon() = default;

void TIcon::Assign(const TPersistent* Source) {
    if (const auto* G = dynamic_cast<const TGraphic*>(Source)) {
        if (G != this) SetImage(G->ToImage());
        return;
    }
    TGraphic::Assign(Source);
}

int TIcon::Width() const {
    return FImage->width();
}
int TIcon::Height() const {
    return FImage->height();
}

void TIcon::LoadFromFile(const std::string& FileName) {
    SetImage(DecodeImageFile(FileName));
}

void TIcon::LoadFromBytes(const std::string& Bytes) {
    SetImage(DecodeImageBytes(Bytes));
}

void TIcon::Draw(TCanvas& Canvas, const TRect& R) const {
    TCanvasAccess::DrawImage(Canvas, R, *FImage);
}

QImage TIcon::ToImage() const {
    return *FImage;
}

void TIcon::SetImage(const QImage& Image) {
    *FImage = Image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Changed();
}

// --- TPicture -----------------------------------------------------------------

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed() {
    if (OnChange) OnChange(this);
}

void TPicture::Adopt(std::unique_ptr<TGraphic> Graphic) {
    FGraphic = std::move(Graphic);
    if (FGraphic) FGraphic->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::Assign(const TPersistent* Source) {
    if (!Source) {
        SetGraphic(nullptr);
        return;
    }
    if (const auto* P = dynamic_cast<const TPicture*>(Source)) {
        if (P != this) SetGraphic(P->Graphic());
        return;
    }
    if (const auto* G = dynamic_cast<const TGraphic*>(Source)) {
        SetGraphic(G);
        return;
    }
    TPersistent::Assign(Source);
}

void TPicture::SetGraphic(const TGraphic* Value) {
    if (Value == FGraphic.get() && Value) return;
    std::unique_ptr<TGraphic> Copy;
    if (dynamic_cast<const TIcon*>(Value))
        Copy = std::make_unique<TIcon>();
    else if (Value)
        Copy = std::make_unique<TBitmap>();
    if (Copy) Copy->Assign(Value);
    Adopt(std::move(Copy));
}

TBitmap* TPicture::Bitmap() {
    if (!dynamic_cast<TBitmap*>(FGraphic.get())) Adopt(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(FGraphic.get());
}

TIcon* TPicture::Icon() {
    if (!dynamic_cast<TIcon*>(FGraphic.get())) Adopt(std::make_unique<TIcon>());
    return static_cast<TIcon*>(FGraphic.get());
}

void TPicture::LoadFromFile(const std::string& FileName) {
    std::unique_ptr<TGraphic> G;
    if (LowerCase(ExtractFileExt(FileName)) == ".ico")
        G = std::make_unique<TIcon>();
    else
        G = std::make_unique<TBitmap>();
    G->LoadFromFile(FileName);
    Adopt(std::move(G));
}

void TPicture::LoadFromBytes(const std::string& Bytes) {
    std::unique_ptr<TGraphic> G;
    if (IsIconData(Bytes))
        G = std::make_unique<TIcon>();
    else
        G = std::make_unique<TBitmap>();
    G->LoadFromBytes(Bytes);
    Adopt(std::move(G));
}

void TPicture::SaveToFile(const std::string& FileName) const {
    if (FGraphic) FGraphic->SaveToFile(FileName);
}
