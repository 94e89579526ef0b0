#include "model/groupfile_check.h"

#include <algorithm>

#include "model/group.h"
#include "model/names.h"
#include "model/rating.h"
#include "model/textutils.h"
#include "platform/rtl/sysutils.h"

using namespace groepcel;

namespace groepcel {

std::string Cell(const TGroepFileRows& Rows, int Col, int Row) {
    if (Row < 0 || Col < 0 || Row >= static_cast<int>(Rows.size())) return "";
    const auto& r = Rows[static_cast<size_t>(Row)];
    return Col < static_cast<int>(r.size()) ? r[static_cast<size_t>(Col)] : "";
}

int ColCount(const TGroepFileRows& Rows) {
    size_t n = 0;
    for (const auto& r : Rows)
        n = std::max(n, r.size());
    return static_cast<int>(n);
}

int RowCount(const TGroepFileRows& Rows) {
    return static_cast<int>(Rows.size());
}

bool IsNotitie(const TGroepFileRows& Rows, int Row) {
    return Cell(Rows, 0, Row).find('#') != std::string::npos;
}

} // namespace groepcel

namespace {

const std::string NietIngelezen = "Het bestand is niet ingelezen.";

std::string Regel(int Row) {
    return "regel " + IntToStr(Row + 1);
}

std::string Kolom(int Col) {
    return "kolom " + IntToStr(Col + 1);
}

// A cell's text quoted for a message; a long one cut short.
std::string Citaat(const std::string& Text) {
    return "\"" + (Text.size() > 40 ? Text.substr(0, 40) + "..." : Text) + "\"";
}

std::string Naam(const TGroep& G, int BergerNr) {
    const TSp* sp = G.Spelers.GetSpelerOnBergerNr(BergerNr);
    return sp ? MakeNaam(sp->Rec, nmVoornaamEerst) : "nummer " + IntToStr(BergerNr);
}

bool IsX(const std::string& Text) {
    return UpperCase(Trim(Text)) == "X";
}

// "<NAAM>" or "</NAAM>": a line of the settings block.
bool IsTag(const std::string& Text) {
    if (Text.size() < 3 || Text.front() != '<' || Text.back() != '>') return false;
    const size_t begin = Text[1] == '/' ? 2 : 1;
    return begin < Text.size() - 1 &&
           std::all_of(Text.begin() + static_cast<ptrdiff_t>(begin), Text.end() - 1,
                       [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
}

std::string Onvolledig(int Nummers, int Spelers) {
    return "De kruistabel is niet compleet: de kop nummert de uitslagen tot " + IntToStr(Nummers) +
           ", maar er staan " + IntToStr(Spelers) +
           " spelers onder.\rIs de regel van een speler verwijderd? " + NietIngelezen +
           " Zijn uitslagen zouden verloren gaan.";
}

// A value the column's heading allows: empty or 0 for none, or one the writer
// would write back as it is.
bool WaardeKlopt(int Id, const std::string& Text) {
    if (Text.empty()) return true;
    if (Id == gkSexe) return UpperCase(Text) == "M" || UpperCase(Text) == "V";
    int v;
    if (!TryStrToInt(Text, v)) return false;
    if (v == 0) return true;
    if (Id == gkRelnr) return v >= MinBondsRelnr;
    if (Id == gkRating) return IsValidRating(v);
    return IsValidGebJaar(v);
}

std::string WaardeSoort(int Id) {
    switch (Id) {
    case gkRelnr:
        return "geen relatienummer (die beginnen bij " + IntToStr(MinBondsRelnr) + ")";
    case gkRating:
        return "geen rating";
    case gkGebJaar:
        return "geen geboortejaar";
    default:
        return "geen M of V";
    }
}

// The first column of the results: the first headed "1" after the name.
int EersteUitslagKolom(const TGroepFileRows& Rows, const TGroepFileKolommen& K) {
    if (K.Kolom[gkEersteUitslag] < 0) return ColCount(Rows);
    for (int c = 2; c < ColCount(Rows); ++c)
        if (Trim(Cell(Rows, c, 0)) == "1") return c;
    return ColCount(Rows);
}

std::string OnbekendeKolom(const TGroepFileRows& Rows, const TGroepFileKolommen& K, int Col,
                           int Row) {
    const std::string kop = Trim(Cell(Rows, Col, 0));
    std::string wat = "De kop " + Citaat(kop) + " van " + Kolom(Col) + " kent het programma niet";
    if (kop.empty()) wat = "Boven " + Kolom(Col) + " staat geen kop";
    for (int id = gkRelnr; id <= gkPlaats; ++id)
        if (UpperCase(kop) == UpperCase(GroepFileKoppen[id]))
            wat = "De kop " + Citaat(kop) + " staat boven " + Kolom(Col) + " en boven " +
                  Kolom(K.Kolom[static_cast<size_t>(id)]);
    return wat + ", maar " + Regel(Row) + " heeft daar de waarde " +
           Citaat(Trim(Cell(Rows, Col, Row))) +
           ".\rDe koppen die het programma kent, zijn \"Relnr.\", \"Ro\", \"Geb.\", \"MV\" en "
           "\"Pl.\". " +
           NietIngelezen + " De waarden van die kolom zouden verloren gaan.";
}

// With results in the file, every player's own cell must be the "X" under his own
// draw number; else player lines were moved or result columns deleted, and every
// result would be read against the wrong opponent.
std::string EigenVakFout(const TGroepFileRows& Rows, int EersteKolom, const TGroep& G) {
    const bool dubbel = G.Rec.DubbelRondig != 0;
    for (int i = 0; i < G.Spelers.Count(); ++i) {
        const int nr = G.Spelers.Sp(i)->Rec.BergerNr;
        for (int h = 0; h < (dubbel ? 2 : 1); ++h) {
            const int col = EersteKolom + (dubbel ? nr * 2 - 2 + h : nr - 1);
            if (IsX(Cell(Rows, col, nr)) && Trim(Cell(Rows, col, 0)) == IntToStr(nr)) continue;
            return "De kruistabel klopt niet: " + Naam(G, nr) + " (" + Regel(nr) +
                   ") heeft geen X onder zijn eigen nummer " + IntToStr(nr) +
                   ".\rZijn regels verplaatst of kolommen verwijderd? " + NietIngelezen;
        }
    }
    return "";
}

// Both sides of a game hold a result that the other side's contradicts (both
// claim the win): the standings would count points that were never played for.
std::string UitslagParenFout(const TGroep& G) {
    for (int i = 0; i < G.Games.Count(); ++i) {
        const TGame& game = *G.Games.Game(i);
        const auto& s = game.Rec.Slots;
        if (s[0].Uitslag == ucGeen || s[1].Uitslag == ucGeen ||
            IsUitslagPaar(s[0].Uitslag, s[1].Uitslag))
            continue;
        const auto naam = [&G](int Nr) { return Naam(G, Nr) + " (" + IntToStr(Nr) + ")"; };
        return "De kruistabel klopt niet: in de partij " + naam(s[0].BergerNr) + " - " +
               naam(s[1].BergerNr) + " van ronde " + IntToStr(game.Rec.Ronde) +
               " spreken de uitslagen \"" + UitslagVeld(s[0].Uitslag) + "\" en \"" +
               UitslagVeld(s[1].Uitslag) + "\" elkaar tegen.\r" + NietIngelezen;
    }
    return "";
}

} // namespace

std::string UitslagVeld(TUitslagCode U) {
    return StringReplace(UitslagToStr(U), HalfStr, "0.5", rfReplaceAll);
}

bool CellToUitslag(const std::string& Text, TUitslagCode& U) {
    std::string t = Trim(Text);
    U = ucGeen;
    if (t.empty()) return true;
    const bool regl = t.back() == 'r' || t.back() == 'R';
    if (regl) t.pop_back();
    if (t == "1")
        U = ucWinst;
    else if (t == "0")
        U = ucVerlies;
    else if (t == HalfStr || t == "0.5" || t == "0,5" || t == ".5" || t == ",5")
        U = ucRemise;
    else
        return false;
    if (regl) U = static_cast<TUitslagCode>(U + ucReglWinst - ucWinst);
    return true;
}

std::string XMLRegelsFout(const TGroepFileRows& Rows) {
    const auto tag = [&Rows](int Row) {
        const std::string t = UpperCase(Trim(Cell(Rows, 1, Row)));
        return Trim(Cell(Rows, 0, Row)).empty() && IsTag(t) ? t : std::string();
    };
    int start = -1, eind = -1;
    for (int r = 1; r < RowCount(Rows); ++r) {
        const std::string t = tag(r);
        if (t != "<XML>" && t != "</XML>") continue;
        int& plek = t == "<XML>" ? start : eind;
        if (plek >= 0)
            return "Het bestand heeft twee blokken met instellingen: " + Regel(plek) + " en " +
                   Regel(r) + " zijn allebei \";" + t + "\".";
        plek = r;
    }
    if (start >= 0 && eind < start)
        return "Het blok met instellingen vanaf " + Regel(start) +
               " wordt niet afgesloten met \";</XML>\": is het bestand afgebroken?";
    for (int r = 1; r < RowCount(Rows); ++r)
        if (!tag(r).empty() && (start < 0 || r < start || r > eind))
            return Regel(r) + " (\";" + tag(r) +
                   "\") hoort bij de instellingen, maar staat niet in een blok tussen \";<XML>\" "
                   "en \";</XML>\".";
    return "";
}

std::string KopNummersFout(const TGroepFileRows& Rows, const TGroepFileKolommen& K, int Spelers) {
    int start = 2;
    for (int id = gkRelnr; id <= gkPlaats; ++id)
        start = std::max(start, K.Kolom[static_cast<size_t>(id)] + 1);
    // No result columns at all: a list of names still to be paired.
    if (start >= ColCount(Rows)) return "";
    int laatste = 0;
    for (int r = 1; r < RowCount(Rows); ++r)
        if (!IsNotitie(Rows, r)) laatste = r;
    for (int r = 1; r < RowCount(Rows); ++r)
        if (IsNotitie(Rows, r) && (r < laatste || r <= K.AantalSpelers))
            return Regel(r) +
                   " begint met \"#\" en telt daarom niet als speler, maar staat in de "
                   "kruistabel.\r" +
                   NietIngelezen + " Zijn uitslagen zouden verloren gaan.";
    if (K.AantalSpelers == Spelers) return "";
    if (K.AantalSpelers > Spelers) return Onvolledig(K.AantalSpelers, Spelers);
    // A damaged number ("0", "-1", a blank) ends the count early: every result
    // behind it would go unread, and the next save would write them blank.
    const std::string niet = "\rIs een nummer beschadigd of een kolom verwijderd? " +
                             NietIngelezen + " De uitslagen zouden verloren gaan.";
    int nr = 0;
    for (int c = start; c < ColCount(Rows); ++c) {
        const std::string kop = Trim(Cell(Rows, c, 0));
        if (kop == IntToStr(nr + 1)) {
            ++nr;
            continue;
        }
        if (nr > 0 && kop == IntToStr(nr)) continue; // the second cycle's column
        return "De kop van de kruistabel klopt niet: boven " + Kolom(c) +
               (kop.empty() ? " staat niets" : " staat " + Citaat(kop)) + " waar nummer " +
               IntToStr(nr + 1) + " hoort." + niet;
    }
    if (nr > Spelers) return Onvolledig(nr, Spelers);
    return "De kop van de kruistabel klopt niet: de nummers boven de uitslagen lopen tot " +
           IntToStr(nr) + ", maar het bestand heeft " + IntToStr(Spelers) + " spelers." + niet;
}

std::string KolommenFout(const TGroepFileRows& Rows, const TGroepFileKolommen& K) {
    const auto isKolomVan = [&K](int Col) {
        for (int id = gkRelnr; id <= gkPlaats; ++id)
            if (K.Kolom[static_cast<size_t>(id)] == Col) return true;
        return false;
    };
    for (int c = 2; c < EersteUitslagKolom(Rows, K); ++c)
        for (int r = 1; !isKolomVan(c) && r < RowCount(Rows); ++r)
            if (!IsNotitie(Rows, r) && !Trim(Cell(Rows, c, r)).empty())
                return OnbekendeKolom(Rows, K, c, r);
    for (int r = 1; r < RowCount(Rows); ++r)
        for (int id = gkRelnr; id <= gkSexe && !IsNotitie(Rows, r); ++id) {
            const int c = K.Kolom[static_cast<size_t>(id)];
            const std::string waarde = Trim(Cell(Rows, c, r));
            if (c < 0 || WaardeKlopt(id, waarde)) continue;
            return "In " + Regel(r) + ", " + Kolom(c) + " (" + Citaat(Trim(Cell(Rows, c, 0))) +
                   ") staat " + Citaat(waarde) + ": dat is " + WaardeSoort(id) +
                   ".\rStaan kolommen verwisseld, of is de waarde verkeerd getypt? " +
                   NietIngelezen;
        }
    return "";
}

std::string KruistabelFout(const TGroepFileRows& Rows, int EersteKolom, const TGroep& G) {
    const bool dubbel = G.Rec.DubbelRondig != 0;
    // The cell of player A's result against B (half H), A's draw number being his row.
    const auto kolom = [&](int B, int H) { return EersteKolom + (dubbel ? 2 * B - 2 + H : B - 1); };
    const auto waar = [&](int A, int B, int H) {
        return "In " + Regel(A) + ", " + Kolom(kolom(B, H)) + " (de uitslag van " + Naam(G, A) +
               " tegen " + Naam(G, B) + ") staat ";
    };
    bool uitslagen = false;
    for (int i = 0; i < G.Spelers.Count(); ++i)
        for (int j = 0; j < G.Spelers.Count(); ++j)
            for (int h = 0; h < (dubbel ? 2 : 1) && i != j; ++h) {
                const int a = G.Spelers.Sp(i)->Rec.BergerNr, b = G.Spelers.Sp(j)->Rec.BergerNr;
                const std::string tekst = Cell(Rows, kolom(b, h), a);
                TUitslagCode u;
                if (IsX(tekst)) continue;
                if (!CellToUitslag(tekst, u))
                    return waar(a, b, h) + Citaat(Trim(tekst)) +
                           ": dat is geen uitslag.\rEen uitslag is 1, 0 of 0.5, met een r erachter "
                           "als hij reglementair is; een lege cel is een partij zonder uitslag. " +
                           NietIngelezen;
                uitslagen = uitslagen || u != ucGeen;
            }
    if (!uitslagen) return "";
    if (std::string fout = EigenVakFout(Rows, EersteKolom, G); !fout.empty()) return fout;
    for (int i = 0; i < G.Spelers.Count(); ++i)
        for (int j = 0; j < G.Spelers.Count(); ++j)
            for (int h = 0; h < (dubbel ? 2 : 1) && i != j; ++h) {
                const int a = G.Spelers.Sp(i)->Rec.BergerNr, b = G.Spelers.Sp(j)->Rec.BergerNr;
                if (IsX(Cell(Rows, kolom(b, h), a)))
                    return waar(a, b, h) +
                           "een X, maar een X hoort alleen onder het eigen nummer van de "
                           "speler.\r" +
                           NietIngelezen;
            }
    return UitslagParenFout(G);
}

std::string KommaFout(std::string_view Text) {
    if (GroepFileDelimiter(Text) != ',') return "";
    int regel = 1, veld = 0, laatste = -1, kop = -1;
    std::string naam; // the first two fields after the line number
    bool quoted = false;
    for (size_t i = 0; i <= Text.size(); ++i) {
        const char c = i < Text.size() ? Text[i] : '\n';
        if (c == '"') quoted = !quoted;
        if (!quoted && (c == '\r' || c == '\n')) {
            if (c == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
            if (regel > 1 && laatste > kop)
                return "Het bestand is met komma's gescheiden, maar " + Regel(regel - 1) +
                       " heeft meer kolommen dan de kopregel: is de naam " + Citaat(naam) +
                       " bij de komma in twee kolommen gesplitst?\rBewaar het bestand met "
                       "puntkomma's als scheidingsteken, of met de namen tussen aanhalingstekens.";
            if (regel == 1) kop = laatste;
            ++regel, veld = 0, laatste = -1;
            naam.clear();
            continue;
        }
        if (!quoted && c == ',') {
            if (++veld == 2) naam += c;
            continue;
        }
        laatste = veld;
        if (veld == 1 || veld == 2) naam += c;
    }
    return "";
}
