#include "model_fixtures.h"

#include "model/berger.h"
#include "model/stand.h"
#include "model/textutils.h"

TSpRec MakeSpeler(int BergerNr, const std::string& Achternaam, int Rating) {
    TSpRec r;
    InitSpRec(r);
    r.BergerNr = BergerNr;
    r.Relnr = 1000 + BergerNr;
    r.Achternaam = Achternaam;
    r.Ratings.fill(Rating);
    return r;
}

std::unique_ptr<TGroep> MakeGroep(int N, bool DubbelRondig, int Rating) {
    TGroepRec rec;
    rec.Naam = "Groep A";
    rec.DubbelRondig = DubbelRondig ? 1 : 0;
    auto g = std::make_unique<TGroep>(rec);
    for (int i = 1; i <= N; ++i)
        g->AddSpeler(
            MakeSpeler(i, "Speler" + std::string(1, static_cast<char>('A' + (i - 1) % 26)), Rating),
            IntToZeroStr(i, 3));
    MakeBergerGames(*g);
    g->LinkSpelers();
    FillRondeRecs(*g);
    return g;
}

TGame* EnterResult(TGroep& G, int A, int B, TInvoerCode Code, int EersteHelft) {
    TKleur kleur;
    TGame* game = G.Games.GetGameOnBgNrs(A, B, kleur, EersteHelft);
    if (!game) return nullptr;
    G.SetUitslag(*game, Code, kleur);
    return game;
}

std::unique_ptr<TGroep> ForfeitGroup() {
    auto g = MakeGroep(4);
    const int ratings[] = {1800, 1700, 0, 1600};
    for (int i = 0; i < 4; ++i)
        g->Spelers.Sp(i)->Rec.Ratings[rtKNSB] = ratings[i];
    g->Spelers.Sp(0)->Rec.Ratings[rtJeugd] = 1500;
    EnterResult(*g, 1, 4, 1);
    EnterResult(*g, 2, 3, 7);
    EnterResult(*g, 4, 3, 3);
    EnterResult(*g, 1, 2, 2);
    EnterResult(*g, 2, 4, 8);
    EnterResult(*g, 3, 1, 1);
    FillRondeRecs(*g);
    return g;
}
