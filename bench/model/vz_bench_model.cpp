// Standings of large groups: double round-robins with every result entered,
// rebuilt and scored with all tie-breaks and performance ratings, as opening the
// standings and a player's card do; beside them a plain loop over the games that
// gives only scores, WP and SB, the bound no standings can beat.

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <memory>
#include <vector>

#include "../vz_bench_group.h"
#include "../vz_bench_table.h"
#include "model/berger.h"
#include "model/group.h"
#include "model/groupfile.h"
#include "model/stand.h"
#include "model/textutils.h"

namespace {

// What the standings window does before it shows the table.
void BM_Standings(benchmark::State& state) {
    const auto g = MakeBenchGroup(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        FillRondeRecs(*g);
        CalcStand(*g);
        benchmark::DoNotOptimize(g->Spelers.Sp(0)->Rondes.back().Tpr);
    }
    state.counters["games"] = g->Games.Count();
}

// What the player information window does before it shows one player's rounds.
void BM_PlayerCard(benchmark::State& state) {
    const auto g = MakeBenchGroup(static_cast<int>(state.range(0)));
    TSp& sp = *g->Spelers.Sp(g->Spelers.Count() / 2);
    for (auto _ : state) {
        FillRondeRecs(*g);
        CalcStand(*g);
        CalcSpelerStand(*g, sp);
        benchmark::DoNotOptimize(sp.Rondes.front().Tpr);
    }
}

// Scores, WP and SB after the last round straight from the games, indexed by
// draw number: no round records, no ratings.
void BM_PlainLoop(benchmark::State& state) {
    const auto g = MakeBenchGroup(static_cast<int>(state.range(0)));
    const size_t n = static_cast<size_t>(g->Spelers.Count()) + 2;
    std::vector<double> score(n), total(n), wp(n), sb(n);
    for (auto _ : state) {
        std::fill(score.begin(), score.end(), 0.0);
        std::fill(total.begin(), total.end(), 0.0);
        std::fill(wp.begin(), wp.end(), 0.0);
        std::fill(sb.begin(), sb.end(), 0.0);
        for (int i = 0; i < g->Games.Count(); ++i)
            for (const TGameSlot& s : g->Games.Game(i)->Rec.Slots) {
                score[static_cast<size_t>(s.BergerNr)] += UitslagToScore(s.Uitslag);
                total[static_cast<size_t>(s.BergerNr)] += GetWPSBScore(s.Uitslag);
            }
        for (int i = 0; i < g->Games.Count(); ++i) {
            const auto& slots = g->Games.Game(i)->Rec.Slots;
            for (size_t s = 0; s < 2; ++s) {
                const size_t me = static_cast<size_t>(slots[s].BergerNr);
                const double o = total[static_cast<size_t>(slots[1 - s].BergerNr)];
                wp[me] += o;
                sb[me] += o * UitslagToScore(slots[s].Uitslag);
            }
        }
        benchmark::DoNotOptimize(wp.data());
        benchmark::DoNotOptimize(sb.data());
        benchmark::ClobberMemory();
    }
}

// Reading a group file's cells with a full crosstable, up to the most players a
// file may hold: each game's slots must be found without a search per slot.
void BM_ReadGroepFile(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    TGroepFileRows rows = {{"", "Bench", "Relnr.", "Ro", "Geb.", "MV"}};
    for (int c = 1; c <= n; ++c)
        rows[0].push_back(IntToStr(c));
    for (int r = 1; r <= n; ++r) {
        rows.push_back({IntToStr(r), "Speler" + IntToStr(r), "", "1500", "", "M"});
        for (int c = 1; c <= n; ++c)
            rows.back().push_back(c == r ? "X" : (c < r ? "1" : "0"));
    }
    for (auto _ : state) {
        TGroepFileRows cells = rows;
        TGroep g;
        benchmark::DoNotOptimize(ReadGroepFromRows(g, "bench.csv", cells, 0).AantalSpelers);
    }
}

long MaxRssKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// Refusing a file of one 10 MB line of separators: the check looks at the text
// once and builds nothing from it, so the memory it takes beyond the text
// itself stays small (splitting that line into cells once took 17.8 GB).
void BM_RefuseOneLongLine(benchmark::State& state) {
    const long voor = MaxRssKb();
    const std::string tekst(10 * 1024 * 1024, ';');
    const long metTekst = MaxRssKb();
    for (auto _ : state)
        benchmark::DoNotOptimize(GroepFileFout(tekst));
    state.counters["text_MB"] = static_cast<double>(tekst.size()) / (1024 * 1024);
    state.counters["peak_growth_over_text_MB"] = static_cast<double>(MaxRssKb() - metTekst) / 1024;
    state.counters["peak_growth_MB"] = static_cast<double>(MaxRssKb() - voor) / 1024;
}

void Sizes(benchmark::internal::Benchmark* b) {
    for (const int n : {12, 24, 48, 96, 192})
        b->Arg(n);
    b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_Standings)->Apply(Sizes);
BENCHMARK(BM_PlayerCard)->Apply(Sizes);
BENCHMARK(BM_PlainLoop)->Apply(Sizes);
BENCHMARK(BM_RefuseOneLongLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadGroepFile)
    ->Arg(96)
    ->Arg(400)
    ->Arg(MaxGroepFileSpelers)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    std::vector<TBenchPeerRow> rows;
    for (const int n : {12, 24, 48, 96, 192}) {
        const std::string arg = "/" + std::to_string(n);
        rows.push_back({"standings, " + std::to_string(n) + " players vs plain loop",
                        "BM_Standings" + arg, "BM_PlainLoop" + arg});
        rows.push_back({"player card, " + std::to_string(n) + " players vs plain loop",
                        "BM_PlayerCard" + arg, "BM_PlainLoop" + arg});
    }
    return RunWithPeers(argc, argv, rows);
}
