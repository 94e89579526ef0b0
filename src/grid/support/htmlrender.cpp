#include "grid/support/htmlrender.h"

#include <algorithm>

#include "grid/support/gridcolors.h"
#include "grid/support/htmllayout.h"
#include "platform/rtl/sysutils.h"

namespace {

constexpr TColor ErrorColor = 0x0000FF; // red
constexpr TColor FrameColor = 0x808080; // grey frame of edit and combo controls

TRect PieceRect(const THTMLLine& Line, const THTMLPiece& Piece) {
    const int x = Line.Left + Piece.X;
    return {x, Line.Bottom() - Piece.Height, x + Piece.Width, Line.Bottom()};
}

// Inclusive at the bottom: the hit test of the text reaches the text's base.
bool PointOnText(const THTMLLine& Line, const THTMLPiece& Piece, int X, int Y) {
    const int x = Line.Left + Piece.X;
    return X >= x && X < x + Piece.Width && Y >= Line.Bottom() - Line.GhHeight &&
           Y <= Line.Bottom();
}

class TPainter {
public:
    TPainter(THTMLSurface& S, const TRect& R, const THTMLRenderParams& P, int HotControl)
        : S(S), R(R), P(P), HotControl(HotControl) {}

    void Line(const THTMLLine& L, int& ControlIndex);

private:
    void Text(const THTMLLine& L, const THTMLPiece& Piece);
    void Control(const THTMLLine& L, const THTMLPiece& Piece, bool Hot);

    THTMLSurface& S;
    TRect R;
    const THTMLRenderParams& P;
    int HotControl;
};

void TPainter::Text(const THTMLLine& L, const THTMLPiece& Piece) {
    int bottom = L.Bottom() - L.TextRaise;
    if (Piece.Sub) bottom += Piece.Height / 4;
    if (Piece.Sup) bottom -= Piece.Height / 4;
    const int x = L.Left + Piece.X;
    // Without word wrap a line too long for the rectangle ends in an ellipsis.
    const int right = P.WordWrap ? x + Piece.Width : R.Right;
    const bool ellipsis = !P.WordWrap;
    if (Piece.Shadow) {
        THTMLFont shadow = Piece.Font;
        shadow.Color = P.ShadowColor;
        const int o = P.ShadowOffset;
        S.DrawText(shadow, {x + o, bottom - Piece.Height + o, right + o, bottom + o}, Piece.Text,
                   clNone, ellipsis);
    }
    S.DrawText(Piece.Font, {x, bottom - Piece.Height, right, bottom}, Piece.Text, Piece.Brush,
               ellipsis);
    if (Piece.Error) S.Polyline(WavyUnderlinePoints(x, x + Piece.Width, bottom), ErrorColor, 1);
}

void TPainter::Control(const THTMLLine& L, const THTMLPiece& Piece, bool Hot) {
    const int x = L.Left + Piece.X;
    const int b = L.Bottom();
    const int t = b - L.Height;
    const int w = Piece.Width;
    const bool pressed = Hot && P.ButtonDown;
    switch (Piece.Control) {
    case THTMLControlKind::Edit:
        S.FrameRect({x, t + 3, x + w, b + 1}, FrameColor);
        S.DrawText(Piece.Font, {x + 2, t + 4, x + w, b}, Piece.Text, clNone, true);
        break;
    case THTMLControlKind::Combo:
        S.FrameRect({x, t + 3, x + w, b + 1}, FrameColor);
        S.DrawText(Piece.Font, {x + 2, t + 6, x + w - 17, b}, Piece.Text, clNone, true);
        S.DrawControlPart(THTMLControlPart::ComboButton, {x + w - 19, t + 6, x + w - 3, b - 2},
                          false, Hot, false);
        break;
    case THTMLControlKind::Check:
    case THTMLControlKind::Radio: {
        const bool checked = UpperCase(Piece.Text) == "TRUE";
        S.DrawControlPart(Piece.Control == THTMLControlKind::Check ? THTMLControlPart::CheckBox
                                                                   : THTMLControlPart::RadioButton,
                          {x, b - HTMLCheckSize, x + HTMLCheckSize, b}, checked, Hot, pressed);
        break;
    }
    case THTMLControlKind::Button: {
        const TRect r{x, b - Piece.Height, x + w, b};
        S.DrawControlPart(THTMLControlPart::PushButton, r, false, Hot, pressed);
        const TSize ext = S.TextExtent(Piece.Font, Piece.Text);
        const int tx = x + std::max(2, (w - ext.cx) / 2);
        const int ty = r.Top + std::max(2, (r.Height() - ext.cy) / 2) + ext.cy;
        S.DrawText(Piece.Font, {tx, ty - ext.cy, x + w - 2, ty}, Piece.Text, clNone, true);
        break;
    }
    case THTMLControlKind::Other:
        break;
    }
}

void TPainter::Line(const THTMLLine& L, int& ControlIndex) {
    if (L.ParaBackground != clNone)
        S.FillRect({R.Left, L.Top, R.Right, L.Top + L.Height + L.SubExtent + L.SupExtent},
                   L.ParaBackground);
    for (const THTMLPiece& piece : L.Pieces) {
        switch (piece.Kind) {
        case THTMLPieceKind::Text:
            Text(L, piece);
            break;
        case THTMLPieceKind::Bullet: {
            const int x = L.Left + piece.X;
            const TSize ext = S.TextExtent(piece.Font, piece.Text);
            S.DrawText(piece.Font, {x, L.Bottom() - ext.cy, x + piece.Width, L.Bottom()},
                       piece.Text, clNone, false);
            break;
        }
        case THTMLPieceKind::Image: {
            const TRect r = PieceRect(L, piece);
            const bool onIt =
                piece.Anchor > 0 && !piece.Alt.empty() && PtInRect(r, {P.PointX, P.PointY});
            S.DrawImage(onIt ? piece.Alt : piece.Source, r);
            break;
        }
        case THTMLPieceKind::Control:
            Control(L, piece, ControlIndex++ == HotControl);
            break;
        }
    }
    if (L.Rule) S.Polyline({{R.Left, L.Bottom() + 1}, {R.Right, L.Bottom() + 1}}, 0, 1);
}

} // namespace

