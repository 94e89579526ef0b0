// Reading the federation lists into a member list, and the member texts. Plain
// model code: no grid, no window, so that the readers run from memory too.

#include <array>
#include <unordered_set>

#include "app/ledenlijst.h"
#include "model/group.h"
#include "model/names.h"
#include "model/objects.h"
#include "model/player.h"
#include "model/textutils.h"
#include "platform/rtl/stringlist.h"
#include "platform/rtl/sysutils.h"

namespace {

// Member numbers a list holds already, found in constant time: the lists run
// to hundreds of thousands of lines, and looking each number up in the list
// itself made a load take minutes.
class TSeenRelnrs {
public:
    explicit TSeenRelnrs(const TSpList& List) {
        for (int i = 0; i < List.Count(); ++i)
            FSeen.insert(List.Sp(i)->Rec.Relnr);
    }
    // True the first time a number comes.
    bool Add(int32_t Relnr) { return FSeen.insert(Relnr).second; }

private:
    std::unordered_set<int32_t> FSeen;
};

void AddLid(TSpList& LedenList, const TSpRec& Rec) {
    LedenList.OwnsObjects = true;
    LedenList.AddObject(LedenKey(Rec), new TSp(Rec));
}

// Where the fixed columns of a rating-list line end: a TAB goes over each of
// these characters (1-based), so that the fields can be cut from the left.
constexpr std::array<size_t, 7> RatingVeldEinden = {7, 15, 35, 45, 53, 55, 61};

char SexeOf(const std::string& Field, bool Exact) {
    if (Exact) return Field == "V" ? 'V' : 'M';
    return !Field.empty() && Field[0] == 'V' ? 'V' : 'M';
}

// Ids of the member-list fields.
enum : uint8_t {
    liRelnr = 0,
    liVereniging = 1,
    liLidmaatschap = 2,
    liAchternaam = 3,
    liTussenvoegsel = 4,
    liVoornaam = 5,
    liVoorletters = 6,
    liSexe = 7,
    liGebJaar = 8,
    liNationaliteit = 9,
    liKnsbRating = 10,
    liJeugdRating = 11,
    liFideRating = 12,
    liFideId = 13,
    liTitel = 14,
    liRating = 17,
};

// The trimmed cell of a field, empty when the layout has no column for it.
std::string FieldOf(const TGridId& Ids, const TLedenCell& Cell, uint8_t Id, int Row) {
    const int col = Ids.GetKolom(Id);
    return col < 0 ? std::string() : Trim(Cell(col, Row));
}

// The person of a member-list row; its ratings are left to the caller.
void ReadLedenRow(const TGridId& Ids, const TLedenCell& Cell, int Row, TSpRec& Rec) {
    InitSpRec(Rec);
    if (const std::string s = FieldOf(Ids, Cell, liRelnr, Row); !s.empty())
        Rec.Relnr = TrimStrToInt(s);
    Rec.Achternaam = FieldOf(Ids, Cell, liAchternaam, Row);
    Rec.Tussenvoegsel = FieldOf(Ids, Cell, liTussenvoegsel, Row);
    Rec.Voornaam = FieldOf(Ids, Cell, liVoornaam, Row);
    Rec.Voorletters = FieldOf(Ids, Cell, liVoorletters, Row);
    Rec.Sexe = SexeOf(FieldOf(Ids, Cell, liSexe, Row), true);
    Rec.GebJaar = TrimStrToInt(FieldOf(Ids, Cell, liGebJaar, Row));
}

void ReadRating(const TGridId& Ids, const TLedenCell& Cell, uint8_t Id, int Row, TSpRec& Rec,
                TRatingType Kind) {
    if (Kind >= RatingTypeCount) return;
    if (const std::string s = FieldOf(Ids, Cell, Id, Row); !s.empty())
        Rec.Ratings[Kind] = TrimStrToInt(s);
}

} // namespace

std::string LedenKey(const TSpRec& Rec) {
    return MakeNaamKey(MakeNaam(Rec, nmAchternaamEerst), 8);
}

void EmptyLedenList(TSpList& LedenList) {
    if (!LedenList.OwnsObjects)
        for (int i = 0; i < LedenList.Count(); ++i)
            delete LedenList.Sp(i);
    LedenList.Clear();
}

bool ParseRatingLine(const std::string& Line, TSpRec& Rec) {
    InitSpRec(Rec);
    if (Line.size() < static_cast<size_t>(RatingLineLength)) return false;
    std::string s = Line;
    // Columns are fixed: a TAB of the line's own is no separator and must not
    // shift the fields after it.
    for (char& c : s)
        if (c == '\t') c = ' ';
    // A line of exactly 60 characters ends where the last separator would go.
    for (const size_t pos : RatingVeldEinden) {
        if (pos <= s.size())
            s[pos - 1] = '\t';
        else
            s += '\t';
    }
    CutTabField(s); // the federation's own sequence number: kept by no rule
    Rec.Relnr = CutTabInt(s);
    Rec.Achternaam = CutTabField(s);
    Rec.Voornaam = CutTabField(s);
    if (!Rec.Voornaam.empty()) Rec.Voorletters = AnsiUpperCase(Rec.Voornaam.substr(0, 1)) + ".";
    Rec.Tussenvoegsel = CutTabField(s);
    Rec.Sexe = SexeOf(CutTabField(s), false);
    const int rating = CutTabInt(s);
    if (RatingType < RatingTypeCount) Rec.Ratings[RatingType] = rating;
    return true;
}

