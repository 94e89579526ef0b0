// Text laid out in lines: paragraphs, word wrapping, ellipses, tabs and the
// '&' prefix rule.

#include "platform/vcl/gfx/textlines.h"

#include <QStringList>
#include <algorithm>

#include "platform/vcl/gfx/graphics.h"

namespace {

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
QString ExpandTabs(const QString& S, const TQtFont& F) {
    if (!S.contains(u'\t')) return S;
    const QFontMetrics& M = F.Metrics();
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
        const int X = F.Width(QStringView(Out).mid(LineStart));
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

// Widths of parts of one line: differences of the sums of its characters'
// advances where those add up, else measured by Qt each time.
class TLineWidths {
public:
    TLineWidths(const TQtFont& F, const QString& S) : F(F), S(S), Summed(F.Prefixes(S, Prefix)) {}

    // Width of the characters From .. To - 1.
    int Part(qsizetype From, qsizetype To) const {
        return Summed ? Prefix[Index(To)] - Prefix[Index(From)]
                      : F.Metrics().horizontalAdvance(S.mid(From, To - From));
    }
    // Width of the first N characters followed by Suffix.
    int LeftWith(qsizetype N, const QString& Suffix) const {
        if (!Summed) return F.Metrics().horizontalAdvance(S.left(N) + Suffix);
        if (SuffixText != Suffix || SuffixWidth < 0) {
            SuffixText = Suffix;
            SuffixWidth = F.Width(Suffix);
        }
        return Prefix[Index(N)] + SuffixWidth;
    }

private:
    static size_t Index(qsizetype I) { return static_cast<size_t>(I); }

    const TQtFont& F;
    const QString& S;
    std::vector<int> Prefix;
    bool Summed;
    mutable QString SuffixText;
    mutable int SuffixWidth = -1;
};

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
void Wrap(const TTextLine& Line, int Width, bool BreakWords, const TQtFont& F,
          std::vector<TTextLine>& Out) {
    const QString& S = Line.Text;
    if (S.isEmpty()) {
        Out.push_back(Line);
        return;
    }
    const TLineWidths W(F, S);
    qsizetype Start = 0;
    while (Start < S.size()) {
        // End: the first character that no longer fits (at least one fits).
        const qsizetype End = LargestFitting(
            Start + 1, S.size(), [&](qsizetype E) { return W.Part(Start, E) <= Width; });
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
void EndEllipsis(TTextLine& Line, int Width, const TQtFont& F) {
    const QString& S = Line.Text;
    const TLineWidths W(F, S);
    if (W.Part(0, S.size()) <= Width) return;
    const qsizetype Keep = LargestFitting(
        0, S.size() - 1, [&](qsizetype N) { return W.LeftWith(N, Ellipsis) <= Width; });
    if (Line.Underline >= Keep) Line.Underline = -1;
    Line.Text = S.left(Keep) + Ellipsis;
}

// Keeps the last part of a path and shortens what comes before it.
void PathEllipsis(TTextLine& Line, int Width, const TQtFont& F) {
    const QString& S = Line.Text;
    const TLineWidths W(F, S);
    if (W.Part(0, S.size()) <= Width) return;
    const qsizetype Sep = std::max(S.lastIndexOf(u'\\'), S.lastIndexOf(u'/'));
    if (Sep < 0) {
        EndEllipsis(Line, Width, F);
        return;
    }
    const QString Tail = S.mid(Sep);
    const QString Suffix = Ellipsis + Tail;
    const qsizetype Keep =
        LargestFitting(0, Sep, [&](qsizetype N) { return W.LeftWith(N, Suffix) <= Width; });
    if (Line.Underline >= Keep) Line.Underline = -1;
    Line.Text = S.left(Keep) + Suffix;
    if (Keep == 0) EndEllipsis(Line, Width, F);
}

} // namespace

std::vector<TTextLine> TextLines(const TQtFont& Font, QString Source, int Width, unsigned Flags) {
    const bool Single = (Flags & DT_SINGLELINE) != 0;
    if (Flags & DT_EXPANDTABS) Source = ExpandTabs(Source, Font);
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
            Wrap(Line, Width, (Flags & DT_EDITCONTROL) != 0, Font, Lines);
        else
            Lines.push_back(Line);
    }
    if (!(Flags & DT_CALCRECT)) {
        for (TTextLine& L : Lines) {
            if (Flags & DT_PATH_ELLIPSIS)
                PathEllipsis(L, Width, Font);
            else if (Flags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))
                EndEllipsis(L, Width, Font);
        }
    }
    return Lines;
}
