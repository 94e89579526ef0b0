#include "model/groupfile.h"

#include <algorithm>
#include <string_view>

#include "model/berger.h"
#include "model/dates.h"
#include "model/group.h"
#include "model/groupfile_check.h"
#include "model/names.h"
#include "model/textutils.h"
#include "platform/rtl/files.h"
#include "platform/rtl/stringlist.h"
#include "platform/rtl/sysutils.h"

using namespace groepcel;

namespace {

const std::string CrLf = "\r\n";
const std::string HalfFileStr = "0.5";

const char* const XmlStart = "<XML>";
const char* const XmlEnd = "</XML>";

// The first date the settings block keeps; earlier dates are written as no date.
TDateTime EersteGeldigeDatum() {
    return EncodeDate(2012, 1, 1);
}

// A text holding the separator, a quote or a line break is quoted the way the
// grid's loader and spreadsheets read it back (unquoted, a line break would start
// a new player line); any other text is written as it is.
std::string CsvField(const std::string& S) {
    if (S.find_first_of(";\"\r\n") == std::string::npos) return S;
    return "\"" + StringReplace(S, "\"", "\"\"", rfReplaceAll) + "\"";
}

std::string HeadingLine(const TGroep& G) {
    std::string line = ";" + CsvField(G.Rec.Naam) + ";Relnr.;Ro;Geb.;MV;";
    const int keer = G.Rec.DubbelRondig ? 2 : 1;
    for (int i = 1; i <= G.Spelers.Count(); ++i)
        for (int k = 0; k < keer; ++k)
            line += IntToStr(i) + ";";
    return line;
}

// The players as the file lists them: in draw-number order.
using TSpelerVolgorde = std::vector<const TSp*>;

TSpelerVolgorde InLotVolgorde(const TGroep& G) {
    TSpelerVolgorde spelers;
    for (int i = 0; i < G.Spelers.Count(); ++i)
        spelers.push_back(G.Spelers.Sp(i));
    std::stable_sort(spelers.begin(), spelers.end(),
                     [](const TSp* A, const TSp* B) { return A->Rec.BergerNr < B->Rec.BergerNr; });
    return spelers;
}

std::string SpelerLine(const TGroep& G, const TSpelerVolgorde& Spelers, size_t Index) {
    const TSp* sp = Spelers[Index];
    std::string line = IntToStr(static_cast<int>(Index) + 1) + ";" +
                       CsvField(MakeFileNaam(sp->Rec)) + ";" + sp->GetRelnrStr() + ";" +
                       RatingToStr(sp->GetRating()) + ";" + GebJaarToStr(sp->Rec.GebJaar) + ";" +
                       (sp->Rec.Sexe == 'V' ? "V" : "M") + ";";
    const int helften = G.Rec.DubbelRondig ? 2 : 1;
    for (const TSp* tegen : Spelers) {
        for (int h = 0; h < helften; ++h) {
            if (tegen == sp) {
                line += "X;";
                continue;
            }
            TKleur kleur;
            const TGame* game = G.Games.GetGameOnBgNrs(sp->Rec.BergerNr, tegen->Rec.BergerNr, kleur,
                                                       h == 0 ? 1 : 0);
            if (game) line += UitslagVeld(game->GetUitslag(kleur));
            line += ";";
        }
    }
    return line;
}

// The tournament's facts and the blocks that hold them.
struct TToernooiFeit {
    const char* Tag;
    std::string TGroepRec::*Veld;
};
constexpr TToernooiFeit ToernooiFeiten[] = {{"PLAATS", &TGroepRec::Plaats},
                                            {"ARBITER", &TGroepRec::Arbiter},
                                            {"SPEELTEMPO", &TGroepRec::Speeltempo},
                                            {"TOERNOOITYPE", &TGroepRec::ToernooiType}};

void AddBlock(std::string& Text, const std::string& Tag, const std::string& Value) {
    Text += ";<" + Tag + ">" + CrLf + ";" + Value + CrLf + ";</" + Tag + ">" + CrLf;
}

std::string SettingsBlock(const TGroepRec& Rec) {
    std::string text = ";" + std::string(XmlStart) + CrLf;
    std::string sorteer;
    for (const TMyStSortItem& item : Rec.SortAr)
        if (item.Aan) sorteer += ";" + SortIdToCode(item.SortId);
    // A director who switched every criterion off chose "none": the block says so,
    // or the file would take over whatever the group read before had.
    if (sorteer.empty() && !Rec.SortAr.empty()) sorteer = ";" + SortIdToCode(siGeen);
    if (!sorteer.empty()) AddBlock(text, "SORTEER", sorteer);
    AddBlock(text, "ZVPOINTS", Rec.MyUseZVPoints ? ";YES" : ";NO");
    const TDateTime datum = CheckDatum(Rec.DatumEersteRonde);
    std::string datumStr = "NO DATE";
    if (datum >= EersteGeldigeDatum()) {
        uint16_t y, m, d;
        DecodeDate(datum, y, m, d);
        datumStr = Format("%04u-%02u-%02u", unsigned{y}, unsigned{m}, unsigned{d});
    }
    AddBlock(text, "ZVDATUM", ";" + datumStr);
    // The tournament's facts belong to this group; only those it has are
    // written, so a group without them keeps the file it always had.
    for (const TToernooiFeit& f : ToernooiFeiten) {
        std::string waarde = Rec.*f.Veld;
        std::replace_if(
            waarde.begin(), waarde.end(),
            [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
        waarde = Trim(waarde);
        if (!waarde.empty()) AddBlock(text, f.Tag, ";" + CsvField(waarde));
    }
    return text + ";" + XmlEnd + CrLf;
}

// ----- reading -----

bool IsTagRow(const TGroepFileRows& Rows, int Row, const std::string& Tag) {
    return UpperCase(Trim(Cell(Rows, 1, Row))) == Tag;
}

// The last column from column 1 on whose heading is Kop, -1 when none.
int FindKolom(const TGroepFileRows& Rows, const std::string& Kop) {
    const std::string kop = UpperCase(Kop);
    int found = -1;
    for (int c = 1; c < ColCount(Rows); ++c)
        if (UpperCase(Trim(Cell(Rows, c, 0))) == kop) found = c;
    return found;
}

// Two result columns per opponent: for every player, his draw number heads exactly
// the two columns from the one before the first result column on.
bool IsDubbelRondig(const TGroepFileRows& Rows, const TGroep& G, int EersteKolom) {
    if (EersteKolom <= 2 || G.Spelers.Count() == 0) return false;
    for (int i = 0; i < G.Spelers.Count(); ++i) {
        const std::string nr = IntToStr(G.Spelers.Sp(i)->Rec.BergerNr);
        int n = 0;
        for (int c = EersteKolom - 1; c < ColCount(Rows); ++c)
            if (Trim(Cell(Rows, c, 0)) == nr) ++n;
        if (n != 2) return false;
    }
    return true;
}

void ReadSpelers(const TGroepFileRows& Rows, const TGroepFileKolommen& K, TGroep& G) {
    for (int r = 1; r < RowCount(Rows); ++r) {
        if (IsNotitie(Rows, r)) continue;
        TSpRec rec;
        InitSpRec(rec);
        rec.BergerNr = r;
        SplitNaam(Cell(Rows, K.Kolom[gkNaam], r), rec);
        rec.Relnr = TrimStrToInt(Cell(Rows, K.Kolom[gkRelnr], r));
        if (rec.Relnr < MinBondsRelnr)
            rec.Relnr =
                UpperCase(MakeNaam(rec, nmAchternaamEerst)) == "VRIJ" ? VrijRelnr : 1000 + r;
        if (RatingType < RatingTypeCount) {
            // As the writer would write it: a number no rating can be is none.
            const int rating = TrimStrToInt(Cell(Rows, K.Kolom[gkRating], r));
            rec.Ratings[RatingType] = RatingToStr(rating).empty() ? 0 : rating;
        }
        const int gebJaar = TrimStrToInt(Cell(Rows, K.Kolom[gkGebJaar], r));
        rec.GebJaar = IsValidGebJaar(gebJaar) ? gebJaar : 0;
        rec.Sexe = UpperCase(Trim(Cell(Rows, K.Kolom[gkSexe], r))) == "V" ? 'V' : 'M';
        G.AddSpeler(rec, IntToZeroStr(r, 3));
    }
}

// Returns why the results cannot be read, "" when they were read.
std::string ReadUitslagen(const TGroepFileRows& Rows, int EersteKolom, TGroep& G) {
    const bool dubbel = G.Rec.DubbelRondig != 0;
    MakeBergerGames(G);
    // Both cycles share the heading "1" and the last one was found.
    if (dubbel) --EersteKolom;
    G.Games.FillGamePoints(dubbel);
    // An odd group's games against the number nobody holds stay without result
    // on both sides, whatever a stray cell beyond the table or a note line
    // below it says.
    std::vector<bool> bezet;
    for (int i = 0; i < G.Spelers.Count(); ++i) {
        const auto nr = static_cast<size_t>(std::max(0, G.Spelers.Sp(i)->Rec.BergerNr));
        if (nr >= bezet.size()) bezet.resize(nr + 1);
        bezet[nr] = true;
    }
    const auto heeftSpeler = [&bezet](int Nr) {
        return Nr >= 0 && static_cast<size_t>(Nr) < bezet.size() && bezet[static_cast<size_t>(Nr)];
    };
    for (int i = 0; i < G.Games.Count(); ++i) {
        auto& slots = G.Games.Game(i)->Rec.Slots;
        const bool beide = heeftSpeler(slots[0].BergerNr) && heeftSpeler(slots[1].BergerNr);
        for (TGameSlot& s : slots) {
            s.Uitslag = ucGeen;
            if (beide) CellToUitslag(Cell(Rows, EersteKolom + s.Col, s.Row + 1), s.Uitslag);
        }
    }
    return KruistabelFout(Rows, EersteKolom, G);
}

// A spreadsheet may save the file again in UTF-8: with a byte order mark, or with
// every cell valid UTF-8 and some of it beyond ASCII (Windows-1252 names seldom
// form such sequences), the cells are taken back to Windows-1252.
void DecodeUtf8Cells(TGroepFileRows& Rows) {
    bool bom = false;
    if (!Rows.empty() && !Rows.front().empty() &&
        Rows.front().front().starts_with("\xEF\xBB\xBF")) {
        Rows.front().front().erase(0, 3);
        bom = true;
    }
    bool hoog = false;
    for (const auto& r : Rows)
        for (const std::string& c : r) {
            if (!IsValidUtf8(c)) return;
            hoog = hoog || std::any_of(c.begin(), c.end(), [](char ch) { return ch & 0x80; });
        }
    if (!bom && !hoog) return;
    for (auto& r : Rows)
        for (std::string& c : r)
            c = Utf8ToCp1252(c);
}

std::vector<std::string> SplitTabFields(const std::string& Line) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (start < Line.size()) {
        const size_t p = std::min(Line.find('\t', start), Line.size());
        fields.push_back(UpperCase(Trim(Line.substr(start, p - start))));
        start = p + 1;
    }
    return fields;
}

// The index of the value line of the block framed by <Tag> and </Tag>; -1 when
// the block is missing or holds no value line.
int FindBlockValue(const TStrings& Lines, const std::string& Tag) {
    const std::string open = "<" + Tag + ">";
    const std::string close = "</" + Tag + ">";
    int start = -1;
    int end = -1;
    for (int i = 0; i < Lines.Count(); ++i) {
        const std::string line = UpperCase(Lines[i]);
        if (start < 0 && line.starts_with(open)) start = i;
        if (end < 0 && line.starts_with(close)) end = i;
    }
    return start < 0 || end < start + 2 ? -1 : start + 1;
}

// The fields of the value line of the block framed by <Tag> and </Tag>,
// upper-cased; false when the block is missing or holds no value line.
bool FindBlock(const TStrings& Lines, const std::string& Tag, std::vector<std::string>& Fields) {
    const int value = FindBlockValue(Lines, Tag);
    if (value < 0) return false;
    Fields = SplitTabFields(Lines[value]);
    return true;
}

// The text of a block's value line as it was written; empty without the block.
std::string BlockText(const TStrings& Lines, const std::string& Tag) {
    const int value = FindBlockValue(Lines, Tag);
    if (value < 0) return "";
    const std::string& line = Lines[value];
    return Trim(line.substr(0, line.find('\t')));
}

std::string FirstField(const std::vector<std::string>& Fields) {
    return Fields.empty() ? "" : Fields.front();
}

// What makes a text unreadable as lines of Windows-1252 fields before any field
// is looked at: the cells it would give hold nothing the director wrote, and a
// reason drawn from them (an empty name, no "X") would mislead.
std::string TekstFout(std::string_view Text) {
    const size_t nul = Text.find('\0');
    if (nul != std::string_view::npos) {
        // Every other byte zero: two-byte Unicode, which the loader reads as
        // single bytes (with or without a byte order mark).
        const size_t n = std::min<size_t>(Text.size() & ~size_t{1}, 256);
        size_t even = 0, odd = 0;
        for (size_t i = 0; i < n; ++i)
            (i % 2 ? odd : even) += Text[i] == '\0' ? 1 : 0;
        if (n >= 4 && std::max(even, odd) * 4 >= n && std::min(even, odd) == 0)
            return "Het bestand is als Unicode-tekst (UTF-16) opgeslagen; een groepsbestand "
                   "is tekst in ANSI of UTF-8.\rBewaar het "
                   "opnieuw als CSV-bestand.";
        const auto regel =
            std::count(Text.begin(), Text.begin() + static_cast<ptrdiff_t>(nul), '\n') + 1;
        return "Het bestand is beschadigd: regel " + IntToStr(static_cast<int>(regel)) +
               " bevat een NUL-teken.";
    }
    if (Text.find("\r\r\n") != std::string_view::npos)
        return "De regels van het bestand eindigen op CR CR LF in plaats van CR LF, zodat na "
               "elke regel een lege regel staat.\rBewaar het opnieuw met gewone regeleinden.";
    // LF CR splits every line in two; an empty line of a CR LF file also holds
    // LF CR, but after its CR.
    for (size_t p = Text.find("\n\r"); p != std::string_view::npos; p = Text.find("\n\r", p + 1))
        if (p == 0 || Text[p - 1] != '\r')
            return "De regels van het bestand eindigen op LF CR in plaats van CR LF.\rBewaar het "
                   "opnieuw met gewone regeleinden.";
    return "";
}

} // namespace

bool TGroep::SaveGroepFile(const std::string& FileName, const TFileVersion* Expected) {
    // The text lists the players in draw order (InLotVolgorde); the list itself
    // is left in the order its windows keep.
    for (int i = 0; i < Games.Count(); ++i)
        SetGameCells(Games.Game(i)->Rec, Rec.DubbelRondig != 0);
    // Raises when the file cannot be written; the old file, the file name and the
    // modified flag then stay as they were.
    std::string inhoud = GroepFileInhoud(*this);
    if (!Expected)
        WriteFileAtomic(FileName, inhoud);
    else if (!WriteFileAtomicIf(FileName, inhoud,
                                [Expected](const TFileVersion& Now) { return Now == *Expected; }))
        return false;
    Rec.FileName = FileName;
    Modified = false;
    DiskVersion = {true, std::move(inhoud)};
    return true;
}

std::string GroepFileInhoud(const TGroep& Groep) {
    const TSpelerVolgorde spelers = InLotVolgorde(Groep);
    std::string text = HeadingLine(Groep) + CrLf;
    for (size_t i = 0; i < spelers.size(); ++i)
        text += SpelerLine(Groep, spelers, i) + CrLf;
    return text + SettingsBlock(Groep.Rec);
}

char GroepFileDelimiter(std::string_view Text) {
    size_t i = Text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    if (Text.compare(i, 2, "\"\"") == 0) i += 2;
    if (i >= Text.size()) return '\0';
    const char c = Text[i];
    return std::string_view(",;#\t|@*-+&").find(c) != std::string_view::npos ? c : '\0';
}

std::string GroepFileFout(std::string_view Text) {
    if (Text.find_first_not_of(" \t\r\n") == std::string_view::npos) return "Het bestand is leeg.";
    if (std::string fout = TekstFout(Text); !fout.empty()) return fout;
    const char delimiter = GroepFileDelimiter(Text);
    const TRegelMaten maten = MeetRegels(Text, delimiter ? delimiter : ';');
    if (std::string fout =
            RegelMatenFout(maten, {MaxGroepFileRegelLengte, MaxGroepFileVelden, MaxGroepFileRegels},
                           "Het bestand", "een groepsbestand");
        !fout.empty())
        return fout;

    // The heading: an empty first field, then the name and the known headings.
    bool kop = false;
    if (delimiter) {
        std::string_view regel = Text.substr(0, Text.find_first_of("\r\n"));
        if (regel.starts_with("\xEF\xBB\xBF")) regel.remove_prefix(3);
        size_t start = 0;
        for (int veld = 0; start <= regel.size() && !kop; ++veld) {
            const size_t eind = std::min(regel.find(delimiter, start), regel.size());
            const std::string tekst =
                UpperCase(Trim(std::string(regel.substr(start, eind - start))));
            if (veld >= 2)
                for (const char* k : {"RELNR.", "RO", "GEB.", "MV", "1"})
                    kop = kop || tekst == k;
            start = eind + 1;
        }
    }
    if (!kop)
        return "Dit is geen groepsbestand: de eerste regel is niet de kop van een kruistabel "
               "(een lege eerste kolom, de groepsnaam, \"Relnr.\", \"Ro\", \"Geb.\", \"MV\" "
               "en de nummers van de spelers).";
    return KommaFout(Text);
}

TGroepFileKolommen FindGroepFileKolommen(const TGroepFileRows& Rows) {
    TGroepFileKolommen k;
    int n = 0;
    for (int c = 1; c < ColCount(Rows); ++c)
        if (Trim(Cell(Rows, c, 0)) == IntToStr(n + 1)) ++n;
    if (n > RowCount(Rows)) n = 0;
    k.AantalSpelers = n;
    for (int id = gkRelnr; id < gkLaatsteUitslag; ++id)
        k.Kolom[static_cast<size_t>(id)] = FindKolom(Rows, GroepFileKoppen[id]);
    k.Kolom[gkLaatsteUitslag] = FindKolom(Rows, IntToStr(n));
    return k;
}

void TakeXMLRows(TGroepFileRows& Rows, TStrings& Lines) {
    Lines.Clear();
    // The block is the file's end: its start is the last start tag below the
    // heading, so that a group or player named like a tag does not hide it.
    int start = RowCount(Rows) - 1;
    while (start >= 1 && !IsTagRow(Rows, start, XmlStart))
        --start;
    if (start < 1) return;
    int end = start + 1;
    while (end < RowCount(Rows) && !IsTagRow(Rows, end, XmlEnd))
        ++end;
    if (end >= RowCount(Rows)) return;
    for (int r = start; r <= end; ++r) {
        std::string line;
        for (const std::string& cell : Rows[static_cast<size_t>(r)])
            if (!cell.empty()) line += cell + "\t";
        if (!line.empty()) Lines.Add(line);
    }
    Rows.erase(Rows.begin() + start, Rows.begin() + end + 1);
}

void DeleteEmptyEndColumns(TGroepFileRows& Rows) {
    int n = ColCount(Rows);
    while (n >= 3 && std::all_of(Rows.begin(), Rows.end(), [n](const auto& r) {
               return static_cast<int>(r.size()) < n || Trim(r[static_cast<size_t>(n - 1)]).empty();
           })) {
        --n;
        for (auto& r : Rows)
            if (static_cast<int>(r.size()) > n) r.resize(static_cast<size_t>(n));
    }
}

TGroepFileKolommen ReadGroepFromRows(TGroep& Groep, const std::string& FileName,
                                     TGroepFileRows& Rows, TDateTime Datum) {
    Groep.Rec.FileName = FileName;
    Groep.Clear();
    const TGroepRec vooraf = Groep.Rec;
    const auto weiger = [&Groep, &vooraf](std::string Fout) {
        Groep.Clear();
        Groep.Rec = vooraf;
        TGroepFileKolommen refused;
        refused.Fout = std::move(Fout);
        return refused;
    };
    DecodeUtf8Cells(Rows);
    // Settings rows that are not taken out as the block would be read as players.
    const std::string xmlFout = XMLRegelsFout(Rows);
    TStringList xml;
    TakeXMLRows(Rows, xml);
    // Empty lines at the end (an editor's last line break, a spreadsheet's rows
    // of bare separators) are no players.
    while (Rows.size() > 1 && std::all_of(Rows.back().begin(), Rows.back().end(),
                                          [](const std::string& c) { return Trim(c).empty(); }))
        Rows.pop_back();
    DeleteEmptyEndColumns(Rows);
    const int cols = ColCount(Rows);
    for (auto& r : Rows)
        r.resize(static_cast<size_t>(cols));
    if (!xmlFout.empty()) return weiger(xmlFout);
    if (cols <= 2 || RowCount(Rows) <= 2) return TGroepFileKolommen{};
    int spelers = 0;
    for (int r = 1; r < RowCount(Rows); ++r)
        if (!IsNotitie(Rows, r)) ++spelers;
    if (spelers > MaxGroepFileSpelers)
        return weiger("Het bestand heeft " + IntToStr(spelers) +
                      " spelers; een groep heeft er hoogstens " + IntToStr(MaxGroepFileSpelers) +
                      ".");

    Groep.Rec.Naam = Trim(Cell(Rows, 1, 0));
    Groep.Rec.DatumEersteRonde = Datum;
    // What the group before held of the tournament's facts is not this one's.
    ClearToernooiInfo(Groep.Rec);
    // The settings come before the games so that the games carry the date the
    // settings block gives.
    if (xml.Count() > 0) ParseXMLBlock(xml, Groep);

    TGroepFileKolommen k = FindGroepFileKolommen(Rows);
    std::string fout = KopNummersFout(Rows, k, spelers);
    if (fout.empty()) fout = KolommenFout(Rows, k);
    if (!fout.empty()) return weiger(std::move(fout));
    ReadSpelers(Rows, k, Groep);
    const int eerste = k.Kolom[gkEersteUitslag];
    Groep.Rec.DubbelRondig = IsDubbelRondig(Rows, Groep, eerste) ? 1 : 0;
    if (eerste < 0) return k;
    fout = ReadUitslagen(Rows, eerste, Groep);
    if (fout.empty()) return k;
    return weiger(std::move(fout));
}

void ParseXMLBlock(const TStrings& Lines, TGroep& Groep) {
    TGroepRec& rec = Groep.Rec;
    std::vector<std::string> fields;
    if (FindBlock(Lines, "SORTEER", fields)) {
        // The switched-on criteria in the file's order, which is the director's
        // order of the tie-breaks; the others follow, off.
        rec.SortAr.clear();
        const auto heeft = [&rec](TSortId Id) {
            return std::any_of(rec.SortAr.begin(), rec.SortAr.end(),
                               [Id](const TMyStSortItem& i) { return i.SortId == Id; });
        };
        for (const std::string& f : fields)
            for (TSortId id = siOnderling; id <= siLootNr; ++id)
                if (SortIdToCode(id) == f && !heeft(id)) Groep.AddSortItem(id, true);
        for (TSortId id = siOnderling; id <= siLootNr; ++id)
            if (!heeft(id)) Groep.AddSortItem(id, false);
    }
    if (FindBlock(Lines, "ZVPOINTS", fields)) {
        const std::string v = FirstField(fields);
        if (v == "YES")
            rec.MyUseZVPoints = 1;
        else if (v == "NO")
            rec.MyUseZVPoints = 0;
    }
    rec.DatumEersteRonde = 0;
    if (FindBlock(Lines, "ZVDATUM", fields)) {
        const TDateTime datum = StrToDatum(doJMD, FirstField(fields));
        if (datum >= EersteGeldigeDatum()) rec.DatumEersteRonde = datum;
    }
    for (const TToernooiFeit& f : ToernooiFeiten)
        rec.*f.Veld = BlockText(Lines, f.Tag);
}
