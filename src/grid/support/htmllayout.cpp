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

// The tags of the language; every other name is skipped.
enum class TTag {
    None,
    A,
    B,
    BL,
    Body,
    BR,
    Control,
    E,
    Font,
    HI,
    HR,
    I,
    Img,
    Ind,
    LI,
    P,
    R,
    S,
    Shad,
    Sub,
    Sup,
    U,
    UL,
    Z
};

// The tag a name stands for: its first letter decides, and further letters
// only among tags that share it ("BR", "BL", "BODY" and "B").
TTag TagKind(const std::string& Name) {
    if (Name.empty()) return TTag::None;
    const char second = Name.size() > 1 ? Name[1] : 0;
    const char third = Name.size() > 2 ? Name[2] : 0;
    switch (Name[0]) {
    case 'A':
        return TTag::A;
    case 'B':
        return second == 'R'   ? TTag::BR
               : second == 'L' ? TTag::BL
               : second == 'O' ? TTag::Body
                               : TTag::B;
    case 'C':
        return TTag::Control;
    case 'E':
        return TTag::E;
    case 'F':
        return TTag::Font;
    case 'H':
        return second == 'I' ? TTag::HI : second == 'R' ? TTag::HR : TTag::None;
    case 'I':
        return second == 'N' ? TTag::Ind : second == 'M' ? TTag::Img : TTag::I;
    case 'L':
        return TTag::LI;
    case 'P':
        return TTag::P;
    case 'R':
        return TTag::R;
    case 'S':
        if (second == 'H') return TTag::Shad;
        if (second == 'U' && third == 'B') return TTag::Sub;
        if (second == 'U' && third == 'P') return TTag::Sup;
        return TTag::S;
    case 'U':
        return second == 'L' ? TTag::UL : TTag::U;
    case 'Z':
        return TTag::Z;
    default:
        return TTag::None;
    }
}

