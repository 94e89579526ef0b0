// DrawText: the lines of a text placed in a rectangle by the alignment flags,
// clipped when they do not stay inside.

#include <vector>

#include "platform/vcl/gfx/canvasstate.h"
#include "platform/vcl/gfx/qtconvert.h"
#include "platform/vcl/gfx/textlines.h"

namespace {

int DrawQText(TCanvas& Canvas, const QString& Text, TRect& R, unsigned Flags) {
    const TQtFont& F = TCanvasAccess::QtFont(Canvas);
    const bool Single = (Flags & DT_SINGLELINE) != 0;
    std::vector<TTextLine> Lines = TextLines(F, Text, R.Width(), Flags);

    int LineHeight = F.Ascent() + F.Descent();
    if (Flags & DT_EXTERNALLEADING) LineHeight += std::max(0, F.Leading());
    // An edit control shows no partly visible last line.
    if ((Flags & DT_EDITCONTROL) && !Single && !(Flags & DT_CALCRECT)) {
        const size_t Fit = static_cast<size_t>(std::max(0, R.Height() / std::max(1, LineHeight)));
        if (Lines.size() > Fit) Lines.resize(std::max<size_t>(Fit, 1));
    }
    const int Total = LineHeight * static_cast<int>(Lines.size());

    if (Flags & DT_CALCRECT) {
        int Widest = 0;
        for (const TTextLine& L : Lines)
            Widest = std::max(Widest, F.Width(L.Text));
        R.Right = R.Left + Widest;
        R.Bottom = R.Top + Total;
        return Total;
    }

    int Y = R.Top;
    if (Single && (Flags & DT_VCENTER))
        Y = (R.Top + R.Bottom - LineHeight) / 2;
    else if (Single && (Flags & DT_BOTTOM))
        Y = R.Bottom - LineHeight;

    if (!TCanvasAccess::RequirePainter(Canvas)) return Total;
    struct TPlaced {
        int X;
        int Y;
        int Width;
        const TTextLine* Line;
    };
    std::vector<TPlaced> Placed;
    bool Inside = Y >= R.Top && Y + Total <= R.Bottom;
    int LineY = Y;
    for (const TTextLine& L : Lines) {
        const int W = F.Width(L.Text);
        int X = R.Left;
        if (Flags & DT_CENTER)
            X = (R.Left + R.Right - W) / 2;
        else if (Flags & DT_RIGHT)
            X = R.Right - W;
        Inside = Inside && X >= R.Left && X + W <= R.Right;
        Placed.push_back({X, LineY, W, &L});
        LineY += LineHeight;
    }
    // Clipping costs; text that stays inside the rectangle needs none.
    QPainter& P = *TCanvasAccess::State(Canvas).Painter;
    const bool Clip = !(Flags & DT_NOCLIP) && !Inside;
    if (Clip) {
        P.save();
        P.setClipRect(ToQRect(R), P.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    }
    for (const TPlaced& L : Placed)
        TCanvasAccess::PaintText(Canvas, L.X, L.Y, L.Line->Text, L.Line->Underline, L.Width);
    if (Clip) P.restore();
    if (Single && (Flags & (DT_VCENTER | DT_BOTTOM))) return Y + LineHeight - R.Top;
    return Total;
}

} // namespace

int DrawText(TCanvas& Canvas, const std::string& Text, TRect& R, unsigned Flags) {
    return DrawQText(Canvas, TCanvasAccess::QtFont(Canvas).Text(Text, *Canvas.Font()), R, Flags);
}

int DrawTextW(TCanvas& Canvas, const std::u16string& Text, TRect& R, unsigned Flags) {
    return DrawQText(Canvas, QString::fromStdU16String(Text), R, Flags);
}
