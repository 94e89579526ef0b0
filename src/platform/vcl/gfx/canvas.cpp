#include <QImage>
#include <QPaintDevice>
#include <QPen>
#include <cmath>
#include <cstdlib>

#include "platform/vcl/gfx/canvasstate.h"
#include "platform/vcl/gfx/qtconvert.h"

namespace {

constexpr TColor CLR_INVALID = static_cast<TColor>(0xFFFFFFFFu);

QPainter::CompositionMode RasterOp(TPenMode Mode) {
    switch (Mode) {
    case pmNot:
        return QPainter::RasterOp_NotDestination;
    case pmNotCopy:
        return QPainter::RasterOp_NotSource;
    case pmMergePenNot:
        return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot:
        return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen:
        return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen:
        return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge:
        return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask:
        return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask:
        return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor:
        return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor:
        return QPainter::RasterOp_NotSourceXorDestination;
    default:
        return QPainter::CompositionMode_Source;
    }
}

Qt::BrushStyle QtBrushStyle(TBrushStyle Style) {
    switch (Style) {
    case bsSolid:
        return Qt::SolidPattern;
    case bsHorizontal:
        return Qt::HorPattern;
    case bsVertical:
        return Qt::VerPattern;
    case bsFDiagonal:
        return Qt::BDiagPattern; // "\" in y-down coordinates
    case bsBDiagonal:
        return Qt::FDiagPattern;
    case bsCross:
        return Qt::CrossPattern;
    case bsDiagCross:
        return Qt::DiagCrossPattern;
    default:
        return Qt::NoBrush;
    }
}

QBrush ToQBrush(const TBrush& B) {
    if (B.Style() == bsClear) return QBrush(Qt::NoBrush);
    return QBrush(ToQColor(B.Color()), QtBrushStyle(B.Style()));
}

// The platform's cosmetic dash patterns, in pixels.
QList<qreal> DashPattern(TPenStyle Style) {
    switch (Style) {
    case psDash:
        return {18, 6};
    case psDot:
        return {3, 3};
    case psDashDot:
        return {9, 6, 3, 6};
    case psDashDotDot:
        return {9, 3, 3, 3, 3, 3};
    default:
        return {};
    }
}

void NormalizeRect(int& X1, int& Y1, int& X2, int& Y2) {
    if (X2 < X1) std::swap(X1, X2);
    if (Y2 < Y1) std::swap(Y1, Y2);
}

// The ray angle of (X, Y) around the centre, in degrees counter-clockwise.
double RayAngle(double CX, double CY, int X, int Y) {
    return std::atan2(CY - Y, X - CX) * 180.0 / M_PI;
}

} // namespace

// --- state --------------------------------------------------------------------

const TQtFont& TCanvasAccess::QtFont(const TCanvas& C) {
    auto& S = State(C);
    if (!S.QtFont) S.QtFont = &S.QtFonts.Get(*C.Font());
    return *S.QtFont;
}

QTransform TCanvasAccess::Transform(const TCanvas& C) {
    const auto& S = State(C);
    QTransform T;
    if (S.Mirrored) T = QTransform(-1, 0, 0, 1, S.MirrorWidth, 0);
    T.translate(-S.Org.x(), -S.Org.y());
    return T;
}

QRect TCanvasAccess::ToDevice(const TCanvas& C, const TRect& R) {
    return Transform(C).mapRect(QRect(R.Left, R.Top, R.Width(), R.Height()));
}

void TCanvasAccess::ApplyClip(const TCanvas& C) {
    auto& S = State(C);
    if (!S.Painter) return;
    const QTransform T = S.Painter->worldTransform();
    S.Painter->resetTransform();
    if (S.Clip)
        S.Painter->setClipRegion(*S.Clip);
    else
        S.Painter->setClipping(false);
    S.Painter->setWorldTransform(T);
}

