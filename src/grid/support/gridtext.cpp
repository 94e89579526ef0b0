#include "grid/support/gridtext.h"

#include <array>

#include "platform/rtl/sysutils.h"

int ClampToRange(int Value, int Min, int Max) {
    if (Min == Max) return Value;
    if (Max > 0 && Value > Max) return Max;
    if (Min > 0 && Value < Min) return Min;
    return Value;
}

int Min(int A, int B) {
    return A < B ? A : B;
}
int Max(int A, int B) {
    return A > B ? A : B;
}

bool IsCellInRect(int X, int Y, const TRect& R) {
    return X >= R.Left && X <= R.Right && Y >= R.Top && Y <= R.Bottom;
}

int FindInUpperCase(const std::string& Sub, const std::string& S) {
    return Pos(Sub, AnsiUpperCase(S));
}

int FindCharPos(char C, const std::string& S, int& P) {
    const int r = CharPos(C, S);
    if (r > 0) P = r;
    return r;
}

int CharPos(char C, const std::string& S) {
    const size_t p = S.find(C);
    return p == std::string::npos ? 0 : static_cast<int>(p) + 1;
}

int FindTextPos(const std::string& Sub, const std::string& S, int& P) {
    P = Pos(Sub, S);
    return P;
}

bool ParseRCCellRef(const std::string& Text, int& Col, int& Row) {
    std::string t = UpperCase(Text);
    if (t.size() < 4 || t[0] != 'R') return false;
    t.erase(0, 1);
    const size_t c = t.find('C');
    if (c == std::string::npos) return false;
    int r = 0, k = 0;
    if (!TryStrToInt(t.substr(0, c), r) || !TryStrToInt(t.substr(c + 1), k)) return false;
    Col = k;
    Row = r;
    return true;
}

bool IsURL(const std::string& Text) {
    return Text.find("://") != std::string::npos || Text.find("mailto:") != std::string::npos;
}

void StripURLProtocol(std::string& Text) {
    size_t p = Text.find("://");
    if (p != std::string::npos) {
        Text.erase(0, p + 3);
        return;
    }
    p = Text.find("mailto:");
    if (p != std::string::npos) Text.erase(0, p + 7);
}

std::string ExpandNewLineEscapes(const std::string& Text) {
    std::string out;
    out.reserve(Text.size());
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '\\' && i + 1 < Text.size() && Text[i + 1] == 'n') {
            out += '\r';
            ++i;
        } else {
            out += Text[i];
        }
    }
    return out;
}

void FillWithChar(std::string& Text, char C) {
    Text.assign(Text.size(), C);
}

namespace {

// Code page 437 from 0x80 up in Windows-1252; '?' where it has no counterpart
// (box drawing, Greek, mathematical signs).
constexpr std::array<unsigned char, 128> Oem437ToAnsi = {
    0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7, 0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC, 0xC4, 0xC5,
    0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9, 0xFF, 0xD6, 0xDC, 0xA2, 0xA3, 0xA5, '?',  0x83,
    0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xAA, 0xBA, 0xBF, '?',  0xAC, 0xBD, 0xBC, 0xA1, 0xAB, 0xBB,
    '?',  '?',  '?',  '|',  '+',  '+',  '+',  '+',  '+',  '+',  '|',  '+',  '+',  '+',  '+',  '+',
    '+',  '+',  '+',  '+',  '-',  '+',  '+',  '+',  '+',  '+',  '+',  '+',  '+',  '-',  '+',  '+',
    '+',  '+',  '+',  '+',  '+',  '+',  '+',  '+',  '+',  '+',  '+',  '?',  '?',  '?',  '?',  '?',
    '?',  0xDF, '?',  '?',  '?',  '?',  0xB5, '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',
    '?',  0xB1, '?',  '?',  '?',  '?',  0xF7, '?',  0xB0, 0xB7, 0xB7, '?',  '?',  0xB2, '?',  0xA0,
};

} // namespace

void ConvertOemToAnsi(std::string& Text) {
    for (char& c : Text) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80) c = static_cast<char>(Oem437ToAnsi[b - 0x80]);
    }
}

std::string CollapseDoubledChar(const std::string& Text, char C) {
    if (Text.find(C) == std::string::npos) return Text;
    std::string out;
    out.reserve(Text.size());
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] != C) {
            out += Text[i];
        } else if (i + 1 < Text.size() && Text[i + 1] == C) {
            out += C;
            ++i;
        }
    }
    return out;
}