// The control a CONTROL tag's type names, and how tall its box is.
THTMLControlKind ControlKindOf(const std::string& Type) {
    if (Type == "EDIT") return THTMLControlKind::Edit;
    if (Type == "COMBO") return THTMLControlKind::Combo;
    if (Type == "CHECK") return THTMLControlKind::Check;
    if (Type == "RADIO") return THTMLControlKind::Radio;
    if (Type == "BUTTON") return THTMLControlKind::Button;
    return THTMLControlKind::Other;
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
    void FinishLine(THTMLLine& Line, int Pen, THTMLImageAlign ImageAlign);
    int Scaled(int Pixels) const { return Pixels * S.PixelsPerInch() / 96; }
    int AvailableWidth() const { return R.Right - R.Left - 1 - St.Indent; }

    THTMLSurface& S;
    THTMLFont Start;
    TColor StartBrush;
    TRect R;
    const THTMLRenderParams& P;
    TState St;
    THTMLLayout L;
    THTMLImageAlign ImageAlign = THTMLImageAlign::Bottom; // of the current line
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
    const TTag name = TagKind(word);
    const std::string upper = AnsiUpperCase(Tag);

    if (closing) {
        switch (name) {
        case TTag::A:
            AnchorEnd();
            break;
        case TTag::B:
            St.Font.Bold = false;
            break;
        case TTag::I:
            St.Font.Italic = false;
            break;
        case TTag::U:
            St.Font.Underline = false;
            break;
        case TTag::S:
            St.Font.StrikeOut = false;
            break;
        case TTag::BL:
        case TTag::Body:
            St.Font.Color = Start.Color;
            break;
        case TTag::E:
            St.Error = false;
            break;
        case TTag::Shad:
            St.Shadow = false;
            break;
        case TTag::Sub:
            St.Sub = false;
            break;
        case TTag::Sup:
            St.Sup = false;
            break;
        case TTag::Z:
            St.Hidden = false;
            break;
        case TTag::HI:
            St.Font.Color = St.HighlightSavedColor;
            St.Brush = St.HighlightSavedBrush;
            break;
        case TTag::Font:
            St.Font.Name = Start.Name;
            St.Font.Size = Start.Size;
            if (!St.FontColors.empty()) {
                if (!P.Selected) {
                    St.Font.Color = St.FontColors.back().first;
                    St.Brush = St.FontColors.back().second;
                }
                St.FontColors.pop_back();
            }
            break;
        case TTag::R:
            if (!St.Angles.empty()) {
                St.Font.Angle = St.Angles.back();
                St.Angles.pop_back();
            }
            break;
        case TTag::UL:
            // The end of a list ends its last item's line; without a list the
            // tag reads as the end of underlining.
            if (St.ListLevel == 0) {
                St.Font.Underline = false;
                return TTagAction::Continue;
            }
            --St.ListLevel;
            return TTagAction::EndLine;
        case TTag::P:
            St.ParaBackground = clNone;
            St.Align = THTMLAlign::Left;
            St.Indent = 0;
            return TTagAction::EndLine;
        case TTag::LI:
            return TTagAction::EndLine;
        default:
            break;
        }
        return TTagAction::Continue;
    }

    switch (name) {
    case TTag::A:
        AnchorStart(Tag);
        break;
    case TTag::B:
        St.Font.Bold = true;
        break;
    case TTag::I:
        St.Font.Italic = true;
        break;
    case TTag::U:
        St.Font.Underline = true;
        break;
    case TTag::S:
        St.Font.StrikeOut = true;
        break;
    case TTag::E:
        St.Error = true;
        break;
    case TTag::Shad:
        St.Shadow = true;
        break;
    case TTag::Sub:
        St.Sub = true;
        break;
    case TTag::Sup:
        St.Sup = true;
        break;
    case TTag::Z:
        St.Hidden = true;
        break;
    case TTag::BR:
        return TTagAction::EndLine;
    case TTag::BL:
        if (!P.BlinkVisible) St.Font.Color = StartBrush;
        break;
    case TTag::HR:
        Line.Rule = true;
        return TTagAction::EndLine;
    case TTag::HI:
        St.HighlightSavedColor = St.Font.Color;
        St.HighlightSavedBrush = St.Brush;
        St.Brush = clHighlight;
        St.Font.Color = clHighlightText;
        break;
    case TTag::Body: {
        const std::string bg = Attribute(upper, "BGCOLOR");
        if (!bg.empty()) L.BodyColor = BodyColorFromAttribute(bg);
        const std::string image = Attribute(Tag, "BACKGROUND");
        if (!image.empty()) L.BodyImage = image;
        break;
    }
    case TTag::Font: {
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
        break;
    }
    case TTag::Ind:
        Pen = std::max(Pen, TextToInt(Attribute(upper, "X")));
        break;
    case TTag::R:
        St.Angles.push_back(St.Font.Angle);
        St.Font.Angle = TextToInt(Attribute(upper, "A"));
        break;
    case TTag::UL:
        ++St.ListLevel;
        return TTagAction::EndLine;
    case TTag::LI: {
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
        break;
    }
    case TTag::P: {
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
        break;
    }
    case TTag::Img: {
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
            ImageAlign = THTMLImageAlign::Top;
        else if (align == "MIDDLE")
            ImageAlign = THTMLImageAlign::Middle;
        break;
    }
    case TTag::Control: {
        THTMLPiece ctl;
        ctl.Kind = THTMLPieceKind::Control;
        std::string value;
        ParseControlTag(Tag, ctl.ControlType, ctl.ControlId, ctl.ControlWidth, value);
        ctl.Control = ControlKindOf(ctl.ControlType);
        // A check box or radio button has its own size and needs no WIDTH;
        // the other controls are left out without one.
        const bool ownSize =
            ctl.Control == THTMLControlKind::Check || ctl.Control == THTMLControlKind::Radio;
        int width = 0;
        const bool hasWidth = TryStrToInt(Trim(ctl.ControlWidth), width) && width > 0;
        if ((!hasWidth && !ownSize) || St.Hidden) return TTagAction::Continue;
        ctl.Text = UnescapeControlValue(value);
        ctl.Font = St.Font;
        ctl.Width = width;
        switch (ctl.Control) {
        case THTMLControlKind::Combo:
            ctl.Height = HTMLComboHeight;
            break;
        case THTMLControlKind::Button:
            ctl.Height = HTMLButtonHeight;
            break;
        case THTMLControlKind::Check:
        case THTMLControlKind::Radio:
            ctl.Width = ctl.Height = HTMLCheckSize;
            break;
        default:
            ctl.Height = S.TextExtent(St.Font, "gh").cy + HTMLEditMargin;
            break;
        }
        if (!PlaceBox(ctl, Line, Pen, Consumed, LineEmpty)) return TTagAction::BreakBefore;
        break;
    }
    default:
        break;
    }
    // Any other tag is skipped.
    return TTagAction::Continue;
}

void TLayouter::FinishLine(THTMLLine& Line, int Pen, THTMLImageAlign Align) {
    Line.Width = Pen;
    for (auto it = Line.Pieces.rbegin(); it != Line.Pieces.rend(); ++it) {
        if (it->Kind == THTMLPieceKind::Bullet) continue;
        if (it->Kind == THTMLPieceKind::Text && !it->Text.empty() && it->Text.back() == ' ' &&
            it->X + it->Width == Pen)
            Line.Width -= S.TextExtent(it->Font, " ").cx;
        break;
    }
    if (Align == THTMLImageAlign::Top)
        Line.TextRaise = Line.Height - Line.GhHeight;
    else if (Align == THTMLImageAlign::Middle)
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
        ImageAlign = THTMLImageAlign::Bottom;
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
