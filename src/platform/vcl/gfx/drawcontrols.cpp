#include "platform/vcl/gfx/drawcontrols.h"

#include <algorithm>

#include "platform/vcl/gfx/canvasstate.h"
#include "platform/vcl/gfx/qtconvert.h"

namespace {

// Paints straight on the device, leaving the canvas's pen, brush and
// background alone (the platform's edge and frame calls do not change them).
class TPainterScope {
public:
    explicit TPainterScope(TCanvas& C) : FPainter(*TCanvasAccess::State(C).Painter) {
        FPainter.save();
        FPainter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        FPainter.setBackgroundMode(Qt::TransparentMode);
    }
    ~TPainterScope() { FPainter.restore(); }
    TPainterScope(const TPainterScope&) = delete;
    TPainterScope& operator=(const TPainterScope&) = delete;

    void Fill(int X, int Y, int W, int H, TColor Color) {
        if (W > 0 && H > 0) FPainter.fillRect(QRect(X, Y, W, H), ToQColor(Color));
    }
    void Fill(const TRect& R, TColor Color) { Fill(R.Left, R.Top, R.Width(), R.Height(), Color); }
    QPainter& Painter() { return FPainter; }

private:
    QPainter& FPainter;
};

// One ring of an edge on the chosen sides; the rectangle shrinks on them.
void EdgeRing(TPainterScope& S, TRect& R, TColor TopLeft, TColor BottomRight, unsigned Sides) {
    const int W = R.Width();
    const int H = R.Height();
    if (Sides & BF_LEFT) S.Fill(R.Left, R.Top, 1, H - ((Sides & BF_BOTTOM) ? 1 : 0), TopLeft);
    if (Sides & BF_TOP) S.Fill(R.Left, R.Top, W - ((Sides & BF_RIGHT) ? 1 : 0), 1, TopLeft);
    if (Sides & BF_RIGHT) S.Fill(R.Right - 1, R.Top, 1, H, BottomRight);
    if (Sides & BF_BOTTOM) S.Fill(R.Left, R.Bottom - 1, W, 1, BottomRight);
    if (Sides & BF_LEFT) ++R.Left;
    if (Sides & BF_TOP) ++R.Top;
    if (Sides & BF_RIGHT) --R.Right;
    if (Sides & BF_BOTTOM) --R.Bottom;
}

struct TEdgeColors {
    TColor TopLeft;
    TColor BottomRight;
};

TEdgeColors OuterColors(unsigned Edge, unsigned Flags) {
    const bool Soft = (Flags & BF_SOFT) != 0;
    if (Flags & BF_MONO) return {clWindowFrame, clWindowFrame};
    if (Flags & BF_FLAT) return {clBtnShadow, clBtnShadow};
    if (Edge & BDR_RAISEDOUTER) return {Soft ? clBtnHighlight : cl3DLight, cl3DDkShadow};
    return {Soft ? cl3DDkShadow : clBtnShadow, clBtnHighlight};
}

TEdgeColors InnerColors(unsigned Edge, unsigned Flags) {
    const bool Soft = (Flags & BF_SOFT) != 0;
    if (Flags & BF_MONO) return {clWindow, clWindow};
    if (Flags & BF_FLAT) return {clBtnFace, clBtnFace};
    if (Edge & BDR_RAISEDINNER) return {Soft ? cl3DLight : clBtnHighlight, clBtnShadow};
    return {Soft ? clBtnShadow : cl3DDkShadow, cl3DLight};
}

TRect CenteredSquare(const TRect& R) {
    const int S = std::min(R.Width(), R.Height());
    const int L = R.Left + (R.Width() - S) / 2;
    const int T = R.Top + (R.Height() - S) / 2;
    return {L, T, L + S, T + S};
}

// The classic tick: seven columns, each three pixels high, scaled by K.
void Tick(TPainterScope& S, const TRect& Inside, TColor Color) {
    const int K = std::max(1, Inside.Width() / 9);
    const int W = 7 * K;
    const int H = 7 * K;
    const int X0 = Inside.Left + (Inside.Width() - W) / 2;
    const int Y0 = Inside.Top + (Inside.Height() - H) / 2;
    static const int Offsets[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int C = 0; C < 7; ++C)
        S.Fill(X0 + C * K, Y0 + Offsets[C] * K, K, 3 * K, Color);
}

void CheckBox(TPainterScope& S, const TRect& Box, unsigned State) {
    TRect R = Box;
    if (State & (DFCS_FLAT | DFCS_MONO)) {
        EdgeRing(S, R, clBtnShadow, clBtnShadow, BF_RECT);
    } else {
        EdgeRing(S, R, clBtnShadow, clBtnHighlight, BF_RECT);
        EdgeRing(S, R, cl3DDkShadow, cl3DLight, BF_RECT);
    }
    const bool Grey = (State & (DFCS_INACTIVE | DFCS_PUSHED)) ||
                      ((State & DFCS_BUTTON3STATE) && (State & DFCS_CHECKED));
    S.Fill(R, Grey ? clBtnFace : clWindow);
    if (State & DFCS_CHECKED) Tick(S, R, (State & DFCS_INACTIVE) ? clGrayText : clWindowText);
}

void RadioButton(TPainterScope& S, const TRect& Box, unsigned State) {
    QPainter& P = S.Painter();
    const int D = Box.Width();
    const QRect Outer(Box.Left, Box.Top, D - 1, D - 1);
    const bool Grey = (State & (DFCS_INACTIVE | DFCS_PUSHED)) != 0;
    P.setPen(Qt::NoPen);
    P.setBrush(ToQColor(Grey ? clBtnFace : clWindow));
    P.drawEllipse(Outer);
    P.setBrush(Qt::NoBrush);
    const auto Ring = [&](const QRect& Rc, TColor TopLeft, TColor BottomRight) {
        P.setPen(QPen(ToQColor(TopLeft), 1));
        P.drawArc(Rc, 45 * 16, 180 * 16);
        P.setPen(QPen(ToQColor(BottomRight), 1));
        P.drawArc(Rc, 225 * 16, 180 * 16);
    };
    if (State & (DFCS_FLAT | DFCS_MONO)) {
        Ring(Outer, clBtnShadow, clBtnShadow);
    } else {
        Ring(Outer, clBtnShadow, clBtnHighlight);
        if (D > 4) Ring(Outer.adjusted(1, 1, -1, -1), cl3DDkShadow, cl3DLight);
    }
    if (State & DFCS_CHECKED) {
        const int Dot = std::max(2, D / 3);
        const int Off = (D - Dot) / 2;
        P.setPen(Qt::NoPen);
        P.setBrush(ToQColor((State & DFCS_INACTIVE) ? clGrayText : clWindowText));
        P.drawEllipse(QRect(Box.Left + Off, Box.Top + Off, Dot, Dot));
    }
}

// The face of a push button or scroll button; answers the inside.
TRect ButtonFace(TCanvas& C, TPainterScope& S, const TRect& R, unsigned State) {
    TRect Inside = R;
    if (State & DFCS_MONO) {
        EdgeRing(S, Inside, clWindowFrame, clWindowFrame, BF_RECT);
    } else if (State & DFCS_FLAT) {
        EdgeRing(S, Inside, clBtnShadow, clBtnShadow, BF_RECT);
    } else if (State & (DFCS_PUSHED | DFCS_CHECKED)) {
        EdgeRing(S, Inside, clWindowFrame, clWindowFrame, BF_RECT);
        EdgeRing(S, Inside, clBtnShadow, clBtnShadow, BF_RECT);
    } else {
        DrawEdge(C, Inside, EDGE_RAISED, BF_RECT | BF_SOFT | BF_ADJUST);
    }
    if (!(State & DFCS_TRANSPARENT)) S.Fill(Inside, clBtnFace);
    return Inside;
}

enum class TDirection { Up, Down, Left, Right };

// A filled triangle of rows (or columns), its point towards Direction.
void Arrow(TPainterScope& S, const TRect& Area, TDirection Dir, TColor Color) {
    const int Side = std::min(Area.Width(), Area.Height());
    const int H = std::max(2, (Side + 4) / 4);
    const int Base = 2 * H - 1;
    const bool Vertical = Dir == TDirection::Up || Dir == TDirection::Down;
    const int CX = Area.Left + (Area.Width() - (Vertical ? Base : H)) / 2;
    const int CY = Area.Top + (Area.Height() - (Vertical ? H : Base)) / 2;
    for (int I = 0; I < H; ++I) {
        const int Len = Base - 2 * I; // from the base to the point
        switch (Dir) {
        case TDirection::Down:
            S.Fill(CX + I, CY + I, Len, 1, Color);
            break;
        case TDirection::Up:
            S.Fill(CX + I, CY + H - 1 - I, Len, 1, Color);
            break;
        case TDirection::Right:
            S.Fill(CX + I, CY + I, 1, Len, Color);
            break;
        case TDirection::Left:
            S.Fill(CX + H - 1 - I, CY + I, 1, Len, Color);
            break;
        }
    }
}

// Draws a glyph in the button text colour, or engraved when inactive; a
// pushed button's glyph moves one pixel down and right.
template <typename TDrawGlyph>
void ButtonGlyph(const TRect& Area, unsigned State, TDrawGlyph DrawGlyph) {
    TRect A = Area;
    if (State & DFCS_PUSHED) OffsetRect(A, 1, 1);
    if (State & DFCS_INACTIVE) {
        TRect Shade = A;
        OffsetRect(Shade, 1, 1);
        DrawGlyph(Shade, clBtnHighlight);
        DrawGlyph(A, clBtnShadow);
    } else {
        DrawGlyph(A, clBtnText);
    }
}

void SizeGrip(TPainterScope& S, const TRect& R) {
    QPainter& P = S.Painter();
    S.Fill(R, clBtnFace);
    const int N = std::min(R.Width(), R.Height());
    for (int D = 2; D < N; D += 4) {
        P.setPen(QPen(ToQColor(clBtnHighlight), 1));
        P.drawLine(R.Right - D - 1, R.Bottom - 1, R.Right - 1, R.Bottom - D - 1);
        P.setPen(QPen(ToQColor(clBtnShadow), 1));
        P.drawLine(R.Right - D, R.Bottom - 1, R.Right - 1, R.Bottom - D);
        if (D + 1 < N) P.drawLine(R.Right - D + 1, R.Bottom - 1, R.Right - 1, R.Bottom - D + 1);
    }
}

void CaptionGlyph(TPainterScope& S, const TRect& Inside, unsigned Kind, TColor Color) {
    QPainter& P = S.Painter();
    const int N = std::max(4, std::min(Inside.Width(), Inside.Height()) - 4);
    const int X = Inside.Left + (Inside.Width() - N) / 2;
    const int Y = Inside.Top + (Inside.Height() - N) / 2;
    const QColor Q = ToQColor(Color);
    switch (Kind & 0xFF) {
    case DFCS_CAPTIONCLOSE:
        P.setPen(QPen(Q, 1));
        for (int D = 0; D < 2; ++D) {
            P.drawLine(X + D, Y, X + N - 2 + D, Y + N - 2);
            P.drawLine(X + D, Y + N - 2, X + N - 2 + D, Y);
        }
        break;
    case DFCS_CAPTIONMIN:
        S.Fill(X, Y + N - 2, N - 2, 2, Color);
        break;
    case DFCS_CAPTIONMAX:
        S.Fill(X, Y, N, 2, Color);
        P.setPen(QPen(Q, 1));
        P.setBrush(Qt::NoBrush);
        P.drawRect(QRect(X, Y, N - 1, N - 1));
        break;
    case DFCS_CAPTIONRESTORE: {
        const int M = N * 2 / 3;
        P.setPen(QPen(Q, 1));
        P.setBrush(Qt::NoBrush);
        S.Fill(X + N - M, Y, M, 2, Color);
        P.drawRect(QRect(X + N - M, Y, M - 1, M - 1));
        S.Fill(X, Y + N - M, M, 2, Color);
        S.Fill(X + 1, Y + N - M + 2, M - 2, M - 3, clBtnFace);
        P.drawRect(QRect(X, Y + N - M, M - 1, M - 1));
        break;
    }
    default: {
        QFont F(QStringLiteral("DejaVu Sans"));
        F.setPixelSize(N);
        F.setBold(true);
        F.setStyleStrategy(QFont::NoAntialias);
        P.setFont(F);
        P.setPen(Q);
        P.drawText(ToQRect(Inside), Qt::AlignCenter, QStringLiteral("?"));
    }
    }
}

void MenuGlyph(TPainterScope& S, const TRect& R, unsigned Kind, TColor Color) {
    switch (Kind & 0xFF) {
    case DFCS_MENUCHECK:
        Tick(S, R, Color);
        break;
    case DFCS_MENUBULLET: {
        QPainter& P = S.Painter();
        const int D = std::max(2, std::min(R.Width(), R.Height()) / 3);
        P.setPen(Qt::NoPen);
        P.setBrush(ToQColor(Color));
        P.drawEllipse(QRect(R.Left + (R.Width() - D) / 2, R.Top + (R.Height() - D) / 2, D, D));
        break;
    }
    default:
        Arrow(S, R, TDirection::Right, Color);
    }
}

} // namespace