bool TCanvasAccess::PrepareShape(const TCanvas& C, bool WithPen, bool WithBrush) {
    auto& S = State(C);
    QPainter& P = *S.Painter;
    const TPen& Pen = *C.Pen();
    if (Pen.Mode() == pmNop) return false;
    QColor PenColor = ToQColor(Pen.Color());
    if (Pen.Mode() == pmBlack) PenColor = Qt::black;
    if (Pen.Mode() == pmWhite) PenColor = Qt::white;
    P.setCompositionMode(RasterOp(Pen.Mode()));
    if (WithPen && Pen.Style() != psClear) {
        QPen QP(PenColor);
        QP.setWidth(std::max(1, Pen.Width()));
        QP.setJoinStyle(Qt::MiterJoin);
        QP.setCapStyle(Pen.Width() > 1 ? Qt::RoundCap : Qt::SquareCap);
        if (Pen.Width() <= 1 && !DashPattern(Pen.Style()).isEmpty())
            QP.setDashPattern(DashPattern(Pen.Style()));
        P.setPen(QP);
    } else {
        P.setPen(Qt::NoPen);
    }
    QBrush B = WithBrush ? ToQBrush(*C.Brush()) : QBrush(Qt::NoBrush);
    if (B.style() != Qt::NoBrush && (Pen.Mode() == pmBlack || Pen.Mode() == pmWhite))
        B.setColor(PenColor);
    P.setBrush(B);
    // The background shows only in pen gaps and between hatch lines (and Qt's
    // opaque mode would move the edge of curves by a pixel otherwise).
    const bool Gaps = (WithPen && Pen.Width() <= 1 && !DashPattern(Pen.Style()).isEmpty()) ||
                      (B.style() != Qt::NoBrush && B.style() != Qt::SolidPattern);
    P.setBackgroundMode(Gaps && C.FBkMode == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
    P.setBackground(QBrush(ToQColor(C.FBkColor)));
    return true;
}

void TCanvasAccess::PrepareFill(const TCanvas& C) {
    QPainter& P = *State(C).Painter;
    P.setCompositionMode(QPainter::CompositionMode_SourceOver);
    P.setPen(Qt::NoPen);
    P.setBrush(ToQBrush(*C.Brush()));
    P.setBackgroundMode(C.FBkMode == OPAQUE && C.Brush()->Style() != bsSolid ? Qt::OpaqueMode
                                                                             : Qt::TransparentMode);
    P.setBackground(QBrush(ToQColor(C.FBkColor)));
}

TCanvas::TCanvas()
    : FState(std::make_unique<TState>()), FFont(std::make_unique<TFont>()),
      FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()) {
    FFont->OnChange = [this](TObject*) {
        if (FState->QtFont && !FState->QtFont->Matches(*FFont)) FState->QtFont = nullptr;
        FTextColor = FFont->Color();
    };
    FBrush->OnChange = [this](TObject*) { BackgroundFromBrush(); };
    FTextColor = FFont->Color();
    BackgroundFromBrush();
}

void TCanvas::BackgroundFromBrush() {
    // A solid brush gives text an opaque background of its colour; hatches
    // and the clear brush leave the background as it is.
    if (FBrush->Style() == bsSolid) {
        FBkColor = FBrush->Color();
        FBkMode = OPAQUE;
    } else {
        FBkColor = ~ColorToRGB(FBrush->Color()) & 0xFFFFFF;
        FBkMode = TRANSPARENT;
    }
}

TCanvas::~TCanvas() {
    EndPaint();
}

void TCanvas::BeginPaint(QPaintDevice* Device, const QRegion& UpdateRegion) {
    BeginPaint(Device);
    if (Painting()) FState->UpdateRegion = UpdateRegion;
}

void TCanvas::BeginPaint(QPaintDevice* Device) {
    EndPaint();
    FState->Clip.reset();
    FState->UpdateRegion.reset();
    FState->Org = {};
    FState->Mirrored = false;
    FState->MirrorWidth = 0;
    FTextColor = FFont->Color();
    BackgroundFromBrush();
    OpenDevice(Device);
}

void TCanvas::EndPaint() {
    CloseDevice();
    FState->Stack.clear();
    FState->UpdateRegion.reset();
}

void TCanvas::OpenDevice(QPaintDevice* Device) {
    CloseDevice();
    if (!Device) return;
    auto P = std::make_unique<QPainter>();
    if (!P->begin(Device)) return;
    P->setRenderHint(QPainter::Antialiasing, false);
    P->setRenderHint(QPainter::TextAntialiasing, false);
    P->setRenderHint(QPainter::SmoothPixmapTransform, false);
    FState->Device = Device;
    FState->Painter = std::move(P);
    FState->Painter->setWorldTransform(TCanvasAccess::Transform(*this));
    TCanvasAccess::ApplyClip(*this);
}

