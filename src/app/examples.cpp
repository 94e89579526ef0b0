#include "app/examples.h"

#include <cstdlib>

#include "model/berger.h"
#include "model/dates.h"
#include "model/group.h"
#include "model/stand.h"
#include "model/textutils.h"
#include "platform/rtl/files.h"
#include "platform/rtl/streams.h"
#include "platform/rtl/sysutils.h"
#include "zip/zaarchiver.h"

namespace {

struct TVoorbeeldSpeler {
    const char* Voornaam;
    const char* Tussenvoegsel;
    const char* Achternaam;
    int Rating;
    int GebJaar;
    char Sexe;
};

// Made-up club members; none of them exists.
const TVoorbeeldSpeler Snel[] = {
    {"Arend", "", "Hoekstra", 1934, 1968, 'M'},    {"Lieke", "van der", "Wal", 1802, 1995, 'V'},
    {"Gerrit", "", "Zandbergen", 1765, 1952, 'M'}, {"Mees", "", "Ouwerkerk", 1711, 2006, 'M'},
    {"Fenna", "de", "Roos", 1690, 1987, 'V'},      {"Olaf", "", "Brinkhuis", 1644, 1979, 'M'},
    {"Ruud", "", "Kortenhoeve", 1580, 1961, 'M'},  {"Tijmen", "", "Veldkamp", 1495, 2009, 'M'},
};
const TVoorbeeldSpeler Oneven[] = {
    {"Wessel", "", "Dijkhuizen", 1720, 1975, 'M'},
    {"Ilse", "", "Verhoef", 1655, 1992, 'V'},
    {"", "", "VRIJ", 0, 0, 'M'},
    {"Bart", "ten", "Cate", 1610, 1958, 'M'},
    {"Noor", "", "Lammerts", 1540, 2003, 'V'},
    {"Jelle", "", "Vos", 1475, 2010, 'M'},
};
const TVoorbeeldSpeler Zomer[] = {
    {"Sjoerd", "", "Hiemstra", 1850, 1970, 'M'},
    {"Marit", "", "Kooistra", 1790, 1999, 'V'},
    {"Daan", "van", "Rijswijk", 1725, 1984, 'M'},
    {"Hidde", "", "Postma", 1660, 2005, 'M'},
};

std::unique_ptr<TGroep> NieuweGroep(const std::string& Naam, bool Dubbel, TDateTime Datum,
                                    const TVoorbeeldSpeler* Spelers, int Aantal) {
    TGroepRec rec;
    InitGroepRec(rec, true);
    rec.Naam = Naam;
    rec.DubbelRondig = Dubbel ? 1 : 0;
    rec.DatumEersteRonde = Datum;
    auto g = std::make_unique<TGroep>(rec);
    g->AddSortItem(siOnderling, true);
    g->AddSortItem(siWP, false);
    g->AddSortItem(siSB, true);
    g->AddSortItem(siWWe, false);
    g->AddSortItem(siLootNr, true);
    for (int i = 0; i < Aantal; ++i) {
        const TVoorbeeldSpeler& v = Spelers[i];
        TSpRec r;
        InitSpRec(r);
        r.BergerNr = i + 1;
        r.Voornaam = v.Voornaam;
        r.Tussenvoegsel = v.Tussenvoegsel;
        r.Achternaam = v.Achternaam;
        const bool vrij = std::string(v.Achternaam) == "VRIJ";
        r.Relnr = vrij ? VrijRelnr : 1000 + i + 1;
        r.Voorletters = *v.Voornaam ? std::string(1, v.Voornaam[0]) + "." : "";
        r.Ratings[rtKNSB] = v.Rating;
        r.GebJaar = v.GebJaar;
        r.Sexe = v.Sexe;
        g->AddSpeler(r, IntToZeroStr(i + 1, 3));
    }
    MakeBergerGames(*g);
    g->LinkSpelers();
    return g;
}

// A plausible result seen from A (entry code): close ratings draw, else the
// stronger player mostly wins; every seventh game goes the other way.
TInvoerCode Uitslag(const TGroep& G, int A, int B, int Volgnr) {
    const int ra = G.Spelers.GetSpelerOnBergerNr(A)->Rec.Ratings[rtKNSB];
    const int rb = G.Spelers.GetSpelerOnBergerNr(B)->Rec.Ratings[rtKNSB];
    if (std::abs(ra - rb) < 50) return 3;
    const bool sterker = (ra > rb) != (Volgnr % 7 == 6);
    return sterker ? 1 : 2;
}

void Speel(TGroep& G, int A, int B, TInvoerCode Code, int EersteHelft) {
    TKleur kleur;
    TGame* game = G.Games.GetGameOnBgNrs(A, B, kleur, EersteHelft);
    if (!game) return;
    game->SetUitslag(Code, kleur);
    for (const TGameSlot& s : game->Rec.Slots)
        if (TSp* sp = G.Spelers.GetSpelerOnBergerNr(s.BergerNr))
            sp->SetUitslag(game->Rec.Ronde, s.Uitslag);
}

bool IsVrij(const TGroep& G, int Nr) {
    return !G.Spelers.GetSpelerOnBergerNr(Nr)->IsNotVrij();
}

// Every game between real players of cycle EersteHelft; Tot limits how many.
void SpeelAlles(TGroep& G, int EersteHelft, int Tot = 1 << 30) {
    const int n = G.Spelers.Count();
    int volgnr = 0;
    for (int a = 1; a <= n; ++a)
        for (int b = a + 1; b <= n; ++b) {
            if (IsVrij(G, a) || IsVrij(G, b) || volgnr >= Tot) continue;
            Speel(G, a, b, Uitslag(G, a, b, volgnr), EersteHelft);
            ++volgnr;
        }
}

} // namespace

