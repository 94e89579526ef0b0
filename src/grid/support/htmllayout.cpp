#include "grid/support/htmllayout.h"

#include <algorithm>

#include "grid/support/htmlsupport.h"
#include "platform/rtl/sysutils.h"

std::string PrepareTaggedText(const std::string& Text) {
    const std::string t = StripTemplateTag(Text);
    std::string out;
    out.reserve(t.size());
    for (const char c : t) {
        if (c == '\n') continue;
        if (c == '\r')
            out += "<BR>";
        else
            out += c;
    }
    return out;
}

namespace {

// What a tag asks of the line loop.
enum class TTagAction { Continue, EndLine, BreakBefore, EndText };

struct TState {
    THTMLFont Font;
    TColor Brush = clNone;
    bool Shadow = false, Error = false, Sub = false, Sup = false, Hidden = false;
    int ListLevel = 0;
    THTMLAlign Align = THTMLAlign::Left;
    int Indent = 0;
    TColor ParaBackground = clNone;
    int Anchor = 0;
    std::string Href;
    TColor AnchorSavedColor = 0, AnchorSavedBrush = clNone;
    TColor HighlightSavedColor = 0, HighlightSavedBrush = clNone;
    std::vector<std::pair<TColor, TColor>> FontColors; // colour and brush before each FONT
    std::vector<int> Angles;                           // angle before each R
};

constexpr int ListIndent = 12;

std::string FirstQuoted(const std::string& Tag) {
    const size_t q1 = Tag.find('"');
    if (q1 == std::string::npos) return "";
    const size_t q2 = Tag.find('"', q1 + 1);
    if (q2 == std::string::npos) return "";
    return Tag.substr(q1 + 1, q2 - q1 - 1);
}

std::string Attribute(const std::string& Tag, const char* Name) {
    std::string v;
    return FindTagAttribute(Tag, Name, v) ? v : std::string();
}

int FontSizeFromAttribute(int Value) {
    switch (Value) {
    case 1:
        return 8;
    case 2:
        return 10;
    case 3:
        return 12;
    case 4:
        return 14;
    case 5:
        return 16;
    default:
        return Value;
    }
}

// The tag a name stands for: its first letter decides, and further letters
// only among tags that share it ("BR", "BL", "BODY" and "B"); "" for none.
std::string TagKind(const std::string& Name) {
    if (Name.empty()) return "";
    const char second = Name.size() > 1 ? Name[1] : 0;
    const char third = Name.size() > 2 ? Name[2] : 0;
    switch (Name[0]) {
    case 'A':
        return "A";
    case 'B':
        return second == 'R' ? "BR" : second == 'L' ? "BL" : second == 'O' ? "BODY" : "B";
    case 'C':
        return "CONTROL";
    case 'E':
        return "E";
    case 'F':
        return "FONT";
    case 'H':
        return second == 'I' ? "HI" : second == 'R' ? "HR" : "";
    case 'I':
        return second == 'N' ? "IND" : second == 'M' ? "IMG" : "I";
    case 'L':
        return "LI";
    case 'P':
        return "P";
    case 'R':
        return "R";
    case 'S':
        if (second == 'H') return "SHAD";
        if (second == 'U' && third == 'B') return "SUB";
        if (second == 'U' && third == 'P') return "SUP";
        return "S";
    case 'U':
        return second == 'L' ? "UL" : "U";
    case 'Z':
        return "Z";
    default:
        return "";
    }
}

// BODY tells a colour name from a hexadecimal colour by "CL" or "#" in the
// value; a value with neither sets no colour.
TColor BodyColorFromAttribute(const std::string& Value) {
    if (Value.find("CL") != std::string::npos) return ColorFromName(LowerCase(Trim(Value)));
    if (Value.find('#') != std::string::npos) return ColorFromHex(Trim(Value));
    return clNone;
}

class TLayouter {
public:
    TLayouter(THTMLSurface& Surface, const THTMLFont& StartFont, TColor StartBrush,
              const TRect& Rect, const THTMLRenderParams& P)
        : S(Surface), Start(StartFont), StartBrush(StartBrush), R(Rect), P(P) {
        St.Font = StartFont;
    }

