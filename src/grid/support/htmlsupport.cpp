#include "grid/support/htmlsupport.h"

#include <array>
#include <utility>

#include "platform/rtl/files.h"
#include "platform/rtl/sysutils.h"

namespace {

constexpr std::array<std::pair<const char*, TColor>, 16> NamedColors = {{
    {"clred", 0x0000FF},
    {"clblack", 0},
    {"clblue", 0xFF0000},
    {"clgreen", 0x008000},
    {"claqua", 0xFFFF00},
    {"clyellow", 0x00FFFF},
    {"clfuchsia", 0xFF00FF},
    {"clwhite", 0xFFFFFF},
    {"cllime", 0x00FF00},
    {"clsilver", 0xC0C0C0},
    {"clgray", 0x808080},
    {"clolive", 0x008080},
    {"clnavy", 0x800000},
    {"clpurple", 0x800080},
    {"clteal", 0x808000},
    {"clmaroon", 0x000080},
}};

// System colours in index order from 1.
constexpr std::array<const char*, 24> SystemColorNames = {
    "clbackground",
    "clactivecaption",
    "clinactivecaption",
    "clmenu",
    "clwindow",
    "clwindowframe",
    "clmenutext",
    "clwindowtext",
    "clcaptiontext",
    "clactiveborder",
    "clinactiveborder",
    "clappworkspace",
    "clhighlight",
    "clhighlighttext",
    "clbtnface",
    "clbtnshadow",
    "clgraytext",
    "clbtntext",
    "clinactivecaptiontext",
    "clbtnhighlight",
    "cl3ddkshadow",
    "cl3dlight",
    "clinfotext",
    "clinfobk",
};

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

} // namespace

TColor ColorFromName(const std::string& Name) {
    for (const auto& [name, color] : NamedColors)
        if (Name == name) return color;
    for (size_t i = 0; i < SystemColorNames.size(); ++i)
        if (Name == SystemColorNames[i]) return MakeSystemColor(static_cast<int>(i + 1));
    return 0;
}

int HexByteValue(const std::string& Text) {
    if (Text.size() < 2) return 0;
    const int hi = HexDigit(Text[0]), lo = HexDigit(Text[1]);
    if (hi < 0 || lo < 0) return -1;
    return hi * 16 + lo;
}

bool TryColorFromHex(const std::string& Text, TColor& Color) {
    if (Text.size() != 7 || Text[0] != '#') return false;
    const int r = HexByteValue(Text.substr(1, 2));
    const int g = HexByteValue(Text.substr(3, 2));
    const int b = HexByteValue(Text.substr(5, 2));
    if (r < 0 || g < 0 || b < 0) return false;
    Color = RGB(r, g, b);
    return true;
}

TColor ColorFromHex(const std::string& Text) {
    TColor c = 0;
    return TryColorFromHex(Text, c) ? c : 0;
}

TColor ColorFromAttribute(const std::string& Value) {
    const std::string v = Trim(Value);
    if (!v.empty() && v[0] == '#') return ColorFromHex(v);
    return ColorFromName(LowerCase(v));
}

int PosIgnoreCase(const std::string& Sub, const std::string& Text) {
    return Pos(AnsiUpperCase(Sub), AnsiUpperCase(Text));
}

int TextToInt(const std::string& Text) {
    return StrToIntDef(Trim(Text), 0);
}

std::string StripTemplateTag(const std::string& Text) {
    const size_t p = Text.find("<#");
    if (p == std::string::npos) return Text;
    std::string s = Text;
    s.erase(p, 1); // the '<'
    const size_t gt = s.find('>', p);
    if (gt != std::string::npos) s.erase(gt, 1);
    return s;
}

void LinesToHTML(const std::string& Text, bool BreakLines, std::string& Result) {
    for (const char c : Text) {
        if (c == '\r') {
            if (BreakLines) Result += "<BR>";
        } else if (c != '\n') {
            Result += c;
        }
    }
}

int FindText(const std::string& Sub, const std::string& Text, int& Pos) {
    Pos = ::Pos(Sub, Text);
    return Pos;
}

int FindUpperText(const std::string& Sub, const std::string& Text, int& Pos) {
    Pos = ::Pos(Sub, AnsiUpperCase(Text));
    return Pos;
}

bool ReplaceFirstIgnoreCase(const std::string& Find, const std::string& Replace,
                            std::string& Text) {
    if (Find.empty()) return false;
    const int p = PosIgnoreCase(Find, Text);
    if (p == 0) return false;
    Text.replace(static_cast<size_t>(p - 1), Find.size(), Replace);
    return true;
}

std::string UnescapeAngles(const std::string& Text) {
    return StringReplace(StringReplace(Text, "&lt;", "<", rfReplaceAll), "&gt;", ">", rfReplaceAll);
}

