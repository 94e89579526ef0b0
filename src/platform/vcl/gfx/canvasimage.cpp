#include <QImage>
#include <QPixmap>
#include <vector>

#include "platform/vcl/gfx/canvasstate.h"
#include "platform/vcl/gfx/qtconvert.h"

namespace {

// What a canvas shows, as an image (only image and pixmap devices can be read).
QImage DeviceImage(const TCanvas& Canvas) {
    const auto& S = TCanvasAccess::State(Canvas);
    if (!S.Device) return {};
    if (S.Device->devType() == QInternal::Image) return *static_cast<const QImage*>(S.Device);
    if (S.Device->devType() == QInternal::Pixmap)
        return static_cast<const QPixmap*>(S.Device)->toImage();
    return {};
}

QPainter::CompositionMode CopyComposition(TCopyMode Mode) {
    switch (Mode) {
    case cmSrcAnd:
        return QPainter::RasterOp_SourceAndDestination;
    case cmSrcPaint:
        return QPainter::RasterOp_SourceOrDestination;
    case cmSrcInvert:
        return QPainter::RasterOp_SourceXorDestination;
    default:
        return QPainter::CompositionMode_Source;
    }
}

} // namespace

void TCanvasAccess::DrawImage(TCanvas& C, const TRect& R, const QImage& Image) {
    if (Image.isNull() || IsRectEmpty(R) || !RequirePainter(C)) return;
    QPainter& P = *State(C).Painter;
    P.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (R.Width() == Image.width() && R.Height() == Image.height())
        P.drawImage(R.Left, R.Top, Image);
    else
        P.drawImage(ToQRect(R), Image);
}

void TCanvas::Draw(int X, int Y, const TGraphic* Graphic) {
    if (Graphic && !Graphic->Empty())
        Graphic->Draw(*this, Bounds(X, Y, Graphic->Width(), Graphic->Height()));
}

void TCanvas::StretchDraw(const TRect& R, const TGraphic* Graphic) {
    if (Graphic && !Graphic->Empty() && !IsRectEmpty(R)) Graphic->Draw(*this, R);
}

namespace {

// The spans (one row high) of the 4-connected area around Seed.
std::vector<QRect> FloodSpans(const QImage& Image, QPoint Seed, QRgb Key, bool Surface) {
    const int W = Image.width();
    const int H = Image.height();
    const auto Inside = [&](int X, int Y) {
        const bool Same = (Image.pixel(X, Y) & 0xFFFFFF) == Key;
        return Surface ? Same : !Same;
    };
    std::vector<QRect> Spans;
    if (!Image.valid(Seed) || !Inside(Seed.x(), Seed.y())) return Spans;
    std::vector<unsigned char> Seen(static_cast<size_t>(W) * static_cast<size_t>(H), 0);
    const auto Mark = [&](int X, int Y) -> unsigned char& {
        return Seen[static_cast<size_t>(Y) * static_cast<size_t>(W) + static_cast<size_t>(X)];
    };
    std::vector<QPoint> Seeds{Seed};
    while (!Seeds.empty()) {
        const QPoint P = Seeds.back();
        Seeds.pop_back();
        if (Mark(P.x(), P.y()) || !Inside(P.x(), P.y())) continue;
        int L = P.x();
        int R = P.x();
        while (L > 0 && !Mark(L - 1, P.y()) && Inside(L - 1, P.y()))
            --L;
        while (R + 1 < W && !Mark(R + 1, P.y()) && Inside(R + 1, P.y()))
            ++R;
        for (int X = L; X <= R; ++X)
            Mark(X, P.y()) = 1;
        Spans.emplace_back(L, P.y(), R - L + 1, 1);
        for (int Y : {P.y() - 1, P.y() + 1}) {
            if (Y < 0 || Y >= H) continue;
            for (int X = L; X <= R; ++X)
                if (!Mark(X, Y) && Inside(X, Y)) Seeds.emplace_back(X, Y);
        }
    }
    return Spans;
}

} // namespace

void TCanvas::FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle) {
    if (FBrush->Style() == bsClear || !RequirePainter()) return;
    std::vector<QRect> Spans;
    {
        const QImage Image = DeviceImage(*this);
        if (Image.isNull()) return;
        const QPoint Seed = TCanvasAccess::Transform(*this).map(QPoint(X, Y));
        Spans = FloodSpans(Image, Seed, ToQColor(Color).rgb() & 0xFFFFFF, FillStyle == fsSurface);
    }
    QPainter& P = *FState->Painter;
    TCanvasAccess::PrepareFill(*this);
    const QBrush Brush = P.brush();
    const QTransform T = P.worldTransform();
    P.resetTransform(); // the spans are in device pixels
    for (const QRect& S : Spans)
        P.fillRect(S, Brush);
    P.setWorldTransform(T);
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect) {
    if (!Source || IsRectEmpty(Dest) || IsRectEmpty(SourceRect)) return;
    if (!Source->RequirePainter()) return;
    const QImage Part = DeviceImage(*Source).copy(TCanvasAccess::ToDevice(*Source, SourceRect));
    if (!RequirePainter()) return;
    QPainter& P = *FState->Painter;
    switch (FCopyMode) {
    case cmBlackness:
    case cmWhiteness:
        P.setCompositionMode(QPainter::CompositionMode_Source);
        P.fillRect(ToQRect(Dest), FCopyMode == cmBlackness ? Qt::black : Qt::white);
        return;
    case cmDstInvert:
        P.setCompositionMode(QPainter::RasterOp_NotDestination);
        P.fillRect(ToQRect(Dest), Qt::black);
        return;
    default:
        if (Part.isNull()) return;
        P.setCompositionMode(CopyComposition(FCopyMode));
        P.drawImage(ToQRect(Dest), Part.convertToFormat(QImage::Format_RGB32));
    }
}

void TCanvas::BrushCopy(const TRect& Dest, const TBitmap* Bitmap, const TRect& Source,
                        TColor Color) {
    if (!Bitmap || Bitmap->Empty() || IsRectEmpty(Dest) || IsRectEmpty(Source)) return;
    QImage Part = Bitmap->Image().copy(ToQRect(Source)).convertToFormat(QImage::Format_RGB32);
    const QRgb Key = ToQColor(Color).rgb() & 0xFFFFFF;
    const QRgb Fill = ToQColor(FBrush->Color()).rgb();
    for (int Y = 0; Y < Part.height(); ++Y) {
        auto* Line = reinterpret_cast<QRgb*>(Part.scanLine(Y));
        for (int X = 0; X < Part.width(); ++X)
            if ((Line[X] & 0xFFFFFF) == Key) Line[X] = Fill;
    }
    if (!RequirePainter()) return;
    FState->Painter->setCompositionMode(QPainter::CompositionMode_Source);
    FState->Painter->drawImage(ToQRect(Dest), Part);
}