std::string QuoteMultiLineText(const std::string& Text) {
    std::string out = "\"";
    for (size_t i = 0; i < Text.size(); ++i) {
        const char c = Text[i];
        if (c == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') continue;
        // Inner quotes stay single: the grid's own paste takes off only the
        // outer pair, so a doubled quote would come back doubled.
        out += c;
    }
    out += '"';
    return out;
}

std::string ExpandLineFeeds(const std::string& Text) {
    std::string out;
    out.reserve(Text.size());
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '\n' && (i == 0 || Text[i - 1] != '\r')) out += '\r';
        out += Text[i];
    }
    return out;
}

std::string ExpandTildes(const std::string& Text) {
    std::string out;
    out.reserve(Text.size());
    for (const char c : Text) {
        if (c == '~')
            out += "\r\n";
        else
            out += c;
    }
    return out;
}

void ExtractFirstLine(std::string& Text, bool KeepRest, std::string& Line) {
    const size_t cr = Text.find('\r');
    if (cr == std::string::npos) {
        Line = Text;
        Text.clear();
        return;
    }
    Line = Text.substr(0, cr);
    size_t rest = cr + 1;
    if (rest < Text.size() && Text[rest] == '\n') ++rest;
    if (KeepRest)
        Text.erase(0, rest);
    else
        Text.clear();
}

int CountLines(const std::string& Text, bool MultiLine) {
    if (!MultiLine) return 1;
    return CountChar(Text, '\r') + 1;
}

namespace {

// Calls Found(position) for the last character of every odd run of C.
template <typename F> void ForEachUnpaired(const std::string& Text, char C, F Found) {
    size_t i = 0;
    while (i < Text.size()) {
        if (Text[i] != C) {
            ++i;
            continue;
        }
        size_t k = i;
        while (k < Text.size() && Text[k] == C)
            ++k;
        if ((k - i) % 2 == 1 && !Found(static_cast<int>(k))) return;
        i = k;
    }
}

} // namespace

int FindUnpairedChar(const std::string& Text, char C) {
    int pos = 0;
    ForEachUnpaired(Text, C, [&](int p) {
        pos = p;
        return false;
    });
    return pos;
}

int CountUnpairedChars(const std::string& Text, char C) {
    int n = 0;
    ForEachUnpaired(Text, C, [&](int) {
        ++n;
        return true;
    });
    return n;
}

int CountChar(const std::string& Text, char C) {
    int n = 0;
    for (const char c : Text)
        n += (c == C);
    return n;
}

std::string StripCarriageReturns(const std::string& Text) {
    std::string out;
    out.reserve(Text.size());
    for (const char c : Text)
        if (c != '\r') out += c;
    return out;
}

namespace {

bool IsWordBreak(char c) {
    return c == ' ' || c == '\'' || c == ',' || c == '-' || c == '.';
}

bool SameLetters(const std::string& Text, size_t At, const char* Upper) {
    for (size_t k = 0; Upper[k] != 0; ++k) {
        if (At + k >= Text.size()) return false;
        if (AnsiUpperChar(Text[At + k]) != Upper[k]) return false;
    }
    return true;
}

} // namespace

std::string CapitalizeWords(const std::string& Text) {
    const size_t n = Text.size();
    // "Mc" at the start and after the first " Mc" is followed by a capital.
    size_t mcInside = std::string::npos;
    for (size_t i = 0; i + 3 <= n; ++i) {
        if (SameLetters(Text, i, " MC")) {
            mcInside = i + 3;
            break;
        }
    }
    std::string out = Text;
    bool upperNext = true;
    for (size_t i = 0; i < n; ++i) {
        const char c = Text[i];
        if (IsWordBreak(c)) {
            upperNext = true;
            continue;
        }
        if (i == 2 && SameLetters(Text, 0, "MC")) upperNext = true;
        if (i == mcInside) upperNext = true;
        // A closing roman II or III: "henry iii" becomes "Henry III".
        if (i + 3 >= n && ((i >= 2 && SameLetters(Text, i - 2, " I")) ||
                           (i >= 3 && SameLetters(Text, i - 3, " II"))))
            upperNext = true;
        if (upperNext) {
            out[i] = AnsiUpperChar(c);
            upperNext = false;
        } else if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}
