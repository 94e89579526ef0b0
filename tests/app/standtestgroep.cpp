#include "standtestgroep.h"

#include <gtest/gtest.h>

#include "apptestenv.h"
#include "model/berger.h"
#include "model/stand.h"
#include "model/textutils.h"
#include "model_fixtures.h"

std::unique_ptr<TGroep> MakeTestGroep(const std::vector<TTestSpeler>& Spelers, bool DubbelRondig) {
    TGroepRec rec;
    rec.Naam = "Testgroep";
    rec.DubbelRondig = DubbelRondig ? 1 : 0;
    rec.NaamMode = nmAchternaamEerst;
    auto g = std::make_unique<TGroep>(rec);
    int nr = 0;
    for (const TTestSpeler& s : Spelers) {
        ++nr;
        TSpRec r;
        InitSpRec(r);
        r.BergerNr = nr;
        r.Relnr = s.Vrij ? VrijRelnr : 7000000 + nr;
        r.Achternaam = s.Achternaam;
        r.Ratings[rtKNSB] = s.Knsb;
        g->AddSpeler(r, IntToZeroStr(nr, 3));
    }
    MakeBergerGames(*g);
    g->LinkSpelers();
    FillRondeRecs(*g);
    return g;
}

TGame* SetTestResult(TGroep& G, int A, int B, TInvoerCode Code, int EersteHelft) {
    TGame* game = EnterResult(G, A, B, Code, EersteHelft);
    FillRondeRecs(G);
    CalcStand(G);
    return game;
}

void SetTestResults(TGroep& G, const std::vector<TTestResult>& Results) {
    for (const TTestResult& r : Results)
        EXPECT_NE(nullptr, SetTestResult(G, r.A, r.B, r.Code)) << r.A << " - " << r.B;
}
