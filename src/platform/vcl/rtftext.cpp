#include "platform/vcl/rtftext.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string_view>

#include "platform/rtl/codepages.h"
#include "platform/rtl/sysutils.h"

namespace {

// Where the characters of a group go.
enum TDest { dText, dSkip, dFontTable, dColorTable };

struct TGroupState {
    TRtfCharFormat Format; // FontName and Color resolved at each character
    int Font = -1, Color = 0;
    int UnicodeSkip = 1; // \ucN: characters that stand in for a \uN
    TDest Dest = dText;
};

// Destinations whose text is no part of what a rich edit shows.
bool SkippedDestination(std::string_view Word) {
    static constexpr std::string_view Skipped[] = {"stylesheet",
                                                   "info",
                                                   "pict",
                                                   "object",
                                                   "header",
                                                   "headerl",
                                                   "headerr",
                                                   "headerf",
                                                   "footer",
                                                   "footerl",
                                                   "footerr",
                                                   "footerf",
                                                   "footnote",
                                                   "annotation",
                                                   "atnid",
                                                   "atnauthor",
                                                   "fldinst",
                                                   "listtable",
                                                   "listoverridetable",
                                                   "revtbl",
                                                   "rsidtbl",
                                                   "xmlnstbl",
                                                   "themedata",
                                                   "colorschememapping",
                                                   "latentstyles",
                                                   "datastore",
                                                   "generator",
                                                   "pgdsctbl",
                                                   "filetbl",
                                                   "template",
                                                   "nonshppict",
                                                   "shpinst",
                                                   "sp",
                                                   "bkmkstart",
                                                   "bkmkend",
                                                   "pntext",
                                                   "pntxta",
                                                   "pntxtb",
                                                   "listtext",
                                                   "mmathPr",
                                                   "defchp",
                                                   "defpap"};
    return std::find(std::begin(Skipped), std::end(Skipped), Word) != std::end(Skipped);
}

class TReader {
public:
    explicit TReader(const std::string& Text) : S(Text) { Doc.Paragraphs.emplace_back(); }

    TRtfDocument Run() {
        while (P < S.size()) {
            const char c = S[P++];
            if (c == '{') {
                Stack.push_back(Cur);
                Skip = 0;
            } else if (c == '}') {
                if (Cur.Dest == dFontTable) CommitFont();
                if (!Stack.empty()) {
                    Cur = Stack.back();
                    Stack.pop_back();
                }
                Skip = 0;
            } else if (c == '\\') {
                Control(); // a \'hh may be the second byte of a character
                continue;
            } else if (c == '\r' || c == '\n') {
                // Line ends of the source are no text (and may fall between
                // the two bytes of a character).
                continue;
            } else if (c == '\t') {
                Char(u'\t');
            } else if (static_cast<unsigned char>(c) >= 0x20) {
                Byte(static_cast<unsigned char>(c));
                continue;
            }
            Lead = -1;
        }
        if (Cur.Dest == dFontTable) CommitFont();
        Doc.Paragraphs.back().Align = Align;
        // The last paragraph mark ends the text; it opens no empty paragraph.
        if (Doc.Paragraphs.size() > 1 && Doc.Paragraphs.back().Runs.empty())
            Doc.Paragraphs.pop_back();
        Doc.Normalize();
        return std::move(Doc);
    }

private:
    const std::string& S;
    size_t P = 0;
    TGroupState Cur;
    std::vector<TGroupState> Stack;
    int Skip = 0; // characters still to drop after a \uN
    bool StarPending = false;
    TRtfAlign Align = raLeft;
    struct TFontEntry {
        std::string Name;
        unsigned CodePage = 0; // 0: the document's
    };
    std::map<int, TFontEntry> Fonts;
    std::vector<TColor> Colors;
    int FontEntry = -1;
    unsigned FontEntryCodePage = 0;
    std::u16string FontEntryName;
    // Bytes of text are characters of the code page of their font, else of
    // the document's (\ansicpg); each page read gets its decoder once.
    unsigned DocCodePage = 1252;
    std::map<unsigned, std::unique_ptr<TCodePageDecoder>> Decoders;
    int Lead = -1; // the first byte of a double-byte character, while waiting
    int Red = -1, Green = -1, Blue = -1;
    TRtfDocument Doc;