bool DrawEdge(TCanvas& Canvas, TRect& R, unsigned Edge, unsigned Flags) {
    if (!TCanvasAccess::RequirePainter(Canvas)) return false;
    TPainterScope S(Canvas);
    TRect Inside = R;
    const unsigned Sides = Flags & BF_RECT;
    if (Edge & BDR_OUTER) {
        const TEdgeColors C = OuterColors(Edge, Flags);
        EdgeRing(S, Inside, C.TopLeft, C.BottomRight, Sides);
    }
    if (Edge & BDR_INNER) {
        const TEdgeColors C = InnerColors(Edge, Flags);
        EdgeRing(S, Inside, C.TopLeft, C.BottomRight, Sides);
    }
    if (Flags & BF_MIDDLE) S.Fill(Inside, (Flags & BF_MONO) ? clWindow : clBtnFace);
    if (Flags & BF_ADJUST) R = Inside;
    return true;
}

bool DrawFrameControl(TCanvas& Canvas, const TRect& R, unsigned Type, unsigned State) {
    if (IsRectEmpty(R) || !TCanvasAccess::RequirePainter(Canvas)) return false;
    TPainterScope S(Canvas);
    const unsigned Kind = State & 0xFF;
    switch (Type) {
    case DFC_BUTTON:
        if (Kind & DFCS_BUTTONPUSH)
            ButtonFace(Canvas, S, R, State);
        else if (Kind & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK))
            RadioButton(S, CenteredSquare(R), State);
        else
            CheckBox(S, CenteredSquare(R), State);
        return true;
    case DFC_SCROLL: {
        if (Kind == DFCS_SCROLLSIZEGRIP) {
            SizeGrip(S, R);
            return true;
        }
        const TRect Inside = ButtonFace(Canvas, S, R, State);
        TDirection Dir = TDirection::Down;
        if (Kind == DFCS_SCROLLUP)
            Dir = TDirection::Up;
        else if (Kind == DFCS_SCROLLLEFT)
            Dir = TDirection::Left;
        else if (Kind == DFCS_SCROLLRIGHT)
            Dir = TDirection::Right;
        ButtonGlyph(Inside, State, [&](const TRect& A, TColor Color) { Arrow(S, A, Dir, Color); });
        return true;
    }
    case DFC_CAPTION: {
        const TRect Inside = ButtonFace(Canvas, S, R, State);
        ButtonGlyph(Inside, State,
                    [&](const TRect& A, TColor Color) { CaptionGlyph(S, A, Kind, Color); });
        return true;
    }
    case DFC_MENU:
        MenuGlyph(S, R, Kind, clMenuText);
        return true;
    default:
        return false;
    }
}

void DrawFocusRect(TCanvas& Canvas, const TRect& R) {
    Canvas.DrawFocusRect(R);
}
