// The lines of DrawText, found with sums of character advances, against the
// algorithm that measured every candidate substring with Qt (kept here as the
// reference) on thousands of random texts, widths and flags.

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QStringList>
#include <random>
#include <vector>

#include "platform/rtl/files.h"
#include "platform/vcl/gfx/graphics.h"
#include "platform/vcl/gfx/qtconvert.h"
#include "platform/vcl/gfx/textlines.h"

namespace {

namespace reference {

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

std::vector<TTextLine> Lines(const QFontMetrics& M, QString Source, int Width, unsigned Flags) {
    const bool Single = (Flags & DT_SINGLELINE) != 0;
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
    return Lines;
}

} // namespace reference

// Words of cell texts with the characters that matter to line breaking: spaces
// (also in runs), the prefix mark, path separators, tabs, line breaks, letters
// that may join, and the code page's own characters.
std::string RandomText(std::mt19937& Rng) {
    static const char* const Pieces[] = {"Speler",
                                         "de",
                                         "Vries",
                                         "fiets",
                                         "koffie",
                                         "W-We",
                                         "1-0",
                                         "\xBD-\xBD",
                                         "\x80",
                                         "caf\xE9",
                                         "&Bestand",
                                         "&&",
                                         "C:\\map\\bestand.txt",
                                         "/home/jan/partij.pgn",
                                         "iiiiii",
                                         "WWWWMM",
                                         "Th\xE9",
                                         "st",
                                         "ffi",
                                         "\x95",
                                         "\xAB\xBB",
                                         "\xE4\xF6\xFC",
                                         "x",
                                         "",
                                         "...",
                                         "\xAD",
                                         "a&"};
    static const char* const Gaps[] = {" ", " ", " ", "  ", "   ", "\t", "\r\n", "\r", "\n", ""};
    std::string S;
    const int Words = static_cast<int>(Rng() % 14);
    for (int I = 0; I < Words; ++I) {
        S += Pieces[Rng() % std::size(Pieces)];
        if (I + 1 < Words || Rng() % 4 == 0) S += Gaps[Rng() % std::size(Gaps)];
    }
    return S;
}

unsigned RandomFlags(std::mt19937& Rng) {
    static const unsigned Choices[] = {
        DT_WORDBREAK,  DT_EDITCONTROL, DT_END_ELLIPSIS, DT_PATH_ELLIPSIS, DT_NOPREFIX,
        DT_HIDEPREFIX, DT_SINGLELINE,  DT_EXPANDTABS,   DT_CALCRECT,      DT_WORD_ELLIPSIS};
    unsigned Flags = 0;
    for (const unsigned F : Choices)
        if (Rng() % 3 == 0) Flags |= F;
    return Flags;
}

struct TFontCase {
    const char* Name;
    int Size;
    TFontStyles Style;
};

const TFontCase FontCases[] = {{"Tahoma", 8, {}},
                               {"Tahoma", 10, fsBold},
                               {"MS Sans Serif", 9, fsItalic},
                               {"Courier New", 10, {}},
                               {"Times New Roman", 12, {}},
                               {"Symbol", 10, {}},
                               {"DejaVu Sans", 7, {fsBold, fsItalic}}};

TEST(TextLines, EqualTheLinesOfMeasuringEverySubstring) {
    std::mt19937 Rng(20261207);
    int Compared = 0;
    for (const TFontCase& Case : FontCases) {
        TFont Font;
        Font.SetName(Case.Name);
        Font.SetSize(Case.Size);
        Font.SetStyle(Case.Style);
        const TQtFont Q(Font);
        const QFontMetrics M(ToQFont(Font));
        for (int I = 0; I < 600; ++I) {
            const std::string Text = RandomText(Rng);
            const int Width = static_cast<int>(Rng() % 160) + (Rng() % 8 == 0 ? -5 : 1);
            const unsigned Flags = RandomFlags(Rng);
            const QString Source = ToQString(Text, Font);
            const std::vector<TTextLine> Got = TextLines(Q, Source, Width, Flags);
            const std::vector<TTextLine> Want = reference::Lines(M, Source, Width, Flags);
            const std::string Where = std::string(Case.Name) + " \"" + Text + "\" width " +
                                      std::to_string(Width) + " flags " + std::to_string(Flags);
            ASSERT_EQ(Got.size(), Want.size()) << Where;
            for (size_t L = 0; L < Got.size(); ++L) {
                ASSERT_EQ(Got[L].Text.toStdString(), Want[L].Text.toStdString()) << Where;
                ASSERT_EQ(Got[L].Underline, Want[L].Underline) << Where;
                EXPECT_EQ(Q.Width(Got[L].Text), M.horizontalAdvance(Got[L].Text)) << Where;
            }
            ++Compared;
        }
    }
    EXPECT_EQ(Compared, 600 * static_cast<int>(std::size(FontCases)));
}

// The sums serve the usual faces; were they refused everywhere the comparison
// above would prove nothing about them.
TEST(TextLines, SumsServeThePlainFaces) {
    const QString Plain = QStringLiteral("Speler nummer 12, caf\u00e9 \u00bd \u20ac");
    for (const char* Name : {"Tahoma", "Courier New"}) {
        TFont Font;
        Font.SetName(Name);
        const TQtFont Q(Font);
        std::vector<int> Prefix;
        ASSERT_TRUE(Q.Prefixes(Plain, Prefix)) << Name;
        EXPECT_EQ(Prefix.back(), QFontMetrics(ToQFont(Font)).horizontalAdvance(Plain)) << Name;
        // A tab's advance depends on where it stands: no sums for it.
        EXPECT_FALSE(Q.Prefixes(QStringLiteral("a\tb"), Prefix)) << Name;
    }
}

} // namespace

TEST(QtText, AnEscapedFileNameShowsAsOnDisk) {
    const std::string Disk = "\xC5\x81\xC3\xB3"
                             "d\xC5\xBA.txt"; // "Łódź.txt" in UTF-8
    const std::string Program = ProgramName(Disk);
    ASSERT_NE(Program.find(NameEscape), std::string::npos);
    EXPECT_EQ(ToQString(Program), QString::fromUtf8("\xC5\x81\xC3\xB3"
                                                    "d\xC5\xBA.txt"));
    // Text of the code page itself is untouched, "½" included.
    EXPECT_EQ(ToQString("caf\xE9 \xBD"), QString::fromUtf8("caf\xC3\xA9 \xC2\xBD"));
}