bool RenderHTMLOn(THTMLSurface& Surface, const THTMLFont& StartFont, TColor StartBrush,
                  const std::string& Text, const TRect& Rect, const THTMLRenderParams& Params,
                  THTMLRenderResult& Result) {
    Result = THTMLRenderResult{};
    const THTMLLayout layout = LayoutHTML(Surface, StartFont, StartBrush, Text, Rect, Params);
    Result.PlainText = layout.PlainText;
    Result.AnchorCount = layout.AnchorCount;
    for (const THTMLLine& line : layout.Lines) {
        Result.TextWidth = std::max(Result.TextWidth, line.Width);
        Result.TextHeight += line.Height + line.SubExtent + line.SupExtent;
    }
    if (layout.Lines.empty()) Result.TextHeight = Surface.TextExtent(StartFont, "gh").cy;
    if (Params.FocusAnchor >= 0 && Params.FocusAnchor < layout.AnchorCount)
        Result.FocusAnchorHref = layout.AnchorHrefs[static_cast<size_t>(Params.FocusAnchor)];
    if (Params.MeasureOnly) return false;

    // Hit test: anchors by their text or images, embedded controls by their box.
    bool hit = false;
    int controlIndex = 0, hotControl = -1;
    for (const THTMLLine& line : layout.Lines) {
        for (const THTMLPiece& piece : line.Pieces) {
            if (piece.Kind == THTMLPieceKind::Control) {
                const TRect r = PieceRect(line, piece);
                if (PtInRect(r, {Params.PointX, Params.PointY})) {
                    hotControl = controlIndex;
                    Result.MouseControlRect = r;
                    Result.ControlId = piece.ControlId;
                    Result.ControlValue = piece.Text;
                    Result.ControlType = piece.ControlType;
                    Result.AnchorHref = "ctrl";
                    hit = true;
                }
                ++controlIndex;
                continue;
            }
            if (piece.Anchor == 0) continue;
            const bool on = piece.Kind == THTMLPieceKind::Image
                                ? PtInRect(PieceRect(line, piece), {Params.PointX, Params.PointY})
                                : piece.Kind == THTMLPieceKind::Text &&
                                      PointOnText(line, piece, Params.PointX, Params.PointY);
            if (on) {
                Result.MouseAnchor = piece.Anchor;
                Result.AnchorHref = piece.Href;
                hit = true;
            }
        }
    }
    // The anchor's rectangle is its part on the line where it ends.
    if (Result.MouseAnchor > 0) {
        for (const THTMLLine& line : layout.Lines) {
            TRect r{};
            bool found = false;
            for (const THTMLPiece& piece : line.Pieces) {
                if (piece.Anchor != Result.MouseAnchor || piece.Kind == THTMLPieceKind::Bullet)
                    continue;
                const TRect pr{line.Left + piece.X, line.Bottom() - line.Height,
                               line.Left + piece.X + piece.Width, line.Bottom()};
                r = found ? TRect{std::min(r.Left, pr.Left), pr.Top, std::max(r.Right, pr.Right),
                                  pr.Bottom}
                          : pr;
                found = true;
            }
            if (found) Result.MouseAnchorRect = r;
        }
    }
    if (Params.TestOnly) return hit;

    if (layout.BodyColor != clNone) Surface.FillRect(Rect, layout.BodyColor);
    if (!layout.BodyImage.empty()) Surface.TileImage(layout.BodyImage, Rect);
    TPainter painter(Surface, Rect, Params, hotControl);
    int paintIndex = 0;
    for (const THTMLLine& line : layout.Lines)
        painter.Line(line, paintIndex);
    // The focus rectangle of the focused anchor on each line it spans.
    if (Params.FocusAnchor >= 0 && Params.FocusAnchor < layout.AnchorCount) {
        for (const THTMLLine& line : layout.Lines) {
            int x1 = 0, x2 = 0;
            bool found = false;
            for (const THTMLPiece& piece : line.Pieces) {
                if (piece.Anchor != Params.FocusAnchor + 1 || piece.Kind == THTMLPieceKind::Bullet)
                    continue;
                const int x = line.Left + piece.X;
                x1 = found ? std::min(x1, x) : x;
                x2 = found ? std::max(x2, x + piece.Width) : x + piece.Width;
                found = true;
            }
            if (found)
                Surface.DrawFocusRect(
                    {x1 - 1, line.Bottom() - line.GhHeight, x2 + 1, line.Bottom()});
        }
    }
    return hit;
}
