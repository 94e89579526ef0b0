#pragma once
// The large group the window benchmarks share: 96 players, double round-robin,
// every result entered (9,120 games, 192 result columns).

#include <memory>

#include "model/berger.h"
#include "model/group.h"
#include "model/stand.h"
#include "model/textutils.h"
#include "platform/rtl/sysutils.h"

inline constexpr int BenchSpelers = 96;

inline std::unique_ptr<TGroep> MakeFullGroup() {
    TGroepRec rec;
    rec.Naam = "Bench";
    rec.DubbelRondig = 1;
    rec.SortAr = {{siOnderling, 1}, {siSB, 1}, {siLootNr, 1}};
    auto g = std::make_unique<TGroep>(rec);
    for (int i = 1; i <= BenchSpelers; ++i) {
        TSpRec sp;
        sp.BergerNr = i;
        sp.Relnr = 5000000 + i;
        sp.Achternaam = "Speler" + IntToStr(i);
        sp.Ratings[rtKNSB] = 1200 + (i * 37) % 1000;
        g->AddSpeler(sp, IntToZeroStr(i, 6));
    }
    MakeBergerGames(*g);
    g->LinkSpelers();
    // A fixed spread of results, forfeits included, the same on every run.
    for (int i = 0; i < g->Games.Count(); ++i)
        g->Games.Game(i)->SetUitslag(static_cast<TInvoerCode>(1 + (i * 7) % 8), kWit);
    FillRondeRecs(*g);
    CalcStand(*g);
    return g;
}