    void CommitFont() {
        if (FontEntry >= 0) {
            std::string name = Trim(Utf16ToCp1252(FontEntryName));
            if (!name.empty() && name.back() == ';') name.pop_back();
            Fonts[FontEntry] = {Trim(name), FontEntryCodePage};
        }
        FontEntry = -1;
        FontEntryCodePage = 0;
        FontEntryName.clear();
    }

    unsigned CodePageHere() const {
        unsigned cp = 0;
        if (Cur.Dest == dFontTable) {
            cp = FontEntryCodePage;
        } else {
            const auto font = Fonts.find(Cur.Font);
            if (font != Fonts.end()) cp = font->second.CodePage;
        }
        return cp ? cp : DocCodePage;
    }

    // A byte of text, raw or as \'hh.
    void Byte(unsigned char B) {
        if (Skip > 0) {
            --Skip;
            Lead = -1;
            return;
        }
        if (B < 0x80 && Lead < 0) {
            Char(B);
            return;
        }
        const unsigned cp = CodePageHere();
        std::unique_ptr<TCodePageDecoder>& d = Decoders[KnownCodePage(cp) ? cp : 1252];
        if (!d) d = std::make_unique<TCodePageDecoder>(cp);
        std::u16string chars;
        if (Lead >= 0) {
            chars = d->Decode(static_cast<unsigned char>(Lead), B);
            Lead = -1;
        } else if (d->IsLeadByte(B)) {
            Lead = B;
            return;
        } else {
            chars = d->Decode(B);
        }
        for (const char16_t c : chars)
            Char(c);
    }

    void CommitColor() {
        if (Red < 0 && Green < 0 && Blue < 0)
            Colors.push_back(clNone); // the "automatic" entry
        else
            Colors.push_back(std::max(Red, 0) | (std::max(Green, 0) << 8) |
                             (std::max(Blue, 0) << 16));
        Red = Green = Blue = -1;
    }

    // A character of the text (or of a table entry).
    void Char(char16_t C) {
        if (Skip > 0) {
            --Skip;
            return;
        }
        if (C < 0x20 && C != u'\t') return; // control characters are no text
        switch (Cur.Dest) {
        case dSkip:
            return;
        case dFontTable:
            if (C == u';') {
                CommitFont();
            } else if (FontEntry >= 0 && FontEntryName.size() < 256 && C >= 0x20) {
                FontEntryName += C;
            }
            return;
        case dColorTable:
            if (C == u';') CommitColor();
            return;
        case dText:
            break;
        }
        TRtfCharFormat f = Cur.Format;
        const auto font = Fonts.find(Cur.Font);
        f.FontName = font == Fonts.end() ? std::string() : font->second.Name;
        f.Color = Cur.Color > 0 && Cur.Color < static_cast<int>(Colors.size())
                      ? Colors[static_cast<size_t>(Cur.Color)]
                      : clNone;
        if (Cur.Color == 0 && !Colors.empty()) f.Color = Colors[0];
        std::vector<TRtfRun>& runs = Doc.Paragraphs.back().Runs;
        if (runs.empty() || !(runs.back().Format == f)) runs.push_back({f, {}});
        runs.back().Text += C;
    }

    void Paragraph() {
        if (Cur.Dest != dText) return;
        Doc.Paragraphs.back().Align = Align;
        Doc.Paragraphs.emplace_back();
    }

    static int Hex(char C) {
        if (C >= '0' && C <= '9') return C - '0';
        if (C >= 'a' && C <= 'f') return C - 'a' + 10;
        if (C >= 'A' && C <= 'F') return C - 'A' + 10;
        return -1;
    }

