#include "model/names.h"

#include "platform/rtl/sysutils.h"

std::string MakeNaamKey(const std::string& S, int N) {
    std::string key;
    for (const char c : Trim(AnsiUpperCase(S)))
        if (c >= 'A' && c <= 'Z') key += c;
    key.resize(static_cast<size_t>(N < 0 ? 0 : N), 'A');
    return key;
}

std::string MakeNaam(const TSpRec& Rec, TNaamMode Mode) {
    const std::string achternaam = Trim(Rec.Achternaam);
    const std::string tussenvoegsel = Trim(Rec.Tussenvoegsel);
    const std::string voorletters = Trim(Rec.Voorletters);
    const std::string voornaam = Trim(Rec.Voornaam);
    if (Mode == nmAchternaamEerst) {
        if (achternaam.empty()) return voornaam;
        std::string s = achternaam + ",";
        if (!tussenvoegsel.empty()) s += tussenvoegsel + " ";
        s += voorletters;
        // The first name goes in last: the tidying of blanks is for the parts
        // around it, "Johannes (Hans)" keeps its own.
        const char plek = '\x01';
        if (!voornaam.empty()) s += std::string(" (") + plek + ")";
        s = Trim(s);
        s = StringReplace(s, ", ", ",", rfReplaceAll);
        if (!s.empty() && s.back() == ',') s.pop_back();
        s = StringReplace(s, " (", "(", rfReplaceAll);
        if (const size_t p = s.find(plek); p != std::string::npos) s.replace(p, 1, voornaam);
        return s;
    }
    if (Mode == nmVoornaamEerst) {
        std::string s = voornaam;
        if (!voornaam.empty() && !achternaam.empty()) s += " ";
        if (!tussenvoegsel.empty()) {
            // A particle without surname would otherwise stick to the first name.
            if (achternaam.empty())
                return voornaam.empty() ? tussenvoegsel : s + " " + tussenvoegsel;
            s += tussenvoegsel + " ";
        }
        return s + achternaam;
    }
    return "";
}

std::string MakeFileNaam(const TSpRec& Rec) {
    const std::string naam = MakeNaam(Rec, nmAchternaamEerst);
    // Without surname the surname-first form is the bare first name, which
    // would read back as a surname.
    if (!Trim(Rec.Achternaam).empty()) return naam;
    TSpRec rec = Rec;
    rec.Achternaam = "?";
    const std::string metAchternaam = MakeNaam(rec, nmAchternaamEerst);
    return metAchternaam.substr(1);
}

namespace {

// "Achternaam,tussenvoegsel V.L.(Voornaam)"
void SplitAchternaamEerst(const std::string& Text, TSpRec& Rec) {
    std::string rest = Text;
    if (const size_t open = rest.find('('); open != std::string::npos) {
        std::string voornaam = rest.substr(open + 1);
        if (const size_t close = voornaam.find(')'); close != std::string::npos)
            voornaam.erase(close, 1);
        Rec.Voornaam = Trim(voornaam);
        rest.erase(open);
    }
    if (rest.find(',') == std::string::npos) rest += ',';
    const size_t comma = rest.find(',');
    Rec.Achternaam = Trim(rest.substr(0, comma));
    const std::string after = rest.substr(comma + 1);
    // The initials are the words at the end that start with a capital and hold a
    // dot ("van der J.P.", "J. P."), so that an abbreviated particle such as
    // "v.d." stays the particle.
    size_t start = after.size();
    for (size_t end = after.find_last_not_of(' '); end != std::string::npos;) {
        const size_t blank = after.find_last_of(' ', end);
        const size_t word = blank == std::string::npos ? 0 : blank + 1;
        const char first = after[word];
        if (after.find('.', word) > end || AnsiUpperChar(first) != first ||
            AnsiLowerChar(first) == first)
            break;
        start = word;
        end = blank == std::string::npos ? blank : after.find_last_not_of(' ', blank);
    }
    const size_t dot = after.find('.');
    if (start < after.size()) {
        Rec.Voorletters = Trim(after.substr(start));
        Rec.Tussenvoegsel = Trim(after.substr(0, start));
    } else if (dot != std::string::npos && dot > 0) {
        // The initials run from the letter before the first dot to the end, so that
        // more than one initial ("J.P.") survives a save and a read.
        Rec.Voorletters = Trim(after.substr(dot - 1));
        Rec.Tussenvoegsel = Trim(after.substr(0, dot - 1));
    } else {
        Rec.Tussenvoegsel = Trim(after);
    }
}

// "Voornaam tussenvoegsel Achternaam"
void SplitVoornaamEerst(const std::string& Text, TSpRec& Rec) {
    const size_t blank = Text.find(' ');
    if (blank == std::string::npos) {
        Rec.Achternaam = Text;
        return;
    }
    Rec.Voornaam = Trim(Text.substr(0, blank + 1));
    const std::string rest = Trim(Text.substr(blank + 1));
    const size_t last = rest.rfind(' ');
    if (last == std::string::npos) {
        Rec.Achternaam = rest;
        return;
    }
    Rec.Tussenvoegsel = Trim(rest.substr(0, last));
    Rec.Achternaam = Trim(rest.substr(last + 1));
}

} // namespace

void SplitNaam(const std::string& Text, TSpRec& Rec) {
    const std::string t = Trim(Text);
    Rec.Achternaam.clear();
    Rec.Tussenvoegsel.clear();
    Rec.Voorletters.clear();
    Rec.Voornaam.clear();
    // A comma marks the surname-first form too: a name without first name is
    // written without brackets.
    if (t.find('(') != std::string::npos || t.find(',') != std::string::npos)
        SplitAchternaamEerst(t, Rec);
    else
        SplitVoornaamEerst(t, Rec);
    if (Rec.Voorletters.empty() && !Rec.Voornaam.empty())
        Rec.Voorletters = std::string(1, AnsiUpperChar(Rec.Voornaam[0])) + ".";
}