std::string EscapeAngles(const std::string& Text) {
    std::string out;
    out.reserve(Text.size());
    for (const char c : Text) {
        if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

std::string EscapeControlValue(const std::string& Text) {
    return StringReplace(EscapeAngles(Text), "\"", "&quot;", rfReplaceAll);
}

std::string UnescapeControlValue(const std::string& Text) {
    return UnescapeAngles(StringReplace(Text, "&quot;", "\"", rfReplaceAll));
}

bool FindTagAttribute(const std::string& Tag, const std::string& Name, std::string& Value) {
    const std::string upper = AnsiUpperCase(Tag);
    const std::string name = AnsiUpperCase(Name);
    bool inQuotes = false;
    for (size_t i = 0; i < upper.size(); ++i) {
        if (upper[i] == '"') {
            inQuotes = !inQuotes;
            continue;
        }
        if (inQuotes || upper.compare(i, name.size(), name) != 0) continue;
        const char before = i > 0 ? upper[i - 1] : ' ';
        if (before != ' ' && before != '\t' && before != '<' && before != '\r' && before != '\n')
            continue;
        size_t k = i + name.size();
        while (k < upper.size() && upper[k] == ' ')
            ++k;
        if (k >= upper.size() || upper[k] != '=') continue;
        const size_t q1 = Tag.find('"', k);
        if (q1 == std::string::npos) return false;
        const size_t q2 = Tag.find('"', q1 + 1);
        if (q2 == std::string::npos) return false;
        Value = Tag.substr(q1 + 1, q2 - q1 - 1);
        return true;
    }
    return false;
}

void ParseControlTag(const std::string& Tag, std::string& Type, std::string& ID, std::string& Width,
                     std::string& Value) {
    std::string v;
    if (FindTagAttribute(Tag, "TYPE", v)) Type = AnsiUpperCase(v);
    if (FindTagAttribute(Tag, "WIDTH", v)) Width = v;
    if (FindTagAttribute(Tag, "ID", v)) ID = v;
    if (FindTagAttribute(Tag, "VALUE", v)) Value = v;
}

bool SetControlTagValue(std::string& HTML, const std::string& ID, const std::string& Value) {
    const std::string upper = AnsiUpperCase(HTML);
    size_t from = 0;
    while (true) {
        const size_t lt = upper.find("<CONTROL ", from);
        if (lt == std::string::npos) return false;
        const size_t gt = HTML.find('>', lt);
        if (gt == std::string::npos) return false;
        const std::string tag = HTML.substr(lt, gt - lt);
        std::string type, id, width, value;
        ParseControlTag(tag, type, id, width, value);
        if (id == ID) {
            const std::string rewritten = "CONTROL ID=\"" + id + "\" VALUE=\"" +
                                          EscapeControlValue(Value) + "\" WIDTH=\"" + width +
                                          "\" TYPE=\"" + type + "\">";
            HTML = HTML.substr(0, lt + 1) + rewritten + HTML.substr(gt + 1);
            return true;
        }
        from = gt + 1;
    }
}

bool IsDirectory(const std::string& Path) {
    return DirectoryExists(Path);
}

std::string StripHTML(const std::string& Text) {
    std::string s = StringReplace(Text, "<BR>", "\r\n", TReplaceFlags{rfReplaceAll, rfIgnoreCase});
    s = StringReplace(s, "<HR>", "\r\n", TReplaceFlags{rfReplaceAll, rfIgnoreCase});
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        if (s[i] != '<') {
            out += s[i++];
            continue;
        }
        const size_t gt = s.find('>', i);
        if (gt == std::string::npos) {
            out.append(s, i, std::string::npos);
            break;
        }
        i = gt + 1;
    }
    return out;
}

namespace {

constexpr std::array<std::pair<const char*, const char*>, 12> Entities = {{
    {"&amp;", "&"},
    {"&quot;", "\""},
    {"&lt;", "<"},
    {"&gt;", ">"},
    {"&nbsp;", " "},
    {"&sect;", "\xA7"},
    {"&permil;", "\x89"},
    {"&reg;", "\xAE"},
    {"&copy;", "\xA9"},
    {"&para;", "\xB6"},
    {"&trade;", "\x99"},
    {"&euro;", "\x80"},
}};

} // namespace

std::string DecodeHTMLEntities(const std::string& Text) {
    if (Text.find('&') == std::string::npos) return Text;
    std::string out;
    out.reserve(Text.size());
    for (size_t i = 0; i < Text.size();) {
        if (Text[i] == '&') {
            bool done = false;
            for (const auto& [entity, ch] : Entities) {
                const std::string_view e(entity);
                if (Text.compare(i, e.size(), e) == 0) {
                    out += ch;
                    i += e.size();
                    done = true;
                    break;
                }
            }
            if (done) continue;
        }
        out += Text[i++];
    }
    return out;
}