    void Control() {
        if (P >= S.size()) return;
        const char c = S[P];
        if (c != '\'') Lead = -1;
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++P;
            Symbol(c);
            return;
        }
        const size_t start = P;
        while (P < S.size() && std::isalpha(static_cast<unsigned char>(S[P])))
            ++P;
        // Words longer than any real one are read whole and match nothing.
        const std::string_view word(S.data() + start, std::min<size_t>(P - start, 32));
        bool hasParam = false;
        long long param = 0;
        bool negative = false;
        if (P < S.size() && S[P] == '-' && P + 1 < S.size() &&
            std::isdigit(static_cast<unsigned char>(S[P + 1]))) {
            negative = true;
            ++P;
        }
        while (P < S.size() && std::isdigit(static_cast<unsigned char>(S[P]))) {
            hasParam = true;
            // Numbers past the 32-bit range stay at its edge.
            param = std::min<long long>(param * 10 + (S[P] - '0'), 0x80000000LL);
            ++P;
        }
        if (negative) param = -param;
        param = std::clamp<long long>(param, INT32_MIN, INT32_MAX);
        if (P < S.size() && S[P] == ' ') ++P; // the delimiter belongs to the word
        Word(word, hasParam, static_cast<int>(param));
    }

    void Symbol(char C) {
        switch (C) {
        case '\\':
        case '{':
        case '}':
            Char(static_cast<char16_t>(C));
            break;
        case '~':
            Char(u'\u00A0');
            break;
        case '_':
            Char(u'\u2011');
            break;
        case '*':
            StarPending = true;
            return;
        case '\r':
        case '\n':
            if (Skip > 0) {
                --Skip;
                break;
            }
            Paragraph();
            break;
        case '\'': {
            const int hi = P < S.size() ? Hex(S[P]) : -1;
            if (hi < 0) break;
            ++P;
            const int lo = P < S.size() ? Hex(S[P]) : -1;
            int value = hi;
            if (lo >= 0) {
                ++P;
                value = hi * 16 + lo;
            }
            Byte(static_cast<unsigned char>(value));
            break;
        }
        default:
            break; // \- (optional hyphen), \| and the rest show nothing
        }
        StarPending = false;
    }

    void Word(std::string_view W, bool HasParam, int Param) {
        const bool star = StarPending;
        StarPending = false;
        // "\*" marks a destination the reader may ignore when it does not know
        // it; every one this reader knows shows nothing, so all are skipped.
        if (star || SkippedDestination(W)) {
            Cur.Dest = dSkip;
            return;
        }
        if (W == "bin") {
            // Binary data: its bytes are no RTF at all.
            const size_t n = HasParam && Param > 0 ? static_cast<size_t>(Param) : 0;
            P += std::min(n, S.size() - P);
            return;
        }
        if (W == "u") {
            if (!HasParam) return;
            int v = Param;
            if (v < 0) v += 65536;
            if (v >= 0 && v <= 0xFFFF) Char(static_cast<char16_t>(v));
            Skip = Cur.UnicodeSkip;
            return;
        }
        if (Skip > 0) {
            // A control word stands in for one fallback character.
            --Skip;
            return;
        }
        // The document's code page, in any group.
        if (W == "ansicpg" && HasParam && Param > 0) {
            DocCodePage = static_cast<unsigned>(Param);
            return;
        }
        static constexpr std::pair<std::string_view, unsigned> Charsets[] = {
            {"ansi", 1252}, {"mac", 10000}, {"pc", 437}, {"pca", 850}};
        for (const auto& [word, cp] : Charsets)
            if (W == word) {
                DocCodePage = cp;
                return;
            }
        if (W == "fonttbl") {
            Cur.Dest = dFontTable;
        } else if (W == "colortbl") {
            Cur.Dest = dColorTable;
        } else if (Cur.Dest == dFontTable) {
            if (W == "f" && HasParam) {
                CommitFont();
                FontEntry = Param;
            } else if (W == "fcharset" && HasParam) {
                FontEntryCodePage = CharsetCodePage(Param);
            } else if (W == "cpg" && HasParam && Param > 0) {
                FontEntryCodePage = static_cast<unsigned>(Param);
            }
        } else if (Cur.Dest == dColorTable) {
            const int v = std::clamp(HasParam ? Param : 0, 0, 255);
            if (W == "red") Red = v;
            if (W == "green") Green = v;
            if (W == "blue") Blue = v;
        } else if (Cur.Dest == dText) {
            FormatWord(W, HasParam, Param);
        }
    }

