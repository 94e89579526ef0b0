#include "platform/vcl/gfx/canvasstate.h"
#include "platform/vcl/gfx/qtconvert.h"

void TCanvasAccess::PaintText(const TCanvas& C, int X, int Y, const QString& Text, int Underline,
                              int Width) {
    QPainter& P = *State(C).Painter;
    const TQtFont& F = QtFont(C);
    const QFontMetrics& M = F.Metrics();
    if (Width < 0) Width = F.Width(Text);
    const int Height = F.Ascent() + F.Descent();
    P.save();
    P.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (State(C).Mirrored) {
        // Right to left: the text's box is mirrored, its glyphs stay upright.
        const QRect Box = ToDevice(C, Rect(X, Y, X + Width, Y + Height));
        P.resetTransform();
        P.translate(Box.left(), Box.top());
    } else {
        P.translate(X, Y);
    }
    if (const int Angle = C.Font()->Orientation(); Angle % 3600 != 0) P.rotate(-Angle / 10.0);
    if (BkMode(C) == OPAQUE) P.fillRect(QRect(0, 0, Width, Height), ToQColor(BkColor(C)));
    const QColor Color = ToQColor(TextColor(C));
    P.setFont(Font(C));
    P.setPen(Color);
    P.setBackgroundMode(Qt::TransparentMode);
    P.drawText(0, F.Ascent(), Text);
    if (Underline >= 0 && Underline < Text.size()) {
        const int UX = F.Width(QStringView(Text).left(Underline));
        const int UW = M.horizontalAdvance(Text.at(Underline));
        const int UY = F.Ascent() + std::max(1, M.underlinePos());
        P.fillRect(QRect(UX, std::min(UY, Height - 1), UW, std::max(1, M.lineWidth())), Color);
    }
    P.restore();
}

TTextMetric GetTextMetrics(const TFont& Font) {
    const QFont F = ToQFont(Font);
    const QFontMetrics M(F);
    TTextMetric T;
    T.tmAscent = M.ascent();
    T.tmDescent = M.descent();
    T.tmHeight = T.tmAscent + T.tmDescent;
    T.tmInternalLeading = std::max(0, T.tmHeight - F.pixelSize());
    T.tmExternalLeading = std::max(0, M.leading());
    T.tmAveCharWidth = M.averageCharWidth();
    T.tmMaxCharWidth = M.maxWidth();
    return T;
}

TSize TCanvas::TextExtent(const std::string& Text) const {
    const TQtFont& F = TCanvasAccess::QtFont(*this);
    return {F.Width(F.Text(Text, *FFont)), F.Ascent() + F.Descent()};
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
    const TQtFont& F = TCanvasAccess::QtFont(*this);
    const QString S = F.Text(Text, *FFont);
    const int Width = F.Width(S);
    if (RequirePainter()) TCanvasAccess::PaintText(*this, X, Y, S, -1, Width);
    FPenPos = {X + Width, Y};
}

namespace {

// ExtTextOut of a text already in Qt's form.
void ExtTextOutQ(TCanvas& C, int X, int Y, unsigned Options, const TRect* R, const QString& Text) {
    if (!TCanvasAccess::RequirePainter(C)) return;
    QPainter& P = *TCanvasAccess::State(C).Painter;
    if (R && (Options & ETO_OPAQUE) && !IsRectEmpty(*R)) {
        P.setCompositionMode(QPainter::CompositionMode_Source);
        P.fillRect(ToQRect(*R), ToQColor(TCanvasAccess::BkColor(C)));
    }
    if (R && (Options & ETO_CLIPPED)) {
        P.save();
        P.setClipRect(ToQRect(*R),
                      TCanvasAccess::State(C).Clip ? Qt::IntersectClip : Qt::ReplaceClip);
    }
    TCanvasAccess::PaintText(C, X, Y, Text, -1);
    if (R && (Options & ETO_CLIPPED)) P.restore();
}

} // namespace

void TCanvas::ExtTextOut(int X, int Y, unsigned Options, const TRect* R, const std::string& Text) {
    ExtTextOutQ(*this, X, Y, Options, R, ToQString(Text, *FFont));
}

void TCanvas::ExtTextOutW(int X, int Y, unsigned Options, const TRect* R,
                          const std::u16string& Text) {
    ExtTextOutQ(*this, X, Y, Options, R, QString::fromStdU16String(Text));
}

TSize TCanvas::TextExtentW(const std::u16string& Text) const {
    const TQtFont& F = TCanvasAccess::QtFont(*this);
    return {F.Width(QString::fromStdU16String(Text)), F.Ascent() + F.Descent()};
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const std::string& Text) {
    unsigned Options = ETO_CLIPPED;
    if (FBrush->Style() != bsClear) Options |= ETO_OPAQUE;
    ExtTextOut(X, Y, Options, &R, Text);
}