std::vector<std::pair<std::string, std::unique_ptr<TGroep>>> MakeVoorbeeldGroepen() {
    std::vector<std::pair<std::string, std::unique_ptr<TGroep>>> groepen;

    auto a = NieuweGroep("Snelschaken 2016-04-20 A", false, EncodeDate(2016, 4, 20), Snel, 8);
    SpeelAlles(*a, 1);
    Speel(*a, 3, 8, 6, 1); // 1-0 Regl.: the opponent did not come
    groepen.emplace_back("Snelschaken 2016-04-20 A.csv", std::move(a));

    auto b = NieuweGroep("Snelschaken 2016-04-20 B", false, EncodeDate(2016, 4, 20), Oneven, 6);
    SpeelAlles(*b, 1);
    Speel(*b, 4, 6, 8, 1); // ½-½ Regl.
    groepen.emplace_back("Snelschaken 2016-04-20 B.csv", std::move(b));

    // Halfway through the second cycle.
    auto z = NieuweGroep("Zomercompetitie 2016", true, EncodeDate(2016, 6, 1), Zomer, 4);
    SpeelAlles(*z, 1);
    SpeelAlles(*z, 0, 3);
    groepen.emplace_back("Zomercompetitie 2016.csv", std::move(z));

    for (auto& [naam, g] : groepen)
        FillRondeRecs(*g);
    return groepen;
}

std::vector<std::string> MakeVoorbeeldZip(const std::string& ZipFile, const std::string& WorkDir) {
    const std::string pack = IncludeTrailingPathDelimiter(WorkDir) + "vz_voorbeeld_pack";
    const std::string map = pack + "/Voorbeeld";
    if (!ForceDirectories(map)) throw Exception("Kan map niet maken: " + map);
    // The writer puts the ratings of the selected kind into the file.
    struct TRatingScope {
        TRatingType Vorige = RatingType;
        ~TRatingScope() { RatingType = Vorige; }
    } scope;
    RatingType = rtKNSB;
    std::vector<std::string> namen;
    for (auto& [naam, g] : MakeVoorbeeldGroepen()) {
        g->SaveGroepFile(map + "/" + naam);
        namen.push_back("Voorbeeld/" + naam);
    }
    DeleteFile(ZipFile);
    TZipArchiver z(nullptr);
    z.FileName = ZipFile;
    z.BaseDir = pack;
    z.OpenArchive(fmCreate);
    z.AddFiles("*.*");
    z.CloseArchive();
    for (const std::string& naam : namen)
        DeleteFile(pack + "/" + naam);
    RemoveDir(map);
    RemoveDir(pack);
    return namen;
}