    void FormatWord(std::string_view W, bool HasParam, int Param) {
        TRtfCharFormat& f = Cur.Format;
        const bool on = !HasParam || Param != 0;
        if (W == "par" || W == "sect" || W == "row") {
            Paragraph();
        } else if (W == "line") {
            Char(u'\u2028');
        } else if (W == "tab" || W == "cell") {
            Char(u'\t');
        } else if (W == "emdash") {
            Char(u'\u2014');
        } else if (W == "endash") {
            Char(u'\u2013');
        } else if (W == "bullet") {
            Char(u'\u2022');
        } else if (W == "lquote") {
            Char(u'\u2018');
        } else if (W == "rquote") {
            Char(u'\u2019');
        } else if (W == "ldblquote") {
            Char(u'\u201C');
        } else if (W == "rdblquote") {
            Char(u'\u201D');
        } else if (W == "emspace" || W == "enspace" || W == "qmspace") {
            Char(u' ');
        } else if (W == "pard") {
            Align = raLeft;
        } else if (W == "ql") {
            Align = raLeft;
        } else if (W == "qc") {
            Align = raCenter;
        } else if (W == "qr") {
            Align = raRight;
        } else if (W == "qj") {
            Align = raJustify;
        } else if (W == "plain") {
            f = {};
            Cur.Font = -1;
            Cur.Color = 0;
        } else if (W == "b") {
            f.Bold = on;
        } else if (W == "i") {
            f.Italic = on;
        } else if (W == "ul" || W == "uld" || W == "uldb" || W == "ulw" || W == "ulth" ||
                   W == "uldash" || W == "ulwave") {
            f.Underline = on;
        } else if (W == "ulnone") {
            f.Underline = false;
        } else if (W == "strike" || W == "striked") {
            f.StrikeOut = on;
        } else if (W == "fs") {
            // Half points; sizes beyond what any editor offers stay at its edge.
            f.HalfPoints = HasParam ? std::clamp(Param, 0, 3276) : 24;
        } else if (W == "f") {
            if (HasParam) Cur.Font = Param;
        } else if (W == "cf") {
            Cur.Color = HasParam ? Param : 0;
        } else if (W == "uc") {
            Cur.UnicodeSkip = HasParam ? std::clamp(Param, 0, 16) : 1;
        }
    }
};

void AppendEscaped(std::string& Out, const std::u16string& Text) {
    for (const char16_t c : Text) {
        if (c == u'\\' || c == u'{' || c == u'}') {
            Out += '\\';
            Out += static_cast<char>(c);
        } else if (c == u'\t') {
            Out += "\\tab ";
        } else if (c == u'\u2028') {
            Out += "\\line ";
        } else if (c >= 0x20 && c < 0x7F) {
            Out += static_cast<char>(c);
        } else if (c < 0x20) {
            // Other control characters are no text.
        } else {
            const std::string b = Utf16ToCp1252(std::u16string(1, c));
            char buf[24];
            if (b != "?") {
                std::snprintf(buf, sizeof buf, "\\'%02x", static_cast<unsigned char>(b[0]));
            } else {
                // Signed 16 bits, with one '?' for readers without Unicode.
                std::snprintf(buf, sizeof buf, "\\u%d?", static_cast<int>(static_cast<int16_t>(c)));
            }
            Out += buf;
        }
    }
}

} // namespace