void TCanvas::CloseDevice() {
    if (FState->Painter) FState->Painter->end();
    FState->Painter.reset();
    FState->Device = nullptr;
}

bool TCanvas::Painting() const {
    return FState->Painter != nullptr;
}

QPainter* TCanvas::Painter() const {
    return FState->Painter.get();
}

bool TCanvas::RequirePainter() const {
    if (!FState->Painter) const_cast<TCanvas*>(this)->CreateHandle();
    return FState->Painter != nullptr;
}

int TCanvas::SetBkMode(int Mode) {
    const int Old = FBkMode;
    if (Mode == TRANSPARENT || Mode == OPAQUE) FBkMode = Mode;
    return Old;
}

TColor TCanvas::SetBkColor(TColor Color) {
    const TColor Old = FBkColor;
    FBkColor = Color;
    return Old;
}

TColor TCanvas::SetTextColor(TColor Color) {
    const TColor Old = FTextColor;
    FTextColor = Color;
    return Old;
}

// --- lines and shapes -----------------------------------------------------------

void TCanvas::LineTo(int X, int Y) {
    const TPoint From = FPenPos;
    FPenPos = {X, Y};
    if (!RequirePainter() || !TCanvasAccess::PrepareShape(*this, true, false)) return;
    QPainter& P = *FState->Painter;
    const int DX = X - From.X;
    const int DY = Y - From.Y;
    const int Steps = std::max(std::abs(DX), std::abs(DY));
    if (Steps == 0) return;
    if (FPen->Width() > 1) {
        P.drawLine(From.X, From.Y, X, Y);
        return;
    }
    // The end point is left out: the line is drawn, both ends included, to
    // the pixel one step before it.
    const auto Along = [&](int D) {
        return static_cast<int>(std::lround(static_cast<double>(D) * (Steps - 1) / Steps));
    };
    P.drawLine(From.X, From.Y, From.X + Along(DX), From.Y + Along(DY));
}

void TCanvas::Polyline(const std::vector<TPoint>& Points) {
    if (Points.empty()) return;
    const TPoint Saved = FPenPos;
    FPenPos = Points.front();
    for (size_t I = 1; I < Points.size(); ++I)
        LineTo(Points[I].X, Points[I].Y);
    FPenPos = Saved;
}

void TCanvas::Polygon(const std::vector<TPoint>& Points) {
    if (Points.size() < 2 || !RequirePainter() || !TCanvasAccess::PrepareShape(*this, true, true))
        return;
    QPolygon Poly;
    for (const TPoint& Pt : Points)
        Poly << QPoint(Pt.X, Pt.Y);
    FState->Painter->drawPolygon(Poly, Qt::OddEvenFill);
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
    NormalizeRect(X1, Y1, X2, Y2);
    if (X2 == X1 || Y2 == Y1 || !RequirePainter()) return;
    if (!TCanvasAccess::PrepareShape(*this, true, true)) return;
    QPainter& P = *FState->Painter;
    const int W = X2 - X1;
    const int H = Y2 - Y1;
    if (FPen->Style() == psClear) {
        // Without a pen the platform fills one pixel less at right and bottom.
        P.fillRect(QRect(X1, Y1, W - 1, H - 1), P.brush());
        return;
    }
    if (FPen->Width() <= 1) {
        if (W > 2 && H > 2 && P.brush().style() != Qt::NoBrush)
            P.fillRect(QRect(X1 + 1, Y1 + 1, W - 2, H - 2), P.brush());
        const QBrush Inside = P.brush();
        P.setBrush(Qt::NoBrush);
        P.drawRect(QRect(X1, Y1, W - 1, H - 1));
        P.setBrush(Inside);
        return;
    }
    P.drawRect(QRect(X1, Y1, W - 1, H - 1));
}

void TCanvas::FillRect(const TRect& R) {
    if (IsRectEmpty(R) || FBrush->Style() == bsClear || !RequirePainter()) return;
    TCanvasAccess::PrepareFill(*this);
    FState->Painter->fillRect(ToQRect(R), FState->Painter->brush());
}

