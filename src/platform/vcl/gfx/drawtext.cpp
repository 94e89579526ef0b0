// Text laid out in a rectangle: lines, word wrapping, ellipses, alignment and
// the '&' prefix rule.

#include <vector>

#include "platform/vcl/gfx/canvasstate.h"
#include "platform/vcl/gfx/qtconvert.h"

namespace {

struct TTextLine {
    QString Text;
    int Underline = -1; // index of the character under which a line is drawn
};

// Removes the prefix marks: "&&" is a literal '&', "&x" underlines x.
TTextLine StripPrefix(const QString& Raw, bool HidePrefix) {
    TTextLine Line;
    for (qsizetype I = 0; I < Raw.size(); ++I) {
        if (Raw[I] == u'&' && I + 1 < Raw.size()) {
            ++I;
            if (Raw[I] != u'&' && !HidePrefix) Line.Underline = static_cast<int>(Line.Text.size());
        } else if (Raw[I] == u'&') {
            continue; // a lone '&' at the end shows nothing
        }
        Line.Text += Raw[I];
    }
    return Line;
}

// Tab stops stand every eight average character widths.
QString ExpandTabs(const QString& S, const QFontMetrics& M) {
    const int Stop = 8 * std::max(1, M.averageCharWidth());
    const int Space = std::max(1, M.horizontalAdvance(u' '));
    QString Out;
    for (QChar C : S) {
        if (C == u'\n' || C == u'\r') {
            Out += C;
            continue;
        }
        if (C != u'\t') {
            Out += C;
            continue;
        }
        const qsizetype LineStart = std::max(Out.lastIndexOf(u'\n'), Out.lastIndexOf(u'\r')) + 1;
        const int X = M.horizontalAdvance(Out.mid(LineStart));
        const int Next = (X / Stop + 1) * Stop;
        Out += QString((Next - X + Space - 1) / Space, u' ');
    }
    return Out;
}

QStringList SplitParagraphs(const QString& S) {
    QString T = S;
    T.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    T.replace(u'\r', u'\n');
    QStringList Lines = T.split(u'\n');
    // A line break at the very end starts no line of its own.
    if (Lines.size() > 1 && Lines.back().isEmpty()) Lines.removeLast();
    return Lines;
}

// The part of Line from Start, Length characters long, keeping its underline.
TTextLine Slice(const TTextLine& Line, qsizetype Start, qsizetype Length) {
    TTextLine Part{Line.Text.mid(Start, Length), -1};
    if (Line.Underline >= Start && Line.Underline < Start + Part.Text.size())
        Part.Underline = static_cast<int>(Line.Underline - Start);
    return Part;
}

// The largest N in [Low, High] for which Fits(N) holds, Fits(Low) being
// taken for granted and Fits falling as N grows.
template <typename TFits> qsizetype LargestFitting(qsizetype Low, qsizetype High, TFits Fits) {
    while (Low < High) {
        const qsizetype Mid = Low + (High - Low + 1) / 2;
        if (Fits(Mid))
            Low = Mid;
        else
            High = Mid - 1;
    }
    return Low;
}

// Greedy wrapping at spaces; a word wider than the line is broken only when
// BreakWords is set (the edit-control rule), else it runs past the edge.
void Wrap(const TTextLine& Line, int Width, bool BreakWords, const QFontMetrics& M,
          std::vector<TTextLine>& Out) {
    const QString& S = Line.Text;
    if (S.isEmpty()) {
        Out.push_back(Line);
        return;
    }
    qsizetype Start = 0;
    while (Start < S.size()) {
        // End: the first character that no longer fits (at least one fits).
        const qsizetype End = LargestFitting(Start + 1, S.size(), [&](qsizetype E) {
            return M.horizontalAdvance(S.mid(Start, E - Start)) <= Width;
        });
        if (End >= S.size()) {
            Out.push_back(Slice(Line, Start, S.size() - Start));
            break;
        }
        const qsizetype LastBreak = S.lastIndexOf(u' ', End - 1);
        qsizetype Cut;
        qsizetype Next;
        if (S[End] == u' ') {
            Cut = End;
            Next = End + 1;
        } else if (LastBreak >= Start) {
            Cut = LastBreak;
            Next = LastBreak + 1;
        } else if (BreakWords) {
            Cut = End;
            Next = End;
        } else {
            // No room to break: the word stays whole up to the next space.
            const qsizetype Space = S.indexOf(u' ', End);
            Cut = Space < 0 ? S.size() : Space;
            Next = Space < 0 ? S.size() : Space + 1;
        }
        qsizetype Trim = Cut;
        while (Trim > Start && S[Trim - 1] == u' ')
            --Trim;
        Out.push_back(Slice(Line, Start, Trim - Start));
        Start = Next;
        while (Start < S.size() && S[Start] == u' ')
            ++Start;
    }
}

const QString Ellipsis = QStringLiteral("...");

// Shortens the end of Line until it fits, adding "...".
void EndEllipsis(TTextLine& Line, int Width, const QFontMetrics& M) {
    if (M.horizontalAdvance(Line.Text) <= Width) return;
    const QString& S = Line.Text;
    const qsizetype Keep = LargestFitting(0, S.size() - 1, [&](qsizetype N) {
        return M.horizontalAdvance(S.left(N) + Ellipsis) <= Width;
    });
    if (Line.Underline >= Keep) Line.Underline = -1;
    Line.Text = S.left(Keep) + Ellipsis;
}

// Keeps the last part of a path and shortens what comes before it.
void PathEllipsis(TTextLine& Line, int Width, const QFontMetrics& M) {
    if (M.horizontalAdvance(Line.Text) <= Width) return;
    const QString& S = Line.Text;
    const qsizetype Sep = std::max(S.lastIndexOf(u'\\'), S.lastIndexOf(u'/'));
    if (Sep < 0) {
        EndEllipsis(Line, Width, M);
        return;
    }
    const QString Tail = S.mid(Sep);
    const qsizetype Keep = LargestFitting(0, Sep, [&](qsizetype N) {
        return M.horizontalAdvance(S.left(N) + Ellipsis + Tail) <= Width;
    });
    if (Line.Underline >= Keep) Line.Underline = -1;
    Line.Text = S.left(Keep) + Ellipsis + Tail;
    if (Keep == 0) EndEllipsis(Line, Width, M);
}

} // namespace

