#pragma once
// The large group the benchmarks share: N players (96 by default, the most the
// program pairs), double round-robin, every result entered with a fixed spread
// that includes forfeits, the same on every run.

#include <memory>

#include "model/berger.h"
#include "model/group.h"
#include "model/stand.h"
#include "model/textutils.h"
#include "platform/rtl/sysutils.h"

inline constexpr int BenchSpelers = 96;

// Players, games and results only (what reading a file gives).
inline std::unique_ptr<TGroep> MakeBenchGroup(int N) {
    TGroepRec rec;
    rec.Naam = "Bench";
    rec.DubbelRondig = 1;
    rec.SortAr = {{siOnderling, 1}, {siSB, 1}, {siLootNr, 1}};
    auto g = std::make_unique<TGroep>(rec);
    for (int i = 1; i <= N; ++i) {
        TSpRec sp;
        sp.BergerNr = i;
        sp.Relnr = 5000000 + i;
        sp.Achternaam = "Speler" + IntToStr(i);
        sp.Ratings[rtKNSB] = 1200 + (i * 37) % 1000;
        g->AddSpeler(sp, IntToZeroStr(i, 6));
    }
    MakeBergerGames(*g);
    g->LinkSpelers();
    for (int i = 0; i < g->Games.Count(); ++i)
        g->Games.Game(i)->SetUitslag(static_cast<TInvoerCode>(1 + (i * 7) % 8), kWit);
    return g;
}

// The 96-player group with its round records and standings computed.
inline std::unique_ptr<TGroep> MakeFullGroup() {
    auto g = MakeBenchGroup(BenchSpelers);
    FillRondeRecs(*g);
    CalcStand(*g);
    return g;
}