void TCanvas::FrameRect(const TRect& R) {
    if (IsRectEmpty(R) || FBrush->Style() == bsClear || !RequirePainter()) return;
    TCanvasAccess::PrepareFill(*this);
    QPainter& P = *FState->Painter;
    const QBrush B = P.brush();
    P.fillRect(QRect(R.Left, R.Top, R.Width(), 1), B);
    P.fillRect(QRect(R.Left, R.Bottom - 1, R.Width(), 1), B);
    P.fillRect(QRect(R.Left, R.Top, 1, R.Height()), B);
    P.fillRect(QRect(R.Right - 1, R.Top, 1, R.Height()), B);
}

void TCanvas::DrawFocusRect(const TRect& R) {
    if (IsRectEmpty(R) || !RequirePainter()) return;
    QPainter& P = *FState->Painter;
    // Every other pixel of the frame is inverted, each pixel exactly once.
    QPolygon Dots;
    for (int X = R.Left; X < R.Right; ++X)
        for (int Y : {R.Top, R.Bottom - 1})
            if (((X + Y) & 1) == 0) Dots << QPoint(X, Y);
    for (int Y = R.Top + 1; Y < R.Bottom - 1; ++Y)
        for (int X : {R.Left, R.Right - 1})
            if (((X + Y) & 1) == 0) Dots << QPoint(X, Y);
    if (R.Bottom - 1 == R.Top || R.Right - 1 == R.Left) {
        // A one-pixel-high or -wide frame would list pixels twice.
        std::sort(Dots.begin(), Dots.end(), [](const QPoint& A, const QPoint& B) {
            return A.y() != B.y() ? A.y() < B.y() : A.x() < B.x();
        });
        Dots.erase(std::unique(Dots.begin(), Dots.end()), Dots.end());
    }
    P.setCompositionMode(QPainter::RasterOp_NotDestination);
    P.setPen(QPen(Qt::black, 1));
    P.drawPoints(Dots);
    P.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
    NormalizeRect(X1, Y1, X2, Y2);
    if (X2 == X1 || Y2 == Y1 || !RequirePainter()) return;
    if (!TCanvasAccess::PrepareShape(*this, true, true)) return;
    FState->Painter->drawEllipse(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1));
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
    NormalizeRect(X1, Y1, X2, Y2);
    if (X2 == X1 || Y2 == Y1 || !RequirePainter()) return;
    if (!TCanvasAccess::PrepareShape(*this, true, true)) return;
    FState->Painter->drawRoundedRect(QRectF(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1), std::abs(X3) / 2.0,
                                     std::abs(Y3) / 2.0);
}