void ReadRatingLines(const TStrings& Lines, TSpList& LedenList) {
    TSeenRelnrs seen(LedenList);
    TSpRec rec;
    for (int i = 1; i < Lines.Count(); ++i) {
        if (!ParseRatingLine(Lines.Get(i), rec)) continue;
        if (rec.Relnr >= MinBondsRelnr && seen.Add(rec.Relnr)) AddLid(LedenList, rec);
    }
}

void ReadRatingList(const std::string& FileName, TSpList& LedenList) {
    TStringList lines;
    try {
        lines.LoadFromFile(FileName);
    } catch (const Exception&) {
        return; // gone or unreadable: no members
    }
    ReadRatingLines(lines, LedenList);
}

void MakeNJRGridId(TGridId& Ids) {
    Ids.Clear();
    Ids.AddId(liVereniging, "Vereniging", 0);
    Ids.AddId(liRelnr, "RelNr", 1);
    Ids.AddId(liVoornaam, "Voornaam", 2);
    Ids.AddId(liTussenvoegsel, "TV", 3);
    Ids.AddId(liAchternaam, "FamNaam", 4);
    Ids.AddId(liVoorletters, "VL", 5);
    Ids.AddId(liSexe, "Sexe", 6);
    Ids.AddId(liGebJaar, "GebJaar", 7);
    Ids.AddId(liRating, "Rating", 8);
}

void MakeKnsbGridId(TGridId& Ids) {
    Ids.Clear();
    Ids.AddId(liRelnr, "Relatienummer", 0);
    Ids.AddId(liVereniging, "VerenigingID", 1);
    Ids.AddId(liLidmaatschap, "LidmaatschapTypeID", 2);
    Ids.AddId(liAchternaam, "Achternaam", 3);
    Ids.AddId(liTussenvoegsel, "Tussenvoegsel", 4);
    Ids.AddId(liVoornaam, "Voornaam", 5);
    Ids.AddId(liVoorletters, "Voorletters", 6);
    Ids.AddId(liSexe, "Geslacht", 8);
    Ids.AddId(liGebJaar, "Geboren", 9);
    Ids.AddId(liNationaliteit, "Nationaliteit", 10);
    Ids.AddId(liKnsbRating, "KNSBRating", 11);
    Ids.AddId(liJeugdRating, "KNSBJeugdRating", 12);
    Ids.AddId(liFideRating, "FIDERating", 15);
    Ids.AddId(liFideId, "FIDEId", 16);
    Ids.AddId(liTitel, "Titel", 17);
}

void ReadNJRLedenRows(int RowCount, const TLedenCell& Cell, TSpList& LedenList) {
    TGridId ids;
    MakeNJRGridId(ids);
    TSpRec rec;
    for (int row = 1; row < RowCount; ++row) {
        ReadLedenRow(ids, Cell, row, rec);
        ReadRating(ids, Cell, liRating, row, rec, RatingType);
        if (rec.Relnr >= MinBondsRelnr) AddLid(LedenList, rec);
    }
}

void ReadKnsbLedenRows(int RowCount, const TLedenCell& Cell, TSpList& LedenList,
                       const TLedenProgress& Progress) {
    TGridId ids;
    MakeKnsbGridId(ids);
    TSeenRelnrs seen(LedenList);
    TSpRec rec;
    for (int row = 1; row < RowCount; ++row) {
        ReadLedenRow(ids, Cell, row, rec);
        ReadRating(ids, Cell, liKnsbRating, row, rec, rtKNSB);
        ReadRating(ids, Cell, liJeugdRating, row, rec, rtJeugd);
        ReadRating(ids, Cell, liFideRating, row, rec, rtFIDE);
        if (rec.Relnr >= MinBondsRelnr && seen.Add(rec.Relnr)) AddLid(LedenList, rec);
        if (Progress && row % LeesVoortgangStap == 0) Progress(row);
    }
}

std::string ZoekTekst(const std::string& Text) {
    return Trim(Text).substr(0, 10);
}

std::string MemberInfoStr(const TSp& Speler) {
    const TSpRec& r = Speler.Rec;
    return Speler.GetNaam() + "; Relnr.=" + (r.Relnr >= MinBondsRelnr ? IntToStr(r.Relnr) : "?") +
           "; Rating=" + RatingToStr(Speler.GetRating()) +
           "; Geboren: " + (IsValidGebJaar(r.GebJaar) ? IntToStr(r.GebJaar) : "?");
}

void CopyLidToSpeler(const TSpRec& Lid, TSpRec& Speler) {
    TSpRec r = Lid;
    r.BergerNr = Speler.BergerNr;
    if (IsValidGebJaar(Speler.GebJaar) && !IsValidGebJaar(Lid.GebJaar)) r.GebJaar = Speler.GebJaar;
    r.NrUitslagen = Speler.NrUitslagen;
    r.Plaats = Speler.Plaats;
    r.OnderlingScore = Speler.OnderlingScore;
    r.OnderlingStr = Speler.OnderlingStr;
    r.OnderlingSort = Speler.OnderlingSort;
    r.ZVPunten = Speler.ZVPunten;
    Speler = r;
}
