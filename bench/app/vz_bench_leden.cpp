// The federation lists at the size the federation sends them: a 40,000-member
// KNSB member list (";"-separated, through the grid's load) and a 40,000-line
// rating list read into the member list, and 40,000 members shown in the
// member grid.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

#include "../vz_bench_qt.h"
#include "app/ledenlijst.h"
#include "grid/columngrid.h"
#include "model/group.h"
#include "model/player.h"

namespace {

constexpr int Leden = 40000;

std::string TempFile(const char* Prefix) {
    std::string tmpl = std::string("/tmp/") + Prefix + "_XXXXXX";
    const int fd = mkstemp(tmpl.data());
    if (fd >= 0) close(fd);
    return tmpl;
}

std::string Padded(const std::string& S, size_t N) {
    std::string r = S.substr(0, N);
    r.resize(N, ' ');
    return r;
}

const std::string& KnsbLedenFile() {
    static const std::string path = [] {
        const std::string p = TempFile("vz_bench_lid20");
        std::mt19937 rnd(3);
        std::ofstream out(p, std::ios::binary);
        out << "Relatienummer;VerenigingID;LidmaatschapTypeID;Achternaam;Tussenvoegsel;Voornaam;"
               "Voorletters;Email;Geslacht;Geboren;Nationaliteit;KNSBRating;KNSBJeugdRating;"
               "Categorie;Status;FIDERating;FIDEId;Titel\r\n";
        for (int i = 0; i < Leden; ++i)
            out << 7000000 + i << ";" << 1000 + rnd() % 800 << ";1;\"Jansen " << rnd() % 5000
                << "\";van der;J\xE9r\xF4me;J.;lid@example.nl;" << (rnd() % 2 ? "M" : "V") << ";"
                << 1940 + rnd() % 75 << ";NED;" << 800 + rnd() % 1600 << ";" << 800 + rnd() % 1200
                << ";A;Actief;" << 1400 + rnd() % 1000 << ";" << 1000000 + i << ";\r\n";
        return p;
    }();
    return path;
}

const std::string& RatingFile() {
    static const std::string path = [] {
        const std::string p = TempFile("vz_bench_krat");
        std::mt19937 rnd(5);
        std::ofstream out(p, std::ios::binary);
        out << "KNSB rating lijst\r\n";
        for (int i = 0; i < Leden; ++i)
            out << Padded(std::to_string(i), 6) << " " << 7000000 + i << " "
                << Padded("Jansen " + std::to_string(rnd() % 5000), 19) << " "
                << Padded("J\xE9r\xF4me", 9) << " " << Padded("van der", 7) << " "
                << (rnd() % 2 ? 'M' : 'V') << " " << Padded(std::to_string(800 + rnd() % 1600), 5)
                << "   12 1985\r\n";
        return p;
    }();
    return path;
}

void BM_ReadKnsbLedenList(benchmark::State& State) {
    TExtColumnGrid grid(nullptr);
    for (auto _ : State) {
        TSpList leden;
        ReadKnsbLedenList(grid, KnsbLedenFile(), leden);
        benchmark::DoNotOptimize(leden.Count());
    }
    State.SetItemsProcessed(State.iterations() * Leden);
}

void BM_ReadRatingList(benchmark::State& State) {
    for (auto _ : State) {
        TSpList leden;
        ReadRatingList(RatingFile(), leden);
        benchmark::DoNotOptimize(leden.Count());
    }
    State.SetItemsProcessed(State.iterations() * Leden);
}

void BM_ShowLedenlijst(benchmark::State& State) {
    TSpList leden;
    ReadRatingList(RatingFile(), leden);
    TExtColumnGrid grid(nullptr);
    for (auto _ : State) {
        ShowLedenlijst(grid, leden, false, "KNSB");
        benchmark::DoNotOptimize(grid.RowCount());
    }
    State.SetItemsProcessed(State.iterations() * Leden);
}

BENCHMARK(BM_ReadKnsbLedenList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadRatingList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowLedenlijst)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    StartOffscreenQt();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove(KnsbLedenFile().c_str());
    std::remove(RatingFile().c_str());
    ShutdownQtApplication();
    return 0;
}