void TRtfDocument::Normalize() {
    for (TRtfParagraph& p : Paragraphs) {
        std::vector<TRtfRun> runs;
        for (TRtfRun& r : p.Runs) {
            if (r.Text.empty()) continue;
            if (!runs.empty() && runs.back().Format == r.Format)
                runs.back().Text += r.Text;
            else
                runs.push_back(std::move(r));
        }
        p.Runs = std::move(runs);
    }
    if (Paragraphs.empty()) Paragraphs.emplace_back();
}

TRtfDocument ReadRTF(const std::string& Text) {
    return TReader(Text).Run();
}

std::string WriteRTF(const TRtfDocument& Doc) {
    std::vector<std::string> fonts;
    std::vector<TColor> colors;
    for (const TRtfParagraph& p : Doc.Paragraphs)
        for (const TRtfRun& r : p.Runs) {
            const TRtfCharFormat& f = r.Format;
            if (!f.FontName.empty() &&
                std::find(fonts.begin(), fonts.end(), f.FontName) == fonts.end())
                fonts.push_back(f.FontName);
            if (f.Color != clNone &&
                std::find(colors.begin(), colors.end(), f.Color) == colors.end())
                colors.push_back(f.Color);
        }
    std::string out = "{\\rtf1\\ansi\\ansicpg1252";
    if (!fonts.empty()) {
        out += "\\deff0{\\fonttbl";
        for (size_t i = 0; i < fonts.size(); ++i) {
            out += "{\\f" + std::to_string(i) + "\\fnil ";
            AppendEscaped(out, Cp1252ToUtf16(fonts[i]));
            out += ";}";
        }
        out += "}";
    }
    if (!colors.empty()) {
        // Entry 0 is the automatic colour; the text's colours follow.
        out += "{\\colortbl ;";
        for (const TColor c : colors)
            out += "\\red" + std::to_string(c & 0xFF) + "\\green" +
                   std::to_string((c >> 8) & 0xFF) + "\\blue" + std::to_string((c >> 16) & 0xFF) +
                   ";";
        out += "}";
    }
    out += "\n";
    static constexpr const char* AlignWord[] = {"\\ql", "\\qc", "\\qr", "\\qj"};
    for (const TRtfParagraph& p : Doc.Paragraphs) {
        out += "\\pard";
        out += AlignWord[p.Align];
        out += ' ';
        for (const TRtfRun& r : p.Runs) {
            const TRtfCharFormat& f = r.Format;
            std::string words;
            if (!f.FontName.empty())
                words += "\\f" + std::to_string(std::find(fonts.begin(), fonts.end(), f.FontName) -
                                                fonts.begin());
            if (f.HalfPoints > 0) words += "\\fs" + std::to_string(f.HalfPoints);
            if (f.Bold) words += "\\b";
            if (f.Italic) words += "\\i";
            if (f.Underline) words += "\\ul";
            if (f.StrikeOut) words += "\\strike";
            if (f.Color != clNone)
                words += "\\cf" + std::to_string(std::find(colors.begin(), colors.end(), f.Color) -
                                                 colors.begin() + 1);
            if (words.empty()) {
                AppendEscaped(out, r.Text);
            } else {
                out += "{" + words + " ";
                AppendEscaped(out, r.Text);
                out += "}";
            }
        }
        out += "\\par\n";
    }
    out += "}";
    return out;
}

std::string RTFPlainText(const TRtfDocument& Doc) {
    return Utf16ToCp1252(RTFWideText(Doc));
}

std::u16string RTFWideText(const TRtfDocument& Doc) {
    std::u16string text;
    for (size_t i = 0; i < Doc.Paragraphs.size(); ++i) {
        if (i) text += u"\r\n";
        for (const TRtfRun& r : Doc.Paragraphs[i].Runs)
            for (const char16_t c : r.Text) {
                if (c == u'\u2028')
                    text += u"\r\n";
                else
                    text += c;
            }
    }
    return text;
}

bool IsRTFText(const std::string& Text) {
    return Text.size() >= 2 && Text[0] == '{' && Text[1] == '\\';
}