    THTMLLayout Run(const std::string& Text);

private:
    TTagAction Tag(const std::string& Tag, THTMLLine& Line, int& Pen, bool Consumed,
                   bool& LineEmpty, bool& ListItemSeen);
    void AnchorStart(const std::string& Tag);
    void AnchorEnd();
    bool PlaceBox(THTMLPiece Piece, THTMLLine& Line, int& Pen, bool Consumed, bool& LineEmpty);
    void FinishLine(THTMLLine& Line, int Pen, int ImageAlign);
    int Scaled(int Pixels) const { return Pixels * S.PixelsPerInch() / 96; }
    int AvailableWidth() const { return R.Right - R.Left - 1 - St.Indent; }

    THTMLSurface& S;
    THTMLFont Start;
    TColor StartBrush;
    TRect R;
    const THTMLRenderParams& P;
    TState St;
    THTMLLayout L;
    int ImageAlign = 0; // of the current line: 0 bottom, 1 top, 2 middle
};

void TLayouter::AnchorStart(const std::string& Tag) {
    ++L.AnchorCount;
    St.Anchor = L.AnchorCount;
    St.Href = FirstQuoted(Tag);
    L.AnchorHrefs.push_back(St.Href);
    St.AnchorSavedColor = St.Font.Color;
    St.AnchorSavedBrush = St.Brush;
    const bool hovered = St.Anchor == P.HoverAnchor;
    if (!P.HoverOnly || hovered) St.Font.Underline = true;
    if (hovered && P.HoverColor != clNone) St.Brush = P.HoverColor;
    if (hovered && P.HoverTextColor != clNone) St.Font.Color = P.HoverTextColor;
    // Only where hovering alone marks links does the hover colour beat the
    // anchor colour; otherwise every link keeps one colour.
    const bool keepHoverText = P.HoverOnly && hovered && P.HoverTextColor != clNone;
    if (!P.Selected && !keepHoverText) St.Font.Color = P.AnchorColor;
}

void TLayouter::AnchorEnd() {
    if (St.Anchor == 0) return;
    St.Font.Underline = false;
    St.Brush = St.AnchorSavedBrush;
    St.Font.Color = P.Selected ? St.AnchorSavedColor : Start.Color;
    St.Anchor = 0;
    St.Href.clear();
}

// Images and controls: one that does not fit in the rest of a line that already
// holds something (and is narrower than the line) starts the next line.
bool TLayouter::PlaceBox(THTMLPiece Piece, THTMLLine& Line, int& Pen, bool Consumed,
                         bool& LineEmpty) {
    const int avail = AvailableWidth();
    if (Consumed && !LineEmpty && Pen + Piece.Width > avail && Piece.Width < avail) return false;
    Piece.X = Pen;
    Piece.Anchor = St.Anchor;
    Piece.Href = St.Href;
    Pen += Piece.Width;
    Line.Height = std::max(Line.Height, Piece.Height);
    Line.Pieces.push_back(std::move(Piece));
    LineEmpty = false;
    return true;
}

TTagAction TLayouter::Tag(const std::string& Tag, THTMLLine& Line, int& Pen, bool Consumed,
                          bool& LineEmpty, bool& ListItemSeen) {
    const bool closing = !Tag.empty() && Tag[0] == '/';
    size_t k = closing ? 1 : 0;
    std::string word;
    while (k < Tag.size() && Tag[k] != ' ' && Tag[k] != '\t')
        word += AnsiUpperChar(Tag[k++]);
    const std::string name = TagKind(word);
    const std::string upper = AnsiUpperCase(Tag);

    if (closing) {
        if (name == "A")
            AnchorEnd();
        else if (name == "B")
            St.Font.Bold = false;
        else if (name == "I")
            St.Font.Italic = false;
        else if (name == "U")
            St.Font.Underline = false;
        else if (name == "S")
            St.Font.StrikeOut = false;
        else if (name == "BL" || name == "BODY")
            St.Font.Color = Start.Color;
        else if (name == "E")
            St.Error = false;
        else if (name == "SHAD")
            St.Shadow = false;
        else if (name == "SUB")
            St.Sub = false;
        else if (name == "SUP")
            St.Sup = false;
        else if (name == "Z")
            St.Hidden = false;
        else if (name == "HI") {
            St.Font.Color = St.HighlightSavedColor;
            St.Brush = St.HighlightSavedBrush;
        } else if (name == "FONT") {
            St.Font.Name = Start.Name;
            St.Font.Size = Start.Size;
            if (!St.FontColors.empty()) {
                if (!P.Selected) {
                    St.Font.Color = St.FontColors.back().first;
                    St.Brush = St.FontColors.back().second;
                }
                St.FontColors.pop_back();
            }
        } else if (name == "R") {
            if (!St.Angles.empty()) {
                St.Font.Angle = St.Angles.back();
                St.Angles.pop_back();
            }
        } else if (name == "UL") {
            // The end of a list ends its last item's line; without a list the
            // tag reads as the end of underlining.
            if (St.ListLevel == 0) {
                St.Font.Underline = false;
                return TTagAction::Continue;
            }
            --St.ListLevel;
            return TTagAction::EndLine;
        } else if (name == "P") {
            St.ParaBackground = clNone;
            St.Align = THTMLAlign::Left;
            St.Indent = 0;
            return TTagAction::EndLine;
        } else if (name == "LI") {
            return TTagAction::EndLine;
        }
        return TTagAction::Continue;
    }

    if (name == "A")
        AnchorStart(Tag);
    else if (name == "B")
        St.Font.Bold = true;
    else if (name == "I")
        St.Font.Italic = true;
    else if (name == "U")
        St.Font.Underline = true;
    else if (name == "S")
        St.Font.StrikeOut = true;
    else if (name == "E")
        St.Error = true;
    else if (name == "SHAD")
        St.Shadow = true;
    else if (name == "SUB")
        St.Sub = true;
    else if (name == "SUP")
        St.Sup = true;
    else if (name == "Z")
        St.Hidden = true;
    else if (name == "BR")
        return TTagAction::EndLine;
    else if (name == "BL") {
        if (!P.BlinkVisible) St.Font.Color = StartBrush;
    } else if (name == "HR") {
        Line.Rule = true;
        return TTagAction::EndLine;
    } else if (name == "HI") {
        St.HighlightSavedColor = St.Font.Color;
        St.HighlightSavedBrush = St.Brush;
        St.Brush = clHighlight;
        St.Font.Color = clHighlightText;
    } else if (name == "BODY") {
        const std::string bg = Attribute(upper, "BGCOLOR");
        if (!bg.empty()) L.BodyColor = BodyColorFromAttribute(bg);
        const std::string image = Attribute(Tag, "BACKGROUND");
        if (!image.empty()) L.BodyImage = image;
    } else if (name == "FONT") {
        St.FontColors.emplace_back(St.Font.Color, St.Brush);
        std::string v;
        if (FindTagAttribute(upper, "FACE", v)) St.Font.Name = v;
        if (FindTagAttribute(upper, "COLOR", v) && !P.Selected)
            St.Font.Color = ColorFromAttribute(v);
        if (FindTagAttribute(upper, "BGCOLOR", v) && !P.Selected) St.Brush = ColorFromAttribute(v);
        if (FindTagAttribute(upper, "SIZE", v)) {
            const int size = FontSizeFromAttribute(TextToInt(v));
            if (size > 0) St.Font.Size = size;
        }
    } else if (name == "IND") {
        Pen = std::max(Pen, TextToInt(Attribute(upper, "X")));
    } else if (name == "R") {
        St.Angles.push_back(St.Font.Angle);
        St.Font.Angle = TextToInt(Attribute(upper, "A"));
    } else if (name == "UL") {
        ++St.ListLevel;
        return TTagAction::EndLine;
    } else if (name == "LI") {
        if (ListItemSeen && Consumed) return TTagAction::BreakBefore;
        ListItemSeen = true;
        Pen = std::max(Pen, ListIndent * std::max(St.ListLevel, 1));
        THTMLPiece bullet;
        bullet.Kind = THTMLPieceKind::Bullet;
        bullet.Font = St.Font;
        bullet.Font.Underline = bullet.Font.StrikeOut = false;
        // The code page's own bullet in the text's font: no symbol font is needed.
        bullet.Text = (St.ListLevel % 2 == 0) ? "o" : "\x95";
        bullet.X = Pen - ListIndent;
        bullet.Width = ListIndent;
        Line.Pieces.push_back(bullet);
    } else if (name == "P") {
        const std::string align = Attribute(upper, "ALIGN");
        if (align == "RIGHT")
            St.Align = THTMLAlign::Right;
        else if (align == "CENTER")
            St.Align = THTMLAlign::Center;
        else if (align == "LEFT")
            St.Align = THTMLAlign::Left;
        std::string v;
        if (FindTagAttribute(upper, "INDENT", v)) St.Indent = std::max(0, TextToInt(v));
        if (FindTagAttribute(upper, "BGCOLOR", v)) St.ParaBackground = ColorFromAttribute(v);
        Line.Align = St.Align;
        Line.Indent = St.Indent;
        Line.ParaBackground = St.ParaBackground;
    } else if (name == "IMG") {
        THTMLPiece img;
        img.Kind = THTMLPieceKind::Image;
        // Sources keep their case: file names on disk depend on it.
        img.Source = Attribute(Tag, "SRC");
        img.Alt = Attribute(Tag, "ALT");
        TSize size;
        if (img.Source.empty() || !S.ImageSize(img.Source, size)) return TTagAction::Continue;
        const int w = TextToInt(Attribute(upper, "WIDTH")),
                  h = TextToInt(Attribute(upper, "HEIGHT"));
        if (w > 0 && h > 0) size = {Scaled(w), Scaled(h)};
        if (P.Printing) {
            size.cx = static_cast<int>(Round(size.cx * P.PrintScale));
            size.cy = static_cast<int>(Round(size.cy * P.PrintScale));
        }
        if (St.Hidden || size.cx <= 0 || size.cy <= 0) return TTagAction::Continue;
        img.Width = size.cx;
        img.Height = size.cy;
        if (!PlaceBox(img, Line, Pen, Consumed, LineEmpty)) return TTagAction::BreakBefore;
        const std::string align = Attribute(upper, "ALIGN");
        if (align == "TOP")
            ImageAlign = 1;
        else if (align == "MIDDLE")
            ImageAlign = 2;
    } else if (name == "CONTROL") {
        THTMLPiece ctl;
        ctl.Kind = THTMLPieceKind::Control;
        std::string value;
        ParseControlTag(Tag, ctl.ControlType, ctl.ControlId, ctl.ControlWidth, value);
        int width = 0;
        if (!TryStrToInt(Trim(ctl.ControlWidth), width) || width <= 0 || St.Hidden)
            return TTagAction::Continue;
        ctl.Text = UnescapeControlValue(value);
        ctl.Font = St.Font;
        ctl.Width = width;
        ctl.Height = S.TextExtent(St.Font, "gh").cy + 6;
        if (ctl.ControlType == "COMBO")
            ctl.Height = 25;
        else if (ctl.ControlType == "BUTTON")
            ctl.Height = 24;
        else if (ctl.ControlType == "CHECK" || ctl.ControlType == "RADIO")
            ctl.Width = ctl.Height = 16;
        if (!PlaceBox(ctl, Line, Pen, Consumed, LineEmpty)) return TTagAction::BreakBefore;
    }
    // Any other tag is skipped.
    return TTagAction::Continue;
}

void TLayouter::FinishLine(THTMLLine& Line, int Pen, int Align) {
    Line.Width = Pen;
    for (auto it = Line.Pieces.rbegin(); it != Line.Pieces.rend(); ++it) {
        if (it->Kind == THTMLPieceKind::Bullet) continue;
        if (it->Kind == THTMLPieceKind::Text && !it->Text.empty() && it->Text.back() == ' ' &&
            it->X + it->Width == Pen)
            Line.Width -= S.TextExtent(it->Font, " ").cx;
        break;
    }
    if (Align == 1)
        Line.TextRaise = Line.Height - Line.GhHeight;
    else if (Align == 2)
        Line.TextRaise = (Line.Height - Line.GhHeight) / 2;
    const int spare = R.Right - R.Left - Line.Width;
    int left = R.Left + 1;
    if (Line.Align == THTMLAlign::Right && R.Right - Line.Width > R.Left)
        left = R.Right - Line.Width;
    else if (Line.Align == THTMLAlign::Center && spare > 0)
        left = R.Left + spare / 2;
    Line.Left = left + Line.Indent;
}

THTMLLayout TLayouter::Run(const std::string& Source) {
    const std::string text = PrepareTaggedText(Source);
    size_t pos = 0;
    int top = R.Top;
    while (pos < text.size()) {
        THTMLLine line;
        line.Align = St.Align;
        line.Indent = St.Indent;
        line.ParaBackground = St.ParaBackground;
        line.GhHeight = S.TextExtent(St.Font, "gh").cy;
        line.Height = line.GhHeight;
        ImageAlign = 0;
        const size_t lineStart = pos;
        int pen = 0;
        bool lineEmpty = true, listItemSeen = false, explicitBreak = false, endText = false;
        std::string placed;
        while (pos < text.size()) {
            const bool consumed = pos > lineStart;
            if (text[pos] == '<') {
                const size_t gt = text.find('>', pos);
                if (text.size() - pos - 1 < 3 || gt == std::string::npos) {
                    endText = true; // an unfinished tag ends the text
                    break;
                }
                const std::string tag = text.substr(pos + 1, gt - pos - 1);
                const TTagAction a = Tag(tag, line, pen, consumed, lineEmpty, listItemSeen);
                if (a == TTagAction::BreakBefore) break;
                pos = gt + 1;
                if (a == TTagAction::EndLine) {
                    explicitBreak = true;
                    break;
                }
                continue;
            }
            size_t end = text.find('<', pos);
            if (end == std::string::npos) end = text.size();
            if (P.WordWrap) {
                const size_t blank = text.find(' ', pos);
                if (blank != std::string::npos && blank < end) end = blank + 1;
            }
            const std::string run = DecodeHTMLEntities(text.substr(pos, end - pos));
            if (St.Hidden) {
                L.PlainText += run;
                pos = end;
                continue;
            }
            const TSize ext = S.TextExtent(St.Font, run);
            // A run as wide as the line or wider fits nowhere better: it stays
            // where it is. So do words glued to the previous run by a tag.
            const bool glued = !placed.empty() && placed.back() != ' ';
            const bool fits =
                pen + ext.cx < AvailableWidth() || ext.cx >= AvailableWidth() || glued;
            if (P.WordWrap && !fits && consumed) break;
            THTMLPiece piece;
            piece.Text = run;
            piece.Font = St.Font;
            piece.Brush = St.Brush;
            piece.Shadow = St.Shadow;
            piece.Error = St.Error;
            piece.Sub = St.Sub;
            piece.Sup = St.Sup;
            piece.Anchor = St.Anchor;
            piece.Href = St.Href;
            piece.X = pen;
            piece.Width = ext.cx;
            piece.Height = ext.cy;
            line.Height = std::max(line.Height, ext.cy);
            if (St.Sub) line.SubExtent = std::max(line.SubExtent, ext.cy / 4);
            if (St.Sup) line.SupExtent = std::max(line.SupExtent, ext.cy / 4);
            line.Pieces.push_back(std::move(piece));
            pen += ext.cx;
            placed += run;
            lineEmpty = false;
            L.PlainText += run;
            pos = end;
        }
        if (endText) pos = text.size();
        if (pos == lineStart) break; // nothing more can be laid out
        FinishLine(line, pen, ImageAlign);
        line.Top = top;
        top += line.Height + line.SubExtent + line.SupExtent;
        L.Lines.push_back(std::move(line));
        if (explicitBreak) L.PlainText += "\r\n";
        if (!P.MeasureOnly && pos < text.size() && top + S.TextExtent(St.Font, "gh").cy > R.Bottom)
            break; // the rest would not show
    }
    return std::move(L);
}

} // namespace

THTMLLayout LayoutHTML(THTMLSurface& Surface, const THTMLFont& StartFont, TColor StartBrush,
                       const std::string& Text, const TRect& Rect, const THTMLRenderParams& P) {
    TLayouter l(Surface, StartFont, StartBrush, Rect, P);
    return l.Run(Text);
}