int DrawText(TCanvas& Canvas, const std::string& Text, TRect& R, unsigned Flags) {
    const QFontMetrics& M = TCanvasAccess::Metrics(Canvas);
    const bool Single = (Flags & DT_SINGLELINE) != 0;
    const int Width = R.Width();

    QString Source = ToQString(Text, *Canvas.Font());
    if (Flags & DT_EXPANDTABS) Source = ExpandTabs(Source, M);
    QStringList Paragraphs;
    if (Single) {
        Source.remove(u'\r');
        Source.remove(u'\n');
        Paragraphs << Source;
    } else {
        Paragraphs = SplitParagraphs(Source);
    }

    std::vector<TTextLine> Lines;
    for (const QString& P : Paragraphs) {
        const TTextLine Line =
            (Flags & DT_NOPREFIX) ? TTextLine{P, -1} : StripPrefix(P, Flags & DT_HIDEPREFIX);
        if ((Flags & DT_WORDBREAK) && !Single)
            Wrap(Line, Width, (Flags & DT_EDITCONTROL) != 0, M, Lines);
        else
            Lines.push_back(Line);
    }
    if (!(Flags & DT_CALCRECT)) {
        for (TTextLine& L : Lines) {
            if (Flags & DT_PATH_ELLIPSIS)
                PathEllipsis(L, Width, M);
            else if (Flags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))
                EndEllipsis(L, Width, M);
        }
    }

    int LineHeight = M.ascent() + M.descent();
    if (Flags & DT_EXTERNALLEADING) LineHeight += std::max(0, M.leading());
    // An edit control shows no partly visible last line.
    if ((Flags & DT_EDITCONTROL) && !Single && !(Flags & DT_CALCRECT)) {
        const size_t Fit = static_cast<size_t>(std::max(0, R.Height() / std::max(1, LineHeight)));
        if (Lines.size() > Fit) Lines.resize(std::max<size_t>(Fit, 1));
    }
    const int Total = LineHeight * static_cast<int>(Lines.size());

    if (Flags & DT_CALCRECT) {
        int Widest = 0;
        for (const TTextLine& L : Lines)
            Widest = std::max(Widest, M.horizontalAdvance(L.Text));
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
        const TTextLine* Line;
    };
    std::vector<TPlaced> Placed;
    bool Inside = Y >= R.Top && Y + Total <= R.Bottom;
    int LineY = Y;
    for (const TTextLine& L : Lines) {
        const int W = M.horizontalAdvance(L.Text);
        int X = R.Left;
        if (Flags & DT_CENTER)
            X = (R.Left + R.Right - W) / 2;
        else if (Flags & DT_RIGHT)
            X = R.Right - W;
        Inside = Inside && X >= R.Left && X + W <= R.Right;
        Placed.push_back({X, LineY, &L});
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
        TCanvasAccess::PaintText(Canvas, L.X, L.Y, L.Line->Text, L.Line->Underline);
    if (Clip) P.restore();
    if (Single && (Flags & (DT_VCENTER | DT_BOTTOM))) return Y + LineHeight - R.Top;
    return Total;
}