namespace {
enum class TArcKind { Arc, Pie, Chord };

void DrawArcShape(TCanvas& C, TArcKind Kind, int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4,
                  int Y4) {
    NormalizeRect(X1, Y1, X2, Y2);
    if (X2 == X1 || Y2 == Y1 || !TCanvasAccess::RequirePainter(C)) return;
    if (!TCanvasAccess::PrepareShape(C, true, Kind != TArcKind::Arc)) return;
    const QRectF Box(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1);
    const double CX = (X1 + X2) / 2.0;
    const double CY = (Y1 + Y2) / 2.0;
    const double Start = RayAngle(CX, CY, X3, Y3);
    double Span = RayAngle(CX, CY, X4, Y4) - Start;
    if (Span <= 0) Span += 360;
    const int A = static_cast<int>(std::lround(Start * 16));
    const int S = static_cast<int>(std::lround(Span * 16));
    QPainter& P = *TCanvasAccess::State(C).Painter;
    switch (Kind) {
    case TArcKind::Arc:
        P.drawArc(Box, A, S);
        break;
    case TArcKind::Pie:
        P.drawPie(Box, A, S);
        break;
    case TArcKind::Chord:
        P.drawChord(Box, A, S);
        break;
    }
}
} // namespace

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
    DrawArcShape(*this, TArcKind::Arc, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
    DrawArcShape(*this, TArcKind::Pie, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TCanvas::Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
    DrawArcShape(*this, TArcKind::Chord, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

// --- pixels -------------------------------------------------------------------

TColor TCanvas::Pixel(int X, int Y) const {
    if (!RequirePainter() || FState->Device->devType() != QInternal::Image) return CLR_INVALID;
    const auto* Image = static_cast<const QImage*>(FState->Device);
    const QPoint D = TCanvasAccess::Transform(*this).map(QPoint(X, Y));
    if (!Image->valid(D)) return CLR_INVALID;
    if (FState->Clip && !FState->Clip->contains(D)) return CLR_INVALID;
    return FromQRgb(Image->pixel(D));
}

void TCanvas::SetPixel(int X, int Y, TColor Color) {
    if (!RequirePainter()) return;
    QPainter& P = *FState->Painter;
    P.setCompositionMode(QPainter::CompositionMode_Source);
    P.fillRect(QRect(X, Y, 1, 1), ToQColor(Color));
}

// --- clipping and saved states ------------------------------------------------------

namespace {
int RegionKind(const QRegion& R) {
    if (R.isEmpty()) return NULLREGION;
    return R.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

QRegion DeviceArea(const TCanvas::TState& S) {
    if (S.Clip) return *S.Clip;
    if (!S.Device) return QRegion();
    return QRegion(0, 0, S.Device->width(), S.Device->height());
}

} // namespace

TRect TCanvas::ClipRect() const {
    RequirePainter();
    QRegion Area = DeviceArea(*FState);
    if (FState->UpdateRegion) Area &= *FState->UpdateRegion;
    if (Area.isEmpty()) return {};
    const QRect Logical = TCanvasAccess::Transform(*this).inverted().mapRect(Area.boundingRect());
    return FromQRect(Logical);
}

int TCanvas::IntersectClipRect(const TRect& R) {
    if (!RequirePainter()) return ERROR;
    FState->Clip = DeviceArea(*FState).intersected(TCanvasAccess::ToDevice(*this, R));
    TCanvasAccess::ApplyClip(*this);
    return RegionKind(*FState->Clip);
}

int TCanvas::ExcludeClipRect(const TRect& R) {
    if (!RequirePainter()) return ERROR;
    FState->Clip = DeviceArea(*FState).subtracted(TCanvasAccess::ToDevice(*this, R));
    TCanvasAccess::ApplyClip(*this);
    return RegionKind(*FState->Clip);
}

int TCanvas::SelectClipRect(const TRect& R) {
    if (!RequirePainter()) return ERROR;
    FState->Clip = QRegion(TCanvasAccess::ToDevice(*this, R));
    TCanvasAccess::ApplyClip(*this);
    return RegionKind(*FState->Clip);
}

void TCanvas::ResetClip() {
    FState->Clip.reset();
    TCanvasAccess::ApplyClip(*this);
}

int TCanvas::SaveDC() {
    FState->Stack.push_back({FState->Clip, FState->Org, FState->Mirrored, FState->MirrorWidth,
                             FBkMode, FBkColor, FTextColor});
    return static_cast<int>(FState->Stack.size());
}

bool TCanvas::RestoreDC(int Saved) {
    auto& Stack = FState->Stack;
    const int Count = static_cast<int>(Stack.size());
    const int Index = Saved < 0 ? Count + Saved : Saved - 1;
    if (Index < 0 || Index >= Count) return false;
    const TState::TSaved S = Stack[static_cast<size_t>(Index)];
    Stack.resize(static_cast<size_t>(Index));
    FState->Clip = S.Clip;
    FState->Org = S.Org;
    FState->Mirrored = S.Mirrored;
    FState->MirrorWidth = S.MirrorWidth;
    FBkMode = S.BkMode;
    FBkColor = S.BkColor;
    FTextColor = S.TextColor;
    if (FState->Painter) FState->Painter->setWorldTransform(TCanvasAccess::Transform(*this));
    TCanvasAccess::ApplyClip(*this);
    return true;
}

TPoint TCanvas::WindowOrg() const {
    return FromQPoint(FState->Org);
}

void TCanvas::SetWindowOrg(const TPoint& Org) {
    FState->Org = ToQPoint(Org);
    if (FState->Painter) FState->Painter->setWorldTransform(TCanvasAccess::Transform(*this));
}

void TCanvas::SetMirrored(bool Mirrored, int Width) {
    FState->Mirrored = Mirrored;
    FState->MirrorWidth = Width;
    if (FState->Painter) FState->Painter->setWorldTransform(TCanvasAccess::Transform(*this));
}
